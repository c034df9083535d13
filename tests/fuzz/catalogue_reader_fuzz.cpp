// Feeds arbitrary bytes to the catalogue reader, from memory, and checks what
// a user relies on: no crash, a file with something in it that loads empty is
// told as not read whole, no field holds a control character or anything but
// UTF-8, a loaded file saves and loads back the same, a save is repeatable,
// and every saved line keeps its columns. The same text behind each
// encoding's byte-order mark loads the same catalogue.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "catalogue_text.h"
#include "text.h"
#include "utf8.h"

namespace {

using namespace MyApp;

void Require(bool condition) {
    if (!condition) std::abort();
}

// Valid UTF-8 without a control character of ASCII.
bool IsClean(const std::string& text) {
    return Common::ShapeOfUtf8(text) != Common::Utf8Shape::Invalid &&
           std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < ' '; });
}

// Every line of a saved catalogue holds its fields in their columns, which
// count characters.
void RequireLinesFitColumns(const Catalogue& catalogue) {
    for (const Categoria& category : catalogue.categories) {
        std::string line = FormatCategoryLine(category);
        Require(IsClean(line) && Common::CodePointCount(line) > kNameWidth);
        const std::size_t name = Common::FirstCodePoints(line, kNameWidth).size();
        Require(line.substr(name) == Common::FormatInt64(category.id));
        for (const App& app : category.apps) {
            std::string entry = FormatAppLine(app);
            Require(IsClean(entry));
            Require(Common::CodePointCount(entry) == 188 + Common::CodePointCount(app.pathname));
            std::string id = Common::FormatInt64(app.categoryId);
            Require(id.size() <= 10 && entry.compare(0, id.size(), id) == 0);
            Require(entry.compare(entry.size() - app.pathname.size(), std::string::npos,
                                  app.pathname) == 0);
        }
    }
}

// Some line holds more than blanks, control characters and NULs and is not
// a keyword.
bool HoldsRecords(const std::string& text) {
    for (std::size_t start = 0, end = 0; start < text.size(); start = end + 1) {
        end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string line = text.substr(start, end - start);
        const std::string read = line.substr(0, line.find('\0'));
        if (std::any_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) > ' '; }) &&
            read != "CATEGORIE" && read != "APP") {
            return true;
        }
    }
    return false;
}

ParsedCatalogue CheckLoad(const std::string& bytes) {
    ParsedCatalogue loaded = ParseCatalogueText(bytes);
    RequireLinesFitColumns(loaded.catalogue);
    // A file the catalogue cannot keep whole is never written.
    if (!loaded.lossless) return loaded;
    CatalogueBytes saved = FormatCatalogueText(loaded.catalogue, loaded.encoding);
    Require(saved.encoding == loaded.encoding || (loaded.encoding == TextEncoding::Windows1252 &&
                                                  saved.encoding == TextEncoding::Utf8WithMark));
    // Saving again what was read back gives the same bytes: nothing the
    // file holds was lost or changed on the way.
    ParsedCatalogue reloaded = ParseCatalogueText(saved.bytes);
    Require(reloaded.lossless);
    Require(FormatCatalogueText(reloaded.catalogue, saved.encoding).bytes == saved.bytes);
    return loaded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ParsedCatalogue plain = CheckLoad(bytes);
    // Without a mark the file holds its text as Windows-1252 or UTF-8.
    if (plain.encoding != TextEncoding::Windows1252 && plain.encoding != TextEncoding::Utf8) {
        return 0;
    }
    const std::string text = Common::ShapeOfUtf8(bytes) == Common::Utf8Shape::Invalid
                                 ? Common::DecodeWindows1252(bytes)
                                 : bytes;
    // Else a save would drop what the file holds without a word.
    if (plain.catalogue.categories.empty() && HoldsRecords(text)) Require(plain.unreadLines > 0);
    const std::string listed = FormatCatalogueText(plain.catalogue, TextEncoding::Utf8).bytes;
    const std::pair<std::string, TextEncoding> others[] = {
        {"\xEF\xBB\xBF" + text, TextEncoding::Utf8WithMark},
        {"\xFF\xFE" + Common::EncodeUtf16(text, Common::ByteOrder::LittleEndian),
         TextEncoding::Utf16Le},
        {"\xFE\xFF" + Common::EncodeUtf16(text, Common::ByteOrder::BigEndian),
         TextEncoding::Utf16Be}};
    for (const auto& [other, encoding] : others) {
        const ParsedCatalogue loaded = CheckLoad(other);
        Require(loaded.lossless && loaded.encoding == encoding);
        Require(loaded.unreadLines == plain.unreadLines);
        Require(FormatCatalogueText(loaded.catalogue, TextEncoding::Utf8).bytes == listed);
    }
    return 0;
}
