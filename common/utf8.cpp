#include "utf8.h"

#include <cstdint>
#include <cstring>

namespace Common {

namespace {

// Stands for what could not be decoded.
constexpr char32_t kReplacementCharacter = 0xFFFD;

// Bytes 0x80 to 0x9F; the five the table leaves undefined stand for
// themselves.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

// The end of the run of ASCII from `at`; a catalogue is mostly such runs, so
// they pass eight bytes at a time.
std::size_t AsciiRunEnd(std::string_view bytes, std::size_t at) {
    const std::size_t size = bytes.size();
    for (std::uint64_t word; at + 8 <= size; at += 8) {
        std::memcpy(&word, bytes.data() + at, sizeof word);
        if ((word & 0x8080808080808080ull) != 0) break;
    }
    while (at < size && static_cast<unsigned char>(bytes[at]) < 0x80) ++at;
    return at;
}

char32_t Invalid(std::size_t& at, bool& valid) {
    ++at;
    valid = false;
    return kReplacementCharacter;
}

}  // namespace

char32_t NextCodePoint(std::string_view utf8, std::size_t& at, bool& valid) {
    const unsigned char lead = static_cast<unsigned char>(utf8[at]);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    std::size_t length = 0;
    char32_t code = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        lowest = 0x10000;
    } else {
        return Invalid(at, valid);
    }
    if (utf8.size() - at < length) {
        return Invalid(at, valid);
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(utf8[at + i]);
        if (!IsContinuation(next)) {
            return Invalid(at, valid);
        }
        code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if (code < lowest || IsSurrogate(code) || code > 0x10FFFF) {
        return Invalid(at, valid);
    }
    at += length;
    return code;
}

char32_t NextCodePoint(std::wstring_view utf16, std::size_t& at, bool& valid) {
    const char32_t unit = static_cast<char32_t>(utf16[at++]);
    if (unit >= 0xD800 && unit <= 0xDBFF && at < utf16.size()) {
        const char32_t low = static_cast<char32_t>(utf16[at]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            ++at;
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    if (IsSurrogate(unit) || unit > 0x10FFFF) {
        valid = false;
        return kReplacementCharacter;
    }
    return unit;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

void AppendUtf16(std::wstring& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<wchar_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
}

Utf8Shape ShapeOfUtf8(std::string_view bytes) {
    Utf8Shape shape = Utf8Shape::Ascii;
    bool valid = true;
    for (std::size_t at = AsciiRunEnd(bytes, 0); at < bytes.size(); at = AsciiRunEnd(bytes, at)) {
        NextCodePoint(bytes, at, valid);
        if (!valid) return Utf8Shape::Invalid;
        shape = Utf8Shape::MultiByte;
    }
    return shape;
}

std::string DecodeWindows1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const std::size_t run = AsciiRunEnd(bytes, at);
        text.append(bytes, at, run - at);
        if (run == bytes.size()) break;
        at = run;
        const unsigned char byte = static_cast<unsigned char>(bytes[at]);
        AppendUtf8(text, byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte);
    }
    return text;
}

Encoded EncodeWindows1252(std::string_view utf8) {
    Encoded result;
    result.bytes.reserve(utf8.size());
    bool valid = true;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t run = AsciiRunEnd(utf8, at);
        result.bytes.append(utf8, at, run - at);
        if (run == utf8.size()) break;
        at = run;
        const char32_t code = NextCodePoint(utf8, at, valid);
        int byte = code >= 0xA0 && code <= 0xFF ? static_cast<int>(code) : -1;
        for (int high = 0; byte < 0 && high < 32; ++high) {
            if (kWindows1252High[high] == code) byte = 0x80 + high;
        }
        if (byte < 0) {
            result.fits = false;
            byte = '?';
        }
        result.bytes.push_back(static_cast<char>(byte));
    }
    return result;
}

Decoded DecodeUtf8(std::string_view bytes) {
    Decoded result;
    result.text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t run = AsciiRunEnd(bytes, at);
        result.text.append(bytes, at, run - at);
        if (run == bytes.size()) break;
        at = run;
        bool valid = true;
        NextCodePoint(bytes, at, valid);
        if (valid) {
            result.text.append(bytes, run, at - run);
        } else {
            result.lossless = false;
            AppendUtf8(result.text, kReplacementCharacter);
        }
    }
    return result;
}

Decoded DecodeUtf16(std::string_view bytes, ByteOrder order) {
    const int first = order == ByteOrder::BigEndian ? 8 : 0;
    std::wstring units;
    units.reserve(bytes.size() / 2);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const unsigned one = static_cast<unsigned char>(bytes[at]);
        const unsigned two = static_cast<unsigned char>(bytes[at + 1]);
        units.push_back(static_cast<wchar_t>(one << first | two << (8 - first)));
    }
    Decoded result;
    result.text.reserve(units.size());
    for (std::size_t at = 0; at < units.size();) {
        AppendUtf8(result.text, NextCodePoint(units, at, result.lossless));
    }
    // Half a code unit is no character.
    if (bytes.size() % 2 != 0) {
        result.lossless = false;
        AppendUtf8(result.text, kReplacementCharacter);
    }
    return result;
}

std::string EncodeUtf16(std::string_view utf8, ByteOrder order) {
    std::wstring units;
    units.reserve(utf8.size());
    bool valid = true;
    for (std::size_t at = 0; at < utf8.size();) {
        AppendUtf16(units, NextCodePoint(utf8, at, valid));
    }
    const int first = order == ByteOrder::BigEndian ? 8 : 0;
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (wchar_t unit : units) {
        bytes.push_back(static_cast<char>(static_cast<unsigned>(unit) >> first));
        bytes.push_back(static_cast<char>(static_cast<unsigned>(unit) >> (8 - first)));
    }
    return bytes;
}

}  // namespace Common
