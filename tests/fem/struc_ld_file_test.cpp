// The reader of "STRUC_LD.FB": sections loaded when asked, one kind of one case's
// loads held at a time, and the loads written back in place.
#include "fem/fem_alloc.h"
#include "fem/struc_ld_file.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using kv::test::FemFolder;
using kv::test::I32At;

std::string GridFile() {
    std::ifstream in(std::string(KV_TEST_FIXTURES) + "/fem/yxy_js_grid.struc_ld.fb", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Overwrites four bytes of a file in place (another program changing it).
void PokeFloat(const char* name, std::size_t at, float v) {
    std::FILE* f = std::fopen(name, "rb+");
    std::fseek(f, static_cast<long>(at), SEEK_SET);
    std::fwrite(&v, 4, 1, f);
    std::fclose(f);
}

TEST(StrucLdFile, GridModelLoadsItsSectionsWhenAsked) {
    FemFolder folder;
    folder.Write("struc_ld.fb", GridFile());
    {
        struc_ld_file file("STRUC_LD.FB");
        ASSERT_EQ(JS_ERROR_CODE, 0);
        EXPECT_EQ(file.node_num, 6);
        EXPECT_EQ(file.beam_num, 7);
        EXPECT_EQ(file.case_num, 3);
        EXPECT_TRUE(file.x.empty());  // nothing loaded yet
        ASSERT_EQ(file.read_node(), 1);
        EXPECT_FLOAT_EQ(file.y[5], 4.5f);
        EXPECT_EQ(file.flag[0], 1);
        ASSERT_EQ(file.read_beam(), 1);
        EXPECT_EQ(file.beam_grade, 3);
        EXPECT_EQ(file.beams[6].node_s, 2);
        EXPECT_EQ(file.beams[6].b, 300);
        EXPECT_FLOAT_EQ(file.beams[6].x2, 6.0f);
        // No plates and no supports: nothing to load.
        EXPECT_EQ(file.read_plate(), 1);
        EXPECT_EQ(file.read_support(), 1);
        EXPECT_TRUE(file.plates.empty() && file.supports.empty());
        // The point load of case 1 acts on the file's node 5.
        ASSERT_EQ(file.read_load(0, 1), 1);
        ASSERT_EQ(file.con.size(), 1u);
        EXPECT_EQ(file.con[0].node, 5);
        EXPECT_FLOAT_EQ(file.con[0].P, 12.5f);
        // Case 2 has no point loads.
        EXPECT_EQ(file.read_load(1, 1), 1);
        EXPECT_EQ(file.con_num, 0);
        EXPECT_TRUE(file.con.empty());
        EXPECT_EQ(file.read_load(3, 1), 0);  // no fourth case
    }
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(StrucLdFile, LoadsAskedForAgainAreNotReadAgain) {
    FemFolder folder;
    folder.Write("STRUC_LD.FB", GridFile());
    const std::string bytes = GridFile();
    std::size_t case1 = I32At(bytes, I32At(bytes, 16) + 4);
    std::size_t q1 = case1 + 12 + 16 + 8;  // case 1: counts, one point load, then line load 1's q1
    struc_ld_file file("STRUC_LD.FB");
    ASSERT_EQ(file.read_load(0, 2), 1);
    ASSERT_EQ(file.line.size(), 4u);
    EXPECT_FLOAT_EQ(file.line[0].v[0], 4.5f);
    PokeFloat("STRUC_LD.FB", q1, 9.0f);
    ASSERT_EQ(file.read_load(0, 2), 1);
    EXPECT_FLOAT_EQ(file.line[0].v[0], 4.5f);  // held, not read again
    ASSERT_EQ(file.read_load(0, 1), 1);
    EXPECT_TRUE(file.line.empty());  // the line loads were let go first
    EXPECT_EQ(file.held_kind, 1);
    ASSERT_EQ(file.read_load(0, 2), 1);
    EXPECT_FLOAT_EQ(file.line[0].v[0], 9.0f);
}

TEST(StrucLdFile, WriteLoadRewritesOnlyItsRecords) {
    FemFolder folder;
    const std::string before = GridFile();
    folder.Write("STRUC_LD.FB", before);
    {
        struc_ld_file file("STRUC_LD.FB");
        ASSERT_EQ(file.read_load(2, 2), 1);
        for (line_load& L : file.line) L.v[0] *= 2;
        EXPECT_EQ(file.write_load(1, 2), 0);  // not the case held
        ASSERT_EQ(file.write_load(2, 2), 1);
    }
    const std::string after = folder.Read("STRUC_LD.FB");
    ASSERT_EQ(after.size(), before.size());
    std::size_t case3 = I32At(before, I32At(before, 16) + 12);
    std::size_t first = case3 + 12 + 16, end = first + 5 * 24;
    EXPECT_EQ(after.substr(0, first), before.substr(0, first));
    EXPECT_EQ(after.substr(end), before.substr(end));
    EXPECT_NE(after.substr(first, end - first), before.substr(first, end - first));
    EXPECT_FLOAT_EQ(kv::test::F32At(after, first + 8), 9.0f);
}

TEST(StrucLdFile, UnfinishedOrDamagedFilesAreRefused) {
    std::string unfinished = GridFile();
    unfinished.replace(8, 4, std::string(4, '\0'));  // plate offset never written
    std::string negative = GridFile();
    std::size_t case2 = I32At(negative, I32At(negative, 16) + 8);
    negative.replace(case2 + 4, 4, std::string("\xff\xff\xff\xff", 4));
    std::string badNode = GridFile();
    badNode.replace(I32At(badNode, 4) + 16 + 12, 4, std::string("\x06\0\0\0", 4));  // end node 6 of 0..5
    std::string supportsPastTheEnd = GridFile();
    supportsPastTheEnd.replace(I32At(supportsPastTheEnd, 12), 4, std::string("\0\0\x10\0", 4));
    struct Case {
        const char* what;
        std::string bytes;
        std::string message;
        int (*step)(struc_ld_file&);
    } cases[] = {
        {"offset zero", unfinished, "Pointer error in struc_ld file !", [](struc_ld_file& f) { return f.read_node(); }},
        {"negative count", negative, "Num Line_Load < 0", [](struc_ld_file& f) { return f.read_load(1, 2); }},
        {"node out of the table", badNode, "Beam node error in struc_ld file !",
         [](struc_ld_file& f) { return f.read_beam(); }},
        {"supports past the end", supportsPastTheEnd, "Read error in struc_ld file !",
         [](struc_ld_file& f) { return f.read_support(); }},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        folder.Write("STRUC_LD.FB", c.bytes);
        struc_ld_file file("STRUC_LD.FB");
        EXPECT_EQ(c.step(file), 0) << c.what;
        EXPECT_EQ(JS_ERROR_CODE, 301) << c.what;
        EXPECT_TRUE(folder.Told(301, c.message)) << c.what;
        EXPECT_TRUE(file.x.empty() && file.beams.empty()) << c.what;
    }
}

TEST(StrucLdFile, AllocationFailuresGiveTheirMessages) {
    struct Case {
        const char* what;
        int nth;
        int code;
        std::string message;
        int (*step)(struc_ld_file&);
    } cases[] = {
        {"case table", 1, 301, "Case Pointer error in struc_ld file !", [](struc_ld_file&) { return 0; }},
        {"nodes", 3, 399, "读入节点坐标时内存不够 !", [](struc_ld_file& f) { return f.read_node(); }},
        {"beams", 2, 399, "Out of Memery !", [](struc_ld_file& f) { return f.read_beam(); }},
        {"loads", 3, 399, "Out of Memery !", [](struc_ld_file& f) { return f.read_load(0, 2); }},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        folder.Write("STRUC_LD.FB", GridFile());
        kv::fem::AllocationFailureForTesting fail(c.nth);
        struc_ld_file file("STRUC_LD.FB");
        EXPECT_EQ(c.step(file), 0) << c.what;
        EXPECT_EQ(JS_ERROR_CODE, c.code) << c.what;
        EXPECT_TRUE(folder.Told(c.code, c.message)) << c.what << ": " << ::testing::PrintToString(folder.Messages());
    }
}

}  // namespace
