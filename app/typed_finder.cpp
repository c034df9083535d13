#include "typed_finder.h"

#include <windows.h>

#include "locale_text.h"
#include "text.h"

namespace MyApp {

namespace {

constexpr std::int32_t backspace = 8;
constexpr std::int32_t escape = 27;

// Folded text has a blank wherever a word ends.
bool BeginsWord(const std::wstring& text, std::size_t at) {
    return at == 0 || text[at - 1] == L' ';
}

// The last character of UTF-8 text, all of its bytes.
void DropLastCharacter(std::string& text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
        text.pop_back();
    }
    if (!text.empty()) text.pop_back();
}

}  // namespace

std::int32_t FindMatch(const std::vector<std::wstring>& descriptions, const std::wstring& typed) {
    if (typed.empty()) return -1;
    std::int32_t inside = -1;
    for (std::size_t index = 0; index < descriptions.size(); ++index) {
        const std::wstring& text = descriptions[index];
        for (std::size_t at = text.find(typed); at != std::wstring::npos;
             at = text.find(typed, at + 1)) {
            if (BeginsWord(text, at)) return static_cast<std::int32_t>(index);
            if (inside < 0) inside = static_cast<std::int32_t>(index);
        }
    }
    return inside;
}

TypedFinder::Step TypedFinder::Type(std::int32_t character, const Catalogue& catalogue) {
    using Kind = Step::Kind;
    const wchar_t unit = static_cast<wchar_t>(character);
    if (character == backspace) {
        DropLastCharacter(typed);
    } else if (character == escape) {
        typed.clear();
    } else if (character == ' ' && typed.empty()) {
        return Step{Kind::Launch, false, std::nullopt};
    } else if (IS_HIGH_SURROGATE(unit)) {
        // A character beyond the BMP comes as two messages.
        highSurrogate = unit;
        return Step{Kind::Held, false, std::nullopt};
    } else if (character >= ' ' && character != 0x7F && character <= 0xFFFF) {
        std::wstring text(1, unit);
        if (IS_LOW_SURROGATE(unit)) text.insert(text.begin(), highSurrogate);
        typed += Common::WideToNarrow(text);
    } else {
        return Step{Kind::Ignored, character != '\r' && character != '\t', std::nullopt};
    }
    highSurrogate = 0;
    std::vector<std::wstring> descriptions;
    std::vector<TilePlace> places;
    std::int32_t column = 0;
    for (const Categoria& category : catalogue.categories) {
        std::int32_t row = 0;
        for (const App& app : category.apps) {
            descriptions.push_back(Folded(app.description));
            places.push_back({column, row++});
        }
        ++column;
    }
    std::int32_t match =
        FindMatch(descriptions, OrvoUtility::FoldedForFinding(Common::NarrowToWide(typed)));
    Step step{Kind::Searched, false, std::nullopt};
    if (match >= 0) step.match = places[static_cast<std::size_t>(match)];
    return step;
}

const std::wstring& TypedFinder::Folded(const std::string& description) {
    auto found = folded.find(description);
    if (found == folded.end()) {
        found = folded
                    .emplace(description,
                             OrvoUtility::FoldedForFinding(Common::NarrowToWide(description)))
                    .first;
    }
    return found->second;
}

std::string TypedFinder::Title(const std::string& baseTitle, bool found) const {
    std::string title = baseTitle;
    if (!typed.empty()) {
        title += "   -   Trova: " + typed;
        if (!found) title += "  (nessuna corrispondenza)";
    }
    return title;
}

}  // namespace MyApp
