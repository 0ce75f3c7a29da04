// The mesh stage as a whole: the divide length it settles on, its headlines,
// and the files it leaves.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "fem/fb_date.h"
#include "fem/mesh_files.h"
#include "fem/yxy_net.h"
#include "fem_test_support.h"

namespace {

using kv::test::FemFolder;

// Input text of nodes, beams between them (1-based) and square plates given by
// their four beams, one load case without loads.
std::string Input(const std::vector<std::pair<float, float>>& nodes, const std::vector<std::pair<int, int>>& beams,
                  const std::vector<std::vector<int>>& plates = {}) {
    std::string t = "##  有限元计算数据文件    Ver. 1.0\n##  结点\n" + std::to_string(nodes.size()) + "\n";
    char line[160];
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        std::snprintf(line, sizeof line, "%d,%.3f,%.3f,1\n", int(i + 1), nodes[i].first, nodes[i].second);
        t += line;
    }
    t += "##  梁\n" + std::to_string(beams.size()) + ",30\n";  // C30
    for (std::size_t i = 0; i < beams.size(); ++i) {
        std::snprintf(line, sizeof line, "%d,%d,1,%d,%d,250,600,0.0,0,0.0,0.0,0,0,0\n", int(i + 1), int(i + 1),
                      beams[i].first, beams[i].second);
        t += line;
    }
    t += "##  板\n" + std::to_string(plates.size()) + ",30\n";
    for (std::size_t j = 0; j < plates.size(); ++j) {
        t += std::to_string(j + 1) + ",0,250,0.0,0.0," + std::to_string(plates[j].size()) + "\n";
        for (int b : plates[j]) t += "1," + std::to_string(b) + "\n";
    }
    // Supports at the first two nodes keep the model from moving.
    return t + "##  支撑\n2,0\n1,1,3,0,0\n2,2,3,0,0\n##  荷载\n1\n0,0,0\n##  土层信息\n0\n";
}

void ReadModel(FemFolder& folder, const std::string& text) {
    folder.Write("YXY_JS.DAT", text);
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
}

// Without beams the stage ends after it has settled the divide length, so the
// rules show on their own.
TEST(MainNet, DivideLengthRulesThenAModelWithoutBeamsStopsWithoutAMesh) {
    struct Case {
        int type;
        float divide;
        const char* line;
    } cases[] = {
        {0, 0, " Divide_length = 0.500000"},   // 3.0 / 6 raised to 0.5
        {4, 0, " Divide_length = 0.500000"},
        {3, 0, " Divide_length = 1.500000"},   // type 3 at least 1.5
        {-1, 0, " Divide_length = 0.500000"},  // 3.0 / 12 raised to 0.5
        {0, 1.0e6f, " Divide_length = 1000000.000000"},
        {2, 0.8f, " Divide_length = 0.800000"},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        ReadModel(folder, Input({{0, 0}, {3, 0}}, {}));
        YXY_NET net;
        net.main_net(c.type, c.divide, 6000);
        EXPECT_TRUE(folder.Told(10, c.line)) << c.type << " " << ::testing::PrintToString(folder.Messages());
        if (c.divide == 0) {
            EXPECT_FLOAT_EQ(net.suggested_length, 3.0f);
        }
        EXPECT_EQ(JS_ERROR_CODE, 201);
        EXPECT_TRUE(folder.Told(201, "有限元模型中没有梁, 不能剖分网格 !"));
        EXPECT_FALSE(folder.Exists("NET_PRE.FB"));
        EXPECT_FALSE(folder.Exists("NET_DAT.FB"));
        EXPECT_TRUE(folder.FilesClosed());
    }
}

TEST(MainNet, AnAnalysisTypeOutsideMinusOneToFourIsRefusedBeforeAnything) {
    for (int type : {-2, 5}) {
        FemFolder folder;
        ReadModel(folder, Input({{0, 0}, {3, 0}}, {{1, 2}}));
        YXY_NET net;
        net.main_net(type, 1.0e6f, 6000);
        EXPECT_EQ(JS_ERROR_CODE, 301);
        EXPECT_EQ(folder.Messages(), std::vector<std::string>{"有限元分析类型错误 !"});
        EXPECT_FALSE(folder.Exists("NET_PRE.FB"));
    }
}

