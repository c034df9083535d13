// The program entry: the main window lives for as long as the message loop runs.
#include <windows.h>

#include <memory>
#include <string>

#include "file_system.h"
#include "formmain.h"
#include "product_info.h"
#include "safe_folders.h"
#include "shell.h"
#include "single_instance.h"
#include "start_with_windows.h"
#include "window_procedure.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    MyApp::UseSafeFolders();
    // A second start reads and writes nothing: the first one has the file.
    MyApp::SingleInstance onePerSession;
    if (!onePerSession.IsFirst()) {
        onePerSession.BringFirstForward();
        return 0;
    }
    std::string title = std::string("Orvo Zelmivo") + " " + MyApp::productCopyright;
    auto form = std::make_unique<MyApp::FormMain>(instance, title);
    if (!form->created) {
        DWORD reason = GetLastError();
        OrvoUtility::ShowError(
            nullptr,
            "Impossibile aprire la finestra di Zelmivo.\r\n\r\n" + MyApp::SystemErrorText(reason),
            "Errore");
        return 1;
    }
    // The form shows itself as it is made; a start at sign-in goes straight to
    // the taskbar.
    if (MyApp::StartMinimised(GetCommandLineW())) ShowWindow(form->hwnd, SW_MINIMIZE);
    MyApp::MarkAsFirstInstance(form->hwnd);
    OrvoUtility::RunMessageLoop();
    return 0;
}
