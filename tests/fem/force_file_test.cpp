// The reader of the internal-force file, on files laid out byte by byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/error.h"
#include "fem/force_file.h"
#include "fem_test_support.h"

namespace {

using kv::test::Bytes;
using kv::test::FemFolder;

// Field k (1 .. 56) of beam b in case c holds 1000c + 100b + k.
void PutBeam(Bytes& f, int c, int b) {
    f.i({b});
    for (int k = 1; k < 57; ++k) f.f({float(1000 * c + 100 * b + k)});
}

// Plate p (edges 2 + p) in case c: every value 1000c + 100p + its place.
void PutPlate(Bytes& f, int c, int p) {
    const int n = 2 + p;
    const float base = float(1000 * c + 100 * p);
    f.i({p + 1, n}).f({250});
    for (int e = 0; e < n; ++e)
        for (int k = 0; k < 8; ++k) f.f({base + float(10 * e + k)});
    f.f({base + 91, base + 92, base + 93, base + 94, base + 95});
}

// A whole file: the counts, the positions and per case the beam then the plate block.
Bytes ForceFile(int beams, int plates, int cases) {
    Bytes f;
    f.i({beams, plates, cases});
    for (int c = 0; c < cases; ++c) f.i({0, 0});
    for (int c = 0; c < cases; ++c) {
        f.Patch(std::size_t(12 + 8 * c), f.size());
        for (int b = 0; b < beams; ++b) PutBeam(f, c, b);
        f.Patch(std::size_t(16 + 8 * c), f.size());
        for (int p = 0; p < plates; ++p) PutPlate(f, c, p);
    }
    return f;
}

TEST(ForceFile, ReadsTheCountsAndTheBlocksOfACase) {
    FemFolder folder;
    folder.Write("FORCE.FB", ForceFile(2, 2, 3).str());
    {
        force_file file("FORCE.FB");
        ASSERT_EQ(JS_ERROR_CODE, 0);
        EXPECT_EQ(file.num_beam, 2);
        EXPECT_EQ(file.num_plate, 2);
        EXPECT_EQ(file.num_case, 3);
        EXPECT_EQ(file.beam_pos[0], 36);  // 12 + 3 × 8
        EXPECT_EQ(file.plate_pos[0], 36 + 2 * 228);
        ASSERT_EQ(file.read_beam(1), 1);
        ASSERT_EQ(file.beam.size(), 2u);
        EXPECT_EQ(file.beam_loaded, 1);
        const beam_force& b = file.beam[1];
        EXPECT_EQ(b.beam, 1);
        EXPECT_EQ(b.M[0], 1107.0f);   // byte 28
        EXPECT_EQ(b.V[2], 1112.0f);   // byte 48
        EXPECT_EQ(b.T[2], 1115.0f);   // byte 60
        EXPECT_EQ(b.Ws[8], 1154.0f);  // byte 216
        EXPECT_EQ(b.flange[1], 1156.0f);
        // A second case replaces the first.
        ASSERT_EQ(file.read_beam(2), 1);
        EXPECT_EQ(file.beam[0].M[0], 2007.0f);

        ASSERT_EQ(file.read_plate(2), 1);
        ASSERT_EQ(file.plate.size(), 2u);
        const plate_force& p = file.plate[1];
        EXPECT_EQ(p.Plate, 2);
        EXPECT_EQ(p.bbs, 3);
        EXPECT_EQ(p.value, 250.0f);
        EXPECT_EQ(p.x[2], 2120.0f);
        EXPECT_EQ(p.Mp_r[2], 2127.0f);
        EXPECT_EQ(p.Angle, 2195.0f);
        EXPECT_EQ(file.plate_loaded, 1);
        file.free_beam();
        file.free_plate();
        EXPECT_TRUE(file.beam.empty());
        EXPECT_EQ(file.plate_loaded, 0);
    }
    EXPECT_EQ(JS_ERROR_CODE, 0);
    EXPECT_TRUE(folder.FilesClosed());
}

// Without beams or plates a case loads nothing and says so with 1.
TEST(ForceFile, AFileWithoutBeamsOrPlatesLoadsNothing) {
    FemFolder folder;
    folder.Write("FORCE.FB", ForceFile(0, 0, 1).str());
    force_file file("FORCE.FB");
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_EQ(file.read_beam(0), 1);
    EXPECT_EQ(file.read_plate(0), 1);
    EXPECT_TRUE(file.beam.empty());
    EXPECT_EQ(file.beam_loaded, 0);
    file.free_beam();
    EXPECT_EQ(file.write_beam(0), 0);
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

// Files the reader refuses when it opens them; the object stays destructible and
// loads nothing.
TEST(ForceFile, RefusedFiles) {
    Bytes early = ForceFile(2, 1, 3);
    early.Patch(16 + 8 * 2, 0);  // the run stopped before the positions went in
    Bytes noCase;
    noCase.i({2, 1, 0});
    Bytes negativeCase;
    negativeCase.i({2, 1, -4});
    struct Case {
        const char* what;
        std::string bytes;  // none: no file
        int code;
        const char* message;
    } cases[] = {
        {"stopped early", early.str(), 301, "Pointer error in force file !"},
        {"no case", noCase.str(), 301, "Case num error force file"},
        {"negative case count", negativeCase.str(), 301, "Case num error force file"},
        {"cut in the positions", ForceFile(2, 1, 3).str().substr(0, 30), 301, "Read error in force file !"},
        {"cut in the counts", ForceFile(2, 1, 3).str().substr(0, 6), 301, "Read error in force file !"},
        {"no file", "", 201, "不能打开文件 : FORCE.FB"},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        if (!c.bytes.empty()) folder.Write("FORCE.FB", c.bytes);
        {
            force_file file("FORCE.FB");
            EXPECT_EQ(JS_ERROR_CODE, c.code) << c.what;
            EXPECT_TRUE(folder.Told(c.code, c.message)) << c.what << ::testing::PrintToString(folder.Messages());
            if (file.num_beam > 0) {
                EXPECT_EQ(file.read_beam(0), 0) << c.what;
            }
            EXPECT_TRUE(file.beam.empty()) << c.what;
        }
        EXPECT_TRUE(folder.FilesClosed()) << c.what;
    }
}

TEST(ForceFile, NothingIsOpenedWhenTheErrorCodeIsSet) {
    FemFolder folder;
    folder.Write("FORCE.FB", ForceFile(1, 0, 1).str());
    JS_ERROR_CODE = 201;
    force_file file("FORCE.FB");
    EXPECT_EQ(file.fp, nullptr);
    EXPECT_EQ(file.num_case, 0);
    EXPECT_TRUE(folder.Messages().empty());
}

// A case outside the file's count, a block beyond the end, a plate without
// edges: 0, told, and the records loaded before stay.
TEST(ForceFile, AFailedLoadLeavesTheLoadedRecords) {
    Bytes damaged = ForceFile(2, 2, 2);
    damaged.Patch(12 + 8, damaged.size() + 4);   // case 1's beam block beyond the end
    Bytes noEdges = ForceFile(2, 2, 2);
    noEdges.Patch(std::size_t(12 + 8 * 2 + 2 * 228 + 4), 0);  // case 0's first plate: 0 edges
    struct Case {
        const char* what;
        const Bytes& file;
        bool plates;  // read_plate, else read_beam
        int load_case;
        const char* message;
    } cases[] = {
        {"beam case beyond", damaged, false, 2, "Case error in force file: 3 of 2"},
        {"negative beam case", damaged, false, -1, "Case error in force file: 0 of 2"},
        {"plate case beyond", damaged, true, 2, "Case error in force file: 3 of 2"},
        {"beam block beyond the end", damaged, false, 1, "Read error in force file !"},
        {"plate without edges", noEdges, true, 0, "bbs error in plate_force read"},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        folder.Write("FORCE.FB", c.file.str());
        force_file file("FORCE.FB");
        ASSERT_EQ(file.read_beam(0), 1) << c.what;
        ASSERT_EQ(file.read_plate(1), 1) << c.what;
        EXPECT_EQ(c.plates ? file.read_plate(c.load_case) : file.read_beam(c.load_case), 0) << c.what;
        EXPECT_EQ(JS_ERROR_CODE, 301) << c.what;
        EXPECT_TRUE(folder.Told(301, c.message)) << c.what << ::testing::PrintToString(folder.Messages());
        ASSERT_EQ(file.beam.size(), 2u) << c.what;
        EXPECT_EQ(file.beam[1].M[0], 107.0f) << c.what;
        ASSERT_EQ(file.plate.size(), 2u) << c.what;
        EXPECT_EQ(file.plate[0].Mxx, 1091.0f) << c.what;
    }
}

TEST(ForceFile, WriteBeamPutsTheLoadedRecordsBackOverTheirBlock) {
    FemFolder folder;
    const Bytes before = ForceFile(2, 1, 2);
    folder.Write("FORCE.FB", before.str());
    {
        force_file file("FORCE.FB");
        EXPECT_EQ(file.write_beam(1), 0);  // nothing loaded
        ASSERT_EQ(file.read_beam(1), 1);
        file.beam[1].M[1] = -42.5f;
        ASSERT_EQ(file.write_beam(1), 1);
        // The reading stream sees the new bytes.
        ASSERT_EQ(file.read_beam(1), 1);
        EXPECT_EQ(file.beam[1].M[1], -42.5f);
    }
    const std::string after = folder.Read("FORCE.FB");
    ASSERT_EQ(after.size(), before.str().size());
    const std::size_t at = std::size_t(12 + 16 + 2 * 228 + 64 + 4 * 8 + 228 + 32);  // case 1, beam 1, byte 32
    EXPECT_EQ(kv::test::F32At(after, at), -42.5f);
    std::string expected = before.str();
    expected.replace(at, 4, after.substr(at, 4));
    EXPECT_EQ(after, expected);
    EXPECT_EQ(JS_ERROR_CODE, 0);
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(ForceFile, TextDumpsOfTheLoadedRecords) {
    FemFolder folder;
    Bytes f;
    f.i({1, 1, 1, 20, 248});
    f.i({0}).f({250, 600, 0, 0, 3, 4.5f, -1, 2, -3.25f, 10, 0, -10, 0.5f, 0, -0.5f});
    for (int k = 16; k < 57; ++k) f.f({0});
    f.i({1, 2}).f({250});
    f.f({0, 0, 1, 2, 3, 4, 5, 6});
    f.f({3, 0, -1, -2, -3, -4, -5, -6});
    f.f({7, 8, 0, 0, 0.5f});
    folder.Write("FORCE.FB", f.str());
    force_file file("FORCE.FB");
    ASSERT_EQ(file.read_beam(0), 1);
    ASSERT_EQ(file.read_plate(0), 1);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    char buffer[2048] = {};
    std::FILE* out = fmemopen(buffer, sizeof buffer - 1, "w");
    file.write_beam_txt(out);
    file.write_plate_txt(out);
    std::fclose(out);
    EXPECT_EQ(std::string(buffer),
              "--------------------------  Beam  ------------------------\n"
              "Num_beam=1\n"
              "Beam : 0\n"
              "       Coordinate      Ml      Mm     Mr     Vl     Vr    Tl    Tr"
              "(      0.00,      0.00)--(      3.00,      4.50)"
              "     -1.00,      2.00,     -3.25,     10.00,    -10.00,      0.50,     -0.50\n"
              "-------------------------- Plate ------------------------\n"
              "Num_plate=1\n"
              "Plate : 1      Edge_number =2\n"
              " Edge  Coordinate      Mp_l     Mv_l     Mp_m    Mv_m    Mp_r   Mv_r"
              "     1, (      0.00,      0.00),      2.00,      1.00,      4.00,      3.00,      6.00,      5.00\n"
              "     2, (      3.00,      0.00),     -2.00,     -1.00,     -4.00,     -3.00,     -6.00,     -5.00\n"
              "Mxx=       7.00, Myy=       8.00, Mxx_1=       0.00, Myy_1=       0.00, Angle=      0.50\n");
}

}  // namespace
