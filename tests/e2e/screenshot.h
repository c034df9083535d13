// Pictures of what is on the screen, as 24-bit BMP files.
#pragma once

#include <windows.h>

#include <string>

namespace ZelmivoE2E {

// Copies `area` of the screen into a BMP file; false when nothing was written.
bool SaveScreenshot(const std::wstring& path, const RECT& area);
RECT WholeScreen();

}  // namespace ZelmivoE2E
