#include "text.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "utf8.h"

namespace Common {

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool AllSpaces(const char* eight) {
    std::uint64_t word;
    std::memcpy(&word, eight, sizeof word);
    return word == 0x2020202020202020ull;
}

bool AllAscii(const char* eight) {
    std::uint64_t word;
    std::memcpy(&word, eight, sizeof word);
    return (word & 0x8080808080808080ull) == 0;
}

// A byte that only carries on the character before it.
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::wstring NarrowToWide(std::string utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    bool valid = true;
    for (std::size_t at = 0; at < utf8.size() && utf8[at] != '\0';) {
        AppendUtf16(wide, NextCodePoint(utf8, at, valid));
    }
    return wide;
}

std::string WideToNarrow(std::wstring utf16) {
    std::string narrow;
    narrow.reserve(utf16.size());
    bool valid = true;
    for (std::size_t at = 0; at < utf16.size();) {
        AppendUtf8(narrow, NextCodePoint(utf16, at, valid));
    }
    return narrow;
}

std::size_t CodePointCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        if (at + 8 <= utf8.size() && AllAscii(utf8.data() + at)) {
            count += 8;
            at += 8;
        } else {
            count += IsContinuation(utf8[at++]) ? 0 : 1;
        }
    }
    return count;
}

std::string_view FirstCodePoints(std::string_view utf8, std::size_t count) {
    std::size_t at = 0;
    while (at < utf8.size()) {
        if (count >= 8 && at + 8 <= utf8.size() && AllAscii(utf8.data() + at)) {
            count -= 8;
            at += 8;
            continue;
        }
        if (!IsContinuation(utf8[at])) {
            if (count == 0) break;
            --count;
        }
        ++at;
    }
    return utf8.substr(0, at);
}

// Latin-1's capitals are U+00C0 to U+00DE, written C3 80 to C3 9E, each 0x20
// below its small letter as in ASCII; the multiplication sign (C3 97) stays.
std::string ToLower(std::string text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c >= 'A' && c <= 'Z') {
            text[at] = static_cast<char>(c + 0x20);
        } else if (c == 0xC3 && at + 1 < text.size()) {
            const unsigned char next = static_cast<unsigned char>(text[at + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                text[at + 1] = static_cast<char>(next + 0x20);
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
    const std::size_t count = CodePointCount(text);
    if (length > 0 && count < static_cast<std::size_t>(length)) {
        text.append(static_cast<std::size_t>(length) - count, pad);
    }
    return text;
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
