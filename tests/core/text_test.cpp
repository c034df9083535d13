#include "text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

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
    EXPECT_EQ(Common::ToUpper("abz AZ09 \xE8\xC8 {`@["), "ABZ AZ09 \xE8\xC8 {`@[");
    EXPECT_EQ(Common::ToLower("ABZ az09 \xE8\xC8 {`@["), "abz az09 \xE8\xC8 {`@[");
}

TEST(TextReplace, CharactersAndTexts) {
    EXPECT_EQ(Common::ReplaceChar("a/b/c", '/', '\\'), "a\\b\\c");
    EXPECT_EQ(Common::ReplaceAll("Copyright (C) 2024 (C)", "(C) ", "\xA9"),
              "Copyright \xA9"
              "2024 (C)");
    EXPECT_EQ(Common::ReplaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(Common::ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(Common::ReplaceAll("", "a", "x"), "");
}

TEST(TextTrim, WhiteSpaceIsAsciiOnly) {
    EXPECT_EQ(Common::Trim("     "), "");
    EXPECT_EQ(Common::Trim(""), "");
    EXPECT_EQ(Common::Trim(" \t\n\v\f\r a b \r\n"), "a b");
    EXPECT_EQ(Common::Trim("\xA0x\xA0"), "\xA0x\xA0");
    EXPECT_EQ(Common::Trim("\x08x\x0E"), "\x08x\x0E");
}

TEST(TextPad, PadsButNeverCuts) {
    EXPECT_EQ(Common::PadRight("ab", '0', 5), "ab000");
    EXPECT_EQ(Common::PadRight("abcdef", '0', 5), "abcdef");
    EXPECT_EQ(Common::PadRight("ab", ' ', -3), "ab");
    EXPECT_EQ(Common::PadRight("", ' ', 3), "   ");
}

TEST(TextSplit, PartsBetweenSeparators) {
    using List = std::vector<std::string>;
    EXPECT_EQ(Common::Split("a;;b", ";"), (List{"a", "", "b"}));
    EXPECT_EQ(Common::Split("a;b;", ";"), (List{"a", "b"}));
    EXPECT_EQ(Common::Split("abc", ";"), (List{"abc"}));
    EXPECT_EQ(Common::Split(";", ";"), (List{""}));
    EXPECT_EQ(Common::Split(";a", ";"), (List{"", "a"}));
    EXPECT_EQ(Common::Split("a--b--", "--"), (List{"a", "b"}));
    EXPECT_TRUE(Common::Split("", ";").empty());
    EXPECT_TRUE(Common::Split("abc", "").empty());
}

TEST(TextPath, DirectoryAndFileName) {
    EXPECT_EQ(Common::DirectoryOf("C:\\Programmi\\editor.exe"), "C:\\Programmi\\");
    EXPECT_EQ(Common::FileNameOf("C:\\Programmi\\editor.exe"), "editor.exe");
    EXPECT_EQ(Common::DirectoryOf("rel/dir/file.txt"), "rel\\dir\\");
    EXPECT_EQ(Common::FileNameOf("rel/dir/file.txt"), "file.txt");
    EXPECT_EQ(Common::DirectoryOf("name.exe"), "");
    EXPECT_EQ(Common::FileNameOf("name.exe"), "name.exe");
    EXPECT_EQ(Common::DirectoryOf("C:file"), "C:");
    EXPECT_EQ(Common::FileNameOf("C:file"), "file");
    EXPECT_EQ(Common::FileNameOf("C:\\dir\\"), "");
    EXPECT_EQ(Common::FileNameOf(""), "");
}

TEST(TextNumber, FormatsLikeI64d) {
    EXPECT_EQ(Common::FormatInt64(0), "0");
    EXPECT_EQ(Common::FormatInt64(-1), "-1");
    EXPECT_EQ(Common::FormatInt64(1234567890123), "1234567890123");
    EXPECT_EQ(Common::FormatInt64(std::numeric_limits<std::int64_t>::min()),
              "-9223372036854775808");
    EXPECT_EQ(Common::FormatInt64(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
    EXPECT_EQ(Common::FormatInt64Wide(-42), L"-42");
}

TEST(TextNumber, ParsesLikeAtoiAndSaturates) {
    EXPECT_EQ(ParseInt32(""), 0);
    EXPECT_EQ(ParseInt32("x12"), 0);
    EXPECT_EQ(ParseInt32(" \t\n42abc"), 42);
    EXPECT_EQ(ParseInt32("-17 "), -17);
    EXPECT_EQ(ParseInt32("+8"), 8);
    EXPECT_EQ(ParseInt32("- 8"), 0);
    EXPECT_EQ(ParseInt32("0007"), 7);
    EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ParseInt32("2147483648"), 2147483647);
    EXPECT_EQ(ParseInt32("-2147483649"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ParseInt32("99999999999999999999999999"), 2147483647);
}

}  // namespace
