// The main window's dialogs: at most one of each class is open, a new one
// replacing the last; what the user confirms in one becomes a change of the
// catalogue, handed to the window to apply.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "catalogue.h"
#include "catalogue_change.h"

namespace OrvoUtility {
class Form;
class FormAbout;
}  // namespace OrvoUtility

namespace MyApp {

class FormApp;
class FormCategoria;
class FormOrdina;

class DialogHost {
public:
    using Commit = std::function<void(const CatalogueChange& change)>;

    // The dialogs open over `owner`; a confirmed one acts on `catalogue`,
    // as it is when the user confirms.
    DialogHost(OrvoUtility::Form& owner, const Catalogue& catalogue, Commit commit);
    ~DialogHost();
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;

    void OpenAddApp(std::int32_t categoryId);
    void OpenEditApp(EntryRef entry);
    void OpenAddCategory();
    void OpenRenameCategory(std::int32_t categoryId);
    void OpenReorderApps(std::int32_t categoryId);
    void OpenReorderCategories();
    void ShowAbout();

private:
    // Frees the last dialog of the class, then makes a new one.
    template <typename Dialog, typename... Arguments>
    Dialog& Replace(std::unique_ptr<Dialog>& slot, Arguments&&... arguments);

    OrvoUtility::Form& owner;
    const Catalogue& catalogue;
    Commit commit;
    std::unique_ptr<OrvoUtility::FormAbout> aboutBox;
    std::unique_ptr<FormCategoria> categoryDialog;
    std::unique_ptr<FormApp> appDialog;
    std::unique_ptr<FormOrdina> orderDialog;
};

}  // namespace MyApp
