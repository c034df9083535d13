// The steps every native control's Create shares: a fresh control id and the
// window of a system class inside the parent's window.
#pragma once

#include <windows.h>

namespace OrvoUtility {

class GUIElement;

// Takes the next id from the counter and creates the window; a failure leaves
// `hwnd` null (the error is read and dropped). Does not subclass the window.
void CreateControlWindow(GUIElement& element, const wchar_t* className, DWORD style,
                         DWORD extendedStyle);
// The last steps: the tooltip and the font, for a created element.
void FinishControlWindow(GUIElement& element);

}  // namespace OrvoUtility
