// The one window procedure of every toolkit window and the program's message
// loop; what they keep between messages is the dispatcher's (gui_element.h).
#pragma once

#include <windows.h>

#include "gui_element.h"

namespace OrvoUtility {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Runs until WM_QUIT, which the destruction of the main window posts.
void RunMessageLoop();

}  // namespace OrvoUtility
