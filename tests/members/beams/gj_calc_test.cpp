#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/globals.h"
#include "drawing/dxf.h"
#include "fem/strut_layer_model.h"
#include "frame/frame_files.h"
#include "members/beams/gj_calc.h"
#include "members/beams/gj_data.h"
#include "members/beams/gj_frm.h"
#include "platform/textfile.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "support/work_folder.h"

namespace {

using kv::fem::JsLineLoad;

// A frame model as the geometry editor leaves it: nodes (m), members between
// them (h and b in mm; steel members by A/100 and I/10⁴), supports, loads.
struct Model {
    struct Member {
        int start = 1, end = 2;
        float h = 400, b = 400;
        std::vector<JsLineLoad> loads = {};
        int grade = 30;
        bool steel = false;
        bool arc = false;  // counter-clockwise about (cx, cy), m
        float cx = 0, cy = 0;
    };
    std::vector<std::pair<float, float>> nodes;
    std::vector<Member> members;
    std::vector<kv::fem::JsNodeYS> supports;
    std::vector<kv::fem::JsNodeLoad> nodeLoads;

    void Support(int node, int kind) { supports.push_back({static_cast<int>(supports.size()) + 1, 1, node, 1, 0, kind, 0}); }
    void NodeForce(int node, float fx, float fy, int loadCase = 1) {
        kv::fem::JsNodeLoad l;
        l.number = static_cast<int>(nodeLoads.size()) + 1;
        l.node = node;
        l.kind = 1;
        l.loadCase = loadCase;
        l.value[0] = fx, l.value[1] = fy;
        nodeLoads.push_back(l);
    }

    void Write(const std::string& file) const {
        kv::fem::CJsBzData model(file.c_str());
        model.m_nNetNode = static_cast<int>(nodes.size());
        model.Prepare_NetNode();
        for (std::size_t k = 0; k < nodes.size(); ++k)
            model.m_cNetNode[k] = {static_cast<int>(k) + 1, 1, nodes[k].first, nodes[k].second};
        model.Write_NetNode();
        model.m_nNetLine = static_cast<int>(members.size());
        model.Prepare_NetLine();
        for (std::size_t k = 0; k < members.size(); ++k)
            model.m_cNetLine[k] = {static_cast<int>(k) + 1, 1, members[k].arc ? 1 : 0, members[k].start, members[k].end,
                                   members[k].cx, members[k].cy};
        model.Write_NetLine();
        model.m_nNodeYS = static_cast<int>(supports.size());
        model.Prepare_NodeYS();
        for (std::size_t k = 0; k < supports.size(); ++k) model.m_cNodeYS[k] = supports[k];
        model.Write_NodeYS();
        if (!nodeLoads.empty()) {
            model.m_nNodeLoad = static_cast<int>(nodeLoads.size());
            model.Prepare_NodeLoad();
            for (std::size_t k = 0; k < nodeLoads.size(); ++k) model.m_cNodeLoad[k] = nodeLoads[k];
            model.Write_NodeLoad();
        }
        model.m_nYaoLiang = static_cast<int>(members.size());
        model.Prepare_YaoLiang();
        for (std::size_t k = 0; k < members.size(); ++k) {
            const Member& m = members[k];
            kv::fem::CJsLineGouJian& g = model.m_cYaoLiang[k];
            g.number = g.netLine = g.fourth = static_cast<int>(k) + 1;
            g.sixth = m.grade;
            g.twelfth = g.thirteenth = 0;
            g.sectionType = m.steel ? 2 : 1;
            g.value1 = 2.06f;  // E / 10⁵ of a steel member
            g.width = m.h;
            g.depth = m.b;
            g.alt1 = m.h;
            g.alt2 = m.b;
            g.m_nLoad = static_cast<int>(m.loads.size());
            g.Prepare_Load();
            for (std::size_t j = 0; j < m.loads.size(); ++j) g.m_cLoad[j] = m.loads[j];
        }
        model.Write_YaoLiang();
        EXPECT_EQ(JS_ERROR_CODE, 0) << "the model is written whole";
    }
};

class RigidFrameRun : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        work.MakeCurrent();
        data.SetFileName("A");
        data.m_nRenFang = 1;
        data.m_nInsertResultDiagrams = data.m_nInsertSchemeDiagram = 1;
        data.ConGrade = 30;
    }
    void TearDown() override { JS_ERROR_CODE = 0; }

    // Runs the frame and reads its members back from the report's forces.
    int Run(const Model& model) {
        JS_ERROR_CODE = 0;  // whatever the last run left
        model.Write(std::string("A") + data.ModelSuffix() + "_StrLdA-1.DAT");
        return gj_calculate(&data);
    }
    std::string ReportText() {
        std::string text;
        kv::platform::ReadTextFile(work / "A_GJ.RTF", text);
        return text;
    }
    // The three values of a report line ("弯矩   (kN.m):" …) of member `no`.
    std::vector<float> Row(const std::string& label, int no) {
        const std::string text = ReportText();
        char head[32];
        std::snprintf(head, sizeof head, "构件号: %3d", no);
        const std::size_t at = text.find(head);
        if (at == std::string::npos) return {};
        const std::size_t line = text.find(label, at);
        if (line == std::string::npos) return {};
        float a = 0, b = 0, c = 0;
        if (std::sscanf(text.c_str() + line + label.size(), "%f %f %f", &a, &b, &c) != 3) return {};
        return {a, b, c};
    }
    bool NoWorkFilesLeft() const {
        for (const char* name : {"yxy_js.dat", "STRUC_LD.FB", "FORCE.FB"})
            if (work.Exists(name)) return false;
        return true;
    }

    kv::test::WorkFolder work;
    kv::test::ErrorLines lines;
    kv::test::EditionGuard edition{2010};
    CGjData data;
};

