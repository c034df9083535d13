// One Zelmivo per user session: two windows would each rewrite app.txt from
// their own memory. A second start hands over to the first and ends.
#pragma once

#include <windows.h>

namespace MyApp {

class SingleInstance {
public:
    // Takes the session's name for the program; only the first start gets it.
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool IsFirst() const;
    // Asks the running copy's main window to come to the front, waiting a few
    // seconds for it to appear when that copy is still starting.
    bool BringFirstForward() const;

private:
    HANDLE mutex;
    bool first;
};

// The running copy's main window marks itself so a second start can find it,
// and hears this message when it should come to the front.
void MarkAsFirstInstance(HWND window);
UINT ComeForwardMessage();
// The answer to that message: the window comes to the front, restored, with
// the focus where the user left it.
void ComeForward(HWND window);

}  // namespace MyApp
