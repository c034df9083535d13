// A push button; owner-drawn, it paints its own frame, image and caption (the
// launcher's tiles are such buttons).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "gui_element.h"

namespace OrvoUtility {

class Drawing;

class Button : public Child, public CommandElement {
public:
    Button(GUIElement* parentElement, std::string caption);

    void Create() override;
    // Every notification of the button is a command.
    void OnControlCommand(WORD notification) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    // Draws the image for the current enabled state at the left of the item and
    // answers where the caption starts (0: no image, the caption is centred).
    virtual std::int32_t DrawImage(Drawing& drawing, RECT item, bool pressed);

    // Paints the button for its parent's WM_DRAWITEM.
    void DrawItem(const DRAWITEMSTRUCT& item);

    bool ownerDrawn;
    // Owner-drawn: shown in inverted colours with a thick frame, for a button
    // its owner has picked (by keyboard, say) whether or not it has the focus.
    bool selected;
    // The images are borrowed: whoever assigns them keeps them alive.
    HBITMAP enabledBitmap;
    HBITMAP disabledBitmap;
    HICON enabledIcon;
    HICON disabledIcon;
    // A length given for the usual 32-pixel icon, at this button's icon size.
    std::int32_t Scaled(std::int32_t usual) const;

    // The icon's side in pixels; the margins and frames around it grow with it,
    // so that a button scaled for a higher DPI keeps its proportions.
    std::int32_t iconSize;
};

}  // namespace OrvoUtility
