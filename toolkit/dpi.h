// The dots per inch a window is shown at, and sizes scaled to it: 96 is 100%.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "font_description.h"

namespace OrvoUtility {

constexpr std::int32_t defaultDpi = 96;

// The window's DPI: GetDpiForWindow where the system has it (Windows 10
// 1607 and later, and Wine), else the screen's LOGPIXELSX, else 96.
std::int32_t WindowDpi(HWND window);
// A size given at 96 DPI, at `dpi`.
std::int32_t ScaleForDpi(std::int32_t value, std::int32_t dpi);
// The system font, which the system made for its own DPI, as it looks at
// `dpi`; a 16-pixel bold face where the system gives none.
std::unique_ptr<FontDescription> SystemFontAt(std::int32_t dpi);
// The font of the controls that have none of their own, the system font at
// `dpi` with its width too; null where that is the system font itself.
std::unique_ptr<FontDescription> ControlFontAt(std::int32_t dpi);

}  // namespace OrvoUtility
