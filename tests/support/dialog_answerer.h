// Answers modal boxes the way a user would: a background thread waits for
// the box that the code under test (or the program an end-to-end test runs)
// shows, reads it, then presses a button (or, in the open-file dialog, types
// a file name and presses OK). Arm it just before the call that shows the box.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace ZelmivoTest {

// What the answerer saw of the box it answered.
struct AnsweredDialog {
    bool found = false;           // a box appeared before the time-out
    bool pressed = false;         // the chosen button (or file-name box) was there and was used
    std::wstring caption;         // the box's title
    std::wstring text;            // the message of a message box (first static text of others)
    std::vector<int> buttons;     // control ids of the box's push buttons, in window order
    HWND owner = nullptr;         // the box's owner window
    bool ownerWasEnabled = true;  // the owner (if any) accepted input while the box was up
};

class DialogAnswerer {
public:
    static constexpr DWORD defaultTimeoutMs = 15000;

    // Presses the button with this id (IDOK, IDCANCEL, IDYES, IDNO...) on the
    // next box of the process, this one unless another is named.
    explicit DialogAnswerer(int buttonId, DWORD timeoutMs = defaultTimeoutMs,
                            DWORD processId = GetCurrentProcessId());
    // Types this path into the file-name box of the next open-file dialog and presses OK.
    explicit DialogAnswerer(const std::wstring& fileName, DWORD timeoutMs = defaultTimeoutMs);
    ~DialogAnswerer();

    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Whether the box was answered (or the wait for it is over): a test whose
    // box comes from a message pumps until then.
    bool Answered() const { return done; }
    // Waits for the answering thread (bounded by the time-out) and returns what it saw.
    const AnsweredDialog& Result();

private:
    void Run(int buttonId, std::wstring fileName, DWORD timeoutMs, DWORD processId);

    AnsweredDialog seen;
    std::atomic<bool> done{false};
    std::thread worker;
};

}  // namespace ZelmivoTest