// Fixed-base portal, columns 400 × 400 of h = 4 m (drawn upwards), beam
// b 300 × h 600 of L = 6 m, 100 kN to the left at the left top corner. Slope
// deflection with k = (Ib/L)/(Ic/h): base moments P·h(1 + 3k)/(2(1 + 6k)), top
// moments P·h·3k/(2(1 + 6k)), each column's shear P/2, the beam's shear 2·Mtop/L
// and so the columns' axial forces (the loaded column pressed, the far one
// pulled), the beam pulled by the far column's shear P/2 (axial shortening left
// out: a few per mille).
TEST_F(RigidFrameRun, FixedBasePortalUnderLateralLoad) {
    Model m;
    m.nodes = {{0, 0}, {0, 4}, {6, 4}, {6, 0}};
    m.members = {{1, 2}, {2, 3, 600, 300}, {4, 3}};
    m.Support(1, 3);
    m.Support(4, 3);
    m.NodeForce(2, -100, 0);
    ASSERT_EQ(Run(m), 1);
    EXPECT_TRUE(lines.Has(kv::err::kDataError, "计算成功 !"));
    const double P = 100, h = 4, L = 6;
    const double k = (300.0 * 600 * 600 * 600 / 12 / L) / (400.0 * 400 * 400 * 400 / 12 / h);
    const double base = P * h * (1 + 3 * k) / (2 * (1 + 6 * k)), top = P * h * 3 * k / (2 * (1 + 6 * k));
    for (int column : {1, 3}) {
        SCOPED_TRACE(column);
        const auto M = Row("弯矩   (kN.m):", column), V = Row("剪力     (kN):", column);
        ASSERT_EQ(M.size(), 3u);
        EXPECT_NEAR(std::fabs(M[0]), base, 0.01 * base);
        EXPECT_NEAR(std::fabs(M[2]), top, 0.01 * top);
        EXPECT_NEAR(M[1], (M[0] + M[2]) / 2, 0.01) << "straight between the ends";
        EXPECT_LT(M[0] * M[2], 0) << "the moment changes sign up the column";
        for (float v : V) EXPECT_NEAR(std::fabs(v), P / 2, 0.01 * P / 2);
        const auto N = Row("轴力     (kN):", column);
        ASSERT_EQ(N.size(), 3u);
        for (float n : N) EXPECT_NEAR(n, (column == 1 ? -2 : 2) * top / L, 0.01 * 2 * top / L);
    }
    const auto M = Row("弯矩   (kN.m):", 2), V = Row("剪力     (kN):", 2);
    ASSERT_EQ(M.size(), 3u);
    EXPECT_NEAR(std::fabs(M[0]), top, 0.01 * top);
    EXPECT_NEAR(M[2], -M[0], 0.01 * top);
    EXPECT_NEAR(M[1], 0, 0.01 * top);
    for (float v : V) EXPECT_NEAR(std::fabs(v), 2 * top / L, 0.01 * 2 * top / L);
    for (float n : Row("轴力     (kN):", 2)) EXPECT_NEAR(n, P / 2, 0.01 * P / 2);
    for (const char* dxf : {"A_JT_GJ.DXF", "A_D_GJ.DXF", "A_M_GJ.DXF", "A_V_GJ.DXF", "A_N_GJ.DXF",
                                   "A_PJ_GJ.DXF", "A_ALL_GJ.DXF"})
        EXPECT_TRUE(work.Exists(dxf)) << dxf;
    EXPECT_TRUE(NoWorkFilesLeft());
    // The scheme: members, the model's supports (7) and its load (1), labels, title.
    DXF scheme;
    ASSERT_EQ(scheme.Read_FileDxf_To_Mem((work / "A_JT_GJ.DXF").c_str()), 1);
    int supports = 0, loads = 0;
    bool title = false;
    for (const auto& e : scheme.Entities()) {
        supports += e.color == 7 && e.kind != kv::drawing::EntityKind::Text;
        loads += e.color == 1;
        title = title || e.text == "计算简图";
    }
    EXPECT_GT(supports, 0);
    EXPECT_GT(loads, 0);
    EXPECT_TRUE(title);
}

