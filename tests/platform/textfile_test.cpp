#include "platform/textfile.h"

#include "platform/codec.h"

#include "support/temp_folder.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <filesystem>
#include <memory>
#include <vector>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kv::platform;

namespace {

std::string ReadAll(std::FILE* f) {
    std::string out;
    char buf[100];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    return out;
}

TEST(TextFile, TextIsGbkOnDiskAndUtf8InTheProgram) {
    kv::test::TempFolder dir;
    std::FILE* f = OpenFile(dir / "a.dat", "wt");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "%s\n%d,%f\n", "地下室顶板", 3, 1.5);
    ASSERT_EQ(CommitFile(f), 0);
    EXPECT_EQ(dir.Read("a.dat"), "\xB5\xD8\xCF\xC2\xCA\xD2\xB6\xA5\xB0\xE5\n3,1.500000\n");

    f = OpenFile(dir / "a.dat", "rt");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ReadAll(f), "地下室顶板\n3,1.500000\n");
    std::fclose(f);
}

TEST(TextFile, WindowsLineEndsReadLikeLinuxOnes) {
    kv::test::TempFolder dir;
    dir.Write("crlf.dat", "KV_MKQ_V30\r\n\xB5\xD8\r\n1,2\r\n");
    dir.Write("lf.dat", "KV_MKQ_V30\n\xB5\xD8\n1,2\n");
    std::FILE* a = OpenFile(dir / "crlf.dat", "r");
    std::FILE* b = OpenFile(dir / "lf.dat", "r");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(ReadAll(a), ReadAll(b));
    std::fclose(a);
    std::fclose(b);
}

TEST(TextFile, CharactersSplitAcrossReadBuffersComeThroughWhole) {
    kv::test::TempFolder dir;
    // An odd number of ASCII bytes first, so GBK pairs straddle every 8 KiB read,
    // and a CR LF pair at a buffer edge too.
    std::string gbk = "x";
    std::string utf8 = "x";
    for (int i = 0; i < 9000; ++i) {
        gbk += "\xB5\xD8";
        utf8 += "地";
        if (i % 1000 == 0) {
            gbk += "\r\n";
            utf8 += "\n";
        }
    }
    dir.Write("long.txt", gbk);
    std::FILE* f = OpenFile(dir / "long.txt", "rt");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ReadAll(f), utf8);
    std::fclose(f);
}

TEST(TextFile, BadBytesDecodeAlikeThroughStreamsAndWholeReads) {
    kv::test::TempFolder dir;
    const std::string mark = "\xEF\xBF\xBD";
    struct Case { std::string gbk, utf8; } cases[] = {
        // a bad byte is marked alone: the good character after it stays
        {"\xF9\xB2\xD4", mark + "苍"},
        {"\xFF\xB2\xD4\xB5\xD8", mark + "苍地"},
        {"\xFF" "a\r\n", mark + "a\n"},
        {"\xB2\xD4\xF9\r\n\xF9", "苍" + mark + "\n" + mark},
        // a lead byte cut by the end of the file
        {"\xB5\xD8\xB5", "地" + mark},
    };
    for (const auto& c : cases) {
        if (c.gbk.find('\r') == std::string::npos) EXPECT_EQ(GbkToUtf8Lossy(c.gbk), c.utf8);
        // the same bytes at the start, and straddling the stream's read buffers
        for (std::size_t pad : {0, 8190, 8191, 8192}) {
            const std::string padding(pad, 'x');
            dir.Write("t.txt", padding + c.gbk);
            std::string whole;
            ASSERT_TRUE(ReadTextFile(dir / "t.txt", whole));
            EXPECT_EQ(whole, padding + c.utf8) << "whole file, " << pad;
            std::FILE* f = OpenFile(dir / "t.txt", "rt");
            ASSERT_NE(f, nullptr);
            EXPECT_EQ(ReadAll(f), padding + c.utf8) << "stream, " << pad;
            std::fclose(f);
        }
    }
}

TEST(TextFile, RewindAndTellCountTheTextTheProgramSees) {
    kv::test::TempFolder dir;
    dir.Write("t.txt", "\xB5\xD8\r\nab\r\n");
    std::FILE* f = OpenFile(dir / "t.txt", "rt");
    ASSERT_NE(f, nullptr);
    char line[32];
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "地\n");
    EXPECT_EQ(std::ftell(f), 4);
    std::rewind(f);
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "地\n");
    std::fclose(f);
}

