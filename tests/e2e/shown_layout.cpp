#include "shown_layout.h"

#include <algorithm>
#include <tuple>

#include "window_query.h"

namespace ZelmivoE2E {

namespace {

struct Item {
    bool tile;
    std::wstring text;
    RECT box;
};

std::vector<std::string> Describe(std::vector<Item> items) {
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return std::tie(a.box.left, a.box.top) < std::tie(b.box.left, b.box.top);
    });
    std::vector<std::string> lines;
    for (const Item& item : items) {
        lines.push_back(std::string(item.tile ? "tile" : "cell") + " '" + Utf8(item.text) +
                        "' at " + std::to_string(item.box.left) + "," +
                        std::to_string(item.box.top) + " size " +
                        std::to_string(item.box.right - item.box.left) + "x" +
                        std::to_string(item.box.bottom - item.box.top));
    }
    return lines;
}

}  // namespace

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    return bytes;
}

std::vector<std::string> ShownLayout(HWND panel) {
    std::vector<Item> items;
    for (HWND child : ChildWindows(panel)) {
        if (!IsWindowVisible(child)) continue;
        items.push_back(Item{ClassOf(child) == L"Button", TextOf(child), RectIn(panel, child)});
    }
    return Describe(items);
}

std::vector<std::string> ExpectedLayout(const std::vector<ExpectedColumn>& columns) {
    // The program lays itself out at the screen's DPI, 96 being 100%.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    auto at = [dpi](LONG value) { return static_cast<LONG>(MulDiv(value, dpi, 96)); };
    std::vector<Item> items;
    LONG x = at(10);
    for (const ExpectedColumn& column : columns) {
        items.push_back(Item{false, column.name, RECT{x, at(10), x + at(160), at(10) + at(25)}});
        LONG y = at(10);
        for (const std::wstring& tile : column.tiles) {
            y += at(50);
            items.push_back(Item{true, tile, RECT{x, y, x + at(160), y + at(40)}});
        }
        items.push_back(
            Item{false, L"+ aggiungi App", RECT{x, y + at(50), x + at(160), y + at(50) + at(40)}});
        x += at(180);
    }
    items.push_back(
        Item{false, L"+ aggiungi categoria", RECT{x, at(10), x + at(160), at(10) + at(40)}});
    return Describe(items);
}

}  // namespace ZelmivoE2E
