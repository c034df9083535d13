// A periodic tick on the parent's window. Its own hidden window only gives the
// timer an id of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "gui_element.h"

namespace OrvoUtility {

class Timer;

using TickHandler = std::function<void(Timer* timer)>;

class Timer : public Child {
public:
    Timer(GUIElement* parentElement, std::int32_t milliseconds);
    // A running timer is stopped: no tick may reach a destroyed timer.
    ~Timer() override;

    void Create() override;
    void OnTimer() override;
    void Start();
    void Stop();

    bool running;
    std::int32_t interval;
    TickHandler onTick;
};

}  // namespace OrvoUtility
