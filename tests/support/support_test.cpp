// The shared test helpers: a folder that cannot be made fails loudly and takes
// nothing else with it; environment guards put back what was there.
#include "support/env_guard.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>

namespace {

std::optional<std::string> Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::optional<std::string>(v) : std::nullopt;
}

TEST(TempFolder, IsMadeFreshAndRemovedWithItsFiles) {
    std::string path;
    {
        kv::test::TempFolder folder;
        path = folder.path();
        ASSERT_EQ(path.back(), '/');
        folder.Write("a/b.txt", "x");
        EXPECT_EQ(folder.Read("a/b.txt"), "x");
        kv::test::TempFolder other;
        EXPECT_NE(other.path(), path);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(TempFolder, ThatCannotBeMadeThrowsAndLeavesTheOuterFolderAlone) {
    kv::test::TempFolder outer;
    outer.Write("kept.txt", "still here");
    // A plain file where the temporary folder should be: mkdtemp fails.
    kv::test::EnvGuard tmpdir("TMPDIR", outer / "kept.txt");
    EXPECT_THROW(kv::test::TempFolder(), std::runtime_error);
    tmpdir.Set(outer / "missing");
    EXPECT_THROW(kv::test::TempFolder(), std::runtime_error);
    EXPECT_EQ(outer.Read("kept.txt"), "still here");
}

TEST(EnvGuard, PutsBackASetAndAnUnsetVariable) {
    const char* name = "KV_SUPPORT_TEST_VARIABLE";
    ::unsetenv(name);
    {
        kv::test::EnvGuard guard(name, "one");
        EXPECT_EQ(Env(name), "one");
        guard.Set(std::nullopt);
        EXPECT_EQ(Env(name), std::nullopt);
    }
    EXPECT_EQ(Env(name), std::nullopt);
    ::setenv(name, "before", 1);
    {
        kv::test::EnvGuard guard(name, std::nullopt);
        EXPECT_EQ(Env(name), std::nullopt);
    }
    EXPECT_EQ(Env(name), "before");
    ::unsetenv(name);
}

}  // namespace
