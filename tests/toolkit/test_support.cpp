#include "test_support.h"

#include "form.h"
#include "window_procedure.h"

namespace ToolkitTests {

using namespace OrvoUtility;

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

}  // namespace

bool RunMessageLoopGuarded() {
    guardFired = false;
    UINT_PTR guard = SetTimer(nullptr, 0, 10000, EndLoop);
    RunMessageLoop();
    KillTimer(nullptr, guard);
    return !guardFired;
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void WindowTest::SetUp() {
    mainWindow = nullptr;
    activeForm = nullptr;
}

void WindowTest::TearDown() {
    PumpMessages();
    EXPECT_TRUE(elementRegistry.empty());
    mainWindow = nullptr;
}

Canvas::Canvas(int canvasWidth, int canvasHeight, COLORREF fill)
    : width(canvasWidth), height(canvasHeight), dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<std::uint32_t*>(bits);
    previous = SelectObject(dc, bitmap);
    std::uint32_t pixel = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    for (int i = 0; i < width * height; ++i) pixels[i] = pixel;
}

Canvas::~Canvas() {
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

void Canvas::CopyWindow(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC screen = GetDC(window);
    BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
}

COLORREF Canvas::At(int x, int y) const {
    GdiFlush();
    std::uint32_t p = pixels[y * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Canvas::Count(COLORREF color) const {
    int count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) count += At(x, y) == color ? 1 : 0;
    }
    return count;
}

bool Canvas::SameAs(const Canvas& other) const {
    GdiFlush();
    for (int i = 0; i < width * height; ++i) {
        if ((pixels[i] & 0xFFFFFF) != (other.pixels[i] & 0xFFFFFF)) return false;
    }
    return true;
}

}  // namespace ToolkitTests
