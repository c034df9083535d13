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

// The window of the first form created; its destruction ends the program.
extern HWND mainWindow;
// The form most recently activated in the foreground.
extern Form* activeForm;
// The panel that last took a left press or a vertical scroll: the wheel target.
extern PanelChildren* lastPanel;

}  // namespace OrvoUtility
