#include <gtest/gtest.h>

#include "core/text.h"

namespace tw {
namespace {

TEST(PathParts, PosixSeparators) {
    EXPECT_EQ(ExtractFilePath("/usr/bin/xterm", kPosixSeparators), "/usr/bin/");
    EXPECT_EQ(ExtractFileName("/usr/bin/xterm", kPosixSeparators), "xterm");
    EXPECT_EQ(ExtractFilePath("xterm", kPosixSeparators), "");
    EXPECT_EQ(ExtractFileName("xterm", kPosixSeparators), "xterm");
    // A backslash or a colon is an ordinary character here.
    EXPECT_EQ(ExtractFilePath("C:\\Tools\\a.txt", kPosixSeparators), "");
    EXPECT_EQ(ExtractFileName("a:b", kPosixSeparators), "a:b");
    EXPECT_TRUE(EndsWithSeparator("/home/", kPosixSeparators));
    EXPECT_FALSE(EndsWithSeparator("/home", kPosixSeparators));
    EXPECT_FALSE(EndsWithSeparator("", kPosixSeparators));
}

TEST(PathParts, WindowsSeparatorsInShiftJis) {
    const std::string hyo = Sjis("表"), so = Sjis("ソ"), nou = Sjis("能");
    ASSERT_EQ(hyo[1], '\\');
    ASSERT_EQ(so[1], '\\');
    ASSERT_EQ(nou[1], '\\');
    const std::string path = "C:\\" + hyo + "\\" + so + nou;
    EXPECT_EQ(ExtractFilePath(path, kWindowsSeparators), "C:\\" + hyo + "\\");
    EXPECT_EQ(ExtractFileName(path, kWindowsSeparators), so + nou);
    EXPECT_FALSE(EndsWithSeparator("C:\\" + hyo, kWindowsSeparators));
    EXPECT_TRUE(EndsWithSeparator("C:\\", kWindowsSeparators));
    // A colon alone ends the directory part of a drive-relative path.
    EXPECT_EQ(ExtractFilePath("D:tool.exe", kWindowsSeparators), "D:");
    EXPECT_EQ(ExtractFileName("D:tool.exe", kWindowsSeparators), "tool.exe");
    // A lead byte at the very end is a byte of its own.
    EXPECT_EQ(ExtractFilePath("a\\\x81", kWindowsSeparators), "a\\");
}

TEST(WholeNumber, DecimalAndHexadecimalFormsAndNothingElse) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},           {"25", 25},          {"   25", 25},       {"-7", -7},
        {"+7", 7},          {"007", 7},          {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},              {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},           {"99999999999999999999", std::nullopt},
        {"0x20", 32},       {"0X20", 32},        {"$20", 32},         {"x20", 32},
        {"X20", 32},        {"$ff", 255},        {"$FFFFFFFF", -1},   {"$7fffffff", INT32_MAX},
        {"$100000000", std::nullopt},            {"$", std::nullopt}, {"0x", std::nullopt},
        {"-$10", std::nullopt},                  {"25px", std::nullopt},
        {"25 ", std::nullopt},                   {"", std::nullopt},  {"   ", std::nullopt},
        {"-", std::nullopt},                     {"true", std::nullopt},
        {"\t5", std::nullopt},                   {"1.5", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(TryStrToInt(c.text), c.value) << "'" << c.text << "'";
}

TEST(ShiftJis, RoundTripAndRefusals) {
    const std::string utf8 = "設定ファイル：ﾍﾙﾌﾟ ～";
    const std::string sjis = Utf8ToSjis(utf8);
    EXPECT_NE(sjis, utf8);
    EXPECT_EQ(SjisToUtf8(sjis), utf8);
    // Half-width katakana is one byte each.
    EXPECT_EQ(Sjis("ﾍﾙﾌﾟ").size(), 4u);
    // Characters without a Shift-JIS form are refused, not replaced.
    EXPECT_FALSE(TryUtf8ToSjis("emoji \xF0\x9F\x98\x80"));
    EXPECT_THROW(Utf8ToSjis("\xF0\x9F\x98\x80"), ConversionError);
    // A lone lead byte is not Shift-JIS text.
    EXPECT_FALSE(TrySjisToUtf8("abc\x81"));
    EXPECT_EQ(SjisToUtf8ForDisplay("ab\x81"), "ab\\x81");
    EXPECT_EQ(SjisToUtf8ForDisplay("a\xFF" "b" + Sjis("表")), "a\\xFFb表");
}

TEST(ShiftJis, CaseInsensitiveNamesLeaveTrailBytesAlone) {
    EXPECT_TRUE(SameTextSjis("Window", "wINDOW"));
    EXPECT_FALSE(SameTextSjis("Window", "Windows"));
    // "ア" is 83 41 and "ヂ" is 83 61: only the case of a trail byte differs.
    const std::string a = Sjis("ア"), ya = Sjis("ヂ");
    ASSERT_EQ(a[1], 'A');
    ASSERT_EQ(ya[1], 'a');
    EXPECT_FALSE(SameTextSjis(a, ya));
    EXPECT_TRUE(SameTextSjis("Item" + a, "ITEM" + a));
}

TEST(ShiftJis, Utf16AndTheFirstCharacterFound) {
    const std::string units("a\0\xBE\x30", 4);  // "aゾ": ゾ is U+30BE, 83 5D in Shift-JIS
    EXPECT_EQ(TrySjisToUtf16Le(Sjis("aゾ")), units);
    EXPECT_EQ(TryUtf16LeToSjis(units), Sjis("aゾ"));
    EXPECT_FALSE(TryUtf16LeToSjis("\x3D\xD8\x00\xDE"));  // U+1F600 has no Shift-JIS form
    EXPECT_FALSE(TryUtf16LeToSjis("a"));                   // half a code unit
    EXPECT_FALSE(TrySjisToUtf16Le("\x81"));
    EXPECT_EQ(FindSjisChar(Sjis("ゾ]"), ']'), 2u);
    EXPECT_EQ(FindSjisChar(Sjis("ゾ"), ']'), std::string_view::npos);
}

}  // namespace
}  // namespace tw
