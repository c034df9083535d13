// Times start-ups under Wine to the millisecond: from CreateProcess until the
// program's main window is shown holding every tile in view and the process
// waits for input, then reads the memory the process holds. Each size runs
// the launcher over a generated catalogue and the floor program with as many
// buttons, alternately, and reports the medians.
// Usage: startup_stopwatch <zelmivo.exe> <floor_window.exe> <runs> <entries>...
// Prints per program and size: startup <program> <entries> <ms> <working set KB> <private KB>
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
#include "sample_catalogue.h"

namespace {

constexpr DWORD idleTimeoutMs = 120000;
constexpr double appearTimeoutMs = 120000;

struct Measure {
    double ms = 0;
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

struct ChildCount {
    int buttons = 0;
    HWND panel = nullptr;
};

BOOL CALLBACK CountChild(HWND window, LPARAM data) {
    ChildCount* count = reinterpret_cast<ChildCount*>(data);
    std::wstring name = ClassOf(window);
    if (_wcsicmp(name.c_str(), L"Button") == 0) ++count->buttons;
    if (count->panel == nullptr && name.rfind(L"PanelChildren", 0) == 0) count->panel = window;
    return TRUE;
}

// The tiles of the generated catalogue that stand in the panel's visible area.
int TilesInView(HWND panel, int entries) {
    RECT client{};
    if (!GetClientRect(panel, &client)) return entries;
    int inView = 0;
    for (int entry = 0; entry < entries; ++entry) {
        int x = 10 + 180 * (entry / Bench::entriesPerCategory);
        int y = 60 + 50 * (entry % Bench::entriesPerCategory);
        if (x < client.right && y < client.bottom) ++inView;
    }
    return inView;
}

// True once the window shows what it must: all its buttons for the floor,
// the tiles in view for the launcher.
bool Complete(HWND window, int entries, bool launcher) {
    ChildCount count;
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
    if (!launcher) return count.buttons >= entries;
    return count.panel != nullptr && count.buttons >= TilesInView(count.panel, entries);
}

bool Run(const std::wstring& program, const std::wstring& arguments, int entries, bool launcher,
         Measure& measure) {
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
    bool shown = false;
    while (Bench::NowMs() - start < appearTimeoutMs) {
        WindowSearch search{info.dwProcessId, nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr && Complete(search.found, entries, launcher)) {
            shown = true;
            break;
        }
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    bool idle = shown && WaitForInputIdle(info.hProcess, idleTimeoutMs) == 0;
    measure.ms = Bench::NowMs() - start;
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
        std::vector<Measure> launcherRuns(static_cast<std::size_t>(runs));
        std::vector<Measure> floorRuns(static_cast<std::size_t>(runs));
        for (int run = 0; run < runs; ++run) {
            ok = Run(launcher, L"", entries, true, launcherRuns[run]) && ok;
            ok = Run(floor, std::to_wstring(entries), entries, false, floorRuns[run]) && ok;
        }
        Report("zelmivo", entries, launcherRuns);
        Report("floor", entries, floorRuns);
    }
    Bench::RemoveCatalogueFile();
    return ok ? 0 : 1;
}