// A beam of 6 m fixed at its start and hinged at its end under 20 kN/m:
// M = −qL²/8, qL²/16, 0 and V = 5qL/8, qL/8, −3qL/8 at stations 0, 4, 8; the
// middle deflects qL⁴/(192·E·I). A load of case 2 and the model's grade count
// only in the ordinary frame: the civil-air-defence frame takes case 1 and the
// data's grade C30 (Ec = 3.0 × 10⁴ N/mm²; C40 would be 3.25 × 10⁴).
TEST_F(RigidFrameRun, ProppedCantileverAgainstClosedForms) {
    struct Case {
        int renfang;
        float loadFactor;  // the case-2 load adds as much again
        float ec;          // N/mm²
    } cases[] = {{1, 1, 3.0e4f}, {0, 2, 3.25e4f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.renfang);
        data.m_nRenFang = c.renfang;
        Model m;
        m.nodes = {{0, 0}, {6, 0}};
        Model::Member beam{1, 2, 600, 300};
        beam.grade = 40;
        beam.loads = {JsLineLoad{3, 1, {20, 0, 0, 0}}, JsLineLoad{3, 2, {20, 0, 0, 0}}};
        m.members = {beam};
        m.Support(1, 3);
        m.Support(2, 4);
        ASSERT_EQ(Run(m), 1);
        const double q = 20 * c.loadFactor, L = 6, EI = c.ec * 1e3 * 0.3 * 0.6 * 0.6 * 0.6 / 12;
        const auto M = Row(c.renfang ? "弯矩   (kN.m):" : "弯矩   (kN-m):", 1), V = Row("剪力     (kN):", 1),
                   uy = Row("位移    y(mm):", 1);
        ASSERT_EQ(M.size(), 3u);
        EXPECT_NEAR(M[0], -q * L * L / 8, 0.005 * q * L * L / 8);
        EXPECT_NEAR(M[1], q * L * L / 16, 0.005 * q * L * L / 8);
        EXPECT_NEAR(M[2], 0, 0.005 * q * L * L / 8);
        EXPECT_NEAR(V[0], 5 * q * L / 8, 0.005 * q * L);
        EXPECT_NEAR(V[1], q * L / 8, 0.005 * q * L);
        EXPECT_NEAR(V[2], -3 * q * L / 8, 0.005 * q * L);
        EXPECT_NEAR(uy[1], -q * L * L * L * L / (192 * EI) * 1000, 0.01 * q * L * L * L * L / (192 * EI) * 1000);
    }
}

// A straight beam cut into n − 1 members over n nodes.
Model Chain(int n) {
    Model m;
    for (int k = 0; k < n; ++k) m.nodes.push_back({static_cast<float>(k), 0});
    for (int k = 1; k < n; ++k) m.members.push_back({k, k + 1, 500, 300, {JsLineLoad{3, 1, {10, 0, 0, 0}}}});
    m.Support(1, 3);
    m.Support(n, 4);
    return m;
}

TEST_F(RigidFrameRun, TwentyFiveNodesAreAnalysedTwentySixRefusedBeforeAnyWorkFile) {
    ASSERT_EQ(Run(Chain(25)), 1);
    EXPECT_EQ(Row("弯矩   (kN.m):", 24).size(), 3u);
    lines.lines.clear();
    EXPECT_EQ(Run(Chain(26)), 0);
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "对不起，人防刚架结点数不容许超过 25个"));
    EXPECT_FALSE(lines.Has(kv::err::kDataError, "计算不成功 !"));
    EXPECT_TRUE(NoWorkFilesLeft());
    EXPECT_FALSE(work.Exists("A_GJ.RTF")) << "the last run's report is gone";
    data.m_nRenFang = 0;
    EXPECT_EQ(Run(Chain(26)), 1) << "the ordinary frame has no limit";
}

