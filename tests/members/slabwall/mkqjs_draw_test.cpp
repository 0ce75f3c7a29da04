#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "drawing/base_sgt.h"
#include "drawing/pen_sgtex.h"
#include "members/slabwall/mkqjs_calc.h"
#include "support/ezdxf_check.h"
#include "support/temp_folder.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;

// The module's objects on their own: a calculation bound to its data and result.
struct Frame {
    CMkqJsData data;
    CMkqResult result;
    CMkqJiSuan calc;
    Frame() {
        calc.m_pData = &data;
        calc.m_pResult = &result;
    }
    Frame(const Frame&) = delete;
    void Arch() {
        data.DoorType = 1;
        for (int s : {0, 1}) data.Side[s].dx = data.Side[s].dy = 100;
    }
};

// Bars of a side's section drawn at 1:100, so stored units are mm.
CPenSGTEx Bars(Frame& f, int side, int type = 3) {
    CPenSGTEx pen;
    f.data.PreparePen(&pen, 100);
    EXPECT_EQ(f.calc.DrawSideResult(side, &pen, type), 1);
    return pen;
}

// Straight two-point bars on the steel layer, split into those across the side
// (x fixed) and those along it (y fixed).
struct Straight {
    std::vector<double> across, along;
};
Straight StraightBars(const DXF& d) {
    Straight s;
    for (const Entity& e : d.Entities()) {
        if (e.kind != EntityKind::Polyline || e.layer != "STEEL-2" || e.vertices.size() != 2) continue;
        const auto& v = e.vertices;
        if (std::fabs(v[0].x - v[1].x) < 1e-3) s.across.push_back(v[0].x);
        else if (std::fabs(v[0].y - v[1].y) < 1e-3) s.along.push_back(v[0].y);
    }
    std::sort(s.across.begin(), s.across.end());
    return s;
}

TEST(MkqResultDrawing, TheFirstTieIs200FromTheRootOrInTheMiddleOfAShortSide) {
    const struct {
        float L;
        std::vector<double> ties;
    } cases[] = {{900, {200, 400, 600}}, {600, {200, 400}}, {300, {200}}, {299, {149.5}}, {150, {75}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.L);
        Frame f;
        f.data.Side[0].L = c.L;
        const Straight s = StraightBars(Bars(f, 0));
        ASSERT_EQ(s.across.size(), c.ties.size());
        for (std::size_t i = 0; i < c.ties.size(); ++i) EXPECT_NEAR(s.across[i], c.ties[i], 1e-3);
    }
}

TEST(MkqResultDrawing, TheChamferShowsOnlyOnAnArchedDoor) {
    Frame flat;
    Frame leftover;
    leftover.data.Side[0].dx = leftover.data.Side[0].dy = 100;
    EXPECT_EQ(Bars(flat, 0, 2).Entities(), Bars(leftover, 0, 2).Entities());

    Frame arched;
    arched.Arch();
    const CPenSGTEx pen = Bars(arched, 0);
    const auto main = std::find_if(pen.Entities().begin(), pen.Entities().end(), [](const Entity& e) {
        return e.kind == EntityKind::Polyline && e.vertices.size() > 2;
    });
    ASSERT_NE(main, pen.Entities().end());
    // Along the face, down the chamfer, then down the tip: (765, −35) → (865, −135).
    const auto& v = main->vertices;
    EXPECT_TRUE(std::any_of(v.begin(), v.end(), [](const auto& p) { return std::fabs(p.x - 765) < 1e-3 && std::fabs(p.y + 35) < 1e-3; }));
    EXPECT_TRUE(std::any_of(v.begin(), v.end(), [](const auto& p) { return std::fabs(p.x - 865) < 1e-3 && std::fabs(p.y + 135) < 1e-3; }));
    // Its corner gets a bar dot as well.
    EXPECT_GT(pen.Entities().size(), Bars(flat, 0).Entities().size());
}

TEST(MkqResultDrawing, AHaunchBarOnlyWhereThereIsAHaunch) {
    const struct {
        float ha;
        int along;  // the bars along the side, and a haunch bar when there is one
    } cases[] = {{0, 2}, {0.5f, 3}, {200, 3}, {300, 4}};  // a third of the side deep: the third tie gets one too
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ha);
        Frame f;
        f.data.Side[2].ha = c.ha;
        EXPECT_EQ(static_cast<int>(StraightBars(Bars(f, 2)).along.size()), c.along);
    }
}

// The entities of a drawing with the cut titles and the lines under them left out.
std::vector<Entity> WithoutTitles(const DXF& d, std::vector<std::string>& titles) {
    std::vector<Entity> kept;
    const auto& all = d.Entities();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string& t = all[i].text;
        if (all[i].kind == EntityKind::Text && (t.ends_with("1-1") || t.ends_with("2-2"))) {
            titles.push_back(t);
            i += 2;  // the title's two underlines
            continue;
        }
        kept.push_back(all[i]);
    }
    return kept;
}

