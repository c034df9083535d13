#include "dialog_host.h"

#include <utility>
#include <vector>

#include "form_about.h"
#include "formapp.h"
#include "formcategoria.h"
#include "formordina.h"
#include "product_info.h"
#include "resource_ids.h"
#include "text.h"
#include "zelmivo_version.h"

namespace MyApp {

namespace {

constexpr std::int32_t logoWidth = 164;
constexpr std::int32_t logoHeight = 50;

const Categoria* CategoryWithId(const Catalogue& catalogue, std::int32_t id) {
    std::int32_t index = catalogue.FindCategory(id);
    return index >= 0 ? &catalogue.categories[static_cast<std::size_t>(index)] : nullptr;
}

}  // namespace

DialogHost::DialogHost(OrvoUtility::Form& owner, const Catalogue& catalogue, Commit commit)
    : owner(owner), catalogue(catalogue), commit(std::move(commit)) {}

DialogHost::~DialogHost() = default;

template <typename Dialog, typename... Arguments>
Dialog& DialogHost::Replace(std::unique_ptr<Dialog>& slot, Arguments&&... arguments) {
    slot.reset();
    slot = std::make_unique<Dialog>(&owner, std::forward<Arguments>(arguments)...);
    // The dialog shows without taking the activation from the owner.
    owner.Focus();
    return *slot;
}

void DialogHost::OpenAddApp(std::int32_t categoryId) {
    FormApp& dialog = Replace(appDialog, "Aggiungi Applicazione");
    dialog.onConfirmed = [this, categoryId](const EntryText& entry) {
        commit(CatalogueChange::AddApps(categoryId, {entry}));
    };
    dialog.Show();
}

void DialogHost::OpenEditApp(EntryRef entry) {
    const App* app = catalogue.FindApp(entry);
    if (app == nullptr) return;
    // Copied: nothing may hold into the catalogue while windows are made.
    EntryText texts{app->description, app->pathname, app->parameters};
    FormApp& dialog = Replace(appDialog, "Modifica Applicazione");
    dialog.onConfirmed = [this, entry](const EntryText& edited) {
        const App* app = catalogue.FindApp(entry);
        if (app != nullptr) commit(CatalogueChange::EditApp(catalogue, *app, edited));
    };
    dialog.Show();
    dialog.LoadApp(texts.description, texts.pathname, texts.parameters);
}

void DialogHost::OpenAddCategory() {
    FormCategoria& dialog = Replace(categoryDialog, "Aggiungi Categoria");
    dialog.onConfirmed = [this](const std::string& name) {
        commit(CatalogueChange::AddCategory(Common::Trim(name)));
    };
    dialog.Show();
}

void DialogHost::OpenRenameCategory(std::int32_t categoryId) {
    const Categoria* category = CategoryWithId(catalogue, categoryId);
    if (category == nullptr) return;
    std::string name = category->name;
    FormCategoria& dialog = Replace(categoryDialog, "Modifica Categoria", name);
    dialog.onConfirmed = [this, categoryId](const std::string& newName) {
        const Categoria* renamed = CategoryWithId(catalogue, categoryId);
        if (renamed != nullptr) {
            commit(CatalogueChange::RenameCategory(*renamed, Common::Trim(newName)));
        }
    };
    dialog.Show();
}

void DialogHost::OpenReorderApps(std::int32_t categoryId) {
    const Categoria* category = CategoryWithId(catalogue, categoryId);
    if (category == nullptr) return;
    std::vector<std::int32_t> ids;
    std::vector<std::string> texts;
    for (const App& entry : category->apps) {
        ids.push_back(entry.id);
        texts.push_back(entry.description);
    }
    FormOrdina& dialog =
        Replace(orderDialog, "Modifica ordine...", std::move(ids), std::move(texts));
    dialog.onConfirmed = [this, categoryId](const std::vector<std::int32_t>& order) {
        const Categoria* reordered = CategoryWithId(catalogue, categoryId);
        if (reordered != nullptr) commit(CatalogueChange::ReorderApps(*reordered, order));
    };
    dialog.Show();
}

void DialogHost::OpenReorderCategories() {
    std::vector<std::int32_t> ids;
    std::vector<std::string> texts;
    for (const Categoria& category : catalogue.categories) {
        ids.push_back(category.id);
        texts.push_back(category.name);
    }
    FormOrdina& dialog =
        Replace(orderDialog, "Modifica ordine...", std::move(ids), std::move(texts));
    dialog.onConfirmed = [this](const std::vector<std::int32_t>& order) {
        commit(CatalogueChange::ReorderCategories(order));
    };
    dialog.Show();
}

void DialogHost::ShowAbout() {
    OrvoUtility::AboutContent content;
    content.boxTitle = "Info...";
    content.logoId = IDB_LOGO;
    content.logoWidth = logoWidth;
    content.logoHeight = logoHeight;
    content.titleText = std::string("Orvo ") + productName + " " + ZELMIVO_VERSION;
    content.secondText = productCopyright;
    // Broken by hand: the notice box does not wrap its lines.
    content.noticeText =
        "Zelmivo raccoglie in categorie i programmi,\r\n"
        "i documenti, le cartelle e gli indirizzi web\r\n"
        "che usi di più: un clic su un pulsante li\r\n"
        "apre.\r\n\r\n"
        "Ctrl+Alt+Z lo porta in primo piano da ogni\r\n"
        "programma; premuto di nuovo, lo riduce.\r\n\r\n"
        "Il catalogo è salvato dopo ogni modifica\r\n"
        "nel file app.txt, nella cartella\r\n"
        "Zelmivo\\Dati dei dati locali dell'utente.";
    content.webAddress = productWebAddress;
    content.mailAddress = productMailAddress;
    content.okCaption = "OK";
    Replace(aboutBox, std::move(content)).Show();
}

}  // namespace MyApp
