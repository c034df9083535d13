#include "catalogue_change.h"

#include <gtest/gtest.h>

#include "copied_path.h"
#include "target_address.h"

namespace {

using namespace MyApp;

Catalogue Columns(const std::vector<std::pair<Categoria, std::vector<std::string>>>& columns) {
    Catalogue catalogue;
    for (const auto& [category, entries] : columns) {
        catalogue.categories.push_back(category);
        for (const std::string& entry : entries) {
            catalogue.AddApp(category.id, entry, entry + ".exe", "");
        }
    }
    return catalogue;
}

// "name#id{entry,entry}" for each category.
std::string Shown(const Catalogue& catalogue) {
    std::string out;
    for (const Categoria& category : catalogue.categories) {
        out += category.name + "#" + std::to_string(category.id) + "{";
        for (const App& app : category.apps) {
            out += app.description + (&app != &category.apps.back() ? "," : "");
        }
        out += "} ";
    }
    return out;
}

// What the window showed when the user acted, and what another program left
// in the file meanwhile: Paint and the column Vecchi deleted, Word and Musica added.
Catalogue InWindow() {
    return Columns({{Categoria(1, "Ufficio"), {"Blocco note", "Paint", "Calc"}},
                    {Categoria(2, "Giochi"), {"Solitario"}},
                    {Categoria(5, "Vecchi"), {"Dos"}}});
}
Catalogue InFile() {
    return Columns({{Categoria(1, "Ufficio"), {"Blocco note", "Calc", "Word"}},
                    {Categoria(3, "Musica"), {}},
                    {Categoria(2, "Giochi"), {"Solitario"}}});
}

TEST(CatalogueChange, AppliesToWhatAnotherProgramLeftOrIsDropped) {
    const Catalogue window = InWindow();
    const Categoria& office = window.categories[0];
    auto entry = [&](std::size_t column, std::size_t row) -> const App& {
        return window.categories[column].apps[row];
    };
    const std::string unchanged = Shown(InFile());
    struct Case {
        CatalogueChange change;
        bool applies;
        std::string after;
    } cases[] = {
        {CatalogueChange::AddCategory("Foto"), true,
         "Ufficio#1{Blocco note,Calc,Word} Musica#3{} Giochi#2{Solitario} Foto#4{} "},
        {CatalogueChange::RenameCategory(office, "Lavoro"), true,
         "Lavoro#1{Blocco note,Calc,Word} Musica#3{} Giochi#2{Solitario} "},
        {CatalogueChange::DeleteCategory(window.categories[2]), true, unchanged},
        {CatalogueChange::ReorderCategories({5, 2, 1}), true,
         "Giochi#2{Solitario} Ufficio#1{Blocco note,Calc,Word} Musica#3{} "},
        {CatalogueChange::AddApps(2, {{"Carte", "c.exe", ""}}), true,
         "Ufficio#1{Blocco note,Calc,Word} Musica#3{} Giochi#2{Solitario,Carte} "},
        {CatalogueChange::AddApps(5, {{"Carte", "c.exe", ""}}), false, unchanged},
        {CatalogueChange::EditApp(window, entry(0, 2), {"Calcolatrice", "calc.exe", ""}), true,
         "Ufficio#1{Blocco note,Calcolatrice,Word} Musica#3{} Giochi#2{Solitario} "},
        {CatalogueChange::EditApp(window, entry(0, 1), {"Disegno", "p.exe", ""}), false, unchanged},
        {CatalogueChange::DeleteApp(window, entry(0, 1)), true, unchanged},
        {CatalogueChange::DeleteApp(window, entry(1, 0)), true,
         "Ufficio#1{Blocco note,Calc,Word} Musica#3{} Giochi#2{} "},
        {CatalogueChange::ReorderApps(office, {entry(0, 2).id, entry(0, 0).id, entry(0, 1).id}),
         true, "Ufficio#1{Calc,Blocco note,Word} Musica#3{} Giochi#2{Solitario} "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change.Description());
        Catalogue file = InFile();
        EXPECT_EQ(c.change.ApplyTo(file), c.applies);
        EXPECT_EQ(Shown(file), c.after);
    }
}

TEST(CatalogueChange, EntriesStillThereKeepTheirRecordIds) {
    const Catalogue window = InWindow();
    Catalogue file = InFile();
    KeepShownIdentity(window, file);
    const std::vector<App>& office = file.categories[0].apps;
    EXPECT_EQ(office[0].id, window.categories[0].apps[0].id);
    EXPECT_EQ(office[1].id, window.categories[0].apps[2].id);
    for (const App& kept : window.categories[0].apps) EXPECT_NE(office[2].id, kept.id);
}

TEST(TargetAddress, OnlyWebAddressesAreWebAndNoSchemeAddressHasAFolder) {
    struct Case {
        const char* pathname;
        bool web;
        bool scheme;
    } cases[] = {{"http://esempio.it", true, true},   {"HTTPS://esempio.it", true, true},
                 {"httpd.exe", false, false},         {"http.exe", false, false},
                 {"mailto:a@b.it", false, true},      {"C:\\Programmi\\a.exe", false, false},
                 {"\\\\server\\a.exe", false, false}, {"1x:y", false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(IsWebAddress(c.pathname), c.web) << c.pathname;
        EXPECT_EQ(IsSchemeAddress(c.pathname), c.scheme) << c.pathname;
    }
}

TEST(CopiedPath, APathWithABlankIsQuotedOnce) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\Windows\\notepad.exe", L"C:\\Windows\\notepad.exe"},
        {L"C:\\Program Files\\a.exe", L"\"C:\\Program Files\\a.exe\""},
        {L"D:\\Giochi\tsol.exe", L"\"D:\\Giochi\tsol.exe\""},
        {L"\"C:\\Program Files\\a.exe\"", L"\"C:\\Program Files\\a.exe\""}};
    for (const auto& [pathname, copied] : cases) EXPECT_EQ(CopiedPath(pathname), copied);
}

}  // namespace