TEST(TextFile, AFileIsReplacedOnlyWhenItsNewContentIsComplete) {
    kv::test::TempFolder dir;
    dir.Write("&KV_0001.DAT", "old\n");
    std::FILE* f = OpenFile(dir / "&KV_0001.dat", "wt");
    ASSERT_NE(f, nullptr);
    std::fputs("new\n", f);
    std::fflush(f);
    // While the file is being written the user's file is untouched.
    EXPECT_EQ(dir.Read("&KV_0001.DAT"), "old\n");
    ASSERT_EQ(CommitFile(f), 0);
    // Written under the existing name's spelling; no second file, no temporary left.
    EXPECT_EQ(dir.List(), "&KV_0001.DAT");
    EXPECT_EQ(dir.Read("&KV_0001.DAT"), "new\n");
}

TEST(TextFile, BinaryModesPassBytesThrough) {
    kv::test::TempFolder dir;
    std::string bytes("\xB5\r\n\x00\xFF", 5);
    ASSERT_TRUE(WriteFileAtomically(dir / "b.bin", bytes));
    std::FILE* f = OpenFile(dir / "B.BIN", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ReadAll(f), bytes);
    std::fclose(f);
}

TEST(TextFile, AppendingAddsToTheEnd) {
    kv::test::TempFolder dir;
    dir.Write("log.txt", "a\n");
    std::FILE* f = OpenFile(dir / "log.txt", "at");
    ASSERT_NE(f, nullptr);
    std::fputs("地\n", f);
    std::fclose(f);
    EXPECT_EQ(dir.Read("log.txt"), "a\n\xB5\xD8\n");
}

TEST(TextFile, MissingFilesAndFoldersGiveNoStream) {
    kv::test::TempFolder dir;
    EXPECT_EQ(OpenFile(dir / "none.dat", "rt"), nullptr);
    EXPECT_EQ(OpenFile(dir / "no/such/folder/x.dat", "wt"), nullptr);
    EXPECT_EQ(OpenFile(dir / "x.dat", "q"), nullptr);
    EXPECT_EQ(dir.List(), "");
}

TEST(TextFile, WholeTextFilesConvertBothWays) {
    kv::test::TempFolder dir;
    ASSERT_TRUE(WriteTextFile(dir / "t.txt", "工程名称\n"));
    EXPECT_EQ(dir.Read("t.txt"), "\xB9\xA4\xB3\xCC\xC3\xFB\xB3\xC6\n");
    dir.Write("w.txt", "\xB9\xA4\r\n\xFF");
    std::string text;
    std::size_t replaced = 0;
    ASSERT_TRUE(ReadTextFile(dir / "w.txt", text, &replaced));
    EXPECT_EQ(text, "工\n\xEF\xBF\xBD");
    EXPECT_EQ(replaced, 1u);
}

TEST(TextFile, WholeFileReadsTakeRegularFilesWithinTheLimitOnly) {
    kv::test::TempFolder dir;
    // A name where a data file is expected may be a device that never ends, a
    // pipe nobody writes to, or a file too big to hold: each is refused at once.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    dir.Write("folder/x", "x");
    {
        std::FILE* big = std::fopen((dir / "big.dat").c_str(), "wb");
        ASSERT_NE(big, nullptr);
        ASSERT_EQ(::ftruncate(::fileno(big), static_cast<off_t>(kWholeFileMaxBytes) + 1), 0);  // sparse
        std::fclose(big);
    }
    for (std::string path : {std::string("/dev/zero"), dir / "pipe", dir / "folder", dir / "big.dat"}) {
        std::string bytes = "old";
        EXPECT_FALSE(ReadFileBytes(path, bytes)) << path;
        EXPECT_EQ(bytes, "") << path;
        std::string text;
        EXPECT_FALSE(ReadTextFile(path, text)) << path;
    }
    errno = 0;
    std::string bytes;
    EXPECT_FALSE(ReadFileBytes(dir / "big.dat", bytes));
    EXPECT_EQ(errno, EFBIG);

    // A caller may hold its files to less; the limit itself is still read.
    dir.Write("four", "abcd");
    dir.Write("five", "abcde");
    EXPECT_TRUE(ReadFileBytes(dir / "four", bytes, 4));
    EXPECT_EQ(bytes, "abcd");
    EXPECT_FALSE(ReadFileBytes(dir / "five", bytes, 4));
}

