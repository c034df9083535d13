#include "shell.h"

// windows.h comes first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
// clang-format on

#include <utility>
#include <vector>

#include "form.h"
#include "gui_element.h"
#include "text.h"

namespace OrvoUtility {

namespace {

constexpr int shellSuccessAbove = 32;
constexpr DWORD fileBufferLength = 4096;

HWND WindowOf(GUIElement* owner) {
    return owner != nullptr ? static_cast<HWND>(owner->hwnd) : nullptr;
}

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

bool ShellOpen(const std::wstring& target, const std::wstring& parameters,
               const std::wstring& folder) {
    HINSTANCE result = ShellExecuteW(nullptr, L"open", target.c_str(), OrNull(parameters),
                                     OrNull(folder), SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > shellSuccessAbove;
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

// The wide box shows every Latin-1 letter as it is, whatever the system code page.
int ShowBox(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    std::wstring wideText = Common::NarrowToWide(text);
    std::wstring wideCaption = Common::NarrowToWide(caption);
    return MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(), style);
}

}  // namespace

bool OpenWithShell(const std::string& target) {
    return ShellOpen(Common::NarrowToWide(target), std::wstring(), std::wstring());
}

bool LaunchTarget(const std::string& target, const std::string& parameters, bool startInFolder) {
    std::wstring folder;
    if (startInFolder) folder = Common::NarrowToWide(Common::DirectoryOf(target));
    return ShellOpen(Common::NarrowToWide(target), Common::NarrowToWide(parameters), folder);
}

std::string ChooseFile(GUIElement* owner) { return Common::WideToNarrow(ChooseFileWide(owner)); }

std::wstring ChooseFileWide(GUIElement* owner) {
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
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;

    if (!GetOpenFileNameW(&dialog)) return std::wstring();
    return file.data();
}

void ShowError(Form* owner, const std::string& text, const std::string& caption) {
    ShowBox(WindowOf(owner), text, caption, MB_TASKMODAL | MB_ICONERROR);
}

bool AskYesNo(const std::string& text, const std::string& caption) {
    return AskYesNoFor(nullptr, text, caption);
}

bool AskYesNoFor(GUIElement* owner, const std::string& text, const std::string& caption) {
    return ShowBox(WindowOf(owner), text, caption, MB_TASKMODAL | MB_ICONQUESTION | MB_YESNO) ==
           IDYES;
}

}  // namespace OrvoUtility
