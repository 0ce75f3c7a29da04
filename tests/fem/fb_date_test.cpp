// The input reader: the text input file to "STRUC_LD.FB", "SOIL.FB" and
// "LOAD_ASS.FB", its messages, and the faults it refuses.
#include "fem/fb_date.h"
#include "fem/fem_alloc.h"
#include "fem/soil_data.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>

namespace {

using kv::test::F32At;
using kv::test::FemFolder;
using kv::test::I32At;

std::string ReadFixture(const std::string& name) {
    std::ifstream in(std::string(KV_TEST_FIXTURES) + "/fem/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// An input file of the given sections (each a block of lines after its title).
std::string InputFile(const std::string& nodes, const std::string& beams, const std::string& plates = "0,0\n",
                      const std::string& supports = "0,0\n", const std::string& loads = "1\n0,0,0\n",
                      const std::string& soil = "0\n") {
    return "##  有限元计算数据文件    Ver. 1.0\n##  结点\n" + nodes + "##  梁\n" + beams + "##  板\n" + plates +
           "##  支撑\n" + supports + "##  荷载\n" + loads + "##  土层信息\n" + soil;
}

const std::string kTwoNodes = "2\n1,0.0,0.0,1\n2,3.0,0.0,0\n";
const std::string kOneBeam = "1,3\n1,1,1,1,2,250,600,0.0,0,0.0,0.0,0,0,0\n";

void ReadInput(FemFolder& folder, const std::string& text, int mode = 1) {
    folder.Write("YXY_JS.DAT", text);
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", mode, 0);
}

// Where the beam records start in a "STRUC_LD.FB".
std::size_t BeamRecord(const std::string& struc, int k) { return I32At(struc, 4) + 16 + 116 * k; }

TEST(FbDate, GridBeamInputReadsCleanlyIntoTheStructureFileOfTheLayout) {
    FemFolder folder;
    folder.Write("yxy_js.dat", ReadFixture("yxy_js_grid.dat"));  // found whatever the case of its name
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    EXPECT_EQ(JS_ERROR_CODE, 0) << (folder.Messages().empty() ? "" : folder.Messages().back());
    EXPECT_EQ(folder.Read("STRUC_LD.FB"), ReadFixture("yxy_js_grid.struc_ld.fb"));
    EXPECT_EQ(folder.Read("SOIL.FB"), std::string(4, '\0'));
    EXPECT_FALSE(folder.Exists("LOAD_ASS.FB"));
    EXPECT_TRUE(folder.FilesClosed());
    EXPECT_TRUE(folder.Told(1, "Reading  Fixpoint ..."));
    EXPECT_TRUE(folder.Told(1, "Reading  Soil..."));
}

// The strut-layer converter's input file (its own fixture) reads as this reader
// takes it: supports, point and line loads in one case.
TEST(FbDate, StrutLayerConverterInputReadsCleanly) {
    FemFolder folder;
    folder.Write("YXY_JS.DAT", ReadFixture("strut_layer_YXY_JS.DAT"));
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    EXPECT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    std::string struc = folder.Read("STRUC_LD.FB");
    std::size_t supports = I32At(struc, 12);
    EXPECT_EQ(I32At(struc, supports), 2);
    EXPECT_EQ(I32At(struc, supports + 8), 0);  // node 1, stored 0-based
    EXPECT_FLOAT_EQ(F32At(struc, supports + 8 + 16 + 12), 1.0e10f);
}

TEST(FbDate, NodeOutOfItsRunningOrderStopsTheReader) {
    FemFolder folder;
    ReadInput(folder, InputFile("3\n1,0,0,1\n3,1,0,1\n2,2,0,1\n", kOneBeam));
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_EQ(folder.Messages(), (std::vector<std::string>{"Error when read Fix_Point : 2", "Read fixpoint error in main"}));
    // The file stays, its section offsets unwritten, so its reader refuses it.
    EXPECT_EQ(I32At(folder.Read("STRUC_LD.FB"), 0), 0);
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(FbDate, BeamOutOfItsRunningOrderStopsTheRunAfterThePlates) {
    FemFolder folder;
    ReadInput(folder, InputFile(kTwoNodes, "2,3\n1,1,1,1,2,250,600,0,0,0,0,0,0,0\n3,2,1,2,1,250,600,0,0,0,0,0,0,0\n"));
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "Error when read Beam : 2"));
    EXPECT_TRUE(folder.Told(1, "Reading  Plate..."));
    EXPECT_FALSE(folder.Told(1, "Reading  Support..."));
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(FbDate, RestrainedBeamTakesItsAlternativeSectionUnlessOfKindThree) {
    struct Case {
        int kind, b, h;
    } cases[] = {{1, 320, 650}, {3, 250, 600}};
    for (const Case& c : cases) {
        FemFolder folder;
        ReadInput(folder, InputFile(kTwoNodes, "1,3\n1,1," + std::to_string(c.kind) + ",1,2,250,600,0.0,0,0.0,0.0,1,650,320\n"));
        ASSERT_EQ(JS_ERROR_CODE, 0);
        std::string struc = folder.Read("STRUC_LD.FB");
        EXPECT_EQ(I32At(struc, BeamRecord(struc, 0) + 16), c.b) << "kind " << c.kind;
        EXPECT_EQ(I32At(struc, BeamRecord(struc, 0) + 20), c.h) << "kind " << c.kind;
    }
}

TEST(FbDate, ModeThreeScalesTheWidthsItHasFactorsFor) {
    FemFolder folder;
    std::string factors("\x01\0\0\0", 4);
    float half = 0.5f;
    factors.append(reinterpret_cast<const char*>(&half), 4);
    folder.Write("LIANG_GD.FB", factors);
    folder.Write("ban_gd.fb", std::string(4, '\0'));
    ReadInput(folder,
        InputFile(kTwoNodes, "2,3\n1,1,1,1,2,301,600,0.0,0,0.0,0.0,0,0,0\n2,2,1,2,1,301,600,0.0,0,0.0,0.0,0,0,0\n"),
        3);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    std::string struc = folder.Read("STRUC_LD.FB");
    EXPECT_EQ(I32At(struc, BeamRecord(struc, 0) + 16), 150);
    EXPECT_EQ(I32At(struc, BeamRecord(struc, 1) + 16), 301);
}

// A damaged factor file: a factor that is no number, or one whose product leaves
// the whole numbers a width or thickness is stored in, stops the run.
TEST(FbDate, ModeThreeRefusesAFactorThatGivesNoWholeWidth) {
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 1.0e30f,
                         -1.0e30f};
    const std::string plate = "1,3\n1,0,250,0.0,0.0,2\n1,1\n1,2\n";
    const std::string beams = "2,3\n1,1,1,1,2,301,600,0.0,0,0.0,0.0,0,0,0\n2,2,1,2,1,301,600,0.0,0,0.0,0.0,0,0,0\n";
    for (const char* file : {"liang_gd.fb", "ban_gd.fb"})
        for (float factor : bad) {
            SCOPED_TRACE(std::string(file) + " " + std::to_string(factor));
            FemFolder folder;
            std::string factors("\x01\0\0\0", 4);
            factors.append(reinterpret_cast<const char*>(&factor), 4);
            const std::string none(4, '\0');
            folder.Write("liang_gd.fb", std::string(file) == "liang_gd.fb" ? factors : none);
            folder.Write("ban_gd.fb", std::string(file) == "ban_gd.fb" ? factors : none);
            ReadInput(folder, InputFile(kTwoNodes, beams, plate), 3);
            EXPECT_EQ(JS_ERROR_CODE, 301);
            EXPECT_TRUE(folder.Told(301, std::string(file) == "liang_gd.fb" ? "Write beam error in main"
                                                                            : "Write plate error in main"));
            EXPECT_TRUE(folder.FilesClosed());
        }
}

// Signed beam numbers of plate 0's edges, as stored.
std::vector<int> PlateBeams(const std::string& struc) {
    std::size_t at = I32At(struc, 8);
    std::vector<int> out;
    if (I32At(struc, at) < 1) return out;
    at += 12 + 16;  // count, grade, header value; value 0, thickness, elevation, angle
    int edges = I32At(struc, at);
    at += 4;
    for (int e = 0; e < edges; ++e) {
        int k = I32At(struc, at);
        at += 4;
        for (int i = 0; i < k; ++i, at += 4) out.push_back(I32At(struc, at));
    }
    return out;
}

TEST(FbDate, PlateBoundariesAreOrientedAlongTheirChain) {
    // Nodes: (0,0), (2,0), (2,2), (0,2). Beams 1 and 2 join nodes 1 and 2, beam 2 an
    // arc below them (centre (1,0)); beams 3 to 5 close a square with beam 1.
    const std::string nodes = "4\n1,0,0,1\n2,2,0,1\n3,2,2,1\n4,0,2,1\n";
    const std::string beams =
        "5,3\n1,1,1,1,2,250,600,0,0,0,0,0,0,0\n2,2,11,1,2,250,600,0,0,1,0,0,0,0\n"
        "3,3,1,3,2,250,600,0,0,0,0,0,0,0\n4,4,1,3,4,250,600,0,0,0,0,0,0,0\n5,5,1,4,1,250,600,0,0,0,0,0,0,0\n";
    struct Case {
        const char* edges;  // the edge count, then one line per edge
        std::vector<int> stored;
    } cases[] = {
        // Beam 1, then the arc back: the boundary runs clockwise, so after the arc
        // is turned to follow the chain the pair is turned to run counter-clockwise.
        {"2\n1,1\n1,2\n", {-1, 2}},
        {"2\n1,2\n1,1\n", {2, -1}},
        // A square listed clockwise keeps its sense; beam 3 runs with it, the others against.
        {"4\n1,5\n1,4\n1,3\n1,1\n", {-5, -4, 3, -1}},
        {"2\n2,1,3\n2,4,5\n", {1, -3, 4, 5}},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        std::string plates = std::string("1,3\n") + "1,0,250,0.0,0.0," + c.edges;
        ReadInput(folder, InputFile(nodes, beams, plates));
        ASSERT_EQ(JS_ERROR_CODE, 0) << c.edges;
        EXPECT_EQ(PlateBeams(folder.Read("STRUC_LD.FB")), c.stored) << c.edges;
    }
}

TEST(FbDate, BrokenPlateBoundaryStopsTheRun) {
    FemFolder folder;
    const std::string nodes = "4\n1,0,0,1\n2,2,0,1\n3,2,2,1\n4,0,2,1\n";
    const std::string beams = "2,3\n1,1,1,1,2,250,600,0,0,0,0,0,0,0\n2,2,1,3,4,250,600,0,0,0,0,0,0,0\n";
    ReadInput(folder, InputFile(nodes, beams, "1,3\n1,0,250,0.0,0.0,1\n2,1,2\n"));
    EXPECT_EQ(JS_ERROR_CODE, 201);
    EXPECT_TRUE(folder.Told(201, "Plate --- 1 Date error in  plate edge direction"));
}

TEST(FbDate, SoilColumnsGoToTheSoilFile) {
    FemFolder folder;
    ReadInput(folder, InputFile(kTwoNodes, kOneBeam, "0,0\n", "0,0\n", "1\n0,0,0\n",
                          "1\n第1点\n1,2.5,3.5\n2,0.5,-2.0\n1,1.5,19.0,8.0e4\n2,4.0,18.5,1.2e5,2.0e5\n"));
    ASSERT_EQ(JS_ERROR_CODE, 0);
    std::FILE* f = std::fopen("SOIL.FB", "rb");
    ASSERT_TRUE(f);
    std::int32_t count = 0;
    float xy[2];
    ASSERT_EQ(std::fread(&count, 4, 1, f), 1u);
    ASSERT_EQ(std::fread(xy, 4, 2, f), 2u);
    soil_date_xy column;
    ASSERT_EQ(column.soil_date_xy_read(f), 1);
    std::fclose(f);
    EXPECT_EQ(count, 1);
    EXPECT_FLOAT_EQ(xy[0], 2.5f);
    EXPECT_FLOAT_EQ(xy[1], 3.5f);
    ASSERT_EQ(column.Layer_num, 2);
    EXPECT_FLOAT_EQ(column.dmbg, 0.5f);
    EXPECT_FLOAT_EQ(column.dxsbg, -2.0f);
    EXPECT_FLOAT_EQ(column.layers[0].Es, 8.0e4f);
    EXPECT_FLOAT_EQ(column.layers[0].Es1, 1.5e5f);  // four values: the default stays
    EXPECT_FLOAT_EQ(column.layers[0].Gama1, 19.0f);
    EXPECT_FLOAT_EQ(column.layers[1].Es1, 2.0e5f);
    EXPECT_FLOAT_EQ(column.layers[1].fk, 150.0f);
    EXPECT_EQ(folder.Read("SOIL.FB").size(), 4u + 8 + 28 + 2 * 72);
}

TEST(FbDate, ModeTwoAddsThreeZeroLoadsPerBeamAndNotesTheCaseCounts) {
    FemFolder folder;
    const std::string loads = "2\n0,1,0\n1,1,1,2.0,2.0,0.0,3.0\n0,0,0\n";
    ReadInput(folder, InputFile(kTwoNodes, "2,3\n1,1,1,1,2,250,600,0,0,0,0,0,0,0\n2,2,1,2,1,250,600,0,0,0,0,0,0,0\n",
                          "0,0\n", "0,0\n", loads),
        2);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_EQ(folder.Read("LOAD_ASS.FB"), std::string("\x01\0\0\0\0\0\0\0", 8));
    std::string struc = folder.Read("STRUC_LD.FB");
    std::size_t load = I32At(struc, 16);
    ASSERT_EQ(I32At(struc, load), 2);
    std::size_t case1 = I32At(struc, load + 4);
    EXPECT_EQ(I32At(struc, case1 + 4), 1 + 6);
    std::size_t last = case1 + 12 + 24 * 6;  // the last zero load: beam 2, kind 1, 0, 0, 0, 1e10
    EXPECT_EQ(I32At(struc, last), 2);
    EXPECT_EQ(I32At(struc, last + 4), 1);
    EXPECT_FLOAT_EQ(F32At(struc, last + 8), 0.0f);
    EXPECT_FLOAT_EQ(F32At(struc, last + 20), 1.0e10f);
    std::size_t case2 = I32At(struc, load + 8);
    EXPECT_EQ(I32At(struc, case2 + 4), 6);
}

TEST(FbDate, FaultsOfTheInputAreRefused) {
    const std::string longLine = std::string(290, '0');
    struct Case {
        const char* what;
        std::string text;
        std::string message;
    } cases[] = {
        {"beam node beyond the node table", InputFile(kTwoNodes, "1,3\n1,1,1,1,3,250,600,0,0,0,0,0,0,0\n"),
         "Beam 1: node not in the node table (line 8)"},
        {"support node beyond the node table", InputFile(kTwoNodes, kOneBeam, "0,0\n", "1,0\n1,0,2,0,0\n"),
         "Support 1: node 0 not in the node table"},
        {"point load on a node beyond the table", InputFile(kTwoNodes, kOneBeam, "0,0\n", "0,0\n", "1\n1,0,0\n1,3,5.0,0,0\n"),
         "Point load 1: node 3 not in the node table"},
        {"line load on a missing beam", InputFile(kTwoNodes, kOneBeam, "0,0\n", "0,0\n", "1\n0,1,0\n1,2,1,1,1,0,1\n"),
         "Line load 1: beam 2 not in the beam table"},
        {"point load that is not a number", InputFile(kTwoNodes, kOneBeam, "0,0\n", "0,0\n", "1\n1,0,0\n1,2,nan,0,0\n"),
         "Point load 1: a value is not a number (line 16)"},
        {"infinite line load", InputFile(kTwoNodes, kOneBeam, "0,0\n", "0,0\n", "1\n0,1,0\n1,1,1,1,inf,0,1\n"),
         "Line load 1: a value is not a number (line 16)"},
        {"plate of negative thickness", InputFile(kTwoNodes, kOneBeam, "1,3\n1,0,-250,0.0,0.0,1\n1,1\n"),
         "Plate 1: thickness -250 mm is negative"},
        {"line longer than 289 bytes", InputFile("2\n1,0.0,0.0,1\n2," + longLine + "\n", kOneBeam),
         "Line 5 of YXY_JS.DAT is longer than 289 bytes"},
        {"file ending early", InputFile(kTwoNodes, kOneBeam).substr(0, InputFile(kTwoNodes, kOneBeam).find("0,0\n##  支撑")),
         "Input file ends at line 9"},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        ReadInput(folder, c.text);
        EXPECT_EQ(JS_ERROR_CODE, 301) << c.what;
        EXPECT_TRUE(folder.Told(301, c.message)) << c.what << ": " << ::testing::PrintToString(folder.Messages());
        EXPECT_TRUE(folder.FilesClosed()) << c.what;
    }
}

TEST(FbDate, LineOf289BytesIsRead) {
    FemFolder folder;
    std::string node2 = "2,3.0,0.0,0";
    node2 += std::string(289 - node2.size(), ' ');
    ReadInput(folder, InputFile("2\n1,0.0,0.0,1\n" + node2 + "\r\n", kOneBeam));
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

TEST(FbDate, AllocationFailuresGiveTheirMessages) {
    struct Case {
        int nth;
        std::vector<std::string> messages;
    } cases[] = {
        {1, {"Out of Memery !", "Read fixpoint error in main"}},   // node arrays
        {4, {"Out of Memery !", "Read beam error in main"}},       // beam records
    };
    for (const Case& c : cases) {
        FemFolder folder;
        folder.Write("YXY_JS.DAT", InputFile(kTwoNodes, kOneBeam));
        kv::fem::AllocationFailureForTesting fail(c.nth);
        FB_DATE reader;
        reader.main_date("YXY_JS.DAT", 1, 0);
        EXPECT_EQ(JS_ERROR_CODE, 301);
        EXPECT_EQ(folder.Messages(), c.messages) << c.nth;
    }
}

}  // namespace
