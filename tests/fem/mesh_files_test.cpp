// Readers of the mesh stage's files: "NET_PRE.FB", "NET_DAT.FB", "INDEX_P.FB".
#include "fem/fem_alloc.h"
#include "fem/mesh_files.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

namespace {

using kv::test::Bytes;
using kv::test::FemFolder;

// Three nodes in a row, two beam elements, no plates, one support, two cases:
// case 1 a point load and two line loads, case 2 one line load.
Bytes NetDat() {
    Bytes b;
    b.i({24, 60, 84, 132, 132, 148});
    b.i({3, 2, 0, 1, 2}).f({3.0e7f, 0.2f, 3.0e7f, 0.2f});
    b.f({0, 0, 1, 0, 2, 0});
    b.i({0, 1}).f({1.0e9f, 2.0e9f}).i({0, 300});
    b.i({1, 2}).f({1.0e9f, 2.0e9f}).i({0, 300});
    b.i({0, 3}).f({0, 0});
    b.i({156, 232});
    b.i({1, 2, 0}).i({1}).f({10, 0, 0});
    b.i({0, 1}).f({5, 5, 0, 1}).i({1, 1}).f({6, 6, 0, 1});
    b.i({0, 1, 0}).i({1, 2}).f({20, 0, 0, 0.5f});
    return b;
}

TEST(NetDatFile, ReadsTheModelAndRefusesACaseBeyondTheCount) {
    FemFolder folder;
    folder.Write("NET_DAT.FB", NetDat().str());
    net_dat_file file("net_dat.fb");
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_EQ(file.case_num, 2);
    EXPECT_FLOAT_EQ(file.plate_mu, 0.2f);
    ASSERT_EQ(file.read_node(), 1);
    EXPECT_FLOAT_EQ(file.x[2], 2.0f);
    ASSERT_EQ(file.read_beam(), 1);
    EXPECT_EQ(file.beams[1].j, 2);
    EXPECT_FLOAT_EQ(file.beams[1].I, 2.0e9f);
    EXPECT_EQ(file.read_plate(), 1);  // nothing to read
    ASSERT_EQ(file.read_support(), 1);
    EXPECT_EQ(file.supports[0].kind, 3);
    // Case 2 has line loads but no point loads.
    ASSERT_EQ(file.read_load(1, 1), 1);
    EXPECT_EQ(file.con_num, 0);
    EXPECT_TRUE(file.con.empty());
    ASSERT_EQ(file.read_load(1, 2), 1);
    EXPECT_FLOAT_EQ(file.line[0].v[0], 20.0f);

    EXPECT_EQ(file.read_load(2, 1), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "工况号超界 !"));
}

TEST(NetDatFile, WriteLoadRewritesExactlyItsSection) {
    FemFolder folder;
    const Bytes before = NetDat();
    folder.Write("NET_DAT.FB", before.str());
    {
        net_dat_file file("NET_DAT.FB");
        ASSERT_EQ(file.read_load(0, 2), 1);
        file.line[1].v[1] = 7.5f;
        ASSERT_EQ(file.write_load(0, 2), 1);
    }
    const std::string after = folder.Read("NET_DAT.FB");
    ASSERT_EQ(after.size(), before.str().size());
    std::size_t section = 156 + 12 + 16;  // case 1's counts, then its point load
    std::size_t changed = section + 24 + 12;
    for (std::size_t k = 0; k < after.size(); ++k) {
        if (k < changed || k >= changed + 4) {
            ASSERT_EQ(after[k], before.str()[k]) << "byte " << k;
        }
    }
    EXPECT_FLOAT_EQ(kv::test::F32At(after, changed), 7.5f);
}