TEST(TextFile, AWriterCanGoBackAndPatchWhatItWrote) {
    // A count line written as a placeholder first and rewritten once the count is
    // known, in text and in binary files; the text also holds GBK characters.
    struct Case {
        const char* mode;
        const char* expected;
    };
    const Case cases[] = {
        {"wt", "00000002\n\xB5\xD8,1\n\xB5\xD8,2\n"},
        {"wb", "00000002\n地,1\n地,2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        kv::test::TempFolder dir;
        std::FILE* f = OpenFile(dir / "YS.FB", c.mode);
        ASSERT_NE(f, nullptr);
        std::fprintf(f, "%08d\n", 0);
        long afterCount = std::ftell(f);
        EXPECT_EQ(afterCount, 9);
        std::fprintf(f, "地,1\n地,2\n");
        EXPECT_EQ(std::ftell(f), 9 + 2 * 6);
        ASSERT_EQ(std::fseek(f, 0, SEEK_SET), 0);
        std::fprintf(f, "%08d\n", 2);
        EXPECT_EQ(std::ftell(f), afterCount);
        ASSERT_EQ(CommitFile(f), 0);
        EXPECT_EQ(dir.Read("YS.FB"), c.expected);
    }
}

TEST(TextFile, AnUpdateTextStreamIsGbkOnDiskAndReadsBackWhatWasWritten) {
    kv::test::TempFolder dir;
    std::FILE* f = OpenFile(dir / "log.txt", "w+");
    ASSERT_NE(f, nullptr);
    std::fputs("迭代次数 = 3\n", f);
    std::rewind(f);
    char line[64];
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "迭代次数 = 3\n");
    ASSERT_EQ(CommitFile(f), 0);
    std::string expected;
    ASSERT_TRUE(kv::platform::Utf8ToGbk("迭代次数 = 3\n", expected));
    EXPECT_EQ(dir.Read("log.txt"), expected);
}

TEST(TextFile, ReadingGoesBackToARememberedPlace) {
    kv::test::TempFolder dir;
    std::string gbk, utf8;
    for (int i = 0; i < 3000; ++i) {
        gbk += "\xB5\xD8" + std::to_string(i) + "\r\n";
        utf8 += "地" + std::to_string(i) + "\n";
    }
    dir.Write("big.txt", gbk);
    std::FILE* f = OpenFile(dir / "big.txt", "rt");
    ASSERT_NE(f, nullptr);
    char line[64];
    for (int i = 0; i < 1500; ++i) ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    long mark = std::ftell(f);
    EXPECT_EQ(static_cast<std::size_t>(mark), utf8.find("地1500\n"));
    while (std::fgets(line, sizeof line, f)) {
    }
    ASSERT_EQ(std::fseek(f, mark, SEEK_SET), 0);
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "地1500\n");
    ASSERT_EQ(std::fseek(f, 0, SEEK_END), 0);
    EXPECT_EQ(static_cast<std::size_t>(std::ftell(f)), utf8.size());
    std::fclose(f);
}

TEST(TextFile, AFolderIsNoFileToReadOrReplace) {
    kv::test::TempFolder dir;
    dir.Write("JS/keep", "x");
    const char* modes[] = {"rt", "rb", "wt", "wb", "w+"};
    for (const char* mode : modes) {
        errno = 0;
        EXPECT_EQ(OpenFile(dir / "js", mode), nullptr) << mode;
        EXPECT_EQ(errno, EISDIR) << mode;
    }
    EXPECT_EQ(dir.List(), "JS");
    EXPECT_EQ(dir.Read("JS/keep"), "x");
}

TEST(TextFile, ALongTextKeepsEveryCharacterWhole) {
    kv::test::TempFolder dir;
    std::string utf8 = "x", gbk = "x";  // odd, so characters straddle every piece
    for (int i = 0; i < 50000; ++i) {
        utf8 += "地";
        gbk += "\xB5\xD8";
    }
    std::FILE* f = OpenFile(dir / "long.txt", "wt");
    ASSERT_NE(f, nullptr);
    std::fputs(utf8.c_str(), f);
    ASSERT_EQ(CommitFile(f), 0);
    EXPECT_EQ(dir.Read("long.txt"), gbk);
}

