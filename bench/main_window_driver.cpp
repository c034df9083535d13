#include "main_window_driver.h"
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>

#include "bench_clock.h"
#include "timer.h"

namespace Bench {

namespace {

constexpr DWORD quietMs = 20;
constexpr double settleLimitMs = 2000;

}  // namespace

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Settle() {
    double start = NowMs();
    PumpMessages();
    while (NowMs() - start < settleLimitMs &&
           MsgWaitForMultipleObjects(0, nullptr, FALSE, quietMs, QS_ALLINPUT) != WAIT_TIMEOUT) {
        PumpMessages();
    }
}

void WaitPastResizeTimer() {
    // The window's resize timer fires half a second after the last change.
    const double start = NowMs();
    while (NowMs() - start < 600) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, quietMs, QS_ALLINPUT);
        PumpMessages();
    }
}

void FinishPainting(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
}

void BringToFront(HWND frame) {
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();
}

std::unique_ptr<MyApp::FormMain> OpenMainWindow() {
    auto form = std::make_unique<MyApp::FormMain>(GetModuleHandleW(nullptr),
                                                  "Orvo Zelmivo Copyright (C) 2026 Orvo Software");
    PumpMessages();
    Settle();
    return form;
}

void CloseMainWindow(std::unique_ptr<MyApp::FormMain>& form) {
    form.reset();
    PumpMessages();
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(),
                              reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        return 0;
    }
    return std::max(memory.PrivateUsage, memory.PagefileUsage);
}

}  // namespace Bench
