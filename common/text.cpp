#include "text.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace Common {

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool AllSpaces(const char* eight) {
    std::uint64_t word;
    std::memcpy(&word, eight, sizeof word);
    return word == 0x2020202020202020ull;
}

// Latin-1 keeps each accented capital 0x20 below its small letter, as ASCII
// does; the multiplication sign and the division sign sit between and stay.
bool IsSmallLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
}

bool IsCapitalLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

}  // namespace

std::wstring NarrowToWide(std::string text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text) {
        if (c == '\0') {
            break;
        }
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

std::string WideToNarrow(std::wstring text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) {
        narrow.push_back(static_cast<char>(static_cast<unsigned char>(c & 0xFF)));
    }
    return narrow;
}

bool IsNarrowable(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c > 0xFF) {
            return false;
        }
    }
    return true;
}

std::string ToUpper(std::string text) {
    for (char& c : text) {
        if (IsSmallLetter(static_cast<unsigned char>(c))) {
            c = static_cast<char>(c - 0x20);
        }
    }
    return text;
}

std::string ToLower(std::string text) {
    for (char& c : text) {
        if (IsCapitalLetter(static_cast<unsigned char>(c))) {
            c = static_cast<char>(c + 0x20);
        }
    }
    return text;
}

std::string ReplaceChar(std::string text, char from, char to) {
    for (char& c : text) {
        if (c == from) {
            c = to;
        }
    }
    return text;
}

std::string ReplaceAll(std::string text, std::string search, std::string replacement) {
    if (search.empty()) {
        return text;
    }
    for (std::size_t at = text.find(search); at != std::string::npos; at = text.find(search)) {
        text.replace(at, search.size(), replacement);
    }
    return text;
}

std::string_view TrimmedView(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    // The padding of a file's columns is long runs of spaces: eight at a time.
    while (end - begin >= 8 && AllSpaces(text.data() + begin)) {
        begin += 8;
    }
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end - begin >= 8 && AllSpaces(text.data() + end - 8)) {
        end -= 8;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::string Trim(std::string text) { return std::string(TrimmedView(text)); }

std::string PadRight(std::string text, char pad, std::int32_t length) {
    if (length > 0 && text.size() < static_cast<std::size_t>(length)) {
        text.append(static_cast<std::size_t>(length) - text.size(), pad);
    }
    return text;
}

std::vector<std::string> Split(std::string text, std::string separator) {
    std::vector<std::string> parts;
    if (text.empty() || separator.empty()) {
        return parts;
    }
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    if (start < text.size()) {
        parts.push_back(text.substr(start));
    }
    return parts;
}

std::string DirectoryOf(std::string path) {
    std::string copy = ReplaceChar(path, '/', '\\');
    std::size_t at = copy.rfind('\\');
    if (at == std::string::npos) {
        at = copy.rfind(':');
    }
    if (at == std::string::npos) {
        return std::string();
    }
    return copy.substr(0, at + 1);
}

std::string FileNameOf(std::string path) {
    std::string directory = DirectoryOf(path);
    if (directory.empty()) {
        return path;
    }
    return path.substr(directory.size());
}

std::string FormatInt64(std::int64_t value) {
    // Digits are taken from the magnitude as unsigned, so the smallest value
    // needs no negation that would overflow.
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        digits.insert(digits.begin(), '-');
    }
    return digits;
}

std::wstring FormatInt64Wide(std::int64_t value) { return NarrowToWide(FormatInt64(value)); }

std::int64_t ParseInt64(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // The magnitude stops at the limit before it would pass it, so a long run
    // of digits saturates instead of overflowing.
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    std::uint64_t magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        const unsigned digit = static_cast<unsigned>(text[at] - '0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (!negative || magnitude == 0) {
        return static_cast<std::int64_t>(magnitude);
    }
    // -(2^63) has no positive counterpart in 64 bits.
    return -static_cast<std::int64_t>(magnitude - 1) - 1;
}

std::int32_t ParseInt32(const std::string& text) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(ParseInt64(text), std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

}  // namespace Common
