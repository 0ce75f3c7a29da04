// The beam- and column-section dialogs offscreen: the range checks and "数据不对",
// grades into codes, the section kinds with their pictures and edits, the p-δ
// edits, 返回 and Esc through the unsaved-changes check, and a 计算 whose
// "Message.Box" cannot be written.
#include "members/beams/ui/dlgliang.h"
#include "members/beams/ui/dlgzhu.h"

#include "base/globals.h"
#include "members/beams/liang_data.h"
#include "members/beams/zhu_data.h"
#include "support/edition_guard.h"
#include "widgets/rangemessage.h"

#include "dialog_fixture.h"
#include "modal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::Field;
using kv::test::RunModal;
using kv::test::SetField;

class SectionDialogs : public kv::test::DialogTest {
protected:
    template <class Dlg, class Data>
    int Run(Data& data, const std::function<void(Dlg&)>& steps) {
        Dlg dlg;
        dlg.SetData(&data);
        return RunModal(dlg, [&] { steps(dlg); });
    }
    static QString Picture(const QWidget& dlg) { return ById(dlg, 1195)->property("picture").toString(); }
    static void Key(QWidget& dlg, Qt::Key key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &press);
    }
    static void Choose(QWidget& dlg, int id, const QString& text) {
        auto* combo = ById<QComboBox>(dlg, id);
        const int i = combo->findText(text, Qt::MatchContains);
        ASSERT_GE(i, 0) << text.toStdString();
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }

    kv::test::EditionGuard edition{2010};
    CLiangData beam;
    CZhuData column;
};

TEST_F(SectionDialogs, BeamCalculateRefusesABadFieldAndGradesBecomeCodes) {
    Run<CDlgLiang>(beam, [&](CDlgLiang& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "梁截面计算");
        EXPECT_FALSE(ById(dlg, 1363)->isVisible());  // flanges, mode, report level stay hidden
        EXPECT_FALSE(ById(dlg, 1258)->isVisible());
        EXPECT_FALSE(ById(dlg, 1256)->isVisible());
        SetField(dlg, 1145, "2.0");  // ζ: 0.6 to 1.7
        Click(dlg, 1359);
        EXPECT_TRUE(ById<QTextEdit>(dlg, 1115)->toPlainText().isEmpty());
        SetField(dlg, 1145, "1.0");
        Choose(dlg, 1176, "C40");
        Choose(dlg, 1182, "HRB335");
    });
    EXPECT_EQ(Shown(), (std::vector<std::string>{kv::widgets::FloatRangeMessage(0.6, 1.7), "数据不对"}));
    EXPECT_EQ(beam.ConGrade, 40);
    EXPECT_EQ(beam.BarGrade, 2);
    EXPECT_FLOAT_EQ(beam.Zeta, 1.0f);
    EXPECT_FALSE(dir.Exists("Message.Box"));
}

