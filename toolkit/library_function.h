// A function of a system library that is loaded only when first needed, so
// that its loading costs nothing at start.
#pragma once

#include <windows.h>

#include "win32_failure.h"

namespace OrvoUtility {

// Loads the library (a known system one: its name alone finds the system's
// copy) and finds the function in it; null, and recorded, when either fails.
template <typename Function>
Function LibraryFunction(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library);
    FARPROC found = module != nullptr ? GetProcAddress(module, name) : nullptr;
    if (found == nullptr) RecordWin32Failure(name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace OrvoUtility
