// The frame library's calls in the order the modules make them: input file →
// main_date → structure file → main_yxy → force file, and what the readers give
// at the field positions the modules read.
#include "frame/frame_library.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "base/error.h"
#include "drawing/base_sgt.h"
#include "frame/frame_solver.h"
#include "support/error_lines.h"
#include "support/temp_folder.h"

namespace {

using namespace kv::frame;
using kv::test::ErrorLines;
using kv::test::TempFolder;

// The 4-byte field `k` of a record, as a module reading it by position sees it.
template <typename T>
std::uint32_t Word(const T& record, int k) {
    std::uint32_t w;
    std::memcpy(&w, reinterpret_cast<const char*>(&record) + 4 * k, 4);
    return w;
}
template <typename T>
float FloatAt(const T& record, int k) {
    float f;
    std::memcpy(&f, reinterpret_cast<const char*>(&record) + 4 * k, 4);
    return f;
}

// A fixed-base portal of C30 300 × 600 columns (drawn upwards) and a half-circle
// roof of given A, I, E about (3, 4) with a released end, under a lateral force
// and a roof load in case 1 and a load of case 2.
FrmStructure PortalWithArcRoof() {
    FrmStructure s;
    s.nodes = {{11, 0, 0}, {12, 0, 4}, {13, 6, 4}, {14, 6, 0}};
    StrucBeam_Frm column;
    column.material = 1;
    column.section[0] = 600;  // h
    column.section[1] = 300;  // b
    column.grade = 30;
    column.number = 5;
    column.start = 1;
    column.end = 2;
    StrucBeam_Frm roof;
    roof.kind = 2;
    roof.material = 2;
    roof.section[0] = 1800;  // A/100
    roof.section[1] = 5.4e5f;  // I/10⁴
    roof.e = 0.3f;
    roof.number = 6;
    roof.start = 3;  // counter-clockwise from (6, 4) over the top to (0, 4)
    roof.end = 2;
    roof.xc = 3;
    roof.yc = 4;
    roof.releaseEnd = 1;
    roof.flag = 1;
    StrucBeam_Frm right = column;
    right.number = 7;
    right.start = 4;
    right.end = 3;
    s.beams = {column, roof, right};
    s.supports = {{1, 3, 0, 0}, {4, 3, 0, 0}};
    s.nodeLoads = {{2, 1, 1, {10, 0, 0}}};
    s.memberLoads = {{2, 1, 3, {5, 0, 0, 0}}, {1, 2, 3, {7, 0, 0, 0}}};
    return s;
}

class FrameLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        folder.MakeCurrent();
    }
    void TearDown() override { JS_ERROR_CODE = 0; }

    TempFolder folder;
    ErrorLines errors;
};

TEST_F(FrameLibrary, StructureFileFieldsAtTheirPositions) {
    ASSERT_TRUE(WriteStructureFile("YXY_JS.DAT", kInputTag, PortalWithArcRoof()));
    FB_DATE_Frm date;
    ASSERT_EQ(date.main_date("yxy_js.dat"), 1);  // any case of the name
    ASSERT_TRUE(folder.Exists("STRUC_LD.FB"));

    struc_ld_file_Frm file("struc_ld.fb");
    ASSERT_EQ(file.m_nBeam, 3);
    ASSERT_EQ(file.read_fixpoint(), 1);
    ASSERT_EQ(file.read_beam(), 1);
    EXPECT_EQ(file.m_cFixPoint.size(), 2u);
    const StrucBeam_Frm& column = file.m_cBeam[0];
    const StrucBeam_Frm& roof = file.m_cBeam[1];
    EXPECT_EQ(Word(column, 0), 1u);
    EXPECT_EQ(Word(roof, 0), 2u);  // arc
    EXPECT_EQ(Word(column, 1), 1u);
    EXPECT_EQ(Word(roof, 1), 2u);  // given A, I, E
    EXPECT_EQ(FloatAt(column, 4), 600.0f);
    EXPECT_EQ(FloatAt(column, 5), 300.0f);
    EXPECT_EQ(FloatAt(roof, 4), 1800.0f);
    EXPECT_EQ(FloatAt(roof, 5), 5.4e5f);
    EXPECT_EQ(FloatAt(roof, 8), 3.0f);
    EXPECT_EQ(FloatAt(roof, 9), 4.0f);
    EXPECT_EQ(FloatAt(column, 10), 30.0f);
    EXPECT_EQ(FloatAt(roof, 11), 6.0f);
    EXPECT_EQ(FloatAt(roof, 12), 4.0f);
    EXPECT_EQ(FloatAt(roof, 13), 0.0f);
    EXPECT_EQ(FloatAt(roof, 14), 4.0f);
    // Both section kinds come to the same stiffness.
    EXPECT_FLOAT_EQ(column.E * column.I, roof.E * roof.I);
    EXPECT_FLOAT_EQ(column.E * column.A, roof.E * roof.A);
}

