// Times scrolling the main window inside the process, over the real FormMain
// and a generated catalogue: each step from the message the system sends to
// the last paint it causes (RedrawWindow with RDW_UPDATENOW and
// RDW_ALLCHILDREN, then GdiFlush). Beside each step, in the same run, the
// floor's step to the same place: a frame and panel of the same size and bars
// holding one window for each place in view, which moves those windows by the
// same amount with ScrollWindowEx and gives the ones scrolled out of view the
// places scrolled in, as a view that keeps only the windows in view must.
//
// Usage: scroll_bench steps <entries in one column> <columns of 20> <line steps> <rounds>
//          the wheel down the long column to its end; the horizontal bar's
//          line steps, then its pages to the end, across the columns
//        scroll_bench sweep <entries>
//          a view at a time over every entry of columns of 20, then the
//          panel's windows and the process's private bytes (one size a
//          process, so that no other window's memory is counted)
// Prints: scroll <kind> <entries> <steps> <median ms> <95th percentile ms> <floor median ms>
//                <floor 95th percentile ms> <windows in view> <floor windows in view>
//                <steps after which the program showed every place in view right> <the floor's>
//         sweep <entries> <views> <views that showed every place in them right>
//               <panel windows> <private KB before the window> <private KB after>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_desktop.h"
#include "catalogue_change.h"
#include "catalogue_io.h"
#include "column_view.h"
#include "floor_frame.h"
#include "formmain.h"
#include "main_window_driver.h"
#include "panel.h"
#include "program_layout.h"
#include "sample_catalogue.h"

namespace {

// Far more than any catalogue here needs: a bar that never ends is a fault.
constexpr int stepLimit = 100000;
// Line steps are timed in runs of this many between bringing the other
// window to the front, which repaints all of it.
constexpr int lineRun = 20;

struct Timings {
    std::vector<double> program;
    std::vector<double> floor;
    std::vector<int> programInView;
    std::vector<int> floorInView;
    // Steps after which every place in view showed its caption at its place.
    int programRight = 0;
    int floorRight = 0;
};

POINT ScrollPositionOf(HWND panel) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    POINT at{0, 0};
    if ((GetWindowLongW(panel, GWL_STYLE) & WS_HSCROLL) != 0 &&
        GetScrollInfo(panel, SB_HORZ, &info)) {
        at.x = info.nPos;
    }
    if ((GetWindowLongW(panel, GWL_STYLE) & WS_VSCROLL) != 0 &&
        GetScrollInfo(panel, SB_VERT, &info)) {
        at.y = info.nPos;
    }
    return at;
}

bool operator==(POINT one, POINT other) { return one.x == other.x && one.y == other.y; }

// The windows of the panel that show in its client area.
int WindowsInView(HWND panel) {
    RECT client{};
    GetClientRect(panel, &client);
    int count = 0;
    for (HWND child = GetWindow(panel, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 2);
        RECT both{};
        if (IsWindowVisible(child) && IntersectRect(&both, &rect, &client)) ++count;
    }
    return count;
}

// Whether every place the panel shows from `origin` has a window of its
// caption at its place.
bool ShowsRight(HWND panel, const std::vector<Bench::Place>& places, POINT origin) {
    struct Shown {
        POINT corner;
        std::wstring caption;
    };
    std::vector<Shown> windows;
    for (HWND child = GetWindow(panel, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 2);
        wchar_t caption[128] = L"";
        GetWindowTextW(child, caption, 128);
        windows.push_back(Shown{POINT{rect.left, rect.top}, caption});
    }
    RECT shown{};
    GetClientRect(panel, &shown);
    OffsetRect(&shown, origin.x, origin.y);
    for (const Bench::Place& place : places) {
        if (!Bench::InView(place, shown)) continue;
        POINT corner{place.box.left - origin.x, place.box.top - origin.y};
        std::wstring caption = Bench::Caption(place);
        if (std::none_of(windows.begin(), windows.end(), [&](const Shown& window) {
                return window.corner.x == corner.x && window.corner.y == corner.y &&
                       window.caption == caption;
            })) {
            return false;
        }
    }
    return true;
}

BOOL CALLBACK CountWindow(HWND, LPARAM data) {
    ++*reinterpret_cast<int*>(data);
    return TRUE;
}

// The floor's view: one window for each place in view, made as places first
// come into view and given to other places once scrolled out.
class FloorScroller {
public:
    FloorScroller(Bench::FloorFrame& floorFrame, std::vector<Bench::Place> layout)
        : frame(floorFrame), places(std::move(layout)), windowAt(places.size(), nullptr) {}

