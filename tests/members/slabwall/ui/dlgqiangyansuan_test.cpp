// The section check "墙体验算": its three modes, the moment and position fields,
// and what it keeps between openings.
#include "members/slabwall/ui/dlgqiangyansuan.h"

#include "base/error.h"

#include "modal.h"
#include "support/qt_app.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <regex>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::Field;
using kv::test::RunModal;
using kv::test::SetField;

// The steel areas of a result text: As and As'.
std::pair<double, double> Steel(const QString& result) {
    std::smatch m;
    std::string text = result.toStdString();
    if (!std::regex_search(text, m, std::regex(R"(As = (-?[0-9.]+)\(mm2/m\)\r?\nAs' = (-?[0-9.]+))")))
        return {-99, -99};
    return {std::stod(m[1]), std::stod(m[2])};
}

class SectionCheck : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        oldSink = kv::err::SetSink([this](int code, const std::string& text) { channel.push_back({code, text}); });
    }
    void TearDown() override { kv::err::SetSink(std::move(oldSink)); }

    QiangYanSuanRecord record;
    kv::err::Sink oldSink;
    std::vector<kv::err::Line> channel;
};

TEST_F(SectionCheck, SlabModesDesignTheirEdgeForBendingAndHideTheWallFields) {
    struct Case {
        int mode;
        const char* caption;
        int edge;
    };
    for (Case c : {Case{QiangYanSuanRecord::kRoof, "顶板验算", 2}, Case{QiangYanSuanRecord::kFloor, "底板验算", 0}}) {
        SCOPED_TRACE(c.caption);
        record = QiangYanSuanRecord();
        record.Mode = c.mode;
        record.BianM[c.edge] = -60.0f;  // a negative moment is checked as positive
        CDlgQiangYanSuan dlg(nullptr, record);
        RunModal(dlg, [&] {
            EXPECT_EQ(dlg.windowTitle(), c.caption);
            for (int id : {3227, 1181, 3228, 1225}) EXPECT_FALSE(ById(dlg, id)->isVisible()) << id;
            EXPECT_TRUE(ById(dlg, 1229)->isVisible());
            EXPECT_EQ(ById<QLabel>(dlg, 3229)->text(), "板厚(mm):");
            EXPECT_EQ(Field(dlg, 1276), "60");
        });
        EXPECT_FLOAT_EQ(record.BianM[c.edge], 60.0f);
        EXPECT_TRUE(record.result.startsWith("已知条件：\r\n弯矩 = 60.00(kN.m/m)\r\n\r\n配筋结果：\r\n"))
            << record.result.toStdString();
        auto [as, as1] = Steel(record.result);
        EXPECT_GT(as, 0);
        EXPECT_GE(as1, 0);
    }
}

TEST_F(SectionCheck, LargerMomentNeedsMoreSteelAndAThickerSlabLess) {
    record.Mode = QiangYanSuanRecord::kRoof;
    record.BianM[2] = 150.0f;  // well above the minimum steel
    CDlgQiangYanSuan dlg(nullptr, record);
    double small = 0, large = 0, thick = 0;
    RunModal(dlg, [&] {
        small = Steel(record.result).first;
        SetField(dlg, 1276, "250");
        Click(dlg, 1);
        large = Steel(record.result).first;
        SetField(dlg, 1229, "400");
        Click(dlg, 1);
        thick = Steel(record.result).first;
    });
    EXPECT_GT(large, small);
    EXPECT_LT(thick, large);
}

TEST_F(SectionCheck, NegativeMomentTurnsPositiveWhenTheFieldIsLeft) {
    record.Mode = QiangYanSuanRecord::kFloor;
    CDlgQiangYanSuan dlg(nullptr, record);
    RunModal(dlg, [&] {
        SetField(dlg, 1276, "-35.5");
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(ById(dlg, 1276), &out);
        EXPECT_EQ(Field(dlg, 1276), "35.5");
    });
}

TEST_F(SectionCheck, WallModeDesignsTheChosenEdgeWithItsVerticalForce) {
    record.Mode = QiangYanSuanRecord::kWall;
    record.BianM[0] = 20.0f;
    record.BianM[1] = 45.0f;
    record.BianN[0] = 300.0f;
    record.BianN[1] = 0.0f;  // no vertical force is still designed
    CDlgQiangYanSuan dlg(nullptr, record);
    RunModal(dlg, [&] {
        EXPECT_EQ(dlg.windowTitle(), "墙体验算");
        EXPECT_TRUE(ById(dlg, 1181)->isVisible());
        EXPECT_TRUE(ById(dlg, 1225)->isVisible());
        EXPECT_EQ(ById<QLabel>(dlg, 3229)->text(), "墙厚(mm):");
        EXPECT_TRUE(record.result.startsWith("对应板位置：下\r\n\r\n已知条件：\r\n弯矩 = 20.00(kN.m/m)\r\n竖向力 = 300.00(kN/m)\r\n"))
            << record.result.toStdString();
        auto* position = ById<QComboBox>(dlg, 1181);
        position->setCurrentIndex(1);
        emit position->activated(1);
        EXPECT_EQ(Field(dlg, 1276), "45");
        Click(dlg, 1);
    });
    EXPECT_TRUE(record.result.startsWith("对应板位置：右\r\n\r\n已知条件：\r\n弯矩 = 45.00(kN.m/m)\r\n竖向力 = 0.00(kN/m)\r\n"))
        << record.result.toStdString();
    EXPECT_GT(Steel(record.result).first, 0);
    EXPECT_TRUE(channel.empty());
}

TEST_F(SectionCheck, TensionIsRefusedAndTheResultKept) {
    record.Mode = QiangYanSuanRecord::kWall;
    record.position = 2;
    record.BianM[2] = 30.0f;
    record.BianN[2] = -10.0f;
    record.result = "earlier\r\n";
    CDlgQiangYanSuan dlg(nullptr, record);
    RunModal(dlg, [] {});
    ASSERT_EQ(channel.size(), 1u);
    EXPECT_EQ(channel[0].code, 301);
    EXPECT_EQ(channel[0].text, "此版本无抗拉验算功能 !");
    EXPECT_EQ(record.result, "earlier\r\n");
}

TEST_F(SectionCheck, ReopeningShowsThePreviousEntries) {
    QiangYanSuanRecord& kept = SlabSectionCheck();
    kept = QiangYanSuanRecord();
    kept.Mode = QiangYanSuanRecord::kRoof;
    {
        CDlgQiangYanSuan dlg(nullptr, kept);
        RunModal(dlg, [&] {
            EXPECT_EQ(Field(dlg, 1225), "3000");
            EXPECT_EQ(Field(dlg, 1229), "300");
            EXPECT_EQ(Field(dlg, 1223), "35");
            EXPECT_EQ(ById<QComboBox>(dlg, 1176)->currentText(), "30");
            EXPECT_EQ(ById<QComboBox>(dlg, 1182)->currentText(), "HRB400");
            SetField(dlg, 1229, "250");
            ById<QComboBox>(dlg, 1176)->setCurrentIndex(ById<QComboBox>(dlg, 1176)->findText("40"));
            Click(dlg, 1);
        });
    }
    CDlgQiangYanSuan again(nullptr, SlabSectionCheck());
    RunModal(again, [&] {
        EXPECT_EQ(Field(again, 1229), "250");
        EXPECT_EQ(ById<QComboBox>(again, 1176)->currentText(), "40");
    });
    EXPECT_NE(&SlabSectionCheck(), &WallSectionCheck());
    kept = QiangYanSuanRecord();
}

}  // namespace
