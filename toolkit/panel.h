// PanelChildren, the container whose children sit at fixed places and scroll
// with its own scroll bars, and CellControl, a panel that paints itself as a
// flat coloured tile with a caption.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "gui_element.h"
#include "text_alignment.h"

namespace OrvoUtility {

class PanelChildren;

// The change of position asked for: old position minus requested position.
using ScrollHandler = std::function<void(PanelChildren* panel, std::int32_t delta)>;

class PanelChildren : public Child {
public:
    explicit PanelChildren(GUIElement* parentElement);
    ~PanelChildren() override;

    HBRUSH OnControlColor(HDC dc) override;
    void Create() override;
    // A left press makes the panel the wheel's target; so does a vertical scroll.
    void OnLeftDown(std::int32_t x, std::int32_t y) override;
    bool OnScroll(int bar, int request) override;
    // The panel keeps the wheel even without a vertical bar, so that the wheel
    // over one of its tiles never scrolls some other panel.
    bool OnWheel(int wheelDelta) override;

    void SetScrollRange(std::int32_t minimum, std::int32_t maximum);
    void SetVerticalRange(std::int32_t extent);
    void SetHorizontalRange(std::int32_t extent);
    void ScrollToLeft();
    void ScrollToTop();
    // Scrolls so that this content point stands at the client's top-left
    // corner, as far as the bars allow; their handlers hear of it.
    void ScrollTo(std::int32_t x, std::int32_t y);
    // The content point at the client's top-left corner: how far the children
    // have been moved. It follows the bars whatever moves them, a range that
    // shrinks under the position included.
    POINT ScrollPosition() const;
    void SetBorder(bool value);
    void SetHorizontalScrollBar(bool value);
    void SetVerticalScrollBar(bool value);
    DWORD Style() const;

    // A WM_HSCROLL (bar SB_HORZ) or WM_VSCROLL (SB_VERT) request; false when
    // this panel has no such bar and the message is not its business.
    bool HandleScroll(int bar, int request);
    // One page up for a positive wheel delta, one page down otherwise; false
    // when the panel has no vertical bar.
    bool HandleWheel(int wheelDelta);
    // Scrolls so that the bar (SB_HORZ or SB_VERT) stands at the position, as
    // far as its range allows; nothing when the panel has no such bar.
    void ScrollBarTo(int bar, std::int32_t position);

    ScrollHandler onVerticalScroll;
    ScrollHandler onHorizontalScroll;
    bool border;
    // The border is a plain line, without the sunken client edge.
    bool thinBorder;
    bool verticalScrollBar;
    bool horizontalScrollBar;
    std::int32_t scrollMinimum;
    std::int32_t scrollMaximum;
    bool tabStop;
    // noColor: leave the child's text colour alone.
    COLORREF childTextColor;
    // noColor: children get the panel's own background.
    COLORREF childBackColor;

private:
    void ApplyStyle();
    // Moves the bar from `old` to `requested` (the system clamps it), scrolls
    // the content by what the bar really moved and tells the bar's handler.
    void MoveBar(int bar, std::int32_t old, std::int32_t requested);
    // Moves the children to where the bars stand (the start, for a bar not shown).
    void FollowBars();

    POINT moved{0, 0};
};

class CellControl : public PanelChildren {
public:
    explicit CellControl(GUIElement* parentElement);

    // Also repaints a live tile.
    void SetText(std::wstring value) override;
    void OnPaint() override;
    // Shows `image` (borrowed, black is transparent) and records its size.
    void SetBitmap(HBITMAP image);

    HBITMAP bitmap;  // not owned
    TextAlignment bitmapAlignment;
    std::int32_t bitmapWidth;
    std::int32_t bitmapHeight;
    // Draws a "*" in the bottom-right corner.
    bool marker;
    // Framed thickly in the text colour, for a tile its owner has picked.
    bool selected;
    bool bold;
    bool underline;
    bool italic;
    std::string faceName;
    // The tile font's height.
    std::int32_t fontSize;
    TextAlignment textAlignment;
    COLORREF textColor;
};

}  // namespace OrvoUtility
