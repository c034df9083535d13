// The floors' windows: the least a Win32 program makes to show what the main
// window shows. A frame of the main window's size and style with a menu bar,
// one panel in it at the margin with the main window panel's border and
// scroll bars, and in the panel a window for each place: an owner-drawn
// button (an icon and a caption, drawn on WM_DRAWITEM) for a tile, a window
// of a class of its own (a filled rectangle and a caption) for a cell.
#pragma once

#include <windows.h>

#include <vector>

#include "program_layout.h"

namespace Bench {

extern const wchar_t* const floorPanelClass;

class FloorFrame {
public:
    // Makes the frame, hidden, and its panel with these bars (WS_HSCROLL,
    // WS_VSCROLL or neither); Made() tells whether it could.
    FloorFrame(HINSTANCE instance, DWORD panelBars);
    ~FloorFrame();
    FloorFrame(const FloorFrame&) = delete;
    FloorFrame& operator=(const FloorFrame&) = delete;

    bool Made() const;
    // The part of the content the panel shows when scrolled to `origin`.
    RECT Shown(POINT origin) const;
    // A window for the place, where it stands when the panel is scrolled to `origin`.
    HWND Make(const Place& place, POINT origin);
    // A window for each of the places in view from `origin`, null for the rest.
    std::vector<HWND> MakeInView(const std::vector<Place>& places, POINT origin);
    // Gives a window made for a place of the same class another place.
    void Move(HWND window, const Place& place, POINT origin);

    HWND frame;
    HWND panel;
    // One caption font for every window, owned; the tiles' icon, the system's.
    HFONT font;
    HICON icon;

private:
    HINSTANCE instance;
};

}  // namespace Bench
