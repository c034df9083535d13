// What a launcher is used for every day: summoned by its key from any
// program, started with Windows, the commands of a tile's menu, and the view
// that stays where the user scrolled it.
#include <filesystem>

#include "end_to_end_test.h"
#include "text.h"

namespace ZelmivoE2E {
namespace {

class EverydayTest : public EndToEndTest {};

using Common::WideToNarrow;

const wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring RunValue() {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, runKey, L"Zelmivo", RRF_RT_REG_SZ, nullptr, value, &size);
    return status == ERROR_SUCCESS ? value : L"";
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

TEST_F(EverydayTest, TheKeyTheRunListTheTileCommandsAndTheViewKept) {
    const std::wstring folder = WindowsPath(ZELMIVO_E2E_OUTPUT_DIR);
    const std::wstring report = folder + L"\\everyday.txt";
    DeleteFileW(report.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
    // A run cut short may have left the value behind.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, runKey, L"Zelmivo");
    std::vector<Entry> entries = {
        {"1", "Sonda", "uno %WINDIR%", WideToNarrow(WindowsPath(ZELMIVO_PROBE_PATH))},
        {"1", "Con spazi", "", "%WINDIR%\\nota bene.exe"}};
    for (int i = 1; i <= 60; ++i)
        entries.push_back({"1", "Voce " + std::to_string(i), "", "v.exe"});
    ASSERT_TRUE(WriteBytes(CataloguePath(), CatalogueText({{"Lunga", 1}}, entries)));
    ASSERT_TRUE(Start(L"/ridotto"));
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(mainWindow) != FALSE; }));

    // From any program the key brings the window in front; pressed there, it puts it away.
    ASSERT_TRUE(Start());
    HWND other = CreateWindowExW(0, L"STATIC", L"Altro", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 300, 200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }));
    PressChord({VK_CONTROL, VK_MENU}, L'Z');
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == mainWindow; }));
    PressChord({VK_CONTROL, VK_MENU}, L'Z');
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(mainWindow) != FALSE; }));
    PressChord({VK_CONTROL, VK_MENU}, L'Z');
    EXPECT_TRUE(
        WaitUntil([&] { return !IsIconic(mainWindow) && GetForegroundWindow() == mainWindow; }));
    DestroyWindow(other);

    // The Run list gets the quoted program and the switch, and loses them again.
    ASSERT_TRUE(ChooseFromMenu(mainWindow, L'A'));
    EXPECT_TRUE(
        WaitUntil([] { return RunValue().find(L"zelmivo.exe\" /ridotto") != std::wstring::npos; }));
    EXPECT_EQ(RunValue().front(), L'"');
    ASSERT_TRUE(ChooseFromMenu(mainWindow, L'A'));
    EXPECT_TRUE(WaitUntil([] { return RunValue().empty(); }));

    // The path goes to the clipboard expanded, quoted for its blank; the
    // entry starts as administrator with its parameters.
    ASSERT_TRUE(ChooseFromMenu(Item(L"Con spazi"), L'O'));
    wchar_t windows[MAX_PATH] = {};
    GetEnvironmentVariableW(L"WINDIR", windows, MAX_PATH);
    EXPECT_TRUE(WaitUntil(
        [&] { return ClipboardText() == L"\"" + std::wstring(windows) + L"\\nota bene.exe\""; }));
    ASSERT_TRUE(ChooseFromMenu(Item(L"Sonda"), L'A'));
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(report); }));
    // A variable in the parameters is given to the program as its value.
    EXPECT_NE(ReadBytes(report).find("\nuno\n" + WideToNarrow(windows) + "\n"), std::string::npos)
        << ReadBytes(report);

    // Scrolled down with the wheel, the view stays put through an edit and
    // past the timer that follows it.
    HWND panel = Children(mainWindow, L"PanelChildren").at(0);
    RECT box = ScreenRect(panel);
    // The key brings the window back from the program just started; a click
    // on the panel's empty part, where no column stands, makes it the wheel's.
    if (GetForegroundWindow() != mainWindow) PressChord({VK_CONTROL, VK_MENU}, L'Z');
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == mainWindow; }));
    ClickAt(POINT{box.left + 500, box.bottom - 40});
    // A notch at a time, until the last entry shows.
    ASSERT_TRUE(WaitUntil([&] {
        INPUT wheel = {};
        wheel.type = INPUT_MOUSE;
        wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
        wheel.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
        SendInput(1, &wheel, sizeof wheel);
        return Item(L"Voce 60") != nullptr;
    }));
    const LONG top = ScreenRect(Item(L"Voce 60")).top;
    ASSERT_TRUE(ChooseFromMenu(Item(L"Voce 60"), L'M'));
    ASSERT_TRUE(
        Fill(WaitForWindow(L"", L"Modifica Applicazione"), {L"Ultima", L"v.exe", L""}, true));
    ASSERT_TRUE(WaitUntil([&] { return Item(L"Ultima") != nullptr; }));
    Sleep(1000);
    EXPECT_EQ(ScreenRect(Item(L"Ultima")).top, top);
}

}  // namespace
}  // namespace ZelmivoE2E
