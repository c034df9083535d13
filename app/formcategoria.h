// The dialog in which the user names a new category or renames one. It hands
// the name of a valid "OK" to its owner exactly as typed; the owner trims and
// applies it.
#pragma once

#include <functional>
#include <string>

#include "editor_dialog.h"

namespace MyApp {

class FormCategoria : public EditorDialog {
public:
    // Opens at once over the owner, which stays disabled until the dialog closes;
    // the name box starts with `name`.
    FormCategoria(OrvoUtility::Form* ownerForm, const std::string& title,
                  const std::string& name = std::string());

    void HandleLoad() override;

    std::function<void(const std::string& name)> onConfirmed;

    OrvoUtility::TextBox* nameBox = nullptr;

private:
    void Confirm();

    std::string startName;
};

}  // namespace MyApp
