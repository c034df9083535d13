// What a user does to the main window and its dialogs, done with real input:
// mouse clicks through SendInput, the keyboard in context menus and the
// menu bar, text put into edit boxes, and answers to message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "dialog_answerer.h"

namespace MainWindowTests {

// A click with the left (or right) button at a point of the screen.
void ClickAt(POINT screenPoint, bool rightButton = false);
// A click in the middle of the window.
void Click(HWND window, bool rightButton = false);
// Presses and releases the keys in order, each with its own key-up.
void PressKeys(const std::vector<WORD>& keys);
// Alt and a letter together, as for a menu of the menu bar.
void PressAltWith(WORD letter);
// Replaces the text of an edit box, as typing it over a selection would.
void TypeInto(HWND box, const std::string& latin1Text);

// Waits in the background for the next context menu or drop-down menu of this
// process, reads its captions, then presses the given key in it (an access
// letter or VK_ESCAPE).
class MenuPicker {
public:
    explicit MenuPicker(WORD key);
    ~MenuPicker();
    MenuPicker(const MenuPicker&) = delete;
    MenuPicker& operator=(const MenuPicker&) = delete;

    bool Done() const { return done; }
    // Waits for the picker and returns the captions it saw.
    const std::vector<std::wstring>& Captions();
    bool Found();

private:
    void Run(WORD key);

    std::vector<std::wstring> captions;
    bool found = false;
    std::atomic<bool> done{false};
    std::thread worker;
};

// Answers the next message box with the button; ready once it is answered.
std::future<ZelmivoTest::AnsweredDialog> AnswerNextBox(int buttonId);

}  // namespace MainWindowTests
