#include "formordina.h"

#include <algorithm>
#include <utility>

#include "text.h"

namespace MyApp {

FormOrdina::FormOrdina(OrvoUtility::Form* ownerForm, const std::string& title,
                       std::vector<std::int32_t> idsShown, std::vector<std::string> textsShown)
    : EditorDialog(ownerForm, title, 400, 250),
      ids(std::move(idsShown)),
      texts(std::move(textsShown)) {
    Open();
}

void FormOrdina::HandleLoad() {
    const SIZE size = LayoutSize();
    const std::int32_t w = size.cx;
    AddLabel("Seleziona l'elemento da spostare:", 10, 10, w - 20, 25);
    list = AddControl<OrvoUtility::ListBox>(10, 35, w - 90, size.cy - 70);
    list->Create();
    upButton = AddButton("Su", RECT{w - 70, 35, w - 10, 60}, [this] {
        std::int32_t selected = list->GetSelectedIndex();
        if (selected > 0) MoveEntry(selected, selected - 1);
    });
    downButton = AddButton("Giu", RECT{w - 70, 70, w - 10, 95}, [this] {
        std::int32_t selected = list->GetSelectedIndex();
        if (selected >= 0 && selected < list->ItemCount() - 1) MoveEntry(selected, selected + 1);
    });
    AddOkAndCancel([this] {
        EndWith([this] {
            if (onConfirmed != nullptr) onConfirmed(ids);
        });
    });
    FillList();
    list->Focus();
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

void FormOrdina::MoveEntry(std::int32_t from, std::int32_t to) {
    std::swap(ids[from], ids[to]);
    std::swap(texts[from], texts[to]);
    FillList();
    list->SetSelectedIndex(to);
}

}  // namespace MyApp