TEST_F(FrameLibrary, ForceFileHoldsTheAnalysisAtItsPositions) {
    FrmStructure input = PortalWithArcRoof();
    ASSERT_TRUE(WriteStructureFile("yxy_js.dat", kInputTag, input));
    FB_DATE_Frm date;
    ASSERT_EQ(date.main_date("yxy_js.dat"), 1);
    YXY_Frm yxy;
    yxy.m_nRenFang = 1;
    ASSERT_EQ(yxy.main_yxy(), 1);
    ASSERT_TRUE(folder.Exists("FORCE.FB"));

    // The frame the structure file holds, straight through the analysis, load
    // case 1 only.
    FrmStructure struc;
    std::string error;
    ASSERT_TRUE(ReadStructureFile("STRUC_LD.FB", kStrucTag, struc, error)) << error;
    SolveOptions firstCase;
    firstCase.firstCaseOnly = true;
    FrameResult expected;
    ASSERT_EQ(SolveFrame(ToModel(struc), firstCase, expected).status, SolveStatus::Ok);

    force_file_Frm force("Force.fb");
    ASSERT_EQ(force.m_nBeam, 3);
    ASSERT_EQ(force.m_nCase, 1);
    ASSERT_NE(force.read_beam(0), 0);
    for (int m = 0; m < 3; ++m) {
        const ForceBeam_Frm& r = force.m_cBeam[m];
        const StationValues& v = expected.members[m];
        EXPECT_EQ(static_cast<int>(Word(r, 0)), input.beams[m].number);
        for (int i = 0; i < 9; ++i) {
            EXPECT_FLOAT_EQ(FloatAt(r, 14 + i), static_cast<float>(v.M[i])) << m << " " << i;
            EXPECT_FLOAT_EQ(FloatAt(r, 23 + i), static_cast<float>(v.N[i])) << m << " " << i;
            EXPECT_FLOAT_EQ(FloatAt(r, 32 + i), static_cast<float>(v.V[i])) << m << " " << i;
            EXPECT_FLOAT_EQ(FloatAt(r, 41 + i), static_cast<float>(v.ux[i])) << m << " " << i;
            EXPECT_FLOAT_EQ(FloatAt(r, 50 + i), static_cast<float>(v.uy[i])) << m << " " << i;
        }
    }
    EXPECT_NEAR(force.m_cBeam[1].M[8], 0, 1e-4);  // the roof's released end
    force.free_beam();
    EXPECT_TRUE(force.m_cBeam.empty());
    EXPECT_EQ(force.read_beam(1), 0);
}