TEST(MkqResultDrawing, TheFramesBarDrawingAloneDiffersFromDiagram8OnlyInScaleAndTitles) {
    Frame f;
    f.data.m_strName = "门框墙A";
    f.data.JianTuBiLi[9] = 30;
    f.data.PeiJinTuBiLi = 30;
    CBase_SGT diagram, alone;
    diagram.New_MemDxf();
    alone.New_MemDxf();
    ASSERT_EQ(f.calc.DrawResult(8, &diagram, 0), 1);
    ASSERT_EQ(f.calc.OutDrawing(&alone, 0, 0), 1);
    std::vector<std::string> diagramTitles, aloneTitles;
    EXPECT_EQ(WithoutTitles(diagram, diagramTitles), WithoutTitles(alone, aloneTitles));
    EXPECT_EQ(diagramTitles, (std::vector<std::string>{"1-1", "2-2"}));
    EXPECT_EQ(aloneTitles, (std::vector<std::string>{"门框墙A 1-1", "门框墙A 2-2"}));

    // Each follows its own scale.
    f.data.PeiJinTuBiLi = 100;
    CBase_SGT diagram2, alone2;
    diagram2.New_MemDxf();
    alone2.New_MemDxf();
    f.calc.DrawResult(8, &diagram2, 0);
    f.calc.OutDrawing(&alone2, 0, 0);
    EXPECT_EQ(diagram2.Entities(), diagram.Entities());
    CFRect near, far;
    alone.GetFRect(near);
    alone2.GetFRect(far);
    EXPECT_LT(far.Width(), near.Width() * 0.6f);
}

// The scale grids take 0: the pens keep their own scale, and so must the places
// the parts are put at.
TEST(MkqResultDrawing, AScaleOfNothingStillGivesADrawingOfNumbers) {
    kv::test::TempFolder dir;
    Frame f;
    for (float& scale : f.data.JianTuBiLi) scale = 0;
    f.data.PeiJinTuBiLi = 0;
    for (int k = 0; k <= 9; ++k) {
        CBase_SGT drawing;
        drawing.New_MemDxf();
        ASSERT_EQ(k < 9 ? f.calc.DrawResult(k, &drawing, 0) : f.calc.OutDrawing(&drawing, 0, 0), 1) << k;
        // As at 1:100, the pens' own scale: every part in its place.
        Frame at100;
        for (float& scale : at100.data.JianTuBiLi) scale = 100;
        at100.data.PeiJinTuBiLi = 100;
        CBase_SGT same;
        same.New_MemDxf();
        ASSERT_EQ(k < 9 ? at100.calc.DrawResult(k, &same, 0) : at100.calc.OutDrawing(&same, 0, 0), 1) << k;
        CFRect extent, expected;
        drawing.GetFRect(extent);
        same.GetFRect(expected);
        EXPECT_EQ(drawing.Entities().size(), same.Entities().size()) << k;
        EXPECT_FLOAT_EQ(extent.Height(), expected.Height()) << k;
        const std::string path = dir / "scale0.dxf";
        ASSERT_TRUE(drawing.Write_MemDxf_To_File(path.c_str())) << k;
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            ASSERT_TRUE(line != "nan" && line != "-nan" && line != "inf" && line != "-inf") << k;
        }
    }
}

TEST(MkqResultDrawing, OnlyNineDiagrams) {
    Frame f;
    for (int k : {-1, 9}) {
        CBase_SGT d;
        d.New_MemDxf();
        EXPECT_EQ(f.calc.DrawResult(k, &d, 0), 0) << k;
        EXPECT_TRUE(d.Entities().empty());
    }
}

TEST(MkqResultDrawing, EveryDiagramReadsBackInAnOutsideReader) {
    const std::string py = kv::test::PythonWithEzdxf();
    if (py.empty()) GTEST_SKIP() << "python3-ezdxf is missing (scripts/setup installs it): the outside reader check did not run";
    kv::test::TempFolder dir;
    // One reader run over every file: each must recover without errors and hold texts.
    std::ofstream(dir / "check.py") << "import sys\n"
                                       "from ezdxf import recover\n"
                                       "for name in sys.argv[1:]:\n"
                                       "    doc, auditor = recover.readfile(name)\n"
                                       "    if auditor.has_errors or not doc.modelspace().query('TEXT'):\n"
                                       "        print('BAD', name); sys.exit(2)\n";
    std::string files;
    for (int door : {0, 1}) {
        Frame f;
        if (door) f.Arch();
        f.data.Side[3].ha = 250;
        for (int k = 0; k <= 9; ++k) {
            SCOPED_TRACE(testing::Message() << "door " << door << " diagram " << k);
            CBase_SGT d;
            d.New_MemDxf();
            ASSERT_EQ(k < 9 ? f.calc.DrawResult(k, &d, 0) : f.calc.OutDrawing(&d, 0, 0), 1);
            const std::string name = dir / ("d" + std::to_string(door) + "_" + std::to_string(k) + ".dxf");
            ASSERT_EQ(d.Write_MemDxf_To_File(name.c_str()), 1);
            files += " " + name;
        }
    }
    EXPECT_EQ(std::system((py + " " + dir / "check.py" + files).c_str()), 0);
}

}  // namespace
