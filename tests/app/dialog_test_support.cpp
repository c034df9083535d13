#include "dialog_test_support.h"

#include "editor_dialog.h"
#include "window_procedure.h"

namespace DialogTests {

ClosedRecord closed;

namespace {

// The first form of a process becomes the window whose destruction posts the
// quit message; a hidden anchor takes that place so owners come and go freely.
class AnchorForm : public OrvoUtility::Form {
public:
    AnchorForm() : Form(GetModuleHandleW(nullptr)) {
        visible = false;
        Create();
        ShowWindow(hwnd, SW_HIDE);
    }
};

void RecordClose(OrvoUtility::GUIElement* element) {
    ++closed.count;
    auto* dialog = dynamic_cast<MyApp::EditorDialog*>(element);
    closed.resultCode = dialog != nullptr ? dialog->resultCode : -1;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

LPARAM KeyData(WORD key, bool release) {
    UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
    if (release) data |= (1LL << 30) | (1LL << 31);
    return data;
}

}  // namespace

OwnerForm::OwnerForm(std::int32_t x, std::int32_t y) : Form(GetModuleHandleW(nullptr)) {
    left = x;
    top = y;
    width = 500;
    height = 400;
    SetTextNarrow("Proprietario");
    Create();
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PressKey(HWND window, WORD key) {
    PostMessageW(window, WM_KEYDOWN, key, KeyData(key, false));
    PostMessageW(window, WM_KEYUP, key, KeyData(key, true));
    Pump();
}

void Type(HWND window, const std::wstring& text) {
    for (wchar_t character : text) PostMessageW(window, WM_CHAR, character, 1);
    Pump();
}

void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
}

void CloseByBox(HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
}

std::wstring TextOf(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

RECT BoxOf(HWND control) {
    RECT box = WindowRectOf(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

SIZE ClientSizeOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

RECT WindowRectOf(HWND window) {
    RECT box{};
    GetWindowRect(window, &box);
    return box;
}

std::vector<ControlView> ControlsOf(HWND dialog) {
    std::vector<HWND> windows;
    EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&windows));
    std::vector<ControlView> views;
    for (HWND window : windows) {
        // Direct children only: the about box's logo sits inside its panel.
        if (GetParent(window) != dialog) continue;
        wchar_t name[64] = L"";
        GetClassNameW(window, name, 64);
        views.push_back(ControlView{name, TextOf(window), BoxOf(window)});
    }
    return views;
}

std::unique_ptr<OwnerForm> DialogTest::owner;

void DialogTest::SetUpTestSuite() {
    static AnchorForm anchor;
    owner = std::make_unique<OwnerForm>(130, 90);
    Pump();
}

void DialogTest::TearDownTestSuite() {
    owner.reset();
    Pump();
}

void DialogTest::SetUp() {
    closed = ClosedRecord();
    ASSERT_TRUE(IsWindowEnabled(owner->hwnd));
}

void DialogTest::TearDown() { Pump(); }

void WatchClose(OrvoUtility::GUIElement& dialog) { dialog.onDestroy = RecordClose; }

}  // namespace DialogTests
