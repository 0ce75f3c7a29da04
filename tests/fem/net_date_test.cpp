// The element data file "NET_DAT.FB": section constants, loads put onto the
// elements, and the whole file written from a structure file and a mesh and read
// back through its reader.
#include "fem/fb_date.h"
#include "fem/mesh_files.h"
#include "fem/yxy_net.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using kv::test::Bytes;
using kv::test::FemFolder;

// Saint-Venant torsion constant of a t × s rectangle (s ≤ t) from its series:
// J = t s³ / 3 (1 − 192 s / (π⁵ t) Σ_{n odd} tanh(n π t / 2 s) / n⁵).
double TorsionSeries(double s, double t) {
    double sum = 0;
    for (int n = 1; n < 200; n += 2) sum += std::tanh(n * std::numbers::pi * t / (2 * s)) / std::pow(n, 5);
    return t * s * s * s / 3 * (1 - 192 * s / (std::pow(std::numbers::pi, 5) * t) * sum);
}

TEST(NetDate, SectionConstantsOfRectangles) {
    struct Case {
        float b, h;
        double I;
    } cases[] = {
        {300, 600, 5.4e9},
        {600, 300, 600.0 * 300 * 300 * 300 / 12},
        {1000, 600, 1.8e10},
        {250, 250, 250.0 * 250 * 250 * 250 / 12},
    };
    for (const Case& c : cases) {
        float J = -1, I = -1;
        YXY_NET::cal_section_ij(c.b, c.h, &J, &I);
        EXPECT_NEAR(I, c.I, c.I * 1e-6) << c.b << " x " << c.h;
        // The closed form is within a few tenths of a percent of the series.
        double s = std::min(c.b, c.h), t = std::max(c.b, c.h);
        EXPECT_NEAR(J, TorsionSeries(s, t), TorsionSeries(s, t) * 3e-3) << c.b << " x " << c.h;
    }
    float J = 0, I = 0;
    YXY_NET::cal_section_ij(300, 600, &J, &I);
    EXPECT_NEAR(J, 3.7079e9, 0.0001e9);
    for (auto [b, h] : {std::pair{0.0f, 600.0f}, {300.0f, -1.0f}}) {
        YXY_NET::cal_section_ij(b, h, &J, &I);
        EXPECT_EQ(J, 0);
        EXPECT_EQ(I, 0);
    }
}

