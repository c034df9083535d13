#include "floor_frame.h"

#include <string>

namespace Bench {

const wchar_t* const floorPanelClass = L"ZelmivoFloorPanel";

namespace {

const wchar_t* const frameClass = L"ZelmivoFloorFrame";
const wchar_t* const cellClass = L"ZelmivoFloorCell";

// The main window's colours.
constexpr COLORREF panelColor = 0xC0C0C0;
constexpr COLORREF tileColor = 0xDCDCDC;
constexpr COLORREF headerColor = 0x2A2AA5;
constexpr COLORREF headerTextColor = 0xFFFFFF;
constexpr COLORREF addTextColor = 0xFF0000;
// A cell keeps its two colours in its window's extra bytes.
constexpr int backColorSlot = 0;
constexpr int textColorSlot = sizeof(LONG);
constexpr int tileImageMargin = 5;
constexpr int tileCaptionGap = 8;

const FloorFrame* FrameOf(HWND panel) {
    return reinterpret_cast<const FloorFrame*>(GetWindowLongPtrW(panel, GWLP_USERDATA));
}

std::wstring TextOf(HWND window) {
    wchar_t text[128] = L"";
    GetWindowTextW(window, text, 128);
    return text;
}

void Fill(HDC dc, const RECT& box, COLORREF color) {
    SetDCBrushColor(dc, color);
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawTile(const DRAWITEMSTRUCT& item, const FloorFrame& frame) {
    RECT box = item.rcItem;
    Fill(item.hDC, box, tileColor);
    SetDCBrushColor(item.hDC, 0);
    FrameRect(item.hDC, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    DrawIconEx(item.hDC, box.left + tileImageMargin, (box.bottom - box.top - tileIconSize) / 2,
               frame.icon, tileIconSize, tileIconSize, 0, nullptr, DI_NORMAL);
    RECT caption{box.left + tileImageMargin + tileIconSize + tileCaptionGap, box.top, box.right,
                 box.bottom};
    HGDIOBJ previous = SelectObject(item.hDC, frame.font);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, 0);
    std::wstring text = TextOf(item.hwndItem);
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &caption,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(item.hDC, previous);
    if ((item.itemState & ODS_FOCUS) != 0) {
        InflateRect(&box, -3, -3);
        DrawFocusRect(item.hDC, &box);
    }
}

void PaintCell(HWND cell) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(cell, &paint);
    const FloorFrame* frame = FrameOf(GetParent(cell));
    if (dc != nullptr && frame != nullptr) {
        RECT box;
        GetClientRect(cell, &box);
        Fill(dc, box, static_cast<COLORREF>(GetWindowLongW(cell, backColorSlot)));
        HGDIOBJ previous = SelectObject(dc, frame->font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, static_cast<COLORREF>(GetWindowLongW(cell, textColorSlot)));
        std::wstring text = TextOf(cell);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, previous);
    }
    EndPaint(cell, &paint);
}

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const FloorFrame* frame = FrameOf(window);
    if (message == WM_DRAWITEM && frame != nullptr) {
        DrawTile(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), *frame);
        return TRUE;
    }
    if (message == WM_CTLCOLORBTN) {
        SetDCBrushColor(reinterpret_cast<HDC>(wParam), tileColor);
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CellProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The cell paints all of itself.
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
        PaintCell(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance) {
    auto add = [instance](WNDPROC procedure, const wchar_t* cursor, HBRUSH brush,
                          const wchar_t* name, int extraBytes) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.cbWndExtra = extraBytes;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, cursor);
        windowClass.hbrBackground = brush;
        windowClass.lpszClassName = name;
        return RegisterClassW(&windowClass) != 0;
    };
    // The panel's brush is kept for the life of the process, as the class is.
    return add(FrameProcedure, IDC_ARROW, GetSysColorBrush(COLOR_BTNFACE), frameClass, 0) &&
           add(PanelProcedure, IDC_ARROW, CreateSolidBrush(panelColor), floorPanelClass, 0) &&
           add(CellProcedure, IDC_HAND, nullptr, cellClass, 2 * sizeof(LONG));
}