TEST(NetDatFile, DamagedFilesAreRefused) {
    Bytes zero = NetDat();
    zero.Patch(12, 0);
    Bytes badNode = NetDat();
    badNode.Patch(84 + 24 + 4, 3);  // element 2 ends at node 3 of 0..2
    Bytes badLoad = NetDat();
    badLoad.Patch(156 + 12 + 16 + 24, 2);  // line load on element 2 of 0..1
    struct Case {
        const char* what;
        Bytes bytes;
        std::string message;
        int (*step)(net_dat_file&);
    } cases[] = {
        {"offset zero", zero, "Pointer error in net_dat file !", [](net_dat_file&) { return 0; }},
        {"element node", badNode, "Node error in net_dat file !", [](net_dat_file& f) { return f.read_beam(); }},
        {"load element", badLoad, "Load error in net_dat file !", [](net_dat_file& f) { return f.read_load(0, 2); }},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        folder.Write("NET_DAT.FB", c.bytes.str());
        net_dat_file file("NET_DAT.FB");
        EXPECT_EQ(c.step(file), 0) << c.what;
        EXPECT_EQ(JS_ERROR_CODE, 301) << c.what;
        EXPECT_TRUE(folder.Told(301, c.message)) << c.what;
    }
}

// Two beams (nodes 0-1 and 1-3-2), `plates` plates of two triangles, four nodes.
Bytes NetPre(int plates) {
    Bytes b;
    b.i({12, 52, 0});
    b.i({2}).i({0, 2, 0, 1}).i({1, 3, 1, 3, 2});
    b.i({plates});
    for (int p = 0; p < plates; ++p) b.i({p, 2, 0, 1, 3, 1, 2, 3});
    b.Patch(8, b.size());
    b.i({4, 0, 1, 3, 2, 0, 1, 3, 2});
    return b;
}

