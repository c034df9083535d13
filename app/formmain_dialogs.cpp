#include "form_about.h"
#include "formapp.h"
#include "formcategoria.h"
#include "formmain.h"
#include "formmain_shared.h"
#include "formordina.h"
#include "product_info.h"
#include "resource_ids.h"
#include "text.h"
#include "text_box.h"
#include "zelmivo_version.h"

namespace MyApp {

using namespace MainWindowParts;

namespace {

constexpr std::int32_t logoWidth = 164;
constexpr std::int32_t logoHeight = 50;

}  // namespace

template <typename Dialog>
Dialog& FormMain::Replace(DialogSlot<Dialog>& slot, const std::string& title) {
    slot.reset();
    slot.reset(new Dialog(this, title));
    // The destruction of an editor dialog's window: this form applies the result.
    slot->onDestroy = [this](GUIElement* closed) {
        HandleDialogClosed(static_cast<OrvoUtility::Form*>(closed));
    };
    Focus();
    return *slot;
}

void FormMain::HandleDialogClosed(OrvoUtility::Form* dialog) {
    if (categoryDialog != nullptr && dialog->id == categoryDialog->id) {
        if (categoryDialog->resultCode != EditorDialog::resultOk) return;
        std::string name = Common::Trim(categoryDialog->name);
        if (!categoryDialog->editMode) {
            Commit(CatalogueChange::AddCategory(name));
            return;
        }
        const Categoria* category = ContextCategory();
        if (category != nullptr) Commit(CatalogueChange::RenameCategory(*category, name));
    } else if (appDialog != nullptr && dialog->id == appDialog->id) {
        if (appDialog->resultCode != EditorDialog::resultOk) return;
        EntryText texts{appDialog->description, appDialog->pathname, appDialog->parameters};
        if (!appDialog->editMode) {
            Commit(CatalogueChange::AddApps(appDialog->categoryId, {texts}));
            return;
        }
        const App* app = ContextApp();
        if (app != nullptr) Commit(CatalogueChange::EditApp(catalogue, *app, texts));
    } else if (orderDialog != nullptr && dialog->id == orderDialog->id) {
        if (orderDialog->resultCode != EditorDialog::resultOk) return;
        if (orderDialog->listKind == ReorderList::Categories) {
            Commit(CatalogueChange::ReorderCategories(orderDialog->ids));
            return;
        }
        const App* app = ContextApp();
        std::int32_t index = app != nullptr ? catalogue.FindCategory(app->categoryId) : -1;
        if (index >= 0) {
            Commit(CatalogueChange::ReorderApps(
                catalogue.categories[static_cast<std::size_t>(index)], orderDialog->ids));
        }
    }
}

void FormMain::OpenAddApp(std::int32_t categoryId) {
    FormApp& dialog = Replace(appDialog, "Aggiungi Applicazione");
    dialog.categoryId = categoryId;
    dialog.Show();
}

void FormMain::OpenEditApp() {
    const App* app = ContextApp();
    if (app == nullptr) return;
    // Copied: nothing may hold into the catalogue while windows are made.
    App entry = *app;
    FormApp& dialog = Replace(appDialog, "Modifica Applicazione");
    dialog.categoryId = entry.categoryId;
    dialog.Show();
    dialog.LoadApp(entry.description, entry.pathname, entry.parameters);
}

void FormMain::OpenAddCategory() { Replace(categoryDialog, "Aggiungi Categoria").Show(); }

void FormMain::OpenRenameCategory() {
    if (contextTarget == nullptr) return;
    FormCategoria& dialog = Replace(categoryDialog, "Modifica Categoria");
    dialog.Show();
    dialog.nameBox->SetTextNarrow(contextTarget->GetTextNarrow());
    dialog.nameBox->Focus();
    dialog.editMode = true;
}

void FormMain::OpenReorderApps() {
    const App* app = ContextApp();
    if (app == nullptr) return;
    std::vector<std::int32_t> ids;
    std::vector<std::string> texts;
    std::int32_t index = catalogue.FindCategory(app->categoryId);
    if (index >= 0) {
        for (const App& entry : catalogue.categories[static_cast<std::size_t>(index)].apps) {
            ids.push_back(entry.id);
            texts.push_back(entry.description);
        }
    }
    OpenReorderDialog(std::move(ids), std::move(texts), ReorderList::Apps);
}

void FormMain::OpenReorderCategories() {
    std::vector<std::int32_t> ids;
    std::vector<std::string> texts;
    for (const Categoria& category : catalogue.categories) {
        ids.push_back(category.id);
        texts.push_back(category.name);
    }
    OpenReorderDialog(std::move(ids), std::move(texts), ReorderList::Categories);
}

void FormMain::OpenReorderDialog(std::vector<std::int32_t> ids, std::vector<std::string> texts,
                                 ReorderList listKind) {
    FormOrdina& dialog = Replace(orderDialog, "Modifica ordine...");
    dialog.ids = std::move(ids);
    dialog.texts = std::move(texts);
    dialog.listKind = listKind;
    dialog.Show();
    dialog.FillList();
}

void FormMain::ShowAbout() {
    aboutBox.reset();
    aboutBox.reset(new OrvoUtility::FormAbout(this));
    Focus();
    aboutBox->logoId = IDB_LOGO;
    aboutBox->logoWidth = logoWidth;
    aboutBox->logoHeight = logoHeight;
    aboutBox->titleText = std::string("Orvo ") + productName + " " + ZELMIVO_VERSION;
    aboutBox->secondText = productCopyright;
    // Broken by hand: the notice box does not wrap its lines.
    aboutBox->noticeText =
        "Zelmivo raccoglie in categorie i programmi,\r\n"
        "i documenti, le cartelle e gli indirizzi web\r\n"
        "che usi di più: un clic su un pulsante li\r\n"
        "apre.\r\n\r\n"
        "Il catalogo è salvato dopo ogni modifica\r\n"
        "nel file app.txt, nella cartella\r\n"
        "Zelmivo\\Dati dei dati locali dell'utente.";
    aboutBox->webAddress = productWebAddress;
    aboutBox->mailAddress = productMailAddress;
    aboutBox->Show();
}

}  // namespace MyApp
