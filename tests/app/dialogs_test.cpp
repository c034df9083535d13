// The editor dialogs with real windows and typing, their error boxes answered
// as a user would: what each box lets through and what the dialog keeps.
#include <gtest/gtest.h>
#include <windows.h>
// shlobj.h builds on windows.h.
#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "accessible_query.h"
#include "dialog_answerer.h"
#include "form_about.h"
#include "formapp.h"
#include "formcategoria.h"
#include "formordina.h"
#include "message_pump.h"
#include "safe_folders.h"
#include "window_query.h"

namespace {

using ZelmivoTest::DialogAnswerer;

// Characters as the keyboard delivers them, one WM_CHAR each.
void Type(OrvoUtility::GUIElement* box, const std::wstring& text) {
    for (wchar_t character : text) PostMessageW(box->hwnd, WM_CHAR, character, 1);
    ZelmivoTest::PumpMessages();
}

void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    ZelmivoTest::PumpMessages();
}
void Click(OrvoUtility::GUIElement* button) { Click(button->hwnd); }

using ZelmivoTest::TextOf;
std::wstring TextOf(OrvoUtility::GUIElement* box) { return TextOf(box->hwnd); }

// The dialog's button with this caption, as the user finds it.
HWND ButtonOf(const OrvoUtility::Form& dialog, const std::wstring& caption) {
    for (HWND child : ZelmivoTest::Children(dialog.hwnd)) {
        if (ZelmivoTest::ClassOf(child) == L"Button" && TextOf(child) == caption) return child;
    }
    return nullptr;
}

// Whether the label's text, in the label's own font, fits its width.
bool ShowsWholeText(HWND label) {
    std::wstring text = TextOf(label);
    HDC dc = GetDC(label);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    RECT box{};
    return GetClientRect(label, &box) && extent.cx <= box.right;
}

// The owner stands in for the main window. A hidden first form takes the part
// of the window whose destruction ends the program.
class DialogTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static OrvoUtility::Form anchor(GetModuleHandleW(nullptr));
        anchor.Create();
        ShowWindow(anchor.hwnd, SW_HIDE);
    }
    void SetUp() override {
        owner.Resize(500, 400);
        owner.Create();
    }
    void TearDown() override {
        EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
        ZelmivoTest::PumpMessages();
    }

    OrvoUtility::Form owner{GetModuleHandleW(nullptr)};
};

// At the owner's DPI (96 is 100%): offset, client size, places and fonts.
TEST_F(DialogTest, DialogsOpenOverTheirDisabledOwner) {
    owner.MoveTo(130, 90);
    const struct {
        LONG dpi, offset, width, appHeight, categoryHeight, boxLeft, boxTop, boxHeight;
    } rows[] = {{96, 50, 400, 250, 120, 120, 28, 25}, {144, 75, 600, 375, 180, 180, 42, 38}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dpi);
        owner.dpi = row.dpi;
        MyApp::FormApp app(&owner, "Aggiungi Applicazione");
        MyApp::FormCategoria category(&owner, "Aggiungi Categoria");
        RECT box;
        GetWindowRect(app.descriptionBox->hwnd, &box);
        MapWindowPoints(nullptr, app.hwnd, reinterpret_cast<POINT*>(&box), 2);
        EXPECT_EQ(std::vector<LONG>({box.left, box.top, box.bottom - box.top}),
                  std::vector<LONG>({row.boxLeft, row.boxTop, row.boxHeight}));
        for (auto [dialog, height] : {std::pair<OrvoUtility::Form*, LONG>{&app, row.appHeight},
                                      {&category, row.categoryHeight}}) {
            RECT frame;
            RECT client;
            GetWindowRect(dialog->hwnd, &frame);
            GetClientRect(dialog->hwnd, &client);
            EXPECT_EQ(frame.left, 130 + row.offset);
            EXPECT_EQ(frame.top, 90 + row.offset);
            EXPECT_EQ(client.right, row.width);
            EXPECT_EQ(client.bottom, height);
            // Every label shows its whole text in its own font.
            for (HWND label = GetWindow(dialog->hwnd, GW_CHILD); label != nullptr;
                 label = GetWindow(label, GW_HWNDNEXT)) {
                if (ZelmivoTest::ClassOf(label) == L"Static") {
                    EXPECT_TRUE(ShowsWholeText(label)) << TextOf(label);
                }
            }
        }
        EXPECT_FALSE(IsWindowEnabled(owner.hwnd));
    }
}

