// The element model: the base of every window, control, panel and timer of
// the toolkit, and the process-wide state that maps windows and ids back to
// elements.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace OrvoUtility {

class FontDescription;
class GUIElement;

// Handlers carry their own context: a form binds its member operations with
// a lambda, so no handler has to look for its form.
using CreateHandler = std::function<void(GUIElement* element, HWND window)>;
using MouseButtonHandler =
    std::function<std::int32_t(GUIElement* element, HWND window, std::int32_t x, std::int32_t y)>;
using KeyHandler = std::function<std::int32_t(GUIElement* element, std::int32_t key)>;
using CharHandler = std::function<bool(GUIElement* element, std::int32_t character)>;
using EventHandler = std::function<void(GUIElement* element)>;
using CloseHandler = std::function<bool(GUIElement* element)>;
using MouseMoveHandler =
    std::function<std::int32_t(GUIElement* element, std::int32_t x, std::int32_t y)>;
using CommandHandler = std::function<void(GUIElement* element)>;
using HotKeyHandler = std::function<void(GUIElement* element, std::int32_t id)>;

// All bits set: the element has no colour of its own.
constexpr COLORREF noColor = 0xFFFFFFFF;

// What screen readers say of an element: its name, its role (a ROLE_SYSTEM_*
// value) and a longer description. An empty text or a zero role leaves the
// system's own answer for it.
struct AccessibleInfo {
    std::wstring name;
    long role = 0;
    std::wstring description;
};

// An element's native window handle. Every assignment keeps the registry's
// window index current, so that the window procedure finds the element of a
// message in constant time, whoever sets the handle.
class WindowHandle {
public:
    explicit WindowHandle(GUIElement* element);
    ~WindowHandle();
    WindowHandle(const WindowHandle&) = delete;
    WindowHandle& operator=(const WindowHandle& other);
    WindowHandle& operator=(HWND window);
    operator HWND() const { return value; }

private:
    friend GUIElement* FindElementByWindow(HWND window);
    GUIElement* owner;
    // The owner's place in the registry's order of construction.
    std::uint64_t order;
    HWND value;
};

class GUIElement {
public:
    explicit GUIElement(HINSTANCE instance);
    virtual ~GUIElement();
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    // The common operations, in this order (the window procedure calls them).
    virtual void SetBackColor(COLORREF color);
    virtual void SetEnabled(bool value);
    virtual void SetText(std::wstring value);
    virtual void SetTextNarrow(std::string value);
    virtual void OnLeftDown(std::int32_t x, std::int32_t y);
    virtual void OnRightUp(std::int32_t x, std::int32_t y);
    // True when the handler took the key (answered non-zero): the window then
    // neither moves the focus nor does its own default for it.
    virtual bool OnKeyDown(std::int32_t key);
    virtual bool OnChar(std::int32_t character);
    virtual void OnMouseMove(std::int32_t x, std::int32_t y);
    virtual void Focus();
    virtual void OnMove();
    virtual void OnSize();
    virtual void OnPaint();
    virtual HBRUSH OnControlColor(HDC dc);
    virtual bool OnClose();
    virtual void OnDestroy();
    virtual void OnGotFocus();
    virtual void OnCreate(HWND window);
    virtual void Redraw();
    virtual bool GetHandCursor();
    virtual void SetHandCursor(bool value);
    // Makes the created window a target for files dragged from the shell.
    void AcceptDroppedFiles();
    virtual void Create() = 0;

