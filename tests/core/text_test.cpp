#include "text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>

#include "utf8.h"

namespace {

using Common::ParseInt32;

TEST(TextConversion, EveryByteSurvivesWideningAndNarrowing) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    std::wstring wide = Common::NarrowToWide(all);
    ASSERT_EQ(wide.size(), 255u);
    EXPECT_EQ(wide[0xE8 - 1], static_cast<wchar_t>(0x00E8));
    EXPECT_EQ(Common::WideToNarrow(wide), all);

    EXPECT_EQ(Common::NarrowToWide(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(Common::WideToNarrow(std::wstring(1, static_cast<wchar_t>(0x20AC))), "\xAC");
    EXPECT_EQ(Common::WideToNarrow(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextCase, OnlyAsciiLettersChange) {
    EXPECT_EQ(Common::ToUpper("abz AZ09 \xE0\xE8\xFE\xC8 \xF7\xFF\xDF {`@["),
              "ABZ AZ09 \xC0\xC8\xDE\xC8 \xF7\xFF\xDF {`@[");
    EXPECT_EQ(Common::ToLower("ABZ az09 \xC0\xC8\xDE\xE8 \xD7\xDF {`@["),
              "abz az09 \xE0\xE8\xFE\xE8 \xD7\xDF {`@[");
}

TEST(TextReplace, CharactersAndTexts) {
    EXPECT_EQ(Common::ReplaceChar("a/b/c", '/', '\\'), "a\\b\\c");
    EXPECT_EQ(Common::ReplaceAll("Copyright (C) 2024 (C)", "(C) ", "\xA9"),
              "Copyright \xA9"
              "2024 (C)");
    EXPECT_EQ(Common::ReplaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(Common::ReplaceAll("abc", "", "x"), "abc");
}

TEST(TextTrim, WhiteSpaceIsAsciiOnly) {
    EXPECT_EQ(Common::Trim(""), "");
    EXPECT_EQ(Common::Trim(" \t\n\v\f\r a b \r\n"), "a b");
    EXPECT_EQ(Common::Trim("\xA0x\xA0"), "\xA0x\xA0");
    EXPECT_EQ(Common::Trim("\x08x\x0E"), "\x08x\x0E");
    // Column padding: runs longer than eight, tabs and letters at every offset.
    const std::string pad(13, ' ');
    for (std::size_t cut = 0; cut <= pad.size(); ++cut) {
        std::string inner = "x" + pad.substr(0, cut) + "y";
        EXPECT_EQ(Common::Trim(pad.substr(cut) + "\t" + pad + inner + pad + "\t" + pad.substr(cut)),
                  inner);
        EXPECT_EQ(Common::Trim(pad + pad.substr(cut)), "");
    }
}

TEST(TextPad, PadsButNeverCuts) {
    EXPECT_EQ(Common::PadRight("ab", '0', 5), "ab000");
    EXPECT_EQ(Common::PadRight("abcdef", '0', 5), "abcdef");
    EXPECT_EQ(Common::PadRight("ab", ' ', -3), "ab");
}

TEST(TextSplit, PartsBetweenSeparators) {
    using List = std::vector<std::string>;
    EXPECT_EQ(Common::Split("a;;b", ";"), (List{"a", "", "b"}));
    EXPECT_EQ(Common::Split("a;b;", ";"), (List{"a", "b"}));
    EXPECT_EQ(Common::Split(";", ";"), (List{""}));
    EXPECT_EQ(Common::Split(";a", ";"), (List{"", "a"}));
    EXPECT_EQ(Common::Split("a--b--", "--"), (List{"a", "b"}));
    EXPECT_TRUE(Common::Split("", ";").empty());
    EXPECT_TRUE(Common::Split("abc", "").empty());
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
    EXPECT_EQ(Common::FormatInt64(0), "0");
    EXPECT_EQ(Common::FormatInt64(-1), "-1");
    EXPECT_EQ(Common::FormatInt64(std::numeric_limits<std::int64_t>::min()),
              "-9223372036854775808");
    EXPECT_EQ(Common::FormatInt64(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
    EXPECT_EQ(Common::FormatInt64Wide(-42), L"-42");

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

TEST(TextUtf8, OnlyWellFormedUtf8IsTakenAndOnlyLatin1IsKept) {
    struct Case {
        std::string bytes;
        bool valid;
        bool lossless;
        std::string text;
    } cases[] = {
        {"Caff\xC3\xA8 \xC3\x80", true, true, "Caff\xE8 \xC0"},
        {"\xC5\x81\xF0\x9F\x98\x80", true, false, "??"},
        {"\xC0\xAF", false, true, ""},          // overlong "/"
        {"\xE0\x80\xAF", false, true, ""},      // overlong, three bytes
        {"\xED\xA0\x80", false, true, ""},      // a surrogate
        {"\xF4\x90\x80\x80", false, true, ""},  // past U+10FFFF
        {"ab\xC3", false, true, ""},            // cut short
        {"\xE8 x", false, true, ""},            // Latin-1, not UTF-8
    };
    for (const Case& c : cases) {
        Common::Utf8Decoding decoded = Common::DecodeUtf8(c.bytes);
        EXPECT_EQ(decoded.valid, c.valid) << c.bytes;
        if (!c.valid) continue;
        EXPECT_EQ(decoded.lossless, c.lossless) << c.bytes;
        EXPECT_EQ(decoded.text, c.text);
        if (c.lossless) {
            EXPECT_EQ(Common::EncodeUtf8(decoded.text), c.bytes);
        }
    }
}

}  // namespace
