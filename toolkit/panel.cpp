#include "panel.h"

#include "brush_cache.h"
#include "drawing.h"
#include "font_description.h"
#include "win32_failure.h"
#include "window_class.h"
#include "window_procedure.h"

namespace OrvoUtility {

namespace {

constexpr std::int32_t bitmapMargin = 3;
constexpr std::int32_t selectedFrameWidth = 3;
// The cell font's height at 96 DPI.
constexpr std::int32_t usualFontSize = 14;

bool ReadScrollInfo(HWND window, int bar, SCROLLINFO& info) {
    info = SCROLLINFO();
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_ALL;
    return window != nullptr && GetScrollInfo(window, bar, &info) != FALSE;
}

void SetRangeAndPage(HWND window, int bar, std::int32_t minimum, std::int32_t maximum,
                     std::int32_t page) {
    // Setting a bar redraws it, which an edit that keeps the extent must not pay for.
    SCROLLINFO shown;
    if (ReadScrollInfo(window, bar, shown) && shown.nMin == minimum && shown.nMax == maximum &&
        shown.nPage == static_cast<UINT>(page)) {
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = static_cast<UINT>(page);
    SetScrollInfo(window, bar, &info, TRUE);
}

}  // namespace

PanelChildren::PanelChildren(GUIElement* parentElement)
    : Child(parentElement),
      onVerticalScroll(nullptr),
      onHorizontalScroll(nullptr),
      border(false),
      thinBorder(false),
      verticalScrollBar(false),
      horizontalScrollBar(false),
      scrollMinimum(0),
      scrollMaximum(100),
      tabStop(true),
      childTextColor(noColor),
      childBackColor(noColor) {}

PanelChildren::~PanelChildren() {
    if (dispatcher.lastPanel == this) dispatcher.lastPanel = nullptr;
}

DWORD PanelChildren::Style() const {
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (tabStop) style |= WS_TABSTOP;
    if (!enabled) style |= WS_DISABLED;
    if (border) style |= WS_BORDER;
    if (horizontalScrollBar) style |= WS_HSCROLL;
    if (verticalScrollBar) style |= WS_VSCROLL;
    return style;
}

void PanelChildren::Create() {
    if (created) return;
    id = dispatcher.NextId();
    HINSTANCE module = parent != nullptr ? parent->instance : nullptr;
    const wchar_t* className = WindowClassFor(WindowKind::Panel, module);
    if (className == nullptr) return;

    DWORD extendedStyle = border && !thinBorder ? WS_EX_CLIENTEDGE : 0;
    hwnd = CreateWindowExW(extendedStyle, className, text.c_str(), Style(), left, top, width,
                           height, parent != nullptr ? static_cast<HWND>(parent->hwnd) : nullptr,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, this);
    if (hwnd == nullptr) {
        RecordWin32Failure("CreateWindowExW");
        return;
    }
    // Made in full before it shows: its first paint must find it created,
    // or the window would show its background without its text.
    created = true;
    OnCreate(hwnd);
    SetScrollRange(scrollMinimum, scrollMaximum);
    ApplyFont();
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
}

void PanelChildren::OnLeftDown(std::int32_t x, std::int32_t y) {
    Child::OnLeftDown(x, y);
    dispatcher.lastPanel = this;
}

bool PanelChildren::OnScroll(int bar, int request) {
    if (!HandleScroll(bar, request)) return false;
    if (bar == SB_VERT) dispatcher.lastPanel = this;
    return true;
}

bool PanelChildren::OnWheel(int wheelDelta) {
    HandleWheel(wheelDelta);
    return true;
}

void PanelChildren::SetScrollRange(std::int32_t minimum, std::int32_t maximum) {
    scrollMinimum = minimum;
    scrollMaximum = maximum;
    if (!created || hwnd == nullptr) return;
    std::int32_t page = (maximum - minimum) / 10;
    if (verticalScrollBar) SetRangeAndPage(hwnd, SB_VERT, minimum, maximum, page);
    if (horizontalScrollBar) SetRangeAndPage(hwnd, SB_HORZ, minimum, maximum, page);
    FollowBars();
}

void PanelChildren::SetVerticalRange(std::int32_t extent) {
    scrollMinimum = 0;
    scrollMaximum = extent;
    if (!created || hwnd == nullptr) return;
    SetRangeAndPage(hwnd, SB_VERT, 0, extent + extent / 10, extent / 10);
    FollowBars();
}

void PanelChildren::SetHorizontalRange(std::int32_t extent) {
    scrollMinimum = 0;
    scrollMaximum = extent;
    if (!created || hwnd == nullptr) return;
    SetRangeAndPage(hwnd, SB_HORZ, 0, extent + extent / 10, extent / 10);
    FollowBars();
}

void PanelChildren::ScrollToLeft() { ScrollBarTo(SB_HORZ, 0); }

void PanelChildren::ScrollToTop() { ScrollBarTo(SB_VERT, 0); }

void PanelChildren::ScrollTo(std::int32_t x, std::int32_t y) {
    ScrollBarTo(SB_HORZ, x);
    ScrollBarTo(SB_VERT, y);
}

POINT PanelChildren::ScrollPosition() const { return moved; }

void PanelChildren::FollowBars() {
    SCROLLINFO info;
    POINT bars{0, 0};
    if (horizontalScrollBar && ReadScrollInfo(hwnd, SB_HORZ, info)) bars.x = info.nPos;
    if (verticalScrollBar && ReadScrollInfo(hwnd, SB_VERT, info)) bars.y = info.nPos;
    if (bars.x == moved.x && bars.y == moved.y) return;
    ScrollWindow(hwnd, moved.x - bars.x, moved.y - bars.y, nullptr, nullptr);
    moved = bars;
    UpdateWindow(hwnd);
}

void PanelChildren::SetBorder(bool value) {
    border = value;
    ApplyStyle();
}

void PanelChildren::SetHorizontalScrollBar(bool value) {
    horizontalScrollBar = value;
    ApplyStyle();
    if (created && hwnd != nullptr) FollowBars();
}

void PanelChildren::SetVerticalScrollBar(bool value) {
    verticalScrollBar = value;
    ApplyStyle();
    if (created && hwnd != nullptr) FollowBars();
}

void PanelChildren::ApplyStyle() {
    if (!created || hwnd == nullptr) return;
    // A changed frame is laid out and painted again: only a real change pays for it.
    if (static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) == Style()) return;
    if (SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(Style())) == 0) {
        RecordWin32Failure("SetWindowLongW");
        return;
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

bool PanelChildren::HandleScroll(int bar, int request) {
    if (!(bar == SB_VERT ? verticalScrollBar : horizontalScrollBar)) return false;
    SCROLLINFO info;
    // A bar whose state cannot be read (the window is gone) is left alone.
    if (!ReadScrollInfo(hwnd, bar, info)) return false;
    std::int32_t old = info.nPos;
    std::int32_t requested = old;
    switch (request) {
        case SB_LINEUP:
            requested = old - 1;
            break;
        case SB_LINEDOWN:
            requested = old + 1;
            break;
        case SB_PAGEUP:
            requested = old - static_cast<std::int32_t>(info.nPage);
            break;
        case SB_PAGEDOWN:
            requested = old + static_cast<std::int32_t>(info.nPage);
            break;
        case SB_THUMBTRACK:
            requested = info.nTrackPos;
            break;
        case SB_TOP:
            if (bar == SB_VERT) requested = info.nMin;
            break;
        case SB_BOTTOM:
            if (bar == SB_VERT) requested = info.nMax;
            break;
        default:
            break;
    }
    MoveBar(bar, old, requested);
    return true;
}

bool PanelChildren::HandleWheel(int wheelDelta) {
    if (!verticalScrollBar) return false;
    SCROLLINFO info;
    if (!ReadScrollInfo(hwnd, SB_VERT, info)) return false;
    std::int32_t page = static_cast<std::int32_t>(info.nPage);
    MoveBar(SB_VERT, info.nPos, wheelDelta > 0 ? info.nPos - page : info.nPos + page);
    return true;
}

void PanelChildren::ScrollBarTo(int bar, std::int32_t position) {
    if (!(bar == SB_VERT ? verticalScrollBar : horizontalScrollBar)) return;
    SCROLLINFO info;
    if (!ReadScrollInfo(hwnd, bar, info)) return;
    MoveBar(bar, info.nPos, position);
}

void PanelChildren::MoveBar(int bar, std::int32_t old, std::int32_t requested) {
    if (requested != old) {
        SCROLLINFO position{};
        position.cbSize = sizeof(SCROLLINFO);
        position.fMask = SIF_POS;
        position.nPos = requested;
        SetScrollInfo(hwnd, bar, &position, TRUE);
    }
    // The content moves by what the bar really moved.
    FollowBars();
    // The handler hears the change asked for, even when the bar stopped short.
    ScrollHandler handler = bar == SB_HORZ ? onHorizontalScroll : onVerticalScroll;
    if (requested != old && handler != nullptr) handler(this, old - requested);
}

HBRUSH PanelChildren::OnControlColor(HDC dc) {
    // Left selected, not restored: the control paints its text with it.
    if (font != nullptr) {
        HFONT handle = font->GetHandle();
        if (handle != nullptr) SelectObject(dc, handle);
    }
    COLORREF background = childBackColor != noColor ? childBackColor : backColor;
    // Both borrowed: the cache's brush and the system's are never deleted here.
    HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
    if (background != noColor) {
        SetBkColor(dc, background);
        brush = SolidBrushFor(background);
    }
    if (childTextColor != noColor) SetTextColor(dc, childTextColor);
    return brush;
}

CellControl::CellControl(GUIElement* parentElement)
    : PanelChildren(parentElement),
      bitmap(nullptr),
      bitmapAlignment(TextAlignment::Right),
      bitmapWidth(0),
      bitmapHeight(0),
      marker(false),
      selected(false),
      bold(false),
      underline(false),
      italic(false),
      faceName("Tahoma"),
      fontSize(14),
      textAlignment(TextAlignment::Center),
      textColor(0) {
    tabStop = false;
}

void CellControl::SetText(std::wstring value) {
    PanelChildren::SetText(value);
    if (created && hwnd != nullptr) InvalidateRect(hwnd, nullptr, TRUE);
}

void CellControl::SetBitmap(HBITMAP image) {
    bitmap = image;
    BITMAP size{};
    if (image != nullptr && GetObjectW(image, sizeof(BITMAP), &size) != 0) {
        bitmapWidth = size.bmWidth;
        bitmapHeight = size.bmHeight;
    } else {
        bitmapWidth = 0;
        bitmapHeight = 0;
    }
    if (created && hwnd != nullptr) InvalidateRect(hwnd, nullptr, TRUE);
}

void CellControl::OnPaint() {
    RECT client;
    if (created && hwnd != nullptr && GetClientRect(hwnd, &client)) {
        std::int32_t clientWidth = client.right - client.left;
        std::int32_t clientHeight = client.bottom - client.top;
        FontDescription tileFont(faceName, fontSize);
        tileFont.bold = bold;
        tileFont.italic = italic;
        tileFont.underline = underline;
        FontDescription* textFont = font != nullptr ? font : &tileFont;

        Drawing drawing(this);
        drawing.BeginDrawing();
        if (paintBackground) drawing.FillRectangle(0, 0, clientWidth, clientHeight, backColor);
        std::int32_t textHeight = drawing.GetFontHeight(textFont);
        if (!text.empty()) {
            std::int32_t y = (client.bottom - textHeight - client.top) / 2;
            drawing.DrawText(0, y, clientWidth, client.bottom - y, text, textColor, textFont,
                             textAlignment);
        }
        if (marker) {
            drawing.DrawTextNarrow(client.right - textHeight, client.bottom - textHeight,
                                   textHeight, textHeight, "*", textColor, textFont,
                                   TextAlignment::Center);
        }
        if (bitmap != nullptr) {
            std::int32_t y = (client.bottom - bitmapHeight - client.top) / 2;
            std::int32_t x = bitmapMargin;
            if (bitmapAlignment == TextAlignment::Right) {
                x = client.right - bitmapWidth - bitmapMargin;
            } else if (bitmapAlignment == TextAlignment::Center) {
                x = (client.right - bitmapWidth - client.left) / 2;
            }
            drawing.DrawTransparentBitmap(x, y, 0, 0, bitmap);
        }
        // The frame grows with the cell's font, which follows the DPI.
        const std::int32_t frameWidth = MulDiv(selectedFrameWidth, fontSize, usualFontSize);
        for (std::int32_t inset = 0; selected && inset < frameWidth; ++inset) {
            drawing.FrameRectangle(inset, inset, clientWidth - 2 * inset, clientHeight - 2 * inset,
                                   textColor);
        }
        drawing.EndDrawing();
    }
}

}  // namespace OrvoUtility
