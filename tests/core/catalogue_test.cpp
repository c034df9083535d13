#include "catalogue.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using MyApp::App;
using MyApp::AppKey;
using MyApp::Catalogue;
using MyApp::Categoria;

std::vector<std::int32_t> CategoryIds(const Catalogue& catalogue) {
    std::vector<std::int32_t> ids;
    for (const Categoria& category : catalogue.categories) {
        ids.push_back(category.id);
    }
    return ids;
}

std::vector<std::string> Descriptions(const Categoria& category) {
    std::vector<std::string> texts;
    for (const App& app : category.apps) {
        texts.push_back(app.description);
    }
    return texts;
}

TEST(CatalogueIds, NewCategoryIdIsOneAboveTheHighest) {
    Catalogue catalogue;
    catalogue.AddCategory("Prima");
    EXPECT_EQ(catalogue.categories.back().id, 1);

    catalogue.categories.assign({Categoria(3, "a"), Categoria(7, "b")});
    catalogue.AddCategory("c");
    EXPECT_EQ(catalogue.categories.back().id, 8);
    EXPECT_EQ(catalogue.categories.back().name, "c");
    catalogue.DeleteCategory(8);
    catalogue.AddCategory("d");
    EXPECT_EQ(CategoryIds(catalogue), (std::vector<std::int32_t>{3, 7, 8}));

    catalogue.categories.assign({Categoria(-5, "a"), Categoria(0, "b")});
    catalogue.AddCategory("c");
    EXPECT_EQ(catalogue.categories.back().id, 1);

    // No id lies above the largest one: the smallest free positive id is used.
    const std::int32_t largest = std::numeric_limits<std::int32_t>::max();
    catalogue.categories.assign({Categoria(1, "a"), Categoria(largest, "b"), Categoria(2, "c")});
    catalogue.AddCategory("d");
    EXPECT_EQ(CategoryIds(catalogue), (std::vector<std::int32_t>{1, largest, 2, 3}));
}

TEST(CatalogueIds, RecordIdsAreNeverReused) {
    App first;
    App second("b", "p", 1, "");
    EXPECT_EQ(second.id, first.id + 1);
    App copy = second;
    EXPECT_EQ(copy.id, second.id);

    Catalogue catalogue;
    catalogue.AddCategory("c");
    catalogue.AddApp(1, "x", "x.exe", "");
    std::int32_t deleted = catalogue.categories[0].apps[0].id;
    EXPECT_GT(deleted, second.id);
    catalogue.DeleteApp(AppKey(1, deleted));
    EXPECT_TRUE(catalogue.categories[0].apps.empty());
    catalogue.AddApp(1, "y", "y.exe", "");
    EXPECT_EQ(catalogue.categories[0].apps[0].id, deleted + 1);

    // A missing category uses no record id.
    catalogue.AddApp(99, "z", "z.exe", "");
    catalogue.AddApp(1, "w", "w.exe", "");
    EXPECT_EQ(catalogue.categories[0].apps[1].id, deleted + 2);
}

TEST(CatalogueFindApp, KeysNameOneEntry) {
    Catalogue catalogue;
    catalogue.categories.assign({Categoria(2, "due"), Categoria(7, "sette")});
    catalogue.AddApp(2, "a", "a.exe", "");
    catalogue.AddApp(7, "b", "b.exe", "");
    const App& a = catalogue.categories[0].apps[0];
    const App& b = catalogue.categories[1].apps[0];

    EXPECT_EQ(AppKey(2, a.id), "2;" + std::to_string(a.id));
    EXPECT_EQ(catalogue.FindApp(AppKey(2, a.id)), &a);
    EXPECT_EQ(catalogue.FindApp(" 7;" + std::to_string(b.id) + "z"), &b);
    EXPECT_EQ(catalogue.FindApp(AppKey(7, a.id)), nullptr);
    EXPECT_EQ(catalogue.FindApp(AppKey(2, a.id) + ";1"), nullptr);
    EXPECT_EQ(catalogue.FindApp("7"), nullptr);
    EXPECT_EQ(catalogue.FindApp(""), nullptr);
    EXPECT_EQ(catalogue.FindApp("2;x"), nullptr);
    EXPECT_EQ(catalogue.FindApp("3;" + std::to_string(a.id)), nullptr);
    EXPECT_EQ(AppKey(-3, 12), "-3;12");
}

