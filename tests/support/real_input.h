// Real input, as a user gives it: mouse clicks at screen points and keys,
// injected with SendInput into the desktop the program under test runs on.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ZelmivoTest {

void ClickAt(POINT screenPoint, bool rightButton = false);
// A click in the middle of the window; false when it is not there to click.
bool Click(HWND window, bool rightButton = false);
// Presses and releases the keys in order, each with its own key-up.
void PressKeys(const std::vector<WORD>& keys);
// The key while the modifiers are held down, as for Alt+F.
void PressChord(const std::vector<WORD>& modifiers, WORD key);
// Characters as a keyboard layout produces them, accented ones too.
void TypeText(const std::wstring& text);

}  // namespace ZelmivoTest
