#include "formordina.h"

#include <algorithm>
#include <utility>

#include "text.h"

namespace MyApp {

using OrvoUtility::Button;
using OrvoUtility::ListBox;

FormOrdina::FormOrdina(OrvoUtility::Form* ownerForm, const std::string& title)
    : EditorDialog(ownerForm, title, 400, 250),
      promptLabel(nullptr),
      list(nullptr),
      upButton(nullptr),
      downButton(nullptr),
      cancelButton(nullptr) {
    Open();
}

FormOrdina::~FormOrdina() {
    // Closed while the whole dialog still exists: the owner's onDestroy reads it.
    if (created && hwnd != nullptr) RequestClose();
}

void FormOrdina::HandleLoad() {
    SIZE size = LayoutSize();
    const std::int32_t w = size.cx;
    const std::int32_t h = size.cy;
    promptLabel = AddLabel("Seleziona l'elemento da spostare:", 10, 10, w - 20, 25);
    list = AddControl<ListBox>(10, 35, w - 90, h - 70);
    list->Create();
    upButton = AddButton("Su", w - 70, 35, 60, 25);
    downButton = AddButton("Giu", w - 70, 70, 60, 25);
    cancelButton = AddButton("Annulla", w - 110, h - 35, 100, 25);
    okButton = AddButton("OK", w - 220, h - 35, 100, 25);
}

void FormOrdina::FillList() {
    for (std::int32_t index = list->ItemCount() - 1; index >= 0; --index) {
        if (!list->RemoveItem(index)) break;
    }
    std::size_t count = std::min(ids.size(), texts.size());
    for (std::size_t index = 0; index < count; ++index) {
        list->AddItem(texts[index], Common::FormatInt64(ids[index]));
    }
    if (list->ItemCount() > 0) {
        list->SetSelectedIndex(0);
    } else {
        upButton->SetEnabled(false);
        downButton->SetEnabled(false);
    }
}

void FormOrdina::HandleButtonClick(Button* button) {
    if (button == nullptr) return;
    if (cancelButton != nullptr && button->id == cancelButton->id) {
        resultCode = resultCancel;
        RequestClose();
    } else if (okButton != nullptr && button->id == okButton->id) {
        resultCode = resultOk;
        RequestClose();
    } else if (upButton != nullptr && button->id == upButton->id) {
        std::int32_t selected = list->GetSelectedIndex();
        if (selected > 0) MoveEntry(selected, selected - 1);
    } else if (downButton != nullptr && button->id == downButton->id) {
        std::int32_t selected = list->GetSelectedIndex();
        if (selected >= 0 && selected < list->ItemCount() - 1) MoveEntry(selected, selected + 1);
    }
}

void FormOrdina::MoveEntry(std::int32_t from, std::int32_t to) {
    // The owner may have changed the vectors since the list was filled.
    std::size_t count = std::min(ids.size(), texts.size());
    if (static_cast<std::size_t>(std::max(from, to)) >= count) return;
    std::swap(ids[from], ids[to]);
    std::swap(texts[from], texts[to]);
    FillList();
    list->SetSelectedIndex(to);
}

}  // namespace MyApp
