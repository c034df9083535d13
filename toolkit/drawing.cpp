#include "drawing.h"

#include "font_description.h"
#include "gui_element.h"
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
    HPEN pen = CreatePen(PS_NULL, 1, 0);
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldPen = pen != nullptr ? SelectObject(dc, pen) : nullptr;
    HGDIOBJ oldBrush = brush != nullptr ? SelectObject(dc, brush) : nullptr;
    // A null pen leaves the right and bottom edges out, so the extra pixel is added.
    Rectangle(dc, x, y, x + boxWidth + 1, y + boxHeight + 1);
    if (oldPen != nullptr) SelectObject(dc, oldPen);
    if (oldBrush != nullptr) SelectObject(dc, oldBrush);
    if (pen != nullptr) DeleteObject(pen);
    if (brush != nullptr) DeleteObject(brush);
}

void Drawing::FrameRectangle(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                             std::int32_t boxHeight, COLORREF color) {
    if (dc == nullptr) return;
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = pen != nullptr ? SelectObject(dc, pen) : nullptr;
    Rectangle(dc, x, y, x + boxWidth, y + boxHeight);
    if (oldPen != nullptr) SelectObject(dc, oldPen);
    if (oldBrush != nullptr) SelectObject(dc, oldBrush);
    if (pen != nullptr) DeleteObject(pen);
}

void Drawing::DrawText(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                       std::int32_t boxHeight, std::wstring value, COLORREF color,
                       FontDescription* textFont, std::int32_t alignment) {
    if (dc == nullptr) return;
    SetBkMode(dc, TRANSPARENT);
    if (value.size() > textBufferLength - 1) value.resize(textBufferLength - 1);
    UINT format = DT_LEFT;
    if (alignment == 1) {
        format = DT_RIGHT;
    } else if (alignment == 2) {
        format = DT_CENTER;
    }
    if (boxWidth == 0 || boxHeight == 0) format |= DT_NOCLIP;
    // A text longer than its box ends in "..." rather than mid-letter, and an
    // "&" is a letter like any other.
    format |= DT_END_ELLIPSIS | DT_NOPREFIX;
    RECT box{x, y, x + boxWidth, y + boxHeight};
    HGDIOBJ oldFont = nullptr;
    HFONT handle = textFont != nullptr ? textFont->GetHandle() : nullptr;
    if (handle != nullptr) oldFont = SelectObject(dc, handle);
    COLORREF oldColor = SetTextColor(dc, color);
    int length = static_cast<int>(value.size());
    if (boxWidth != 0 && boxHeight != 0) {
        ::DrawTextW(dc, value.c_str(), length, &box, format);
    } else {
        TextOutW(dc, x, y, value.c_str(), length);
    }
    SetTextColor(dc, oldColor);
    if (oldFont != nullptr) SelectObject(dc, oldFont);
}

void Drawing::DrawTextNarrow(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                             std::int32_t boxHeight, std::string value, COLORREF color,
                             FontDescription* textFont, std::int32_t alignment) {
    DrawText(x, y, boxWidth, boxHeight, Common::NarrowToWide(value), color, textFont, alignment);
}

std::int32_t Drawing::GetFontHeight(FontDescription* textFont) {
    if (dc == nullptr || textFont == nullptr) return -1;
    HFONT handle = textFont->GetHandle();
    HGDIOBJ oldFont = handle != nullptr ? SelectObject(dc, handle) : nullptr;
    TEXTMETRICW metrics;
    std::int32_t result = GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : -1;
    if (oldFont != nullptr) SelectObject(dc, oldFont);
    return result;
}

void Drawing::DrawTransparentBitmap(std::int32_t x, std::int32_t y, std::int32_t boxWidth,
                                    std::int32_t boxHeight, HBITMAP bitmap) {
    if (dc == nullptr) return;
    HDC source = CreateCompatibleDC(dc);
    if (source == nullptr) OnDrawFailure();
    HDC mask = CreateCompatibleDC(dc);
    if (mask == nullptr) OnDrawFailure();
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof(BITMAP), &info) == 0) OnDrawFailure();
    std::int32_t bitmapWidth = info.bmWidth;
    std::int32_t bitmapHeight = info.bmHeight;
    HBITMAP maskBitmap = CreateBitmap(bitmapWidth, bitmapHeight, 1, 1, nullptr);
    if (maskBitmap == nullptr) OnDrawFailure();

    HGDIOBJ oldMask =
        mask != nullptr && maskBitmap != nullptr ? SelectObject(mask, maskBitmap) : nullptr;
    HGDIOBJ oldSource = source != nullptr ? SelectObject(source, bitmap) : nullptr;
    if (source != nullptr) SetBkColor(source, RGB(0, 0, 0));
    // Black source pixels become white in the mask, all others black.
    if (!BitBlt(mask, 0, 0, bitmapWidth, bitmapHeight, source, 0, 0, SRCCOPY)) OnDrawFailure();
    // The mask keeps the target where the source is black; the second blit then
    // adds the source, whose black adds nothing. A monochrome blit takes its two
    // colours from the target, so they are pinned to white and black meanwhile.
    COLORREF oldBackground = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    if (boxWidth != 0 && boxHeight != 0) {
        if (!StretchBlt(dc, x, y, boxWidth, boxHeight, mask, 0, 0, bitmapWidth, bitmapHeight,
                        SRCAND)) {
            OnDrawFailure();
        }
        if (!StretchBlt(dc, x, y, boxWidth, boxHeight, source, 0, 0, bitmapWidth, bitmapHeight,
                        SRCPAINT)) {
            OnDrawFailure();
        }
    } else {
        if (!BitBlt(dc, x, y, bitmapWidth, bitmapHeight, mask, 0, 0, SRCAND)) OnDrawFailure();
        if (!BitBlt(dc, x, y, bitmapWidth, bitmapHeight, source, 0, 0, SRCPAINT)) OnDrawFailure();
    }

    SetBkColor(dc, oldBackground);
    SetTextColor(dc, oldText);
    if (oldMask != nullptr) SelectObject(mask, oldMask);
    if (oldSource != nullptr) SelectObject(source, oldSource);
    if (maskBitmap != nullptr) DeleteObject(maskBitmap);
    if (mask != nullptr) DeleteDC(mask);
    if (source != nullptr) DeleteDC(source);
}

HBITMAP LoadBitmapFromFile(std::string path) {
    HANDLE image = LoadImageW(nullptr, Common::NarrowToWide(path).c_str(), IMAGE_BITMAP, 0, 0,
                              LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (image == nullptr) RecordWin32Failure("LoadImageW");
    return static_cast<HBITMAP>(image);
}

}  // namespace OrvoUtility
