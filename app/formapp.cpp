#include "formapp.h"

#include "catalogue.h"
#include "shell.h"
#include "text.h"

namespace MyApp {

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
    : EditorDialog(ownerForm, title, 400, 250) {
    Open();
}

void FormApp::HandleLoad() {
    const std::int32_t w = LayoutSize().cx;
    AddLabel("Descrizione:", 10, 30, 105, 25);
    descriptionBox = AddTextBox(kDescriptionWidth, 120, 28, w - 170, 25);
    AddLabel("Pathname o URL:", 10, 70, w - 20, 25);
    pathnameBox = AddTextBox(-1, 10, 97, w - 100, 25);
    browseButton = AddButton("Sfoglia", RECT{w - 90, 97, w - 20, 122}, [this] { Browse(); });
    AddLabel("Parametri:", 10, 124, w - 20, 25);
    parametersBox = AddTextBox(kParametersWidth, 10, 151, w - 100, 25);
    AddOkAndCancel([this] { Confirm(); });
    descriptionBox->Focus();
}

void FormApp::LoadApp(const std::string& descriptionText, const std::string& pathnameText,
                      const std::string& parametersText) {
    descriptionBox->SetTextNarrow(descriptionText);
    pathnameBox->SetTextNarrow(pathnameText);
    parametersBox->SetTextNarrow(parametersText);
    descriptionBox->Focus();
}

// Nothing is handed over until every box has passed: a refused "OK" leaves
// the dialog as it was.
void FormApp::Confirm() {
    if (!CheckStorable(descriptionBox, "Descrizione")) return;
    EntryText entry{Common::Trim(descriptionBox->GetTextNarrow()), "", ""};
    if (entry.description.empty()) {
        Refuse(descriptionBox, "E' necessario impostare la Descrizione.");
        return;
    }
    if (!CheckStorable(pathnameBox, "Pathname o URL")) return;
    entry.pathname = Common::Trim(pathnameBox->GetTextNarrow());
    if (entry.pathname.empty()) {
        Refuse(pathnameBox, "E' necessario impostare il pathname o l'URL.");
        return;
    }
    if (!CheckStorable(parametersBox, "Parametri")) return;
    entry.parameters = Common::Trim(parametersBox->GetTextNarrow());
    EndWith([this, entry] {
        if (onConfirmed != nullptr) onConfirmed(entry);
    });
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
