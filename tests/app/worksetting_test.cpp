#include "app/worksetting.h"
#include "platform/profile.h"
#include "support/env_guard.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(WorkSetting, EachSettingHasItsIniFileAndTitleSuffix) {
    struct Case {
        int workSet;
        const char *ini, *suffix;
    };
    const Case cases[] = {{0, "KV.INI", ""},
                          {1, "KV_DJ.INI", " [单建式]"},
                          {2, "KV_CC.INI", " [成层式]"},
                          {3, "KV_KD.INI", " [坑地道]"},
                          {4, "KV.INI", ""},
                          {-1, "KV.INI", ""}};
    for (const Case& c : cases) {
        EXPECT_STREQ(kv::app::WorkSetIniName(c.workSet), c.ini) << c.workSet;
        EXPECT_EQ(kv::app::WorkSetTitleSuffix(c.workSet), c.suffix) << c.workSet;
    }
}

// Whether `s` is whole UTF-8 characters.
bool ValidUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}

TEST(WorkSetting, TheStoredFolderIsReadIntoABufferOf1024Characters) {
    kv::test::TempFolder config;
    kv::test::EnvGuard configHome("XDG_CONFIG_HOME", config.path());
    struct Case {
        std::string stored;
        std::size_t expectedSize;
    };
    std::string chinese;
    for (int i = 0; i < 400; ++i) chinese += "人";  // three bytes each here, two on disk
    const Case cases[] = {
        {"/projects/人防/", std::string("/projects/人防/").size()},
        {"/" + std::string(1100, 'a'), 1023},
        // Cut at a whole character, never inside one.
        {"/" + chinese, 1 + 340 * 3},
        {"/aa" + chinese, 3 + 340 * 3},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(kv::app::WriteWorkPath(2, c.stored));
        std::string read = kv::app::ReadWorkPath(2);
        EXPECT_EQ(read.size(), c.expectedSize);
        EXPECT_TRUE(ValidUtf8(read));
        EXPECT_EQ(read, c.stored.substr(0, read.size()));
    }
}

}  // namespace
