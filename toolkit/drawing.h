// One painting pass over a device context, with the primitives owner-drawn
// buttons and tiles need. Every GDI object a primitive makes is deleted and
// every object it selects is deselected before it returns.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "text_alignment.h"

// The Win32 macro would rename the member below.
#undef DrawText

namespace OrvoUtility {

class FontDescription;
class GUIElement;

class Drawing {
public:
    explicit Drawing(GUIElement* paintedElement);
    virtual ~Drawing();
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    virtual void OnDrawFailure();

    void BeginDrawing();
    // The context belongs to the system (WM_DRAWITEM); EndDrawing does not release it.
    void AttachDeviceContext(HDC context);
    void EndDrawing();

    void FillRectangle(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                       std::int32_t boxHeight, COLORREF color);
    void FrameRectangle(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                        std::int32_t boxHeight, COLORREF color);
    // A zero width or height writes the text at (x, y) unclipped.
    void DrawText(std::int32_t x, std::int32_t y, std::int32_t boxWidth, std::int32_t boxHeight,
                  std::wstring value, COLORREF color, FontDescription* textFont,
                  TextAlignment alignment);
    void DrawTextNarrow(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                        std::int32_t boxHeight, std::string value, COLORREF color,
                        FontDescription* textFont, TextAlignment alignment);
    std::int32_t GetFontHeight(FontDescription* textFont);
    // Black source pixels leave the target unchanged; a zero width or height
    // draws the bitmap at its own size.
    void DrawTransparentBitmap(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                               std::int32_t boxHeight, HBITMAP bitmap);

    GUIElement* element;
    HDC dc;
    bool attached;
    PAINTSTRUCT paint;
};

// The caller owns the bitmap; null when the file cannot be loaded.
HBITMAP LoadBitmapFromFile(std::string path);

}  // namespace OrvoUtility
