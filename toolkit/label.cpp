#include "label.h"

#include "control_window.h"
#include "text.h"

namespace OrvoUtility {

Label::Label(GUIElement* parentElement, std::string caption)
    : Child(parentElement), border(false), alignment(TextAlignment::Left) {
    text = Common::NarrowToWide(caption);
    width = 80;
    height = 30;
}

void Label::Create() {
    if (created) return;
    DWORD style = WS_CHILD | WS_VISIBLE | SS_NOTIFY;
    if (!enabled) style |= WS_DISABLED;
    if (border) style |= WS_BORDER;
    if (alignment == TextAlignment::Right) {
        style |= SS_RIGHT;
    } else if (alignment == TextAlignment::Center) {
        style |= SS_CENTER;
    }
    CreateControlWindow(*this, L"static", style, border ? WS_EX_CLIENTEDGE : 0);
    SubclassWindow();
    created = true;
    FinishControlWindow(*this);
}

}  // namespace OrvoUtility
