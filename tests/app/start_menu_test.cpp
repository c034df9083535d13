// Shortcuts made through the shell in the user's Programs folder of the test
// prefix, whose Start menu holds no other, found and imported as the main
// window would.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include "shortcut_maker.h"
#include "start_menu_shortcuts.h"
#include "text.h"

namespace {

using namespace MyApp;

TEST(StartMenu, ShortcutsBecomeAColumnForEachFolderOnlyOnce) {
    PWSTR folder = nullptr;
    ASSERT_EQ(SHGetKnownFolderPath(FOLDERID_Programs, 0, nullptr, &folder), S_OK);
    const std::wstring programs = std::wstring(folder) + L"\\";
    CoTaskMemFree(folder);
    // Made out of order, so that only the listing's sort gives the order
    // expected; removed in the reverse at the end, whatever failed.
    const std::wstring made[] = {L"Zelmivo Ufficio\\",
                                 L"Zelmivo Ufficio\\Vecchi\\",
                                 L"Zelmivo Ufficio\\Vecchi\\Calcolatrice.lnk",
                                 L"Zelmivo Ufficio\\Blocco note.lnk",
                                 L"Zelmivo Giochi\\",
                                 L"Zelmivo Giochi\\Uninstall Scacchi.lnk",
                                 L"Zelmivo Giochi\\Scacchi.lnk"};
    for (const std::wstring& place : made) {
        EXPECT_TRUE(place.back() == L'\\'
                        ? CreateDirectoryW((programs + place).c_str(), nullptr) != FALSE
                        : ZelmivoTest::MakeShortcut(programs + place, L"C:\\windows\\notepad.exe"));
    }
    Catalogue catalogue;
    std::optional<CatalogueChange> change = StartMenuImport(ListStartMenuShortcuts(), catalogue);
    EXPECT_TRUE(change && change->ApplyTo(catalogue));
    std::string imported;
    for (const Categoria& category : catalogue.categories) {
        imported += category.name + ":";
        for (const App& app : category.apps) {
            imported += " " + app.description + "=" +
                        Common::ReplaceAll(app.pathname, Common::WideToNarrow(programs), "");
        }
        imported += "; ";
    }
    EXPECT_EQ(imported,
              "Zelmivo Giochi: Scacchi=Zelmivo Giochi\\Scacchi.lnk; "
              "Zelmivo Ufficio: Blocco note=Zelmivo Ufficio\\Blocco note.lnk "
              "Calcolatrice=Zelmivo Ufficio\\Vecchi\\Calcolatrice.lnk; ");
    EXPECT_FALSE(StartMenuImport(ListStartMenuShortcuts(), catalogue).has_value());
    for (auto place = std::rbegin(made); place != std::rend(made); ++place) {
        const std::wstring path = programs + *place;
        if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
    }
}

}  // namespace
