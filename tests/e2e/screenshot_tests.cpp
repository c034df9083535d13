// Pictures for the README (docs/main_window.png, docs/find_by_typing.png and
// docs/dialog_add_app.png are these, converted): the main window over a sample
// catalogue, a tile found by typing and the dialog that adds an entry, each
// taken once the window shows what it must.
#include "end_to_end_test.h"

namespace ZelmivoE2E {
namespace {

class ScreenshotTest : public EndToEndTest {};

TEST_F(ScreenshotTest, MainWindowAndDialogsLeftWithEscape) {
    const std::string sample = CatalogueText(
        {{"Ufficio", 1}, {"Internet", 2}, {"Strumenti", 3}, {"Giochi", 4}},
        {{"1", "Blocco note", "", "C:\\Windows\\notepad.exe"},
         {"1", "WordPad", "", "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe"},
         {"1", "Calcolatrice", "", "C:\\Windows\\system32\\calc.exe"},
         {"2", "Sito di Zelmivo", "", "http://www.example.com/Zelmivo"},
         {"2", "Posta", "", "mailto:info@example.com"},
         {"3", "Prompt dei comandi", "", "C:\\Windows\\system32\\cmd.exe"},
         {"3", "Esplora risorse", "C:\\", "C:\\Windows\\explorer.exe"},
         {"3", "Editor del registro", "", "C:\\Windows\\regedit.exe"},
         {"4", "Solitario", "", "D:\\Giochi\\sol.exe"}});
    ASSERT_TRUE(WriteBytes(CataloguePath(), sample));
    ASSERT_TRUE(Start());
    ASSERT_EQ(Shown(),
              L"Ufficio, Blocco note, WordPad, Calcolatrice | Internet, Sito di Zelmivo, Posta | "
              L"Strumenti, Prompt dei comandi, Esplora risorse, Editor del registro | "
              L"Giochi, Solitario");
    EXPECT_TRUE(Screenshot(L"main_window", ScreenRect(mainWindow)));
    // Finding by typing: the text in the title, the tile found drawn selected.
    PressKeys(L"reg", true);
    ASSERT_TRUE(
        WaitUntil([&] { return TextOf(mainWindow).find(L"Trova: reg") != std::wstring::npos; }));
    EXPECT_TRUE(Screenshot(L"find_by_typing", ScreenRect(mainWindow)));
    PressKeys({VK_ESCAPE});

    ASSERT_TRUE(Click(Item(L"+ aggiungi App", 1)));
    HWND dialog = WaitForWindow(L"", L"Aggiungi Applicazione");
    ASSERT_TRUE(TypeInto(Children(dialog, L"Edit").at(0), L"Notizie"));
    ASSERT_TRUE(TypeInto(Children(dialog, L"Edit").at(1), L"https://www.example.com/notizie"));
    EXPECT_TRUE(Screenshot(L"dialog_add_app", ScreenRect(dialog)));

    // Esc leaves the dialog without adding; the edit dialog starts with the entry's texts.
    PressKeys({VK_ESCAPE});
    EXPECT_FALSE(WaitUntil([&] { return ReadBytes() != sample; }, 1000)) << ReadBytes();
    ASSERT_TRUE(ChooseFromMenu(Item(L"Esplora risorse"), L'M'));
    std::vector<HWND> boxes = Children(WaitForWindow(L"", L"Modifica Applicazione"), L"Edit");
    EXPECT_EQ(TextOf(boxes.at(0)) + L"|" + TextOf(boxes.at(1)) + L"|" + TextOf(boxes.at(2)),
              L"Esplora risorse|C:\\Windows\\explorer.exe|C:\\");
}

}  // namespace
}  // namespace ZelmivoE2E
