// The circular shell's drawings read back from their files: the order and names,
// the arc, the strokes and labels of each quantity against the station geometry
// worked here, the bar drawings, the two text blocks, and an all-zero quantity.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "drawing/dxf.h"
#include "members/shells/circle_draw.h"
#include "members/shells/shell_data.h"
#include "support/ezdxf_check.h"
#include "support/message_recorder.h"
#include "support/work_folder.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;

std::vector<const Entity*> Of(const DXF& d, EntityKind kind) {
    std::vector<const Entity*> out;
    for (const Entity& e : d.Entities())
        if (e.kind == kind) out.push_back(&e);
    return out;
}

const Entity* TextAt(const DXF& d, double x, double y) {
    for (const Entity* e : Of(d, EntityKind::Text))
        if (std::fabs(e->x1 - x) < 1e-4 && std::fabs(e->y1 - y) < 1e-4) return e;
    return nullptr;
}

std::string TitleOf(const DXF& d) {
    const Entity* t = TextAt(d, 17, -20);
    return t ? t->text : "(no title)";
}

std::string Format(const char* format, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

// Station angles as the drawings place them, worked in double.
struct Stations {
    double phi[13], x[13], y[13];
    explicit Stations(const CCircleBqData& s) {
        const double R = s.sphere_radius;
        for (int k = 0; k <= 10; ++k) phi[k] = std::asin(k * double(s.r) / (10 * R));
        phi[11] = std::asin(s.r_const / R);
        phi[12] = std::asin((s.r - s.beam_b / 1000.0) / R);
        for (int k = 0; k < 13; ++k) {
            x[k] = 30 - 30 * std::sin(phi[k]);
            y[k] = 30 * std::cos(phi[k]) - 30;
        }
    }
};

class CircleDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        data.SetFileName("YK");
        data.Calculate();
        ASSERT_EQ(data.calc_ok, 1);
    }
    DXF Read(int k) const {
        DXF d;
        EXPECT_EQ(d.Read_FileDxf_To_Mem((folder / data.GetDxfFileName(k)).c_str()), 1) << k;
        return d;
    }

    kv::test::MessageRecorder shown;
    kv::test::WorkFolder folder;
    CCircleBqData data;
};

TEST_F(CircleDrawing, TwelveFilesInOrderEachPassingEzdxf) {
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, folder.path().c_str(), IN_MOVED_TO | IN_CLOSE_WRITE), 0);
    CCircleBqDraw(&data).DrawAll();
    std::vector<std::string> seen;
    alignas(inotify_event) char buf[1 << 16];
    for (ssize_t n; (n = read(watch, buf, sizeof buf)) > 0;)
        for (char* p = buf; p < buf + n;) {
            const auto* ev = reinterpret_cast<const inotify_event*>(p);
            const std::string name = ev->len ? ev->name : "";
            if (name.ends_with(".DXF") && std::find(seen.begin(), seen.end(), name) == seen.end())
                seen.push_back(name);
            p += sizeof(inotify_event) + ev->len;
        }
    close(watch);
    const std::vector<std::string> order = {"YK_N_BQ3.DXF",  "YK_H_BQ3.DXF", "YK_M_BQ3.DXF", "YK_Q_BQ3.DXF",
                                            "YK_Bl_BQ3.DXF", "YK_Bj_BQ3.DXF", "YK_O_BQ3.DXF", "YK_v_BQ3.DXF",
                                            "YK_k_BQ3.DXF",  "YK_r_BQ3.DXF", "YK_Jx_BQ3.DXF", "YK_Hx_BQ3.DXF"};
    EXPECT_EQ(seen, order);

    const std::string py = kv::test::PythonWithEzdxf();
    if (py.empty()) GTEST_SKIP() << "python3-ezdxf is not installed: the outside reader check is skipped";
    for (int k = 0; k < 12; ++k) EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, folder / data.GetDxfFileName(k))) << k;
}

