#include "fem/strut_layer_sketch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "base/error.h"
#include "drawing/base_sgt.h"
#include "support/ezdxf_check.h"
#include "support/temp_folder.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;
using kv::fem::CJianTu_StrLd;
using kv::fem::CJsBzData;
using kv::fem::CJsLineGouJian;
using kv::fem::JsLineLoad;
using kv::test::TempFolder;

class StrutLayerSketch : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        folder.MakeCurrent();
    }
    void TearDown() override { JS_ERROR_CODE = 0; }

    // A model of one straight waling beam from (0, 0) to (length, 0) m with `load`.
    CJsBzData& Beam(float length, JsLineLoad load) {
        model.m_cNetNode = {{1, 1, 0, 0}, {2, 1, length, 0}};
        model.m_cNetLine = {{1, 1, 0, 1, 2, 0, 0}};
        CJsLineGouJian member;
        member.m_cLoad = {load};
        model.m_cYaoLiang = {member};
        return model;
    }

    // Arrow shafts of loads on a member along y = 0: vertical lines from the member,
    // by x, their lengths (negative below).
    std::map<float, float> Shafts() const {
        std::map<float, float> shafts;
        for (const Entity& e : drawing.Entities())
            if (e.kind == EntityKind::Line && std::fabs(e.x2 - e.x1) < 0.01 && e.y1 == 0)
                shafts[std::round(float(e.x1))] = float(e.y2);
        return shafts;
    }

    TempFolder folder;
    CJsBzData model{(folder / "SKETCH.NZC").c_str()};
    CBase_SGT drawing;
    CJianTu_StrLd sketch;
};

TEST_F(StrutLayerSketch, AMemberShorterThanTheSpacingStillGetsThreeArrows) {
    drawing.New_MemDxf();
    sketch.Draw_HeZai(Beam(0.3f, {3, 1, {5, 0, 0, 0}}), &drawing, 0, 0);
    const auto shafts = Shafts();
    ASSERT_EQ(shafts.size(), 3u);
    for (float x : {0.0f, 150.0f, 300.0f}) {
        ASSERT_TRUE(shafts.count(x)) << x;
        EXPECT_FLOAT_EQ(shafts.at(x), 800.0f) << x;  // left of the member: up
    }
    int lines = 0;
    std::vector<std::string> texts;
    for (const Entity& e : drawing.Entities()) {
        lines += e.kind == EntityKind::Line;
        if (e.kind == EntityKind::Text) texts.push_back(e.text);
    }
    EXPECT_EQ(lines, 3 * 3 + 2);  // shaft and two head strokes each, two tail lines
    EXPECT_EQ(texts, std::vector<std::string>{"5.0"});
}

// A graphic scale near 0 shrinks the arrows' spacing with their length: the row
// stays a thousand arrows at most, and a scale of 0 draws a row all the same.
TEST_F(StrutLayerSketch, ArrowsAtATinySymbolSizeStayAFewThousandLines) {
    for (float loadLength : {0.6f, 0.0f}) {
        SCOPED_TRACE(loadLength);
        CBase_SGT d;
        d.New_MemDxf();
        sketch.m_fLoadLength = loadLength;  // 20,000 arrows on 6 m at the spacing asked
        sketch.Draw_HeZai(Beam(6, {3, 1, {5, 0, 0, 0}}), &d, 0, 0);
        int lines = 0;
        for (const Entity& e : d.Entities()) {
            ASSERT_TRUE(std::isfinite(e.x1) && std::isfinite(e.y1) && std::isfinite(e.x2) && std::isfinite(e.y2));
            lines += e.kind == EntityKind::Line;
        }
        EXPECT_EQ(lines, 1001 * 3 + 1000);
    }
}

TEST_F(StrutLayerSketch, RampsLongerThanHalfTheMemberAreCutShortOfIt) {
    drawing.New_MemDxf();
    // 2 m, ramps of 1.5 m: cut to 1 m less a millimetre. A negative load points down.
    sketch.Draw_HeZai(Beam(2, {6, 1, {-4, 1.5f, 0, 0}}), &drawing, 0, 0);
    const auto shafts = Shafts();
    const std::map<float, float> expected = {{0, 0}, {400, -320}, {800, -640}, {1200, -640}, {1600, -320}, {2000, 0}};
    ASSERT_EQ(shafts.size(), expected.size());
    for (const auto& [x, length] : expected) {
        ASSERT_TRUE(shafts.count(x)) << x;
        EXPECT_NEAR(shafts.at(x), length, 0.01) << x;
    }
    EXPECT_FLOAT_EQ(sketch.m_fLoadScale, 4.0f);
}

