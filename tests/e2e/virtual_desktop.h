// The desktop the suite and the program under test share. Under Wine a named
// desktop with a size in HKCU\Software\Wine\Explorer\Desktops becomes a
// virtual desktop: one X window of that size in which Wine draws captions,
// frames and close boxes itself, so that a click on a close box is real and
// a screenshot shows whole windows. The test prefix is private, so the
// setting stays in it.
#pragma once

namespace ZelmivoE2E {

extern const wchar_t* const desktopName;

// Registers the size, creates the desktop and moves the calling thread onto
// it. Must run before the thread owns any window.
bool EnterVirtualDesktop(int width, int height);

}  // namespace ZelmivoE2E
