#include "font_description.h"

#include "text.h"
#include "win32_failure.h"

namespace OrvoUtility {

FontDescription::FontDescription()
    : handle(nullptr),
      faceName(L"System"),
      height(0),
      width(0),
      bold(false),
      italic(false),
      underline(false),
      fixedPitch(false) {}

FontDescription::FontDescription(std::string face, std::int32_t fontHeight)
    : handle(nullptr),
      faceName(Common::NarrowToWide(face)),
      height(fontHeight),
      width(0),
      bold(false),
      italic(false),
      underline(false),
      fixedPitch(false) {}

FontDescription::~FontDescription() {
    if (handle != nullptr) DeleteObject(handle);
}

HFONT FontDescription::GetHandle() {
    if (handle == nullptr) {
        handle =
            CreateFontW(height, width, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, FALSE,
                        DEFAULT_CHARSET, OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                        fixedPitch ? FIXED_PITCH : DEFAULT_PITCH, faceName.c_str());
        if (handle == nullptr) RecordWin32Failure("CreateFontW");
    }
    return handle;
}

}  // namespace OrvoUtility
