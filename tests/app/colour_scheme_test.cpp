// The main window's colours, asked for with high contrast given: under Wine
// SPI_GETHIGHCONTRAST always answers off.
#include "colour_scheme.h"

#include <gtest/gtest.h>

namespace {

using namespace MyApp;
using Part = COLORREF ColourScheme::*;

// Every text's system colour is the one the system pairs with its
// background's, so the pairs stay readable in any high-contrast theme.
TEST(ColourScheme, HighContrastTakesTheSystemsColours) {
    const ColourScheme contrast = SchemeFor(true);
    for (auto [part, index] : std::initializer_list<std::pair<Part, int>>{
             {&ColourScheme::panelBackground, COLOR_WINDOW},
             {&ColourScheme::controlBackground, COLOR_BTNFACE},
             {&ColourScheme::controlText, COLOR_BTNTEXT},
             {&ColourScheme::headerBackground, COLOR_HIGHLIGHT},
             {&ColourScheme::headerText, COLOR_HIGHLIGHTTEXT},
             {&ColourScheme::addCellText, COLOR_HOTLIGHT}}) {
        EXPECT_EQ(contrast.*part, GetSysColor(index));
    }
    EXPECT_NE(SchemeFor(false).panelBackground, contrast.panelBackground);
    EXPECT_FALSE(HighContrastOn());
}

}  // namespace
