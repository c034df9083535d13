// The main window in-process over prepared catalogues: its scroll bars, the
// tiles made as they come into view, where they stand at each DPI, the icons
// and tooltips they show, the view kept after an edit, and files dropped on a
// column.
#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h builds on windows.h.
#include <commctrl.h>

#include <string>
#include <tuple>
#include <vector>

#include "accessible_query.h"
#include "button.h"
#include "dropped_files.h"
#include "file_system.h"
#include "main_window_fixture.h"
#include "panel.h"
#include "resource_ids.h"
#include "shortcut_maker.h"
#include "text.h"
#include "timer.h"
#include "window_query.h"

namespace MainWindowTests {

namespace {

using MyApp::FormMain;

// Left, top, width and height in the tile panel.
std::vector<LONG> Box(const FormMain& main, const OrvoUtility::GUIElement* element) {
    RECT rect = RectInPanel(main, element);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::string OwnPath() { return Common::WideToNarrow(OwnFolder() + L"\\main_window_tests.exe"); }

// What the main window's one tooltip control shows over a tile.
std::wstring ToolTipOf(const FormMain& main, const OrvoUtility::GUIElement* tile) {
    wchar_t buffer[512] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = main.View().Panel().hwnd;
    info.uId = reinterpret_cast<UINT_PTR>(static_cast<HWND>(tile->hwnd));
    info.lpszText = buffer;
    SendMessageW(main.View().TipsWindow(), TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
    return buffer;
}

// The colour pixels of an icon, to tell two icons apart by what they show.
std::vector<std::uint32_t> IconPixels(HICON icon) {
    std::vector<std::uint32_t> pixels;
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return pixels;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    BITMAPINFO format{};
    format.bmiHeader = {
        sizeof(BITMAPINFOHEADER), bitmap.bmWidth, bitmap.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.resize(static_cast<std::size_t>(bitmap.bmWidth) * bitmap.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

std::vector<std::uint32_t> ResourceIconPixels(int resourceId) {
    HICON icon = static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    std::vector<std::uint32_t> pixels = IconPixels(icon);
    DestroyIcon(icon);
    return pixels;
}

}  // namespace

using MainWindow = MainWindowTest;

// The question belongs to the window, which is active again once it is refused.
TEST_F(MainWindow, RefusingTheExitQuestionKeepsTheWindowActive) {
    FormMain& main = Open(SampleCatalogue({1}));
    SetForegroundWindow(main.hwnd);
    PumpMessages();
    ZelmivoTest::DialogAnswerer no(IDNO);
    SendMessageW(main.hwnd, WM_CLOSE, 0, 0);
    const ZelmivoTest::AnsweredDialog& box = no.Result();
    EXPECT_EQ(box.caption + L": " + box.text, L"Uscita: Vuoi realmente uscire?");
    EXPECT_EQ(box.owner, main.hwnd);
    PumpMessages();
    EXPECT_EQ(GetActiveWindow(), main.hwnd);
}

// Every part says what it is.
TEST_F(MainWindow, ScreenReadersHearEachPart) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    FormMain& main = Open(SampleCatalogue({1}));
    const MyApp::Categoria& column = main.CatalogueShown().categories.at(0);
    const auto role = [](long value) { return std::to_wstring(value); };
    EXPECT_EQ(ZelmivoTest::Heard(main.View().HeaderOf(column)->hwnd),
              L"Categoria 1|" + role(ROLE_SYSTEM_COLUMNHEADER) + L"|");
    EXPECT_EQ(
        ZelmivoTest::Heard(main.View().TileOf(column.apps.at(0))->hwnd),
        L"Categoria 1 1|" + role(ROLE_SYSTEM_PUSHBUTTON) + L"|C:\\missing\\Categoria 1 1.exe");
    EXPECT_EQ(ZelmivoTest::Heard(main.View().AddCellOf(column)->hwnd),
              L"+ aggiungi App|" + role(ROLE_SYSTEM_PUSHBUTTON) + L"|");
    CoUninitialize();
}

// A column added after the start paints its texts; with high contrast on,
// the cells paint in the system's colours, and a setting change asks the
// system again, which under Wine always answers "off".
TEST_F(MainWindow, CellsPaintTheirTextsAndHighContrastHoldsUntilTheSettingChanges) {
    FormMain& main = Open(MyApp::Catalogue());
    main.Commit(MyApp::CatalogueChange::AddCategory("Giochi"));
    const MyApp::Categoria& column = main.CatalogueShown().categories.at(0);
    const HWND header = main.View().HeaderOf(column)->hwnd;
    const HWND addCell = main.View().AddCellOf(column)->hwnd;
    // The colour at the cell's corner, and how many of its pixels are in the text's colour.
    auto painted = [](HWND cell, COLORREF text) {
        UpdateWindow(cell);
        RECT box{};
        GetWindowRect(cell, &box);
        HDC screen = GetDC(nullptr);
        int inText = 0;
        // The text stands across the middle row.
        const LONG middle = (box.top + box.bottom) / 2;
        for (LONG x = box.left; x < box.right; ++x) {
            for (LONG y = middle - 3; y <= middle + 3; ++y)
                inText += GetPixel(screen, x, y) == text;
        }
        const COLORREF corner = GetPixel(screen, box.left + 3, box.top + 3);
        ReleaseDC(nullptr, screen);
        return std::make_pair(corner, inText > 0);
    };
    SetForegroundWindow(main.hwnd);
    PumpMessages();
    EXPECT_EQ(painted(header, RGB(255, 255, 255)), std::make_pair(RGB(165, 42, 42), true));
    EXPECT_EQ(painted(addCell, RGB(0, 0, 255)), std::make_pair(RGB(192, 192, 192), true));
    main.UseHighContrast(true);
    PumpMessages();
    EXPECT_EQ(painted(header, GetSysColor(COLOR_HIGHLIGHTTEXT)),
              std::make_pair(GetSysColor(COLOR_HIGHLIGHT), true));
    EXPECT_EQ(painted(addCell, GetSysColor(COLOR_HOTLIGHT)),
              std::make_pair(GetSysColor(COLOR_WINDOW), true));
    SendMessageW(main.hwnd, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    PumpMessages();
    EXPECT_EQ(painted(header, RGB(255, 255, 255)), std::make_pair(RGB(165, 42, 42), true));
}

TEST_F(MainWindow, TilesAreMadeAsTheyScrollIntoViewGoFarFromItAndTheViewStaysAfterEdits) {
    FormMain& main = Open(SampleCatalogue({40, 1}));
    const std::vector<MyApp::App>& apps = main.CatalogueShown().categories.at(0).apps;
    const MyApp::App& neighbour = main.CatalogueShown().categories.at(1).apps.at(0);
    HWND panel = main.View().Panel().hwnd;
    // At start only what the panel can show is made.
    EXPECT_EQ(main.View().TileOf(apps.back()), nullptr);

    for (int page = 0; page < 20; ++page) SendMessageW(panel, WM_VSCROLL, SB_PAGEDOWN, 0);
    PumpMessages();
    const LONG scrolled = main.View().Panel().ScrollPosition().y;
    ASSERT_GT(scrolled, 0);
    // Every tile in view stands in its place; those far above have gone.
    auto expectInPlace = [&](LONG at) {
        RECT shown{};
        GetClientRect(panel, &shown);
        for (std::size_t i = 0; i < apps.size(); ++i) {
            const LONG top = 60 + 50 * static_cast<LONG>(i) - at;
            if (top + 40 <= 0 || top >= shown.bottom) continue;
            ASSERT_NE(main.View().TileOf(apps[i]), nullptr) << i;
            EXPECT_EQ(Box(main, main.View().TileOf(apps[i])), (std::vector<LONG>{10, top, 160, 40}))
                << "tile " << i;
        }
    };
    expectInPlace(scrolled);
    EXPECT_EQ(Box(main, main.View().AddCellOf(main.CatalogueShown().categories[0])),
              (std::vector<LONG>{10, 2060 - scrolled, 160, 40}));
    EXPECT_EQ(main.View().TileOf(neighbour), nullptr);
    // An edit keeps the view where it was, with every tile in place, also
    // once the resize timer has set the bars again.
    main.Commit(
        MyApp::CatalogueChange::RenameCategory(main.CatalogueShown().categories[1], "Rinominata"));
    EXPECT_EQ(main.View().Panel().ScrollPosition().y, scrolled);
    const DWORD edited = GetTickCount();
    ASSERT_TRUE(PumpUntil([edited] { return GetTickCount() - edited > 700; }));
    EXPECT_EQ(main.View().Panel().ScrollPosition().y, scrolled);
    expectInPlace(scrolled);
    // Back at the top, the tiles that went are made again in their places.
    for (int page = 0; page < 20; ++page) SendMessageW(panel, WM_VSCROLL, SB_PAGEUP, 0);
    PumpMessages();
    expectInPlace(0);
    ASSERT_NE(main.View().TileOf(neighbour), nullptr);
    EXPECT_EQ(Box(main, main.View().TileOf(neighbour)), (std::vector<LONG>{190, 60, 160, 40}));
}

// Moved to a monitor of another DPI, the window takes the rectangle the system
// suggests and every measure, font and icon follows, 96 being 100%.
TEST_F(MainWindow, TheLayoutFollowsTheWindowsDpi) {
    const std::string own = OwnPath();
    MyApp::Catalogue sample = SampleCatalogue({2, 0});
    sample.AddApp(2, "Proprio", own, "");
    FormMain& main = Open(sample);
    const MyApp::Categoria& first = main.CatalogueShown().categories.at(0);
    const OrvoUtility::GUIElement* ownTile =
        main.View().TileOf(main.CatalogueShown().categories.at(1).apps.at(0));
    const struct {
        LONG dpi, step, width, height, rowStep, header, font, icon;
    } rows[] = {{144, 270, 240, 60, 75, 38, 21, 48}, {96, 180, 160, 40, 50, 25, 14, 32}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dpi);
        RECT suggested{20, 30, 20 + 7 * row.dpi, 30 + 5 * row.dpi};
        SendMessageW(main.hwnd, WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT frame{};
        GetWindowRect(main.hwnd, &frame);
        EXPECT_TRUE(EqualRect(&frame, &suggested));
        const LONG m = 10 * row.dpi / 96;
        EXPECT_EQ(Box(main, main.View().HeaderOf(first)),
                  (std::vector<LONG>{m, m, row.width, row.header}));
        EXPECT_EQ(Box(main, main.View().TileOf(first.apps.at(1))),
                  (std::vector<LONG>{m, m + 2 * row.rowStep, row.width, row.height}));
        EXPECT_EQ(Box(main, ownTile),
                  (std::vector<LONG>{m + row.step, m + row.rowStep, row.width, row.height}));
        EXPECT_EQ(Box(main, main.View().AddCategoryCell()),
                  (std::vector<LONG>{m + 2 * row.step, m, row.width, row.height}));
        EXPECT_EQ(main.font->height, row.font);
        EXPECT_EQ(static_cast<OrvoUtility::CellControl*>(main.View().HeaderOf(first))->fontSize,
                  row.font);
        EXPECT_EQ(main.View().TileFont().height, 16 * row.dpi / 96);
        // Icons are taken again at the new size, from the file and the resources.
        ASSERT_TRUE(PumpUntil([&main, &own] { return main.Icons().Found(own) != nullptr; }));
        PumpMessages();
        for (const OrvoUtility::GUIElement* tile :
             std::initializer_list<const OrvoUtility::GUIElement*>{
                 ownTile, main.View().TileOf(first.apps[0])}) {
            HICON icon = static_cast<const OrvoUtility::Button*>(tile)->enabledIcon;
            EXPECT_EQ(IconPixels(icon).size(), static_cast<std::size_t>(row.icon * row.icon));
        }
    }
}

// A backup that cannot be written is told once and stops no save; a change
// that cannot be saved holds the end of the session until it is saved.
TEST_F(MainWindow, AFailedBackupStopsNothingAndAnUnsavedChangeHoldsTheSession) {
    FormMain& main = Open(SampleCatalogue({1}));
    const std::wstring path = ZelmivoTest::CataloguePath(), backup = path + L".bak";
    // A folder where the backup belongs: the system refuses to copy over it.
    ASSERT_TRUE(CreateDirectoryW(backup.c_str(), nullptr));
    auto commitTelling = [&main](const std::string& name) {
        ZelmivoTest::DialogAnswerer ok(IDOK);
        main.Commit(MyApp::CatalogueChange::AddCategory(name));
        return ok.Result().text;
    };
    const std::wstring told = commitTelling("Musica");
    RemoveDirectoryW(backup.c_str());
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, backup + L"\r\n", told);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"salvato comunque", told);
    EXPECT_NE(ReadBytes().find("Musica"), std::string::npos);

    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, L"Impossibile salvare il catalogo nel file",
                        commitTelling("Foto"));
    EXPECT_EQ(SendMessageW(main.hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
    CloseHandle(held);
    EXPECT_EQ(SendMessageW(main.hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_NE(ReadBytes().find("Foto"), std::string::npos);
}

// Resting on a tile tells its whole entry, and an edit shows at once.
TEST_F(MainWindow, ATileTellsItsWholeEntryOnHover) {
    MyApp::Catalogue sample = SampleCatalogue({3});
    sample.AddApp(1, std::string(50, 'D'), "C:\\Programmi\\lungo.exe", "-a -b");
    FormMain& main = Open(sample);
    const std::vector<MyApp::App>& apps = main.CatalogueShown().categories.at(0).apps;
    for (std::size_t tile : {3, 0, 3})
        SendMessageW(main.View().TileOf(apps.at(tile))->hwnd, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(ToolTipOf(main, main.View().TileOf(apps.at(3))),
              std::wstring(50, L'D') + L"\r\nC:\\Programmi\\lungo.exe\r\n-a -b");
    main.Commit(MyApp::CatalogueChange::EditApp(main.CatalogueShown(), apps.at(3),
                                                {"Breve", "%WINDIR%\\notepad.exe", ""}));
    EXPECT_EQ(ToolTipOf(main, main.View().TileOf(apps.at(3))), L"Breve\r\n%WINDIR%\\notepad.exe");
}

TEST_F(MainWindow, TilesShareExtractedIconsAndFallBackByKind) {
    const std::string own = OwnPath();
    // The pathname as typed names the file through a variable.
    SetEnvironmentVariableW(L"ZELMIVO_ICON_FILE", Common::NarrowToWide(own).c_str());
    // Shortcuts show the icon they name, or else their target's, as Explorer does.
    const std::wstring folder = OwnFolder();
    ASSERT_TRUE(ZelmivoTest::MakeShortcut(folder + L"\\bersaglio.lnk", Common::NarrowToWide(own)));
    ASSERT_TRUE(ZelmivoTest::MakeShortcut(folder + L"\\nominata.lnk", L"C:\\nessuna\\x.exe", L"",
                                          Common::NarrowToWide(own)));
    const std::string shortcuts[] = {Common::WideToNarrow(folder) + "\\bersaglio.lnk",
                                     Common::WideToNarrow(folder) + "\\nominata.lnk"};
    MyApp::Catalogue sample;
    sample.AddCategory("Icone");
    for (const std::string& pathname :
         {own, own, std::string("HTTP://WWW.ZELMIVO.IT/"),
          std::string("C:\\nessuna\\cartella\\programma.exe"), std::string("%ZELMIVO_ICON_FILE%"),
          shortcuts[0], shortcuts[1]}) {
        sample.AddApp(1, "Voce", pathname, "");
    }
    FormMain& main = Open(sample);
    const std::vector<MyApp::App>& apps = main.CatalogueShown().categories.at(0).apps;
    auto iconOf = [&main, &apps](std::size_t i) {
        return static_cast<OrvoUtility::Button*>(main.View().TileOf(apps.at(i)))->enabledIcon;
    };

    // The icons are looked up on a worker; found ones reach their tiles later.
    EXPECT_TRUE(PumpUntil([&main] { return main.Icons().FoundCount() == 4; }));
    PumpMessages();
    HICON extracted = main.Icons().Found(own);
    for (const std::string& shortcut : shortcuts) {
        EXPECT_EQ(IconPixels(main.Icons().Found(shortcut)), IconPixels(extracted)) << shortcut;
    }
    EXPECT_EQ(iconOf(0), extracted);
    EXPECT_EQ(iconOf(1), extracted);
    EXPECT_EQ(iconOf(4), main.Icons().Found("%ZELMIVO_ICON_FILE%"));
    EXPECT_EQ(iconOf(2), main.Icons().WebIcon());
    EXPECT_EQ(iconOf(3), main.Icons().ProgramIcon());
    EXPECT_EQ(IconPixels(main.Icons().WebIcon()), ResourceIconPixels(IDI_WEB_TILE));
    EXPECT_EQ(IconPixels(main.Icons().ProgramIcon()), ResourceIconPixels(IDI_PROGRAM_TILE));
    SetEnvironmentVariableW(L"ZELMIVO_ICON_FILE", nullptr);
}

TEST_F(MainWindow, FilesDroppedOnAColumnBecomeItsEntriesAndAreShown) {
    FormMain& main = Open(SampleCatalogue({30, 0}));
    const std::string before = ReadBytes();
    HWND panel = main.View().Panel().hwnd;

    // Between the columns, below the short column and right of the last: nothing.
    for (POINT nowhere : {POINT{175, 20}, POINT{200, 150}, POINT{380, 20}}) {
        ZelmivoTest::DropFiles(panel, {L"C:\\Programmi\\Gioco.exe"}, nowhere);
    }
    EXPECT_EQ(ReadBytes(), before);

    // On the empty column's "+ aggiungi App" cell, in the panel's coordinates.
    ZelmivoTest::DropFiles(panel,
                           {L"C:\\Programmi\\Gioco.exe", L"C:\\Menu\\Blocco note.lnk",
                            L"D:\\Foto\\Vacanze 2026\\", L"E:\\"},
                           POINT{200, 70});
    const MyApp::Categoria& second = main.CatalogueShown().categories.at(1);
    std::vector<std::string> descriptions;
    for (const MyApp::App& app : second.apps) descriptions.push_back(app.description);
    EXPECT_EQ(descriptions,
              (std::vector<std::string>{"Gioco", "Blocco note", "Vacanze 2026", "E:\\"}));
    EXPECT_EQ(second.apps.at(1).pathname, "C:\\Menu\\Blocco note.lnk");
    EXPECT_NE(ReadBytes().find("C:\\Menu\\Blocco note.lnk"), std::string::npos);

    // On the first column's header: its new 31st entry, far below, is brought into view.
    ZelmivoTest::DropFiles(panel, {L"C:\\Programmi\\Nuovo.exe"}, POINT{20, 20});
    const MyApp::App& added = main.CatalogueShown().categories.at(0).apps.at(30);
    ASSERT_NE(main.View().TileOf(added), nullptr);
    EXPECT_TRUE(IsInView(main, main.View().TileOf(added)));
    // Scrolled down, the place of the window where the empty column's cell
    // stood lies below that column now.
    ASSERT_GT(GetScrollPos(panel, SB_VERT), 70);
    ZelmivoTest::DropFiles(panel, {L"C:\\Programmi\\Altro.exe"}, POINT{200, 70});
    EXPECT_EQ(second.apps.size(), 4u);

    // Any name Windows allows is kept; only its last extension leaves the description.
    ZelmivoTest::DropFiles(panel, {L"C:\\Dokumenty\\Łódź.v2.pdf"}, POINT{20, 20});
    const MyApp::App& polish = main.CatalogueShown().categories.at(0).apps.at(31);
    EXPECT_EQ(polish.description, "Łódź.v2");
    EXPECT_EQ(polish.pathname, "C:\\Dokumenty\\Łódź.v2.pdf");
    EXPECT_NE(ReadBytes().find("Łódź.v2.pdf"), std::string::npos);
}

}  // namespace MainWindowTests
