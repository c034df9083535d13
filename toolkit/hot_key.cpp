#include "hot_key.h"

#include "win32_failure.h"

namespace OrvoUtility {

HotKey::HotKey(HWND target, std::int32_t keyId, UINT modifiers, UINT key)
    : window(target),
      id(keyId),
      registered(RegisterHotKey(target, keyId, modifiers, key) != FALSE),
      // Not recorded: a combination another program holds is the caller's to tell.
      error(registered ? ERROR_SUCCESS : GetLastError()) {}

HotKey::~HotKey() {
    // A window already destroyed took its combinations with it.
    if (!registered || !IsWindow(window)) return;
    if (!UnregisterHotKey(window, id)) RecordWin32Failure("UnregisterHotKey");
}

bool HotKey::Registered() const { return registered; }

std::uint32_t HotKey::Error() const { return error; }

}  // namespace OrvoUtility
