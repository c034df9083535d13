// What the launcher's three editor dialogs share beyond the toolkit's modal
// dialog: their place beside the owner, their font and icon, text boxes whose
// characters reach the dialog, and the refusal of what the catalogue's file
// cannot hold.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "modal_dialog.h"
#include "text_box.h"

namespace MyApp {

class EditorDialog : public OrvoUtility::ModalDialog {
public:
    // False (swallowed) for Tab only.
    virtual bool HandleTextBoxChar(OrvoUtility::TextBox* box, std::int32_t character);

protected:
    // Places the dialog 50 pixels right of and below the owner, with the given
    // client size and title, all at 96 DPI and shown at the owner's DPI; the
    // window is made later, by Open.
    EditorDialog(OrvoUtility::Form* ownerForm, const std::string& title, std::int32_t clientWidth,
                 std::int32_t clientHeight);

    // -1: no limit. Its characters reach the dialog.
    OrvoUtility::TextBox* AddTextBox(std::int32_t maxLength, std::int32_t x, std::int32_t y,
                                     std::int32_t w, std::int32_t h);
    // "OK", which runs `onOk`, and "Annulla" in the bottom right corner.
    void AddOkAndCancel(std::function<void()> onOk);

    // Shows the error box over the dialog and gives the box the focus back.
    void Refuse(OrvoUtility::TextBox* box, const std::string& message);
    // A control character or half a surrogate pair cannot stand in the
    // catalogue's file: such a box is refused, naming the field.
    bool CheckStorable(OrvoUtility::TextBox* box, const std::string& fieldName);
};

}  // namespace MyApp
