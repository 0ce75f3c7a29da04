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

}  // namespace
