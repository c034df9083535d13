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
#include "win32_failure.h"

namespace OrvoUtility {

namespace {

constexpr int shellSuccessAbove = 32;
constexpr DWORD fileBufferLength = 4096;

HWND WindowOf(GUIElement* owner) {
    return owner != nullptr ? static_cast<HWND>(owner->hwnd) : nullptr;
}

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// The shell shows no box of its own: what went wrong is the caller's to say,
// in the program's language, the same on every system.
bool ShellOpen(const std::wstring& target, const std::wstring& parameters,
               const std::wstring& folder, std::uint32_t* error) {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
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
    return ShellOpen(Common::NarrowToWide(target), std::wstring(), std::wstring(), nullptr);
}

std::wstring ExpandedText(const std::string& text) {
    std::wstring wide = Common::NarrowToWide(text);
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

bool LaunchTarget(const std::string& target, const std::string& parameters, bool startInFolder,
                  std::uint32_t* error) {
    std::wstring expandedTarget = ExpandedText(target);
    std::wstring folder;
    if (startInFolder) {
        // The folder part with its final "\" (or ":"), as DirectoryOf takes it
        // from a narrow path; the expanded one may hold any letter.
        std::wstring::size_type at = expandedTarget.find_last_of(L"\\/");
        if (at == std::wstring::npos) at = expandedTarget.rfind(L':');
        if (at != std::wstring::npos) folder = expandedTarget.substr(0, at + 1);
    }
    return ShellOpen(expandedTarget, ExpandedText(parameters), folder, error);
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
    // Browsing must not move the current folder, against which a bare program
    // name would be resolved.
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

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
