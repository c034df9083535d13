// What the main window shows: its cells and tiles with their texts and their
// places in the tile panel, one line each, compared as a whole with what a
// catalogue must look like.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ZelmivoE2E {

struct ExpectedColumn {
    std::wstring name;
    std::vector<std::wstring> tiles;
};

// "cell 'Ufficio' at 10,10 size 160x25", ordered by column, then top to bottom.
std::vector<std::string> ShownLayout(HWND panel);
std::vector<std::string> ExpectedLayout(const std::vector<ExpectedColumn>& columns);

std::string Utf8(const std::wstring& text);

}  // namespace ZelmivoE2E
