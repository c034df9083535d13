// The main window in-process over a catalogue file it loads, for what the
// end-to-end suite cannot see: the scroll bars set once its resize timer ran.
#include <gtest/gtest.h>
#include <windows.h>

#include "catalogue_file.h"
#include "formmain.h"
#include "panel.h"
#include "timer.h"

namespace {

MyApp::Catalogue Columns(int columns, int entries) {
    MyApp::Catalogue catalogue;
    for (int column = 1; column <= columns; ++column) {
        catalogue.AddCategory("Colonna");
        for (int entry = 0; entry < entries; ++entry) {
            catalogue.AddApp(column, "Voce", "C:\\manca.exe", "");
        }
    }
    return catalogue;
}

TEST(MainWindow, ScrollBarsAppearForContentBeyondThePanel) {
    struct Case {
        int columns;
        int entries;
        bool horizontal;
        bool vertical;
    };
    for (const Case& c : {Case{1, 1, false, false}, Case{10, 1, true, false},
                          Case{1, 15, false, true}, Case{10, 15, true, true}}) {
        SCOPED_TRACE(testing::Message() << c.columns << " x " << c.entries);
        MyApp::CatalogueFile file;
        ASSERT_TRUE(MyApp::SaveCatalogue(Columns(c.columns, c.entries), file).saved);
        MyApp::FormMain form(GetModuleHandleW(nullptr), "Zelmivo");
        MSG message;
        for (int tries = 0; tries < 500 && form.resizeTimer->running; ++tries) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
        LONG style = GetWindowLongW(form.tilePanel->hwnd, GWL_STYLE);
        EXPECT_EQ((style & WS_HSCROLL) != 0, c.horizontal);
        EXPECT_EQ((style & WS_VSCROLL) != 0, c.vertical);
    }
    MyApp::CatalogueFile file;
    MyApp::SaveCatalogue(MyApp::Catalogue(), file);
}

}  // namespace