TEST_F(FrameLibrary, MissingInputFileIsReported) {
    FB_DATE_Frm date;
    EXPECT_EQ(date.main_date("yxy_js.dat"), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(errors.Has(301, "刚架计算数据错: 找不到文件 yxy_js.dat"));
    EXPECT_FALSE(folder.Exists("STRUC_LD.FB"));
}

TEST_F(FrameLibrary, ZeroLengthMemberOrUnknownGradeStopsTheInputStage) {
    FrmStructure s = PortalWithArcRoof();
    s.nodes[3] = {14, 6, 4};  // member 7 from (6, 4) to (6, 4)
    ASSERT_TRUE(WriteStructureFile("yxy_js.dat", kInputTag, s));
    FB_DATE_Frm date;
    EXPECT_EQ(date.main_date("yxy_js.dat"), 0);
    EXPECT_TRUE(errors.Has(301, "构件 7 长度为零 !"));
    EXPECT_FALSE(folder.Exists("STRUC_LD.FB"));

    JS_ERROR_CODE = 0;
    s = PortalWithArcRoof();
    s.beams[0].grade = 31;
    ASSERT_TRUE(WriteStructureFile("yxy_js.dat", kInputTag, s));
    EXPECT_EQ(date.main_date("yxy_js.dat"), 0);
    EXPECT_TRUE(errors.Has(301, "构件 5 混凝土标号错误 !"));
}

TEST_F(FrameLibrary, MechanismLeavesNoForceFile) {
    folder.Write("force.fb", "from an earlier run");
    FrmStructure s = PortalWithArcRoof();
    for (FrmSupport& support : s.supports) support.kind = 4;  // hinged bases
    s.beams[1].releaseStart = 1;  // and a roof hinged at both ends: it sways
    ASSERT_TRUE(WriteStructureFile("yxy_js.dat", kInputTag, s));
    FB_DATE_Frm date;
    ASSERT_EQ(date.main_date("yxy_js.dat"), 1);
    YXY_Frm yxy;
    EXPECT_EQ(yxy.main_yxy(), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(errors.Has(301, "结构是几何可变体系（刚度矩阵奇异），不能计算 !"));
    EXPECT_FALSE(folder.Exists("FORCE.FB"));
    EXPECT_FALSE(folder.Exists("force.fb"));

    force_file_Frm force("FORCE.FB");
    EXPECT_EQ(force.m_nBeam, 0);
    EXPECT_EQ(force.read_beam(0), 0);
}

TEST_F(FrameLibrary, DamagedStructureFileIsRefusedByItsReader) {
    ASSERT_TRUE(WriteStructureFile("yxy_js.dat", kInputTag, PortalWithArcRoof()));
    FB_DATE_Frm date;
    ASSERT_EQ(date.main_date("yxy_js.dat"), 1);
    std::string bytes = folder.Read("STRUC_LD.FB");
    folder.Write("STRUC_LD.FB", bytes.substr(0, bytes.size() - 4));
    struc_ld_file_Frm file("STRUC_LD.FB");
    EXPECT_EQ(file.m_nBeam, 0);
    EXPECT_EQ(file.read_beam(), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(errors.Has(301, "读结构文件错: 文件 STRUC_LD.FB 已损坏"));
}

}  // namespace

namespace {

// The one-span frame of a top-storey flat slab as that module writes its model:
// a slab member (kind 1: h = 300 in the first, b = 4000 in the second section
// value) on two 600 × 600 columns given by A, I, E, fixed at their bases, the slab
// load as a type-8 load over the span; and a load of case 2 that the factors drop.
void WriteFlatSlabModel(double L, double h) {
    CJsBzData_Frm model("WLLG_STRLDA-1.DAT");
    model.m_nNetNode = 4;
    model.Prepare_NetNode();
    const float xy[4][2] = {{0, 0}, {static_cast<float>(L), 0}, {0, static_cast<float>(h)},
                            {static_cast<float>(L), static_cast<float>(h)}};
    for (int k = 0; k < 4; ++k) model.m_cNetNode[k] = {k + 1, k + 1000, xy[k][0], xy[k][1]};
    model.Write_NetNode();
    model.m_nNetLine = 3;
    model.Prepare_NetLine();
    model.m_cNetLine[0] = {1, 1000, 0, 3, 4, 0, 0};
    model.m_cNetLine[1] = {2, 1001, 0, 1, 3, 0, 0};
    model.m_cNetLine[2] = {3, 1002, 0, 2, 4, 0, 0};
    model.Write_NetLine();
    model.m_nNodeYS = 2;
    model.Prepare_NodeYS();
    model.m_cNodeYS[0] = {1, 1000, 1, 1000, 0, 3, 1};
    model.m_cNodeYS[1] = {2, 1001, 2, 1001, 0, 3, 1};
    model.Write_NodeYS();
    model.m_nYaoLiang = 3;
    model.Prepare_YaoLiang();
    for (int k = 0; k < 3; ++k) {
        CJsLineGouJian_Frm& m = model.m_cYaoLiang[k];
        m.number = m.netLine = m.fourth = k + 1;
        m.second = k + 1000;
        m.sixth = 30;
        m.twelfth = m.thirteenth = 0;
        if (k == 0) {
            m.sectionType = 1;
            m.value1 = 1;
            m.width = 300;
            m.depth = 4000;
            m.alt1 = m.alt2 = 1;
            m.m_nLoad = 2;
            m.Prepare_Load();
            m.m_cLoad[0] = {8, 1, {80, 0, static_cast<float>(L), 80}};
            m.m_cLoad[1] = {3, 2, {1000, 0, 0, 0}};
        } else {
            m.sectionType = 2;
            m.value1 = 0.3f;  // Ec / 10⁵
            m.width = m.depth = 600;
            m.alt1 = 600 * 600 / 100.0f;
            m.alt2 = 600.0f * 600 * 600 * 600 / 12 / 1e4f;
        }
    }
    model.Write_YaoLiang();
}

TEST_F(FrameLibrary, FlatSlabFrameThroughTheWholeRoad) {
    const double L = 6, h = 4, q = 80;
    WriteFlatSlabModel(L, h);
    CForm_YXY_Dat_Frm convert;
    convert.m_strName = "WLLG";  // "WLLG_StrLdA-1.DAT": the file is found in any case
    for (int k = 1; k < 10; ++k) convert.m_fFactor[k] = 0;
    ASSERT_EQ(convert.Prepare_Data(), 1);
    ASSERT_EQ(convert.m_nNode, 4);
    const int numbers[4] = {3, 4, 1, 2};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(convert.m_cNode[k].number, numbers[k]);
    ASSERT_EQ(convert.m_nBeam, 3);
    EXPECT_EQ(convert.m_cBeam[1].number, 2);
    EXPECT_EQ(convert.m_cBeam[1].start, 3);
    EXPECT_EQ(convert.m_cBeam[1].end, 1);
    EXPECT_EQ(convert.m_cBeam[1].kind, 0);
    EXPECT_EQ(convert.m_cBeam[1].grade, 30);
    ASSERT_EQ(convert.Form_YXY_JS_DAT_File(), 1);
    ASSERT_TRUE(folder.Exists("yxy_js.dat"));

    FB_DATE_Frm date;
    ASSERT_EQ(date.main_date("yxy_js.dat"), 1);
    YXY_Frm yxy;
    ASSERT_EQ(yxy.main_yxy(), 1);
    force_file_Frm force("FORCE.FB");
    ASSERT_NE(force.read_beam(0), 0);
    ASSERT_EQ(force.m_cBeam.size(), 3u);

    // Slope-deflection, k = (I_slab / L) / (I_column / h), which leaves out the
    // slab's shortening under the columns' thrust (a few per mille at the bases).
    const double k = (4000.0 * 300 * 300 * 300 / 12 / L) / (600.0 * 600 * 600 * 600 / 12 / h);
    const double top = q * L * L / (6 * (2 + k));
    const ForceBeam_Frm& slab = force.m_cBeam[0];
    const ForceBeam_Frm& left = force.m_cBeam[1];
    EXPECT_NEAR(slab.M[0], -top, 2e-3 * top);
    EXPECT_NEAR(slab.M[4], q * L * L / 8 - top, 2e-3 * top);
    EXPECT_NEAR(slab.M[8], -top, 2e-3 * top);
    EXPECT_NEAR(slab.V[0], q * L / 2, 1e-3 * q * L);
    EXPECT_NEAR(left.M[8], -top, 2e-3 * top);
    EXPECT_NEAR(left.M[0], top / 2, 5e-3 * top);
    EXPECT_NEAR(left.N[4], -q * L / 2, 1e-3 * q * L);
    force.free_beam();

    // All factors 1, but a civil-air-defence frame: the case-2 load still stays out.
    for (float& f : convert.m_fFactor) f = 1;
    ASSERT_EQ(convert.Prepare_Data(), 1);
    ASSERT_EQ(convert.Form_YXY_JS_DAT_File(), 1);
    ASSERT_EQ(date.main_date("yxy_js.dat"), 1);
    yxy.m_nRenFang = 1;
    ASSERT_EQ(yxy.main_yxy(), 1);
    force_file_Frm again("FORCE.FB");
    ASSERT_NE(again.read_beam(0), 0);
    EXPECT_NEAR(again.m_cBeam[0].M[0], -top, 2e-3 * top);
}

}  // namespace

namespace {

// A cantilever of 6 m fixed at (0, 0) under q = 5 kN/m across it and a node force
// (0, −10) at its tip: the sketch's arrows and the analysis push the same way.
TEST_F(FrameLibrary, SketchArrowsPointWhereTheAnalysisPushes) {
    {
        CJsBzData_Frm model("ARM_StrLdA-1.DAT");
        model.m_nNetNode = 2;
        model.Prepare_NetNode();
        model.m_cNetNode[1] = {2, 1, 6, 0};
        model.Write_NetNode();
        model.m_nNetLine = 1;
        model.Prepare_NetLine();
        model.m_cNetLine[0] = {1, 1, 0, 1, 2, 0, 0};
        model.Write_NetLine();
        model.m_nNodeLoad = 1;
        model.Prepare_NodeLoad();
        model.m_cNodeLoad[0] = {1, 1, 2, 1, 1, 1, {0, -10, 0}};
        model.Write_NodeLoad();
        model.m_nNodeYS = 1;
        model.Prepare_NodeYS();
        model.m_cNodeYS[0] = {1, 1, 1, 1, 0, 3, 0};
        model.Write_NodeYS();
        model.m_nYaoLiang = 1;
        model.Prepare_YaoLiang();
        model.m_cYaoLiang[0].sixth = 30;
        model.m_cYaoLiang[0].m_nLoad = 1;
        model.m_cYaoLiang[0].Prepare_Load();
        model.m_cYaoLiang[0].m_cLoad[0] = {3, 1, {5, 0, 0, 0}};
        model.Write_YaoLiang();
    }
    CForm_YXY_Dat_Frm convert;
    convert.m_strName = "ARM";
    ASSERT_EQ(convert.Prepare_Data(), 1);
    ASSERT_EQ(convert.Form_YXY_JS_DAT_File(), 1);
    FB_DATE_Frm date;
    ASSERT_EQ(date.main_date("yxy_js.dat"), 1);
    YXY_Frm yxy;
    ASSERT_EQ(yxy.main_yxy(), 1);
    force_file_Frm force("FORCE.FB");
    ASSERT_NE(force.read_beam(0), 0);
    EXPECT_NEAR(force.m_cBeam[0].M[0], -(5 * 36 / 2.0 + 10 * 6), 1e-3);  // hogging at the wall
    EXPECT_LT(force.m_cBeam[0].uy[8], 0);

    CJsBzData_Frm model("arm_strlda-1.dat");
    ASSERT_EQ(model.Read_All(), 1);
    CBase_SGT drawing;
    drawing.New_MemDxf();
    CJianTu_StrLd_Frm sketch;
    sketch.Draw_HeZai(model, &drawing, 0, 0);
    // Shafts standing on the member (y = 0): every one reaches up to its tail, so
    // the heads on the member point down, as the loads act.
    int onMember = 0, atTip = 0;
    for (const kv::drawing::Entity& e : drawing.Entities()) {
        if (e.kind != kv::drawing::EntityKind::Line || std::fabs(e.x2 - e.x1) > 0.01 || e.y1 != 0) continue;
        EXPECT_GT(e.y2, 0) << "shaft at x = " << e.x1;
        ++onMember;
        if (std::fabs(e.x1 - 6000) < 0.01 && e.y2 > 900) ++atTip;  // the node force's long arrow
    }
    EXPECT_GE(onMember, 3);
    EXPECT_EQ(atTip, 1);
}

}  // namespace
