// An edit box, single- or multi-line.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "gui_element.h"
#include "text_alignment.h"

namespace OrvoUtility {

class TextBox : public Child {
public:
    TextBox(GUIElement* parentElement, std::string caption);

    void Create() override;
    // Keeps the box within maxLength characters, counting a pair of
    // surrogates as the one character it is.
    void OnControlCommand(WORD notification) override;
    // Puts the current flags into a live box; callers change the flags first.
    void ApplyStyle();
    // The window style the flags give; the password flag is not part of it.
    DWORD Style() const;

    // In characters; -1: no limit.
    std::int32_t maxLength;
    bool multiLine;
    bool horizontalScrollBar;
    bool verticalScrollBar;
    bool readOnly;
    bool digitsOnly;
    bool password;
    // Upper case wins over lower case.
    bool lowerCase;
    bool upperCase;
    TextAlignment alignment;
    bool border;
    bool wordWrap;
};

}  // namespace OrvoUtility
