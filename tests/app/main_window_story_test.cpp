// A user's session with the main window, done with real clicks, menus and
// dialogs: after every step app.txt holds exactly the expected bytes, and a
// main window opened anew over it shows the same columns.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "button.h"
#include "command_fixture.h"
#include "formapp.h"
#include "formcategoria.h"
#include "formordina.h"
#include "list_box.h"
#include "panel.h"
#include "text.h"
#include "user_actions.h"

namespace MainWindowTests {

namespace {

using MyApp::FormMain;
using OrvoUtility::Button;

}  // namespace

using MainWindowStory = CommandTest;

TEST_F(MainWindowStory, AUserBuildsChangesAndTidiesTheCatalogue) {
    FormMain& main = OpenMainForm();

    // Two categories, the first typed with blanks around it.
    AddCategory("  Ufficio ");
    EXPECT_EQ(ReadCatalogueFile(), FileText({CategoryLine("Ufficio", 1)}, {}));
    AddCategory("Giochi");
    const std::string categoriesFirst = CategoryLine("Ufficio", 1);
    const std::string categoriesSecond = CategoryLine("Giochi", 2);
    EXPECT_EQ(ReadCatalogueFile(), FileText({categoriesFirst, categoriesSecond}, {}));
    ExpectReopenedAlike();

    // Entries in each, one with parameters.
    AddApp(0, "Sonda", "C:\\Programmi\\sonda.exe", "uno due");
    AddApp(1, "Sito", "http://www.zelmivo.it", "");
    AddApp(0, "Note", "C:\\Documenti\\note.txt", "");
    const std::string sonda = AppLine(1, "Sonda", "uno due", "C:\\Programmi\\sonda.exe");
    const std::string sito = AppLine(2, "Sito", "", "http://www.zelmivo.it");
    EXPECT_EQ(ReadCatalogueFile(),
              FileText({categoriesFirst, categoriesSecond},
                       {sonda, AppLine(1, "Note", "", "C:\\Documenti\\note.txt"), sito}));
    ExpectReopenedAlike();

    // "Note" becomes "Appunti" with parameters, from its context menu.
    MyApp::App* note = main.catalogue.categories[0].apps.size() == 2
                           ? &main.catalogue.categories[0].apps[1]
                           : nullptr;
    ASSERT_NE(note, nullptr);
    std::vector<std::wstring> captions = ChooseFromContextMenu(*note->tile, 'M');
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"&Modifica", L"&Cancella", L"&Sposta..."}));
    ASSERT_NE(main.appDialog, nullptr);
    EXPECT_EQ(main.appDialog->GetTextNarrow(), "Modifica Applicazione");
    EXPECT_EQ(main.appDialog->descriptionBox->GetTextNarrow(), "Note");
    EXPECT_EQ(main.appDialog->pathnameBox->GetTextNarrow(), "C:\\Documenti\\note.txt");
    TypeInto(main.appDialog->descriptionBox->hwnd, "Appunti");
    TypeInto(main.appDialog->parametersBox->hwnd, "/r");
    FinishDialog(*main.appDialog, *main.appDialog->okButton);
    const std::string appunti = AppLine(1, "Appunti", "/r", "C:\\Documenti\\note.txt");
    EXPECT_EQ(ReadCatalogueFile(),
              FileText({categoriesFirst, categoriesSecond}, {sonda, appunti, sito}));
    EXPECT_EQ(note->tile->GetTextNarrow(), "Appunti");

    // "Appunti" moved above "Sonda".
    ChooseFromContextMenu(*main.catalogue.categories[0].apps[0].tile, 'S');
    ASSERT_NE(main.orderDialog, nullptr);
    EXPECT_EQ(main.orderDialog->GetTextNarrow(), "Modifica ordine...");
    EXPECT_EQ(main.orderDialog->list->itemTexts, (std::vector<std::wstring>{L"Sonda", L"Appunti"}));
    SelectListItem(*main.orderDialog->list, 1);
    PressAndPump(*main.orderDialog->upButton,
                 [&main] { return main.orderDialog->list->itemTexts.front() == L"Appunti"; });
    FinishDialog(*main.orderDialog, *main.orderDialog->okButton);
    EXPECT_EQ(ReadCatalogueFile(),
              FileText({categoriesFirst, categoriesSecond}, {appunti, sonda, sito}));
    ExpectReopenedAlike();

    // "Giochi" moved before "Ufficio": its entries come first in the file too.
    captions = ChooseFromContextMenu(*main.catalogue.categories[1].cell, 'S');
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"&Rinomina", L"&Cancella", L"&Sposta..."}));
    ASSERT_NE(main.orderDialog, nullptr);
    EXPECT_EQ(main.orderDialog->list->itemTexts,
              (std::vector<std::wstring>{L"Ufficio", L"Giochi"}));
    SelectListItem(*main.orderDialog->list, 1);
    PressAndPump(*main.orderDialog->upButton,
                 [&main] { return main.orderDialog->list->itemTexts.front() == L"Giochi"; });
    FinishDialog(*main.orderDialog, *main.orderDialog->okButton);
    EXPECT_EQ(ReadCatalogueFile(),
              FileText({categoriesSecond, categoriesFirst}, {sito, appunti, sonda}));
    EXPECT_EQ(RectInPanel(*main.tilePanel, *main.catalogue.categories[1].cell).left, 190);

    // "Ufficio" renamed in place, keeping its id; the blanks are dropped.
    ChooseFromContextMenu(*main.catalogue.categories[1].cell, 'R');
    ASSERT_NE(main.categoryDialog, nullptr);
    EXPECT_EQ(main.categoryDialog->GetTextNarrow(), "Modifica Categoria");
    EXPECT_EQ(main.categoryDialog->nameBox->GetTextNarrow(), "Ufficio");
    TypeInto(main.categoryDialog->nameBox->hwnd, " Lavoro  ");
    FinishDialog(*main.categoryDialog, *main.categoryDialog->okButton);
    const std::string lavoro = CategoryLine("Lavoro", 1);
    EXPECT_EQ(ReadCatalogueFile(), FileText({categoriesSecond, lavoro}, {sito, appunti, sonda}));
    ExpectReopenedAlike();

    // Deleting "Sito": "No" first changes nothing, then "Yes".
    Button* sitoTile = static_cast<Button*>(main.catalogue.categories[0].apps[0].tile);
    auto refused = AnswerNextBox(IDNO);
    ChooseFromContextMenu(*sitoTile, 'C');
    ASSERT_TRUE(PumpUntil([&refused] { return Ready(refused); }));
    ZelmivoTest::AnsweredDialog question = refused.get();
    EXPECT_EQ(question.caption, L"Conferma");
    EXPECT_EQ(question.text, L"Si desidera realmente cancellare il pulsante \"SITO\"?");
    EXPECT_EQ(question.owner, main.hwnd);
    EXPECT_EQ(ReadCatalogueFile(), FileText({categoriesSecond, lavoro}, {sito, appunti, sonda}));
    EXPECT_TRUE(IsWindow(sitoTile->hwnd));

    HWND sitoWindow = sitoTile->hwnd;
    auto accepted = AnswerNextBox(IDYES);
    ChooseFromContextMenu(*sitoTile, 'C');
    ASSERT_TRUE(PumpUntil([&accepted] { return Ready(accepted); }));
    EXPECT_TRUE(accepted.get().pressed);
    EXPECT_EQ(ReadCatalogueFile(), FileText({categoriesSecond, lavoro}, {appunti, sonda}));
    EXPECT_FALSE(IsWindow(sitoWindow));
    ExpectReopenedAlike();

    // Deleting the emptied "Giochi": "Lavoro" moves into the first column.
    auto deleteCategory = AnswerNextBox(IDYES);
    ChooseFromContextMenu(*main.catalogue.categories[0].cell, 'C');
    ASSERT_TRUE(PumpUntil([&deleteCategory] { return Ready(deleteCategory); }));
    EXPECT_EQ(deleteCategory.get().text,
              L"Si desidera realmente cancellare la categoria \"GIOCHI\"?");
    EXPECT_EQ(ReadCatalogueFile(), FileText({lavoro}, {appunti, sonda}));
    ASSERT_EQ(main.catalogue.categories.size(), 1u);
    EXPECT_EQ(RectInPanel(*main.tilePanel, *main.catalogue.categories[0].cell).left, 10);
    EXPECT_EQ(RectInPanel(*main.tilePanel, *main.addCategoryCell).left, 190);
    ExpectReopenedAlike();
}

}  // namespace MainWindowTests
