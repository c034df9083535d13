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
    Windows1252,   // one byte per character, as the program has always written
    Utf8,          // as saved by an editor, without a byte-order mark
    Utf8WithMark,  // the same behind a byte-order mark
    Utf16Le,       // Notepad's "Unicode", behind its byte-order mark
    Utf16Be        // the same with the high byte first
};

struct ParsedCatalogue {
    Catalogue catalogue;
    TextEncoding encoding = TextEncoding::Windows1252;
    // False when the file cannot be decoded faithfully (bytes that are not
    // UTF-8 behind a UTF-8 mark, an unpaired surrogate in UTF-16): what could
    // not be read shows as U+FFFD.
    bool lossless = true;
    // Non-blank lines the reader could not use: those before any keyword and
    // entries whose category is not known yet.
    std::size_t unreadLines = 0;
};

// A byte-order mark tells the encoding; without one, valid UTF-8 holding a
// character of several bytes is UTF-8, and anything else Windows-1252. Lines
// end with CR LF, LF or CR alone; a line is cut at its first NUL, lines of
// blanks and control characters are skipped, a control character in a field
// reads as a blank, columns count characters, and every category gets an id
// of its own.
ParsedCatalogue ParseCatalogueText(const std::string& bytes);

struct CatalogueBytes {
    std::string bytes;
    TextEncoding encoding = TextEncoding::Windows1252;  // the one they are in
};
// The whole file: CR LF after every line, in `encoding` while every character
// fits it. Windows-1252 text that does not fit, or whose bytes would read back
// as UTF-8, is written as UTF-8 with a mark instead.
CatalogueBytes FormatCatalogueText(const Catalogue& catalogue, TextEncoding encoding);

// Lines as UTF-8 text, without their line break.
std::string FormatCategoryLine(const Categoria& category);
Categoria ParseCategoryLine(const std::string& line);
std::string FormatAppLine(const App& app);
void ParseAppLine(const std::string& line, App& app);

// A category whose id repeats an earlier one or does not fit the entry
// line's column gets the smallest free positive id; its entries follow it.
void GiveCategoriesOwnIds(Catalogue& catalogue);

}  // namespace MyApp
