// The dialog in which the user adds or changes one application entry: its
// description, pathname or URL, and parameters. It hands the cleaned-up texts
// of a valid "OK" to its owner; the owner applies them.
#pragma once

#include <functional>
#include <string>

#include "catalogue_change.h"
#include "editor_dialog.h"

namespace MyApp {

class FormApp : public EditorDialog {
public:
    // Opens at once over the owner, which stays disabled until the dialog closes.
    FormApp(OrvoUtility::Form* ownerForm, const std::string& title);

    void HandleLoad() override;

    // Fills the boxes with an entry to change.
    void LoadApp(const std::string& descriptionText, const std::string& pathnameText,
                 const std::string& parametersText);

    // The trimmed texts of a valid "OK".
    std::function<void(const EntryText& entry)> onConfirmed;

    OrvoUtility::TextBox* descriptionBox = nullptr;
    OrvoUtility::TextBox* pathnameBox = nullptr;
    OrvoUtility::TextBox* parametersBox = nullptr;
    OrvoUtility::Button* browseButton = nullptr;

private:
    void Confirm();
    void Browse();
};

}  // namespace MyApp
