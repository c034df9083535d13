// One solid brush per colour for the whole program, for the answers to
// WM_CTLCOLOR*: a message asked for again and again gets the same brush. The
// cache owns every brush it hands out; they last until the program ends.
// (A window class's background brush is not one of them: unregistering the
// class deletes it.)
#pragma once

#include <windows.h>

namespace OrvoUtility {

// The brush of this colour, made on first use; null when it cannot be made.
// Callers borrow it and never delete it.
HBRUSH SolidBrushFor(COLORREF color);

}  // namespace OrvoUtility
