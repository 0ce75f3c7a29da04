#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/error.h"
#include "base/textio.h"
#include "members/slabwall/ban.h"
#include "slab_test_support.h"
#include "support/edition_guard.h"
#include "support/work_folder.h"

namespace {

using slabtest::Report;
using slabtest::SquareRoof;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(SlabReport, SectionHeightFactorOfPunching) {
    const struct {
        float h, beta;
    } cases[] = {{300, 1.0f}, {800, 1.0f}, {1400, 0.95f}, {2000, 0.9f}, {2600, 0.9f}};
    for (const auto& c : cases) EXPECT_NEAR(ban_beta_h(c.h), c.beta, 1e-6) << c.h;
}

TEST(SlabReport, PunchingWithACoverAsThickAsTheSlabUsesAMillimetre) {
    kv::test::EditionGuard edition(2010);
    BAN_JS_STRUCT bs = SquareRoof();
    bs.Cover = 250;
    EXPECT_FLOAT_EQ(ban_punching_values(bs).h0, 0.001f);
    bs.Cover = 300;
    const BanPunching p = ban_punching_values(bs);
    EXPECT_FLOAT_EQ(p.h0, 0.001f);
    // Um = 2·(4 − 0.3 − 0.001)·2, KL = 0.7·1·2.145·Um·0.001·1000.
    EXPECT_NEAR(p.Um, 14.796f, 1e-4);
    EXPECT_NEAR(p.KL, 0.7f * 2.145f * 14.796f, 1e-3);
    std::FILE* fp = std::tmpfile();
    ban_punching(fp, bs);
    const std::string text = slabtest::ReadBack(fp);
    EXPECT_NE(text.find("* 14.796 * 0.001 = 22.216 (kN)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\tKL < Q 冲切验算不满足 !\n "), std::string::npos) << text;
}

TEST(SlabReport, AResistanceEqualToThePunchingForcePasses) {
    kv::test::EditionGuard edition(2010);
    // lx = ly = 2 m, t = 250 mm, walls 500 mm: the loaded area is exactly 1 m², so Q is the load.
    BAN_JS_STRUCT bs = SquareRoof();
    bs.Length = bs.Width = 2;
    bs.WallThickness = 500;
    ASSERT_EQ(ban_punching_values(bs).A, 1.0f);
    bs.Load = ban_punching_values(bs).KL;
    const BanPunching p = ban_punching_values(bs);
    ASSERT_EQ(p.Q, p.KL);
    std::FILE* fp = std::tmpfile();
    ban_punching(fp, bs);
    const std::string text = slabtest::ReadBack(fp);
    EXPECT_NE(text.find("\tKL > Q\n\t冲切验算满足 !\n "), std::string::npos) << text;
    EXPECT_EQ(text.find("不满足"), std::string::npos);
}

TEST(SlabReport, WithoutTheLoadNoteTheConditionsFollowTheTitle) {
    kv::test::EditionGuard edition(2010);
    BAN_JS_STRUCT bs = SquareRoof();
    bs.m_strName = "B1";
    bs.LoadNote = 0;
    const std::string dash(67, '-');
    EXPECT_EQ(Report(bs).rfind(dash + "\n计算项目: B1\n" + dash + "\n[ 计算条件 ]\n", 0), 0u);
}

TEST(SlabReport, FloorLoadNoteByClassAndBuilding) {
    kv::test::EditionGuard edition(2010);
    struct Case {
        int resistClass, form;
        const char* expected;
    } cases[] = {
        {3, 0, "\t因此：\n\t底板荷载 = 底板等效静荷载 + 地下水浮力\n\t= 60.0 + 10.0\n\t= 70.0(kN/m2)\n\n"},
        {3, 2,
         "\t因此：\n\t底板荷载 = 建筑物总重/基础面积 + 底板等效静荷载 + 地下水浮力 - 底板自重 - 覆土重 \n"
         "\t= 10000.0/400.0 + 60.0 + 10.0 - 6.2 - 18.000*0.500\n\t= 79.8(kN/m2)\n\n"},
    };
    for (const Case& c : cases) {
        BAN_JS_STRUCT bs = SquareRoof(1);
        bs.LoadNote = 1;
        bs.ResistClass = c.resistClass, bs.BuildingForm = c.form;
        bs.FloorWeight = 20000, bs.FloorArea = 400, bs.FloorQe = 60, bs.FloorBuoyancy = 10, bs.FloorSelf = 6.25f;
        bs.FloorSoilH = 0.5f, bs.FloorSoilGamma = 18;
        ASSERT_EQ(ban_floor_load(bs), 1);
        const std::string text = Report(bs);
        EXPECT_NE(text.find("[ 底板荷载 ]\n\t根据规范4.9.3规定，底板荷载组合应包括：\n"), std::string::npos);
        EXPECT_NE(text.find("\t核4B级人防,当上部建筑物为砌体结构时上部建筑物自重不考虑\n"), std::string::npos);
        EXPECT_NE(text.find(c.expected), std::string::npos) << text;
        EXPECT_NE(text.find("\t均布荷载: " + sprintf_gbk("%.2f", bs.Load) + " (kN/m2)  [注意:荷载作用在板底,方向向上]\n"),
                  std::string::npos);
    }
}

TEST(SlabReport, TheGivenMomentLineOnlyUnderPlasticTheoryWithASimplySupportedEdge) {
    kv::test::EditionGuard edition(2010);
    const std::string block = "\n%%%[VanjoroScript%%%InsertDxf=NONAME_BAN.DXF%%%VanjoroScript]%%%\n[ 内力配筋 ]\n";
    struct Case {
        int plastic;
        int edges[4];
        const char* line;  // what stands between the supports and the script block
    } cases[] = {
        {1, {0, 1, 1, 0}, "\t板边弯矩(kN.m/m):\n              12.50             ——             ——             7.25"},
        {1, {1, 1, 1, 1}, ""},
        {0, {0, 1, 1, 0}, ""},
        {1, {0, 2, 1, 1}, "\t弹性支座嵌固率=0.80\n\t板边弯矩(kN.m/m):\n              12.50             ——             ——             ——"},
    };
    for (const Case& c : cases) {
        BAN_JS_STRUCT bs = SquareRoof();
        bs.Plastic = c.plastic;
        std::copy(c.edges, c.edges + 4, bs.EdgeType);
        bs.EdgeMoment[0] = 12.5f, bs.EdgeMoment[1] = 3, bs.EdgeMoment[3] = 7.25f;
        const std::string text = Report(bs);
        const std::string supports = "\t支撑条件:\n";
        const std::size_t from = text.find('\n', text.find(supports) + supports.size()) + 1;
        const std::size_t to = text.find(block);
        ASSERT_NE(to, std::string::npos) << text;
        EXPECT_EQ(text.substr(from, to - from), c.line) << "plastic " << c.plastic;
    }
}

// The whole report of one roof slab against a text worked out and typed
// independently (tests/fixtures/slabwall/make_roof_report.py).
TEST(SlabReport, GoldenRoofSlabReport) {
    kv::test::EditionGuard edition(2010);
    kv::test::WorkFolder work;
    BAN_JS_STRUCT bs(0);
    bs.m_strName = "顶板 RB-1";
    bs.SetFileName("&KV_0001");
    bs.Length = bs.Width = 4, bs.Thickness = 250, bs.Cover = 25, bs.ConGrade = 30, bs.BarGrade = 2;
    bs.Steam = 0, bs.MidFactor = bs.EdgeFactor = 1, bs.Plastic = 1, bs.WallThickness = 300;
    bs.EdgeType[0] = 0, bs.EdgeType[1] = 1, bs.EdgeType[2] = 0, bs.EdgeType[3] = 0;
    bs.EdgeMoment[0] = 10, bs.EdgeMoment[1] = bs.EdgeMoment[2] = bs.EdgeMoment[3] = 0;
    bs.LoadNote = 1;
    bs.RoofSelf = 6.25f, bs.RoofFinishT = 100, bs.RoofFinishGamma = 20, bs.RoofOther = 2, bs.RoofQe = 98;
    bs.RoofSoilGamma = 18, bs.RoofSoilH = 1.5f;
    ban_roof_load(bs);

    const std::string path = work / bs.GetRtfFileName(0);
    std::FILE* fp = open_file(path.c_str(), "wt");
    ASSERT_NE(fp, nullptr);
    EXPECT_EQ(ban_report(bs, fp, nullptr), 1);
    ASSERT_EQ(commit_file(fp), 0);
    const std::string golden = ReadFile(std::string(KV_TEST_FIXTURES) + "/slabwall/roof_report.txt");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(ReadFile(path), golden);
}

TEST(SlabReport, ShearCheckOfTheEdgesIntoTheTemporaryReport) {
    kv::test::EditionGuard edition(2010);
    kv::test::WorkFolder work;
    BAN_JS_STRUCT bs = SquareRoof();
    bs.SetFileName("&KV_0003");
    bs.Length = 6, bs.Width = 4, bs.Load = 100, bs.Thickness = 150;
    ASSERT_EQ(ban_shear_check(bs), 1);
    // Long side a = 6: triangles of b²/4 = 4 m² on the right and left edges,
    // trapezoids of b·(a − b)/2 + 4 = 8 m² on the bottom and top edges.
    EXPECT_FLOAT_EQ(bs.EdgeV[0], 800);
    EXPECT_FLOAT_EQ(bs.EdgeV[2], 800);
    EXPECT_FLOAT_EQ(bs.EdgeV[1], 400);
    EXPECT_FLOAT_EQ(bs.EdgeV[3], 400);
    const std::string rtf = ReadFile(work / "&KV_0003_BAN.RTF_tmp");
    ASSERT_EQ(rtf.rfind("{\\rtf", 0), 0u);
    // The texts are in the RTF as \uN escapes: look for a few plain pieces.
    EXPECT_NE(rtf.find("V=400.00kN"), std::string::npos);
    EXPECT_NE(rtf.find("V=800.00kN"), std::string::npos);
    EXPECT_NE(rtf.find("HRB335"), std::string::npos);

    // A slab longer in b: the other way round.
    bs.Length = 3, bs.Width = 5;
    ASSERT_EQ(ban_shear_check(bs), 1);
    EXPECT_FLOAT_EQ(bs.EdgeV[0], 225);  // a²/4 · q
    EXPECT_FLOAT_EQ(bs.EdgeV[1], 525);  // (a·(b − a)/2 + a²/4) · q
}

}  // namespace
