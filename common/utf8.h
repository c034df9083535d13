// UTF-8 as text editors save it, against the one byte per character (Latin-1)
// that the program keeps in memory.
#pragma once

#include <string>

namespace Common {

struct Utf8Decoding {
    bool valid = false;      // the bytes are well-formed UTF-8
    bool multiByte = false;  // at least one character took more than one byte
    bool lossless = true;    // every character fits Latin-1; others became '?'
    std::string text;        // one byte per character
};

Utf8Decoding DecodeUtf8(const std::string& bytes);
// Valid UTF-8 holding at least one multi-byte character: text an editor
// saved as UTF-8 rather than one byte per character.
bool ReadsAsUtf8(const std::string& bytes);
std::string EncodeUtf8(const std::string& latin1);

}  // namespace Common
