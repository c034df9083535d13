// What a screen reader hears of a window, asked through the accessibility
// API. Under Wine the answer comes only within the window's own process.
#pragma once

// clang-format off
#include <windows.h>
#include <oleacc.h>
// clang-format on

#include <string>

namespace ZelmivoTest {

// "name|role|description"; empty when the window gives no accessible object.
std::wstring Heard(HWND window);

}  // namespace ZelmivoTest
