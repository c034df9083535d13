#include "text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <tuple>
#include <utility>

#include "utf8.h"

namespace {

using Common::ParseInt32;
using namespace std::string_literals;

// UTF-16 code units, the same on every platform whatever wchar_t's width.
std::wstring Units(std::initializer_list<unsigned> units) {
    std::wstring wide;
    for (unsigned unit : units) wide.push_back(static_cast<wchar_t>(unit));
    return wide;
}

TEST(TextConversion, Utf8AndUtf16BothWaysAndWhatCannotConvertBecomesAReplacement) {
    const std::pair<std::string, std::wstring> lossless[] = {
        {"Caffè ω", Units({'C', 'a', 'f', 'f', 0xE8, ' ', 0x3C9})},
        {"€😀", Units({0x20AC, 0xD83D, 0xDE00})},
    };
    for (const auto& [utf8, utf16] : lossless) {
        EXPECT_EQ(Common::NarrowToWide(utf8), utf16) << utf8;
        EXPECT_EQ(Common::WideToNarrow(utf16), utf8) << utf8;
    }
    // A byte of no valid sequence, each: Latin-1, cut short, overlong; and a NUL ends.
    EXPECT_EQ(Common::NarrowToWide(std::string("\xE8\xF0\x9F\x98\xC0\xAFx\0c", 9)),
              Units({0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 'x'}));
    EXPECT_EQ(Common::WideToNarrow(Units({0xD83D, 'x', 0xDE00, 0xD83D, 0xFF01, 0xD83D})),
              "\uFFFDx\uFFFD\uFFFD\uFF01\uFFFD");
    EXPECT_EQ(Common::WideToNarrow(Units({'a', 0, 'b'})), std::string("a\0b", 3));
}

TEST(TextCase, OnlyAsciiAndLatin1LettersChange) {
    EXPECT_EQ(Common::ToLower("ABZ az09 ÀÈÞè ×ß {`@[ ΩÉ😀"), "abz az09 àèþè ×ß {`@[ Ωé😀");
}

TEST(TextTrim, WhiteSpaceIsAsciiOnly) {
    EXPECT_EQ(Common::Trim(" \t\n\v\f\r a b \r\n"), "a b");
    EXPECT_EQ(Common::Trim("\u00A0x\u00A0"), "\u00A0x\u00A0");
    EXPECT_EQ(Common::Trim("\x08x\x0E"), "\x08x\x0E");
}

TEST(TextCount, CharactersNotBytesAndNeverHalfOfOne) {
    // A text, a count, and its first characters up to that count.
    const std::tuple<const char*, std::size_t, const char*> cases[] = {
        {"Fattura – L’ultima €", 50, "Fattura – L’ultima €"},
        {"Fattura – L’ultima €", 10, "Fattura – "},
        {"abcdefghij😀k", 11, "abcdefghij😀"},
        {"abcdefghij😀k", 10, "abcdefghij"},
        {"😀", 0, ""}};
    for (const auto& [text, count, first] : cases) {
        EXPECT_EQ(Common::FirstCodePoints(text, count), first) << text << count;
        EXPECT_EQ(Common::CodePointCount(first), std::min(count, Common::CodePointCount(text)));
    }
    EXPECT_EQ(Common::CodePointCount("Fattura – L’ultima €"), 20u);
}

TEST(TextPath, DirectoryAndFileName) {
    // A path, then its folder and its file name.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"C:\\Programmi\\editor.exe", "C:\\Programmi\\", "editor.exe"},
        {"rel/dir/file.txt", "rel\\dir\\", "file.txt"},
        {"name.exe", "", "name.exe"},
        {"C:file", "C:", "file"},
        {"C:\\dir\\", "C:\\dir\\", ""}};
    for (const auto& [path, directory, name] : cases) {
        EXPECT_EQ(Common::DirectoryOf(path), directory) << path;
        EXPECT_EQ(Common::FileNameOf(path), name) << path;
    }
}

TEST(TextNumber, FormatsLikeI64dAndParsesLikeAtoi) {
    EXPECT_EQ(Common::FormatInt64(std::numeric_limits<std::int64_t>::min()),
              "-9223372036854775808");
    EXPECT_EQ(Common::FormatInt64(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
    EXPECT_EQ(Common::FormatInt64(-1), "-1");

    EXPECT_EQ(ParseInt32(" \t\n42abc"), 42);
    EXPECT_EQ(ParseInt32("-17 "), -17);
    EXPECT_EQ(ParseInt32("+0008"), 8);
    for (const char* text : {"", "x12", "- 8"}) EXPECT_EQ(ParseInt32(text), 0) << text;
    // Past its range each gives the nearest end, however many the digits.
    const std::int64_t max64 = std::numeric_limits<std::int64_t>::max();
    const std::string thirty(30, '9');
    EXPECT_EQ(ParseInt32("2147483648"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ParseInt32("-2147483649"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(Common::ParseInt64("-4294967297"), -4294967297);
    for (const std::string& text : {std::string("9223372036854775808"), thirty}) {
        EXPECT_EQ(Common::ParseInt64(text), max64) << text;
        EXPECT_EQ(Common::ParseInt64("-" + text), -max64 - 1) << text;
    }
}

TEST(TextEncodings, Windows1252KeepsEveryByteAndTellsWhatDoesNotFit) {
    std::string everyByte;
    for (int b = 0; b < 256; ++b) everyByte.push_back(static_cast<char>(b));
    EXPECT_EQ(Common::DecodeWindows1252(everyByte.substr(0x80, 0x22)),
              "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ\u00A0¡");
    Common::Encoded back = Common::EncodeWindows1252(Common::DecodeWindows1252(everyByte));
    EXPECT_TRUE(back.fits);
    EXPECT_EQ(back.bytes, everyByte);
    // U+0080 is no character of it: the byte 0x80 is the euro sign.
    back = Common::EncodeWindows1252("’€–\u0080ω😀");
    EXPECT_FALSE(back.fits);
    EXPECT_EQ(back.bytes, "\x92\x80\x96???");
}

TEST(TextEncodings, Utf8AndUtf16DecodeWhatIsValidAndMarkTheRest) {
    using Common::Utf8Shape;
    struct Case {
        std::string bytes;
        Utf8Shape shape;
        std::string text;
    } cases[] = {
        {"Dati", Utf8Shape::Ascii, "Dati"},
        {"Caff\xC3\xA8 \xF0\x9F\x98\x80", Utf8Shape::MultiByte, "Caffè 😀"},
        {"\xC0\xAF", Utf8Shape::Invalid, "\uFFFD\uFFFD"},                      // overlong "/"
        {"\xED\xA0\x80", Utf8Shape::Invalid, "\uFFFD\uFFFD\uFFFD"},            // a surrogate
        {"\xF4\x90\x80\x80", Utf8Shape::Invalid, "\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
        {"ab\xC3", Utf8Shape::Invalid, "ab\uFFFD"},                            // cut short
        {"\xE8 x", Utf8Shape::Invalid, "\uFFFD x"},                            // Windows-1252
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Common::ShapeOfUtf8(c.bytes), c.shape) << c.bytes;
        Common::Decoded decoded = Common::DecodeUtf8(c.bytes);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.lossless, c.shape != Utf8Shape::Invalid) << c.bytes;
    }
}

}  // namespace