HMENU MenuBar() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"&Esci");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, 2, L"&Guida");
    AppendMenuW(help, MF_STRING, 3, L"&Home");
    AppendMenuW(help, MF_STRING, 4, L"&Info...");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&?");
    return bar;
}

void SetCellColors(HWND cell, PlaceKind kind) {
    bool header = kind == PlaceKind::Header;
    SetWindowLongW(cell, backColorSlot, static_cast<LONG>(header ? headerColor : panelColor));
    SetWindowLongW(cell, textColorSlot, static_cast<LONG>(header ? headerTextColor : addTextColor));
}

}  // namespace

FloorFrame::FloorFrame(HINSTANCE moduleInstance, DWORD panelBars)
    : frame(nullptr), panel(nullptr), font(nullptr), icon(nullptr), instance(moduleInstance) {
    static const bool registered = RegisterClasses(instance);
    if (!registered) return;
    font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       L"Tahoma");
    icon = static_cast<HICON>(
        LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, tileIconSize, tileIconSize, LR_SHARED));
    SIZE size = MainWindowSize();
    // The menu belongs to the frame from here on.
    frame = CreateWindowExW(0, frameClass, L"Floor", WS_OVERLAPPEDWINDOW, 0, 0, size.cx, size.cy,
                            nullptr, MenuBar(), instance, nullptr);
    RECT client{};
    if (frame == nullptr || !GetClientRect(frame, &client)) return;
    panel = CreateWindowExW(WS_EX_CLIENTEDGE, floorPanelClass, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | panelBars,
                            layoutMargin, layoutMargin, client.right - 2 * layoutMargin,
                            client.bottom - 2 * layoutMargin, frame, nullptr, instance, nullptr);
    if (panel != nullptr) SetWindowLongPtrW(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

FloorFrame::~FloorFrame() {
    // The windows go before the font they paint with.
    if (frame != nullptr && IsWindow(frame)) DestroyWindow(frame);
    if (font != nullptr) DeleteObject(font);
}

bool FloorFrame::Made() const { return panel != nullptr && font != nullptr && icon != nullptr; }

RECT FloorFrame::Shown(POINT origin) const {
    RECT shown{};
    GetClientRect(panel, &shown);
    OffsetRect(&shown, origin.x, origin.y);
    return shown;
}

HWND FloorFrame::Make(const Place& place, POINT origin) {
    bool tile = place.kind == PlaceKind::Tile;
    DWORD style = WS_CHILD | WS_VISIBLE | (tile ? WS_TABSTOP | BS_OWNERDRAW : 0);
    HWND window = CreateWindowExW(
        0, tile ? L"Button" : cellClass, Caption(place).c_str(), style, place.box.left - origin.x,
        place.box.top - origin.y, place.box.right - place.box.left,
        place.box.bottom - place.box.top, panel, nullptr, instance, nullptr);
    if (window == nullptr) return nullptr;
    if (tile) {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    } else {
        SetCellColors(window, place.kind);
    }
    return window;
}

std::vector<HWND> FloorFrame::MakeInView(const std::vector<Place>& places, POINT origin) {
    std::vector<HWND> windows(places.size(), nullptr);
    RECT shown = Shown(origin);
    for (std::size_t place = 0; place < places.size(); ++place) {
        if (InView(places[place], shown)) windows[place] = Make(places[place], origin);
    }
    return windows;
}

void FloorFrame::Move(HWND window, const Place& place, POINT origin) {
    SetWindowPos(window, nullptr, place.box.left - origin.x, place.box.top - origin.y,
                 place.box.right - place.box.left, place.box.bottom - place.box.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(window, Caption(place).c_str());
    if (place.kind != PlaceKind::Tile) SetCellColors(window, place.kind);
    InvalidateRect(window, nullptr, FALSE);
}

}  // namespace Bench
