// The design classes driven the way the member modules drive them: the same
// argument lists, call order and result members, checked for sound results.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "design/liefen.h"
#include "design/pj_beam.h"
#include "design/pj_column.h"
#include "pj_test_support.h"

namespace {

std::string Capture(const std::function<void(std::FILE*)>& write) {
    char buffer[4096] = {0};
    std::FILE* fp = fmemopen(buffer, sizeof buffer - 1, "w");
    write(fp);
    std::fclose(fp);
    return buffer;
}

}  // namespace

TEST(PjCallers, SlabAndWallStripsThroughTheBaseClassPointer) {
    EditionGuard edition(2010);
    // Slab section: C30, HRB335 (grade 2), cover 30, 250 thick, 60 kN·m/m.
    std::unique_ptr<PJ_BASE> owner(new PJ_BEAM_KV);
    auto* beam = static_cast<PJ_BEAM_KV*>(owner.get());
    beam->Ini_QiangBan(30, 2, 1, 0, 30, 30, 0, 1.0f, 0, 0, 1.0f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
    beam->set_value(60.0f * 1e6f, 0, 0, 1000.0f, 250, 1, 1.2f, 0);
    beam->Bent_SJ();
    ASSERT_EQ(beam->if_CJCX(), 0);
    EXPECT_GT(beam->As, 625.0f);
    EXPECT_GE(beam->As1, 625.0f);

    // Wall: axial ratio and eccentric compression per metre, wall height 3 m.
    auto column = std::make_unique<PJ_COLUMN_FDC_KV>();
    column->Ini(30, 2, 1, 0, 30, 0.8f, 0, 1, 2, 1.0f);
    column->set_value(80.0f * 1e6f, 0, 0, 0, -300.0f * 1000, 1000, 250, 3000.0f, 0, 0);
    column->ZhouYaBi();
    EXPECT_NEAR(column->axial_ratio, 300e3f / (1000 * 250 * 21.45f), 1e-4);
    column->Asx = column->Asx1 = 0;
    column->PianLaYa();
    ASSERT_EQ(column->if_CJCX(), 0);
    EXPECT_GT(column->Asx, column->Asx1);
    const std::string lines = Capture([&](std::FILE* fp) { column->Out_Message(fp); });
    EXPECT_EQ(lines.empty(), column->if_CJCX() == 0 && column->if_GZPJ() == 0 && column->flag[1] == 0);

    // Wall second-order moment: ea = max(t, 1000)/30.
    const float m = GetZhuErJieWanJu(80e6f, 300e3f, -40e6f, 80e6f, 250 - 30, 250, 3.0f * 1000, 250 * 1000.0f,
                                     1000.0f / 30, 30, nullptr);
    EXPECT_GE(m, 80e6f);
}

TEST(PjCallers, ShearChecksOfSlabEdgesAndWallStrips) {
    EditionGuard edition(2010);
    PJ_BEAM_KV beam;
    beam.Ini_QiangBan(30, 1, 1, 0, 30, 30, 2, 1.0f, 0, 2, 1.0f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
    beam.set_value(0, 900.0f * 1000, 0, 6.0f * 1000, 250, 0, 1.2f, 0);
    beam.Sheer();
    for (const char* name : {"JianNiu.RTF.JieMian", "JianNiu.RTF.No_Av1", "JianNiu.RTF.No_Av2"})
        EXPECT_FALSE(beam.GetVar(name).empty()) << name;
    EXPECT_TRUE(beam.GetVar("JianNiu.No_Av") == "0" || beam.GetVar("JianNiu.No_Av") == "1");

    PJ_COLUMN_DC_KV dc;
    dc.Ini(30, 1, 1, 0, 30, 1.0f, 0, 1, 1, 1.0f);
    dc.b = 6000;
    dc.h = 250;
    dc.l0 = 3000;
    dc.V = 900e3f;
    dc.N = -100e3f * 6;
    dc.LaYaJian_y();
    EXPECT_GE(dc.ay, 0.0f);
    EXPECT_FALSE(dc.GetVar("JianNiu.RTF.Av0").empty());
}

TEST(PjCallers, CantileverDoorFrameSequence) {
    EditionGuard edition(2010);
    PJ_BEAM_KV beam;  // on the stack, as the door-frame wall keeps it
    beam.Ini_Liang(30, 3, 1, 0, 40, 40, 0, 500.0f, 1.0f, 1.0f, 0, 1, 300.0f, 0, 10e3f, 50e3f, 150.0f, 1.0f);
    beam.Set_min_PJ(std::max(beam.min_PJ[0], 0.0025f), std::max(beam.min_PJ[1], 0.0025f), -1.0f);
    beam.set_value(120.0f * 1e6f, 200.0f * 1000, 0, 1000, 500, 1, 1.2f, 0);
    beam.Bent_DJ();
    EXPECT_EQ(beam.flag[0], 0);
    EXPECT_GT(beam.As, 0.0f);
    EXPECT_NEAR(beam.ftk, 2.01f, 1e-4);
    beam.set_value(120.0f * 1e6f, 200.0f * 1000, 0, 1000, 500, 1, 1.2f, 0);
    beam.min_PJ[2] = 0;
    beam.Set_min_PJ(-1, -1, 0);
    beam.Sheer();
    EXPECT_GE(beam.Asv, 0.0f);
}

TEST(PjCallers, ContinuousBeamSectionWithRedistributionVariable) {
    EditionGuard edition(2010);
    PJ_BEAM_KV beam;
    beam.Ini_Liang(30, 3, 1, 0, 35, 35, 0, 600.0f, 6.0f, 0.8f, 0, 0, 1.0f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
    const float kept = beam.min_PJ[2];
    beam.Set_min_PJ(-1.0f, -1.0f, kept);
    beam.set_value(-250e6f, 180e3f, 0, 250, 600, 0, 2.0f, 0);
    beam.Bent_SJ();
    ASSERT_EQ(beam.if_CJCX(), 0);
    const double xi = std::atof(beam.GetVar("Wan.Ksai").c_str());
    EXPECT_GT(xi, 0.0);
    EXPECT_LE(xi, beam.xi_b + 1e-6);
    EXPECT_GT(beam.alpha1 * beam.fc, 0.0f);
    beam.Sheer();
    EXPECT_GT(beam.Asv, 0.0f);
    beam.set_value(100e6f, 150e3f, 20e6f, 250, 600, 1, 1.2f, 0);
    beam.Sheer();
    beam.Sheer_Twist();
    EXPECT_GT(beam.Ast, 0.0f);
    EXPECT_GT(beam.Ast1, 0.0f);
}

TEST(PjCallers, FrameLiningAndShellColumns) {
    EditionGuard edition(2010);
    std::unique_ptr<PJ_COLUMN> protective(new PJ_COLUMN_KV);
    static_cast<PJ_COLUMN_KV*>(protective.get())->Ini(30, 3, 1, 0, 40, 0.8f, 0, 1, 1, 1, 0, 0, 1.0f);
    protective->set_value(150e6f, 80e3f, 0, 0, -500e3f, 300, 500, 4000, 0, 0, 2);
    protective->ZhouYaBi();
    protective->PianLaYa();
    EXPECT_FLOAT_EQ(protective->Asx, protective->Asx1);
    protective->set_value(150e6f, 80e3f, 0, 0, -500e3f, 300, 500, 4000, 0, 0, 2);
    protective->LaYaJian_x();
    EXPECT_GE(protective->ax, 0.0f);

    // Lining node, asymmetric blast design, then the shear with the switch off.
    PJ_COLUMN_KV lining;
    lining.Ini(30, 3, 1, 0, 50, 0.8f, 0, 0, 1, 1, 0, 1, 0.0f);
    lining.set_value(-90e6f, 0, 0, 200e3f, -400e3f, 1000.0f, 400, 400, 0, 0, 2);
    lining.PianLaYa();
    EXPECT_GT(lining.Asx, lining.Asx1);
    lining.Ini(30, 3, 1, 0, 50, 0.8f, 0, 0, 1, 0, 0, 1, 0.0f);
    lining.LaYaJian_y();
    EXPECT_GE(lining.ay, 0.0f);
    EXPECT_EQ(lining.section_small, 0);

    // Shell material object: the design strengths after Ini.
    PJ_COLUMN_KV shell;
    shell.Ini(40, 3, 3, 0, 35, 0.8f, 0, 1, 1, 1, 0, 0, 1.0f);
    EXPECT_NEAR(shell.fcd, 19.1f * 1.5f, 1e-3);
    EXPECT_NEAR(shell.ftd, 1.71f * 1.5f, 1e-3);
    EXPECT_NEAR(shell.fy, 432.0f, 1e-3);
    // A degenerate edge section (no depth) gives a flag, not a crash.
    shell.set_value(10e6f, 0, 0, 0, 50e3f, 175, -20, 1000.0f, 1, 0, 2);
    shell.PianLaYa();
    EXPECT_EQ(shell.if_CJCX(), 1);
}

TEST(PjCallers, ColumnModuleBiaxialAndLiningCrackWidth) {
    EditionGuard edition(2010);
    auto fdc = std::make_unique<PJ_COLUMN_FDC_KV>();
    fdc->Ini(30, 3, 1, 0, 40, 0.8f, 0, 0, 2, 1.0f);
    fdc->set_value(200e6f, 100e3f, 80e6f, 120e3f, -900e3f, 400, 500, 4000, 0, 0);
    fdc->PianLaYa();
    EXPECT_GT(fdc->Asx, 0.0f);
    EXPECT_GT(fdc->Asy, 0.0f);
    const std::string kv = Capture([&](std::FILE* fp) { fdc->Out_Message_KV(fp, true); });
    EXPECT_NE(kv.find("X"), std::string::npos);
    fdc->LaYaJian_x();
    float ax = fdc->ax;
    fdc->LaYaJian_y();
    float ay = fdc->ay;
    fdc->LaYaJian_xy(ax, ay);
    EXPECT_FLOAT_EQ(fdc->ax, ax);

    // Lining crack width under the 2002 rules of code index 1.
    EditionGuard old(2002);
    cross_lf record{};
    record.type = 1;
    record.h = 400;
    record.b = 1000;
    record.ftk = 2.01f;
    record.c = 40;
    record.deq = 20;
    record.Es = 2e5f;
    record.fyk = 335;
    record.nu = 0.7f;
    record.As = 1571;
    record.l0 = 400;
    record.as = 50;
    record.as1 = 50;
    auto crack = std::make_unique<CJsLieFen>();
    crack->set_value(1);
    const float w = crack->CalLieFeng(-300e3f, 150e6f, 4, &record);
    EXPECT_GT(w, 0.0f);
    EXPECT_GT(crack->sigma_s, 0.0f);
}

TEST(PjCallers, OlderEditionDesignsWithTheTwoThousandTwoStrengths) {
    EditionGuard edition(96);
    PJ_COLUMN col;
    col.Ini(30, 2, 1, 0, 40, 1, 1, 0, 0, 0);
    EXPECT_EQ(col.mat.ok, 1);
    EXPECT_NEAR(col.fy, 300.0f, 1e-3);
}
