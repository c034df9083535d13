#include "font_description.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace ToolkitTests {
namespace {

using OrvoUtility::FontDescription;

LOGFONTW Describe(HFONT font) {
    LOGFONTW description{};
    EXPECT_EQ(GetObjectW(font, sizeof(description), &description),
              static_cast<int>(sizeof(description)));
    return description;
}

TEST(FontDescriptionTest, DefaultsAndNarrowFaceName) {
    FontDescription system;
    EXPECT_EQ(system.faceName, L"System");
    EXPECT_EQ(system.height, 0);
    EXPECT_FALSE(system.bold || system.italic || system.underline || system.fixedPitch);
    EXPECT_EQ(system.handle, nullptr);

    FontDescription named("Caf\xe9", 14);
    EXPECT_EQ(named.faceName, L"Caf\u00e9");
    EXPECT_EQ(named.height, 14);
    EXPECT_EQ(named.handle, nullptr);
}

TEST(FontDescriptionTest, OneFontPerDescriptionMadeFromItsFields) {
    HFONT made = nullptr;
    {
        FontDescription font("Tahoma", 14);
        made = font.GetHandle();
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(font.GetHandle(), made);
        LOGFONTW description = Describe(made);
        EXPECT_EQ(description.lfHeight, 14);
        EXPECT_EQ(description.lfWeight, FW_NORMAL);
        EXPECT_FALSE(description.lfItalic);
        EXPECT_STREQ(description.lfFaceName, L"Tahoma");
        EXPECT_EQ(description.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(description.lfOutPrecision, OUT_OUTLINE_PRECIS);
        EXPECT_EQ(description.lfQuality, CLEARTYPE_QUALITY);

        // Too late: the font is made.
        font.bold = true;
        font.italic = true;
        EXPECT_EQ(font.GetHandle(), made);
        EXPECT_EQ(Describe(font.GetHandle()).lfWeight, FW_NORMAL);
        EXPECT_FALSE(Describe(font.GetHandle()).lfItalic);
    }
    // The description deleted its font.
    EXPECT_EQ(GetObjectType(made), 0u);

    FontDescription styled("Courier New", -20);
    styled.bold = true;
    styled.italic = true;
    styled.underline = true;
    styled.fixedPitch = true;
    LOGFONTW description = Describe(styled.GetHandle());
    EXPECT_EQ(description.lfHeight, -20);
    EXPECT_EQ(description.lfWeight, FW_BOLD);
    EXPECT_TRUE(description.lfItalic);
    EXPECT_TRUE(description.lfUnderline);
    EXPECT_EQ(description.lfPitchAndFamily & 3, FIXED_PITCH);
}

}  // namespace
}  // namespace ToolkitTests
