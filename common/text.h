// Narrow (one byte per character, Latin-1) and wide (UTF-16) text helpers
// shared by the launcher and its toolkit. All functions are pure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Common {

// Each byte b becomes the code unit b; stops at the first zero byte.
std::wstring NarrowToWide(std::string text);
// Each code unit keeps its low 8 bits; the length does not change.
std::string WideToNarrow(std::wstring text);
// True when every character fits one byte (Latin-1), so that narrowing keeps it.
bool IsNarrowable(const std::wstring& text);

// Letters change case in all of Latin-1: "caff\xE8" gives "CAFF\xC8".
std::string ToUpper(std::string text);
std::string ToLower(std::string text);
std::string ReplaceChar(std::string text, char from, char to);
std::string ReplaceAll(std::string text, std::string search, std::string replacement);
std::string Trim(std::string text);
// The same without a copy: a view into `text`.
std::string_view TrimmedView(std::string_view text);
std::string PadRight(std::string text, char pad, std::int32_t length);
std::vector<std::string> Split(std::string text, std::string separator);
std::string DirectoryOf(std::string path);
std::string FileNameOf(std::string path);
std::string FormatInt64(std::int64_t value);
std::wstring FormatInt64Wide(std::int64_t value);

// Reads a decimal number the way atoi does: leading white space, an optional
// sign, digits up to the first other character; 0 when there are none.
// A number past the type's range gives its nearest end.
std::int32_t ParseInt32(const std::string& text);
std::int64_t ParseInt64(const std::string& text);

}  // namespace Common