TEST_F(CircleDrawing, QuantitiesStrokeAndLabelEveryStationBySign) {
    CCircleBqDraw draw(&data);
    draw.DrawAll();
    const Stations st(data);
    for (int k = 0; k < 13; ++k) {
        EXPECT_NEAR(draw.phi[k], st.phi[k], 1e-6);
        EXPECT_NEAR(draw.x_pt[k], st.x[k], 1e-4);
        EXPECT_NEAR(draw.y_pt[k], st.y[k], 1e-4);
    }
    struct Quantity {
        const float* values;
        const char *title, *format;
        double scale;
    } const quantities[7] = {
        {data.n_phi, "经向内力图(kN/m)", "%.1f", 1},    {data.n_theta, "环向内力图(kN/m)", "%.1f", 1},
        {data.m_phi, "经向弯矩图(kN.m/m)", "%.1f", 1},  {data.q_phi, "经向切力图(kN/m)", "%.1f", 1},
        {data.w, "法向位移图(mm)", "%.2f", 1000},       {data.v, "经向位移图(mm)", "%.2f", 1000},
        {data.chi, "经向转角图(弧度)(顺时针为正)", "%.4f", 1},
    };
    int positives = 0, others = 0;
    for (int q = 0; q < 7; ++q) {
        SCOPED_TRACE(quantities[q].title);
        const DXF d = Read(q);
        const auto arcs = Of(d, EntityKind::Arc);
        ASSERT_EQ(arcs.size(), 1u);
        EXPECT_NEAR(arcs[0]->x1, 30, 1e-6);
        EXPECT_NEAR(arcs[0]->y1, -30, 1e-6);
        EXPECT_NEAR(arcs[0]->radius, 30, 1e-6);
        EXPECT_NEAR(arcs[0]->startAngle, 90, 1e-6);
        EXPECT_NEAR(arcs[0]->endAngle, 90 + std::asin(data.r / double(data.sphere_radius)) * 180 / 3.14, 1e-3);
        const Entity* title = TextAt(d, 17, -20);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text, quantities[q].title);
        EXPECT_EQ(title->style, "HZ");
        EXPECT_NEAR(title->height, 1.5, 1e-6);

        const auto lines = Of(d, EntityKind::Line);
        const auto texts = Of(d, EntityKind::Text);
        ASSERT_EQ(lines.size(), 13u);
        EXPECT_EQ(texts.size(), 14u);
        double max = 0;
        for (int k = 0; k < 13; ++k) max = std::max(max, std::fabs(double(quantities[q].values[k])));
        bool longest = false;
        for (int k = 0; k < 13; ++k) {
            const double v = quantities[q].values[k];
            const Entity& l = *lines[k];
            EXPECT_NEAR(l.x1, st.x[k], 1e-4);
            EXPECT_NEAR(l.y1, st.y[k], 1e-4);
            const double dx = l.x2 - l.x1, dy = l.y2 - l.y1;
            const double len = 3 * std::cos(st.phi[k]) * std::fabs(v) / max;
            EXPECT_NEAR(std::fabs(dx), len, 1e-4) << k;
            EXPECT_NEAR(dy, -dx, 1e-5) << k;
            const std::string label = Format(quantities[q].format, v * quantities[q].scale);
            // Labels follow the title in station order (station 12 stands where 9 does).
            const Entity* t = texts[1 + k];
            EXPECT_NEAR(t->x1, v > 0 ? st.x[k] - 0.5 : st.x[k] + 0.3, 1e-4) << k;
            EXPECT_NEAR(t->y1, v > 0 ? st.y[k] + 0.7 : st.y[k] - 0.7, 1e-4) << k;
            EXPECT_EQ(t->text, label) << k;
            EXPECT_EQ(t->style, "STANDARD");
            EXPECT_NEAR(t->height, 0.3, 1e-6);
            EXPECT_EQ(t->rotation, 0);
            if (v > 0) {
                EXPECT_GT(dx, 0) << k;
                ++positives;
            } else {
                EXPECT_LE(dx, 0) << k << ": a non-positive value strokes toward smaller x";
                ++others;
            }
            if (std::fabs(v) == max) {
                longest = true;
                EXPECT_NEAR(std::fabs(dx), 3 * std::cos(st.phi[k]), 1e-5);
                EXPECT_NEAR(std::fabs(dy), 3 * std::cos(st.phi[k]), 1e-5);
            }
        }
        EXPECT_TRUE(longest);
        for (const Entity& e : d.Entities()) {
            EXPECT_EQ(e.layer, "0");
            EXPECT_EQ(e.color, kv::drawing::kByLayer);
        }
    }
    // The defaults give both signs (and zeros at the crown).
    EXPECT_GT(positives, 0);
    EXPECT_GT(others, 0);
}

