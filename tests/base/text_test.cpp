#include "base/text.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(TextDecoding, ValidUtf8StaysAndLosesItsBom) {
    TextEncoding enc{};
    EXPECT_EQ(decodeText("T1,江の島", &enc), "T1,江の島");
    EXPECT_EQ(enc, TextEncoding::Utf8);
    EXPECT_EQ(decodeText("\xEF\xBB\xBFT1,abc"), "T1,abc");
}

TEST(TextDecoding, Cp932IsConvertedAndRoundTrips) {
    // "江の島" in Shift-JIS.
    const std::string sjis = "T1,\x8D\x5D\x82\xCC\x93\x87";
    TextEncoding enc{};
    EXPECT_EQ(decodeText(sjis, &enc), "T1,江の島");
    EXPECT_EQ(enc, TextEncoding::Cp932);
    EXPECT_EQ(encodeText("T1,江の島", TextEncoding::Cp932), sjis);
}

TEST(TextDecoding, UndecodableBytesBecomeReplacementNotTruncation) {
    // A lone lead byte at the end cannot be CP932 text; what follows must survive.
    const std::string text = decodeText(std::string("ab\x81", 3) + "");
    EXPECT_EQ(text.substr(0, 2), "ab");
    EXPECT_NE(text.find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(TextDecoding, RejectsOverlongAndSurrogateUtf8) {
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));
    EXPECT_FALSE(isValidUtf8("\xE3\x81"));
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x8C\x8A"));
}

TEST(Lines, CrLfAndLfAndMissingFinalLineEnd) {
    const auto lines = splitLines("a\r\nb\nc");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "c");
    EXPECT_EQ(splitLines("a\r\n").size(), 1u);
    EXPECT_EQ(splitLines("a\n\nb").size(), 3u);
    EXPECT_TRUE(splitLines("").empty());
}

TEST(Lines, TrimRemovesBlanksAndControlCharacters) {
    EXPECT_EQ(trimBlanks(" \t\x01 BN,a \x1a"), "BN,a");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(utf8Length("江の島"), 3u);
}

}  // namespace
}  // namespace korvane