    void Show(POINT at) {
        origin = at;
        windowAt = frame.MakeInView(places, origin);
        if (origin.x != 0) SetScrollPos(frame.panel, SB_HORZ, origin.x, TRUE);
        if (origin.y != 0) SetScrollPos(frame.panel, SB_VERT, origin.y, TRUE);
    }

    void Step(POINT to) {
        if (to.x != origin.x) SetScrollPos(frame.panel, SB_HORZ, to.x, TRUE);
        if (to.y != origin.y) SetScrollPos(frame.panel, SB_VERT, to.y, TRUE);
        ScrollWindowEx(frame.panel, origin.x - to.x, origin.y - to.y, nullptr, nullptr, nullptr,
                       nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        origin = to;
        RECT shown = frame.Shown(origin);
        for (std::size_t place = 0; place < places.size(); ++place) {
            if (windowAt[place] != nullptr && !Bench::InView(places[place], shown)) {
                SpareFor(places[place]).push_back(windowAt[place]);
                windowAt[place] = nullptr;
            }
        }
        for (std::size_t place = 0; place < places.size(); ++place) {
            if (windowAt[place] != nullptr || !Bench::InView(places[place], shown)) continue;
            std::vector<HWND>& spare = SpareFor(places[place]);
            if (spare.empty()) {
                windowAt[place] = frame.Make(places[place], origin);
                continue;
            }
            windowAt[place] = spare.back();
            spare.pop_back();
            frame.Move(windowAt[place], places[place], origin);
        }
    }

private:
    // Tiles are buttons, every other place a cell.
    std::vector<HWND>& SpareFor(const Bench::Place& place) {
        return place.kind == Bench::PlaceKind::Tile ? spareTiles : spareCells;
    }

    Bench::FloorFrame& frame;
    std::vector<Bench::Place> places;
    std::vector<HWND> windowAt;
    std::vector<HWND> spareTiles;
    std::vector<HWND> spareCells;
    POINT origin{0, 0};
};

// The program's window and, behind it, the floor's over the same layout,
// with the same bars and ranges.
struct Scene {
    Scene(const std::vector<int>& columns)
        : form(Bench::OpenMainWindow()),
          panel(form->View().Panel().hwnd),
          floor(GetModuleHandleW(nullptr),
                static_cast<DWORD>(GetWindowLongW(panel, GWL_STYLE)) & (WS_HSCROLL | WS_VSCROLL)),
          places(Bench::LayoutPlaces(columns)),
          scroller(floor, places) {
        for (int bar : {SB_HORZ, SB_VERT}) {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_PAGE;
            if (GetScrollInfo(panel, bar, &info)) SetScrollInfo(floor.panel, bar, &info, TRUE);
        }
        scroller.Show(ScrollPositionOf(panel));
        ShowWindow(floor.frame, SW_SHOWNOACTIVATE);
    }
    ~Scene() { Bench::CloseMainWindow(form); }

    bool Ready() const { return panel != nullptr && floor.Made(); }

    // Times the program's steps, then the floor's to the same places; false
    // once the program's bar stands still.
    bool TimeSteps(const std::function<void()>& send, int steps, Timings& timings) {
        Bench::BringToFront(form->hwnd);
        std::vector<POINT> targets;
        for (int step = 0; step < steps; ++step) {
            POINT before = ScrollPositionOf(panel);
            double start = Bench::NowMs();
            send();
            Bench::FinishPainting(panel);
            double ms = Bench::NowMs() - start;
            POINT after = ScrollPositionOf(panel);
            if (after == before) break;
            timings.program.push_back(ms);
            timings.programInView.push_back(WindowsInView(panel));
            if (ShowsRight(panel, places, after)) ++timings.programRight;
            targets.push_back(after);
            Bench::PumpMessages();
        }
        Bench::BringToFront(floor.frame);
        for (POINT target : targets) {
            double start = Bench::NowMs();
            scroller.Step(target);
            Bench::FinishPainting(floor.panel);
            timings.floor.push_back(Bench::NowMs() - start);
            timings.floorInView.push_back(WindowsInView(floor.panel));
            if (ShowsRight(floor.panel, places, target)) ++timings.floorRight;
        }
        return static_cast<int>(targets.size()) == steps;
    }

