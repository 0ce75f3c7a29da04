// The drawings of a lining run on a section of two parts: the result sheets,
// the diagrams, and the helpers the section types draw with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/base_sgt.h"
#include "lining_owner.h"
#include "support/ezdxf_check.h"
#include "support/temp_folder.h"

using kv::drawing::Entity;
using kv::drawing::EntityKind;

namespace {

std::vector<const Entity*> Of(const CBase_SGT& d, EntityKind kind) {
    std::vector<const Entity*> out;
    for (const Entity& e : d.Entities())
        if (e.kind == kind) out.push_back(&e);
    return out;
}

const Entity* Text(const CBase_SGT& d, const std::string& text) {
    for (const Entity& e : d.Entities())
        if (e.kind == EntityKind::Text && e.text == text) return &e;
    return nullptr;
}

std::unique_ptr<CBase_SGT> Blank() {
    auto d = std::make_unique<CBase_SGT>();
    d->New_MemDxf();
    return d;
}

struct LiningRun {
    LiningRun() {
        section.m_pData = &owner;
        owner.NewDrawings();
        owner.n = 2;
        // Crown then wall, three nodes each: N, Q, M, u, v, φ.
        results = {-300, 20, 40, 0.001, 0.002,  0.001, -280, 10, 30, 0.0005, -0.001, 0.0005,
                   -260, 5,  20, 0,     0.0015, 0,     -250, 30, 10, 0.001,  0.001,  0.001,
                   -240, 20, 5,  0.001, -0.0005, 0.0,  -230, 10, 0,  0,      0.0005, 0};
    }
    int Draw(int state) {
        section.m_nState = state;
        return section.DrawResults(owner.n, results.data());
    }
    CResultTestOwner owner;
    CTwoPartSection section;
    std::vector<double> results;
};

TEST(LiningDrawResults, EachStateStandsRightOfTheLastByItsOwnWidth) {
    LiningRun run;
    ASSERT_EQ(run.Draw(0), 0);
    std::vector<std::size_t> first;
    std::vector<CFRect> extent;
    for (int k = 0; k < CLiningOwner::kDrawingCount; ++k) {
        const CBase_SGT& d = *run.owner.drawings[k];
        first.push_back(d.Entities().size());
        CFRect r;
        d.GetFRect(r);
        extent.push_back(r);
    }
    ASSERT_EQ(run.Draw(1), 0);
    for (int k : {int(CLiningOwner::kResultSheet), int(CLiningOwner::kDiagram0), int(CLiningOwner::kDiagram0) + 6,
                  int(CLiningOwner::kDeformation)}) {
        const auto& all = run.owner.drawings[k]->Entities();
        ASSERT_GT(first[k], 0u) << k;
        ASSERT_EQ(all.size(), 2 * first[k]) << k;
        // The state-1 copy of each line lies 1.2 own widths to the right of the state-0 one.
        const double shift = 1.2 * extent[k].Width();
        int lines = 0;
        for (std::size_t i = 0; i < first[k]; ++i) {
            const Entity& a = all[i];
            const Entity& b = all[i + first[k]];
            if (a.kind != EntityKind::Line) continue;
            ++lines;
            EXPECT_NEAR(b.x1 - a.x1, shift, 0.05) << k;
            EXPECT_NEAR(b.y1 - a.y1, 0, 1e-3) << k;
        }
        EXPECT_GT(lines, 0) << k;
    }
    // The outline with the reinforcement labels is drawn in the design state only.
    EXPECT_GT(first[CLiningOwner::kOutline], 0u);
    EXPECT_EQ(run.owner.drawings[CLiningOwner::kOutline]->Entities().size(), first[CLiningOwner::kOutline]);
    EXPECT_NE(Text(*run.owner.drawings[CLiningOwner::kDiagram0 + 2], "弯矩图(标准值)"), nullptr);
    EXPECT_NE(Text(*run.owner.drawings[CLiningOwner::kResultSheet], "标准荷载计算结果图"), nullptr);
}

TEST(LiningDrawResults, TheSheetSetsTheDiagramsInTwoRowsBesideTheSketch) {
    LiningRun run;
    ASSERT_EQ(run.Draw(0), 0);
    const CBase_SGT& sheet = *run.owner.drawings[CLiningOwner::kResultSheet];
    const char* titles[7] = {"轴力图", "剪力图", "弯矩图", "切向位移图", "法向位移图", "转角位移图", "抗力分布图"};
    double cx[7], cy[7];
    for (int q = 0; q < 7; ++q) {
        const std::string title = std::string(titles[q]) + "(设计值)";
        const Entity* e = Text(sheet, title);
        ASSERT_NE(e, nullptr) << title;
        cx[q] = e->x1 + sheet.GetTextWidth(title.c_str(), 120, 0.7f, "HZ") / 2;
        cy[q] = e->y1;
    }
    const double W = (cx[1] - cx[0]) / 1.2, H = (cy[0] - cy[3]) / 1.2;
    EXPECT_GT(W, 0);
    EXPECT_GT(H, 0);
    EXPECT_NEAR(cx[2] - cx[0], 2.4 * W, 0.05);
    for (int q = 3; q < 6; ++q) {
        EXPECT_NEAR(cx[q] - cx[q - 3], 0, 0.05) << q;
        EXPECT_NEAR(cy[q] - cy[0], -1.2 * H, 0.05) << q;
    }
    EXPECT_NEAR(cx[6] - cx[0], 2.4 * W, 0.05);
    EXPECT_NEAR(cy[6] - cy[0], 1.2 * H, 0.05);
    const Entity* sketch = Text(sheet, "计算简图");
    ASSERT_NE(sketch, nullptr);
    EXPECT_NEAR(sketch->y1 + 120 - cy[0], 1.2 * H, 0.05);  // one title height lower, one row up
    EXPECT_NE(Text(sheet, "变形图(设计值)"), nullptr);
    EXPECT_NE(Text(sheet, "设计荷载计算结果图"), nullptr);
}

TEST(LiningDrawResults, SeismicActionNamesTheDesignValuesAndAddsItsSheetToTheRight) {
    LiningRun run;
    run.owner.diZhen.m_bDiZhen = 1;
    run.section.m_fDiZhenXiaoYing[0] = 500;
    ASSERT_EQ(run.Draw(0), 0);
    const CBase_SGT& result = *run.owner.drawings[CLiningOwner::kResultSheet];
    EXPECT_NE(Text(*run.owner.drawings[CLiningOwner::kDiagram0], "轴力图(设计值,不含地震作用)"), nullptr);
    const Entity* name = Text(result, "设计荷载计算(不含地震作用)结果图");
    const Entity* quake = Text(result, "地震作用效应结果图");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(quake, nullptr);
    for (const char* t : {"轴力图(设计值,地震作用)", "剪力图(设计值,地震作用)", "弯矩图(设计值,地震作用)"}) {
        const Entity* e = Text(result, t);
        ASSERT_NE(e, nullptr) << t;
        EXPECT_GT(e->x1, name->x1) << t;
    }
    // Everything of the design sheet lies left of the seismic sheet's sketch title.
    double rightmost = -1e30;
    for (const Entity& e : result.Entities())
        if (e.kind == EntityKind::Text && e.text == "设计荷载计算(不含地震作用)结果图") rightmost = e.x1;
    EXPECT_GT(quake->x1, rightmost);
}

TEST(LiningDrawResults, WithoutAResultDrawingTheRunStops) {
    LiningRun run;
    run.owner.drawings[CLiningOwner::kResultSheet].reset();
    EXPECT_EQ(run.Draw(0), -1);
    run.section.m_pData = nullptr;
    EXPECT_EQ(run.Draw(0), -1);
}

TEST(LiningDrawResults, EverySheetWrittenToDxfPassesTheOutsideReader) {
    LiningRun run;
    run.owner.heZai.m_fCeShang = 20;
    run.owner.heZai.m_fCeXia = 40;
    run.owner.heZai.m_fQiTaGuanJiang = 10;
    ASSERT_EQ(run.Draw(0), 0);
    ASSERT_EQ(run.Draw(1), 0);
    const std::string py = kv::test::PythonWithEzdxf();
    kv::test::TempFolder folder;
    for (int k = 0; k < CLiningOwner::kDrawingCount; ++k) {
        const std::string path = folder / ("sheet" + std::to_string(k) + ".dxf");
        ASSERT_EQ(run.owner.drawings[k]->Write_MemDxf_To_File(path.c_str()), 1) << k;
        if (!py.empty()) {
            EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, path)) << k;
        }
    }
    if (py.empty()) GTEST_SKIP() << "python3-ezdxf is missing: the outside reader check did not run";
}

