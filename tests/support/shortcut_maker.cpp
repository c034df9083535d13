#include "shortcut_maker.h"

// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

namespace ZelmivoTest {

bool MakeShortcut(const std::wstring& path, const std::wstring& target,
                  const std::wstring& arguments, const std::wstring& iconFile) {
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&link)))) {
        link->SetPath(target.c_str());
        link->SetArguments(arguments.c_str());
        if (!iconFile.empty()) link->SetIconLocation(iconFile.c_str(), 0);
        if (SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file)))) {
            saved = file->Save(path.c_str(), TRUE) == S_OK;
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return saved;
}

}  // namespace ZelmivoTest
