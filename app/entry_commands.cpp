#include "entry_commands.h"

#include <windows.h>

#include <cstdint>

#include "clipboard.h"
#include "copied_path.h"
#include "file_system.h"
#include "form.h"
#include "shell.h"
#include "target_address.h"

namespace MyApp {

void LaunchEntry(OrvoUtility::Form& window, const App& app, const std::string& verb) {
    // Copies: the shell may dispatch messages while it starts the target.
    const std::string pathname = app.pathname;
    const std::string parameters = app.parameters;
    std::uint32_t error = 0;
    if (OrvoUtility::LaunchTarget(pathname, parameters, !IsSchemeAddress(pathname), &error, verb) ||
        error == ERROR_CANCELLED) {
        return;
    }
    OrvoUtility::ShowError(
        &window, "Impossibile aprire\r\n" + pathname + "\r\n\r\n" + SystemErrorText(error),
        "Errore");
}

void OpenEntryFolder(OrvoUtility::Form& window, const App& app) {
    const std::string pathname = app.pathname;
    std::uint32_t error = 0;
    if (OrvoUtility::OpenFolderAndSelect(pathname, &error)) return;
    OrvoUtility::ShowError(
        &window,
        "Impossibile aprire la cartella di\r\n" + pathname + "\r\n\r\n" + SystemErrorText(error),
        "Errore");
}

void CopyEntryPath(OrvoUtility::Form& window, const App& app) {
    if (OrvoUtility::CopyTextToClipboard(&window,
                                         CopiedPath(OrvoUtility::ExpandedText(app.pathname)))) {
        return;
    }
    OrvoUtility::ShowError(&window,
                           "Impossibile copiare il percorso negli appunti: un altro programma li "
                           "sta usando. Riprovare tra un momento.",
                           "Errore");
}

}  // namespace MyApp