TEST(NetPreFile, ReadsDivisionTrianglesAndTheRenumbering) {
    FemFolder folder;
    folder.Write("NET_PRE.FB", NetPre(1).str());
    net_pre_file file("NET_PRE.FB");
    ASSERT_EQ(file.read_beam_cut(), 1);
    ASSERT_EQ(file.beams.size(), 2u);
    EXPECT_EQ(file.beams[1].node, (std::vector<std::int32_t>{1, 3, 2}));
    ASSERT_EQ(file.read_plate_cut(), 1);
    EXPECT_EQ(file.plates[0].n1, (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(file.plates[0].n3, (std::vector<std::int32_t>{3, 3}));
    ASSERT_EQ(file.read_index(), 1);
    EXPECT_EQ(file.new_of_old, (std::vector<std::int32_t>{0, 1, 3, 2}));
    EXPECT_EQ(JS_ERROR_CODE, 0);

    int count = 0;
    std::vector<beam_cut_date> beams = read_beam_cut_date(&count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(beams[0].node, (std::vector<std::int32_t>{0, 1}));
}

TEST(NetPreFile, ModelWithoutPlatesHasAnEmptyPlateSection) {
    FemFolder folder;
    folder.Write("NET_PRE.FB", NetPre(0).str());
    net_pre_file file("NET_PRE.FB");
    EXPECT_EQ(file.plate_num, 0);
    EXPECT_EQ(file.read_plate_cut(), 0);
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

TEST(NetPreFile, ZeroOffsetOrNoBeamsStopTheRun) {
    {
        FemFolder folder;
        Bytes b = NetPre(0);
        b.Patch(8, 0);
        folder.Write("NET_PRE.FB", b.str());
        net_pre_file file("NET_PRE.FB");
        EXPECT_EQ(JS_ERROR_CODE, 301);
        EXPECT_TRUE(folder.Told(301, "Pointer error in net_pre file !"));
    }
    {
        FemFolder folder;
        Bytes b;
        b.i({12, 16, 20, 0, 0, 0});
        folder.Write("NET_PRE.FB", b.str());
        int count = -1;
        EXPECT_TRUE(read_beam_cut_date(&count).empty());
        EXPECT_EQ(count, 0);
        EXPECT_EQ(JS_ERROR_CODE, 301);
        EXPECT_TRUE(folder.Told(301, "beam num zero in read_beam_cut_date"));
    }
}

Bytes IndexP(int bbs) {
    Bytes b;
    b.i({1, 8});
    b.i({0}).f({1.0f, 0.5f}).i({bbs, 4, 2, 2});
    b.i({1}).f({1.0f, 0.5f});
    b.i({4, 0, 1, 2, 3}).i({2, 0});
    return b;
}

TEST(IndexPFile, ReadsAPlateRecordAndPrintsIt) {
    FemFolder folder;
    folder.Write("INDEX_P.FB", IndexP(2).str());
    index_p_file file("INDEX_P.FB");
    ASSERT_EQ(file.read_plate(0), 1);
    EXPECT_FLOAT_EQ(file.y0, 0.5f);
    EXPECT_EQ(file.bb_p_num, (std::vector<std::int32_t>{2, 2}));
    EXPECT_EQ(file.node, (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(file.num_ele, 2);
    ASSERT_EQ(file.print_txt(0), 1);
    EXPECT_EQ(folder.Read("index_p.txt"),
              "Plate_num = 1\n" + std::string(51, '-') +
                  "\nPlate=0,x0=1.00,y0=0.50,bbs=2,num_p_edge=4\nbb_p_num: 2,2,\nnum_center_p=1\n(1.00,0.50), \n"
                  "num_p=4\n0,1,2,3,\nnum_ele=2, start_ele=0\n" +
                  std::string(51, '-') + "\n");
    file.x0 = 1.25f;
    ASSERT_EQ(file.write_plate(0), 1);
    ASSERT_EQ(file.read_plate(0), 1);
    EXPECT_FLOAT_EQ(file.x0, 1.25f);
}

TEST(IndexPFile, NoPlatesOrABrokenRecordStopTheRun) {
    {
        FemFolder folder;
        folder.Write("INDEX_P.FB", Bytes().i({0}).str());
        index_p_file file("INDEX_P.FB");
        EXPECT_TRUE(folder.Told(301, "Plate num error index_p file"));
    }
    {
        FemFolder folder;
        folder.Write("INDEX_P.FB", IndexP(0).str());
        index_p_file file("INDEX_P.FB");
        EXPECT_EQ(file.read_plate(0), 0);
        EXPECT_EQ(JS_ERROR_CODE, 301);
        EXPECT_TRUE(folder.Told(301, "Plate date error index_p file"));
    }
}

TEST(MeshFiles, AllocationFailuresGiveTheirMessages) {
    struct Case {
        const char* what;
        const char* file;
        std::string bytes;
        int nth;
        int code;
        std::string message;
        int (*step)();
    } cases[] = {
        {"net_dat loads", "NET_DAT.FB", NetDat().str(), 2, 399, "Out of Memery !",
         [] { return net_dat_file("NET_DAT.FB").read_load(0, 2); }},
        {"net_pre index", "NET_PRE.FB", NetPre(0).str(), 1, 301, "Out of Memery !",
         [] { return net_pre_file("NET_PRE.FB").read_index(); }},
        {"beam division", "NET_PRE.FB", NetPre(0).str(), 2, 301, "Out of memery in beam_cut_date read !",
         [] { return net_pre_file("NET_PRE.FB").read_beam_cut(); }},
        {"index_p record", "INDEX_P.FB", IndexP(2).str(), 2, 301, "Out of memery in index_p file",
         [] { return index_p_file("INDEX_P.FB").read_plate(0); }},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        folder.Write(c.file, c.bytes);
        kv::fem::AllocationFailureForTesting fail(c.nth);
        EXPECT_EQ(c.step(), 0) << c.what;
        EXPECT_EQ(JS_ERROR_CODE, c.code) << c.what;
        EXPECT_TRUE(folder.Told(c.code, c.message)) << c.what << ": " << ::testing::PrintToString(folder.Messages());
    }
}

}  // namespace
