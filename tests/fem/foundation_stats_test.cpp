// Foundation statistics: connected parts, continuous beams by the 5-degree rule,
// base area of plates and strip footprints, load resultants, beam lengths, and the
// load statistics files with their case-count limits.
#include "fem/fb_date.h"
#include "fem/struc_ld_file.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Reaches the private log of the parts.
struct FbDateStatsAccess {
    static void Check(FB_DATE& d) { d.Check_Elastic_Ele_Needed(); }
};

namespace {

using kv::test::FemFolder;

struct Beam {
    int from, to;
    int kind = 1;
    int w1 = 0, w2 = 0;  // base widths of a strip, mm
};

// An input file: nodes, beams, plates by their beams, and `cases` copies of one load case.
struct Model {
    std::vector<std::pair<float, float>> nodes;
    std::vector<Beam> beams;
    std::vector<std::vector<int>> plates;
    std::string loads = "0,0,0\n";
    int cases = 1;

    std::string Text() const {
        char line[200];
        std::string t = "##  有限元计算数据文件    Ver. 1.0\n##  结点\n" + std::to_string(nodes.size()) + "\n";
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            std::snprintf(line, sizeof line, "%d,%.6f,%.6f,0\n", int(i + 1), nodes[i].first, nodes[i].second);
            t += line;
        }
        t += "##  梁\n" + std::to_string(beams.size()) + ",30\n";
        for (std::size_t i = 0; i < beams.size(); ++i) {
            const Beam& b = beams[i];
            std::snprintf(line, sizeof line, "%d,%d,%d,%d,%d,250,600,-1.5,0,0.0,0.0,0,0,0\n", int(i + 1), int(i + 1),
                          b.kind, b.from, b.to);
            t += line;
            if (b.kind == 4) t += "--0,0,0," + std::to_string(b.w1) + "," + std::to_string(b.w2) + ",0,0,0,0,0,0,0\n";
        }
        t += "##  板\n" + std::to_string(plates.size()) + ",30\n";
        for (std::size_t j = 0; j < plates.size(); ++j) {
            std::snprintf(line, sizeof line, "%d,0,250,-1.5,0.0,%d\n", int(j + 1), int(plates[j].size()));
            t += line;
            for (int b : plates[j]) t += "1," + std::to_string(b) + "\n";
        }
        t += "##  支撑\n0,0\n##  荷载\n" + std::to_string(cases) + "\n";
        for (int c = 0; c < cases; ++c) t += loads;
        return t + "##  土层信息\n0\n";
    }

    void Write(FemFolder& folder) const {
        folder.Write("YXY_JS.DAT", Text());
        FB_DATE reader;
        reader.main_date("YXY_JS.DAT", 1, 0);
        ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
        folder.lines.clear();
    }
};

// A 4 m × 3 m plate on four beams.
Model Rectangle() {
    Model m;
    m.nodes = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
    m.beams = {{1, 2}, {2, 3}, {3, 4}, {4, 1}};
    m.plates = {{1, 2, 3, 4}};
    return m;
}

