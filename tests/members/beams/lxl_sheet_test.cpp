#include "members/beams/lxl_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/base_sgt.h"
#include "members/beams/lxl_data.h"
#include "support/ezdxf_check.h"
#include "support/temp_folder.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;

struct Label {
    std::string text;
    double x, y, height;
};

std::vector<Label> Labels(const CBase_SGT& d) {
    std::vector<Label> out;
    for (const Entity& e : d.Entities())
        if (e.kind == EntityKind::Text) out.push_back({e.text, e.x1, e.y1, e.height});
    return out;
}

void ExpectLabels(const CBase_SGT& d, const std::vector<Label>& expected) {
    const auto actual = Labels(d);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].text + " #" + std::to_string(i));
        EXPECT_EQ(actual[i].text, expected[i].text);
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-2);
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-2);
        EXPECT_NEAR(actual[i].height, expected[i].height, 1e-3);
    }
}

std::vector<LXL_STATION> Stations(std::vector<float> vmax, std::vector<float> vmin, std::vector<float> mmax,
                                  std::vector<float> mmin) {
    std::vector<LXL_STATION> st(mmax.size());
    for (std::size_t k = 0; k < st.size(); ++k) st[k] = {float(k), vmax[k], vmin[k], mmax[k], mmin[k]};
    return st;
}

// Stations 1 m apart; the largest moment 20 scales to 3000, so s = 150 and a
// sagging M sits at y = −150·M. Labels 650 under the maximum curve, 100 over
// the minimum curve, at the ends when |M| > 0.1 (the last one a station in) and
// at local extremes that differ from a neighbour by more than 0.001.
TEST(ContinuousBeamSheet, MomentEnvelopeLabelsEndsAndPeaks) {
    const auto st = Stations({0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 5, 10, 5, 0.05f}, {-20, -2, 0, -2, -20});
    CBase_SGT d;
    d.New_MemDxf();
    lxl_draw_moment_envelope(&d, 0, 0, st.data(), 5, 3000);
    ExpectLabels(d, {{"10.0", 2000, -1500 - 650, 500}, {"-20.0", 0, 3000 + 100, 500}, {"-20.0", 3000, 3000 + 100, 500}});
    int lines = 0;
    bool closed = false;
    for (const Entity& e : d.Entities()) {
        lines += e.kind == EntityKind::Line;
        closed = closed || (e.kind == EntityKind::Line && std::fabs(e.x1 - 4000) < 1e-3 && std::fabs(e.y1 - 3000) < 1e-3 &&
                            std::fabs(e.y2) < 1e-3);
    }
    EXPECT_EQ(lines, 2 * (4 + 2)) << "four joins and two closing lines per curve";
    EXPECT_TRUE(closed) << "the minimum curve comes back to the axis at its end";

    // A plateau: the station level with both neighbours has no label; the one
    // that is ≥ one neighbour and > the other has.
    const auto flat = Stations({0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 5, 5, 5, 0}, {0, 0, 0, 0, 0});
    CBase_SGT p;
    p.New_MemDxf();
    lxl_draw_moment_envelope(&p, 1000, -7000, flat.data(), 5, 3000);
    ExpectLabels(p, {{"5.0", 2000, -7000 - 3000 - 650, 500}});
}

// Shears stand above the axis when positive; the minimum curve prints −V under its points.
TEST(ContinuousBeamSheet, ShearEnvelopeLabelsWithTheMinimumReversed) {
    const auto st = Stations({10, 8, 0, 0, 0}, {0, 0, 0, -8, -10}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0});
    CBase_SGT d;
    d.New_MemDxf();
    lxl_draw_shear_envelope(&d, 0, 0, st.data(), 5, 3000);
    ExpectLabels(d, {{"10.0", 0, 3000 + 100, 500}, {"10.0", 3000, -3000 - 650, 500}});

    // Nothing computed: the curves lie on the axis and carry no label.
    const auto zero = Stations({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0});
    CBase_SGT z;
    z.New_MemDxf();
    lxl_draw_shear_envelope(&z, 0, 0, zero.data(), 3, 3000);
    lxl_draw_moment_envelope(&z, 0, 0, zero.data(), 3, 3000);
    EXPECT_TRUE(Labels(z).empty());
    for (const Entity& e : z.Entities()) EXPECT_NEAR(std::fabs(e.y1) + std::fabs(e.y2), 0, 1e-6);
}