TEST(MainNet, ADivideLengthBelowZeroOrNotANumberIsRefusedBeforeAnything) {
    for (float divide : {-1.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        FemFolder folder;
        ReadModel(folder, Input({{0, 0}, {3, 0}}, {{1, 2}}));
        YXY_NET net;
        net.main_net(0, divide, 6000);
        EXPECT_EQ(JS_ERROR_CODE, 301) << divide;
        EXPECT_EQ(folder.Messages(), std::vector<std::string>{"网格剖分长度错误 !"}) << divide;
        EXPECT_FALSE(folder.Exists("NET_PRE.FB")) << divide;
    }
}

// The main program's call: every beam one element, the plates meshed, and the
// steps announced in order down to the freedom file.
TEST(MainNet, TheMainProgramsLengthKeepsOneElementPerBeamAndRunsEveryStep) {
    FemFolder folder;
    // Two 3 m squares side by side.
    ReadModel(folder, Input({{0, 0}, {3, 0}, {3, 3}, {0, 3}, {6, 0}, {6, 3}},
                            {{1, 2}, {2, 3}, {3, 4}, {4, 1}, {2, 5}, {5, 6}, {6, 3}}, {{1, 2, 3, 4}, {5, 6, 7, 2}}));
    folder.Write("YS.FB", "00000000\n");  // type 0 takes its restraints from the caller
    YXY_NET net;
    net.main_net(0, 1.0e6f, 6000);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    std::vector<std::string> headlines;
    for (const auto& l : folder.lines)
        if (l.code == -2) headlines.push_back(l.text);
    EXPECT_EQ(headlines, (std::vector<std::string>{"正在计算网格剖分建议长度....", "正在做梁剖分....", "正在做板剖分....",
                                                   "正在剖分板:  1 号...", "正在剖分板:  2 号...", "正在做带宽优化....",
                                                   "正在形成有限元计算数据文件....", "正在形成自由度信息文件...."}));
    {
        net_pre_file pre("NET_PRE.FB");
        ASSERT_EQ(pre.read_beam_cut(), 1);
        ASSERT_EQ(pre.beam_num, 7);
        for (const beam_cut_date& b : pre.beams) EXPECT_EQ(b.num, 2);
        ASSERT_EQ(pre.read_index(), 1);
        EXPECT_EQ(pre.node_num, 6 + 2);  // a fan centre in each plate
    }
    {
        net_dat_file dat("NET_DAT.FB");
        EXPECT_EQ(dat.node_num, 8);
        EXPECT_EQ(dat.beam_num, 7);
        EXPECT_EQ(dat.plate_num, 8);
    }
    EXPECT_TRUE(folder.Exists("FREEDOM.FB"));
    EXPECT_TRUE(folder.Exists("INDEX_P.FB"));
    EXPECT_TRUE(folder.FilesClosed());
}

// A length left to the stage: a twelfth of the suggested one for type -1,
// whose own restraint file the freedom step then reads.
TEST(MainNet, TypeMinusOneDividesByTwelveOfTheSuggestedLengthAndWritesItsRestraints) {
    FemFolder folder;
    ReadModel(folder, Input({{0, 0}, {12, 0}, {12, 12}, {0, 12}}, {{1, 2}, {2, 3}, {3, 4}, {4, 1}}, {{1, 2, 3, 4}}));
    YXY_NET net;
    net.main_net(-1, 0, 6000);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    EXPECT_FLOAT_EQ(net.suggested_length, 12.0f);
    EXPECT_TRUE(folder.Told(10, " Divide_length = 1.000000"));
    EXPECT_EQ(folder.Read("YS.FB"), "00000000\n");
    {
        net_pre_file pre("NET_PRE.FB");
        ASSERT_EQ(pre.read_beam_cut(), 1);
        for (const beam_cut_date& b : pre.beams) EXPECT_EQ(b.num, 13);
        ASSERT_EQ(pre.read_index(), 1);
        EXPECT_EQ(pre.node_num, 13 * 13);  // the structured grid
    }
    EXPECT_TRUE(folder.Exists("FREEDOM.FB"));
    EXPECT_TRUE(folder.FilesClosed());
}

}  // namespace

// A co-ordinate that is no number or infinite (typed as "nan" or "inf", or a
// damaged structure file) has no mesh: the stage stops before its first file
// and names the node, whatever the divide length.
TEST(MainNet, ANodeWithoutAFiniteCoordinateIsRefusedBeforeAnyFile) {
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                      -std::numeric_limits<float>::infinity()})
        for (float divide : {0.0f, 1.0f}) {
            SCOPED_TRACE(std::to_string(bad) + " " + std::to_string(divide));
            FemFolder folder;
            ReadModel(folder, Input({{0, 0}, {3, 0}, {3, bad}, {0, 3}}, {{1, 2}, {2, 3}, {3, 4}, {4, 1}}, {{1, 2, 3, 4}}));
            folder.Write("YS.FB", "00000000\n");
            YXY_NET net;
            net.main_net(0, divide, 6000);
            EXPECT_EQ(JS_ERROR_CODE, 301);
            EXPECT_TRUE(folder.Told(301, "第 3 号结点的坐标不是有效数值 !")) << ::testing::PrintToString(folder.Messages());
            EXPECT_FALSE(folder.Exists("NET_PRE.FB"));
            EXPECT_FALSE(folder.Exists("NET_DAT.FB"));
            EXPECT_FALSE(folder.Exists("FREEDOM.FB"));
            EXPECT_TRUE(folder.FilesClosed());
        }
}

// The soil analyses (types 1 and 3) give every mesh node its nearest soil column
// once the element data file is complete, before the freedoms.
TEST(MainNet, SoilTypesTakeTheNearestSoilColumnOfEveryMeshNode) {
    for (int type : {1, 3}) {
        FemFolder folder;
        std::string text = Input({{0, 0}, {3, 0}, {3, 3}, {0, 3}}, {{1, 2}, {2, 3}, {3, 4}, {4, 1}}, {{1, 2, 3, 4}});
        text.replace(text.find("##  土层信息\n0\n"), std::string::npos,
                     "##  土层信息\n1\n第1点\n1,2.0,1.5\n2,0.0,-2.0\n1,1.5,19.0,8.0e4\n2,4.0,18.5,1.2e5,2.0e5\n");
        ReadModel(folder, text);
        YXY_NET net;
        net.main_net(type, 1.0e6f, 6000);
        EXPECT_EQ(JS_ERROR_CODE, 0) << type << ::testing::PrintToString(folder.Messages());
        EXPECT_TRUE(folder.Told(0, "    0)  Cal_soil_infor_node()")) << type;
        EXPECT_TRUE(folder.Exists("SOILNODE.FB")) << type;
        EXPECT_TRUE(folder.Exists("FREEDOM.FB")) << type;
    }
    FemFolder folder;
    ReadModel(folder, Input({{0, 0}, {3, 0}}, {{1, 2}}));
    folder.Write("YS.FB", "00000000\n");
    YXY_NET net;
    net.main_net(0, 1.0e6f, 6000);
    EXPECT_FALSE(folder.Exists("SOILNODE.FB"));
}
