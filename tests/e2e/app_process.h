// One run of a program under test, started on the suite's desktop. The
// destructor ends a run that is still going, so a failing test leaves no
// process behind.
#pragma once

#include <windows.h>

#include <string>

namespace ZelmivoE2E {

class AppProcess {
public:
    AppProcess() = default;
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    bool Start(const std::wstring& program, const std::wstring& workingFolder);
    DWORD Id() const { return processId; }
    bool IsRunning() const;
    // True when the process ended within the time.
    bool WaitForExit(DWORD timeoutMs);
    DWORD ExitCode() const;
    // Ends the process if it still runs and releases it.
    void Stop();

private:
    HANDLE process = nullptr;
    DWORD processId = 0;
};

// A path as Windows programs see it: Wine maps the Unix root to drive Z:.
std::wstring WindowsPath(const std::string& path);

}  // namespace ZelmivoE2E
