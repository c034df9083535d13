#include "control_host.h"

#include <cstdint>

namespace ZelmivoTests {

std::unique_ptr<OrvoUtility::Form> ControlHost::form;

void ControlHost::SetUpTestSuite() {
    form = std::make_unique<OrvoUtility::Form>(GetModuleHandleW(nullptr));
    form->left = 20;
    form->top = 20;
    form->width = 700;
    form->height = 500;
    form->Create();
}

void ControlHost::TearDownTestSuite() {
    form.reset();
    PumpMessages();
}

void ControlHost::SetUp() { ASSERT_NE(form->hwnd, nullptr); }

void ControlHost::TearDown() {
    while (HWND child = GetWindow(form->hwnd, GW_CHILD)) DestroyWindow(child);
    while (!elements.empty()) elements.pop_back();
    PumpMessages();
}

void ControlHost::PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

PixelCanvas::PixelCanvas(int canvasWidth, int canvasHeight)
    : width(canvasWidth),
      height(canvasHeight),
      dc(CreateCompatibleDC(nullptr)),
      bitmap(nullptr),
      oldBitmap(nullptr),
      bits(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<const std::uint32_t*>(memory);
    oldBitmap = SelectObject(dc, bitmap);
}

PixelCanvas::~PixelCanvas() {
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void PixelCanvas::CopyWindow(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    HDC screen = GetDC(window);
    BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
    GdiFlush();
}

COLORREF PixelCanvas::At(int x, int y) const {
    std::uint32_t pixel = bits[y * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

RECT PixelCanvas::BoundsOf(COLORREF color, RECT area) const { return Bounds(color, true, area); }

RECT PixelCanvas::BoundsExcept(COLORREF background, RECT area) const {
    return Bounds(background, false, area);
}

RECT PixelCanvas::Bounds(COLORREF color, bool matching, RECT area) const {
    RECT bounds{area.right, area.bottom, area.left - 1, area.top - 1};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if ((At(x, y) == color) != matching) continue;
            if (x < bounds.left) bounds.left = x;
            if (x > bounds.right) bounds.right = x;
            if (y < bounds.top) bounds.top = y;
            if (y > bounds.bottom) bounds.bottom = y;
        }
    }
    return bounds;
}

int PixelCanvas::Count(COLORREF color, RECT area) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (At(x, y) == color) ++count;
        }
    }
    return count;
}

HBITMAP MakeSolidBitmap(int bitmapWidth, int bitmapHeight, COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP result = CreateCompatibleBitmap(screen, bitmapWidth, bitmapHeight);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, result);
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{0, 0, bitmapWidth, bitmapHeight};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return result;
}

HICON MakeSolidIcon(COLORREF color) {
    HBITMAP image = MakeSolidBitmap(32, 32, color);
    // An all-zero mask keeps every pixel of the image.
    std::vector<BYTE> zeros(32 * 32 / 8, 0);
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, zeros.data());
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(image);
    return icon;
}

}  // namespace ZelmivoTests
