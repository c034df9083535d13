// Changing a catalogue through the context menus of headers and tiles,
// starting from a file edited by hand where two categories share an id.
#include "end_to_end_test.h"

namespace ZelmivoE2E {
namespace {

class ContextMenuTest : public EndToEndTest {};

TEST_F(ContextMenuTest, RenameReorderAndDeleteActOnTheItemClicked) {
    const Entry notepad = {"1", "Blocco note", "", "C:\\Windows\\notepad.exe"};
    const Entry calculator = {"1", "Calcolatrice", "", "C:\\Windows\\calc.exe"};
    const Entry paint = {"1", "Paint", "/n", "C:\\Windows\\mspaint.exe"};
    const Entry solitaire = {"2", "Solitario", "", "D:\\Giochi\\sol.exe"};
    ASSERT_TRUE(
        WriteBytes(CataloguePath(), CatalogueText({{"Ufficio", 1}, {"Giochi", 2}, {"Vecchi", 2}},
                                                  {notepad, calculator, paint, solitaire})));
    ASSERT_TRUE(Start());
    ASSERT_EQ(Shown(), L"Ufficio, Blocco note, Calcolatrice, Paint | Giochi, Solitario | Vecchi");

    // "Modifica" starts with the entry's texts; Esc leaves it without a change.
    ASSERT_TRUE(ChooseFromMenu(Item(L"Paint"), L'M'));
    HWND edit = WaitForWindow(L"", L"Modifica Applicazione");
    std::vector<HWND> boxes = Children(edit, L"Edit");
    EXPECT_EQ(TextOf(boxes.at(0)) + L"|" + TextOf(boxes.at(1)) + L"|" + TextOf(boxes.at(2)),
              L"Paint|C:\\Windows\\mspaint.exe|/n");
    ASSERT_TRUE(TypeInto(boxes.at(0), L"Disegno"));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(edit); }));

    // Of the two headers with one id, the one clicked is renamed; blanks around
    // the name go. The file shows that nothing before changed it.
    ASSERT_TRUE(ChooseFromMenu(Item(L"Vecchi"), L'R'));
    HWND rename = WaitForWindow(L"", L"Modifica Categoria");
    EXPECT_EQ(TextOf(Children(rename, L"Edit").at(0)), L"Vecchi");
    ASSERT_TRUE(Fill(rename, {L"  Svago "}, true));
    const std::vector<Category> renamed = {{"Ufficio", 1}, {"Giochi", 2}, {"Svago", 3}};
    EXPECT_TRUE(Saved(CatalogueText(renamed, {notepad, calculator, paint, solitaire})));

    // "Sposta" starts on the first entry, which Giu moves down.
    ASSERT_TRUE(ChooseFromMenu(Item(L"Paint"), L'S'));
    HWND order = WaitForWindow(L"", L"Modifica ordine...");
    HWND list = Children(order, L"ListBox").at(0);
    ASSERT_TRUE(WaitUntil([&] { return SendBounded(list, LB_GETCURSEL) == 0; }));
    ASSERT_TRUE(ClickButton(order, L"Giu"));
    ASSERT_TRUE(ClickButton(order, L"OK"));
    EXPECT_TRUE(Saved(CatalogueText(renamed, {calculator, notepad, paint, solitaire})));

    // Deleting an entry asks; No keeps it, Yes removes it.
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(ChooseFromMenu(Item(L"Calcolatrice"), L'C'));
        EXPECT_EQ(AnswerMessageBox(answer),
                  L"Conferma: Si desidera realmente cancellare il pulsante \"CALCOLATRICE\"?");
        EXPECT_TRUE(Saved(CatalogueText(
            renamed, answer == IDNO ? std::vector<Entry>{calculator, notepad, paint, solitaire}
                                    : std::vector<Entry>{notepad, paint, solitaire})));
    }

    // Deleting a category takes its entries along.
    ASSERT_TRUE(ChooseFromMenu(Item(L"Giochi"), L'C'));
    EXPECT_EQ(AnswerMessageBox(IDYES),
              L"Conferma: Si desidera realmente cancellare la categoria \"GIOCHI\"?");
    EXPECT_TRUE(Saved(CatalogueText({{"Ufficio", 1}, {"Svago", 3}}, {notepad, paint})));
    EXPECT_EQ(Shown(), L"Ufficio, Blocco note, Paint | Svago");
}

}  // namespace
}  // namespace ZelmivoE2E
