// The toolkit's own window classes, one for each kind of window and
// registered once: however many forms and panels the program makes, the
// system's class table does not grow.
#pragma once

#include <windows.h>

namespace OrvoUtility {

enum class WindowKind { Form, Panel };

// The class name for windows of this kind, registered on first use; null when
// the system refused it.
const wchar_t* WindowClassFor(WindowKind kind, HINSTANCE instance);

}  // namespace OrvoUtility