TEST_F(StrutLayerSketch, ANodeMomentAloneDrawsItsArcAndValue) {
    drawing.New_MemDxf();
    Beam(2, {3, 1, {0, 0, 0, 0}});
    model.m_cYaoLiang[0].m_cLoad.clear();
    model.m_cNodeLoad = {{1, 1, 2, 1, 2, 1, {0, 0, 12.5f}}};
    sketch.Draw_HeZai(model, &drawing, 100, 0);
    int arcs = 0, lines = 0;
    std::vector<std::string> texts;
    for (const Entity& e : drawing.Entities()) {
        arcs += e.kind == EntityKind::Arc && e.x1 == 2100 && e.radius == 250;
        lines += e.kind == EntityKind::Line;
        if (e.kind == EntityKind::Text) texts.push_back(e.text);
    }
    EXPECT_EQ(arcs, 1);
    EXPECT_EQ(lines, 2);  // the head strokes
    EXPECT_EQ(texts, std::vector<std::string>{"12.5"});
}

TEST_F(StrutLayerSketch, EveryLoadAndRestraintPassesAnOutsideReader) {
    const std::string python = kv::test::PythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3-ezdxf is not installed";
    model.m_cNetNode = {{1, 1, 0, 0}, {2, 1, 6, 0}, {3, 1, 6, 4}, {4, 1, 10, 4}, {5, 1, 0, 4}};
    model.m_cNetLine = {{1, 1, 0, 1, 2, 0, 0}, {2, 1, 0, 2, 3, 0, 0}, {3, 1, 1, 3, 4, 8, 4}};
    model.m_cNodeLoad = {{1, 1, 3, 1, 1, 1, {10, -20, 5}}, {2, 1, 4, 1, 1, 1, {-3, 8, 0}}};
    model.m_cNodeYS = {{1, 1, 1, 1, 0, 3, 0}, {2, 1, 2, 1, 4.712389f, 1, 5000},
                       {3, 1, 4, 1, 0, 2, 0}, {4, 1, 5, 1, 0, 4, 0}};
    std::vector<JsLineLoad> loads = {{1, 1, {4, -6, 1, 0}}, {2, 1, {7, 2, 0, 0}},   {3, 1, {5, 0, 0, 0}},
                                     {4, 1, {-2, 0, 0, 0}}, {5, 1, {3, 0, 0, 0}},   {6, 1, {6, 1, 0, 0}},
                                     {7, 1, {-4, 0, 0, 0}}, {8, 1, {2, 0.5f, 3, 9}}};
    for (int line : {1, 2, 3}) {
        CJsLineGouJian member;
        member.netLine = line;
        member.twelfth = line != 2;
        member.thirteenth = line != 1;
        member.m_cLoad = loads;
        (line == 2 ? model.m_cZhiCheng : model.m_cYaoLiang).push_back(member);
    }
    for (int mode : {0, 2}) {
        CBase_SGT d;
        d.New_MemDxf();
        d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
        d.Write_Tables();
        sketch.m_nMode = mode;
        d.SetCurColor("7");
        sketch.Draw_YueShu(model, &d, 500, 500);
        d.SetCurColor("1");
        sketch.Draw_HeZai(model, &d, 500, 500);
        for (const Entity& e : d.Entities())
            ASSERT_TRUE(std::isfinite(e.x1) && std::isfinite(e.y1) && std::isfinite(e.x2) && std::isfinite(e.y2));
        const std::string file = folder / ("sketch" + std::to_string(mode) + ".DXF");
        ASSERT_TRUE(d.Write_MemDxf_To_File(file.c_str()));
        EXPECT_TRUE(kv::test::EzdxfRecoverPasses(python, file)) << mode;
    }
}

}  // namespace
