#include "brush_cache.h"

#include <unordered_map>

#include "win32_failure.h"

namespace OrvoUtility {

namespace {

class BrushCache {
public:
    BrushCache() = default;
    // At the end of the program, after the last window that painted with them.
    ~BrushCache() {
        for (const auto& entry : brushes) DeleteObject(entry.second);
    }
    BrushCache(const BrushCache&) = delete;
    BrushCache& operator=(const BrushCache&) = delete;

    HBRUSH Get(COLORREF color) {
        auto found = brushes.find(color);
        if (found != brushes.end()) return found->second;
        HBRUSH brush = CreateSolidBrush(color);
        // A failure is not cached: the next request tries again.
        if (brush == nullptr) {
            RecordWin32Failure("CreateSolidBrush");
            return nullptr;
        }
        brushes.emplace(color, brush);
        return brush;
    }

private:
    std::unordered_map<COLORREF, HBRUSH> brushes;
};

BrushCache& Brushes() {
    static BrushCache cache;
    return cache;
}

}  // namespace

HBRUSH SolidBrushFor(COLORREF color) { return Brushes().Get(color); }

}  // namespace OrvoUtility