TEST(CatalogueOperations, DuplicateIdsActOnTheFirstCategory) {
    Catalogue catalogue;
    catalogue.categories.assign({Categoria(4, "uno"), Categoria(4, "due"), Categoria(5, "tre")});
    EXPECT_EQ(catalogue.FindCategory(4), 0);
    EXPECT_EQ(catalogue.FindCategory(6), -1);
    catalogue.AddApp(4, "a", "a.exe", "");
    EXPECT_EQ(catalogue.categories[0].apps.size(), 1u);
    EXPECT_TRUE(catalogue.categories[1].apps.empty());
    catalogue.RenameCategory(4, "nuovo");
    EXPECT_EQ(catalogue.categories[0].name, "nuovo");
    EXPECT_EQ(catalogue.categories[1].name, "due");
    catalogue.RenameCategory(6, "niente");
    catalogue.DeleteCategory(4);
    ASSERT_EQ(catalogue.categories.size(), 2u);
    EXPECT_EQ(catalogue.categories[0].name, "due");
    catalogue.DeleteCategory(6);
    EXPECT_EQ(catalogue.categories.size(), 2u);
}

TEST(CatalogueOperations, EditDeleteAndReorder) {
    Catalogue catalogue;
    catalogue.categories.assign({Categoria(1, "a"), Categoria(2, "b"), Categoria(3, "c")});
    for (const char* name : {"p", "q", "r"}) {
        catalogue.AddApp(2, name, std::string(name) + ".exe", "-x");
    }
    std::vector<App>& apps = catalogue.categories[1].apps;
    std::int32_t p = apps[0].id, q = apps[1].id, r = apps[2].id;

    catalogue.EditApp(AppKey(2, q), "Q", "Q.exe", "");
    EXPECT_EQ(apps[1].id, q);
    EXPECT_EQ(apps[1].categoryId, 2);
    EXPECT_EQ(apps[1].description, "Q");
    EXPECT_EQ(apps[1].pathname, "Q.exe");
    EXPECT_EQ(apps[1].parameters, "");
    EXPECT_EQ(catalogue.FindApp(AppKey(2, q)), &apps[1]);

    catalogue.ReorderApps(AppKey(2, p), {r, 12345, p, q});
    EXPECT_EQ(Descriptions(catalogue.categories[1]), (std::vector<std::string>{"r", "p", "Q"}));
    catalogue.ReorderApps(AppKey(2, p), {q, r});
    EXPECT_EQ(Descriptions(catalogue.categories[1]), (std::vector<std::string>{"Q", "r"}));
    catalogue.ReorderApps("2;12345", {r});
    EXPECT_EQ(catalogue.categories[1].apps.size(), 2u);

    catalogue.DeleteApp(AppKey(2, r));
    EXPECT_EQ(Descriptions(catalogue.categories[1]), (std::vector<std::string>{"Q"}));
    catalogue.DeleteApp(AppKey(2, r));
    EXPECT_EQ(catalogue.categories[1].apps.size(), 1u);

    catalogue.ReorderCategories({3, 9, 1});
    EXPECT_EQ(CategoryIds(catalogue), (std::vector<std::int32_t>{3, 1}));
    EXPECT_EQ(catalogue.FindApp(AppKey(2, q)), nullptr);
}

TEST(CatalogueOperations, FieldsAreFittedToTheirColumns) {
    Catalogue catalogue;
    catalogue.AddCategory(std::string(49, 'n') + " tail");
    EXPECT_EQ(catalogue.categories[0].name, std::string(49, 'n'));
    catalogue.RenameCategory(1, std::string("a\r\nb\0c", 6));
    EXPECT_EQ(catalogue.categories[0].name, "a  b c");
    catalogue.RenameCategory(1, "\nnome\r");
    EXPECT_EQ(catalogue.categories[0].name, "nome");

    catalogue.AddApp(1, std::string(60, 'd'), std::string(" C:\\a\rb\n.exe\0 ", 14),
                     std::string(130, 'p'));
    App& app = catalogue.categories[0].apps[0];
    EXPECT_EQ(app.description, std::string(50, 'd'));
    EXPECT_EQ(app.pathname, " C:\\a b .exe  ");
    EXPECT_EQ(app.parameters, std::string(128, 'p'));

    catalogue.EditApp(AppKey(1, app.id), "\xE8 ok\n", std::string(300, 'x') + "\n", " -a\r\n-b ");
    EXPECT_EQ(app.description, "\xE8 ok");
    EXPECT_EQ(app.pathname, std::string(300, 'x') + " ");
    EXPECT_EQ(app.parameters, "-a  -b");
    catalogue.EditApp(AppKey(1, app.id), "d", "p", std::string(130, 'q'));
    EXPECT_EQ(app.parameters, std::string(128, 'q'));
}

}  // namespace
