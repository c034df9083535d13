// Shortcut files made through the shell, as an installer makes them.
#pragma once

#include <string>

namespace ZelmivoTest {

// Writes a shortcut to `target` at `path`, with the arguments and, when
// `iconFile` is given, the first icon of that file as its own.
bool MakeShortcut(const std::wstring& path, const std::wstring& target,
                  const std::wstring& arguments = L"", const std::wstring& iconFile = L"");

}  // namespace ZelmivoTest
