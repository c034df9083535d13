// The dialog in which the user adds or changes one application entry: its
// description, pathname or URL, and parameters. It only keeps the cleaned-up
// texts and a result code; the main window applies them.
#pragma once

#include <cstdint>
#include <string>

#include "editor_dialog.h"

namespace MyApp {

class FormApp : public EditorDialog {
public:
    // Opens at once over the owner, which stays disabled until the dialog closes.
    FormApp(OrvoUtility::Form* ownerForm, const std::string& title);
    ~FormApp() override;

    void HandleLoad() override;
    void HandleButtonClick(OrvoUtility::Button* button) override;

    // Fills the boxes with an entry to change and marks the dialog as editing.
    void LoadApp(const std::string& descriptionText, const std::string& pathnameText,
                 const std::string& parametersText);

    // Set by the main window: the category of the entry.
    std::int32_t categoryId;
    // The main window applies EditApp rather than AddApp.
    bool editMode;
    // Trimmed texts, stored by a valid "OK" only.
    std::string description;
    std::string pathname;
    std::string parameters;

    OrvoUtility::TextBox* descriptionBox;
    OrvoUtility::TextBox* pathnameBox;
    OrvoUtility::TextBox* parametersBox;
    OrvoUtility::Button* browseButton;
    OrvoUtility::Button* cancelButton;

private:
    void Confirm();
    void Browse();
};

}  // namespace MyApp
