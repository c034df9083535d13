// The dialog in which the user reorders a list of categories or of one
// category's applications, one entry at a time. It works on its own copy of
// ids and texts; the main window applies the new order of `ids`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor_dialog.h"
#include "list_box.h"

namespace MyApp {

// What a reorder dialog lists.
enum class ReorderList { Categories, Apps };

class FormOrdina : public EditorDialog {
public:
    // Opens at once over the owner, which stays disabled until the dialog closes.
    FormOrdina(OrvoUtility::Form* ownerForm, const std::string& title);
    ~FormOrdina() override;

    void HandleLoad() override;
    void HandleButtonClick(OrvoUtility::Button* button) override;

    // Shows `texts` in the list, each with its id; called once the owner has
    // filled `ids` and `texts`.
    void FillList();

    // Category ids or application record ids, in the current order.
    std::vector<std::int32_t> ids;
    // The texts shown, parallel to `ids`.
    std::vector<std::string> texts;
    // The owner's note of what is being reordered.
    ReorderList listKind = ReorderList::Categories;

    OrvoUtility::Label* promptLabel;
    OrvoUtility::ListBox* list;
    OrvoUtility::Button* upButton;
    OrvoUtility::Button* downButton;
    OrvoUtility::Button* cancelButton;

private:
    // Exchanges entries `from` and `to` and keeps the moved entry selected.
    void MoveEntry(std::int32_t from, std::int32_t to);
};

}  // namespace MyApp
