#include "formcategoria.h"

#include "catalogue.h"

namespace MyApp {

using OrvoUtility::Button;

FormCategoria::FormCategoria(OrvoUtility::Form* ownerForm, const std::string& title)
    : EditorDialog(ownerForm, title, 400, 120),
      editMode(false),
      nameBox(nullptr),
      cancelButton(nullptr) {
    Open();
}

FormCategoria::~FormCategoria() {
    // Closed while the whole dialog still exists: the owner's onDestroy reads it.
    if (created && hwnd != nullptr) RequestClose();
}

void FormCategoria::HandleLoad() {
    SIZE size = LayoutSize();
    const std::int32_t w = size.cx;
    const std::int32_t h = size.cy;
    AddLabel("Categoria:", 10, 30, 80, 25);
    nameBox = AddTextBox(kNameWidth, 100, 28, w - 150, 25);
    cancelButton = AddButton("Annulla", w - 110, h - 35, 100, 25);
    okButton = AddButton("OK", w - 220, h - 35, 100, 25);
    nameBox->Focus();
}

void FormCategoria::HandleButtonClick(Button* button) {
    if (button == nullptr) return;
    if (cancelButton != nullptr && button->id == cancelButton->id) {
        resultCode = resultCancel;
        RequestClose();
        return;
    }
    if (okButton == nullptr || button->id != okButton->id) return;
    // Blanks are the main window's to trim: a name of blanks passes here.
    if (nameBox->GetText().empty()) {
        Refuse(nameBox, "E' necessario impostare la categoria.");
        return;
    }
    if (!CheckStorable(nameBox, "Categoria")) return;
    name = nameBox->GetTextNarrow();
    resultCode = resultOk;
    RequestClose();
}

}  // namespace MyApp
