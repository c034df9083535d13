#include "catalogue.h"

#include <gtest/gtest.h>

#include <limits>

#include "catalogue_helpers.h"

namespace {

using namespace MyApp;

TEST(Catalogue, NewCategoryIdIsOneAboveTheHighest) {
    const std::int32_t largest = std::numeric_limits<std::int32_t>::max();
    struct Case {
        std::vector<std::int32_t> ids;
        std::int32_t added;
    } cases[] = {{{}, 1}, {{3, 7}, 8}, {{-5, 0}, 1}, {{1, largest, 2}, 3}};
    for (const Case& c : cases) {
        Catalogue catalogue;
        for (std::int32_t id : c.ids) catalogue.categories.emplace_back(id, "x");
        catalogue.AddCategory("nuova");
        EXPECT_EQ(catalogue.categories.back().id, c.added);
    }
}

TEST(Catalogue, ReferencesNameOneEntryAndRecordIdsAreNeverReused) {
    Catalogue catalogue;
    catalogue.categories.assign({Categoria(2, "due"), Categoria(7, "sette")});
    catalogue.AddApp(2, "x", "x.exe", "");
    const std::int32_t deleted = catalogue.categories[0].apps[0].id;
    catalogue.DeleteApp({2, deleted});
    catalogue.AddApp(2, "a", "a.exe", "");
    catalogue.AddApp(7, "b", "b.exe", "");
    const App* a = &catalogue.categories[0].apps[0];
    const App* b = &catalogue.categories[1].apps[0];
    EXPECT_GT(a->id, deleted);
    EXPECT_EQ(catalogue.FindApp(a->Ref()), a);
    EXPECT_EQ(catalogue.FindApp(b->Ref()), b);
    for (EntryRef wrong : {EntryRef{7, a->id}, EntryRef{3, a->id}, EntryRef{2, deleted}}) {
        EXPECT_EQ(catalogue.FindApp(wrong), nullptr) << wrong.categoryId << ";" << wrong.recordId;
    }
}

TEST(Catalogue, DuplicateIdsActOnTheFirstCategory) {
    Catalogue catalogue;
    catalogue.categories.assign({Categoria(4, "uno"), Categoria(4, "due"), Categoria(5, "tre")});
    catalogue.AddApp(4, "a", "a.exe", "");
    catalogue.AddApp(6, "b", "b.exe", "");
    catalogue.RenameCategory(4, "nuovo");
    catalogue.RenameCategory(6, "niente");
    EXPECT_EQ(Listing(catalogue), "nuovo#4{a||a.exe} due#4{} tre#5{}");
    catalogue.DeleteCategory(4);
    catalogue.DeleteCategory(5);
    EXPECT_EQ(Listing(catalogue), "due#4{}");
}

TEST(Catalogue, EditDeleteAndReorder) {
    Catalogue catalogue;
    catalogue.categories.assign({Categoria(1, "a"), Categoria(2, "b"), Categoria(3, "c")});
    for (const char* name : {"p", "q", "r"}) catalogue.AddApp(2, name, name, "-x");
    const std::vector<App>& apps = catalogue.categories[1].apps;
    const std::int32_t p = apps[0].id, q = apps[1].id, r = apps[2].id;

    catalogue.EditApp(EntryRef{2, q}, "Q", "Q.exe", "");
    catalogue.ReorderApps(EntryRef{2, p}, {r, 12345, p, q});
    EXPECT_EQ(Listing(catalogue), "a#1{} b#2{r|-x|r,p|-x|p,Q||Q.exe} c#3{}");
    catalogue.ReorderApps(EntryRef{2, p}, {q, r});
    catalogue.ReorderApps(EntryRef{2, 12345}, {r});
    catalogue.DeleteApp(EntryRef{2, r});
    catalogue.DeleteApp(EntryRef{2, r});
    EXPECT_EQ(Listing(catalogue), "a#1{} b#2{Q||Q.exe} c#3{}");
    EXPECT_EQ(catalogue.FindApp(EntryRef{2, q}), &apps[0]);

    catalogue.ReorderCategories({3, 9, 1});
    EXPECT_EQ(Listing(catalogue), "c#3{} a#1{}");
}

TEST(Catalogue, FieldsAreFittedToTheirColumns) {
    Catalogue catalogue;
    // Widths count characters, and a cut never halves one.
    catalogue.AddCategory(std::string(48, 'n') + " 😀tail");
    EXPECT_EQ(catalogue.categories[0].name, std::string(48, 'n') + " 😀");
    catalogue.RenameCategory(1, std::string("\na\r\nb\0c\x1F\td\r", 11));
    EXPECT_EQ(catalogue.categories[0].name, "a  b c  d");

    // A cut that leaves a blank at the end leaves it out, as the reader would.
    catalogue.AddApp(1, std::string(49, 'd') + "  tail", std::string(" C:\\a\rb\n.exe\0\t ", 15),
                     std::string(130, 'p'));
    App& app = catalogue.categories[0].apps[0];
    EXPECT_EQ(app.description, std::string(49, 'd'));
    EXPECT_EQ(app.pathname, " C:\\a b .exe   ");
    EXPECT_EQ(app.parameters, std::string(128, 'p'));

    catalogue.EditApp(app.Ref(), "è ok\n", std::string(300, 'x') + "\n",
                      " -a\r\n-b " + std::string(130, 'q'));
    EXPECT_EQ(app.description, "è ok");
    EXPECT_EQ(app.pathname, std::string(300, 'x') + " ");
    EXPECT_EQ(app.parameters, "-a  -b " + std::string(121, 'q'));
}

}  // namespace
