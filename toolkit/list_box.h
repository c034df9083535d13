// A list of texts, each with a value the owner reads back by index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui_element.h"

namespace OrvoUtility {

class ListBox : public Child, public CommandElement {
public:
    explicit ListBox(GUIElement* parentElement);

    void Create() override;
    // Only a change of selection is a command.
    void OnControlCommand(WORD notification) override;
    void AddItem(std::string itemText, std::string itemValue);
    // False for -1 and for an index the list refuses; the items stay as they were.
    bool RemoveItem(std::int32_t index);
    bool SetSelectedIndex(std::int32_t index);
    std::int32_t GetSelectedIndex();
    std::int32_t ItemCount();

    bool border;
    std::vector<std::wstring> itemTexts;
    // Parallel to itemTexts.
    std::vector<std::wstring> itemValues;
};

}  // namespace OrvoUtility