// Span 1 of 2 m: text 90·2 = 180, gap 20·2 = 40; span 2 of 0.5 m: the floors
// 100 and 20. Rows at offsets 100, −(100 + g + t) and −(100 + 2(g + t)); the
// short end spans put their outer texts beyond the beam (positions −3 and 10).
TEST(ContinuousBeamSheet, SteelTextsShrinkOnShortSpans) {
    CLxlData beam;
    beam.SpanNum = 2;
    beam.Spans[0].Length = 2.0f;
    beam.Spans[1].Length = 0.5f;
    LXL_SPAN_STEEL steel[30];
    steel[0] = {{11, 12, 13}, {21, 22, 23}, {31, 32, 33}};
    steel[1] = {{-1, 42, 43}, {-1, 52, 53}, {61, 62, 63}};
    CBase_SGT d;
    d.New_MemDxf();
    lxl_draw_steel(beam, &d, 0, 0, steel);
    ExpectLabels(d, {{"11", -600, 100, 180},   {"21", -600, -320, 180},  {"31", -600, -540, 180},
                     {"12", 800, 100, 180},    {"22", 800, -320, 180},   {"32", 800, -540, 180},
                     {"13", 1600, 100, 180},   {"23", 1600, -320, 180},  {"33", 1600, -540, 180},
                     {"-1", 2050, 100, 100},   {"-1", 2050, -220, 100},  {"61", 2050, -340, 100},
                     {"42", 2200, 100, 100},   {"52", 2200, -220, 100},  {"62", 2200, -340, 100},
                     {"43", 2500, 100, 100},   {"53", 2500, -220, 100},  {"63", 2500, -340, 100}});
}

// The whole sheet: every row titled, the title under the drawing's extent and
// the units line under it; it reads back through our reader and ezdxf's.
TEST(ContinuousBeamSheet, SheetRowsAndTitleReadBack) {
    CLxlData beam;
    beam.SpanNum = 2;
    beam.Spans[0].LoadNum = 1;
    beam.Spans[0].Loads[0].Type = 3;
    // Two 6 m spans under 10 kN/m: a hand-made envelope, support moment −45.
    std::vector<LXL_STATION> st;
    for (int k = 0; k <= 1200; ++k) {
        const float x = k * 0.01f, u = x <= 6 ? x : 12 - x;
        const float m = 30 * u - 5 * u * u - 7.5f * u;
        st.push_back({x, 0, 0, std::max(m, 0.0f), std::min(m, 0.0f)});
    }
    LXL_SPAN_STEEL steel[30];
    CBase_SGT d;
    d.New_MemDxf();
    lxl_draw_sheet(beam, st.data(), static_cast<int>(st.size()), steel, &d);
    std::vector<std::string> titles;
    const Entity* title = nullptr;
    const Entity* units = nullptr;
    for (const Entity& e : d.Entities()) {
        if (e.kind != EntityKind::Text) continue;
        if (e.text == "荷载" || e.text == "尺寸" || e.text == "弯矩" || e.text == "剪力" || e.text == "配筋")
            titles.push_back(e.text);
        if (e.text == "连续梁计算简图") title = &e;
        if (e.text.rfind("单位: 荷载(千牛)", 0) == 0) units = &e;
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"荷载", "尺寸", "弯矩", "剪力", "配筋"}));
    ASSERT_TRUE(title && units);
    EXPECT_LT(units->y1, title->y1);
    const auto labels = Labels(d);
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const Label& l) { return l.text == "-45.0"; }))
        << "the support moment is labelled";
    EXPECT_LT(title->y1, -18000 - 1100) << "under the lowest hinge of the steel row";

    kv::test::TempFolder dir;
    ASSERT_EQ(d.Write_MemDxf_To_File((dir / "sheet.dxf").c_str()), 1);
    DXF back;
    ASSERT_EQ(back.Read_FileDxf_To_Mem((dir / "sheet.dxf").c_str()), 1);
    EXPECT_EQ(back.Entities().size(), d.Entities().size());
    const std::string py = kv::test::PythonWithEzdxf();
    if (py.empty()) GTEST_SKIP() << "python3-ezdxf is missing: the outside reader check did not run";
    EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, dir / "sheet.dxf"));
}

}  // namespace
