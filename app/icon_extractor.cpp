#include "icon_extractor.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "shell.h"

namespace MyApp {

struct IconExtractor::Shared {
    HWND window;
    UINT message;
    int iconSize;
    std::mutex lock;
    std::condition_variable wake;
    std::deque<std::string> pending;
    std::vector<Answer> answers;
    bool stopping = false;
};

namespace {

void DestroyIcons(std::vector<IconExtractor::Answer>& answers) {
    for (const IconExtractor::Answer& answer : answers) {
        if (answer.icon != nullptr) DestroyIcon(answer.icon);
    }
    answers.clear();
}

}  // namespace

IconExtractor::IconExtractor(HWND window, UINT message, int iconSize)
    : shared(std::make_shared<Shared>()), started(false) {
    shared->window = window;
    shared->message = message;
    shared->iconSize = iconSize;
}

IconExtractor::~IconExtractor() {
    {
        std::lock_guard<std::mutex> guard(shared->lock);
        shared->stopping = true;
        shared->pending.clear();
        DestroyIcons(shared->answers);
    }
    shared->wake.notify_all();
}

void IconExtractor::Request(const std::string& pathname) {
    {
        std::lock_guard<std::mutex> guard(shared->lock);
        shared->pending.push_back(pathname);
    }
    shared->wake.notify_one();
    if (started) return;
    started = true;
    // Detached: a lookup that never returns must not hold up the window's
    // teardown either. The worker keeps the shared state alive on its own.
    std::thread([state = shared] {
        for (;;) {
            std::string pathname;
            {
                std::unique_lock<std::mutex> guard(state->lock);
                state->wake.wait(guard,
                                 [&state] { return state->stopping || !state->pending.empty(); });
                if (state->stopping) return;
                pathname = state->pending.front();
                state->pending.pop_front();
            }
            // %NAME% in the pathname names the file the icon comes from; the
            // icon is drawn at the tile's size rather than stretched from 32.
            HICON icon =
                OrvoUtility::FileIcon(OrvoUtility::ExpandedText(pathname), state->iconSize);
            bool first = false;
            {
                std::lock_guard<std::mutex> guard(state->lock);
                if (state->stopping) {
                    if (icon != nullptr) DestroyIcon(icon);
                    return;
                }
                first = state->answers.empty();
                state->answers.push_back(Answer{pathname, icon});
            }
            // One message per batch: the window takes every waiting answer at once.
            if (first) PostMessageW(state->window, state->message, 0, 0);
        }
    }).detach();
}

std::vector<IconExtractor::Answer> IconExtractor::TakeAnswers() {
    std::vector<Answer> taken;
    std::lock_guard<std::mutex> guard(shared->lock);
    taken.swap(shared->answers);
    return taken;
}

}  // namespace MyApp
