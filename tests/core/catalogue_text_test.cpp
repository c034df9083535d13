#include "catalogue_text.h"

#include <gtest/gtest.h>

#include "catalogue_helpers.h"
#include "text.h"
#include "utf8.h"

namespace {

using namespace MyApp;
using namespace std::string_literals;

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

// Lines as a text editor may leave them, each column padded to its width.
std::string CategoryLine(const std::string& name, const std::string& id) {
    return Common::PadRight(name, ' ', 50) + id + "\r\n";
}
std::string EntryLine(const std::string& categoryId, const std::string& description,
                      const std::string& pathname) {
    return Common::PadRight(categoryId, ' ', 10) + Common::PadRight(description, ' ', 50) +
           Blanks(128) + pathname + "\r\n";
}

TEST(CatalogueText, WorkedExampleIsByteExact) {
    const std::string text = "CATEGORIE\r\nUfficio" + Blanks(43) + "1\r\nGiochi" + Blanks(44) +
                             "2\r\nAPP\r\n1" + Blanks(9) + "Blocco note" + Blanks(39) +
                             "C:\\Note\\lista.txt" + Blanks(111) + "C:\\Windows\\notepad.exe\r\n2" +
                             Blanks(9) + "Solitario" + Blanks(41 + 128) + "D:\\Giochi\\sol.exe\r\n";
    EXPECT_EQ(FormatCatalogueText(WorkedExample(), TextEncoding::Windows1252).bytes, text);
    ParsedCatalogue parsed = ParseCatalogueText(text);
    EXPECT_EQ(Listing(parsed.catalogue), Listing(WorkedExample()));
    EXPECT_EQ(parsed.encoding, TextEncoding::Windows1252);
    EXPECT_TRUE(parsed.lossless);
}

TEST(CatalogueText, ReaderIsLenientGivesEveryCategoryAnIdOfItsOwnAndCountsWhatItCannotUse) {
    const std::string u = CategoryLine("Ufficio", "1"), g = CategoryLine("Giochi", "2");
    const std::string b = EntryLine("1", "Blocco", "C:\\b.exe"), s = EntryLine("2", "Sol", "s");
    const std::string example = "Ufficio#1{Blocco||C:\\b.exe} Giochi#2{Sol||s}";
    // Line feeds alone; carriage returns alone and no break after the last line.
    const std::string lineFeeds =
        Common::ReplaceAll("CATEGORIE\r\n" + u + g + "APP\r\n" + b + s, "\r\n", "\n");
    std::string returns = Common::ReplaceAll(lineFeeds, "\n", "\r");
    returns.pop_back();
    struct Case {
        std::string text;
        std::string listing;
        std::size_t unread;
    } cases[] = {
        {lineFeeds, example, 0},
        {returns, example, 0},
        // Keywords retyped: nothing is read.
        {"Categorie\r\n" + u + "App\r\n" + b, "", 4},
        // Sections repeat; an entry joins a category read before it, or none.
        {"CATEGORIE\r\n" + u + "APP\r\n" + b + s + "CATEGORIE\r\n" + g + "APP\r\n" + s + "APP\r\n" +
             b,
         "Ufficio#1{Blocco||C:\\b.exe,Blocco||C:\\b.exe} Giochi#2{Sol||s}", 1},
        // Keywords match exactly: before any section a line is ignored, inside
        // one it is a record of that section.
        {"categorie\r\n" + g + "APP\r\n" + b + "CATEGORIE\r\n" + u + "APP \r\n",
         "Ufficio#1{} APP#0{}", 3},
        // Blank lines go, short lines read as far as they go; blanks around
        // names, descriptions and parameters go, those of a pathname stay.
        {"CATEGORIE\r\nCorta\r\n   \r\n\r\n  Sette" + Blanks(43) + "-7\r\n\t\r\nAPP\r\n1\r\n" +
             "0         Solo   \r\n-7" + Blanks(8) + "Con parametri" + Blanks(37) + " -x -y \r\n" +
             EntryLine("-7", "Ultima", "  C:\\u.exe  "),
         "Corta#0{Solo||} Sette#-7{Con parametri|-x -y|,Ultima||  C:\\u.exe  }", 1},
        // A NUL cuts its line and CR alone ends one, so no field holds a break;
        // other control characters read as blanks.
        {"CATEGORIE\nf\x01g\r\x01\ndue\0x\r\n \0\0x\r\0\r\nAPP\r0"s + Blanks(9) + "\x05w\x1Bz\0"s +
             Blanks(60) + "z\r" + EntryLine("0", "d", "\tC:\\p\x1F.exe "),
         "f g#0{w z||,d|| C:\\p .exe } due#1{}", 1},
        // A repeated id, or one below what an entry's column holds, is renumbered
        // with the smallest free positive id; entries join the first holder.
        {"CATEGORIE\r\n" + CategoryLine("Uno", "5") + CategoryLine("Due", "5") +
             CategoryLine("Tre", "1") + CategoryLine("Quattro", "-1000000000") +
             CategoryLine("Cinque", "-999999999") + "APP\r\n" + EntryLine("5", "P", "p") +
             "-100000000Perso\r\n",
         "Uno#5{P||p} Due#2{} Tre#1{} Quattro#3{} Cinque#-999999999{}", 1},
        // Numbers past 32 bits stay apart, each with its entries.
        {"CATEGORIE\r\n" + CategoryLine("A", "4294967297") + CategoryLine("B", "2147483648") +
             CategoryLine("C", "2147483647") + CategoryLine("D", std::string(30, '9')) + "APP\r\n" +
             EntryLine("2147483648", "b", "") + EntryLine("4294967297", "a", "") +
             EntryLine("2147483647", "c", "") + EntryLine("1", "d", ""),
         "A#1{a||} B#2{b||} C#2147483647{c||} D#3{}", 1},
    };
    for (const Case& c : cases) {
        ParsedCatalogue parsed = ParseCatalogueText(c.text);
        EXPECT_EQ(Listing(parsed.catalogue), c.listing) << c.text;
        EXPECT_EQ(parsed.unreadLines, c.unread) << c.text;
        EXPECT_EQ(parsed.encoding, TextEncoding::Windows1252);
        // What was read saves in its columns and reads back the same.
        std::string saved = FormatCatalogueText(parsed.catalogue, parsed.encoding).bytes;
        EXPECT_EQ(Listing(ParseCatalogueText(saved).catalogue), c.listing);
    }
}

TEST(CatalogueText, EveryEncodingIsReadAndWrittenBackByteForByte) {
    const auto lines = [](const std::string& name, const std::string& description) {
        return "CATEGORIE\r\n" + CategoryLine(name, "1") + "APP\r\n" +
               EntryLine("1", description, "C:\\" + name + ".exe");
    };
    using Common::ByteOrder;
    struct Case {
        std::string bytes;
        TextEncoding encoding;
        std::string listing;
    } cases[] = {
        // One byte a character, as the program has always written; the
        // columns count characters, and a byte Windows-1252 leaves undefined stays.
        {"CATEGORIE\r\nCaff\xE8" + Blanks(45) + "1\r\nAPP\r\n1" + Blanks(9) + "T\xE8 verde" +
             Blanks(42 + 128) + "C:\\B\xE8vande\\t\xE8.exe\r\n",
         TextEncoding::Windows1252, "Caffè#1{Tè verde||C:\\Bèvande\\tè.exe}"},
        {"CATEGORIE\r\nFattura \x96 L\x92ultima \x80\x81" + Blanks(29) + "1\r\nAPP\r\n",
         TextEncoding::Windows1252, "Fattura – L’ultima €\u0081#1{}"},
        {lines("Caffè", "Tè 😀"), TextEncoding::Utf8, "Caffè#1{Tè 😀||C:\\Caffè.exe}"},
        {"\xEF\xBB\xBF" + lines("Caffè", "Tè"), TextEncoding::Utf8WithMark,
         "Caffè#1{Tè||C:\\Caffè.exe}"},
        // Notepad's "Unicode", and the same with the high byte first.
        {"\xFF\xFE" + Common::EncodeUtf16(lines("Документы", "ω"), ByteOrder::LittleEndian),
         TextEncoding::Utf16Le, "Документы#1{ω||C:\\Документы.exe}"},
        {"\xFE\xFF" + Common::EncodeUtf16(lines("ω", "😀"), ByteOrder::BigEndian),
         TextEncoding::Utf16Be, "ω#1{😀||C:\\ω.exe}"},
    };
    for (const Case& c : cases) {
        ParsedCatalogue parsed = ParseCatalogueText(c.bytes);
        EXPECT_EQ(Listing(parsed.catalogue), c.listing);
        EXPECT_TRUE(parsed.encoding == c.encoding && parsed.lossless && parsed.unreadLines == 0)
            << c.listing;
        CatalogueBytes saved = FormatCatalogueText(parsed.catalogue, parsed.encoding);
        EXPECT_EQ(saved.bytes, c.bytes) << c.listing;
        EXPECT_EQ(saved.encoding, c.encoding) << c.listing;
    }
}

TEST(CatalogueText, WhatWindows1252CannotHoldIsWrittenAsUtf8AndWhatCannotBeDecodedIsTold) {
    // Beyond it, or letters whose bytes would read back as UTF-8 as others.
    const std::string mark = "\xEF\xBB\xBF";
    for (const std::string name : {"Caffè 😀", "CaffÃ¨"}) {
        Catalogue catalogue;
        catalogue.categories.assign({Categoria(1, name)});
        CatalogueBytes saved = FormatCatalogueText(catalogue, TextEncoding::Windows1252);
        EXPECT_EQ(saved.encoding, TextEncoding::Utf8WithMark);
        EXPECT_EQ(saved.bytes, mark + "CATEGORIE\r\n" + CategoryLine(name, "1") + "APP\r\n");
        EXPECT_EQ(Listing(ParseCatalogueText(saved.bytes).catalogue), name + "#1{}");
    }
    // A mark before bytes that are not UTF-8, an unpaired surrogate.
    const auto utf16 = [](const std::string& text) {
        return Common::EncodeUtf16(text, Common::ByteOrder::LittleEndian);
    };
    const std::pair<std::string, std::string> lossy[] = {
        {mark + "CATEGORIE\r\nCaff\xE8" + Blanks(45) + "1\r\n", "Caff\uFFFD#1{}"},
        {"\xFF\xFE" + utf16("CATEGORIE\r\nx") + "\x3D\xD8" + utf16(Blanks(48) + "1"),
         "x\uFFFD#1{}"},
    };
    for (const auto& [bytes, listing] : lossy) {
        ParsedCatalogue parsed = ParseCatalogueText(bytes);
        EXPECT_FALSE(parsed.lossless) << listing;
        EXPECT_EQ(Listing(parsed.catalogue), listing);
    }
}

}  // namespace
