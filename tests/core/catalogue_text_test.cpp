#include "catalogue_text.h"

#include <gtest/gtest.h>

#include "catalogue_helpers.h"
#include "text.h"

namespace {

using namespace MyApp;
using namespace std::string_literals;

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

// Lines as a text editor may leave them, each column padded to its width.
std::string CategoryLine(const std::string& name, const std::string& id) {
    return name + Blanks(50 - name.size()) + id + "\r\n";
}
std::string EntryLine(const std::string& categoryId, const std::string& description,
                      const std::string& pathname) {
    return categoryId + Blanks(10 - categoryId.size()) + description +
           Blanks(50 - description.size() + 128) + pathname + "\r\n";
}

TEST(CatalogueText, WorkedExampleIsByteExact) {
    const std::string text = "CATEGORIE\r\nUfficio" + Blanks(43) + "1\r\nGiochi" + Blanks(44) +
                             "2\r\nAPP\r\n1" + Blanks(9) + "Blocco note" + Blanks(39) +
                             "C:\\Note\\lista.txt" + Blanks(111) + "C:\\Windows\\notepad.exe\r\n2" +
                             Blanks(9) + "Solitario" + Blanks(41 + 128) + "D:\\Giochi\\sol.exe\r\n";
    EXPECT_EQ(text.size(), 541u);
    EXPECT_EQ(FormatCatalogueText(WorkedExample(), TextEncoding::Latin1), text);
    ParsedCatalogue parsed = ParseCatalogueText(text);
    EXPECT_EQ(Listing(parsed.catalogue), Listing(WorkedExample()));
    EXPECT_EQ(parsed.encoding, TextEncoding::Latin1);
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
    // Notepad's "Unicode": the example's own lines, one blank.
    std::string utf16 = "\xFF\xFE", utf16BigEndian = "\xFE\xFF";
    for (char c : lineFeeds + " \r\n") utf16 += {c, '\0'}, utf16BigEndian += {'\0', c};
    struct Case {
        std::string text;
        std::string listing;
        std::size_t unread;
    } cases[] = {
        {lineFeeds, example, 0},
        {returns, example, 0},
        {utf16, "", 6},
        {utf16BigEndian, "", 6},
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
        // A NUL cuts its line and CR alone ends one, so no field holds a break.
        {"CATEGORIE\nf\r\x01\ndue\0x\r\n \0\0x\r\0\r\nAPP\r0"s + Blanks(9) + "a\0"s + Blanks(60) +
             "z\r",
         "f#0{a||} \x01#1{} due#2{}", 1},
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
        EXPECT_EQ(parsed.encoding, TextEncoding::Latin1);
        // What was read saves in its columns and reads back the same.
        std::string saved = FormatCatalogueText(parsed.catalogue, parsed.encoding);
        EXPECT_EQ(Listing(ParseCatalogueText(saved).catalogue), c.listing);
    }
}

TEST(CatalogueText, EditorEncodingsAreKept) {
    Catalogue accented;
    accented.categories.assign({Categoria(1, "Caff\xE8")});
    accented.AddApp(1, "T\xE8 verde", "C:\\B\xE8vande\\t\xE8.exe", "--tazza=\xE0");
    const std::string mark = "\xEF\xBB\xBF", utf8 = "Caff\xC3\xA8" + Blanks(45) + "1\r\nAPP";
    struct Case {
        TextEncoding encoding;
        std::string start;  // the file up to its entries
    } cases[] = {
        {TextEncoding::Latin1, "CATEGORIE\r\nCaff\xE8" + Blanks(45) + "1\r\nAPP"},
        {TextEncoding::Utf8, "CATEGORIE\r\n" + utf8},
        {TextEncoding::Utf8WithMark, mark + "CATEGORIE\r\n" + utf8},
    };
    for (const Case& c : cases) {
        std::string text = FormatCatalogueText(accented, c.encoding);
        EXPECT_EQ(text.substr(0, c.start.size()), c.start);
        ParsedCatalogue parsed = ParseCatalogueText(text);
        EXPECT_EQ(parsed.encoding, c.encoding);
        EXPECT_TRUE(parsed.lossless);
        EXPECT_EQ(Listing(parsed.catalogue), Listing(accented));
    }

    // Latin-1 letters that happen to form UTF-8 are marked as UTF-8, or they
    // would read back as other letters.
    Catalogue lookalike;
    lookalike.categories.assign({Categoria(1, "Caff\xC3\xA8")});
    ParsedCatalogue reread =
        ParseCatalogueText(FormatCatalogueText(lookalike, TextEncoding::Latin1));
    EXPECT_EQ(Listing(reread.catalogue), "Caff\xC3\xA8#1{}");
    EXPECT_EQ(reread.encoding, TextEncoding::Utf8WithMark);

    // Characters beyond Latin-1, and a mark before bytes that are not UTF-8.
    for (const std::string& text : {"CATEGORIE\r\nZ\xC5\x81\xC3\xB3" + Blanks(46) + "1\r\n",
                                    mark + "CATEGORIE\r\nCaff\xE8" + Blanks(45) + "1\r\n"}) {
        EXPECT_FALSE(ParseCatalogueText(text).lossless) << text;
    }
}

}  // namespace