TEST(NetDate, LoadsClippedToElements) {
    // Beam of 3 m in 3 elements; the four values are (qa, qb, xa, xb) or none.
    struct Case {
        const char* what;
        float q1, q2, a1, a2;
        int g;
        bool on;
        float qa, qb, xa, xb;
    } cases[] = {
        {"whole beam, first", 4.5f, 4.5f, 0, 3, 0, true, 4.5f, 4.5f, 0, 1},
        {"whole beam, last", 4.5f, 4.5f, 0, 3, 2, true, 4.5f, 4.5f, 0, 1},
        {"1.2 to 2.0, before", 2, 6, 1.2f, 2.0f, 0, false, 0, 0, 0, 0},
        {"1.2 to 2.0, on", 2, 6, 1.2f, 2.0f, 1, true, 2, 6, 0.2f, 1.0f},
        {"1.2 to 2.0, after", 2, 6, 1.2f, 2.0f, 2, false, 0, 0, 0, 0},
        {"end 0.000005 past a node", 1, 1, 0, 2.000005f, 2, false, 0, 0, 0, 0},
        {"start 0.000005 before a node", 1, 1, 0.999995f, 2.0f, 0, false, 0, 0, 0, 0},
        {"varying across", 0, 3, 0, 3, 1, true, 1, 2, 0, 1},
        {"ends the wrong way round", 1, 1, 2, 1, 1, false, 0, 0, 0, 0},
        {"no length", 1, 1, 1.5f, 1.5f, 1, false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        float qa = -9, qb = -9, xa = -9, xb = -9;
        int on = YXY_NET::clip_line_load(3.0f, c.q1, c.q2, c.a1, c.a2, 3, c.g, &qa, &qb, &xa, &xb);
        ASSERT_EQ(on, c.on ? 1 : 0) << c.what;
        if (!c.on) continue;
        EXPECT_NEAR(qa, c.qa, 1e-5) << c.what;
        EXPECT_NEAR(qb, c.qb, 1e-5) << c.what;
        EXPECT_NEAR(xa, c.xa, 1e-5) << c.what;
        EXPECT_NEAR(xb, c.xb, 1e-5) << c.what;
    }
}

TEST(NetDate, ConcentratedLoadsFindTheirElement) {
    struct Case {
        float x;
        int element;
        float local;
    } cases[] = {{1.0f, 0, 1.0f}, {1.5f, 1, 0.5f}, {3.0f, 2, 1.0f}, {3.5f, 2, 1.5f}, {0, 0, 0}};
    for (const Case& c : cases) {
        int element = -1;
        float local = -1;
        YXY_NET::locate_point_load(3.0f, c.x, 3, &element, &local);
        EXPECT_EQ(element, c.element) << c.x;
        EXPECT_NEAR(local, c.local, 1e-6) << c.x;
    }
}

// A square plate of four beams (nodes 1 to 4) with beam 5 running on from node 2
// to node 5; beam 5 keeps its section (kind 3) and has value 10 = 1.
std::string Input(int beamGrade, int plateGrade) {
    return "##  有限元计算数据文件    Ver. 1.0\n##  结点\n5\n1,0,0,1\n2,3,0,1\n3,3,3,1\n4,0,3,1\n5,6,0,1\n"
           "##  梁\n5," + std::to_string(beamGrade) + ",0,0\n"
           "1,1,1,1,2,250,600,0.0,0,0.0,0.0,0,0,0\n2,2,1,2,3,250,600,0.0,0,0.0,0.0,0,0,0\n"
           "3,3,1,3,4,250,600,0.0,0,0.0,0.0,0,0,0\n4,4,1,4,1,250,600,0.0,0,0.0,0.0,0,0,0\n"
           "5,5,3,2,5,300,500,-0.5,40,0.0,0.0,1,100,1000\n"
           "##  板\n1," + std::to_string(plateGrade) + ",0\n1,0,200,0.0,0.0,4\n1,1\n1,2\n1,3\n1,4\n"
           "##  支撑\n1,0\n1,5,1,0.0,5000.0\n"
           "##  荷载\n2\n00000001,00000004,00000001\n1,5,12.50,0.00,0.00\n"
           "1,5,1,4.50,4.50,0.00,3.00\n2,5,1,2.00,6.00,1.20,2.00\n3,5,2,20.00,0.00,0.00,1.00\n"
           "4,1,1,3.00,3.00,0.00,3.00\n1,1,10.00\n"
           "00000000,00000001,00000000\n1,5,1,1.00,1.00,0.00,2.000005\n##  土层信息\n0\n";
}

// The mesh of that model: beams 1 to 4 one element each, beam 5 three (old nodes
// 5 and 6 inside it), the plate four triangles around its centre (old node 7).
const float kX[] = {0, 3, 3, 0, 6, 4, 5, 1.5f};
const float kY[] = {0, 0, 3, 3, 0, 0, 0, 1.5f};

void WriteMesh(YXY_NET& net, int beams = 5) {
    Bytes pre;
    pre.i({12, 0, 12});
    pre.i({beams});
    const int nodes[4][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}};
    for (int b = 0; b < 4 && b < beams; ++b) pre.i({b, 2, nodes[b][0], nodes[b][1]});
    if (beams == 5) pre.i({4, 4, 1, 5, 6, 4});
    pre.Patch(4, pre.size());
    pre.i({1, 0, 4, 0, 1, 7, 1, 2, 7, 2, 3, 7, 3, 0, 7});
    {
        std::FILE* f = std::fopen("NET_PRE.FB", "wb");
        std::fwrite(pre.str().data(), 1, pre.str().size(), f);
        std::fclose(f);
    }
    net.divide_length = 1.0e6f;
    for (int k = 0; k < 8; ++k) net.add_point(kX[k], kY[k]);
    net.bandwidth();
}

void Prepare(FemFolder& folder, YXY_NET& net, int beamGrade = 30, int plateGrade = 30) {
    folder.Write("YXY_JS.DAT", Input(beamGrade, plateGrade));
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    WriteMesh(net);
    ASSERT_EQ(JS_ERROR_CODE, 0);
}

struct Line {
    int element, kind;
    float v[4];
};

void ExpectLines(const net_dat_file& dat, const std::vector<Line>& want, const char* what) {
    ASSERT_EQ(dat.line.size(), want.size()) << what;
    for (std::size_t k = 0; k < want.size(); ++k) {
        EXPECT_EQ(dat.line[k].beam, want[k].element) << what << " " << k;
        EXPECT_EQ(dat.line[k].kind, want[k].kind) << what << " " << k;
        for (int v = 0; v < 4; ++v) EXPECT_NEAR(dat.line[k].v[v], want[k].v[v], 1e-5) << what << " " << k;
    }
}

