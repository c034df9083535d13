// Times start-ups under Wine to the millisecond: from CreateProcess until the
// main window's panel holds every window the layout puts in its view and the
// process waits for input; then counts the panel's windows and, half a second
// later, once the tiles' own icons are in, reads the memory the process
// holds. Each size runs the launcher over a generated catalogue and the floor
// program, which makes the same windows, alternately, and reports the medians.
// Usage: startup_stopwatch <zelmivo.exe> <floor_window.exe> <runs> <entries>...
// Prints per program and size:
//   startup <program> <entries> <ms> <working set KB> <private KB>
//   windows <program> <entries> <the panel's windows> <as many as the layout puts in view>
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_desktop.h"
#include "catalogue_io.h"
#include "floor_frame.h"
#include "program_layout.h"
#include "sample_catalogue.h"

namespace {

constexpr DWORD idleTimeoutMs = 120000;
constexpr double appearTimeoutMs = 120000;
constexpr DWORD memorySettleMs = 500;

struct Measure {
    double ms = 0;
    // The panel's windows once the process waits for input, and as many as
    // the layout puts in view.
    int windows = 0;
    int derived = 0;
    SIZE_T workingSet = 0;
    SIZE_T privateBytes = 0;
};

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = L"";
    GetClassNameW(window, name, 128);
    return name;
}

// A Linux path as Wine's Z: drive sees it.
std::wstring WindowsPath(const char* path) {
    std::wstring wide(path, path + std::strlen(path));
    if (wide.empty() || wide[0] != L'/') return wide;
    for (wchar_t& character : wide) {
        if (character == L'/') character = L'\\';
    }
    return L"Z:" + wide;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) ||
        (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

struct PanelSearch {
    HWND main;
    bool launcher;
    HWND found;
};

BOOL CALLBACK FindPanel(HWND window, LPARAM data) {
    PanelSearch* search = reinterpret_cast<PanelSearch*>(data);
    std::wstring name = ClassOf(window);
    bool panel =
        search->launcher ? name.rfind(L"PanelChildren", 0) == 0 : name == Bench::floorPanelClass;
    if (!panel || GetParent(window) != search->main) return TRUE;
    search->found = window;
    return FALSE;
}

// The scrolling panel of the main window; its cells have a panel's class too.
HWND PanelOf(HWND main, bool launcher) {
    PanelSearch search{main, launcher, nullptr};
    EnumChildWindows(main, FindPanel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CountWindow(HWND, LPARAM data) {
    ++*reinterpret_cast<int*>(data);
    return TRUE;
}

int ChildrenOf(HWND panel) {
    int count = 0;
    EnumChildWindows(panel, CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The windows the layout puts in the panel's view at start.
int DerivedCount(HWND panel, const std::vector<Bench::Place>& places) {
    RECT shown{};
    GetClientRect(panel, &shown);
    return Bench::CountMadeAtStart(places, shown);
}

bool Run(const std::wstring& program, const std::wstring& arguments,
         const std::vector<Bench::Place>& places, bool launcher, Measure& measure) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    std::wstring desktop = Bench::desktopName;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = &desktop[0];
    PROCESS_INFORMATION info{};
    double start = Bench::NowMs();
    if (!CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        std::fprintf(stderr, "cannot start %ls\n", program.c_str());
        return false;
    }
    CloseHandle(info.hThread);
    HWND panel = nullptr;
    while (Bench::NowMs() - start < appearTimeoutMs) {
        WindowSearch search{info.dwProcessId, nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        HWND found = search.found != nullptr ? PanelOf(search.found, launcher) : nullptr;
        if (found != nullptr && ChildrenOf(found) >= DerivedCount(found, places)) {
            panel = found;
            break;
        }
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    bool idle = panel != nullptr && WaitForInputIdle(info.hProcess, idleTimeoutMs) == 0;
    measure.ms = Bench::NowMs() - start;
    if (panel != nullptr) {
        measure.windows = ChildrenOf(panel);
        measure.derived = DerivedCount(panel, places);
    }
    // The tiles' own icons are looked up once the window has painted: the
    // memory is read after them.
    Sleep(memorySettleMs);
    WaitForInputIdle(info.hProcess, idleTimeoutMs);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    if (GetProcessMemoryInfo(info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        measure.workingSet = memory.WorkingSetSize;
        // Wine fills only PagefileUsage, which on Windows is the same figure.
        measure.privateBytes = std::max(memory.PrivateUsage, memory.PagefileUsage);
    }
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hProcess);
    if (!idle) std::fprintf(stderr, "%ls never showed its window ready\n", program.c_str());
    // Lets the display settle, so that one run's teardown is not timed in the next.
    Sleep(300);
    return idle;
}

void Report(const char* program, int entries, const std::vector<Measure>& runs) {
    std::vector<double> ms;
    std::vector<SIZE_T> workingSets;
    std::vector<SIZE_T> privateBytes;
    for (const Measure& run : runs) {
        ms.push_back(run.ms);
        workingSets.push_back(run.workingSet);
        privateBytes.push_back(run.privateBytes);
    }
    std::printf("startup %s %d %.1f %zu %zu\n", program, entries, Bench::Median(ms),
                Bench::Median(workingSets) / 1024, Bench::Median(privateBytes) / 1024);
    // The counts are the same in every run.
    std::printf("windows %s %d %d %d\n", program, entries, runs.back().windows,
                runs.back().derived);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: startup_stopwatch <zelmivo.exe> <floor.exe> <runs> <entries>...\n");
        return 2;
    }
    if (!Bench::EnterBenchDesktop()) {
        std::fprintf(stderr, "The virtual desktop could not be made\n");
        return 1;
    }
    std::wstring launcher = WindowsPath(argv[1]);
    std::wstring floor = WindowsPath(argv[2]);
    int runs = std::max(1, std::atoi(argv[3]));
    bool ok = true;
    for (int arg = 4; arg < argc; ++arg) {
        int entries = std::max(0, std::atoi(argv[arg]));
        Bench::RemoveCatalogueFile();
        if (entries > 0 && !Bench::Save(Bench::SampleCatalogue(entries))) {
            std::fprintf(stderr, "cannot write the catalogue of %d entries\n", entries);
            return 1;
        }
        std::vector<Bench::Place> places = Bench::LayoutPlaces(Bench::SampleColumns(entries));
        std::vector<Measure> launcherRuns(static_cast<std::size_t>(runs));
        std::vector<Measure> floorRuns(static_cast<std::size_t>(runs));
        for (int run = 0; run < runs; ++run) {
            ok = Run(launcher, L"", places, true, launcherRuns[run]) && ok;
            ok = Run(floor, std::to_wstring(entries), places, false, floorRuns[run]) && ok;
        }
        Report("zelmivo", entries, launcherRuns);
        Report("floor", entries, floorRuns);
    }
    Bench::RemoveCatalogueFile();
    return ok ? 0 : 1;
}