// The ordinary frame with a steel beam: printed with A, I and Es, not designed.
TEST_F(RigidFrameRun, SteelMemberOfTheOrdinaryFrame) {
    data.m_nRenFang = 0;
    Model m;
    m.nodes = {{0, 0}, {0, 4}, {6, 4}, {6, 0}};
    Model::Member beam{2, 3, 84.5f, 12000};
    beam.steel = true;
    beam.loads = {JsLineLoad{3, 1, {20, 0, 0, 0}}};
    m.members = {{1, 2}, beam, {4, 3}};
    m.Support(1, 3);
    m.Support(4, 3);
    ASSERT_EQ(Run(m), 1);
    const std::string text = ReportText();
    EXPECT_NE(text.find("构件号:   2   起点号    2    终点号    3    A   84.500   I   12000.000    Es    2.060"),
              std::string::npos);
    EXPECT_EQ(text.find("纵筋", text.find("构件号:   2")), text.find("纵筋", text.find("构件号:   3")));
}

// A half-circle roof of radius 3 m: an arc member in the records, drawn as an
// arc and labelled with its length along the arc.
TEST_F(RigidFrameRun, ArcMemberOfTheModelIsDrawnAsAnArc) {
    Model m;
    m.nodes = {{0, 0}, {0, 4}, {6, 4}, {6, 0}};
    Model::Member roof{3, 2, 400, 300};
    roof.arc = true;
    roof.cx = 3, roof.cy = 4;
    roof.loads = {JsLineLoad{3, 1, {10, 0, 0, 0}}};
    m.members = {{1, 2}, roof, {4, 3}};
    m.Support(1, 3);
    m.Support(4, 3);
    ASSERT_EQ(Run(m), 1);
    DXF scheme;
    ASSERT_EQ(scheme.Read_FileDxf_To_Mem((work / "A_JT_GJ.DXF").c_str()), 1);
    int arcs = 0;
    bool label = false;
    for (const auto& e : scheme.Entities()) {
        if (e.kind == kv::drawing::EntityKind::Arc && e.color == 3) {
            ++arcs;
            EXPECT_NEAR(e.radius, 3000, 0.5);
            EXPECT_NEAR(e.startAngle, 0, 0.01);
            EXPECT_NEAR(e.endAngle, 180, 0.01);
        }
        label = label || e.text == "2-9425";
    }
    EXPECT_EQ(arcs, 1);
    EXPECT_TRUE(label) << "π × 3000 along the arc";
}

// Without a model, or with a frame that cannot stand, the run says so, leaves
// no results (the last run's are removed) and no work files.
TEST_F(RigidFrameRun, FailedRunsLeaveNoResults) {
    work.Write("A_GJ.RTF", "last run");
    work.Write("A_M_GJ.DXF", "last run");
    EXPECT_EQ(gj_calculate(&data), 0);
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "不能打开文件 : A_KV_StrLdA-1.DAT"));
    EXPECT_TRUE(lines.Has(kv::err::kDataError, "计算不成功 !"));
    EXPECT_FALSE(work.Exists("A_GJ.RTF"));
    EXPECT_FALSE(work.Exists("A_M_GJ.DXF"));

    lines.lines.clear();
    Model hinged;
    hinged.nodes = {{0, 0}, {6, 0}};
    hinged.members = {{1, 2}};
    hinged.Support(1, 4);  // a beam on one hinge turns about it
    hinged.NodeForce(2, 0, 10);
    EXPECT_EQ(Run(hinged), 0);
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "计算未通过!"));
    EXPECT_TRUE(lines.Has(kv::err::kDataError, "计算不成功 !"));
    EXPECT_FALSE(work.Exists("A_GJ.RTF"));
    EXPECT_TRUE(NoWorkFilesLeft());
}

// A force file of fewer members than the structure: 301 and no member touched.
TEST_F(RigidFrameRun, ForceFileOfAnotherMemberCountGivesNoResults) {
    kv::frame::FrmForces forces;
    forces.cases.resize(1);
    forces.cases[0].resize(2);
    forces.cases[0][0].M[0] = 5;
    ASSERT_TRUE(kv::frame::WriteForceFile("FORCE.FB", forces));
    CGjFrmJs client;
    client.SetMemberCount(3);
    client.gj_read_force();
    EXPECT_EQ(JS_ERROR_CODE, kv::err::kFailure);
    EXPECT_EQ(client.m_GouJian[0].M[0], 0.0f);
    EXPECT_EQ(client.m_pForce, nullptr);
}

}  // namespace
