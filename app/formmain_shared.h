// What the main window's files share: the measures and colours of the
// layout, and the small helpers more than one of them uses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "gui_element.h"

namespace OrvoUtility {
class Button;
class CellControl;
class Form;
class Menu;
class PanelChildren;
class SubMenu;
class Timer;
}  // namespace OrvoUtility

namespace MyApp {
namespace MainWindowParts {

// The toolkit's names as the main window's files use them.
using OrvoUtility::Button;
using OrvoUtility::CellControl;
using OrvoUtility::Child;
using OrvoUtility::GUIElement;
using OrvoUtility::Menu;
using OrvoUtility::PanelChildren;
using OrvoUtility::SubMenu;
using OrvoUtility::Timer;

inline constexpr COLORREF controlBackground = 0xDCDCDC;
inline constexpr COLORREF panelBackground = 0xC0C0C0;
inline constexpr COLORREF headerBackground = 0x2A2AA5;
inline constexpr COLORREF headerText = 0xFFFFFF;
inline constexpr COLORREF addCellText = 0xFF0000;
inline constexpr std::int32_t resizeDelayMs = 500;
// Posted by the icon worker when found icons wait to be taken.
inline constexpr UINT iconsFoundMessage = WM_APP + 1;
// Posted when something in the data folder changed.
inline constexpr UINT folderChangedMessage = WM_APP + 2;
// A change in the data folder is looked at again after this long.
inline constexpr std::int32_t folderRecheckMs = 1000;

// What a cell or tile of the columns stands for.
struct ShownItem {
    enum class Kind { Header, Tile, AddCell };
    Kind kind = Kind::Header;
    std::int32_t categoryId = 0;
    std::int32_t recordId = 0;  // of a tile's entry
};
bool operator==(const ShownItem& a, const ShownItem& b);

// The layout's measures at one DPI; at 96 columns are 160 wide and 180
// apart, tiles 40 high and 50 apart.
struct LayoutMeasures {
    std::int32_t margin;
    std::int32_t columnStep;
    std::int32_t rowStep;
    std::int32_t cellWidth;
    std::int32_t cellHeight;
    std::int32_t headerHeight;
    std::int32_t iconSize;
    // The form's font, and the headers' and "+ aggiungi" cells' own.
    std::int32_t formFontHeight;
    std::int32_t cellFontHeight;
};
LayoutMeasures MeasuresAt(std::int32_t dpi);

// A deleted cell or tile loses its window at once; the element itself stays
// with the form until teardown, with no handle that a later window could reuse.
void DestroyElementWindow(OrvoUtility::GUIElement* element);
// The element's size without its border and scroll bars.
void RefreshClientSize(OrvoUtility::GUIElement& element);

// Frees a dialog of the main window. Its result was applied when its window
// went, so its destruction must not report it again; nor may it report to a
// main window that is itself being torn down.
struct Discard {
    void operator()(OrvoUtility::Form* dialog) const;
};
// The main window's last dialog of a class.
template <typename Dialog>
using DialogSlot = std::unique_ptr<Dialog, Discard>;

}  // namespace MainWindowParts
}  // namespace MyApp