// ---- value diagrams

// x of every line end of a drawing.
std::vector<double> Xs(const CBase_SGT& d) {
    std::vector<double> xs;
    for (const Entity* e : Of(d, EntityKind::Line)) {
        xs.push_back(e->x1);
        xs.push_back(e->x2);
    }
    return xs;
}

TEST(LiningDiagrams, ResistanceIsNeverDrawnInsideTheMember) {
    CTwoPartSection s;
    s.m_fBiLi = 100;
    const double v[3 * 6] = {0, 0, 0, 0, -0.002, 0, 0, 0, 0, 0, -0.004, 0, 0, 0, 0, 0, 0.001, 0};
    auto d = Blank();
    s.DrawLineValue(d.get(), v + 4, 6, 2, 3, 0, 2, 0.01f, 500, 0, 1, 0);
    const std::vector<double> xs = Xs(*d);
    for (double x : xs) EXPECT_GE(x, 300 - 1e-3);
    EXPECT_NEAR(*std::max_element(xs.begin(), xs.end()), 300 + 0.01 * 500 * 0.001 * 1000 * 100, 1e-2);
    EXPECT_NE(Text(*d, "0.000"), nullptr);
    EXPECT_NE(Text(*d, "500.000"), nullptr);
}

TEST(LiningDiagrams, ShearAndRotationChangeSignOnTheRightSide) {
    CTwoPartSection s;
    s.m_fBiLi = 1;
    const double one[2 * 6] = {1, 1, 1, 0, 0, 1, 1, 1, 1, 0, 0, 1};
    struct Case {
        int q, component;
        double shown;
        bool mirrored;
    };
    for (const Case c : {Case{0, 0, 1, true}, Case{1, 1, 1, false}, Case{2, 2, 1, true},
                         Case{5, 5, 57.295776, false}}) {
        auto left = Blank(), right = Blank();
        s.DrawLineValue(left.get(), one + c.component, c.q, 1, 3, 0, 2, 1, 0, 1, 1, 1);
        s.DrawLineValue(right.get(), one + c.component, c.q, 1, 3, 0, 2, 1, 0, 0, 1, 1);
        const double l = Of(*left, EntityKind::Line).back()->x2, r = Of(*right, EntityKind::Line).back()->x2;
        EXPECT_NEAR(l, -3 - c.shown, 1e-3) << c.q;
        EXPECT_NEAR(r, c.mirrored ? 3 + c.shown : 3 - c.shown, 1e-3) << c.q;
    }
}

