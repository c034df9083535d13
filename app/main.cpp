// The program entry: the main window lives for as long as the message loop runs.
#include <windows.h>

#include <string>

#include "formmain.h"
#include "product_info.h"
#include "window_procedure.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    std::string title = std::string("Orvo Zelmivo") + " " + MyApp::productCopyright;
    MyApp::FormMain* form = new MyApp::FormMain(instance, title);
    OrvoUtility::RunMessageLoop();
    delete form;
    return 0;
}
