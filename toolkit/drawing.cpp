#include "drawing.h"

#include "font_description.h"
#include "gui_element.h"
#include "scoped_gdi.h"
#include "text.h"
#include "win32_failure.h"

namespace OrvoUtility {

namespace {

// Texts are drawn from a buffer of this many characters, the last one reserved
// for the terminator.
constexpr std::size_t textBufferLength = 1024;

}  // namespace

Drawing::Drawing(GUIElement* paintedElement)
    : element(paintedElement), dc(nullptr), attached(false), paint() {}

Drawing::~Drawing() { EndDrawing(); }

void Drawing::OnDrawFailure() {}

void Drawing::BeginDrawing() { dc = BeginPaint(element->hwnd, &paint); }

void Drawing::AttachDeviceContext(HDC context) {
    attached = true;
    dc = context;
}

void Drawing::EndDrawing() {
    if (attached) {
        attached = false;
        dc = nullptr;
        return;
    }
    if (dc == nullptr) return;
    EndPaint(element->hwnd, &paint);
    dc = nullptr;
}

void Drawing::FillRectangle(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                            std::int32_t boxHeight, COLORREF color) {
    if (dc == nullptr) return;
    ScopedGdiObject<HPEN> pen(CreatePen(PS_NULL, 1, 0));
    ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    ScopedSelection penSelection(dc, pen.Get());
    ScopedSelection brushSelection(dc, brush.Get());
    // A null pen leaves the right and bottom edges out, so the extra pixel is added.
    Rectangle(dc, x, y, x + boxWidth + 1, y + boxHeight + 1);
}

void Drawing::FrameRectangle(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                             std::int32_t boxHeight, COLORREF color) {
    if (dc == nullptr) return;
    ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    ScopedSelection brushSelection(dc, GetStockObject(NULL_BRUSH));
    ScopedSelection penSelection(dc, pen.Get());
    Rectangle(dc, x, y, x + boxWidth, y + boxHeight);
}

void Drawing::DrawText(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                       std::int32_t boxHeight, std::wstring value, COLORREF color,
                       FontDescription* textFont, TextAlignment alignment) {
    if (dc == nullptr) return;
    SetBkMode(dc, TRANSPARENT);
    if (value.size() > textBufferLength - 1) value.resize(textBufferLength - 1);
    UINT format = DT_LEFT;
    if (alignment == TextAlignment::Right) {
        format = DT_RIGHT;
    } else if (alignment == TextAlignment::Center) {
        format = DT_CENTER;
    }
    if (boxWidth == 0 || boxHeight == 0) format |= DT_NOCLIP;
    // A text longer than its box ends in "..." rather than mid-letter, and an
    // "&" is a letter like any other.
    format |= DT_END_ELLIPSIS | DT_NOPREFIX;
    RECT box{x, y, x + boxWidth, y + boxHeight};
    ScopedSelection fontSelection(dc, textFont != nullptr ? textFont->GetHandle() : nullptr);
    COLORREF oldColor = SetTextColor(dc, color);
    int length = static_cast<int>(value.size());
    if (boxWidth != 0 && boxHeight != 0) {
        ::DrawTextW(dc, value.c_str(), length, &box, format);
    } else {
        TextOutW(dc, x, y, value.c_str(), length);
    }
    SetTextColor(dc, oldColor);
}

void Drawing::DrawTextNarrow(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                             std::int32_t boxHeight, std::string value, COLORREF color,
                             FontDescription* textFont, TextAlignment alignment) {
    DrawText(x, y, boxWidth, boxHeight, Common::NarrowToWide(value), color, textFont, alignment);
}

std::int32_t Drawing::GetFontHeight(FontDescription* textFont) {
    if (dc == nullptr || textFont == nullptr) return -1;
    ScopedSelection fontSelection(dc, textFont->GetHandle());
    TEXTMETRICW metrics;
    return GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : -1;
}

void Drawing::DrawTransparentBitmap(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                                    std::int32_t boxHeight, HBITMAP bitmap) {
    if (dc == nullptr) return;
    ScopedMemoryDC source(dc);
    if (source.Get() == nullptr) OnDrawFailure();
    ScopedMemoryDC mask(dc);
    if (mask.Get() == nullptr) OnDrawFailure();
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof(BITMAP), &info) == 0) OnDrawFailure();
    std::int32_t bitmapWidth = info.bmWidth;
    std::int32_t bitmapHeight = info.bmHeight;
    ScopedGdiObject<HBITMAP> maskBitmap(CreateBitmap(bitmapWidth, bitmapHeight, 1, 1, nullptr));
    if (maskBitmap.Get() == nullptr) OnDrawFailure();

    // Declared after the contexts and the mask bitmap: deselected before they go.
    ScopedSelection maskSelection(mask.Get(), maskBitmap.Get());
    ScopedSelection sourceSelection(source.Get(), bitmap);
    if (source.Get() != nullptr) SetBkColor(source.Get(), RGB(0, 0, 0));
    // Black source pixels become white in the mask, all others black.
    if (!BitBlt(mask.Get(), 0, 0, bitmapWidth, bitmapHeight, source.Get(), 0, 0, SRCCOPY)) {
        OnDrawFailure();
    }
    // The mask keeps the target where the source is black; the second blit then
    // adds the source, whose black adds nothing. A monochrome blit takes its two
    // colours from the target, so they are pinned to white and black meanwhile.
    COLORREF oldBackground = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    if (boxWidth != 0 && boxHeight != 0) {
        if (!StretchBlt(dc, x, y, boxWidth, boxHeight, mask.Get(), 0, 0, bitmapWidth, bitmapHeight,
                        SRCAND)) {
            OnDrawFailure();
        }
        if (!StretchBlt(dc, x, y, boxWidth, boxHeight, source.Get(), 0, 0, bitmapWidth,
                        bitmapHeight, SRCPAINT)) {
            OnDrawFailure();
        }
    } else {
        if (!BitBlt(dc, x, y, bitmapWidth, bitmapHeight, mask.Get(), 0, 0, SRCAND)) {
            OnDrawFailure();
        }
        if (!BitBlt(dc, x, y, bitmapWidth, bitmapHeight, source.Get(), 0, 0, SRCPAINT)) {
            OnDrawFailure();
        }
    }
    SetBkColor(dc, oldBackground);
    SetTextColor(dc, oldText);
}

HBITMAP LoadBitmapFromFile(std::string path) {
    HANDLE image = LoadImageW(nullptr, Common::NarrowToWide(path).c_str(), IMAGE_BITMAP, 0, 0,
                              LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (image == nullptr) RecordWin32Failure("LoadImageW");
    return static_cast<HBITMAP>(image);
}

}  // namespace OrvoUtility