    std::unique_ptr<MyApp::FormMain> form;
    HWND panel;
    Bench::FloorFrame floor;
    std::vector<Bench::Place> places;
    FloorScroller scroller;
};

LPARAM CentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void Report(const char* kind, int entries, const Timings& timings) {
    std::printf("scroll %s %d %zu %.2f %.2f %.2f %.2f %d %d %d %d\n", kind, entries,
                timings.program.size(), Bench::Median(timings.program),
                Bench::Percentile(timings.program, 95), Bench::Median(timings.floor),
                Bench::Percentile(timings.floor, 95), Bench::Median(timings.programInView),
                Bench::Median(timings.floorInView), timings.programRight, timings.floorRight);
    std::fflush(stdout);
}

bool Steps(int columnEntries, int columns, int lineSteps, int rounds) {
    Timings wheel;
    Timings lines;
    Timings pages;
    for (int round = 0; round < rounds; ++round) {
        if (!Bench::Save(Bench::SampleCatalogue(columnEntries, columnEntries))) return false;
        {
            Scene scene(Bench::SampleColumns(columnEntries, columnEntries));
            if (!scene.Ready()) return false;
            // As the system sends it: a notch down, the cursor over the panel.
            auto notch = [&scene] {
                SendMessageW(scene.panel, WM_MOUSEWHEEL,
                             MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), CentreOf(scene.panel));
            };
            for (int step = 0; step < stepLimit && scene.TimeSteps(notch, 1, wheel); ++step) {
            }
        }
        int entries = columns * Bench::entriesPerCategory;
        if (!Bench::Save(Bench::SampleCatalogue(entries))) return false;
        Scene scene(Bench::SampleColumns(entries));
        if (!scene.Ready()) return false;
        auto line = [&scene] {
            SendMessageW(scene.panel, WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
        };
        for (int done = 0; done < lineSteps; done += lineRun) {
            if (!scene.TimeSteps(line, std::min(lineRun, lineSteps - done), lines)) break;
        }
        auto page = [&scene] {
            SendMessageW(scene.panel, WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
        };
        for (int step = 0; step < stepLimit && scene.TimeSteps(page, 1, pages); ++step) {
        }
    }
    Report("wheel", columnEntries, wheel);
    Report("line", columns * Bench::entriesPerCategory, lines);
    Report("page", columns * Bench::entriesPerCategory, pages);
    return true;
}

// Where the view's corner stands, a view apart, to show every point of an
// extent of `content` through a view of `view`.
std::vector<int> ViewCorners(int content, int view) {
    std::vector<int> corners{0};
    while (view > 0 && corners.back() + view < content) {
        corners.push_back(std::min(corners.back() + view, content - view));
    }
    return corners;
}

bool Sweep(int entries) {
    if (!Bench::Save(Bench::SampleCatalogue(entries))) return false;
    SIZE_T before = Bench::PrivateBytes();
    std::unique_ptr<MyApp::FormMain> form = Bench::OpenMainWindow();
    HWND panel = form->View().Panel().hwnd;
    RECT client{};
    if (panel == nullptr || !GetClientRect(panel, &client)) return false;
    std::vector<Bench::Place> places = Bench::LayoutPlaces(Bench::SampleColumns(entries));
    RECT content{0, 0, 0, 0};
    for (const Bench::Place& place : places) UnionRect(&content, &content, &place.box);
    // Row by row, back and forth, as a reader goes through the catalogue.
    std::vector<int> columns = ViewCorners(content.right + Bench::layoutMargin, client.right);
    int views = 0;
    int right = 0;
    for (int y : ViewCorners(content.bottom + Bench::layoutMargin, client.bottom)) {
        for (int x : columns) {
            form->View().Panel().ScrollTo(x, y);
            Bench::FinishPainting(panel);
            Bench::PumpMessages();
            ++views;
            if (ShowsRight(panel, places, ScrollPositionOf(panel))) ++right;
        }
        std::reverse(columns.begin(), columns.end());
    }
    Bench::Settle();
    int windows = 0;
    EnumChildWindows(panel, CountWindow, reinterpret_cast<LPARAM>(&windows));
    std::printf("sweep %d %d %d %d %zu %zu\n", entries, views, right, windows, before / 1024,
                Bench::PrivateBytes() / 1024);
    std::fflush(stdout);
    Bench::CloseMainWindow(form);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bool steps = argc == 6 && std::strcmp(argv[1], "steps") == 0;
    bool sweep = argc == 3 && std::strcmp(argv[1], "sweep") == 0;
    if (!steps && !sweep) {
        std::fprintf(stderr,
                     "usage: scroll_bench steps <entries in one column> <columns> <line steps> "
                     "<rounds>\n       scroll_bench sweep <entries>\n");
        return 2;
    }
    if (!Bench::EnterBenchDesktop()) {
        std::fprintf(stderr, "The virtual desktop could not be made\n");
        return 1;
    }
    bool done = steps ? Steps(std::max(1, std::atoi(argv[2])), std::max(1, std::atoi(argv[3])),
                              std::max(0, std::atoi(argv[4])), std::max(1, std::atoi(argv[5])))
                      : Sweep(std::max(1, std::atoi(argv[2])));
    Bench::RemoveCatalogueFile();
    if (!done) std::fprintf(stderr, "the catalogue could not be written or shown\n");
    return done ? 0 : 1;
}
