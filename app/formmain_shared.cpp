#include "formmain_shared.h"

#include "dpi.h"
#include "form.h"
#include "text.h"

namespace MyApp {
namespace MainWindowParts {

using OrvoUtility::GUIElement;

void Discard::operator()(OrvoUtility::Form* dialog) const {
    dialog->onDestroy = nullptr;
    delete dialog;
}

bool operator==(const ShownItem& a, const ShownItem& b) {
    return a.kind == b.kind && a.categoryId == b.categoryId && a.recordId == b.recordId;
}

LayoutMeasures MeasuresAt(std::int32_t dpi) {
    auto scaled = [dpi](std::int32_t value) { return OrvoUtility::ScaleForDpi(value, dpi); };
    return LayoutMeasures{scaled(10), scaled(180), scaled(50), scaled(160), scaled(40),
                          scaled(25), scaled(32),  scaled(14), scaled(14)};
}

void DestroyElementWindow(GUIElement* element) {
    if (element == nullptr) return;
    if (element->hwnd != nullptr && IsWindow(element->hwnd)) DestroyWindow(element->hwnd);
    element->hwnd = nullptr;
    element->created = false;
}

void RefreshClientSize(GUIElement& element) {
    RECT client;
    if (element.hwnd == nullptr || !GetClientRect(element.hwnd, &client)) return;
    element.width = client.right - client.left;
    element.height = client.bottom - client.top;
}

}  // namespace MainWindowParts
}  // namespace MyApp