// Each box is heard by the label before it, and Tab goes through the controls
// in the order they stand, from the first box round to it again.
TEST_F(DialogTest, TabWalksTheControlsAsTheyStandEachHeardByItsLabel) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    auto walk = [] {
        std::vector<std::wstring> names;
        const HWND first = GetFocus();
        for (HWND at = first; names.size() < 10 && (names.empty() || at != first);) {
            std::wstring heard = ZelmivoTest::Heard(at);
            names.push_back(heard.substr(0, heard.find(L'|')));
            PostMessageW(at, WM_KEYDOWN, VK_TAB, 0);
            ZelmivoTest::PumpMessages();
            at = GetFocus();
        }
        return names;
    };
    {
        MyApp::FormApp app(&owner, "Aggiungi Applicazione");
        EXPECT_EQ(walk(),
                  (std::vector<std::wstring>{L"Descrizione:", L"Pathname o URL:", L"Sfoglia",
                                             L"Parametri:", L"OK", L"Annulla"}));
    }
    {
        MyApp::FormCategoria category(&owner, "Aggiungi Categoria");
        EXPECT_EQ(walk(), (std::vector<std::wstring>{L"Categoria:", L"OK", L"Annulla"}));
    }
    MyApp::FormOrdina order(&owner, "Modifica ordine...", {10, 20}, {"Alfa", "Beta"});
    EXPECT_EQ(walk(), (std::vector<std::wstring>{L"Seleziona l'elemento da spostare:", L"Su",
                                                 L"Giu", L"OK", L"Annulla"}));
    CoUninitialize();
}

// Empty texts first, in order, then texts the file cannot hold (a control
// character, half a surrogate pair, as a paste may bring them): each refused
// with a box that names it, the focus back on its box.
TEST_F(DialogTest, OkRefusesWhatTheCatalogueCannotTake) {
    const struct {
        const wchar_t* texts[3];  // description, pathname, parameters
        const wchar_t* message;   // what the box says, whole or in part
        int focused;
    } cases[] = {
        {{L"", L"", L""}, L"E' necessario impostare la Descrizione.", 0},
        {{L"   ", L"C:\\a.exe", L""}, L"E' necessario impostare la Descrizione.", 0},
        {{L"Blocco note", L" ", L""}, L"E' necessario impostare il pathname o l'URL.", 1},
        {{L"prezzi\tnetti", L"C:\\a.exe", L""}, L"\"Descrizione\"", 0},
        {{L"ok", L"C:\\\xD83D.exe", L""}, L"\"Pathname o URL\"", 1},
        {{L"ok", L"C:\\a.exe", L"-x \xDE00"}, L"\"Parametri\"", 2},
    };
    for (const auto& c : cases) {
        MyApp::FormApp dialog(&owner, "Aggiungi Applicazione");
        bool confirmed = false;
        dialog.onConfirmed = [&confirmed](const MyApp::EntryText&) { confirmed = true; };
        OrvoUtility::TextBox* boxes[] = {dialog.descriptionBox, dialog.pathnameBox,
                                         dialog.parametersBox};
        for (int i = 0; i < 3; ++i) SetWindowTextW(boxes[i]->hwnd, c.texts[i]);
        DialogAnswerer answer(IDOK);
        Click(ButtonOf(dialog, L"OK"));
        EXPECT_EQ(answer.Result().caption, L"Errore");
        EXPECT_NE(answer.Result().text.find(c.message), std::wstring::npos) << answer.Result().text;
        ZelmivoTest::PumpMessages();
        EXPECT_EQ(GetFocus(), boxes[c.focused]->hwnd);
        EXPECT_FALSE(confirmed);
        EXPECT_TRUE(IsWindow(dialog.hwnd));
    }
    for (auto [typed, message] :
         {std::pair<const wchar_t*, const wchar_t*>{L"", L"E' necessario impostare la categoria."},
          {L"a\x01z", L"\"Categoria\""}}) {
        MyApp::FormCategoria category(&owner, "Aggiungi Categoria");
        bool confirmed = false;
        category.onConfirmed = [&confirmed](const std::string&) { confirmed = true; };
        SetWindowTextW(category.nameBox->hwnd, typed);
        DialogAnswerer answer(IDOK);
        Click(ButtonOf(category, L"OK"));
        EXPECT_NE(answer.Result().text.find(message), std::wstring::npos);
        EXPECT_FALSE(confirmed);
    }

    // Every script can be kept, and a character beyond the BMP too.
    MyApp::FormApp dialog(&owner, "Aggiungi Applicazione");
    std::vector<MyApp::EntryText> confirmed;
    dialog.onConfirmed = [&confirmed](const MyApp::EntryText& entry) {
        confirmed.push_back(entry);
    };
    Type(dialog.descriptionBox, L"Fattura – L’ultima € \xD83D\xDE00");
    Type(dialog.pathnameBox, L"C:\\Документы\\ω.exe");
    DialogAnswerer none(IDOK, 1000);
    // Enter in a box stands for "OK".
    Type(dialog.pathnameBox, L"\r");
    EXPECT_FALSE(none.Result().found);
    ASSERT_EQ(confirmed.size(), 1u);
    EXPECT_EQ(confirmed[0].description, "Fattura – L’ultima € 😀");
    EXPECT_EQ(confirmed[0].pathname, "C:\\Документы\\ω.exe");
    EXPECT_FALSE(IsWindow(dialog.hwnd));
}

