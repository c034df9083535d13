// Text helpers shared by the launcher and its toolkit. Every std::string
// holds UTF-8; a std::wstring holds UTF-16, the form Windows takes, and is
// made only where the program meets Windows. All functions are pure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Common {

// Characters beyond the BMP become surrogate pairs; a byte that is no part of
// a valid sequence becomes U+FFFD. Stops at the first zero byte.
std::wstring NarrowToWide(std::string utf8);
// An unpaired surrogate becomes U+FFFD.
std::string WideToNarrow(std::wstring utf16);

std::size_t CodePointCount(std::string_view utf8);
// The longest start of at most `count` characters: never half of one.
std::string_view FirstCodePoints(std::string_view utf8, std::size_t count);

// Capitals become small letters in ASCII and Latin-1 ("CAFFÈ" gives "caffè");
// every other character stays as it is.
std::string ToLower(std::string text);
std::string ReplaceChar(std::string text, char from, char to);
std::string ReplaceAll(std::string text, std::string search, std::string replacement);
std::string Trim(std::string text);
// The same without a copy: a view into `text`.
std::string_view TrimmedView(std::string_view text);
// Pads to `length` characters.
std::string PadRight(std::string text, char pad, std::int32_t length);
std::string DirectoryOf(std::string path);
std::string FileNameOf(std::string path);
std::string FormatInt64(std::int64_t value);

// Reads a decimal number the way atoi does: leading white space, an optional
// sign, digits up to the first other character; 0 when there are none.
// A number past the type's range gives its nearest end.
std::int32_t ParseInt32(const std::string& text);
std::int64_t ParseInt64(const std::string& text);

}  // namespace Common
