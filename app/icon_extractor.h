// Extracts tile icons on a worker thread, so that a pathname the shell is slow
// to answer for (an offline network share, a sleeping disk) never holds up the
// window. Answers go back to the window's thread by a posted message; the
// window's elements are touched by that thread alone.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace MyApp {

class IconExtractor {
public:
    struct Answer {
        std::string pathname;
        HICON icon;  // null when the file gives none; owned by whoever takes it
    };

    // `window` hears `message` when answers are waiting to be taken; icons
    // are taken `iconSize` pixels square.
    IconExtractor(HWND window, UINT message, int iconSize);
    // A lookup still running is abandoned; its icon is destroyed when it ends.
    ~IconExtractor();
    IconExtractor(const IconExtractor&) = delete;
    IconExtractor& operator=(const IconExtractor&) = delete;

    void Request(const std::string& pathname);
    std::vector<Answer> TakeAnswers();

private:
    struct Shared;
    // Shared with the worker, which may outlive the extractor.
    std::shared_ptr<Shared> shared;
    bool started;
};

}  // namespace MyApp
