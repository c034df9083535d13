// Times, inside the process, what the main window does after one edit of a
// large catalogue: a category renamed and an entry added, each from the
// change of the catalogue through the relayout, the save and the repainting
// until no message is left. Beside them the save alone and the floor: every
// cell and tile of the same panel moved once with a bare SetWindowPos and
// repainted. Usage: refresh_bench <entries> <runs>
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
#include "formmain.h"
#include "main_window_driver.h"
#include "panel.h"
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

    std::vector<double> renames;
    std::vector<double> additions;
    std::vector<double> saves;
    std::vector<double> floors;
    for (int run = 0; run < runs; ++run) {
        std::string number = Common::FormatInt64(run + 1);
        const MyApp::Catalogue& catalogue = form->CatalogueShown();

        double start = Bench::NowMs();
        form->Commit(MyApp::CatalogueChange::RenameCategory(catalogue.categories.front(),
                                                            "Rinominata " + number));
        Bench::PumpMessages();
        renames.push_back(Bench::NowMs() - start);
        Bench::WaitPastResizeTimer();

        start = Bench::NowMs();
        form->Commit(MyApp::CatalogueChange::AddApps(
            catalogue.categories[catalogue.categories.size() / 2].id,
            {{"Aggiunta " + number, "C:\\Programmi\\Aggiunta " + number + "\\aggiunta.exe", ""}}));
        Bench::PumpMessages();
        additions.push_back(Bench::NowMs() - start);
        Bench::WaitPastResizeTimer();

        start = Bench::NowMs();
        Bench::Save(catalogue);
        saves.push_back(Bench::NowMs() - start);

        std::vector<Placed> children = ChildrenOf(form->View().Panel().hwnd);
        start = Bench::NowMs();
        MoveAll(children, 1);
        floors.push_back(Bench::NowMs() - start);
        MoveAll(children, 0);
    }
    Report("rename", entries, renames);
    Report("addition", entries, additions);
    Report("save", entries, saves);
    Report("floor", entries, floors);

    Bench::CloseMainWindow(form);
    Bench::RemoveCatalogueFile();
    return 0;
}
