// Feeds arbitrary bytes to the catalogue reader, from memory, and checks what
// a user relies on: no crash, a file with something in it that loads empty is
// told as not read whole, a loaded file saves and loads back the same, a save
// is repeatable, and every saved line keeps its columns.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue_text.h"
#include "text.h"
#include "utf8.h"

namespace {

using namespace MyApp;

void Require(bool condition) {
    if (!condition) std::abort();
}

bool HoldsLineBreak(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// Every line of a saved catalogue holds its fields in their columns.
void RequireLinesFitColumns(const Catalogue& catalogue) {
    for (const Categoria& category : catalogue.categories) {
        std::string line = FormatCategoryLine(category);
        Require(!HoldsLineBreak(line) && line.size() > kNameWidth);
        Require(line.substr(kNameWidth) == Common::FormatInt64(category.id));
        for (const App& app : category.apps) {
            std::string entry = FormatAppLine(app);
            Require(!HoldsLineBreak(entry));
            Require(entry.size() == 188 + app.pathname.size());
            std::string id = Common::FormatInt64(app.categoryId);
            Require(id.size() <= 10 && entry.compare(0, id.size(), id) == 0);
            Require(entry.compare(188, std::string::npos, app.pathname) == 0);
        }
    }
}

// Some line holds more than blanks and NULs and is not a keyword; to this a
// UTF-16 file is one line, as its lines are not read.
bool HoldsRecords(const std::string& bytes) {
    const bool utf16 = bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0;
    std::size_t start = utf16 ? 2 : bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (std::size_t end = start; start < bytes.size(); start = end + 1) {
        end = utf16 ? bytes.size() : std::min(bytes.find_first_of("\r\n", start), bytes.size());
        const std::string line = bytes.substr(start, end - start);
        const std::string read = line.substr(0, line.find('\0'));
        if (line.find_first_not_of(std::string(" \t\n\v\f\r\0", 7)) != std::string::npos &&
            (utf16 || (read != "CATEGORIE" && read != "APP"))) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ParsedCatalogue loaded = ParseCatalogueText(bytes);
    // Else a save would drop what the file holds without a word.
    if (loaded.catalogue.categories.empty() && HoldsRecords(bytes)) {
        Require(loaded.unreadLines > 0 || !loaded.lossless);
    }
    // A file the catalogue cannot keep whole is never written.
    if (!loaded.lossless) return 0;
    RequireLinesFitColumns(loaded.catalogue);
    std::string saved = FormatCatalogueText(loaded.catalogue, loaded.encoding);
    // Saving again what was read back gives the same bytes: nothing the
    // file holds was lost or changed on the way.
    ParsedCatalogue reloaded = ParseCatalogueText(saved);
    Require(reloaded.lossless);
    Require(FormatCatalogueText(reloaded.catalogue, loaded.encoding) == saved);
    return 0;
}
