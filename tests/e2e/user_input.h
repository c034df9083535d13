// Real input, as a user gives it: mouse clicks at screen points and keys,
// injected with SendInput into the desktop the program runs on.
#pragma once

#include <windows.h>

#include <string>

namespace ZelmivoE2E {

void MoveMouse(POINT point);
void LeftClick(POINT point);
void RightClick(POINT point);
// Types the characters as Unicode key strokes, so any letter reaches the edit box.
void TypeText(const std::wstring& text);
void PressKey(WORD virtualKey);
// The key while the modifier is held down, for Alt+F or Ctrl+A.
void PressChord(WORD modifier, WORD virtualKey);

}  // namespace ZelmivoE2E
