// The dialog in which the user names a new category or renames one. It keeps
// the name exactly as typed and a result code; the main window trims and
// applies it.
#pragma once

#include <cstdint>
#include <string>

#include "editor_dialog.h"

namespace MyApp {

class FormCategoria : public EditorDialog {
public:
    // Opens at once over the owner, which stays disabled until the dialog closes.
    FormCategoria(OrvoUtility::Form* ownerForm, const std::string& title);
    ~FormCategoria() override;

    void HandleLoad() override;
    void HandleButtonClick(OrvoUtility::Button* button) override;

    // Set by the main window when the dialog renames a category.
    bool editMode;
    // The name box's text as typed, stored by a valid "OK" only.
    std::string name;

    // The main window puts the current name here when renaming.
    OrvoUtility::TextBox* nameBox;
    OrvoUtility::Button* cancelButton;
};

}  // namespace MyApp