TEST(NetDate, ModelWrittenUnderTheNewNumbersReadsBack) {
    FemFolder folder;
    YXY_NET net;
    Prepare(folder, net);
    net.form_date_file();
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    EXPECT_FALSE(net.points);  // the node table is let go
    EXPECT_TRUE(folder.FilesClosed());

    net_pre_file pre("NET_PRE.FB");
    ASSERT_EQ(pre.read_index(), 1);
    auto to = [&](int old) { return pre.new_of_old[std::size_t(old)]; };
    net_dat_file dat("NET_DAT.FB");
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_EQ(dat.offset[0], 24);
    EXPECT_EQ(dat.offset[1], 60);
    EXPECT_EQ(dat.node_num, 8);
    EXPECT_EQ(dat.beam_num, 7);
    EXPECT_EQ(dat.plate_num, 4);
    EXPECT_EQ(dat.support_num, 1);
    EXPECT_EQ(dat.case_num, 2);
    // C30: Ec = 3.00e4 N/mm², ν = 0.2 (GB 50010 4.1.5, 4.1.8).
    EXPECT_FLOAT_EQ(dat.beam_E, 3.0e7f);
    EXPECT_FLOAT_EQ(dat.beam_mu, 0.2f);
    EXPECT_FLOAT_EQ(dat.plate_E, 3.0e7f);
    EXPECT_FLOAT_EQ(dat.plate_mu, 0.2f);

    ASSERT_EQ(dat.read_node(), 1);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(dat.x[std::size_t(to(k))], kX[k]) << k;
        EXPECT_EQ(dat.y[std::size_t(to(k))], kY[k]) << k;
    }

    ASSERT_EQ(dat.read_beam(), 1);
    const int ends[7][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {1, 5}, {5, 6}, {6, 4}};
    for (int e = 0; e < 7; ++e) {
        EXPECT_EQ(dat.beams[std::size_t(e)].i, to(ends[e][0])) << e;
        EXPECT_EQ(dat.beams[std::size_t(e)].j, to(ends[e][1])) << e;
    }
    // Beams 1 to 4: 250 × 600 at level 0; beam 5: 1000 wide, 100 + 500 deep, its
    // underside 0.5 m down, so its centre 200 mm down.
    EXPECT_FLOAT_EQ(dat.beams[0].I, 250.0f * 600 * 600 * 600 / 12);
    EXPECT_EQ(dat.beams[0].offset2, 300);
    for (int e = 4; e < 7; ++e) {
        const net_beam_ele& b = dat.beams[std::size_t(e)];
        EXPECT_FLOAT_EQ(b.I, 1.8e10f);
        EXPECT_NEAR(b.J, TorsionSeries(600, 1000), TorsionSeries(600, 1000) * 3e-3);
        EXPECT_EQ(b.offset1, 40);
        EXPECT_EQ(b.offset2, -200);
    }

    ASSERT_EQ(dat.read_plate(), 1);
    for (int t = 0; t < 4; ++t) {
        const net_plate_ele& p = dat.plates[std::size_t(t)];
        EXPECT_EQ(p.a, to(t));
        EXPECT_EQ(p.b, to((t + 1) % 4));
        EXPECT_EQ(p.c, to(7));
        EXPECT_EQ(p.thick, 200);
    }

    ASSERT_EQ(dat.read_support(), 1);
    EXPECT_EQ(dat.supports[0].node, to(4));
    EXPECT_EQ(dat.supports[0].kind, 1);
    EXPECT_FLOAT_EQ(dat.supports[0].value2, 5000.0f);

    ASSERT_EQ(dat.read_load(0, 1), 1);
    ASSERT_EQ(dat.con.size(), 1u);
    EXPECT_EQ(dat.con[0].node, to(4));
    EXPECT_FLOAT_EQ(dat.con[0].P, 12.5f);
    ASSERT_EQ(dat.read_load(0, 2), 1);
    ExpectLines(dat,
                {{4, 1, {4.5f, 4.5f, 0, 1}},
                 {5, 1, {4.5f, 4.5f, 0, 1}},
                 {6, 1, {4.5f, 4.5f, 0, 1}},
                 {5, 1, {2, 6, 0.2f, 1}},
                 {4, 2, {20, 0, 0, 1}},
                 {0, 1, {3, 3, 0, 3}}},
                "case 1");
    ASSERT_EQ(dat.read_load(0, 3), 1);
    ASSERT_EQ(dat.distri.size(), 4u);
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(dat.distri[std::size_t(t)].plate, t);
        EXPECT_FLOAT_EQ(dat.distri[std::size_t(t)].q, 10.0f);
    }
    // Case 2: a load ending 0.000005 m past the node between elements 2 and 3 of
    // beam 5 stops there.
    ASSERT_EQ(dat.read_load(1, 2), 1);
    ExpectLines(dat, {{4, 1, {1, 1, 0, 1}}, {5, 1, {1, 1, 0, 1.000005f}}}, "case 2");
    EXPECT_EQ(dat.con_num, 0);
    EXPECT_EQ(dat.distri_num, 0);
}

