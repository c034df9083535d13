// The category columns and tiles of the main window over prepared catalogues:
// where every cell and tile stands, what it carries, which icon a tile shows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "button.h"
#include "catalogue_file.h"
#include "dialog_answerer.h"
#include "file_system.h"
#include "font_description.h"
#include "main_window_fixture.h"
#include "panel.h"
#include "resource_ids.h"
#include "text.h"

namespace MainWindowTests {

namespace {

using MyApp::FormMain;
using OrvoUtility::Button;
using OrvoUtility::CellControl;

::testing::AssertionResult IsAt(const FormMain& main, const OrvoUtility::GUIElement& element,
                                LONG x, LONG y, LONG width, LONG height) {
    RECT rect = RectInPanel(*main.tilePanel, element);
    if (rect.left == x && rect.top == y && rect.right - rect.left == width &&
        rect.bottom - rect.top == height) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "at (" << rect.left << ", " << rect.top << ") size " << rect.right - rect.left
           << " x " << rect.bottom - rect.top << ", expected (" << x << ", " << y << ") size "
           << width << " x " << height;
}

// The colour pixels of an icon, to tell two icons apart by what they show.
std::vector<std::uint32_t> IconPixels(HICON icon) {
    std::vector<std::uint32_t> pixels;
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return pixels;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
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

std::string OwnPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Common::WideToNarrow(path);
}

// What the main window's tooltip control shows over a tile.
std::wstring ToolTipOf(const FormMain& main, const OrvoUtility::GUIElement& tile) {
    wchar_t buffer[512] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = main.tilePanel->hwnd;
    info.uId = reinterpret_cast<UINT_PTR>(static_cast<HWND>(tile.hwnd));
    info.lpszText = buffer;
    SendMessageW(main.tileTips.window, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
    return buffer;
}

int ToolTipWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

using MainWindowLayout = MainWindowTest;

// One tooltip control serves every tile: a window per tile doubled the start-up.
TEST_F(MainWindowLayout, ATileTellsItsWholeEntryOnHover) {
    MyApp::Catalogue sample = SampleCatalogue({3});
    sample.AddApp(1, std::string(50, 'D'), "C:\\Programmi\\lungo.exe", "-a -b");
    SaveSample(sample);
    FormMain& main = OpenMainForm();
    std::vector<MyApp::App>& apps = main.catalogue.categories.at(0).apps;
    EXPECT_EQ(ToolTipOf(main, *apps.at(3).tile),
              std::wstring(50, L'D') + L"\r\nC:\\Programmi\\lungo.exe\r\n-a -b");
    EXPECT_EQ(ToolTipWindows(), 1);
    EXPECT_EQ(SendMessageW(main.tileTips.window, TTM_GETTOOLCOUNT, 0, 0), 4);

    main.catalogue.EditApp(apps.at(3).tile->tag, "Breve", "%WINDIR%\\notepad.exe", "");
    main.RefreshAndSave();
    EXPECT_EQ(ToolTipOf(main, *apps.at(3).tile), L"Breve\r\n%WINDIR%\\notepad.exe");

    main.contextTarget = apps.at(0).tile;
    ZelmivoTest::DialogAnswerer yes(IDYES);
    main.DeleteContextApp();
    EXPECT_TRUE(yes.Result().pressed);
    EXPECT_EQ(SendMessageW(main.tileTips.window, TTM_GETTOOLCOUNT, 0, 0), 3);
}

TEST_F(MainWindowLayout, TilesOutOfViewAreMadeAsTheyScrollIntoIt) {
    SaveSample(SampleCatalogue({40}));
    FormMain& main = OpenMainForm();
    const std::vector<MyApp::App>& apps = main.catalogue.categories.at(0).apps;
    HWND panel = main.tilePanel->hwnd;
    RECT client{};
    GetClientRect(panel, &client);

    // At start only what the panel can show is made.
    EXPECT_LT(main.tiles.size(), apps.size());
    for (std::size_t i = 0; i < apps.size(); ++i) {
        if (60 + 50 * static_cast<LONG>(i) < client.bottom) {
            EXPECT_NE(apps[i].tile, nullptr) << i;
        }
    }

    // Paged down to the end, each tile is made on its way into view, in its place.
    for (int page = 0; page < 20; ++page) SendMessageW(panel, WM_VSCROLL, SB_PAGEDOWN, 0);
    PumpMessages();
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_POS;
    GetScrollInfo(panel, SB_VERT, &info);
    ASSERT_GT(info.nPos, 0);
    ASSERT_EQ(main.tiles.size(), apps.size());
    for (std::size_t i = 0; i < apps.size(); ++i) {
        EXPECT_TRUE(
            IsAt(main, *apps[i].tile, 10, 60 + 50 * static_cast<LONG>(i) - info.nPos, 160, 40))
            << "tile " << i;
    }
    const MyApp::Categoria& category = main.catalogue.categories[0];
    ASSERT_NE(category.addCell, nullptr);
    EXPECT_TRUE(IsAt(main, *category.addCell, 10, 2060 - info.nPos, 160, 40));

    // A refresh keeps the view where it was, with every tile in place.
    main.RefreshAndSave();
    for (std::size_t i = 0; i < apps.size(); ++i) {
        EXPECT_TRUE(
            IsAt(main, *apps[i].tile, 10, 60 + 50 * static_cast<LONG>(i) - info.nPos, 160, 40))
            << "tile " << i;
    }
}

// Moved to a monitor of another DPI, the window takes the rectangle the system
// suggests and every measure, font and icon follows, 96 being 100%.
TEST_F(MainWindowLayout, TheLayoutFollowsTheWindowsDpi) {
    std::string own = OwnPath();
    MyApp::Catalogue sample = SampleCatalogue({2, 0});
    sample.AddApp(2, "Proprio", own, "");
    SaveSample(sample);
    FormMain& main = OpenMainForm();
    MyApp::Categoria& first = main.catalogue.categories.at(0);
    MyApp::Categoria& second = main.catalogue.categories.at(1);
    struct Row {
        UINT dpi;
        LONG step, tileWidth, tileHeight, rowStep, header, font, icon;
    };
    for (Row row :
         {Row{144, 270, 240, 60, 75, 38, 21, 48}, Row{96, 180, 160, 40, 50, 25, 14, 32}}) {
        SCOPED_TRACE(row.dpi);
        RECT suggested{20, 30, 20 + 7 * static_cast<LONG>(row.dpi),
                       30 + 5 * static_cast<LONG>(row.dpi)};
        SendMessageW(main.hwnd, WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT frame{};
        GetWindowRect(main.hwnd, &frame);
        EXPECT_TRUE(EqualRect(&frame, &suggested));
        LONG m = 10 * static_cast<LONG>(row.dpi) / 96;
        EXPECT_TRUE(IsAt(main, *first.cell, m, m, row.tileWidth, row.header));
        EXPECT_TRUE(IsAt(main, *first.apps.at(1).tile, m, m + 2 * row.rowStep, row.tileWidth,
                         row.tileHeight));
        EXPECT_TRUE(
            IsAt(main, *first.addCell, m, m + 3 * row.rowStep, row.tileWidth, row.tileHeight));
        EXPECT_TRUE(IsAt(main, *second.apps.at(0).tile, m + row.step, m + row.rowStep,
                         row.tileWidth, row.tileHeight));
        EXPECT_TRUE(
            IsAt(main, *main.addCategoryCell, m + 2 * row.step, m, row.tileWidth, row.tileHeight));
        EXPECT_EQ(main.font->height, row.font);
        EXPECT_EQ(static_cast<CellControl*>(first.cell)->fontSize, row.font);
        EXPECT_EQ(main.tileFont->height, 16 * static_cast<LONG>(row.dpi) / 96);
        // Icons are taken again at the new size, from the file and the resources.
        ASSERT_TRUE(PumpUntil([&main, &own] { return main.iconCache.count(own) == 1; }));
        PumpMessages();
        std::size_t pixels = static_cast<std::size_t>(row.icon * row.icon);
        Button* ownTile = static_cast<Button*>(second.apps.at(0).tile);
        EXPECT_EQ(ownTile->enabledIcon, main.iconCache.at(own));
        EXPECT_EQ(IconPixels(ownTile->enabledIcon).size(), pixels);
        EXPECT_EQ(IconPixels(static_cast<Button*>(first.apps.at(0).tile)->enabledIcon).size(),
                  pixels);
        EXPECT_EQ(ownTile->iconSize, row.icon);
    }
}

TEST_F(MainWindowLayout, TilesShareExtractedIconsAndFallBackByKind) {
    std::string own = OwnPath();
    std::string document = MyApp::DataFolder("Zelmivo") + "nota.txt";
    MyApp::FileWriter note;
    ASSERT_TRUE(note.Open(document) && note.Write("testo", 5) && note.Close());

    MyApp::Catalogue sample;
    sample.AddCategory("Icone");
    sample.AddApp(1, "Uno", own, "");
    sample.AddApp(1, "Due", own, "");
    sample.AddApp(1, "Sito", "HTTP://WWW.ZELMIVO.IT/", "");
    sample.AddApp(1, "Assente", "C:\\nessuna\\cartella\\programma.exe", "");
    sample.AddApp(1, "Nota", document, "");
    // The pathname as typed, naming the file through a variable.
    SetEnvironmentVariableW(L"ZELMIVO_ICON_FILE", Common::NarrowToWide(own).c_str());
    sample.AddApp(1, "Variabile", "%ZELMIVO_ICON_FILE%", "");
    SaveSample(sample);
    FormMain& main = OpenMainForm();

    const std::vector<MyApp::App>& apps = main.catalogue.categories.at(0).apps;
    ASSERT_EQ(apps.size(), 6u);
    auto iconOf = [&apps](std::size_t i) {
        return static_cast<Button*>(apps[i].tile)->enabledIcon;
    };

    // The icons are looked up on a worker; found ones reach their tiles later.
    EXPECT_TRUE(PumpUntil([&main] { return main.iconCache.size() == 2; }));
    PumpMessages();
    ASSERT_EQ(main.iconCache.size(), 2u);
    HICON extracted = main.iconCache.at(own);
    EXPECT_NE(extracted, nullptr);
    EXPECT_EQ(iconOf(5), main.iconCache.at("%ZELMIVO_ICON_FILE%"));
    EXPECT_EQ(iconOf(0), extracted);
    EXPECT_EQ(iconOf(1), extracted);

    ASSERT_NE(main.webIcon, nullptr);
    ASSERT_NE(main.programIcon, nullptr);
    EXPECT_EQ(iconOf(2), main.webIcon);
    EXPECT_EQ(iconOf(3), main.programIcon);
    // A document that holds no icon of its own shows the program icon too.
    EXPECT_EQ(iconOf(4), main.programIcon);
    EXPECT_EQ(IconPixels(main.webIcon), ResourceIconPixels(IDI_WEB_TILE));
    EXPECT_EQ(IconPixels(main.programIcon), ResourceIconPixels(IDI_PROGRAM_TILE));
    EXPECT_NE(IconPixels(main.webIcon), IconPixels(main.programIcon));

    // Asking again serves the cache and the same fallbacks; each pathname is
    // looked up once in a run, found or not, whatever refreshes follow.
    EXPECT_EQ(main.iconExtractor->Requests(), 5);
    EXPECT_EQ(main.IconFor(own), extracted);
    EXPECT_EQ(main.IconFor("http://altro.it"), main.webIcon);
    EXPECT_EQ(main.IconFor("Http"), main.webIcon);
    EXPECT_EQ(main.IconFor("htt"), main.programIcon);
    EXPECT_EQ(main.IconFor("htt"), main.programIcon);
    main.RefreshAndSave();
    EXPECT_EQ(main.iconExtractor->Requests(), 8);
    EXPECT_EQ(main.iconCache.size(), 2u);
    SetEnvironmentVariableW(L"ZELMIVO_ICON_FILE", nullptr);

    MyApp::SystemError ignored = 0;
    MyApp::RemoveFile(document, ignored);
}

}  // namespace MainWindowTests
