#include "utf8.h"

#include <cstdint>
#include <cstring>

namespace Common {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool HasHighBit(const char* eight) {
    std::uint64_t word;
    std::memcpy(&word, eight, sizeof word);
    return (word & 0x8080808080808080ull) != 0;
}

}  // namespace

namespace {

// Checks the bytes and, when `text` is given, decodes them into it.
Utf8Decoding Scan(const std::string& bytes, std::string* text) {
    Utf8Decoding result;
    if (text != nullptr) text->reserve(bytes.size());
    const std::size_t size = bytes.size();
    for (std::size_t at = 0; at < size;) {
        // Runs of ASCII, the bulk of a catalogue, pass eight bytes at a time.
        std::size_t run = at;
        while (run + 8 <= size && !HasHighBit(bytes.data() + run)) run += 8;
        while (run < size && static_cast<unsigned char>(bytes[run]) < 0x80) ++run;
        if (run > at) {
            if (text != nullptr) text->append(bytes, at, run - at);
            at = run;
            continue;
        }
        unsigned char lead = static_cast<unsigned char>(bytes[at]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        std::uint32_t lowest = 0;
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
            return Utf8Decoding();
        }
        if (size - at < length) {
            return Utf8Decoding();
        }
        for (std::size_t i = 1; i < length; ++i) {
            unsigned char next = static_cast<unsigned char>(bytes[at + i]);
            if (!IsContinuation(next)) {
                return Utf8Decoding();
            }
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            return Utf8Decoding();
        }
        if (code > 0xFF) {
            result.lossless = false;
            code = '?';
        }
        if (text != nullptr) text->push_back(static_cast<char>(code));
        result.multiByte = true;
        at += length;
    }
    result.valid = true;
    return result;
}

}  // namespace

Utf8Decoding DecodeUtf8(const std::string& bytes) {
    std::string text;
    Utf8Decoding result = Scan(bytes, &text);
    result.text = std::move(text);
    return result;
}

bool ReadsAsUtf8(const std::string& bytes) {
    Utf8Decoding result = Scan(bytes, nullptr);
    return result.valid && result.multiByte;
}

std::string EncodeUtf8(const std::string& latin1) {
    std::string bytes;
    bytes.reserve(latin1.size() + latin1.size() / 8);
    for (char c : latin1) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            bytes.push_back(c);
        } else {
            bytes.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return bytes;
}

}  // namespace Common