// 返回 takes what it can and closes; Esc stays open on a bad field.
TEST_F(SectionDialogs, BeamReturnClosesEscapeStaysOpenOnABadField) {
    bool openAfterEscape = false;
    int result = Run<CDlgLiang>(beam, [&](CDlgLiang& dlg) {
        SetField(dlg, 1077, "x");
        Key(dlg, Qt::Key_Escape);
        openAfterEscape = dlg.isVisible();
        Click(dlg, 1);
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(beam.B, 200);
}

// A T section read from a file: its picture, the top flange's edits, and the
// lines of 计算 in the result box.
TEST_F(SectionDialogs, BeamKindsFromTheFileChooseThePictureAndFlangeEdits) {
    struct Case {
        int kind;
        const char* picture;
        bool bf, bf1;
    } cases[] = {{1, "IDB_BITMAP_LJM", false, false}, {2, "IDB_BITMAP_LJM2", false, true},
                 {3, "IDB_BITMAP_LJM3", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        beam.Kind = c.kind;
        QString shown;
        Run<CDlgLiang>(beam, [&](CDlgLiang& dlg) {
            EXPECT_EQ(Picture(dlg), c.picture);
            EXPECT_EQ(ById(dlg, 1363)->isEnabled(), c.bf);
            EXPECT_EQ(ById(dlg, 1367)->isEnabled(), c.bf);
            EXPECT_EQ(ById(dlg, 1364)->isEnabled(), c.bf1);
            EXPECT_EQ(ById(dlg, 1368)->isEnabled(), c.bf1);
            Click(dlg, 1359);
            shown = ById<QTextEdit>(dlg, 1115)->toPlainText();
        });
        EXPECT_TRUE(shown.contains(QStringLiteral("抗弯受拉筋:        As   ="))) << shown.toStdString();
        EXPECT_EQ(beam.Kind, c.kind);
    }
    EXPECT_TRUE(dir.Exists("NONAME_BEM.DXF"));
}

// A "Message.Box" that cannot be written leaves the box empty and says so, in
// place of the last run's lines.
TEST_F(SectionDialogs, UnwritableMessageBoxEmptiesTheResultBox) {
    for (bool columnDialog : {false, true}) {
        SCOPED_TRACE(columnDialog);
        std::remove((dir / "Message.Box").c_str());
        QString before, after;
        auto steps = [&](QDialog& dlg) {
            Click(dlg, 1359);
            before = ById<QTextEdit>(dlg, 1115)->toPlainText();
            std::remove((dir / "Message.Box").c_str());
            dir.Write("Message.Box/blocked", "");
            Click(dlg, 1359);
            after = ById<QTextEdit>(dlg, 1115)->toPlainText();
            std::remove((dir / "Message.Box/blocked").c_str());
        };
        if (columnDialog) Run<CDlgZhu>(column, [&](CDlgZhu& d) { steps(d); });
        else Run<CDlgLiang>(beam, [&](CDlgLiang& d) { steps(d); });
        EXPECT_FALSE(before.isEmpty());
        EXPECT_TRUE(after.isEmpty()) << after.toStdString();
        ASSERT_FALSE(Shown().empty());
        EXPECT_EQ(Shown().back(), "不能写入文件 : Message.Box");
    }
}

// The note on the longitudinal grades comes with the 2010 code only.
TEST_F(SectionDialogs, GradeNoteOnlyUnderTheCode2010) {
    for (int code : {2002, 2010}) {
        SCOPED_TRACE(code);
        kv::test::EditionGuard guard(code);
        QString beamTip, columnTip, pDeltaTip;
        Run<CDlgLiang>(beam, [&](CDlgLiang& dlg) { beamTip = ById(dlg, 1182)->toolTip(); });
        Run<CDlgZhu>(column, [&](CDlgZhu& dlg) {
            columnTip = ById(dlg, 1182)->toolTip();
            pDeltaTip = ById(dlg, 1353)->toolTip();
        });
        EXPECT_EQ(beamTip.contains(QStringLiteral("第4.2.1条第2款")), code == 2010);
        EXPECT_EQ(columnTip, beamTip);
        EXPECT_EQ(pDeltaTip.contains(QStringLiteral("二阶效应")), code == 2010);
    }
}

TEST_F(SectionDialogs, ColumnScrollBarStepsTheKindAndItsEdits) {
    struct Step {
        QAbstractSlider::SliderAction action;
        int kind;
        const char* picture;
        bool b, flange, d, my;
    } steps[] = {{QAbstractSlider::SliderSingleStepSub, 1, "IDB_BITMAP_ZJM2", true, false, false, true},
                 {QAbstractSlider::SliderSingleStepAdd, 2, "IDB_BITMAP_GZZ", true, true, false, false},
                 {QAbstractSlider::SliderSingleStepAdd, 3, "IDB_BITMAP_ZJM4", false, false, true, true},
                 {QAbstractSlider::SliderSingleStepAdd, 3, "IDB_BITMAP_ZJM4", false, false, true, true},
                 {QAbstractSlider::SliderSingleStepSub, 2, "IDB_BITMAP_GZZ", true, true, false, false}};
    Run<CDlgZhu>(column, [&](CDlgZhu& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "柱截面计算");
        EXPECT_FALSE(ById(dlg, 1118)->isVisible());
        for (const Step& s : steps) {
            ById<QScrollBar>(dlg, 1338)->triggerAction(s.action);
            EXPECT_EQ(column.Kind, s.kind);
            EXPECT_EQ(Picture(dlg), s.picture) << s.kind;
            EXPECT_EQ(ById(dlg, 1077)->isEnabled(), s.b) << s.kind;
            EXPECT_EQ(ById(dlg, 1365)->isEnabled(), s.flange) << s.kind;
            EXPECT_EQ(ById(dlg, 1118)->isEnabled(), s.d) << s.kind;
            EXPECT_EQ(ById(dlg, 1124)->isEnabled(), s.my) << s.kind;
            EXPECT_EQ(ById(dlg, 1137)->isEnabled(), s.my) << s.kind;
        }
        // A bad field keeps the kind and says why.
        SetField(dlg, 1270, "-5");  // N: 0 to 1000000
        ById<QScrollBar>(dlg, 1338)->triggerAction(QAbstractSlider::SliderSingleStepSub);
        EXPECT_EQ(column.Kind, 2);
    });
    EXPECT_EQ(Shown(), std::vector<std::string>{kv::widgets::FloatRangeMessage(0, 1000000)});
}

TEST_F(SectionDialogs, ColumnPDeltaEnablesTheEndMomentsAndCalculateNeedsGoodData) {
    Run<CDlgZhu>(column, [&](CDlgZhu& dlg) {
        for (int id : {1264, 1265, 1125, 1126}) EXPECT_FALSE(ById(dlg, id)->isEnabled()) << id;
        ById<QCheckBox>(dlg, 1353)->click();
        for (int id : {1264, 1265, 1125, 1126}) EXPECT_TRUE(ById(dlg, id)->isEnabled()) << id;
        Choose(dlg, 1248, "HRB335");
        SetField(dlg, 1272, "abc");
        Click(dlg, 1359);
        Key(dlg, Qt::Key_Escape);  // Cancel stays open on the bad field, and 返回 too
        Click(dlg, 1);
        EXPECT_TRUE(dlg.isVisible());
        SetField(dlg, 1272, "4.5");
        Click(dlg, 1359);
        EXPECT_TRUE(ById<QTextEdit>(dlg, 1115)->toPlainText().contains(QStringLiteral("考虑p-δ效应X向弯矩")));
        Click(dlg, 1);
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_EQ(column.SecondOrder, 1);
    EXPECT_EQ(column.StirrupGrade, 2);
    EXPECT_FLOAT_EQ(column.L0, 4.5f);
    const std::vector<std::string> shown = Shown();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[1], "数据不对!");
    // Symmetric steel: both x faces carry the same area in the sketch.
    EXPECT_EQ(column.ResAsx1, column.ResAsx);
}

// A stirrup spacing is typed into the column's editable list: one that is not
// above 0 would give stirrup areas of 0 (or below) for any shear.
TEST_F(SectionDialogs, ColumnSpacingMustBeAboveZero) {
    column.Vx = 900;
    Run<CDlgZhu>(column, [&](CDlgZhu& dlg) {
        for (const char* typed : {"0", "-100"}) {
            ById<QComboBox>(dlg, 1361)->setEditText(typed);
            Click(dlg, 1359);
            EXPECT_TRUE(ById<QTextEdit>(dlg, 1115)->toPlainText().isEmpty()) << typed;
        }
        ById<QComboBox>(dlg, 1361)->setEditText("150");
        Click(dlg, 1359);
        EXPECT_TRUE(ById<QTextEdit>(dlg, 1115)->toPlainText().contains(QStringLiteral("X向箍筋:")));
        Click(dlg, 1);
    });
    const std::vector<std::string> shown = Shown();
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown[0], kv::widgets::IntRangeMessage(1, 32767));
    EXPECT_EQ(shown[1], "数据不对!");
    EXPECT_EQ(shown[3], "数据不对!");
    EXPECT_EQ(column.StirrupSpacing, 150);
    EXPECT_GT(column.ResAvx, 0.0f);
}

}  // namespace
