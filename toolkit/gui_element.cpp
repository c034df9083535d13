#include "gui_element.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <unordered_map>

#include "font_description.h"
#include "text.h"
#include "win32_failure.h"
#include "window_procedure.h"

namespace OrvoUtility {

Dispatcher dispatcher;

namespace {

struct IndexEntry {
    std::uint64_t order;
    GUIElement* element;
};

// The elements by window handle; almost always one per handle.
std::unordered_map<HWND, std::vector<IndexEntry>> windowIndex;
std::uint64_t constructed = 0;

void Unindex(HWND window, const GUIElement* element) {
    if (window == nullptr) return;
    auto found = windowIndex.find(window);
    if (found == windowIndex.end()) return;
    std::vector<IndexEntry>& entries = found->second;
    entries.erase(
        std::remove_if(entries.begin(), entries.end(),
                       [element](const IndexEntry& entry) { return entry.element == element; }),
        entries.end());
    if (entries.empty()) windowIndex.erase(found);
}

}  // namespace

WindowHandle::WindowHandle(GUIElement* element)
    : owner(element), order(++constructed), value(nullptr) {}

WindowHandle::~WindowHandle() { Unindex(value, owner); }

WindowHandle& WindowHandle::operator=(const WindowHandle& other) { return *this = other.value; }

WindowHandle& WindowHandle::operator=(HWND window) {
    if (window == value) return *this;
    Unindex(value, owner);
    value = window;
    if (value != nullptr) windowIndex[value].push_back(IndexEntry{order, owner});
    return *this;
}

GUIElement::GUIElement(HINSTANCE moduleInstance)
    : visible(true),
      keyPreview(false),
      handCursor(false),
      hwnd(this),
      instance(moduleInstance),
      font(nullptr),
      width(100),
      height(50),
      left(100),
      top(100),
      created(false),
      backColor(noColor),
      paintBackground(false),
      enabled(true),
      id(0),
      parent(nullptr),
      oldWindowProc(nullptr),
      onCreate(nullptr),
      createNotified(false),
      onLeftDown(nullptr),
      onRightUp(nullptr),
      onKeyDown(nullptr),
      onChar(nullptr),
      onSize(nullptr),
      onClose(nullptr),
      onDestroy(nullptr),
      onGotFocus(nullptr),
      onMouseMove(nullptr) {
    dispatcher.elements.push_back(this);
}

GUIElement::~GUIElement() {
    dispatcher.elements.erase(
        std::remove(dispatcher.elements.begin(), dispatcher.elements.end(), this),
        dispatcher.elements.end());
    // A control window that outlives its element gets its own procedure back, so
    // that its messages are not attributed to some other element.
    if (oldWindowProc != nullptr && hwnd != nullptr && IsWindow(hwnd) &&
        GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(WindowProcedure)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWindowProc));
    }
}

void GUIElement::SetBackColor(COLORREF color) {
    backColor = color;
    paintBackground = true;
    // The window's next paint fills it; drawing happens only inside WM_PAINT.
    if (created && (!InvalidateRect(hwnd, nullptr, FALSE) || !UpdateWindow(hwnd))) {
        RecordWin32Failure("InvalidateRect");
    }
}

void GUIElement::FillBackground() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr) {
        RecordWin32Failure("BeginPaint");
        return;
    }
    RECT client;
    if (GetClientRect(hwnd, &client)) {
        SetBkColor(dc, backColor);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, L"", 0, nullptr);
    }
    EndPaint(hwnd, &paint);
}

void GUIElement::AcceptDroppedFiles() {
    if (created && hwnd != nullptr) DragAcceptFiles(hwnd, TRUE);
}

void GUIElement::SetEnabled(bool value) {
    enabled = value;
    if (created) EnableWindow(hwnd, value);
}

void GUIElement::SetText(std::wstring value) {
    text = value;
    if (created) SetWindowTextW(hwnd, text.c_str());
}

void GUIElement::SetTextNarrow(std::string value) { SetText(Common::NarrowToWide(value)); }

void GUIElement::OnLeftDown(std::int32_t x, std::int32_t y) {
    if (onLeftDown != nullptr) onLeftDown(this, hwnd, x, y);
}

void GUIElement::OnRightUp(std::int32_t x, std::int32_t y) {
    if (onRightUp != nullptr) onRightUp(this, hwnd, x, y);
}

bool GUIElement::OnKeyDown(std::int32_t key) {
    return onKeyDown != nullptr && onKeyDown(this, key) != 0;
}

bool GUIElement::OnChar(std::int32_t character) {
    return onChar == nullptr || onChar(this, character);
}

