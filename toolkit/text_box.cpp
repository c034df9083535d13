#include "text_box.h"

#include <algorithm>

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
    // The box counts UTF-16 units: room for every character to be a pair, and
    // the characters themselves are counted as they change.
    if (maxLength != -1) SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(2 * maxLength), 0);
    FinishControlWindow(*this);
}

void TextBox::OnControlCommand(WORD notification) {
    if (notification != EN_CHANGE || maxLength < 0 || !created) return;
    std::wstring now = GetText();
    std::size_t characters = 0;
    for (wchar_t unit : now) characters += IS_LOW_SURROGATE(unit) ? 0 : 1;
    if (characters <= static_cast<std::size_t>(maxLength)) return;
    // As the box itself does at its limit, what was just put in at the caret
    // is cut to fit, a character at a time.
    DWORD caret = 0;
    SendMessageW(hwnd, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    std::size_t end = std::min<std::size_t>(caret, now.size());
    std::size_t start = end;
    for (; characters > static_cast<std::size_t>(maxLength) && start > 0; --characters) {
        --start;
        if (start > 0 && IS_LOW_SURROGATE(now[start]) && IS_HIGH_SURROGATE(now[start - 1])) {
            --start;
        }
    }
    now.erase(start, end - start);
    // Text put in without the caret after it is cut at its end instead.
    while (characters-- > static_cast<std::size_t>(maxLength)) {
        now.pop_back();
        if (!now.empty() && IS_HIGH_SURROGATE(now.back())) now.pop_back();
    }
    SetWindowTextW(hwnd, now.c_str());
    SendMessageW(hwnd, EM_SETSEL, start, start);
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
