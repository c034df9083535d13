// Pictures of what is on the screen, as 24-bit BMP files, and single pixels.
#pragma once

#include <windows.h>

#include <string>

namespace ZelmivoE2E {

// Copies `area` of the screen into a BMP file; false when nothing was written.
bool SaveScreenshot(const std::wstring& path, const RECT& area);
RECT WholeScreen();
// The colour the screen shows at a point.
COLORREF ScreenPixel(POINT point);

}  // namespace ZelmivoE2E
