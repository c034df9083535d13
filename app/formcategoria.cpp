#include "formcategoria.h"

#include "catalogue.h"

namespace MyApp {

FormCategoria::FormCategoria(OrvoUtility::Form* ownerForm, const std::string& title,
                             const std::string& name)
    : EditorDialog(ownerForm, title, 400, 120), startName(name) {
    Open();
}

void FormCategoria::HandleLoad() {
    const std::int32_t w = LayoutSize().cx;
    AddLabel("Categoria:", 10, 30, 80, 25);
    nameBox = AddTextBox(kNameWidth, 100, 28, w - 150, 25);
    nameBox->SetTextNarrow(startName);
    AddOkAndCancel([this] { Confirm(); });
    nameBox->Focus();
}

void FormCategoria::Confirm() {
    // Blanks are the owner's to trim: a name of blanks passes here.
    if (nameBox->GetText().empty()) {
        Refuse(nameBox, "E' necessario impostare la categoria.");
        return;
    }
    if (!CheckStorable(nameBox, "Categoria")) return;
    EndWith([this, name = nameBox->GetTextNarrow()] {
        if (onConfirmed != nullptr) onConfirmed(name);
    });
}

}  // namespace MyApp
