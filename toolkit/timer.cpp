#include "timer.h"

#include "control_window.h"
#include "win32_failure.h"

namespace OrvoUtility {

Timer::Timer(GUIElement* parentElement, std::int32_t milliseconds)
    : Child(parentElement), running(false), interval(milliseconds), onTick(nullptr) {
    text = L"timer";
    width = 50;
    height = 22;
}

Timer::~Timer() { Stop(); }

void Timer::OnTimer() {
    if (onTick != nullptr) onTick(this);
}

void Timer::Create() {
    if (created) return;
    DWORD style = WS_CHILD;
    if (!enabled) style |= WS_DISABLED;
    CreateControlWindow(*this, L"static", style, 0);
    SubclassWindow();
    created = true;
}

void Timer::Start() {
    if (running) return;
    Create();
    HWND owner = parent != nullptr ? static_cast<HWND>(parent->hwnd) : nullptr;
    // Without a window SetTimer would make a thread timer under an id of its own
    // that Stop could never kill.
    if (owner == nullptr) return;
    if (SetTimer(owner, static_cast<UINT_PTR>(id), static_cast<UINT>(interval), nullptr) == 0) {
        RecordWin32Failure("SetTimer");
        return;
    }
    running = true;
}

void Timer::Stop() {
    if (!running) return;
    HWND owner = parent != nullptr ? static_cast<HWND>(parent->hwnd) : nullptr;
    KillTimer(owner, static_cast<UINT_PTR>(id));
    running = false;
}

}  // namespace OrvoUtility