TEST(TextFile, TheEndIsFoundWhateverHasBeenReadSoFar) {
    // Unbuffered, the stream asks for one byte at a time; the last character (a
    // lead byte without its trail) decodes to three bytes.
    kv::test::TempFolder dir;
    dir.Write("t.txt", "ab\xB5");
    std::FILE* f = OpenFile(dir / "t.txt", "rt");
    ASSERT_NE(f, nullptr);
    std::setvbuf(f, nullptr, _IONBF, 0);
    for (int i = 0; i < 3; ++i) ASSERT_NE(std::fgetc(f), EOF);
    ASSERT_EQ(std::fseek(f, 0, SEEK_END), 0);
    EXPECT_EQ(std::ftell(f), 5);
    EXPECT_EQ(std::fgetc(f), EOF);
    std::fclose(f);
}

TEST(TextFile, AReadOnlyFileIsNotReplaced) {
    kv::test::TempFolder dir;
    dir.Write("&KV_0001.DAT", "old\n");
    ASSERT_EQ(::chmod((dir / "&KV_0001.DAT").c_str(), 0444), 0);
    for (const char* mode : {"wt", "wb", "w+"}) {
        errno = 0;
        EXPECT_EQ(OpenFile(dir / "&kv_0001.dat", mode), nullptr) << mode;
        EXPECT_EQ(errno, EACCES) << mode;
    }
    EXPECT_FALSE(WriteTextFile(dir / "&KV_0001.DAT", "new\n"));
    EXPECT_EQ(dir.Read("&KV_0001.DAT"), "old\n");
    EXPECT_EQ(dir.List(), "&KV_0001.DAT");
}

TEST(TextFile, AFileOpenedByABareNameLandsWhereItWasOpened) {
    // The current folder changes (a project is opened) while a file is being written.
    kv::test::TempFolder first, second;
    first.MakeCurrent();
    std::FILE* f = OpenFile("Message.Box", "wt");
    ASSERT_NE(f, nullptr);
    second.MakeCurrent();
    std::fputs("计算完成\n", f);
    ASSERT_EQ(CommitFile(f), 0);
    EXPECT_EQ(first.List(), "Message.Box");
    EXPECT_EQ(second.List(), "");
}

TEST(TextFile, WritingThroughALinkReplacesTheFileItPointsTo) {
    // The file linked to may not be there yet: writing makes it.
    for (bool relative : {false, true}) {
        for (bool exists : {true, false}) {
            SCOPED_TRACE(std::string(relative ? "relative" : "absolute") + (exists ? ", exists" : ", missing"));
            kv::test::TempFolder dir;
            dir.Write("shared/keep", "");
            if (exists) dir.Write("shared/KV.INI", "old\n");
            const std::string to = relative ? "shared/../shared/KV.INI" : dir / "shared/KV.INI";
            ASSERT_EQ(::symlink(to.c_str(), (dir / "KV.INI").c_str()), 0);
            ASSERT_TRUE(WriteTextFile(dir / "kv.ini", "new\n"));
            struct stat st;
            ASSERT_EQ(::lstat((dir / "KV.INI").c_str(), &st), 0);
            EXPECT_TRUE(S_ISLNK(st.st_mode));
            EXPECT_EQ(dir.Read("shared/KV.INI"), "new\n");
            EXPECT_EQ(dir.List(), "KV.INI shared");
        }
    }
    // Links that go round in a circle name no file.
    kv::test::TempFolder dir;
    ASSERT_EQ(::symlink("B.INI", (dir / "A.INI").c_str()), 0);
    ASSERT_EQ(::symlink("A.INI", (dir / "B.INI").c_str()), 0);
    errno = 0;
    EXPECT_EQ(OpenFile(dir / "A.INI", "wt"), nullptr);
    EXPECT_EQ(errno, ELOOP);
    EXPECT_EQ(dir.List(), "A.INI B.INI");
}

// An item file as the Windows program left it: the bytes every failure must keep.
const std::string kOldItem = "KV_MKQ_V30\r\n\xB5\xD8\xCF\xC2\r\n1,2\r\n";

// Enough text to pass every buffer on its way to the disk.
std::string ManyLines() {
    std::string text;
    for (int i = 0; i < 4000; ++i) text += "地下室顶板," + std::to_string(i) + "\n";
    return text;
}

