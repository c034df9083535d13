#include "formapp.h"

#include "catalogue.h"
#include "shell.h"
#include "text.h"

namespace MyApp {

using OrvoUtility::Button;

namespace {

// The part after the folder, found on the wide path: a character the narrow
// text cannot hold must not pass for a separator.
std::wstring FileNameOfWide(const std::wstring& path) {
    std::size_t at = path.find_last_of(L"\\/");
    if (at == std::wstring::npos) at = path.rfind(L':');
    return at == std::wstring::npos ? path : path.substr(at + 1);
}

}  // namespace

FormApp::FormApp(OrvoUtility::Form* ownerForm, const std::string& title)
    : EditorDialog(ownerForm, title, 400, 250),
      categoryId(0),
      editMode(false),
      descriptionBox(nullptr),
      pathnameBox(nullptr),
      parametersBox(nullptr),
      browseButton(nullptr),
      cancelButton(nullptr) {
    Open();
}

FormApp::~FormApp() {
    // Closed while the whole dialog still exists: the owner's onDestroy reads it.
    if (created && hwnd != nullptr) RequestClose();
}

void FormApp::HandleLoad() {
    SIZE size = LayoutSize();
    const std::int32_t w = size.cx;
    const std::int32_t h = size.cy;
    AddLabel("Descrizione:", 10, 30, 105, 25);
    descriptionBox = AddTextBox(kDescriptionWidth, 120, 28, w - 170, 25);
    AddLabel("Pathname o URL:", 10, 70, w - 20, 25);
    pathnameBox = AddTextBox(-1, 10, 97, w - 100, 25);
    browseButton = AddButton("Sfoglia", w - 90, 97, 70, 25);
    AddLabel("Parametri:", 10, 124, w - 20, 25);
    parametersBox = AddTextBox(kParametersWidth, 10, 151, w - 100, 25);
    cancelButton = AddButton("Annulla", w - 110, h - 35, 100, 25);
    okButton = AddButton("OK", w - 220, h - 35, 100, 25);
    descriptionBox->Focus();
}

void FormApp::HandleButtonClick(Button* button) {
    if (button == nullptr) return;
    if (cancelButton != nullptr && button->id == cancelButton->id) {
        resultCode = resultCancel;
        RequestClose();
    } else if (okButton != nullptr && button->id == okButton->id) {
        Confirm();
    } else if (browseButton != nullptr && button->id == browseButton->id) {
        Browse();
    }
}

void FormApp::LoadApp(const std::string& descriptionText, const std::string& pathnameText,
                      const std::string& parametersText) {
    descriptionBox->SetTextNarrow(descriptionText);
    pathnameBox->SetTextNarrow(pathnameText);
    parametersBox->SetTextNarrow(parametersText);
    editMode = true;
    descriptionBox->Focus();
}

// Nothing is stored until every box has passed: a refused "OK" leaves the
// dialog as it was.
void FormApp::Confirm() {
    if (!CheckStorable(descriptionBox, "Descrizione")) return;
    std::string newDescription = Common::Trim(descriptionBox->GetTextNarrow());
    if (newDescription.empty()) {
        Refuse(descriptionBox, "E' necessario impostare la Descrizione.");
        return;
    }
    if (!CheckStorable(pathnameBox, "Pathname o URL")) return;
    std::string newPathname = Common::Trim(pathnameBox->GetTextNarrow());
    if (newPathname.empty()) {
        Refuse(pathnameBox, "E' necessario impostare il pathname o l'URL.");
        return;
    }
    if (!CheckStorable(parametersBox, "Parametri")) return;
    description = newDescription;
    pathname = newPathname;
    parameters = Common::Trim(parametersBox->GetTextNarrow());
    resultCode = resultOk;
    RequestClose();
}

void FormApp::Browse() {
    std::wstring path = OrvoUtility::ChooseFileWide(this);
    if (path.empty()) return;
    pathnameBox->SetText(path);
    // Cut as it is filled, so that the user sees what will be stored.
    if (descriptionBox->GetText().empty()) {
        descriptionBox->SetText(FileNameOfWide(path).substr(0, kDescriptionWidth));
    }
}

}  // namespace MyApp
