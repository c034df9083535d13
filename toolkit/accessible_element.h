// How an element shows itself to screen readers: the accessible object that
// answers WM_GETOBJECT with the name, role and description its owner gave,
// and the events that tell of the owner's keyboard pick.
#pragma once

#include <windows.h>

#include "gui_element.h"

namespace OrvoUtility {

// The answer to WM_GETOBJECT (OBJID_CLIENT) for the window: the system's own
// object for its client area, with the info's texts and role in place of the
// system's. 0 when it could not be made: the window then gives its default
// answer.
LRESULT AccessibleObjectResult(HWND window, WPARAM wParam, const AccessibleInfo& info);

// Tell screen readers that the owner's pick moved to the element, as the
// keyboard focus or as the selection, whether or not its window has the
// focus. Nothing for an element without a window.
void NotifyFocus(GUIElement& element);
void NotifySelection(GUIElement& element);

}  // namespace OrvoUtility
