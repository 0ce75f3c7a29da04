#include "base/error.h"

#include <gtest/gtest.h>

namespace {

class ErrorChannel : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        kv::err::ClearRecentLines();
    }
    void TearDown() override { JS_ERROR_CODE = 0; }
};

TEST_F(ErrorChannel, OnlyDataErrorsAndFailuresStopARun) {
    struct Case {
        int code;
        bool stops;
    };
    const Case cases[] = {{-1111, false}, {-9999, false}, {-2, false}, {0, false},  {1, false},
                          {10, false},    {101, false},   {205, false}, {210, false}, {201, true},
                          {301, true},    {310, true},    {399, true}};
    for (const auto& c : cases) {
        JS_ERROR_CODE = 0;
        tell_error(c.code, "text");
        EXPECT_EQ(JS_ERROR_CODE != 0, c.stops) << c.code;
        if (c.stops) {
            EXPECT_EQ(JS_ERROR_CODE, c.code);
        }
    }
}

TEST_F(ErrorChannel, ANoticeDoesNotClearAnEarlierError) {
    tell_error(201, "数据错误");
    tell_error(0, "notice");
    tell_error(101, "warning");
    EXPECT_EQ(JS_ERROR_CODE, 201);
}

TEST_F(ErrorChannel, FormattedLinesReachTheInstalledSink) {
    std::vector<kv::err::Line> got;
    auto old = kv::err::SetSink([&](int code, const std::string& text) { got.push_back({code, text}); });
    tell_error1(1, "%d点拉应力>4ftd, 砼强度不满足!!", 3);
    tell_error1(301, "%s", "生成对象错");
    kv::err::SetSink(std::move(old));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].code, 1);
    EXPECT_EQ(got[0].text, "3点拉应力>4ftd, 砼强度不满足!!");
    EXPECT_EQ(JS_ERROR_CODE, 301);
}

TEST_F(ErrorChannel, ClearingTheWindowDropsTheKeptLines) {
    tell_error(0, "a");
    tell_error(-1111, "");
    tell_error(0, "b");
    ASSERT_EQ(kv::err::RecentLines().size(), 2u);
    EXPECT_EQ(kv::err::RecentLines().back().text, "b");
}

}  // namespace