// A name typed and then let go, with Esc, the close box or "Annulla", is
// never handed on, and the dialog goes; "OK" hands it on.
TEST_F(DialogTest, ACategoryDialogLeftWithoutOkHandsNothingOn) {
    const std::function<void(MyApp::FormCategoria&)> ways[] = {
        [](MyApp::FormCategoria& dialog) { Type(dialog.nameBox, L"\x1B"); },
        [](MyApp::FormCategoria& dialog) {
            PostMessageW(dialog.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            ZelmivoTest::PumpMessages();
        },
        [](MyApp::FormCategoria& dialog) { Click(ButtonOf(dialog, L"Annulla")); },
        [](MyApp::FormCategoria& dialog) { Click(ButtonOf(dialog, L"OK")); }};
    std::vector<std::string> handedOn;
    for (const auto& leave : ways) {
        MyApp::FormCategoria dialog(&owner, "Aggiungi Categoria");
        dialog.onConfirmed = [&handedOn](const std::string& name) { handedOn.push_back(name); };
        Type(dialog.nameBox, L"Giochi");
        leave(dialog);
        EXPECT_FALSE(IsWindow(dialog.hwnd));
    }
    EXPECT_EQ(handedOn, std::vector<std::string>{"Giochi"});
}

TEST_F(DialogTest, BoxesStopAtTheirColumnWidths) {
    MyApp::FormApp app(&owner, "Aggiungi Applicazione");
    MyApp::FormCategoria category(&owner, "Aggiungi Categoria");
    // Characters typed, then kept; a pair of surrogates is one character.
    const std::tuple<OrvoUtility::GUIElement*, std::wstring, int, int> cases[] = {
        {app.descriptionBox, L"x", 60, 50},
        {app.pathnameBox, L"x", 300, 300},
        {app.parametersBox, L"\xD83D\xDE00", 140, 128},
        {category.nameBox, L"ж", 60, 50}};
    auto repeated = [](const std::wstring& character, int times) {
        std::wstring text;
        while (times-- > 0) text += character;
        return text;
    };
    for (const auto& [box, character, typed, kept] : cases) {
        Type(box, repeated(character, typed));
        EXPECT_EQ(TextOf(box), repeated(character, kept));
    }
}

// Browsing leaves the current folder where the program put it at start, the
// profile folder, against which a bare program name is resolved.
TEST_F(DialogTest, SfogliaFillsThePathnameAndOnlyAnEmptyDescription) {
    // A file that exists, for the open-file dialog to accept: the test program.
    wchar_t own[MAX_PATH] = {};
    const std::wstring file(own, GetModuleFileNameW(nullptr, own, MAX_PATH));
    MyApp::UseSafeFolders();
    auto currentFolder = [] {
        wchar_t folder[MAX_PATH] = {};
        return std::wstring(folder, GetCurrentDirectoryW(MAX_PATH, folder));
    };
    const std::wstring profile = currentFolder();
    wchar_t expected[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, expected);
    EXPECT_EQ(_wcsicmp(profile.c_str(), expected), 0);
    for (const wchar_t* typed : {L"", L"Solitario"}) {
        MyApp::FormApp dialog(&owner, "Aggiungi Applicazione");
        Type(dialog.descriptionBox, typed);
        DialogAnswerer answer(file);
        Click(dialog.browseButton);
        ASSERT_TRUE(answer.Result().pressed);
        ZelmivoTest::PumpMessages();
        EXPECT_EQ(_wcsicmp(TextOf(dialog.pathnameBox).c_str(), file.c_str()), 0);
        EXPECT_EQ(TextOf(dialog.descriptionBox), *typed == L'\0' ? L"dialog_tests.exe" : typed);
        EXPECT_EQ(currentFolder(), profile);
    }
}

TEST_F(DialogTest, SuAndGiuMoveTheSelectedEntryWithinTheList) {
    MyApp::FormOrdina dialog(&owner, "Modifica ordine...", {10, 20, 30}, {"Alfa", "Beta", "Gamma"});
    std::vector<std::vector<std::int32_t>> confirmed;
    dialog.onConfirmed = [&confirmed](const std::vector<std::int32_t>& ids) {
        confirmed.push_back(ids);
    };
    // The button clicked, then the list and the selection it leaves.
    using Texts = std::vector<std::wstring>;
    const std::tuple<OrvoUtility::Button*, Texts, int> steps[] = {
        {dialog.upButton, {L"Alfa", L"Beta", L"Gamma"}, 0},
        {dialog.downButton, {L"Beta", L"Alfa", L"Gamma"}, 1},
        {dialog.downButton, {L"Beta", L"Gamma", L"Alfa"}, 2},
        {dialog.downButton, {L"Beta", L"Gamma", L"Alfa"}, 2},
        {dialog.upButton, {L"Beta", L"Alfa", L"Gamma"}, 1}};
    for (const auto& [button, texts, selected] : steps) {
        Click(button);
        EXPECT_EQ(dialog.list->itemTexts, texts);
        EXPECT_EQ(dialog.list->GetSelectedIndex(), selected);
    }
    Click(ButtonOf(dialog, L"OK"));
    EXPECT_EQ(confirmed, (std::vector<std::vector<std::int32_t>>{{20, 10, 30}}));
}

// The about box follows a DPI change while it is open, and Esc closes it.
TEST_F(DialogTest, TheAboutBoxFollowsTheDpiAndEscClosesIt) {
    OrvoUtility::AboutContent content;
    content.boxTitle = "Info...";
    content.okCaption = "OK";
    OrvoUtility::FormAbout box(&owner, content);
    auto measures = [&box] {
        RECT client{}, ok{};
        GetClientRect(box.hwnd, &client);
        GetWindowRect(ButtonOf(box, L"OK"), &ok);
        return std::vector<LONG>{client.right, client.bottom, ok.right - ok.left};
    };
    EXPECT_EQ(measures(), (std::vector<LONG>{600, 300, 80}));
    RECT suggested{0, 0, 1000, 600};
    SendMessageW(box.hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(measures(), (std::vector<LONG>{900, 450, 120}));
    EXPECT_FALSE(IsWindowEnabled(owner.hwnd));
    // Typed where the focus is, on "OK".
    PostMessageW(ButtonOf(box, L"OK"), WM_CHAR, VK_ESCAPE, 1);
    ZelmivoTest::PumpMessages();
    EXPECT_FALSE(IsWindow(box.hwnd));
}

}  // namespace
