// The program's calls into the Windows shell and the standard dialogs:
// opening and launching targets, choosing a file and the modal message boxes.
// Texts are UTF-8 and widened to UTF-16 only at the system boundary; none of
// these keeps any state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace OrvoUtility {

class Form;
class GUIElement;

// Hands the target (a path, document or URL) to the shell with the verb "open".
bool OpenWithShell(const std::string& target);
// Like OpenWithShell with parameters; with startInFolder the target's own
// folder becomes the working folder of what starts. %NAME% in the target and
// the parameters is replaced by the environment variable. On failure `error`,
// when given, receives the system's error code; the shell shows nothing.
// Another verb of the target's may be given: with "runas" Windows asks the
// user to let it run as administrator, and a refusal fails with ERROR_CANCELLED,
// which the caller need not tell the user about.
bool LaunchTarget(const std::string& target, const std::string& parameters, bool startInFolder,
                  std::uint32_t* error = nullptr, const std::string& verb = "open");
// Opens the folder that holds the target in a shell window, the target
// selected; for a shortcut (.lnk), the folder of the file it points to, found
// without asking the user anything. %NAME% is expanded as for LaunchTarget.
// On failure `error`, when given, receives the system's error code.
bool OpenFolderAndSelect(const std::string& target, std::uint32_t* error = nullptr);
// The text with each %NAME% replaced by its environment variable, as a wide
// text, since a variable may hold any letter.
std::wstring ExpandedText(const std::string& text);
// The icon Explorer shows for the file, `size` pixels square: for a shortcut
// (.lnk) the icon it names, or else that of the file it points to. Null when
// the file gives none; the caller destroys it.
HICON FileIcon(const std::wstring& path, int size);
// The full path the user picked in the open-file dialog; empty when cancelled.
std::string ChooseFile(GUIElement* owner);
// The same choice as the system gives it, for a caller that must notice a
// character the narrow text cannot hold rather than store another file's name.
std::wstring ChooseFileWide(GUIElement* owner);
// A task-modal error box with the error icon.
void ShowError(Form* owner, const std::string& text, const std::string& caption);
// The same box, for news that is no error.
void ShowInformation(Form* owner, const std::string& text, const std::string& caption);
// Task-modal Yes/No questions; true only for Yes.
bool AskYesNo(const std::string& text, const std::string& caption);
bool AskYesNoFor(GUIElement* owner, const std::string& text, const std::string& caption);

}  // namespace OrvoUtility
