// The catalogue file's text, in memory: fixed-width lines in the sections
// "CATEGORIE" and "APP", and the encodings a text editor may leave behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue.h"

namespace MyApp {

// The entry line's 10-character category column holds no smaller id.
constexpr std::int32_t kLowestCategoryId = -999999999;

enum class TextEncoding {
    Latin1,       // one byte per character, as the program has always written
    Utf8,         // as saved by an editor, without a byte-order mark
    Utf8WithMark  // the same behind a byte-order mark
};

struct ParsedCatalogue {
    Catalogue catalogue;
    TextEncoding encoding = TextEncoding::Latin1;
    // False when the file holds characters the catalogue cannot keep (beyond
    // Latin-1, or bytes that are not UTF-8 behind a byte-order mark).
    bool lossless = true;
    // Non-blank lines the reader could not use: those before any keyword and
    // entries whose category is not known yet.
    std::size_t unreadLines = 0;
};

// Lines end with CR LF, LF or CR alone; a line is cut at its first NUL, blank
// lines are skipped, and every category gets an id of its own. A file behind
// a UTF-16 byte-order mark is not read: all its non-blank lines are unread.
ParsedCatalogue ParseCatalogueText(const std::string& bytes);
// The whole file: CR LF after every line, in the encoding it was read in.
std::string FormatCatalogueText(const Catalogue& catalogue, TextEncoding encoding);

std::string FormatCategoryLine(const Categoria& category);
Categoria ParseCategoryLine(const std::string& line);
std::string FormatAppLine(const App& app);
void ParseAppLine(const std::string& line, App& app);

// A category whose id repeats an earlier one or does not fit the entry
// line's column gets the smallest free positive id; its entries follow it.
void GiveCategoriesOwnIds(Catalogue& catalogue);

}  // namespace MyApp