TEST(NetDate, ElementOffsetsCountWhatComesBefore) {
    FemFolder folder;
    YXY_NET net;
    Prepare(folder, net);
    net_pre_file pre("NET_PRE.FB");
    ASSERT_EQ(pre.read_beam_cut(), 1);
    ASSERT_EQ(pre.read_plate_cut(), 1);
    EXPECT_EQ(YXY_NET::beam_element_offset(0, &pre), 0);
    EXPECT_EQ(YXY_NET::beam_element_offset(4, &pre), 4);
    EXPECT_EQ(YXY_NET::beam_element_offset(5, &pre), 7);
    EXPECT_EQ(YXY_NET::plate_element_offset(0, &pre), 0);
    EXPECT_EQ(YXY_NET::plate_element_offset(1, &pre), 4);
}

TEST(NetDate, UnknownConcreteGradeStopsTheRun) {
    for (auto [beam, plate] : {std::pair{99, 30}, {30, 7}}) {
        FemFolder folder;
        YXY_NET net;
        Prepare(folder, net, beam, plate);
        net.form_date_file();
        EXPECT_EQ(JS_ERROR_CODE, 301) << beam << " " << plate;
        EXPECT_TRUE(folder.Told(301, "混凝土标号错误 !")) << beam << " " << plate;
        EXPECT_FALSE(folder.Exists("NET_DAT.FB"));
        EXPECT_TRUE(folder.FilesClosed());
    }
}

TEST(NetDate, PlateMaterialFileReplacesThePlateConcreteOnlyWithFlagZero) {
    struct Case {
        const char* file;
        float E, mu;
    } cases[] = {{"0,3.25,0.18\n", 3.25e7f, 0.18f}, {"1,3.25,0.18\r\n", 3.0e7f, 0.2f}};
    for (const Case& c : cases) {
        FemFolder folder;
        YXY_NET net;
        net.acad_flag = 1;
        Prepare(folder, net);
        folder.Write("ban_mat.fb", c.file);
        net.form_date_file();
        ASSERT_EQ(JS_ERROR_CODE, 0) << c.file;
        net_dat_file dat("NET_DAT.FB");
        EXPECT_FLOAT_EQ(dat.plate_E, c.E) << c.file;
        EXPECT_FLOAT_EQ(dat.plate_mu, c.mu) << c.file;
        EXPECT_FLOAT_EQ(dat.beam_E, 3.0e7f) << c.file;
    }
}

TEST(NetDate, PlateMaterialFileMissingOrUnreadableStopsTheRun) {
    struct Case {
        const char* file;  // nullptr: none
        int code;
    } cases[] = {{nullptr, 201}, {"0;3.25\n", 301}};
    for (const Case& c : cases) {
        FemFolder folder;
        YXY_NET net;
        net.acad_flag = 1;
        Prepare(folder, net);
        if (c.file) folder.Write("BAN_MAT.FB", c.file);
        net.form_date_file();
        EXPECT_EQ(JS_ERROR_CODE, c.code);
        EXPECT_FALSE(folder.Exists("NET_DAT.FB"));
        EXPECT_TRUE(folder.FilesClosed());
    }
}

TEST(NetDate, MeshThatDoesNotFitTheModelIsRefused) {
    FemFolder folder;
    folder.Write("YXY_JS.DAT", Input(30, 30));
    {
        FB_DATE reader;
        reader.main_date("YXY_JS.DAT", 1, 0);
    }
    YXY_NET net;
    WriteMesh(net, 4);  // one beam fewer than the model has
    ASSERT_EQ(JS_ERROR_CODE, 0);
    net.form_date_file();
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "Read file error in form_date_file"));
    EXPECT_FALSE(folder.Exists("NET_DAT.FB"));
    EXPECT_TRUE(folder.FilesClosed());
}

}  // namespace