std::string ReadAll(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Groups {
    int count = 0;
    std::vector<int> of;
};

Groups ContinuousBeams() {
    struc_ld_file f("STRUC_LD.FB");
    f.read_node();
    f.read_beam();
    Groups g;
    g.of.assign(f.beams.size(), -1);
    YXY_TOOL().Search_LianXuLiang(&f, &g.count, g.of.data());
    return g;
}

TEST(FoundationStats, BeamsMeetingWithinFiveDegreesRunOnAsOneContinuousBeam) {
    struct Case {
        float degrees;
        bool second_reversed;  // the second beam runs back towards the shared node
        int groups;
    };
    const Case cases[] = {{4, false, 1}, {6, false, 2}, {-4, true, 1}, {-6, true, 2}, {0, false, 1}};
    for (const Case& c : cases) {
        FemFolder folder;
        const double a = c.degrees * 3.14159265358979 / 180.0;
        Model m;
        m.nodes = {{-5, 0}, {0, 0}, {float(5 * std::cos(a)), float(5 * std::sin(a))}};
        m.beams = {{1, 2}, c.second_reversed ? Beam{3, 2} : Beam{2, 3}};
        m.Write(folder);
        Groups g = ContinuousBeams();
        EXPECT_EQ(g.count, c.groups) << c.degrees;
        EXPECT_EQ(g.of, (c.groups == 1 ? std::vector<int>{1, 1} : std::vector<int>{1, 2})) << c.degrees;
    }
}

TEST(FoundationStats, ACrossOfStraightRunsGivesTwoContinuousBeamsAndTheLogListsThem) {
    FemFolder folder;
    Model m;
    m.nodes = {{0, 0}, {-3, 0}, {3, 0}, {0, -2}, {0, 2}};
    m.beams = {{2, 1}, {1, 4}, {1, 3}, {5, 1}};
    m.Write(folder);
    FB_DATE d;
    FbDateStatsAccess::Check(d);
    EXPECT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    EXPECT_TRUE(folder.Told(0, "Num_LianXuLiang : 2\n"));
    EXPECT_TRUE(folder.Told(0, "1  **1,3,"));
    EXPECT_TRUE(folder.Told(0, "2  **2,4,"));
    EXPECT_TRUE(folder.Told(0, "Num_Pian_Point : 1"));
}

TEST(FoundationStats, PartsFollowTheBeamsAndALoneNodeIsAPartOfItsOwn) {
    FemFolder folder;
    Model m;
    m.nodes = {{20, 0}, {25, 0}, {30, 0}, {0, 0}, {4, 0}, {4, 3}, {0, 3}};
    m.beams = {{1, 2}, {4, 5}, {5, 6}, {6, 7}, {7, 4}};
    m.plates = {{2, 3, 4, 5}};
    m.Write(folder);
    struc_ld_file f("STRUC_LD.FB");
    ASSERT_TRUE(f.read_node() && f.read_beam() && f.read_plate());
    int count = -1, beam_max = -1, plate_max = -1;
    std::vector<int> nodes(7, -1), beams(5, -1), plates(1, -1);
    YXY_TOOL().Search_Pian(&f, &count, nodes.data(), &beam_max, beams.data(), &plate_max, plates.data());
    EXPECT_EQ(count, 3);
    EXPECT_EQ(nodes, (std::vector<int>{1, 1, 2, 3, 3, 3, 3}));
    EXPECT_EQ(beams, (std::vector<int>{1, 3, 3, 3, 3}));
    EXPECT_EQ(beam_max, 3);
    EXPECT_EQ(plates, std::vector<int>{3});
    EXPECT_EQ(plate_max, 3);

    FB_DATE d;
    FbDateStatsAccess::Check(d);
    EXPECT_TRUE(folder.Told(0, "Num_Pian_Point : 3"));
    EXPECT_TRUE(folder.Told(0, "Pian_Point : 2\n"));
    EXPECT_TRUE(folder.Told(0, "Num_Pian_Plate : 3\n"));
}

TEST(FoundationStats, LineLoadsActAtTheirResultant) {
    struct Case {
        const char* load;
        float F, X;
    };
    const Case cases[] = {
        {"1,1,1,5.0,-5.0,0.0,4.0\n", 1e-7f, 0.0f},          // cancelling intensities add nothing
        {"1,1,1,2.0,4.0,1.0,4.0\n", 9.0f, 48.0f / 18.0f},   // trapezoid between 1 m and 4 m
        {"1,1,2,7.0,0.0,0.0,3.0\n", 7.0f, 3.0f},            // concentrated at 3 m
    };
    for (const Case& c : cases) {
        FemFolder folder;
        Model m = Rectangle();
        m.loads = std::string("0,1,0\n") + c.load;
        m.Write(folder);
        float F = 0, X = -1, Y = -1;
        YXY_TOOL().get_total_weight(0, 0, &F, &X, &Y);
        EXPECT_EQ(JS_ERROR_CODE, 0) << c.load;
        EXPECT_NEAR(F, c.F, 1e-6) << c.load;
        EXPECT_NEAR(X, c.X, 1e-5) << c.load;
        EXPECT_NEAR(Y, 0.0f, 1e-6) << c.load;
    }
}

TEST(FoundationStats, BaseAreaCountsPlatesAndBothSidesOfAStrip) {
    FemFolder folder;
    Model m;
    m.nodes = {{0, 0}, {6, 0}};
    m.beams = {{1, 2, 4, 500, 300}};
    m.Write(folder);
    float Wx = 0, Wy = 0, A = 0, xc = 0, yc = 0;
    YXY_TOOL().get_A_Wx_Wy(&Wx, &Wy, &A, &xc, &yc);
    EXPECT_EQ(JS_ERROR_CODE, 0);
    EXPECT_NEAR(A, 4.8, 1e-5);
    EXPECT_NEAR(xc, 3.0, 1e-5);
    // 3.0 m² centred 0.25 m left of the axis, 1.8 m² centred 0.15 m right of it.
    EXPECT_NEAR(yc, (3.0 * 0.25 - 1.8 * 0.15) / 4.8, 1e-6);
    EXPECT_NEAR(Wx, 3.0 * std::pow(0.25 - 0.1, 2) + 1.8 * std::pow(0.15 + 0.1, 2), 1e-5);
    EXPECT_NEAR(Wy, 0.0, 1e-5);
    float L4 = -1, L3 = -1, L1 = -1, L2 = -1;
    YXY_TOOL().get_total_length(&L4, &L3, &L1, &L2);
    EXPECT_FLOAT_EQ(L4, 6.0f);
    EXPECT_EQ(L1, 0.0f);
}

TEST(FoundationStats, LoadStatisticsOfAPartGiveItsAreaLoadAndResultant) {
    FemFolder folder;
    Model m = Rectangle();
    m.loads = "1,0,1\n1,3,30.0,0.0,0.0\n1,1,10.0\n";  // 30 kN at (4, 3), 10 kN/m² on the plate
    m.Write(folder);
    FB_DATE d;
    d.hezai_tongji("TONGJI.TXT");
    EXPECT_EQ(ReadAll("TONGJI.TXT"), "1\n2.00,1.50,150.00,2.40,1.80\n");
    EXPECT_TRUE(folder.Told(201, "**根据连接关系本基础共分为  1  部分\n\n  第 1 部分统计结果:\n"
                                 "  (1) 基础面积:   12.00 (m*m)\n  (2) 基础形心:  ( 2.00,  1.50 )\n"
                                 "  (3) 总 合 力:   150.00 (kN)\n  (4) 合力中心:  ( 2.40,  1.80 )\n"
                                 "  (5) 平均反力:   12.50  (kN/m2)\n"))
        << ::testing::PrintToString(folder.Messages());
}

TEST(FoundationStats, CaseCountsBeyondTheLimitsAreRefused) {
    struct Case {
        int cases;
        bool per_case;  // hezai_tongji_1
        const char* message;  // nullptr: accepted
    };
    const Case cases[] = {{2, false, "荷载统计时只允许作一组荷载 !"},
                          {21, true, "荷载统计时只允许作 20 组荷载 !"},
                          {20, true, nullptr}};
    for (const Case& c : cases) {
        FemFolder folder;
        Model m = Rectangle();
        m.loads = "0,0,1\n1,1,10.0\n";
        m.cases = c.cases;
        m.Write(folder);
        FB_DATE d;
        const char* out = c.per_case ? "PJFL_FJ.FB" : "TONGJI.TXT";
        if (c.per_case) d.hezai_tongji_1("ignored");
        else d.hezai_tongji("TONGJI.TXT");
        if (c.message) {
            EXPECT_TRUE(folder.Told(301, c.message)) << c.cases;
            EXPECT_FALSE(std::ifstream(out).good()) << c.cases;
        } else {
            EXPECT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
            std::string expected = "20\n";
            for (int k = 0; k < 20; ++k) expected += "12.000000,120.000000,10.000000\n";
            EXPECT_EQ(ReadAll(out), expected);
        }
        EXPECT_TRUE(folder.FilesClosed());
    }
}

}  // namespace
