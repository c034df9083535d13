// Changing a catalogue through the context menus of headers and tiles,
// starting from a file edited by hand where two categories share an id.
#include "end_to_end_test.h"

namespace ZelmivoE2E {
namespace {

class ContextMenuTest : public EndToEndTest {};

TEST_F(ContextMenuTest, RenameReorderAndDeleteActOnTheItemClicked) {
    const Entry notepad = {"1", "Blocco note", "", "C:\\Windows\\notepad.exe"};
    const Entry calculator = {"1", "Calcolatrice", "", "C:\\Windows\\calc.exe"};
    const Entry paint = {"1", "Paint", "", "C:\\Windows\\mspaint.exe"};
    const Entry solitaire = {"2", "Solitario", "", "D:\\Giochi\\sol.exe"};
    ASSERT_TRUE(
        WriteBytes(CataloguePath(), CatalogueText({{"Ufficio", 1}, {"Giochi", 2}, {"Vecchi", 2}},
                                                  {notepad, calculator, paint, solitaire})));
    ASSERT_TRUE(Start());
    ASSERT_EQ(Shown(), L"Ufficio, Blocco note, Calcolatrice, Paint | Giochi, Solitario | Vecchi");

    // Of the two headers with one id, the one clicked is renamed; blanks around the name go.
    ASSERT_TRUE(ChooseFromMenu(Item(L"Vecchi"), L'R'));
    HWND rename = WaitForWindow(L"", L"Modifica Categoria");
    ASSERT_EQ(TextBoxes(rename).size(), 1u);
    EXPECT_EQ(TextOf(TextBoxes(rename)[0]), L"Vecchi");
    ASSERT_TRUE(Fill(rename, {L"  Svago "}, true));
    const std::vector<Category> renamed = {{"Ufficio", 1}, {"Giochi", 2}, {"Svago", 3}};
    std::string expected = CatalogueText(renamed, {notepad, calculator, paint, solitaire});
    EXPECT_EQ(SavedCatalogue(expected), expected);

    // "Sposta" starts on the first entry; Giu twice, then Su.
    ASSERT_TRUE(ChooseFromMenu(Item(L"Paint"), L'S'));
    HWND order = WaitForWindow(L"", L"Modifica ordine...");
    std::vector<HWND> list = Descendants(order, L"ListBox");
    ASSERT_EQ(list.size(), 1u);
    for (const auto& [button, items] : {std::make_pair(L"Giu", L"Calcolatrice Blocco note Paint"),
                                        std::make_pair(L"Giu", L"Calcolatrice Paint Blocco note"),
                                        std::make_pair(L"Su", L"Calcolatrice Blocco note Paint")}) {
        ASSERT_TRUE(ClickButton(order, button));
        EXPECT_TRUE(WaitUntil([&] { return ListBoxText(list[0]) == items; }, 3000)) << button;
    }
    ASSERT_TRUE(ClickButton(order, L"OK"));
    expected = CatalogueText(renamed, {calculator, notepad, paint, solitaire});
    EXPECT_EQ(SavedCatalogue(expected), expected);

    // Deleting an entry asks; No keeps it, Yes removes it.
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(ChooseFromMenu(Item(L"Calcolatrice"), L'C'));
        EXPECT_EQ(AnswerMessageBox(answer),
                  L"Conferma: Si desidera realmente cancellare il pulsante \"CALCOLATRICE\"?");
        if (answer == IDYES) expected = CatalogueText(renamed, {notepad, paint, solitaire});
        EXPECT_EQ(SavedCatalogue(expected), expected);
    }

    // Deleting a category takes its entries along.
    ASSERT_TRUE(ChooseFromMenu(Item(L"Giochi"), L'C'));
    EXPECT_EQ(AnswerMessageBox(IDYES),
              L"Conferma: Si desidera realmente cancellare la categoria \"GIOCHI\"?");
    expected = CatalogueText({{"Ufficio", 1}, {"Svago", 3}}, {notepad, paint});
    EXPECT_EQ(SavedCatalogue(expected), expected);
    EXPECT_EQ(Shown(), L"Ufficio, Blocco note, Paint | Svago");
}

}  // namespace
}  // namespace ZelmivoE2E
