// The colours the main window paints with: its own fixed ones, or the
// system's when the user has turned high contrast on.
#pragma once

#include <windows.h>

namespace MyApp {

struct ColourScheme {
    // Behind the columns, and so behind the "+ aggiungi" cells.
    COLORREF panelBackground;
    // Behind the tiles and the window's other controls.
    COLORREF controlBackground;
    // The text on controlBackground.
    COLORREF controlText;
    COLORREF headerBackground;
    COLORREF headerText;
    // The "+ aggiungi" cells' text, on panelBackground.
    COLORREF addCellText;
};

// With high contrast off, the launcher's own colours; on, the system's,
// each text in the colour the system pairs with its background.
ColourScheme SchemeFor(bool highContrast);

// Whether the user has turned high contrast on; off when the system does
// not say.
bool HighContrastOn();

}  // namespace MyApp