TEST(TextFile, AWriteThatFailsLeavesTheOldFileByteForByte) {
    // Text is converted when committed, binary streams as it is written: a failure
    // before the first byte, in the middle and near the end of the new content.
    struct Case {
        const char* mode;
        long long failAfter;
        int error;
    };
    const Case cases[] = {
        {"wt", 0, EIO}, {"wt", 9, ENOSPC}, {"wt", 40000, ENOSPC}, {"w+", 100, EIO},
        {"wb", 0, EIO}, {"wb", 9, ENOSPC}, {"wb", 40000, EIO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " after " + std::to_string(c.failAfter));
        kv::test::TempFolder dir;
        dir.Write("&KV_0001.DAT", kOldItem);
        std::FILE* f = nullptr;
        {
            WriteFailureForTesting failing(c.failAfter, c.error);
            f = OpenFile(dir / "&kv_0001.dat", c.mode);
        }
        ASSERT_NE(f, nullptr);
        std::fputs(ManyLines().c_str(), f);
        errno = 0;
        EXPECT_EQ(CommitFile(f), EOF);
        EXPECT_EQ(errno, c.error);
        EXPECT_EQ(dir.Read("&KV_0001.DAT"), kOldItem);
        EXPECT_EQ(dir.List(), "&KV_0001.DAT");  // no temporary file left
    }
}

TEST(TextFile, ClosingWithoutACommitThrowsTheNewContentAway) {
    for (const char* mode : {"wt", "wb", "w+"}) {
        SCOPED_TRACE(mode);
        kv::test::TempFolder dir;
        dir.Write("&KV_0001.DAT", kOldItem);
        for (const char* name : {"&KV_0001.DAT", "GCXX.BOX"}) {
            std::FILE* f = OpenFile(dir / name, mode);
            ASSERT_NE(f, nullptr);
            std::fputs("half\n", f);
            EXPECT_EQ(std::fclose(f), 0);
        }
        EXPECT_EQ(dir.Read("&KV_0001.DAT"), kOldItem);
        EXPECT_EQ(dir.List(), "&KV_0001.DAT");  // nor is a new file made
    }
}

TEST(TextFile, AFileThatCannotBePutInPlaceLeavesEverythingAsItWas) {
    kv::test::TempFolder dir;
    dir.Write("GCXX.BOX", "工程\n");
    // A folder whose name is a file's takes no file.
    errno = 0;
    EXPECT_EQ(OpenFile(dir / "GCXX.BOX/KV.INI", "wt"), nullptr);
    EXPECT_EQ(errno, ENOTDIR);
    EXPECT_FALSE(WriteTextFile(dir / "GCXX.BOX/KV.INI", "x\n"));
    // The name is taken by a folder while the file is being written: the rename fails.
    std::FILE* f = OpenFile(dir / "BAOBIAO.RTF", "wt");
    ASSERT_NE(f, nullptr);
    std::fputs("{\\rtf1}", f);
    dir.Write("BAOBIAO.RTF/keep", "x");
    EXPECT_EQ(CommitFile(f), EOF);
    EXPECT_EQ(dir.Read("BAOBIAO.RTF/keep"), "x");
    EXPECT_EQ(dir.Read("GCXX.BOX"), "工程\n");
    EXPECT_EQ(dir.List(), "BAOBIAO.RTF GCXX.BOX");
}

TEST(TextFile, AFullDiskLeavesTheOldFileByteForByte) {
    kv::test::TempFolder dir;
    const std::string disk = dir / "disk";
    ASSERT_EQ(::mkdir(disk.c_str(), 0755), 0);
    // A small file system of its own where the machine lets us mount one; else
    // the writes fail as a full disk would make them fail.
    struct Unmount {
        std::string path;
        ~Unmount() {
            if (!path.empty()) ::umount2(path.c_str(), MNT_DETACH);
        }
    } unmount;
    std::unique_ptr<WriteFailureForTesting> full;
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") == 0) {
        unmount.path = disk;
    } else {
        std::printf("cannot mount a small tmpfs (%s): the full disk is simulated\n", std::strerror(errno));
        full = std::make_unique<WriteFailureForTesting>(60 * 1024, ENOSPC);
    }
    const std::string old = "[CurWorkSeting]\r\nCurWorkPath=/home/kv/\r\n";
    {
        std::FILE* f = OpenFile(disk + "/KV.INI", "wb");
        ASSERT_NE(f, nullptr);
        std::fputs(old.c_str(), f);
        ASSERT_EQ(CommitFile(f), 0);
    }
    std::string large = ManyLines() + ManyLines();
    ASSERT_GT(large.size(), 64u * 1024);
    errno = 0;
    EXPECT_FALSE(WriteTextFile(disk + "/kv.ini", large));
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(dir.Read("disk/KV.INI"), old);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(disk)) left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"KV.INI"});  // the temporary file is gone
}

}  // namespace
