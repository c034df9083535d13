// The program entry: the main window lives for as long as the message loop runs.
#include <windows.h>

#include <memory>
#include <string>

#include "formmain.h"
#include "product_info.h"
#include "safe_folders.h"
#include "single_instance.h"
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
    MyApp::MarkAsFirstInstance(form->hwnd);
    OrvoUtility::RunMessageLoop();
    return 0;
}
