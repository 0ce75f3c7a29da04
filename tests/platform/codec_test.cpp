#include "platform/codec.h"

#include <gtest/gtest.h>

using namespace kv::platform;

namespace {

struct RoundTrip {
    const char* utf8;
    const char* gbk;
};

TEST(Codec, ChineseTextRoundTripsThroughGbk) {
    const RoundTrip cases[] = {
        {"", ""},
        {"KV_MKQ_V30", "KV_MKQ_V30"},
        {"地下室顶板", "\xB5\xD8\xCF\xC2\xCA\xD2\xB6\xA5\xB0\xE5"},
        {"混凝土C30,HRB400", "\xBB\xEC\xC4\xFD\xCD\xC1" "C30,HRB400"},
        {"€", "\x80"},  // code page 936 keeps the euro sign in one byte
        // its first user-defined area, as Windows maps it to the private use area
        {"*10^2\uE012mm^2", "*10^2\xAA\xB3mm^2"},
        {"\uE000\uE233", "\xAA\xA1\xAF\xFE"},
    };
    for (const auto& c : cases) {
        std::string gbk, back;
        ASSERT_TRUE(Utf8ToGbk(c.utf8, gbk)) << c.utf8;
        EXPECT_EQ(gbk, c.gbk) << c.utf8;
        ASSERT_TRUE(GbkToUtf8(gbk, back)) << c.utf8;
        EXPECT_EQ(back, c.utf8);
    }
}

TEST(Codec, InvalidGbkBytesAreReportedWithTheirOffset) {
    struct Case {
        std::string gbk;
        std::size_t offset;
    };
    const Case cases[] = {
        {"ab\xFF", 2},              // 0xFF is never a GBK byte
        {"\xB5\xD8\x81", 2},        // a lead byte with no trail at the end
        {"x\x81\x20y", 1},          // a lead byte followed by a byte that cannot trail
    };
    for (const auto& c : cases) {
        std::string out;
        std::size_t bad = 99;
        EXPECT_FALSE(GbkToUtf8(c.gbk, out, &bad));
        EXPECT_EQ(bad, c.offset);
    }
}

TEST(Codec, LossyDecodingMarksEveryBadByteInsteadOfDroppingIt) {
    std::size_t replaced = 0;
    std::string text = GbkToUtf8Lossy("a\xFF" "b\xFF", &replaced);
    EXPECT_EQ(text, "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    EXPECT_EQ(replaced, 2u);
}

TEST(Codec, TextThatGbkCannotHoldIsReportedOnWriting) {
    std::string out;
    std::size_t bad = 0;
    EXPECT_FALSE(Utf8ToGbk("ok\xF0\x9F\x98\x80", out, &bad));  // an emoji
    EXPECT_EQ(bad, 2u);
    EXPECT_FALSE(Utf8ToGbk("\xC3", out));  // a cut UTF-8 sequence
    std::size_t replaced = 0;
    EXPECT_EQ(Utf8ToGbkLossy("a\xF0\x9F\x98\x80" "b", &replaced), "a?b");
    EXPECT_EQ(replaced, 1u);
}

TEST(Codec, FieldsAreCutOnWholeCharactersByTheirGbkLength) {
    EXPECT_EQ(GbkLength("地下室A"), 7u);
    EXPECT_EQ(CutToGbkBytes("地下室A", 7), "地下室A");
    EXPECT_EQ(CutToGbkBytes("地下室A", 5), "地下");  // never half a character
    EXPECT_EQ(CutToGbkBytes("地下室A", 1), "");
    EXPECT_EQ(CutToUtf8Bytes("地下", 4), "地");
    EXPECT_EQ(CutToUtf8Bytes("地下", 6), "地下");
}

TEST(Codec, GbkBytesAreCutAndWaitedForOnWholeCharacters) {
    // 地 = B5 D8, 下 = CF C2.
    EXPECT_EQ(CutGbk("a\xB5\xD8\xCF\xC2", 5), "a\xB5\xD8\xCF\xC2");
    EXPECT_EQ(CutGbk("a\xB5\xD8\xCF\xC2", 4), "a\xB5\xD8");  // never a lead byte alone
    EXPECT_EQ(CutGbk("a\xB5\xD8\xCF\xC2", 3), "a\xB5\xD8");
    EXPECT_EQ(CutGbk("\xB5\xD8", 1), "");
    // A trail byte that looks like a lead byte still belongs to its pair.
    EXPECT_EQ(CompleteGbkPrefix("\xB5\xB5\xD8"), 2u);
    EXPECT_EQ(CompleteGbkPrefix("\xB5\xB5"), 2u);
    EXPECT_EQ(CompleteGbkPrefix("ab"), 2u);
    EXPECT_EQ(CompleteUtf8Prefix("a\xE5\x9C"), 1u);  // 地 = E5 9C B0, cut
    EXPECT_EQ(CompleteUtf8Prefix("a\xE5\x9C\xB0"), 4u);
}

TEST(Codec, Utf8DecodesAndEncodesCodePoints) {
    struct Case {
        const char* utf8;
        char32_t cp;
    };
    const Case cases[] = {{"A", U'A'}, {"\xC2\xB2", U'\u00B2'}, {"地", U'地'}, {"\xF0\x9F\x98\x80", U'\U0001F600'}};
    for (const Case& c : cases) {
        std::size_t len = 0;
        EXPECT_EQ(DecodeUtf8At(c.utf8, 0, len), c.cp) << c.utf8;
        EXPECT_EQ(len, std::char_traits<char>::length(c.utf8)) << c.utf8;
        std::string back;
        AppendUtf8(back, c.cp);
        EXPECT_EQ(back, c.utf8);
    }
    // A stray byte or a sequence cut by the end is one replacement character.
    std::size_t len = 0;
    EXPECT_EQ(DecodeUtf8At("\x9C", 0, len), U'\uFFFD');
    EXPECT_EQ(len, 1u);
    EXPECT_EQ(DecodeUtf8At("x\xE5\x9C", 1, len), U'\uFFFD');
    EXPECT_EQ(len, 1u);
}

}  // namespace
