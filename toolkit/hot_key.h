// A key combination that reaches one window from wherever the user is, as
// WM_HOTKEY: the system watches for it, so no keyboard hook is needed.
#pragma once

#include <windows.h>

#include <cstdint>

namespace OrvoUtility {

class HotKey {
public:
    // Registers the combination (MOD_* flags and a virtual key) at once; the
    // window's element hears OnHotKey(id) each time it is pressed.
    HotKey(HWND window, std::int32_t id, UINT modifiers, UINT key);
    // Gives the combination back to the system for other programs.
    ~HotKey();
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    bool Registered() const;
    // The system's reason when not registered: ERROR_HOTKEY_ALREADY_REGISTERED
    // when another program holds the combination.
    std::uint32_t Error() const;

private:
    HWND window;  // not owned
    std::int32_t id;
    bool registered;
    std::uint32_t error;
};

}  // namespace OrvoUtility
