// Files dropped the way Explorer drops them: an HDROP in a WM_DROPFILES
// message, built here from paths and a point in the target's client area.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ZelmivoTest {

// Sends the drop to the window and waits until it is handled.
void DropFiles(HWND window, const std::vector<std::wstring>& paths, POINT point);

}  // namespace ZelmivoTest
