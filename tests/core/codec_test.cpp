// Both platforms' converters refuse the same texts: what converts to
// Shift-JIS converts back to itself.
#include <gtest/gtest.h>

#include <string>

#include "core/text.h"

namespace tw {
namespace {

TEST(ShiftJisExactness, OneWayAndDroppedCharactersAreRefused) {
    // Converters map these to Shift-JIS one way only: the yen sign to "\"
    // (a path separator), the em dash, wave dash, cent, pound and minus to
    // the look-alikes that read back as other characters.
    for (const char* utf8 : {"C:\xC2\xA5tools", "\xE2\x80\x94", "\xE3\x80\x9C", "\xC2\xA2",
                             "\xC2\xA3", "\xE2\x88\x92", "\xE2\x80\x96", "\xE2\x80\xBE"}) {
        EXPECT_EQ(TryUtf8ToSjis(utf8), std::nullopt) << utf8;
        EXPECT_THROW(Utf8ToSjis(utf8), ConversionError) << utf8;
    }
    // A tag character is not dropped either.
    EXPECT_EQ(TryUtf8ToSjis("a\xF3\xA0\x81\x81"), std::nullopt);
    EXPECT_EQ(TryUtf16LeToSjis(std::string("a\0\x40\xDB\x41\xDC", 6)), std::nullopt);
    EXPECT_EQ(TryUtf16LeToSjis(std::string("\xA5\x00", 2)), std::nullopt);
    // Their own Shift-JIS forms are still what they are.
    EXPECT_EQ(TryUtf8ToSjis("＼～－"), "\x81\x5F\x81\x60\x81\x7C");
    EXPECT_EQ(TrySjisToUtf8("\x81\x5F\x81\x60\x81\x7C"), "＼～－");
}

TEST(ShiftJisExactness, EveryCharacterReadConvertsBack) {
    int read = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
            const std::optional<std::string> utf8 = TrySjisToUtf8(sjis);
            if (!utf8) continue;
            ++read;
            const std::optional<std::string> back = TryUtf8ToSjis(*utf8);
            ASSERT_TRUE(back) << std::hex << lead << trail;
            EXPECT_EQ(TrySjisToUtf8(*back), utf8) << std::hex << lead << trail;
            EXPECT_TRUE(TrySjisToUtf16Le(sjis));
        }
    }
    EXPECT_GT(read, 7000);
    // Single bytes that code page 932 gives no Shift-JIS character.
    for (const char* stray : {"\x80", "\xA0", "\xFD", "\xFE", "\xFF"}) {
        EXPECT_EQ(TrySjisToUtf8(stray), std::nullopt);
        EXPECT_EQ(TrySjisToUtf16Le(stray), std::nullopt);
    }
    EXPECT_EQ(SjisToUtf8ForDisplay("\xA0" + Sjis("表") + "\x80"), "\\xA0表\\x80");
}

}  // namespace
}  // namespace tw
