// The one record of a failed Win32 call that the program goes on after:
// nothing is thrown and nothing stops, but the debugger's output (or a tool
// such as DebugView, in a release build too) says which call failed and why.
#pragma once

namespace OrvoUtility {

// Call right after the failed call, before anything else can change the
// thread's last error.
void RecordWin32Failure(const char* call);

}  // namespace OrvoUtility