    // The messages only some kinds of element act on. The window procedure
    // forwards them to every element; the defaults ignore them (or answer
    // false: not handled), and the kinds they are for override them.
    // WM_CREATE of the element's own window.
    virtual void OnCreateMessage(HWND window);
    // WM_ACTIVATE of the element's own window.
    virtual void OnActivateMessage(HWND window);
    // WM_COMMAND reflected from the element's control window to the element.
    virtual void OnControlCommand(WORD notification);
    // WM_DRAWITEM reflected to the owner-drawn control; true when it drew.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& item);
    // WM_TIMER for the timer whose id is the element's.
    virtual void OnTimer();
    // WM_HSCROLL (bar SB_HORZ) or WM_VSCROLL (SB_VERT); true when it scrolled.
    virtual bool OnScroll(int bar, int request);
    // WM_MOUSEWHEEL; true when the element keeps the message.
    virtual bool OnWheel(int wheelDelta);
    // A message of the program's own (WM_APP and above, or one registered
    // with the system for talking to another process).
    virtual void OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_QUERYENDSESSION: false holds the log-off or shutdown.
    virtual bool OnQueryEndSession();
    // True when the element took the new DPI; otherwise the window keeps its size.
    virtual bool OnDpiChanged(std::int32_t dpi, const RECT& suggested);
    // WM_HOTKEY: the combination registered for the element's window with this id.
    virtual void OnHotKey(std::int32_t id);
    // WM_INITMENUPOPUP: a menu of the element's window is about to open.
    virtual void OnMenuOpening();
    // WM_SETTINGCHANGE or WM_SYSCOLORCHANGE reached the element's window.
    virtual void OnSettingChange();

    std::wstring GetText();
    std::string GetTextNarrow();
    POINT GetPosition();
    void Show();
    void MoveTo(std::int32_t newLeft, std::int32_t newTop);
    void Resize(std::int32_t newWidth, std::int32_t newHeight);

    // Creation helpers shared by every Create: route a native control's messages
    // through the toolkit (keeping its own procedure for default processing), and
    // hand the element's font to its live window.
    void SubclassWindow();
    void ApplyFont();

    bool visible;
    bool keyPreview;
    bool handCursor;
    WindowHandle hwnd;
    HINSTANCE instance;
    FontDescription* font;  // not owned
    std::int32_t width;
    std::int32_t height;
    std::int32_t left;
    std::int32_t top;
    bool created;
    COLORREF backColor;
    std::wstring text;
    bool paintBackground;
    bool enabled;
    std::int32_t id;
    GUIElement* parent;  // not owned
    WNDPROC oldWindowProc;
    CreateHandler onCreate;
    bool createNotified;
    MouseButtonHandler onLeftDown;
    MouseButtonHandler onRightUp;
    KeyHandler onKeyDown;
    CharHandler onChar;
    EventHandler onSize;
    CloseHandler onClose;
    EventHandler onDestroy;
    EventHandler onGotFocus;
    MouseMoveHandler onMouseMove;
    // Files dragged from the shell and dropped on the window or one of its
    // children: their full paths and the point, in the window's client
    // coordinates. The window takes drops once AcceptDroppedFiles has run.
    std::function<void(const std::vector<std::wstring>& paths, POINT point)> onDropFiles;
    HotKeyHandler onHotKey;
    // Set by the owner when the system's own answer for the window (its text,
    // its class's role) does not say what the element is.
    std::optional<AccessibleInfo> accessibleInfo;

private:
    // Fills the client area in backColor; only while handling WM_PAINT.
    void FillBackground();
};

// An element whose window lives inside the window of its parent element.
class Child : public GUIElement {
public:
    explicit Child(GUIElement* parentElement);
};

// Second base of the control elements that report commands (buttons, list
// boxes), each through its own OnControlCommand.
class CommandElement {
public:
    CommandHandler onCommand = nullptr;
};

class Form;
class PanelChildren;

// The toolkit's state for the whole process: the live elements and their
// ids, and what the window procedure keeps between messages.
struct Dispatcher {
    // Every live element in order of construction.
    std::vector<GUIElement*> elements;
    // Control ids and menu command ids.
    std::int32_t NextId() { return ++lastId; }
    std::int32_t lastId = 0;
    // The window of the first form created; its destruction ends the program.
    HWND mainWindow = nullptr;
    // The form most recently activated in the foreground.
    Form* activeForm = nullptr;
    // The panel that last took a left press or a vertical scroll: the wheel target.
    PanelChildren* lastPanel = nullptr;
};
extern Dispatcher dispatcher;

// The last element given this window (a window of our classes is given to
// its maker at WM_NCCREATE); null for a window no element has.
GUIElement* FindElementByWindow(HWND window);
// The first element with this id.
GUIElement* FindElementById(std::int32_t id);

}  // namespace OrvoUtility
