#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>

#include "base/error.h"
#include "members/slabwall/ban.h"
#include "platform/textfile.h"
#include "slab_test_support.h"
#include "support/edition_guard.h"
#include "support/temp_folder.h"

namespace {

using slabtest::Calculate;
using slabtest::SquareRoof;

// The six moments and the twelve steel areas of a run, for comparing runs.
void ExpectSameResults(const BAN_JS_STRUCT& a, const BAN_JS_STRUCT& b) {
    EXPECT_EQ(a.Mx, b.Mx);
    EXPECT_EQ(a.My, b.My);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(a.EdgeM[i], b.EdgeM[i]) << "edge " << i;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(a.MidAs[i], b.MidAs[i]) << "MidAs " << i;
    for (int i = 0; i < 8; ++i) EXPECT_EQ(a.EdgeAs[i], b.EdgeAs[i]) << "EdgeAs " << i;
}

// The numbers of the line that follows `heading` (the first line holding it).
std::vector<float> NumbersAfter(const std::string& text, const std::string& heading) {
    std::vector<float> values;
    std::size_t at = text.find(heading);
    if (at == std::string::npos) return values;
    at = text.find('\n', at) + 1;
    const std::string line = text.substr(at, text.find('\n', at) - at);
    for (std::size_t i = 0; i < line.size();) {
        char* end = nullptr;
        if ((std::isdigit(static_cast<unsigned char>(line[i])) || line[i] == '-') &&
            (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
            values.push_back(std::strtof(line.c_str() + i, &end));
            i = static_cast<std::size_t>(end - line.c_str());
        } else {
            ++i;
        }
    }
    return values;
}

// A line of the text, whole.
std::string LineStarting(const std::string& text, const std::string& start) {
    std::size_t at = text.find(start);
    if (at == std::string::npos) return {};
    return text.substr(at, text.find('\n', at) - at);
}

// Elastic moments against series solutions of the plate equation, given for
// ν = 0.3: simply supported square 0.0479·q·a² (Timoshenko & Woinowsky-Krieger,
// Theory of Plates, table 8); clamped square 0.0229 at the centre and 0.0513 at
// the edges (the accurate series; their table 35 rounds the centre up to 0.0231,
// and the handbook value at ν = 0, 0.0176, gives 0.0229 as well). At the centre of
// a square plate both curvatures are equal, so Mx = (1 + ν)·D·κ and the
// coefficient scales by 1.2/1.3 for ν = 0.2; at a clamped edge only the curvature
// across the edge remains and the moment does not depend on ν.
TEST(SlabCalculation, ElasticSquareSlabMatchesThePlateSeries) {
    kv::test::EditionGuard edition(2010);
    struct Case {
        int edge;          // all four edges: 0 simply supported, 1 fixed
        double centre;     // Mx = My at the centre, × q·a², ν = 0.3
        double atEdge;     // edge moment, × q·a² (hogging)
    } cases[] = {{0, 0.0479, 0.0}, {1, 0.0229, 0.0513}};
    for (const Case& c : cases) {
        BAN_JS_STRUCT bs = SquareRoof();
        for (int& e : bs.EdgeType) e = c.edge;
        const double qa2 = bs.Load * 16.0;
        ASSERT_EQ(Calculate(bs).result, 1);
        const double centre = c.centre * 1.2 / 1.3 * qa2;
        EXPECT_NEAR(bs.Mx, centre, 0.005 * centre) << "edges " << c.edge;
        EXPECT_NEAR(bs.My, centre, 0.005 * centre);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(bs.EdgeM[i], -c.atEdge * qa2, 0.005 * c.atEdge * qa2 + 1e-4);
    }
}

TEST(SlabCalculation, FixityZeroAndOneAreTheSimplySupportedAndFixedRuns) {
    kv::test::EditionGuard edition(2010);
    // Elastic edges at the bottom and top; the others keep their kinds.
    BAN_JS_STRUCT elastic = SquareRoof();
    elastic.Length = 6;
    elastic.EdgeType[0] = 2, elastic.EdgeType[1] = 1, elastic.EdgeType[2] = 2, elastic.EdgeType[3] = 0;
    struct Case {
        float fixity;
        int asEdge;  // the kind the elastic edges behave as
    } cases[] = {{0.0f, 0}, {1.0f, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixity);
        BAN_JS_STRUCT a = elastic;
        a.Fixity = c.fixity;
        BAN_JS_STRUCT b = elastic;
        b.EdgeType[0] = b.EdgeType[2] = c.asEdge;
        ASSERT_EQ(Calculate(a).result, 1);
        ASSERT_EQ(Calculate(b).result, 1);
        ExpectSameResults(a, b);
    }
    // Halfway fixity lies halfway.
    BAN_JS_STRUCT s = elastic, f = elastic, h = elastic;
    s.Fixity = 0, f.Fixity = 1, h.Fixity = 0.5f;
    Calculate(s), Calculate(f), Calculate(h);
    EXPECT_NEAR(h.Mx, (s.Mx + f.Mx) / 2, 1e-4);
    EXPECT_NEAR(h.EdgeM[0], (s.EdgeM[0] + f.EdgeM[0]) / 2, 1e-4);
}

TEST(SlabCalculation, AnElasticEdgeUnderPlasticTheoryStillInterpolatesAndWritesNoHeading) {
    kv::test::EditionGuard edition(2010);
    BAN_JS_STRUCT plastic = SquareRoof();
    plastic.EdgeType[1] = 2;
    plastic.Fixity = 0.3f;
    plastic.Plastic = 1;
    BAN_JS_STRUCT elastic = plastic;
    elastic.Plastic = 0;
    const auto run = Calculate(plastic);
    ASSERT_EQ(run.result, 1);
    EXPECT_EQ(run.text.find("内力按塑性理论计算"), std::string::npos) << run.text;
    EXPECT_EQ(run.text.find("内力按弹性理论计算"), std::string::npos) << run.text;
    EXPECT_EQ(run.text.rfind("\t跨中弯矩(kN.m/m):\n", 0), 0u) << "the moments come first";
    Calculate(elastic);
    ExpectSameResults(plastic, elastic);
}

TEST(SlabCalculation, PlasticTheoryKeepsTheGivenMomentOfASimplySupportedEdgeOnly) {
    kv::test::EditionGuard edition(2010);
    BAN_JS_STRUCT given = SquareRoof();
    given.Plastic = 1;
    given.EdgeType[0] = 0, given.EdgeType[1] = 1, given.EdgeType[2] = 0, given.EdgeType[3] = 1;
    given.EdgeFactor = 1.2f;
    given.EdgeMoment[0] = 10, given.EdgeMoment[1] = 99, given.EdgeMoment[2] = 0, given.EdgeMoment[3] = 77;
    const auto run = Calculate(given);
    ASSERT_EQ(run.result, 1);
    EXPECT_NE(run.text.find("\t内力按塑性理论计算:\n"), std::string::npos);
    EXPECT_FLOAT_EQ(given.EdgeM[0], -12.0f) << "the given moment times the edge factor, hogging";
    EXPECT_FLOAT_EQ(given.EdgeM[2], 0.0f);

    // The values stored for the fixed edges change nothing.
    BAN_JS_STRUCT ignored = given;
    ignored.EdgeMoment[1] = ignored.EdgeMoment[3] = 0;
    Calculate(ignored);
    ExpectSameResults(given, ignored);

    // Square, two opposite edges fixed (case h0v2, c = 0.25 at λ = 1): hand calculation.
    // o = 0.084·100·16 = 134.4; Mx = (o − (10 + 0)/2)·0.25 = 32.35; My = Mx; fixed edges 2·Mx.
    EXPECT_NEAR(given.Mx, 32.35f, 0.01f);
    EXPECT_NEAR(given.My, 32.35f, 0.01f);
    EXPECT_NEAR(given.EdgeM[1], -1.2f * 64.7f, 0.02f);
}

TEST(SlabCalculation, AFloorSlabSagsUpwardAndSwapsItsFaces) {
    kv::test::EditionGuard edition(2010);
    BAN_JS_STRUCT roof = SquareRoof(0);
    roof.Length = 5;
    roof.Load = 160;
    roof.EdgeType[3] = 0;
    BAN_JS_STRUCT floor = roof;
    floor.Kind = 1;
    const auto r = Calculate(roof);
    const auto f = Calculate(floor);
    ASSERT_EQ(r.result, 1);
    ASSERT_EQ(f.result, 1);
    EXPECT_GT(roof.Mx, 0);
    EXPECT_LT(floor.Mx, 0);
    EXPECT_EQ(floor.Mx, -roof.Mx);
    EXPECT_EQ(floor.My, -roof.My);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(floor.EdgeM[i], -roof.EdgeM[i]);
    EXPECT_NE(f.text.find("\t[注意:荷载作用在板底,方向向上]\n\t跨中弯矩(kN.m/m):\n"), std::string::npos);
    EXPECT_EQ(r.text.find("荷载作用在板底"), std::string::npos);

    // Same steel, other faces: the floor's 上 rows are the roof's 下 rows and back.
    const auto midRoofTop = NumbersAfter(r.text, "\t跨中配筋");
    const auto midFloorTop = NumbersAfter(f.text, "\t跨中配筋");
    EXPECT_EQ(LineStarting(f.text, "\t上:    水平"), "\t上" + LineStarting(r.text, "\t下:    水平").substr(4));
    EXPECT_EQ(LineStarting(f.text, "\t下:    水平"), "\t下" + LineStarting(r.text, "\t上:    水平").substr(4));
    const auto roofEdgeTop = NumbersAfter(r.text, "\t           下边");
    const auto floorEdgeTop = NumbersAfter(f.text, "\t           下边");
    const std::size_t roofEdge = r.text.find("\t垂直板边配筋");
    const std::size_t floorEdge = f.text.find("\t垂直板边配筋");
    EXPECT_EQ(LineStarting(f.text.substr(floorEdge), "\t上:").substr(4),
              LineStarting(r.text.substr(roofEdge), "\t下:").substr(4));
    EXPECT_EQ(LineStarting(f.text.substr(floorEdge), "\t下:").substr(4),
              LineStarting(r.text.substr(roofEdge), "\t上:").substr(4));
    ASSERT_EQ(roofEdgeTop.size(), 4u);
    EXPECT_NEAR(roofEdgeTop[0], roof.EdgeAs[0], 0.005) << "a roof's edge steel on top is the tension steel";
    EXPECT_NEAR(floorEdgeTop[0], floor.EdgeAs[1], 0.005);
    ASSERT_EQ(midRoofTop.size(), 2u);
    EXPECT_NEAR(midRoofTop[0], roof.MidAs[0], 0.005) << "a roof's mid-span steel on top is the compression steel";
    EXPECT_NEAR(midFloorTop[0], floor.MidAs[1], 0.005);
}

TEST(SlabCalculation, AnOverReinforcedSectionPrintsMinusOne) {
    kv::test::EditionGuard edition(2010);
    BAN_JS_STRUCT bs = SquareRoof();
    bs.Length = bs.Width = 6;
    bs.Thickness = 150;
    bs.Load = 800;
    for (int& e : bs.EdgeType) e = 0;
    const auto run = Calculate(bs);
    ASSERT_EQ(run.result, 1);
    EXPECT_EQ(bs.MidAs[0], -1);
    EXPECT_EQ(bs.MidAs[1], -1);
    EXPECT_EQ(LineStarting(run.text, "\t上:    水平"), "\t上:    水平 =      -1.00     竖向 =      -1.00");
    EXPECT_NE(run.text.find("\t钢筋级别 HRB335 (配筋面积小于0表示超筋)\n"), std::string::npos);
}

// A run that stops leaves no result of an earlier run behind.
TEST(SlabCalculation, ARunThatStopsClearsTheResultsOfTheRunBefore) {
    kv::test::EditionGuard edition(2010);
    struct Case {
        const char* what;
        void (*make)(BAN_JS_STRUCT&);
        const char* message;
    } cases[] = {
        {"unsupported supports", [](BAN_JS_STRUCT& b) { b.Plastic = 1, b.EdgeType[0] = 3; }, "此种支撑条件不能计算 !"},
        {"imbalance",
         [](BAN_JS_STRUCT& b) {
             // Given moments far above the total moment of a plate at λ = 0.6.
             b.Plastic = 1, b.Length = 2.4f, b.Width = 4, b.Load = 10;
             for (int i = 0; i < 4; ++i) b.EdgeType[i] = 0, b.EdgeMoment[i] = 500;
         },
         "计算内力不平衡!"},
        {"elastic table", [](BAN_JS_STRUCT& b) { b.Width = 0; }, ""},
        // A slab edge is simply supported, fixed or elastic; a stray value from a
        // damaged file must not compute as a free edge.
        {"one edge type below the three", [](BAN_JS_STRUCT& b) { b.EdgeType[0] = -1; }, "此种支撑条件不能计算 !"},
        {"one edge type above the three", [](BAN_JS_STRUCT& b) { b.EdgeType[2] = 3; }, "此种支撑条件不能计算 !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BAN_JS_STRUCT bs = SquareRoof();
        ASSERT_EQ(Calculate(bs).result, 1);
        ASSERT_NE(bs.Mx, 0);
        ASSERT_EQ(bs.HasResults, 1);
        c.make(bs);
        kv::err::ClearRecentLines();
        const auto run = Calculate(bs);
        EXPECT_EQ(run.result, 0);
        EXPECT_NE(JS_ERROR_CODE, 0);
        EXPECT_EQ(run.text.find("跨中弯矩"), std::string::npos) << run.text;
        EXPECT_EQ(bs.HasResults, 0);
        EXPECT_EQ(bs.Mx, 0);
        EXPECT_EQ(bs.My, 0);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(bs.EdgeM[i], 0);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(bs.MidAs[i], 0);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(bs.EdgeAs[i], 0);
        bool said = false;
        for (const auto& line : kv::err::RecentLines()) said = said || line.text.find(c.message) != std::string::npos;
        EXPECT_TRUE(said) << c.message;
    }
    JS_ERROR_CODE = 0;
}

TEST(SlabCalculation, TheRunWritesMessageBoxInTheCurrentFolder) {
    kv::test::EditionGuard edition(2010);
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    BAN_JS_STRUCT bs = SquareRoof();
    EXPECT_EQ(ban_calculate(bs), 1);
    const std::string box = dir.Read("Message.Box");
    EXPECT_NE(box.find("\t\xC4\xDA\xC1\xA6\xB0\xB4\xB5\xAF\xD0\xD4\xC0\xED\xC2\xDB\xBC\xC6\xCB\xE3:\n"),
              std::string::npos)
        << "内力按弹性理论计算 in GBK";
    EXPECT_EQ(bs.HasResults, 1);

    // A run that stops still ends with its file written, and answers 1.
    bs.Plastic = 1, bs.EdgeType[0] = 3;
    EXPECT_EQ(ban_calculate(bs), 1);
    EXPECT_EQ(dir.Read("Message.Box").find("\xBF\xE7\xD6\xD0"), std::string::npos) << "no 跨中 line";

    // One the disk cannot hold: the last run's messages stay, and the run says so
    // instead of letting them pass for this one's.
    const std::string last = dir.Read("Message.Box");
    kv::err::ClearRecentLines();
    {
        kv::platform::WriteFailureForTesting full(10, ENOSPC);
        BAN_JS_STRUCT runs = SquareRoof();
        EXPECT_EQ(ban_calculate(runs), 0);
    }
    EXPECT_NE(JS_ERROR_CODE, 0);
    ASSERT_FALSE(kv::err::RecentLines().empty());
    EXPECT_EQ(kv::err::RecentLines().back().text, "不能写入文件 : Message.Box");
    EXPECT_EQ(dir.Read("Message.Box"), last);
    EXPECT_EQ(dir.List(), "Message.Box");
    JS_ERROR_CODE = 0;

    // A message file that cannot be made: 0 with the error code set.
    std::filesystem::remove(dir / "Message.Box");
    std::filesystem::create_directory(dir / "Message.Box");
    EXPECT_EQ(ban_calculate(bs), 0);
    EXPECT_NE(JS_ERROR_CODE, 0);
    JS_ERROR_CODE = 0;
}

}  // namespace