void GUIElement::OnMouseMove(std::int32_t x, std::int32_t y) {
    if (onMouseMove != nullptr) onMouseMove(this, x, y);
}

void GUIElement::Focus() {
    if (created) SetFocus(hwnd);
}

void GUIElement::OnMove() { GetPosition(); }

void GUIElement::OnSize() {
    if (onSize != nullptr) onSize(this);
}

void GUIElement::OnPaint() {
    if (paintBackground && created) FillBackground();
}

HBRUSH GUIElement::OnControlColor(HDC) { return nullptr; }

bool GUIElement::OnClose() { return onClose == nullptr || onClose(this); }

void GUIElement::OnDestroy() {
    if (onDestroy != nullptr) onDestroy(this);
}

void GUIElement::OnGotFocus() {
    if (onGotFocus != nullptr) onGotFocus(this);
}

void GUIElement::OnCreate(HWND window) {
    if (hwnd == nullptr) hwnd = window;
    if (createNotified) return;
    // Marked first: the handler builds child windows and may re-enter.
    createNotified = true;
    if (onCreate != nullptr) onCreate(this, hwnd);
}

void GUIElement::Redraw() {
    if (created) RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool GUIElement::GetHandCursor() { return handCursor; }

void GUIElement::SetHandCursor(bool value) { handCursor = value; }

void GUIElement::OnCreateMessage(HWND) {}

void GUIElement::OnActivateMessage(HWND) {}

void GUIElement::OnControlCommand(WORD) {}

bool GUIElement::OnDrawItem(const DRAWITEMSTRUCT&) { return false; }

void GUIElement::OnTimer() {}

bool GUIElement::OnScroll(int, int) { return false; }

bool GUIElement::OnWheel(int) { return false; }

void GUIElement::OnAppMessage(UINT, WPARAM, LPARAM) {}

bool GUIElement::OnDpiChanged(std::int32_t, const RECT&) { return false; }

bool GUIElement::OnQueryEndSession() { return true; }

void GUIElement::OnHotKey(std::int32_t id) {
    if (onHotKey != nullptr) onHotKey(this, id);
}

void GUIElement::OnMenuOpening() {}

void GUIElement::OnSettingChange() {}

std::wstring GUIElement::GetText() {
    if (created) {
        int length = GetWindowTextLengthW(hwnd);
        if (length <= 0) {
            text.clear();
        } else {
            std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
            int copied = GetWindowTextW(hwnd, &buffer[0], length + 1);
            if (copied != 0) text.assign(buffer.c_str(), static_cast<std::size_t>(copied));
        }
    }
    return text;
}

std::string GUIElement::GetTextNarrow() { return Common::WideToNarrow(GetText()); }

POINT GUIElement::GetPosition() {
    POINT corner{left, top};
    if (!created) return corner;
    RECT frame;
    if (!GetWindowRect(hwnd, &frame)) {
        RecordWin32Failure("GetWindowRect");
        return corner;
    }
    corner = POINT{frame.left, frame.top};
    if (parent != nullptr) ScreenToClient(parent->hwnd, &corner);
    left = corner.x;
    top = corner.y;
    return corner;
}

void GUIElement::Show() {
    if (!created) Create();
    ShowWindow(hwnd, SW_SHOWNA);
    visible = true;
}

void GUIElement::MoveTo(std::int32_t newLeft, std::int32_t newTop) {
    left = newLeft;
    top = newTop;
    if (!created) return;
    SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOSIZE | SWP_NOZORDER);
    Redraw();
}

void GUIElement::Resize(std::int32_t newWidth, std::int32_t newHeight) {
    width = newWidth;
    height = newHeight;
    if (!created) return;
    SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOMOVE | SWP_NOZORDER);
    Redraw();
}

void GUIElement::SubclassWindow() {
    if (hwnd == nullptr) return;
    oldWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcedure)));
}

void GUIElement::ApplyFont() {
    if (!created || hwnd == nullptr || font == nullptr) return;
    HFONT handle = font->GetHandle();
    if (handle != nullptr) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
}

Child::Child(GUIElement* parentElement) : GUIElement(nullptr) { parent = parentElement; }

GUIElement* FindElementByWindow(HWND window) {
    auto found = windowIndex.find(window);
    if (window == nullptr || found == windowIndex.end()) return nullptr;
    const IndexEntry* last = &found->second.front();
    for (const IndexEntry& entry : found->second) {
        if (entry.order > last->order) last = &entry;
    }
    return last->element;
}

GUIElement* FindElementById(std::int32_t elementId) {
    for (GUIElement* element : dispatcher.elements) {
        if (element->id == elementId) return element;
    }
    return nullptr;
}

}  // namespace OrvoUtility
