// The settings-file parser on files as other editors and encodings leave them.
#include <gtest/gtest.h>

#include <string>

#include "core/inifile.h"
#include "core/text.h"

namespace tw {
namespace {

std::string Utf16(const std::string& utf8) {
    return "\xFF\xFE" + *TrySjisToUtf16Le(Sjis(utf8));
}

TEST(IniLineEnds, ACarriageReturnAloneEndsALineAndIsWrittenBack) {
    IniDocument doc("[Window]\rSize=25\r\r[Group1]\rItem11=a\r\nItem12=b\nItem13=c");
    EXPECT_EQ(doc.Get("Window", "Size"), "25");
    EXPECT_EQ(doc.Get("Group1", "Item11"), "a");
    EXPECT_EQ(doc.Get("Group1", "Item12"), "b");
    EXPECT_EQ(doc.Get("Group1", "Item13"), "c");
    ASSERT_TRUE(doc.Set("Window", "Size", "30"));
    ASSERT_TRUE(doc.Set("Window", "Color", "1"));
    ASSERT_TRUE(doc.Set("Group1", "Item14", "d"));
    ASSERT_TRUE(doc.Set("Data", "File", "x"));
    EXPECT_EQ(doc.Serialize(),
              "[Window]\rSize=30\rColor=1\r\r[Group1]\rItem11=a\r\nItem12=b\nItem13=c\r"
              "Item14=d\r[Data]\rFile=x\r");
}

TEST(IniLineEnds, Utf16FilesAreReadAndWrittenInTheirOwnEncoding) {
    // "😀" has no Shift-JIS form: its lines are plain text and stay as they are.
    const std::string original = Utf16(
        "[表示]\r\n"
        "名前 = ゾーン\r\n"
        "[Window]\r\n"
        "Size=25\r\n"
        "Note=\r\n");
    const std::string emoji = "\x3D\xD8\x00\xDE";  // U+1F600 in UTF-16 LE
    const std::string bytes = original + emoji + std::string("=\0" "1\0\r\0\n\0x\0=\0", 12) + emoji;
    IniDocument doc(bytes);
    EXPECT_EQ(doc.Get(Sjis("表示"), Sjis("名前")), Sjis("ゾーン"));
    EXPECT_EQ(doc.Get("Window", "Size"), "25");
    EXPECT_EQ(doc.Get("Window", "x"), std::nullopt);
    EXPECT_EQ(doc.Serialize(), bytes);

    ASSERT_TRUE(doc.Set("Window", "Size", "30"));
    ASSERT_TRUE(doc.Set("Window", "Blend", Sjis("半分")));
    ASSERT_TRUE(doc.Set("Data", "File", "f"));
    EXPECT_FALSE(doc.Set("Window", "Bad", "\x81"));  // not Shift-JIS: nothing to write
    const std::string expected =
        Utf16("[表示]\r\n名前 = ゾーン\r\n[Window]\r\nSize=30\r\n") + Utf16("Note=\r\n").substr(2) +
        emoji + std::string("=\0" "1\0\r\0\n\0x\0=\0", 12) + emoji +
        Utf16("\r\nBlend=半分\r\n[Data]\r\nFile=f\r\n").substr(2);
    EXPECT_EQ(doc.Serialize(), expected);
    EXPECT_EQ(IniDocument(doc.Serialize()).Get("Window", "Blend"), Sjis("半分"));
}

TEST(IniHeaders, TheNameEndsAtTheFirstBracketCharacter) {
    const std::string zo = Sjis("ゾ");
    ASSERT_EQ(zo[1], ']');
    IniDocument doc(
        "[Window] " + zo + "\r\nSize=25\r\n"
        "[Group1]]\r\nItem11=a\r\n"
        "[Group2] ; old [x]\r\nItem21=b\r\n"
        "[Group3\r\nItem31=c\r\n"
        "[" + zo + "\r\nItem31=d\r\n");
    EXPECT_EQ(doc.Get("Window", "Size"), "25");
    EXPECT_EQ(doc.Get("Group1", "Item11"), "a");
    EXPECT_EQ(doc.Get("Group2", "Item21"), "b");
    EXPECT_EQ(doc.Get("Group3", "Item31"), "c");  // the keys of [ゾ are not Group3's
    EXPECT_EQ(doc.Get(zo, "Item31"), "d");
    const std::string before = doc.Serialize();
    ASSERT_TRUE(doc.Set("Window", "Size", "30"));
    ASSERT_TRUE(doc.Set("Group3", "Item31", "e"));
    std::string after = before;
    after.replace(after.find("Size=25"), 7, "Size=30");
    after.replace(after.find("Item31=c"), 8, "Item31=e");
    EXPECT_EQ(doc.Serialize(), after);

    // A section named ゾ can be written, and one whose name would end early cannot.
    IniDocument fresh;
    ASSERT_TRUE(fresh.Set(zo, "k", "v"));
    EXPECT_EQ(fresh.Serialize(), "[" + zo + "]\r\nk=v\r\n");
    EXPECT_EQ(IniDocument(fresh.Serialize()).Get(zo, "k"), "v");
    EXPECT_FALSE(fresh.Set("a\x81", "k", "v"));  // "]" would be taken as a trail byte
    EXPECT_FALSE(fresh.Set("A", "[k", "v"));     // would be read as a header
    EXPECT_FALSE(fresh.Set("A", ";k", "v"));     // would be read as a comment
    EXPECT_FALSE(fresh.Set("A", "  ", "v"));
}

TEST(IniIndex, ManySectionsAndKeysEditsAndDuplicates) {
    std::string text;
    for (int s = 0; s < 300; ++s) {
        text += "[S" + std::to_string(s) + "]\n";
        for (int k = 0; k < 30; ++k) text += "k" + std::to_string(k) + "=" + std::to_string(s * 100 + k) + "\n";
        text += "\n";
    }
    text += "[s7]\nk1=late\nextra=1\n";
    IniDocument doc(text);
    for (int s = 0; s < 300; s += 7)
        for (int k = 0; k < 30; k += 3)
            ASSERT_EQ(doc.Get("s" + std::to_string(s), "K" + std::to_string(k)),
                      std::to_string(s * 100 + k));
    EXPECT_EQ(doc.Get("S7", "extra"), std::nullopt);  // only the first [S7] counts
    EXPECT_EQ(doc.Get("S7", "k30"), std::nullopt);

    // Edits are seen before the file is written, and a key set twice is one line.
    ASSERT_TRUE(doc.Set("S7", "k1", "new"));
    ASSERT_TRUE(doc.Set("S7", "k30", "a"));
    ASSERT_TRUE(doc.Set("s7", "K30", "b"));
    ASSERT_TRUE(doc.Set("New", "x", "1"));
    ASSERT_TRUE(doc.Set("NEW", "x", " \"2\" "));
    EXPECT_EQ(doc.Get("S7", "k1"), "new");
    EXPECT_EQ(doc.Get("S7", "k30"), "b");
    EXPECT_EQ(doc.Get("new", "X"), "2");
    const std::string out = doc.Serialize();
    std::string expected = text;
    const std::size_t s7 = expected.find("[S7]\n");
    expected.replace(expected.find("k1=701\n", s7), 7, "k1=new\n");
    expected.insert(expected.find("k29=729\n", s7) + 8, "k30=b\n");
    expected += "[New]\nx= \"2\" \n";
    EXPECT_EQ(out, expected);
}

}  // namespace
}  // namespace tw