TEST_F(CircleDrawing, RadiiAndBars) {
    CCircleBqDraw(&data).DrawAll();
    const Stations st(data);
    {
        const DXF d = Read(8);
        EXPECT_TRUE(Of(d, EntityKind::Line).empty());
        EXPECT_EQ(Of(d, EntityKind::Arc).size(), 1u);
        EXPECT_EQ(TitleOf(d), "半径(m)");
        const auto texts = Of(d, EntityKind::Text);
        ASSERT_EQ(texts.size(), 14u);
        for (int k = 0; k < 13; ++k) {
            EXPECT_NEAR(texts[1 + k]->x1, st.x[k] + 0.3, 1e-4);
            EXPECT_NEAR(texts[1 + k]->y1, st.y[k] + 0.3, 1e-4);
            EXPECT_EQ(texts[1 + k]->text, Format("%.1f", data.rho[k]));
        }
    }
    struct Bars {
        int k;
        const float (*areas)[2];
        const char* title;
    } const bars[2] = {{9, data.merid_as, "经向配筋图(mm2)"}, {10, data.hoop_as, "环向配筋图(mm2)"}};
    for (const Bars& b : bars) {
        SCOPED_TRACE(b.title);
        const DXF d = Read(b.k);
        EXPECT_EQ(TitleOf(d), b.title);
        const auto lines = Of(d, EntityKind::Line);
        const auto texts = Of(d, EntityKind::Text);
        ASSERT_EQ(lines.size(), 26u);
        ASSERT_EQ(texts.size(), 27u);
        double max = 0;
        for (int k = 0; k < 13; ++k) max = std::max(max, double(b.areas[k][0]));
        ASSERT_GT(max, 0);
        for (int k = 0; k < 13; ++k) {
            const double dd = std::cos(st.phi[k]) * 3 * b.areas[k][0] / max;
            EXPECT_NEAR(lines[2 * k]->x2 - st.x[k], dd, 1e-4);
            EXPECT_NEAR(lines[2 * k]->y2 - st.y[k], -dd, 1e-4);
            EXPECT_NEAR(lines[2 * k + 1]->x2 - st.x[k], -dd, 1e-4);
            EXPECT_NEAR(lines[2 * k + 1]->y2 - st.y[k], dd, 1e-4);
            const Entity* top = texts[1 + 2 * k];
            const Entity* bottom = texts[2 + 2 * k];
            EXPECT_NEAR(top->x1, st.x[k] - 1.5 * dd, 1e-4);
            EXPECT_NEAR(top->y1, st.y[k] + 1.5 * dd, 1e-4);
            EXPECT_NEAR(bottom->x1, st.x[k] + dd, 1e-4);
            EXPECT_NEAR(bottom->y1, st.y[k] - dd, 1e-4);
            EXPECT_EQ(top->text, Format("上侧: %.2f", b.areas[k][0]));
            EXPECT_EQ(bottom->text, Format("下侧: %.2f", b.areas[k][1]));
        }
        for (const Entity* t : Of(d, EntityKind::Text)) {
            if (t->text == b.title) continue;
            // Stored as a turn in [0, 360): −45° comes back as 315°.
            EXPECT_NEAR(std::fmod(t->rotation + 360, 360), 315, 1e-4) << t->text;
            EXPECT_EQ(t->style, "HZ");
            EXPECT_NEAR(t->height, 0.3, 1e-6);
        }
    }
}

