// A first start without a catalogue: the worked example typed through the
// real dialogs and written byte for byte, then leaving and coming back; or
// the Start menu's shortcuts imported and worked from the keyboard.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include "end_to_end_test.h"
#include "message_pump.h"
#include "shortcut_maker.h"
#include "text.h"

namespace ZelmivoE2E {
namespace {

class FirstStartTest : public EndToEndTest {};

// The windows that screen readers were told took the focus, in order.
std::vector<HWND> focusEvents;

void CALLBACK RememberFocus(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
    focusEvents.push_back(window);
}

// Folders and shortcuts in the user's Start menu, gone again with the test.
class StartMenuFolders {
public:
    explicit StartMenuFolders(const std::vector<std::wstring>& folders) {
        PWSTR known = nullptr;
        if (SHGetKnownFolderPath(FOLDERID_Programs, 0, nullptr, &known) == S_OK) programs = known;
        CoTaskMemFree(known);
        for (const std::wstring& folder : folders) {
            made.push_back(programs + L"\\" + folder);
            CreateDirectoryW(made.back().c_str(), nullptr);
        }
    }
    ~StartMenuFolders() {
        for (auto path = made.rbegin(); path != made.rend(); ++path) {
            if (!DeleteFileW(path->c_str())) RemoveDirectoryW(path->c_str());
        }
    }
    bool Add(const std::wstring& place, const std::wstring& target, const std::wstring& arguments) {
        made.push_back(programs + L"\\" + place);
        return MakeShortcut(made.back(), target, arguments);
    }

private:
    std::wstring programs;
    std::vector<std::wstring> made;
};

TEST_F(FirstStartTest, TheWorkedExampleIsWrittenAndShownAgainAfterLeaving) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(TextOf(mainWindow).rfind(L"Orvo Zelmivo ", 0), 0u);
    const RECT frame = ScreenRect(mainWindow);
    EXPECT_EQ(std::tie(frame.left, frame.top, frame.right, frame.bottom),
              std::make_tuple(0L, 0L, GetSystemMetrics(SM_CXSCREEN) * 9 / 10,
                              GetSystemMetrics(SM_CYSCREEN) * 9 / 10));

    ASSERT_TRUE(Add(Item(L"+ aggiungi categoria"), {L"Ufficio"}, true));
    ASSERT_TRUE(Add(Item(L"+ aggiungi categoria"), {L"Giochi"}, false));
    ASSERT_TRUE(Add(Item(L"+ aggiungi App", 0),
                    {L"Blocco note", L"C:\\Windows\\notepad.exe", L"C:\\Note\\lista.txt"}, true));
    ASSERT_TRUE(
        Add(Item(L"+ aggiungi App", 1), {L"Solitario", L"D:\\Giochi\\sol.exe", L""}, false));
    const std::string workedExample =
        CatalogueText({{"Ufficio", 1}, {"Giochi", 2}},
                      {{"1", "Blocco note", "C:\\Note\\lista.txt", "C:\\Windows\\notepad.exe"},
                       {"2", "Solitario", "", "D:\\Giochi\\sol.exe"}});
    EXPECT_TRUE(Saved(workedExample));
    EXPECT_EQ(Shown(), L"Ufficio, Blocco note | Giochi, Solitario");

    ASSERT_TRUE(ChooseFromMenu(mainWindow, L'E'));
    EXPECT_EQ(AnswerMessageBox(IDYES), L"Uscita: Vuoi realmente uscire?");
    EXPECT_EQ(ExitCode(15000), 0u);

    ASSERT_TRUE(Start());
    EXPECT_EQ(Shown(), L"Ufficio, Blocco note | Giochi, Solitario");
}

TEST_F(FirstStartTest, TheStartMenuFillsTheWindowOnceAndEachArrowIsAnnounced) {
    const std::wstring probe = WindowsPath(ZELMIVO_PROBE_PATH);
    const std::wstring report = WindowsPath(ZELMIVO_E2E_OUTPUT_DIR) + L"\\imported.txt";
    DeleteFileW(report.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
    // Made out of order: the listing's own sort must put them in place. A
    // shortcut deeper down joins the column of its top folder.
    StartMenuFolders menu({L"Zelmivo Ufficio", L"Zelmivo Ufficio\\Vecchi", L"Zelmivo Giochi"});
    ASSERT_TRUE(menu.Add(L"Zelmivo Ufficio\\Vecchi\\Calcolatrice.lnk", probe, L""));
    ASSERT_TRUE(menu.Add(L"Zelmivo Giochi\\Scacchi.lnk", probe, L"scacchi"));
    ASSERT_TRUE(menu.Add(L"Zelmivo Giochi\\Disinstalla Scacchi.lnk", probe, L""));
    ASSERT_TRUE(menu.Add(L"Zelmivo Giochi\\Uninstall.lnk", probe, L""));
    ASSERT_TRUE(menu.Add(L"Zelmivo Ufficio\\Sonda.lnk", probe, L"dal menu"));

    ASSERT_TRUE(Start());
    ASSERT_TRUE(Click(Item(L"+ importa dal menu Start")));
    EXPECT_TRUE(WaitUntil([&] {
        return Shown() == L"Zelmivo Giochi, Scacchi | Zelmivo Ufficio, Calcolatrice, Sonda";
    })) << Common::WideToNarrow(Shown());
    EXPECT_TRUE(
        WaitUntil([] { return ReadBytes().find("Ufficio\\Sonda.lnk") != std::string::npos; }));

    // Each step of the arrows tells screen readers which tile has the focus.
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, RememberFocus,
                        process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    auto announced = [](const std::wstring& text) {
        return WaitUntil([&] {
            PumpMessages();
            return !focusEvents.empty() && TextOf(focusEvents.back()) == text;
        });
    };
    PressKeys({VK_DOWN});
    EXPECT_TRUE(announced(L"Scacchi"));
    PressKeys({VK_RIGHT});
    EXPECT_TRUE(announced(L"Calcolatrice"));
    PressKeys({VK_DOWN});
    EXPECT_TRUE(announced(L"Sonda"));
    UnhookWinEvent(hook);

    // The tile starts what its shortcut points to, with the shortcut's arguments.
    PressKeys({VK_RETURN});
    ASSERT_TRUE(
        WaitUntil([&] { return ReadBytes(report).find("\ndal\nmenu\n") != std::string::npos; }));

    const std::string file = ReadBytes();
    ASSERT_TRUE(ChooseFromMenu(mainWindow, L'I'));
    EXPECT_EQ(AnswerMessageBox(IDOK),
              L"Importa dal menu Start: Nel menu Start non ci sono collegamenti che il catalogo "
              L"non contenga già.");
    EXPECT_EQ(ReadBytes(), file);
}

}  // namespace
}  // namespace ZelmivoE2E
