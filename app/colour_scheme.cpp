#include "colour_scheme.h"

#include "win32_failure.h"

namespace MyApp {

ColourScheme SchemeFor(bool highContrast) {
    ColourScheme scheme{};
    if (!highContrast) {
        scheme.panelBackground = 0xC0C0C0;
        scheme.controlBackground = 0xDCDCDC;
        scheme.controlText = 0x000000;
        scheme.headerBackground = 0x2A2AA5;
        scheme.headerText = 0xFFFFFF;
        scheme.addCellText = 0xFF0000;
        return scheme;
    }
    scheme.panelBackground = GetSysColor(COLOR_WINDOW);
    scheme.controlBackground = GetSysColor(COLOR_BTNFACE);
    scheme.controlText = GetSysColor(COLOR_BTNTEXT);
    scheme.headerBackground = GetSysColor(COLOR_HIGHLIGHT);
    scheme.headerText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    // The "+ aggiungi" cells act as links, and take the links' colour.
    scheme.addCellText = GetSysColor(COLOR_HOTLIGHT);
    return scheme;
}

bool HighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) {
        OrvoUtility::RecordWin32Failure("SystemParametersInfoW");
        return false;
    }
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace MyApp