TEST(LiningDiagrams, ArcValuesStandOnTheNormalAndCloseOnTheMember) {
    CTwoPartSection s;
    s.m_fBiLi = 1;
    const double v[2 * 6] = {2, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0};
    auto d = Blank();
    s.DrawArcValue(d.get(), 0, 1, v, 0, 0, 10, 0, 90, 1, 0, 1, 1, 0);
    const auto lines = Of(*d, EntityKind::Line);
    ASSERT_EQ(lines.size(), 2u);
    // Node 0 at 90°, node 1 at 0°; back to the last member point.
    EXPECT_NEAR(lines[0]->x1, 0, 1e-4);
    EXPECT_NEAR(lines[0]->y1, 12, 1e-4);
    EXPECT_NEAR(lines[0]->x2, 14, 1e-4);
    EXPECT_NEAR(lines[1]->x2, 10, 1e-4);
    EXPECT_NE(Text(*d, "2.0"), nullptr);
    EXPECT_NE(Text(*d, "4.0"), nullptr);
}

// ---- radius, faces, supports

TEST(LiningRadius, AShortRadiusIsDrawnWholeALongOneShortenedWithABreak) {
    CTwoPartSection s;  // extent height 5
    auto d = Blank();
    CJieMianBase::RadiusMark m;
    m.drawing = d.get();
    m.length = 4;
    m.angle = 90;
    m.textHeight = 0.2f;
    m.mayShorten = 1;
    m.shorten = 1;
    s.DrawRadius(m);
    ASSERT_EQ(Of(*d, EntityKind::Line).size(), 1u);
    EXPECT_NEAR(Of(*d, EntityKind::Line)[0]->y1, 0, 1e-5);
    EXPECT_NE(Text(*d, "4.000"), nullptr);

    auto longer = Blank();
    m.drawing = longer.get();
    m.length = 20;
    s.DrawRadius(m);
    const auto lines = Of(*longer, EntityKind::Line);
    ASSERT_EQ(lines.size(), 3u);  // the break mark's two strokes and the radius
    EXPECT_NEAR(lines[2]->y1, 17.5, 1e-4);
    EXPECT_NEAR(lines[2]->y2, 20, 1e-4);
    EXPECT_NE(Text(*longer, "20.000"), nullptr);
    // Not allowed, or not asked for: whole.
    for (int allowed : {0, 1}) {
        auto whole = Blank();
        m.drawing = whole.get();
        m.mayShorten = allowed;
        m.shorten = 1 - allowed;
        s.DrawRadius(m);
        EXPECT_EQ(Of(*whole, EntityKind::Line).size(), 1u);
    }
}

