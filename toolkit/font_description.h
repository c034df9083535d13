// A font named by face, height and style flags; the GDI font is made on first
// use and belongs to the description.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace OrvoUtility {

class FontDescription {
public:
    FontDescription();
    FontDescription(std::string faceName, std::int32_t height);
    ~FontDescription();
    FontDescription(const FontDescription&) = delete;
    FontDescription& operator=(const FontDescription&) = delete;

    // Makes the font on the first call and returns the same handle afterwards;
    // null when creation fails, so the next call tries again.
    HFONT GetHandle();

    HFONT handle;
    std::wstring faceName;
    std::int32_t height;
    // The average character width; 0 leaves it to the face.
    std::int32_t width;
    bool bold;
    bool italic;
    bool underline;
    bool fixedPitch;
};

}  // namespace OrvoUtility
