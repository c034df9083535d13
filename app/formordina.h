// The dialog in which the user reorders a list of categories or of one
// category's applications, one entry at a time. It works on its own copy of
// ids and texts and hands the new order of the ids of a valid "OK" to its owner.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor_dialog.h"
#include "list_box.h"

namespace MyApp {

class FormOrdina : public EditorDialog {
public:
    // Opens at once over the owner, which stays disabled until the dialog
    // closes; the list shows `texts`, each standing for the id at its index.
    FormOrdina(OrvoUtility::Form* ownerForm, const std::string& title,
               std::vector<std::int32_t> ids, std::vector<std::string> texts);

    void HandleLoad() override;

    std::function<void(const std::vector<std::int32_t>& ids)> onConfirmed;

    OrvoUtility::ListBox* list = nullptr;
    OrvoUtility::Button* upButton = nullptr;
    OrvoUtility::Button* downButton = nullptr;

private:
    // Shows the texts in the list, each with its id.
    void FillList();
    // Exchanges entries `from` and `to` and keeps the moved entry selected.
    void MoveEntry(std::int32_t from, std::int32_t to);

    std::vector<std::int32_t> ids;
    std::vector<std::string> texts;
};

}  // namespace MyApp
