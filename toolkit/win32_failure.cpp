#include "win32_failure.h"

#include <windows.h>

#include <string>

namespace OrvoUtility {

void RecordWin32Failure(const char* call) {
    DWORD error = GetLastError();
    std::string line =
        std::string("OrvoUtility: ") + call + " failed, error " + std::to_string(error) + "\n";
    OutputDebugStringA(line.c_str());
}

}  // namespace OrvoUtility
