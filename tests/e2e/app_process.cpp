#include "app_process.h"

#include <vector>

namespace ZelmivoE2E {

AppProcess::~AppProcess() { Stop(); }

bool AppProcess::Start(const std::wstring& program, const std::wstring& workingFolder) {
    Stop();
    std::wstring commandLine = L"\"" + program + L"\"";
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    process = info.hProcess;
    processId = info.dwProcessId;
    return true;
}

bool AppProcess::IsRunning() const {
    return process != nullptr && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

bool AppProcess::WaitForExit(DWORD timeoutMs) {
    return process != nullptr && WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
}

DWORD AppProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process != nullptr) GetExitCodeProcess(process, &code);
    return code;
}

void AppProcess::Stop() {
    if (process == nullptr) return;
    if (IsRunning()) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
    }
    CloseHandle(process);
    process = nullptr;
    processId = 0;
}

std::wstring WindowsPath(const std::string& path) {
    std::wstring wide(path.begin(), path.end());
    if (wide.empty() || wide[0] != L'/') return wide;
    for (wchar_t& character : wide) {
        if (character == L'/') character = L'\\';
    }
    return L"Z:" + wide;
}

}  // namespace ZelmivoE2E
