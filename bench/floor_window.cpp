// The floor of the start-up benchmark: the least a Win32 program does to show
// what the main window shows over the sample catalogue of this many entries
// on this screen. It makes the windows the main window makes at start, of the
// same kinds, in a frame and panel of the same size: the header cells, tiles
// and "+ aggiungi App" cells in view and the "+ aggiungi categoria" cell.
// Usage: floor_window <entries>
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "floor_frame.h"
#include "program_layout.h"
#include "sample_catalogue.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    int entries = std::max(0, _wtoi(commandLine));
    Bench::FloorFrame floor(instance, 0);
    if (!floor.Made()) return 1;
    POINT origin{0, 0};
    RECT shown = floor.Shown(origin);
    for (const Bench::Place& place : Bench::LayoutPlaces(Bench::SampleColumns(entries))) {
        if (Bench::MadeAtStart(place, shown)) floor.Make(place, origin);
    }
    ShowWindow(floor.frame, SW_SHOW);
    UpdateWindow(floor.frame);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
