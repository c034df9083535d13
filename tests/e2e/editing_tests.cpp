// Building and changing a catalogue the way a user does: typing into the
// editor dialogs, answering their questions, and using the context menus.
#include "data_folder.h"
#include "end_to_end_test.h"
#include "screenshot.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

namespace ZelmivoE2E {
namespace {

class FirstStartTest : public EndToEndTest {};
class ContextMenuTest : public EndToEndTest {};

TEST_F(FirstStartTest, TypingTheWorkedExampleWritesItByteForByte) {
    ASSERT_TRUE(StartWith(nullptr));
    EXPECT_EQ(zelmivo.Layout(), ExpectedLayout({}));
    EXPECT_EQ(TextOf(zelmivo.MainWindow()).rfind(L"Orvo Zelmivo ", 0), 0u);
    RECT frame = ScreenRect(zelmivo.MainWindow());
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right - frame.left, GetSystemMetrics(SM_CXSCREEN) * 9 / 10);
    EXPECT_EQ(frame.bottom - frame.top, GetSystemMetrics(SM_CYSCREEN) * 9 / 10);

    ASSERT_TRUE(AddCategory(L"Ufficio", true));
    ASSERT_TRUE(AddCategory(L"Giochi", false));
    EXPECT_TRUE(WaitForCatalogue(CatalogueText({{"Ufficio", 1}, {"Giochi", 2}}, {})));
    ASSERT_TRUE(
        AddApp(0, L"Blocco note", L"C:\\Windows\\notepad.exe", L"C:\\Note\\lista.txt", true));
    ASSERT_TRUE(AddApp(1, L"Solitario", L"D:\\Giochi\\sol.exe", L"", false));

    EXPECT_TRUE(WaitForCatalogue(WorkedExampleText()));
    EXPECT_EQ(ReadCatalogueFile(), WorkedExampleText());
    EXPECT_EQ(ReadCatalogueFile().size(), 541u);
    EXPECT_EQ(zelmivo.Layout(), ExpectedLayout(WorkedExampleColumns()));
    EXPECT_TRUE(IsWindowEnabled(zelmivo.MainWindow()));

