#include "shell.h"

// windows.h comes first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <iterator>
#include <utility>
#include <vector>

#include "form.h"
#include "gui_element.h"
#include "library_function.h"
#include "text.h"
#include "win32_failure.h"

namespace OrvoUtility {

namespace {

constexpr int shellSuccessAbove = 32;
constexpr DWORD fileBufferLength = 4096;
// The longest path Windows takes, with its closing NUL.
constexpr int longPathLength = 32768;

HWND WindowOf(GUIElement* owner) {
    return owner != nullptr ? static_cast<HWND>(owner->hwnd) : nullptr;
}

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// The shell shows no box of its own: what went wrong is the caller's to say,
// in the program's language, the same on every system.
bool ShellOpen(const std::wstring& verb, const std::wstring& target, const std::wstring& parameters,
               const std::wstring& folder, std::uint32_t* error) {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = verb.c_str();
    info.lpFile = target.c_str();
    info.lpParameters = OrNull(parameters);
    info.lpDirectory = OrNull(folder);
    info.nShow = SW_SHOW;
    if (ShellExecuteExW(&info)) return true;
    DWORD code = GetLastError();
    // Some shells leave the last error unset and answer only in hInstApp.
    if (code == ERROR_SUCCESS) {
        INT_PTR answer = reinterpret_cast<INT_PTR>(info.hInstApp);
        code = answer > 0 && answer <= shellSuccessAbove ? static_cast<DWORD>(answer)
                                                         : ERROR_FILE_NOT_FOUND;
    }
    if (error != nullptr) *error = code;
    return false;
}

// COM on this thread for one call into the shell's objects. A thread that
// already has COM keeps it as it was, whatever its kind.
class ComForThisCall {
public:
    ComForThisCall()
        : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComForThisCall() {
        if (SUCCEEDED(result)) CoUninitialize();
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

private:
    HRESULT result;
};

// The system error code inside a COM result, so that callers tell every
// failure the same way.
std::uint32_t SystemErrorOf(HRESULT result) {
    return HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                      : static_cast<std::uint32_t>(result);
}

bool IsShortcut(const std::wstring& path) {
    const wchar_t extension[] = L".lnk";
    const int length = static_cast<int>(std::size(extension)) - 1;
    return path.size() >= static_cast<std::size_t>(length) &&
           CompareStringOrdinal(path.c_str() + path.size() - length, length, extension, length,
                                TRUE) == CSTR_EQUAL;
}

// The shortcut file loaded into a shell link object, released by the caller.
HRESULT LoadShortcut(const std::wstring& shortcut, IShellLinkW*& link) {
    link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, reinterpret_cast<void**>(&link));
    if (FAILED(result)) return result;
    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(result)) {
        result = file->Load(shortcut.c_str(), STGM_READ);
        file->Release();
    }
    if (FAILED(result)) {
        link->Release();
        link = nullptr;
    }
    return result;
}

// Each %NAME% replaced by its variable; the text as it was when that fails.
std::wstring ExpandedWide(const std::wstring& wide) {
    DWORD length = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    if (length == 0) {
        RecordWin32Failure("ExpandEnvironmentStringsW");
        return wide;
    }
    std::wstring expanded(length, L'\0');
    length = ExpandEnvironmentStringsW(wide.c_str(), &expanded[0], length);
    if (length == 0 || length > expanded.size()) {
        RecordWin32Failure("ExpandEnvironmentStringsW");
        return wide;
    }
    expanded.resize(length - 1);
    return expanded;
}

// A path the link object wrote into a buffer of the longest length, as it names a file.
std::wstring TakenPath(std::wstring& buffer) {
    buffer.resize(buffer.find(L'\0'));
    return ExpandedWide(buffer);
}

// What the shortcut points to, as the shell resolves it: a moved target is
// looked for, but the user is asked nothing and the shortcut is not rewritten.
HRESULT ShortcutTarget(const std::wstring& shortcut, std::wstring& target) {
    IShellLinkW* link = nullptr;
    HRESULT result = LoadShortcut(shortcut, link);
    if (FAILED(result)) return result;
    result = link->Resolve(nullptr, SLR_NO_UI);
    if (SUCCEEDED(result)) {
        std::wstring path(longPathLength, L'\0');
        result = link->GetPath(&path[0], longPathLength, nullptr, 0);
        path.resize(path.find(L'\0'));
        // A shortcut to no file (a Control Panel item, say) has no folder to show.
        if (result == S_OK && !path.empty()) {
            target = path;
        } else if (SUCCEEDED(result)) {
            result = HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        }
    }
    link->Release();
    return result;
}

// Where Explorer takes a shortcut's icon from: the icon it names, or else the
// file it points to, read as stored so that a slow target is not looked for.
void ShortcutIconSource(const std::wstring& shortcut, std::wstring& source, int& index) {
    ComForThisCall com;
    IShellLinkW* link = nullptr;
    if (FAILED(LoadShortcut(shortcut, link))) return;
    std::wstring path(longPathLength, L'\0');
    int named = 0;
    if (link->GetIconLocation(&path[0], longPathLength, &named) == S_OK && path[0] != L'\0') {
        source = TakenPath(path);
        index = named;
    } else {
        path.assign(longPathLength, L'\0');
        if (link->GetPath(&path[0], longPathLength, nullptr, SLGP_RAWPATH) == S_OK &&
            path[0] != L'\0') {
            source = TakenPath(path);
        }
    }
    link->Release();
}

// Each text followed by a NUL, the whole list closed by a second NUL.
std::wstring FilterList(const std::vector<std::pair<std::string, std::string>>& filters) {
    std::wstring list;
    for (const auto& filter : filters) {
        list += Common::NarrowToWide(filter.first);
        list += L'\0';
        list += Common::NarrowToWide(filter.second);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

// The wide box shows every character as it is, whatever the system code page.
int ShowBox(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    std::wstring wideText = Common::NarrowToWide(text);
    std::wstring wideCaption = Common::NarrowToWide(caption);
    return MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(), style);
}

}  // namespace

bool OpenWithShell(const std::string& target) {
    return ShellOpen(L"open", Common::NarrowToWide(target), std::wstring(), std::wstring(),
                     nullptr);
}

std::wstring ExpandedText(const std::string& text) {
    return ExpandedWide(Common::NarrowToWide(text));
}

HICON FileIcon(const std::wstring& path, int size) {
    std::wstring source = path;
    int index = 0;
    if (IsShortcut(path)) ShortcutIconSource(path, source, index);
    HICON icon = nullptr;
    UINT side = static_cast<UINT>(size);
    if (SHDefExtractIconW(source.c_str(), index, 0, &icon, nullptr, MAKELONG(side, side)) != S_OK) {
        return nullptr;
    }
    return icon;
}

bool LaunchTarget(const std::string& target, const std::string& parameters, bool startInFolder,
                  std::uint32_t* error, const std::string& verb) {
    std::wstring expandedTarget = ExpandedText(target);
    std::wstring folder;
    if (startInFolder) {
        // The folder part with its final "\" (or ":"), as DirectoryOf takes it
        // from a narrow path; the expanded one may hold any letter.
        std::wstring::size_type at = expandedTarget.find_last_of(L"\\/");
        if (at == std::wstring::npos) at = expandedTarget.rfind(L':');
        if (at != std::wstring::npos) folder = expandedTarget.substr(0, at + 1);
    }
    return ShellOpen(Common::NarrowToWide(verb), expandedTarget, ExpandedText(parameters), folder,
                     error);
}

bool OpenFolderAndSelect(const std::string& target, std::uint32_t* error) {
    ComForThisCall com;
    std::wstring path = ExpandedText(target);
    HRESULT result = IsShortcut(path) ? ShortcutTarget(path, path) : S_OK;
    PIDLIST_ABSOLUTE item = nullptr;
    if (SUCCEEDED(result)) result = SHParseDisplayName(path.c_str(), nullptr, &item, 0, nullptr);
    // With no children named, the shell opens the item's own folder and selects it.
    if (SUCCEEDED(result)) result = SHOpenFolderAndSelectItems(item, 0, nullptr, 0);
    CoTaskMemFree(item);
    if (SUCCEEDED(result)) return true;
    if (error != nullptr) *error = SystemErrorOf(result);
    return false;
}

std::string ChooseFile(GUIElement* owner) { return Common::WideToNarrow(ChooseFileWide(owner)); }

std::wstring ChooseFileWide(GUIElement* owner) {
    // Loaded the first time a file is chosen, not at start: with what it pulls
    // in, the dialog's library made every start slower, for a dialog seldom opened.
    static const auto openFileDialog =
        LibraryFunction<BOOL(WINAPI*)(OPENFILENAMEW*)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (openFileDialog == nullptr) return std::wstring();
    std::wstring filter = FilterList({{"All files(*.*)", "*.*"}});
    std::vector<wchar_t> file(fileBufferLength, L'\0');

    OPENFILENAMEW dialog = {};
    // The size of the record as this build defines it: a fixed 32-bit-era
    // figure would be refused by the 64-bit dialog.
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = WindowOf(owner);
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = fileBufferLength;
    // Browsing must not move the current folder, against which a bare program
    // name would be resolved.
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

    if (!openFileDialog(&dialog)) return std::wstring();
    return file.data();
}

void ShowError(Form* owner, const std::string& text, const std::string& caption) {
    ShowBox(WindowOf(owner), text, caption, MB_TASKMODAL | MB_ICONERROR);
}

void ShowInformation(Form* owner, const std::string& text, const std::string& caption) {
    ShowBox(WindowOf(owner), text, caption, MB_TASKMODAL | MB_ICONINFORMATION);
}

bool AskYesNo(const std::string& text, const std::string& caption) {
    return AskYesNoFor(nullptr, text, caption);
}

bool AskYesNoFor(GUIElement* owner, const std::string& text, const std::string& caption) {
    return ShowBox(WindowOf(owner), text, caption, MB_TASKMODAL | MB_ICONQUESTION | MB_YESNO) ==
           IDYES;
}

}  // namespace OrvoUtility
