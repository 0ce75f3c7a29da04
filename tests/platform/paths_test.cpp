#include "platform/paths.h"

#include "support/env_guard.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace kv::platform;

TEST(Paths, ExistingFilesAreFoundWhateverTheCaseOfTheirNames) {
    kv::test::TempFolder dir;
    dir.Write("&KV_0001.DAT", "x");
    dir.Write("Sub/Kavlund.PRJ", "y");
    struct Case {
        std::string asked, found;
    };
    const Case cases[] = {
        {"&KV_0001.DAT", "&KV_0001.DAT"},
        {"&KV_0001.dat", "&KV_0001.DAT"},
        {"&kv_0001.Dat", "&KV_0001.DAT"},
        {"sub/kavlund.prj", "Sub/Kavlund.PRJ"},
        {"SUB\\KAVLUND.PRJ", "Sub/Kavlund.PRJ"},  // a Windows path stored in a file
        {"&KV_0002.DAT", ""},
    };
    for (const auto& c : cases) {
        std::string expected = c.found.empty() ? "" : dir / c.found;
        EXPECT_EQ(ResolveExisting(dir / c.asked), expected) << c.asked;
    }
}

TEST(Paths, ANewFileReplacesTheExistingOneOfAnyCase) {
    kv::test::TempFolder dir;
    dir.Write("&KV_0001.DAT", "x");
    EXPECT_EQ(ResolveForWrite(dir / "&KV_0001.dat"), dir / "&KV_0001.DAT");
    EXPECT_EQ(ResolveForWrite(dir / "new.rtf"), dir / "new.rtf");
}

TEST(Paths, BareNamesAreTakenFromTheCurrentFolder) {
    kv::test::TempFolder dir;
    dir.Write("Message.Box", "m");
    dir.MakeCurrent();
    EXPECT_TRUE(FileExists("message.box"));
    EXPECT_EQ(CurrentFolder(), dir.path());
}

TEST(Paths, FoldersKeepOneTrailingSlash) {
    EXPECT_EQ(WithTrailingSlash("/a/b"), "/a/b/");
    EXPECT_EQ(WithTrailingSlash("/a/b//"), "/a/b/");
    EXPECT_EQ(WithTrailingSlash("C:\\work\\"), "C:/work/");
    EXPECT_EQ(JoinPath("/a/b/", "x.dat"), "/a/b/x.dat");
    EXPECT_EQ(JoinPath("/a/b", "x.dat"), "/a/b/x.dat");
    EXPECT_EQ(FolderOf("/a/b/x.dat"), "/a/b/");
    EXPECT_EQ(NameOf("/a/b/x.dat"), "x.dat");
    EXPECT_EQ(FolderOf("x.dat"), "");
}

TEST(Paths, ConfigFolderFollowsXdgConfigHome) {
    kv::test::TempFolder dir;
    kv::test::EnvGuard config("XDG_CONFIG_HOME", dir.path());
    EXPECT_EQ(ConfigFolder(), dir / "kv/");
    EXPECT_TRUE(DirectoryExists(dir / "kv"));
}

TEST(Paths, MissingFoldersAreCreated) {
    kv::test::TempFolder dir;
    EXPECT_TRUE(MakeDirectories(dir / "a/b/c"));
    EXPECT_TRUE(DirectoryExists(dir / "A/B/C"));
}