    // Header cells are dark red, the cells that add things sit on the panel's grey.
    auto insideCorner = [](HWND cell) {
        RECT box = ScreenRect(cell);
        return POINT{box.left + 3, box.top + 3};
    };
    EXPECT_EQ(ScreenPixel(insideCorner(zelmivo.Cell(L"Ufficio"))), RGB(165, 42, 42));
    EXPECT_EQ(ScreenPixel(insideCorner(zelmivo.Cell(L"Giochi"))), RGB(165, 42, 42));
    EXPECT_EQ(ScreenPixel(insideCorner(zelmivo.Cell(L"+ aggiungi categoria"))), RGB(192, 192, 192));
    EXPECT_EQ(ScreenPixel(insideCorner(AddAppCell(1))), RGB(192, 192, 192));
}

TEST_F(ContextMenuTest, RenameReorderAndDeleteThroughTheMenus) {
    auto catalogueWith = [](const std::string& second, const std::vector<ExpectedApp>& apps,
                            bool withSecond) {
        std::vector<ExpectedCategory> categories = {{"Ufficio", 1}};
        if (withSecond) categories.push_back({second, 2});
        return CatalogueText(categories, apps);
    };
    const ExpectedApp notepad = {1, "Blocco note", "", "C:\\Windows\\notepad.exe"};
    const ExpectedApp calculator = {1, "Calcolatrice", "", "C:\\Windows\\calc.exe"};
    const ExpectedApp paint = {1, "Paint", "", "C:\\Windows\\mspaint.exe"};
    const ExpectedApp solitaire = {2, "Solitario", "", "D:\\Giochi\\sol.exe"};
    const std::string start =
        catalogueWith("Giochi", {notepad, calculator, paint, solitaire}, true);
    ASSERT_TRUE(StartWith(&start));
    ASSERT_EQ(zelmivo.Layout(),
              ExpectedLayout({{L"Ufficio", {L"Blocco note", L"Calcolatrice", L"Paint"}},
                              {L"Giochi", {L"Solitario"}}}));

    // Rename: the box starts with the current name; blanks around the new one go.
    ASSERT_TRUE(zelmivo.ChooseFromContextMenu(zelmivo.Cell(L"Giochi"), 'R'));
    HWND rename = zelmivo.WaitForWindow(L"Modifica Categoria");
    ASSERT_NE(rename, nullptr);
    std::vector<HWND> nameBox = TextBoxes(rename);
    ASSERT_EQ(nameBox.size(), 1u);
    EXPECT_EQ(TextOf(nameBox[0]), L"Giochi");
    ASSERT_TRUE(zelmivo.TypeInto(nameBox[0], L"  Svago "));
    PressKey(VK_RETURN);
    ASSERT_TRUE(zelmivo.WaitUntilGone(rename));
    const std::string renamed =
        catalogueWith("Svago", {notepad, calculator, paint, solitaire}, true);
    EXPECT_TRUE(WaitForCatalogue(renamed));
    EXPECT_EQ(ReadCatalogueFile(), renamed);

    // Reorder: Paint up one place, then Blocco note down one place.
    ASSERT_TRUE(zelmivo.ChooseFromContextMenu(zelmivo.Tile(L"Paint"), 'S'));
    HWND order = zelmivo.WaitForWindow(L"Modifica ordine...");
    ASSERT_NE(order, nullptr);
    EXPECT_NE(FindDescendant(order, L"Static", L"Seleziona l'elemento da spostare:"), nullptr);
    std::vector<HWND> lists = DescendantsOfClass(order, L"ListBox");
    ASSERT_EQ(lists.size(), 1u);
    HWND list = lists[0];
    EXPECT_EQ(ListBoxItems(list),
              (std::vector<std::wstring>{L"Blocco note", L"Calcolatrice", L"Paint"}));
    EXPECT_EQ(ListBoxSelection(list), 0);
    // Clicks the entry's line in the list and waits for it to be selected.
    auto clickEntry = [&](int index) {
        RECT box = ScreenRect(list);
        DWORD_PTR itemHeight = 0;
        SendMessageTimeoutW(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 3000, &itemHeight);
        const LONG line = static_cast<LONG>(itemHeight);
        LeftClick(POINT{(box.left + box.right) / 2, box.top + 2 + line * index + line / 2});
        return WaitUntil([&] { return ListBoxSelection(list) == index; }, 3000);
    };
    ASSERT_TRUE(clickEntry(2));
    ASSERT_TRUE(zelmivo.ClickButton(order, L"Su"));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return ListBoxItems(list) ==
                   std::vector<std::wstring>{L"Blocco note", L"Paint", L"Calcolatrice"};
        },
        3000));
    EXPECT_EQ(ListBoxSelection(list), 1);
    ASSERT_TRUE(clickEntry(0));
    ASSERT_TRUE(zelmivo.ClickButton(order, L"Giu"));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return ListBoxItems(list) ==
                   std::vector<std::wstring>{L"Paint", L"Blocco note", L"Calcolatrice"};
        },
        3000));
    EXPECT_EQ(ListBoxSelection(list), 1);
    ASSERT_TRUE(zelmivo.ClickButton(order, L"OK"));
    ASSERT_TRUE(zelmivo.WaitUntilGone(order));
    const std::string reordered =
        catalogueWith("Svago", {paint, notepad, calculator, solitaire}, true);
    EXPECT_TRUE(WaitForCatalogue(reordered));
    EXPECT_EQ(ReadCatalogueFile(), reordered);
    EXPECT_EQ(zelmivo.Layout(),
              ExpectedLayout({{L"Ufficio", {L"Paint", L"Blocco note", L"Calcolatrice"}},
                              {L"Svago", {L"Solitario"}}}));

    // Delete an entry: No keeps it, Yes removes it.
    ASSERT_TRUE(zelmivo.ChooseFromContextMenu(zelmivo.Tile(L"Calcolatrice"), 'C'));
    MessageBoxSeen keep = zelmivo.WaitForMessageBox();
    ASSERT_NE(keep.box, nullptr);
    EXPECT_EQ(keep.caption, L"Conferma");
    EXPECT_EQ(keep.text, L"Si desidera realmente cancellare il pulsante \"CALCOLATRICE\"?");
    ASSERT_TRUE(zelmivo.Answer(keep, IDNO));
    EXPECT_NE(zelmivo.Tile(L"Calcolatrice"), nullptr);
    EXPECT_EQ(ReadCatalogueFile(), reordered);

    ASSERT_TRUE(zelmivo.ChooseFromContextMenu(zelmivo.Tile(L"Calcolatrice"), 'C'));
    MessageBoxSeen remove = zelmivo.WaitForMessageBox();
    ASSERT_NE(remove.box, nullptr);
    ASSERT_TRUE(zelmivo.Answer(remove, IDYES));
    const std::string withoutCalculator = catalogueWith("Svago", {paint, notepad, solitaire}, true);
    EXPECT_TRUE(WaitForCatalogue(withoutCalculator));
    EXPECT_EQ(ReadCatalogueFile(), withoutCalculator);

    // Delete a category with its entries.
    ASSERT_TRUE(zelmivo.ChooseFromContextMenu(zelmivo.Cell(L"Svago"), 'C'));
    MessageBoxSeen category = zelmivo.WaitForMessageBox();
    ASSERT_NE(category.box, nullptr);
    EXPECT_EQ(category.caption, L"Conferma");
    EXPECT_EQ(category.text, L"Si desidera realmente cancellare la categoria \"SVAGO\"?");
    ASSERT_TRUE(zelmivo.Answer(category, IDYES));
    const std::string withoutGames = catalogueWith("", {paint, notepad}, false);
    EXPECT_TRUE(WaitForCatalogue(withoutGames));
    EXPECT_EQ(ReadCatalogueFile(), withoutGames);
    EXPECT_EQ(zelmivo.Layout(), ExpectedLayout({{L"Ufficio", {L"Paint", L"Blocco note"}}}));
}

}  // namespace
}  // namespace ZelmivoE2E
