// Finding a tile by typing part of its description: the typed text, kept
// across keystrokes, and the choice of the entry it finds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue.h"
#include "tile_navigation.h"

namespace MyApp {

// The index of the first description holding `typed`, both folded for finding
// (small letters without accents, a blank between words); one where it begins
// a word comes before one where it does not. -1 when none holds it or nothing
// is typed.
std::int32_t FindMatch(const std::vector<std::wstring>& descriptions, const std::wstring& typed);

class TypedFinder {
public:
    struct Step {
        enum class Kind {
            // Not the finder's: the character goes on to the window when `passOn`.
            Ignored,
            // Half of a character beyond the BMP, held for the other half.
            Held,
            // Space with nothing typed launches the selection.
            Launch,
            // The typed text changed; `match` is the entry it finds now.
            Searched
        };
        Kind kind = Kind::Ignored;
        bool passOn = false;
        std::optional<TilePlace> match;
    };

    // Backspace takes back the last character, Esc clears the text.
    Step Type(std::int32_t character, const Catalogue& catalogue);
    void Clear() { typed.clear(); }
    // The window's title with the typed text after it; `found` false adds
    // that nothing holds it.
    std::string Title(const std::string& baseTitle, bool found) const;
    bool Empty() const { return typed.empty(); }

private:
    // The description as finding compares it, folded once per text.
    const std::wstring& Folded(const std::string& description);

    std::string typed;
    wchar_t highSurrogate = 0;
    std::unordered_map<std::string, std::wstring> folded;
};

}  // namespace MyApp