TEST(LiningFaces, EvenThicknessDrawsTrueArcsAndAVaryingOnePolylines) {
    CTwoPartSection s;
    auto even = Blank();
    s.DrawArcFaces(even.get(), 0, 0, 10, 0, 1.5707964f, 1, 1.005f, 20, 0);
    const auto arcs = Of(*even, EntityKind::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_NEAR(arcs[0]->radius, 10.50125, 1e-4);
    EXPECT_NEAR(arcs[1]->radius, 9.49875, 1e-4);
    EXPECT_NEAR(arcs[0]->endAngle, 90, 1e-3);
    auto varying = Blank();
    s.DrawArcFaces(varying.get(), 0, 0, 10, 0, 1.5707964f, 1, 2, 20, 2);
    EXPECT_TRUE(Of(*varying, EntityKind::Arc).empty());
    const auto lines = Of(*varying, EntityKind::Line);
    ASSERT_EQ(lines.size(), 20u);  // the outer face only
    EXPECT_NEAR(lines.front()->x1, 10.5, 1e-4);
    EXPECT_NEAR(lines.back()->y2, 11, 1e-4);
}

TEST(LiningFaces, WallAndArchMeetWhereTheWallLineCutsTheArch) {
    CTwoPartSection s;
    auto d = Blank();
    // Arch about (0, 2) of radius 3; walls of thickness 0.4 at x = ±2.8 (axis 2.8).
    s.DrawWallArchFaces(d.get(), 2.8f, 0, 2, 0, 2, 3, 10, 170, 0.4f, 0.4f, 0.4f, 1, 0);
    const auto lines = Of(*d, EntityKind::Line);
    const auto arcs = Of(*d, EntityKind::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    // Inner face: the wall at x = -2.6 meets the circle of radius 2.8 above y = 2.
    const double alpha = std::acos(-2.6 / 2.8) * 180 / 3.1415927;
    EXPECT_NEAR(arcs[0]->endAngle, alpha, 1e-2);
    EXPECT_NEAR(arcs[1]->startAngle, 180 - alpha, 1e-2);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NEAR(lines[0]->x1, -2.6, 1e-4);
    EXPECT_NEAR(lines[0]->y2, 2 + 2.8 * std::sin(alpha * 3.1415927 / 180), 1e-3);
}

TEST(LiningSupports, TheThreeSymbolsLieOnTheHatchedSide) {
    CTwoPartSection s;
    struct Case {
        int kind;
        std::size_t circles;
    };
    for (const Case c : {Case{0, 1}, Case{1, 0}, Case{2, 0}, Case{7, 0}}) {
        for (int flag : {1, 0}) {
            auto d = Blank();
            ASSERT_EQ(s.DrawZhiZuo(d.get(), c.kind, 1, 1, 5, 1, flag, 0.5f, -1), 0);
            EXPECT_EQ(Of(*d, EntityKind::Circle).size(), c.circles) << c.kind;
            for (const Entity* e : Of(*d, EntityKind::Line)) {
                if (flag == 1) EXPECT_GE(std::min(e->y1, e->y2), 1 - 1e-4) << c.kind;
                else EXPECT_LE(std::max(e->y1, e->y2), 1 + 1e-4) << c.kind;
            }
        }
    }
    // The fixed support: the ground line and a stroke every size from -g to L + g.
    auto fixed = Blank();
    s.DrawZhiZuo(fixed.get(), 1, 0, 0, 4, 0, 1, 0.5f, 1);
    EXPECT_EQ(Of(*fixed, EntityKind::Line).size(), 1u + 12u);
    // The spring support: two springs of six strokes, both ending on the ground line.
    auto spring = Blank();
    s.DrawZhiZuo(spring.get(), 2, 0, 0, 4, 0, 1, 0.5f, 0);
    const auto lines = Of(*spring, EntityKind::Line);
    auto count = [&](double y1, double y2) {
        return std::count_if(lines.begin(), lines.end(), [&](const Entity* e) {
            return std::fabs(e->y1 - y1) < 1e-4 && std::fabs(e->y2 - y2) < 1e-4;
        });
    };
    EXPECT_EQ(count(2.0, 2.4), 2);  // the springs' last strokes reach the ground line
    EXPECT_EQ(count(2.4, 2.9), 8);  // hatched every size along it
    EXPECT_EQ(s.DrawZhiZuo(nullptr, 0, 0, 0, 1, 0, 1, 1, 1), -1);
}

// ---- grouting and the sketch's loads

// Radial grouting arrows: lines from radius R + d down to R about the centre.
int Arrows(const CBase_SGT& d, double R, double dd) {
    int count = 0;
    for (const Entity* e : Of(d, EntityKind::Line))
        if (std::fabs(std::hypot(e->x1, e->y1) - (R + dd)) < 1e-3 && std::fabs(std::hypot(e->x2, e->y2) - R) < 1e-3)
            ++count;
    return count;
}

TEST(LiningGrout, ArrowsEveryTenthOfPiAndOneAtTheEndWithinTheRange) {
    CResultTestOwner owner;
    CTwoPartSection s;
    s.m_pData = &owner;
    s.m_fBiLi = 1;
    owner.heZai.m_fDingGuanJiang = 50;  // d = 0.5 at the default load scale of 1 %
    owner.heZai.m_fFanWeiJiao = 60;
    struct Case {
        float left, right;
        int arrows;
    };
    for (const Case c : {Case{90, 90, 8}, Case{40, 90, 7}, Case{90, 10, 5}}) {
        auto d = Blank();
        s.DrawTopGrout(d.get(), 0, 0, 10, c.left, c.right, 1);
        EXPECT_EQ(Arrows(*d, 10, 0.5), c.arrows) << c.left << " " << c.right;
        const auto arcs = Of(*d, EntityKind::Arc);
        ASSERT_EQ(arcs.size(), 1u);
        EXPECT_NEAR(arcs[0]->endAngle, 90 + std::min(60.0f, c.left), 1e-3);
        EXPECT_NE(Text(*d, "50.0"), nullptr);
        EXPECT_EQ(arcs[0]->color, 3);
    }
    owner.heZai.m_fDingGuanJiang = 0.0005f;
    auto none = Blank();
    EXPECT_EQ(s.DrawTopGrout(none.get(), 0, 0, 10, 90, 90, 1), 0);
    EXPECT_TRUE(none->Entities().empty());
}

TEST(LiningSketch, WaterAboveTheSectionIsMarkedAtItsTopWithTheRest) {
    CHeZaiCanShu loads;
    loads.m_fNeiShuiTou = 6;    // above the 5 m section: marked at its top
    loads.m_fWaiShuiTou = 1.5f;  // inside it: marked at its level
    auto d = Blank();
    loads.DrawWaterLevels(d.get(), CFRect{-3, 0, 3, 5}, 0.5f, 100, 10);
    const Entity* above = Text(*d, "5.000+1.500");
    ASSERT_NE(above, nullptr);
    EXPECT_NEAR(above->y1, 500 + 15, 1e-3);
    const Entity* inside = Text(*d, "1.500");
    ASSERT_NE(inside, nullptr);
    EXPECT_NEAR(inside->y1, 200 + 15, 1e-3);
    EXPECT_NEAR(inside->x1, -300 - 200 + 15, 1e-3);
}

TEST(LiningSketch, TheRightWallKeepsTheLeftGradientOverItsOwnHeight) {
    CHeZaiCanShu loads;
    loads.m_fCeShang = 10;
    loads.m_fCeXia = 30;
    loads.m_fDingCe = loads.m_fDingZhong = loads.m_fDingYou = 0;
    auto d = Blank();
    loads.DrawArrows(d.get(), CFRect{-3, 0, 3, 6}, 100, 10, 0.01f, 3, 1, 4, 2);
    for (const char* t : {"10.0", "30.0", "20.0"}) EXPECT_NE(Text(*d, t), nullptr) << t;
    // Without supports the right wall repeats the left.
    auto open = Blank();
    loads.DrawArrows(open.get(), CFRect{-3, 0, 3, 6}, 100, 10, 0.01f, 3, 0, 4, 2);
    EXPECT_EQ(Text(*open, "20.0"), nullptr);
    // Only the top load: one diagram above the section.
    CHeZaiCanShu top;
    auto onlyTop = Blank();
    top.DrawArrows(onlyTop.get(), CFRect{-3, 0, 3, 6}, 100, 10, 0.01f, 3, 0, 6, 6);
    for (const Entity* e : Of(*onlyTop, EntityKind::Line)) EXPECT_GE(std::min(e->y1, e->y2), 600 - 1e-3);
    EXPECT_NE(Text(*onlyTop, "70.0"), nullptr);
}

TEST(LiningSketch, TheTitledSketchHasItsTitleBelowTheSection) {
    CResultTestOwner owner;
    CTwoPartSection s;
    s.m_pData = &owner;
    auto d = Blank();
    s.m_bJianTuBiaoTi = 1;
    EXPECT_EQ(s.DrawJsJt(d.get()), 0);
    const Entity* title = Text(*d, "计算简图");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->y1, -15 * 40, 1e-3);
    EXPECT_FLOAT_EQ(s.m_fBiLi, 1000.0f / 6);
    EXPECT_EQ(s.DrawJsJt(nullptr), -1);
}

}  // namespace

