#include "test_support.h"

#include "form.h"
#include "window_procedure.h"

namespace ToolkitTests {

using namespace OrvoUtility;

NativeControl::NativeControl(GUIElement* parentElement, std::wstring controlClass, DWORD styleBits)
    : Child(parentElement), systemClass(controlClass), style(styleBits) {}

void NativeControl::Create() {
    if (created) return;
    ++elementCounter;
    id = elementCounter;
    DWORD windowStyle = WS_CHILD | WS_VISIBLE | style | (enabled ? 0 : WS_DISABLED);
    hwnd = CreateWindowExW(0, systemClass.c_str(), text.c_str(), windowStyle, left, top, width,
                           height, parent->hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           nullptr, nullptr);
    SubclassWindow();
    created = true;
    CreateToolTip(hwnd);
    ApplyFont();
}

PlainElement::PlainElement() : GUIElement(nullptr) {}

void PlainElement::Create() { created = true; }

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

namespace {

bool guardFired = false;

void CALLBACK EndLoop(HWND, UINT, UINT_PTR, DWORD) {
    guardFired = true;
    PostQuitMessage(0);
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    std::wstring className = name;
    if (className.rfind(L"Window", 0) == 0 || className == L"tooltips_class32") {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

}  // namespace

bool RunMessageLoopGuarded() {
    guardFired = false;
    UINT_PTR guard = SetTimer(nullptr, 0, 10000, EndLoop);
    RunMessageLoop();
    KillTimer(nullptr, guard);
    return !guardFired;
}

int CountToolkitWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void WindowTest::SetUp() {
    mainWindow = nullptr;
    activeForm = nullptr;
}

void WindowTest::TearDown() {
    PumpMessages();
    EXPECT_TRUE(elementRegistry.empty());
    EXPECT_EQ(CountToolkitWindows(), 0);
    mainWindow = nullptr;
}

}  // namespace ToolkitTests
