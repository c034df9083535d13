#include "text_box.h"

#include "control_window.h"
#include "text.h"
#include "win32_failure.h"

namespace OrvoUtility {

TextBox::TextBox(GUIElement* parentElement, std::string caption)
    : Child(parentElement),
      maxLength(-1),
      multiLine(false),
      horizontalScrollBar(false),
      verticalScrollBar(false),
      readOnly(false),
      digitsOnly(false),
      password(false),
      lowerCase(false),
      upperCase(false),
      alignment(TextAlignment::Left),
      border(true),
      wordWrap(false) {
    text = Common::NarrowToWide(caption);
    kind = "textbox";
    width = 80;
    height = 30;
}

DWORD TextBox::Style() const {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    if (!enabled) style |= WS_DISABLED;
    if (horizontalScrollBar) style |= WS_HSCROLL;
    if (verticalScrollBar) style |= WS_VSCROLL;
    if (digitsOnly) style |= ES_NUMBER;
    if (border) style |= WS_BORDER;
    if (multiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (!wordWrap) style |= ES_AUTOHSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (readOnly) style |= ES_READONLY;
    if (upperCase) {
        style |= ES_UPPERCASE;
    } else if (lowerCase) {
        style |= ES_LOWERCASE;
    }
    if (alignment == TextAlignment::Right) {
        style |= ES_RIGHT;
    } else if (alignment == TextAlignment::Center) {
        style |= ES_CENTER;
    }
    return style;
}

void TextBox::Create() {
    if (created) return;
    CreateControlWindow(*this, L"edit", Style(), border ? WS_EX_CLIENTEDGE : 0);
    SubclassWindow();
    created = true;
    if (maxLength != -1) SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    FinishControlWindow(*this);
}

void TextBox::ApplyStyle() {
    if (!created || hwnd == nullptr) return;
    if (SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(Style())) == 0) {
        RecordWin32Failure("SetWindowLongW");
        return;
    }
    SendMessageW(hwnd, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
    SendMessageW(hwnd, EM_SETPASSWORDCHAR, password ? L'*' : 0, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

}  // namespace OrvoUtility
