// The one window procedure of every toolkit window and the program's message
// loop, with the little state the dispatcher keeps between messages.
#pragma once

#include <windows.h>

namespace OrvoUtility {

class Form;
class PanelChildren;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Runs until WM_QUIT, which the destruction of the main window posts.
void RunMessageLoop();

// What the dispatcher keeps between messages, for the whole process.
struct Dispatcher {
    // The window of the first form created; its destruction ends the program.
    HWND mainWindow = nullptr;
    // The form most recently activated in the foreground.
    Form* activeForm = nullptr;
    // The panel that last took a left press or a vertical scroll: the wheel target.
    PanelChildren* lastPanel = nullptr;
};
extern Dispatcher dispatcher;

}  // namespace OrvoUtility
