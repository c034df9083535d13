#include "editor_dialog.h"

#include "dpi.h"
#include "resource_ids.h"
#include "shell.h"

namespace MyApp {

using OrvoUtility::GUIElement;
using OrvoUtility::TextBox;

namespace {

constexpr std::int32_t ownerOffset = 50;

bool Storable(const std::wstring& text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        // A control character would break the file's line; half a surrogate
        // pair is no character at all.
        if (text[at] < L' ' || IS_LOW_SURROGATE(text[at])) return false;
        if (IS_HIGH_SURROGATE(text[at])) {
            if (at + 1 == text.size() || !IS_LOW_SURROGATE(text[at + 1])) return false;
            ++at;
        }
    }
    return true;
}

std::string UnstorableFieldMessage(const std::string& fieldName) {
    return "Il campo \"" + fieldName + "\" contiene caratteri che non possono essere salvati.";
}

}  // namespace

EditorDialog::EditorDialog(OrvoUtility::Form* ownerForm, const std::string& title,
                           std::int32_t clientWidth, std::int32_t clientHeight)
    : ModalDialog(ownerForm, title, clientWidth, clientHeight) {
    AddFont(OrvoUtility::DialogFont{"Lucida Console", 16, true}, true);
    POINT ownerCorner = owner->GetPosition();
    left = ownerCorner.x + Scaled(ownerOffset);
    top = ownerCorner.y + Scaled(ownerOffset);
    minimizeBox = true;
    iconId = IDI_PROGRAM;
}

TextBox* EditorDialog::AddTextBox(std::int32_t maxLength, std::int32_t x, std::int32_t y,
                                  std::int32_t w, std::int32_t h) {
    TextBox* box = AddControl<TextBox>(x, y, w, h, std::string());
    box->maxLength = maxLength;
    box->onChar = [this, box](GUIElement*, std::int32_t character) {
        return HandleTextBoxChar(box, character);
    };
    box->Create();
    return box;
}

void EditorDialog::AddOkAndCancel(std::function<void()> onOk) {
    AddAnswerButtons("OK", "Annulla", std::move(onOk));
}

bool EditorDialog::HandleTextBoxChar(TextBox*, std::int32_t character) {
    return character != VK_TAB;
}

void EditorDialog::Refuse(TextBox* box, const std::string& message) {
    OrvoUtility::ShowError(this, message, "Errore");
    box->Focus();
}

bool EditorDialog::CheckStorable(TextBox* box, const std::string& fieldName) {
    if (Storable(box->GetText())) return true;
    Refuse(box, UnstorableFieldMessage(fieldName));
    return false;
}

}  // namespace MyApp
