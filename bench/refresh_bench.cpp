// Times, inside the process, what the main window does after one edit of a
// large catalogue, from the change of the catalogue through the relayout, the
// save and the repainting until no message is left: a category renamed with
// its header in view, and an entry added to a column whose "+ aggiungi App"
// cell is in view, as the user adds one. Beside each, in the same run, the
// floor of that edit: a frame holding the same windows in view (the start-up
// floor's kinds) changes only what the edit shows (the header's caption; one
// tile made where the cell stood, the cell moved a row down and the bar's
// range) and writes the catalogue's bytes to a new file, flushes and renames
// it over the old one, as a save that never leaves half a file must. Also
// every cell and tile the program's panel holds moved once with a bare
// SetWindowPos and repainted, which is more than any one edit needs.
// Usage: refresh_bench <entries> <runs>
// Prints: refresh <what> <entries> <median ms>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
#include "text.h"

namespace {

struct Placed {
    HWND window;
    POINT corner;
};

std::vector<Placed> ChildrenOf(HWND panel) {
    std::vector<Placed> children;
    for (HWND child = GetWindow(panel, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        POINT corner{rect.left, rect.top};
        ScreenToClient(panel, &corner);
        children.push_back(Placed{child, corner});
    }
    return children;
}

void MoveAll(const std::vector<Placed>& children, int shift) {
    for (const Placed& child : children) {
        SetWindowPos(child.window, nullptr, child.corner.x, child.corner.y + shift, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Bench::PumpMessages();
}

// The floor's save: the bytes to a new file, flushed, renamed over the old one.
bool WriteReplacing(const std::wstring& path, const std::string& bytes) {
    std::wstring written = path + L".new";
    HANDLE file = CreateFileW(written.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD count = 0;
    bool whole =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) != FALSE &&
        count == bytes.size() && FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return whole && MoveFileExW(written.c_str(), path.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::wstring FloorFilePath() {
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"zelmivo-refresh-floor.txt";
}

// A frame of the floor's windows for every place in view from `origin`,
// shown and painted in front; `windowAt` holds each place's window, or null.
struct FloorScene {
    FloorScene(const std::vector<Bench::Place>& layout, POINT viewOrigin)
        : frame(GetModuleHandleW(nullptr), WS_HSCROLL | WS_VSCROLL),
          places(layout),
          origin(viewOrigin),
          windowAt(places.size(), nullptr) {
        if (!frame.Made()) return;
        windowAt = frame.MakeInView(places, origin);
        ShowWindow(frame.frame, SW_SHOWNOACTIVATE);
        Bench::BringToFront(frame.frame);
    }

    HWND WindowOf(Bench::PlaceKind kind, int column) const {
        for (std::size_t place = 0; place < places.size(); ++place) {
            if (places[place].kind == kind && places[place].column == column) {
                return windowAt[place];
            }
        }
        return nullptr;
    }

    Bench::FloorFrame frame;
    std::vector<Bench::Place> places;
    POINT origin;
    std::vector<HWND> windowAt;
};

// Where the first column's "+ aggiungi App" cell stands: after its header and tiles.
RECT FirstAddCellBox(const std::vector<int>& columns) {
    return Bench::LayoutPlaces(columns)[static_cast<std::size_t>(columns[0]) + 1].box;
}

double FloorRename(const std::vector<int>& columns, const std::wstring& name,
                   const std::string& bytes) {
    FloorScene scene(Bench::LayoutPlaces(columns), POINT{0, 0});
    HWND header = scene.WindowOf(Bench::PlaceKind::Header, 0);
    double start = Bench::NowMs();
    SetWindowTextW(header, name.c_str());
    InvalidateRect(header, nullptr, FALSE);
    Bench::PumpMessages();
    Bench::FinishPainting(scene.frame.panel);
    WriteReplacing(FloorFilePath(), bytes);
    return Bench::NowMs() - start;
}

double FloorAddition(const std::vector<int>& columns, POINT origin, const std::string& bytes) {
    FloorScene scene(Bench::LayoutPlaces(columns), origin);
    HWND addCell = scene.WindowOf(Bench::PlaceKind::AddApp, 0);
    RECT cellBox = FirstAddCellBox(columns);
    RECT movedBox = cellBox;
    OffsetRect(&movedBox, 0, Bench::rowStep);
    double start = Bench::NowMs();
    scene.frame.Make(Bench::Place{Bench::PlaceKind::Tile, columns[0] + 1, 0, cellBox}, origin);
    scene.frame.Move(addCell, Bench::Place{Bench::PlaceKind::AddApp, 0, 0, movedBox}, origin);
    SCROLLINFO range{};
    range.cbSize = sizeof range;
    range.fMask = SIF_RANGE | SIF_PAGE;
    // The first column is the longest: it has grown at every run.
    range.nMax = movedBox.bottom + Bench::layoutMargin;
    range.nPage = static_cast<UINT>(range.nMax / 10);
    SetScrollInfo(scene.frame.panel, SB_VERT, &range, TRUE);
    Bench::PumpMessages();
    Bench::FinishPainting(scene.frame.panel);
    WriteReplacing(FloorFilePath(), bytes);
    return Bench::NowMs() - start;
}

// Scrolls the program's view to `target` and lets it settle in front.
POINT ViewAt(MyApp::FormMain& form, POINT target) {
    form.View().Panel().ScrollTo(target.x, target.y);
    Bench::Settle();
    Bench::BringToFront(form.hwnd);
    return form.View().ScrollPosition();
}

double TimeCommit(MyApp::FormMain& form, const MyApp::CatalogueChange& change) {
    double start = Bench::NowMs();
    form.Commit(change);
    Bench::PumpMessages();
    Bench::FinishPainting(form.View().Panel().hwnd);
    return Bench::NowMs() - start;
}

void Report(const char* what, int entries, const std::vector<double>& ms) {
    std::printf("refresh %s %d %.2f\n", what, entries, Bench::Median(ms));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: refresh_bench <entries> <runs>\n");
        return 2;
    }
    int entries = std::max(1, std::atoi(argv[1]));
    int runs = std::max(1, std::atoi(argv[2]));
    if (!Bench::EnterBenchDesktop()) {
        std::fprintf(stderr, "The virtual desktop could not be made\n");
        return 1;
    }
    if (!Bench::Save(Bench::SampleCatalogue(entries))) {
        std::fprintf(stderr, "cannot write the catalogue of %d entries\n", entries);
        return 1;
    }
    std::unique_ptr<MyApp::FormMain> form = Bench::OpenMainWindow();
    HWND panel = form->View().Panel().hwnd;
    std::vector<int> columns = Bench::SampleColumns(entries);

    std::vector<double> renames, additions, renameFloors, additionFloors, writes, moves;
    for (int run = 0; run < runs; ++run) {
        std::string number = Common::FormatInt64(run + 1);
        const MyApp::Catalogue& catalogue = form->CatalogueShown();

        ViewAt(*form, POINT{0, 0});
        renames.push_back(
            TimeCommit(*form, MyApp::CatalogueChange::RenameCategory(catalogue.categories.front(),
                                                                     "Rinominata " + number)));
        Bench::WaitPastResizeTimer();
        std::string bytes = Bench::FormatText(catalogue);
        renameFloors.push_back(
            FloorRename(columns, Common::NarrowToWide("Rinominata " + number), bytes));

        // The first column's "+ aggiungi App" cell at the foot of the view.
        RECT client{};
        GetClientRect(panel, &client);
        RECT cellBox = FirstAddCellBox(columns);
        POINT origin = ViewAt(
            *form,
            POINT{0, std::max<LONG>(0, cellBox.bottom + Bench::layoutMargin - client.bottom)});
        additions.push_back(
            TimeCommit(*form, MyApp::CatalogueChange::AddApps(
                                  catalogue.categories.front().id,
                                  {{"Aggiunta " + number,
                                    "C:\\Programmi\\Aggiunta " + number + "\\aggiunta.exe", ""}})));
        POINT after = form->View().ScrollPosition();
        if (after.x != origin.x || after.y != origin.y) {
            std::fprintf(stderr, "the view moved for an entry added in view\n");
            return 1;
        }
        Bench::WaitPastResizeTimer();
        bytes = Bench::FormatText(catalogue);
        additionFloors.push_back(FloorAddition(columns, origin, bytes));
        ++columns[0];

        double start = Bench::NowMs();
        WriteReplacing(FloorFilePath(), bytes);
        writes.push_back(Bench::NowMs() - start);

        std::vector<Placed> children = ChildrenOf(panel);
        start = Bench::NowMs();
        MoveAll(children, 1);
        moves.push_back(Bench::NowMs() - start);
        MoveAll(children, 0);
    }
    Report("rename", entries, renames);
    Report("addition", entries, additions);
    Report("rename_floor", entries, renameFloors);
    Report("addition_floor", entries, additionFloors);
    Report("write_floor", entries, writes);
    Report("move_all_floor", entries, moves);

    Bench::CloseMainWindow(form);
    Bench::RemoveCatalogueFile();
    DeleteFileW(FloorFilePath().c_str());
    return 0;
}
