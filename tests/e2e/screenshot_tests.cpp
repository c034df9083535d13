// Pictures of the main window over a sample catalogue, of every dialog and of
// the about box, saved into the build folder; each picture is taken after
// checking that the window shows what it must.
#include "data_folder.h"
#include "end_to_end_test.h"
#include "user_input.h"
#include "wait.h"
#include "window_query.h"

namespace ZelmivoE2E {
namespace {

class ScreenshotTest : public EndToEndTest {};

std::string SampleCatalogue() {
    return CatalogueText(
        {{"Ufficio", 1}, {"Internet", 2}, {"Strumenti", 3}, {"Giochi", 4}},
        {{1, "Blocco note", "", "C:\\Windows\\notepad.exe"},
         {1, "WordPad", "", "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe"},
         {1, "Calcolatrice", "", "C:\\Windows\\system32\\calc.exe"},
         {2, "Sito di Zelmivo", "", "http://www.example.com/Zelmivo"},
         {2, "Posta", "", "mailto:info@example.com"},
         {3, "Prompt dei comandi", "", "C:\\Windows\\system32\\cmd.exe"},
         {3, "Esplora risorse", "C:\\", "C:\\Windows\\explorer.exe"},
         {3, "Editor del registro", "", "C:\\Windows\\regedit.exe"},
         {4, "Solitario", "", "D:\\Giochi\\sol.exe"}});
}

void CloseWithEscape(ZelmivoSession& zelmivo, HWND dialog) {
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(zelmivo.WaitUntilGone(dialog));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(zelmivo.MainWindow()) != FALSE; }));
}

TEST_F(ScreenshotTest, MainWindowDialogsAndAboutBox) {
    const std::string catalogue = SampleCatalogue();
    ASSERT_TRUE(StartWith(&catalogue));
    ASSERT_EQ(zelmivo.Layout(),
              ExpectedLayout({{L"Ufficio", {L"Blocco note", L"WordPad", L"Calcolatrice"}},
                              {L"Internet", {L"Sito di Zelmivo", L"Posta"}},
                              {L"Strumenti",
                               {L"Prompt dei comandi", L"Esplora risorse", L"Editor del registro"}},
                              {L"Giochi", {L"Solitario"}}}));
    RECT mainFrame = ScreenRect(zelmivo.MainWindow());
    Screenshot(L"main_window", &mainFrame);

    // Finding by typing: the text in the title, the tile found drawn selected.
    TypeText(L"reg");
    ASSERT_TRUE(WaitUntil(
        [&] { return TextOf(zelmivo.MainWindow()).find(L"Trova: reg") != std::wstring::npos; }));
    Screenshot(L"find_by_typing", &mainFrame);
    PressKey(VK_ESCAPE);

    HWND app = OpenDialogBy(AddAppCell(1), L"Aggiungi Applicazione");
    ASSERT_NE(app, nullptr);
    std::vector<HWND> boxes = TextBoxes(app);
    ASSERT_EQ(boxes.size(), 3u);
    ASSERT_TRUE(zelmivo.TypeInto(boxes[0], L"Notizie"));
    ASSERT_TRUE(zelmivo.TypeInto(boxes[1], L"https://www.example.com/notizie"));
    RECT appFrame = ScreenRect(app);
    Screenshot(L"dialog_add_app", &appFrame);
    CloseWithEscape(zelmivo, app);

    ASSERT_TRUE(zelmivo.ChooseFromContextMenu(zelmivo.Tile(L"WordPad"), 'M'));
    HWND edit = zelmivo.WaitForWindow(L"Modifica Applicazione");
    ASSERT_NE(edit, nullptr);
    boxes = TextBoxes(edit);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(TextOf(boxes[0]), L"WordPad");
    EXPECT_EQ(TextOf(boxes[1]), L"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe");
    EXPECT_EQ(TextOf(boxes[2]), L"");
    RECT editFrame = ScreenRect(edit);
    Screenshot(L"dialog_edit_app", &editFrame);
    CloseWithEscape(zelmivo, edit);

    HWND category = OpenDialogBy(zelmivo.Cell(L"+ aggiungi categoria"), L"Aggiungi Categoria");
    ASSERT_NE(category, nullptr);
    boxes = TextBoxes(category);
    ASSERT_EQ(boxes.size(), 1u);
    ASSERT_TRUE(zelmivo.TypeInto(boxes[0], L"Musica"));
    RECT categoryFrame = ScreenRect(category);
    Screenshot(L"dialog_add_category", &categoryFrame);
    CloseWithEscape(zelmivo, category);

    ASSERT_TRUE(zelmivo.ChooseFromContextMenu(zelmivo.Cell(L"Strumenti"), 'S'));
    HWND order = zelmivo.WaitForWindow(L"Modifica ordine...");
    ASSERT_NE(order, nullptr);
    std::vector<HWND> lists = DescendantsOfClass(order, L"ListBox");
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(ListBoxItems(lists[0]),
              (std::vector<std::wstring>{L"Ufficio", L"Internet", L"Strumenti", L"Giochi"}));
    for (const wchar_t* button : {L"Su", L"Giu", L"Annulla", L"OK"}) {
        EXPECT_NE(zelmivo.Button(order, button), nullptr) << Utf8(button);
    }
    RECT orderFrame = ScreenRect(order);
    Screenshot(L"dialog_order", &orderFrame);
    CloseWithEscape(zelmivo, order);

    // "&Info..." is in the second menu of the bar, right of "&File".
    ASSERT_TRUE(zelmivo.ChooseFromMenuBar('F', 1, 'I'));
    HWND about = zelmivo.WaitForWindow(L"Info...");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(TextOf(about), L"Info...");
    EXPECT_FALSE(IsWindowEnabled(zelmivo.MainWindow()));
    EXPECT_NE(zelmivo.Button(about, L"OK"), nullptr);
    // The two links: the web page and the mail address made from it.
    std::wstring webLink;
    std::wstring mailLink;
    for (HWND child : Descendants(about)) {
        std::wstring text = TextOf(child);
        if (text.rfind(L"http://www.", 0) == 0) webLink = text;
        if (text.rfind(L"info@", 0) == 0) mailLink = text;
    }
    EXPECT_FALSE(webLink.empty());
    EXPECT_EQ(mailLink, L"info@" + webLink.substr(webLink.empty() ? 0 : 11));
    RECT aboutFrame = ScreenRect(about);
    Screenshot(L"about_box", &aboutFrame);
    PressKey(VK_RETURN);
    EXPECT_TRUE(zelmivo.WaitUntilGone(about));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(zelmivo.MainWindow()) != FALSE; }));

    // Looking is not changing: the file is as it was.
    EXPECT_EQ(ReadCatalogueFile(), catalogue);
}

}  // namespace
}  // namespace ZelmivoE2E