namespace {

TEST(LiningLabels, AreasAreLabelledOnlyInTheOpenSectionDrawing) {
    CResultTestOwner owner;
    CTwoPartSection s;
    s.m_pData = &owner;
    s.m_fBiLi = 10;
    auto d = Blank();
    EXPECT_EQ(s.DrawLabel(nullptr, 0, 1, 2, 0, 0, 1, 0), -1);
    EXPECT_EQ(s.DrawLabel(d.get(), 0, 1, 2, 0, 0, 1, 0), 1);  // no section drawing open
    EXPECT_TRUE(d->Entities().empty());
    s.m_bJieMianDrawn = 1;
    owner.peiJin.m_bDuiCheng = 0;
    EXPECT_EQ(s.DrawLabel(d.get(), 1, 123.4f, 67.8f, 2, 3, 5, 30), 0);
    const Entity* inner = Text(*d, "123.4");
    const Entity* outer = Text(*d, "67.8");
    ASSERT_NE(inner, nullptr);
    ASSERT_NE(outer, nullptr);
    EXPECT_NEAR(inner->x1, 20 + 6, 1e-4);
    EXPECT_NEAR(outer->x1, 20 - 1, 1e-4);
    EXPECT_NEAR(inner->rotation, 60, 1e-4);
    owner.peiJin.m_bDuiCheng = 1;  // one value says both faces
    auto sym = Blank();
    s.DrawLabel(sym.get(), 7, 10, 20, 0, 0, 1, 0);  // an unknown direction reads as 0
    ASSERT_EQ(Of(*sym, EntityKind::Text).size(), 1u);
    EXPECT_NEAR(Of(*sym, EntityKind::Text)[0]->y1, 0.2, 1e-5);
}

}  // namespace