TEST_F(CircleDrawing, RingBeamAndEdgeValueTexts) {
    CCircleBqDraw(&data).DrawAll();
    struct Expect {
        double x, y;
        std::string text;
        const char* style;
    };
    const std::vector<Expect> ring = {
        {-5, 0, "环梁内力及配筋", "HZ"},
        {-5, -5, "拉力(kN)=", "HZ"},
        {-5, -10, "弯矩(kN.m)=", "HZ"},
        {-5, -15, "上侧配筋面积(mm2)=", "HZ"},
        {-5, -20, "下侧配筋面积(mm2)=", "HZ"},
        {0.5, -5, Format("%.1f", data.ring_n), "STANDARD"},
        {1.0, -10, Format("%.1f", data.ring_m), "STANDARD"},
        {4.0, -15, Format("%.1f", data.ring_as_top), "STANDARD"},
        {4.0, -20, Format("%.1f", data.ring_as_bottom), "STANDARD"},
    };
    const std::vector<Expect> edge = {
        {0, 0, "壳与边梁交点处的内力及位移:", "HZ"},
        {0, -2, "经向内力(kN/m)=", "HZ"},
        {0, -14, "经向转角(弧度)=", "HZ"},
        {10, -2, Format("%.1f", data.n_phi[12]), "STANDARD"},
        {10, -4, Format("%.1f", data.n_theta[12]), "STANDARD"},
        {10, -6, Format("%.1f", data.m_phi[12]), "STANDARD"},
        {10, -8, Format("%.1f", data.q_phi[12]), "STANDARD"},
        {10, -10, Format("%.2f", data.w[12] * 1000.0), "STANDARD"},
        {10, -12, Format("%.2f", data.v[12] * 1000.0), "STANDARD"},
        {10, -14, Format("%.4f", data.chi[12]), "STANDARD"},
    };
    struct Block {
        int k;
        const std::vector<Expect>* texts;
        size_t count;
        double height;
    } const blocks[2] = {{7, &ring, 9, 1.0}, {11, &edge, 15, 0.8}};
    for (const Block& b : blocks) {
        SCOPED_TRACE(b.k);
        const DXF d = Read(b.k);
        EXPECT_EQ(d.Entities().size(), b.count) << "texts only";
        EXPECT_EQ(Of(d, EntityKind::Text).size(), b.count);
        for (const Expect& e : *b.texts) {
            const Entity* t = TextAt(d, e.x, e.y);
            ASSERT_NE(t, nullptr) << e.text;
            EXPECT_EQ(t->text, e.text);
            EXPECT_EQ(t->style, e.style) << e.text;
            EXPECT_NEAR(t->height, b.height, 1e-6);
            EXPECT_EQ(t->rotation, 0);
        }
    }
}

TEST_F(CircleDrawing, AllZeroQuantityHasLabelsButNoStrokes) {
    std::fill(std::begin(data.chi), std::end(data.chi), 0.0f);
    for (auto& a : data.merid_as) a[0] = a[1] = 0;
    CCircleBqDraw(&data).DrawAll();
    const DXF chi = Read(6), bars = Read(9);
    EXPECT_TRUE(Of(chi, EntityKind::Line).empty());
    EXPECT_EQ(Of(chi, EntityKind::Text).size(), 14u);
    const Stations st(data);
    const auto labels = Of(chi, EntityKind::Text);
    for (int k = 0; k < 13; ++k) {
        EXPECT_NEAR(labels[1 + k]->x1, st.x[k] + 0.3, 1e-4);
        EXPECT_NEAR(labels[1 + k]->y1, st.y[k] - 0.7, 1e-4);
        EXPECT_EQ(labels[1 + k]->text, "0.0000");
    }
    EXPECT_TRUE(Of(bars, EntityKind::Line).empty());
    const auto texts = Of(bars, EntityKind::Text);
    EXPECT_EQ(texts.size(), 27u);
    for (const Entity* t : texts) {
        if (t->text == "经向配筋图(mm2)") continue;
        EXPECT_NEAR(std::fmod(t->rotation + 360, 360), 315, 1e-4);
    }
    const std::string py = kv::test::PythonWithEzdxf();
    if (!py.empty()) {
        EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, folder / data.GetDxfFileName(9)));
    }
}

TEST_F(CircleDrawing, NothingForAShellWithoutResult) {
    CCircleBqData fresh;
    fresh.SetFileName("NEW");
    CCircleBqDraw(&fresh).DrawAll();
    EXPECT_FALSE(std::ifstream(folder / fresh.GetDxfFileName(0)).good());
}

}  // namespace
