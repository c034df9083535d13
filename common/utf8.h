// The encodings a text file may come in, between its bytes and the UTF-8 that
// every text of the program holds, and the code points under them.
// UTF-8 text is encoded as UTF-8 by taking it as it is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Common {

// The character at `at`, moving `at` past it. A byte that begins no valid
// sequence gives U+FFFD, moves one byte and clears `valid`.
char32_t NextCodePoint(std::string_view utf8, std::size_t& at, bool& valid);
// The same over UTF-16 code units (code points where wchar_t is wider):
// a surrogate pair is joined, an unpaired surrogate gives U+FFFD.
char32_t NextCodePoint(std::wstring_view utf16, std::size_t& at, bool& valid);
void AppendUtf8(std::string& out, char32_t code);
// A character beyond the BMP takes a surrogate pair.
void AppendUtf16(std::wstring& out, char32_t code);

enum class Utf8Shape {
    Ascii,      // reads the same in every encoding here but UTF-16
    MultiByte,  // valid UTF-8 with at least one character of several bytes
    Invalid     // not UTF-8: a one-byte-per-character encoding, say
};
Utf8Shape ShapeOfUtf8(std::string_view bytes);

enum class ByteOrder { LittleEndian, BigEndian };

struct Decoded {
    std::string text;  // UTF-8
    // False when some bytes were no character of the encoding (invalid UTF-8,
    // an unpaired surrogate, an odd last byte of UTF-16): each gave U+FFFD.
    bool lossless = true;
};

struct Encoded {
    std::string bytes;
    // False when some character has no byte in the encoding: each gave '?'.
    bool fits = true;
};

// Every byte is a character: the five the standard table leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) are the C1 controls of the same value, so
// any bytes decode and encode back as they were.
std::string DecodeWindows1252(std::string_view bytes);
Encoded EncodeWindows1252(std::string_view utf8);
Decoded DecodeUtf8(std::string_view bytes);
// Without a byte-order mark, which the caller reads or writes.
Decoded DecodeUtf16(std::string_view bytes, ByteOrder order);
std::string EncodeUtf16(std::string_view utf8, ByteOrder order);

}  // namespace Common
