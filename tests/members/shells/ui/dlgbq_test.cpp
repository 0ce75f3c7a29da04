// The three shell dialogs driven by their control ids: boxes that take only
// numbers, grades kept as codes, files of another module refused, 查简图 that
// writes nothing, a refused calculation that leaves everything as it was, the
// circle's support by name, and the unsaved-changes question on 返回 and Esc.
#include "members/shells/ui/dlgbq.h"

#include "base/globals.h"
#include "codes/guifan.h"
#include "members/shells/shell_data.h"
#include "members/shells/ui/filteredit.h"
#include "support/edition_guard.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"

#include "dialog_fixture.h"
#include "modal.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>

namespace {

using kv::shells::CFilterEdit;
using kv::test::ById;
using kv::test::Click;
using kv::test::Field;
using kv::test::RunModal;
using kv::test::SetField;

class BqDialog : public kv::test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        rect = CRectBqData();
        six = CSixBqData();
        circle = CCircleBqData();
        G_strWorkPath = dir.path();
    }
    void TearDown() override {
        SetProjectModeQuery(nullptr);
        kv::shell::SetItemStore(nullptr);
        // 查简图 made the chooser: it must go while the application is there.
        DestroyJianTuChooser();
        G_strWorkPath.clear();
        DialogTest::TearDown();
    }

    template <class Dialog, class Data>
    int Run(Data& data, const std::function<void(Dialog&)>& steps) {
        Dialog dlg;
        dlg.SetData(&data);
        return RunModal(dlg, [&] { steps(dlg); });
    }
    void BindToItem(CJsBaseData& data) {
        SetProjectModeQuery([] { return true; });
        data.SetFileName("&KV_0001");
        ASSERT_EQ(data.SaveData((dir / "&KV_0001.dat").c_str()), 1);
    }
    int Questions() const {
        int n = 0;
        for (const std::string& text : Shown()) n += text.find("您当前的数据已经做了改动") != std::string::npos;
        return n;
    }
    static void Choose(QWidget& dlg, int id, const QString& text) {
        auto* combo = ById<QComboBox>(dlg, id);
        const int i = combo->findText(text, Qt::MatchContains);
        ASSERT_GE(i, 0) << text.toStdString();
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }

    kv::test::EditionGuard edition{2010};
    CRectBqData rect;
    CSixBqData six;
    CCircleBqData circle;
};

struct Look {
    QString objectName, caption;
    int calculate;
    std::set<int> numberBoxes;
    QString sizeLabel, loadLabel;
};

Look LookOf(QDialog& dlg) {
    Look l{dlg.objectName(), dlg.windowTitle(), 0, {}, {}, {}};
    for (int id : {1008, 1129})
        if (ById<QPushButton>(dlg, id)) l.calculate = id;
    for (CFilterEdit* e : dlg.findChildren<CFilterEdit*>()) {
        EXPECT_EQ(e->filter_mask, CFilterEdit::kDigits) << e->objectName().toStdString();
        EXPECT_EQ(e->id(), e->objectName().toInt());
        l.numberBoxes.insert(e->id());
    }
    for (QLabel* label : dlg.findChildren<QLabel*>()) {
        if (label->text().startsWith(QStringLiteral("边长a")) || label->text().startsWith(QStringLiteral("半径r")))
            l.sizeLabel = label->text();
        if (label->text().contains(QStringLiteral("荷载设计值"))) l.loadLabel = label->text();
    }
    return l;
}

TEST_F(BqDialog, EachDialogHasItsCaptionAndOnlyNumberBoxes) {
    const std::set<int> plan = {1054, 912, 915, 919, 923, 1038, 1049, 1017, 1007};
    std::set<int> rectBoxes = plan, circleBoxes = plan;
    rectBoxes.insert(1072);
    circleBoxes.insert({1097, 1100});
    Look r, s, c;
    Run<CDlgRectBq>(rect, [&](CDlgRectBq& dlg) { r = LookOf(dlg); });
    Run<CDlgSixBq>(six, [&](CDlgSixBq& dlg) { s = LookOf(dlg); });
    Run<CDlgCircleBq>(circle, [&](CDlgCircleBq& dlg) { c = LookOf(dlg); });
    EXPECT_EQ(r.objectName, "199");
    EXPECT_EQ(r.caption, QStringLiteral("周边简支矩形底球面扁壳"));
    EXPECT_EQ(r.calculate, 1008);
    EXPECT_EQ(r.numberBoxes, rectBoxes);
    EXPECT_EQ(r.sizeLabel, QStringLiteral("边长a(m)"));
    EXPECT_EQ(r.loadLabel, QStringLiteral("均布荷载设计值(kPa)"));
    EXPECT_EQ(s.objectName, "194");
    EXPECT_EQ(s.caption, QStringLiteral("周边简支正六边形底球面扁壳"));
    EXPECT_EQ(s.calculate, 1008);
    EXPECT_EQ(s.numberBoxes, plan);
    EXPECT_EQ(c.objectName, "197");
    EXPECT_EQ(c.caption, QStringLiteral("圆形底球面扁壳"));
    EXPECT_EQ(c.calculate, 1129);
    EXPECT_EQ(c.numberBoxes, circleBoxes);
    EXPECT_EQ(c.sizeLabel, QStringLiteral("半径r(m)"));
    EXPECT_EQ(c.loadLabel, QStringLiteral("竖向荷载设计值(kPa)"));
}

// The defaults in the boxes; a letter typed into one beeps and is not taken.
TEST_F(BqDialog, OpensOnTheObjectAndTakesOnlyNumbers) {
    Run<CDlgRectBq>(rect, [&](CDlgRectBq& dlg) {
        EXPECT_EQ(Field(dlg, 1054), "6");
        EXPECT_EQ(Field(dlg, 1017), "198.2");
        EXPECT_EQ(Field(dlg, 912), "200");
        EXPECT_EQ(ById<QComboBox>(dlg, 1226)->currentText(), "BQ1");
        EXPECT_TRUE(ById<QComboBox>(dlg, 1003)->currentText().contains("C40"));
        EXPECT_TRUE(ById<QRadioButton>(dlg, 3236)->isChecked());
        auto* a = ById<QLineEdit>(dlg, 1054);
        a->clear();
        a->setFocus();
        QTest::keyClicks(a, "7x.5");
        EXPECT_EQ(a->text(), "7.5");
    });
    EXPECT_EQ(rect.a, 6.0f);
}

TEST_F(BqDialog, ChangingAGradeAndBackKeepsTheCodes) {
    QString before, shown;
    Run<CDlgRectBq>(rect, [&](CDlgRectBq& dlg) {
        before = ById<QComboBox>(dlg, 1182)->currentText();
        Choose(dlg, 1003, "C30");
        EXPECT_EQ(rect.concrete_grade, 30);
        Choose(dlg, 1023, "HRB400");
        Choose(dlg, 1003, "C40");
        Choose(dlg, 1023, "HPB300");
        shown = ById<QComboBox>(dlg, 1182)->currentText();
    });
    EXPECT_EQ(rect.concrete_grade, 40);
    EXPECT_EQ(rect.shell_rebar_grade, CRectBqData().shell_rebar_grade);
    EXPECT_EQ(rect.beam_rebar_grade, CRectBqData().beam_rebar_grade);
    EXPECT_EQ(shown, before);
}

TEST_F(BqDialog, ReadDataRefusesAnotherModulesFileAndTakesItsOwn) {
    BindToItem(rect);
    int stored = 0;
    kv::shell::SetItemStore([&](CJsBaseData*) { return ++stored; });
    ASSERT_EQ(six.SaveData((dir / "six.BQ2").c_str()), 1);
    CRectBqData other;
    other.b = 8.4f;
    ASSERT_EQ(other.SaveData((dir / "long.BQ1").c_str()), 1);

    fileDialogs->Answer(dir / "six.BQ2");
    QString caption, b;
    Run<CDlgRectBq>(rect, [&](CDlgRectBq& dlg) {
        Click(dlg, 3086);
        caption = dlg.windowTitle();
        b = Field(dlg, 1072);
    });
    EXPECT_EQ(Shown().back(), "文件类型不匹配 !");
    EXPECT_EQ(caption, QStringLiteral("周边简支矩形底球面扁壳"));
    EXPECT_EQ(b, "6");
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(fileDialogs->requests().back().filter, "矩形扁壳数据(*.BQ1)|*.BQ1||");

    fileDialogs->Answer(dir / "long.BQ1");
    Run<CDlgRectBq>(rect, [&](CDlgRectBq& dlg) {
        Click(dlg, 3086);
        caption = dlg.windowTitle();
        b = Field(dlg, 1072);
    });
    EXPECT_EQ(caption, QString::fromStdString(dir / "long.BQ1"));
    EXPECT_EQ(b, "8.4");
    EXPECT_EQ(stored, 1);
}

TEST_F(BqDialog, ShowJianTuClosesWithoutWriting) {
    BindToItem(six);
    const std::string before = dir.Read("&KV_0001.dat");
    bool closed = false;
    const int result = Run<CDlgSixBq>(six, [&](CDlgSixBq& dlg) {
        SetField(dlg, 1054, "7");
        Click(dlg, 3089);
        closed = !dlg.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(Questions(), 0);
    EXPECT_EQ(six.a, 5.0f);
    EXPECT_EQ(dir.Read("&KV_0001.dat"), before);
}

// b/a = 2 has no coefficient table: the engine says so, and nothing is written,
// shown or stored; the dialog stays for the correction.
TEST_F(BqDialog, RefusedCalculationWritesNothingAndStays) {
    BindToItem(rect);
    const std::string before = dir.Read("&KV_0001.dat");
    std::vector<std::string> reports;
    kv::shell::ReportView view;
    view.read = [&](const std::string& path) {
        reports.push_back(path);
        return true;
    };
    kv::shell::SetReportView(view);
    bool open = false;
    Run<CDlgRectBq>(rect, [&](CDlgRectBq& dlg) {
        SetField(dlg, 1072, "12");
        Click(dlg, 1008);
        open = dlg.isVisible();
        SetField(dlg, 1072, "6");
    });
    kv::shell::SetReportView({});
    EXPECT_TRUE(open);
    ASSERT_FALSE(Shown().empty());
    EXPECT_NE(Shown().front().find("无表文件"), std::string::npos) << Shown().front();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(dir.Read("&KV_0001.dat"), before);
    EXPECT_FALSE(dir.Exists(rect.GetRtfFileName(0)));
    for (int k = 0; k < rect.m_nJtNum; ++k) EXPECT_FALSE(dir.Exists(rect.GetDxfFileName(k))) << k;
}

// The support is chosen by its name; a name the list has not leaves the choice.
TEST_F(BqDialog, CircleSupportGoesByName) {
    struct Case {
        const char* boundary;
        int shown;
    } const cases[] = {{"嵌固", 1}, {"简支", 0}, {"弹性", 2}, {"铰接", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boundary);
        circle.boundary = c.boundary;
        int index = -1;
        Run<CDlgCircleBq>(circle, [&](CDlgCircleBq& dlg) { index = ById<QComboBox>(dlg, 1090)->currentIndex(); });
        EXPECT_EQ(index, c.shown);
    }
    Run<CDlgCircleBq>(circle, [&](CDlgCircleBq& dlg) {
        ById<QComboBox>(dlg, 1090)->setCurrentIndex(1);
        Click(dlg, 1105);
    });
    EXPECT_EQ(circle.boundary, "嵌固");
}

// After an edit: 查简图 and 查报表 close at once, 返回 and Esc ask first, and a
// 取消 to the question keeps the dialog.
TEST_F(BqDialog, ReturnAndEscapeAskAfterAnEdit) {
    BindToItem(circle);
    struct Case {
        int button;  // 0: Esc
        bool asks;
        int result;
    } const cases[] = {{3089, false, QDialog::Accepted},
                       {3091, false, QDialog::Accepted},
                       {1105, true, QDialog::Accepted},
                       {0, true, QDialog::Rejected}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        ASSERT_EQ(circle.SaveData((dir / "&KV_0001.dat").c_str()), 1);
        const int before = Questions();
        if (c.asks) messages->Answer(kv::IDNO);
        bool closed = false;
        const int result = Run<CDlgCircleBq>(circle, [&](CDlgCircleBq& dlg) {
            SetField(dlg, 1017, "260");
            if (c.button) {
                Click(dlg, c.button);
            } else {
                QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&dlg, &esc);
            }
            closed = !dlg.isVisible();
        });
        EXPECT_TRUE(closed);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(Questions() - before, c.asks ? 1 : 0);
        circle.q = CCircleBqData().q;
    }

    for (bool esc : {false, true}) {
        SCOPED_TRACE(esc);
        messages->Answer(kv::IDCANCEL);
        bool stayed = false;
        Run<CDlgCircleBq>(circle, [&](CDlgCircleBq& dlg) {
            SetField(dlg, 1017, "270");
            if (esc) {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&dlg, &key);
            } else {
                Click(dlg, 1105);
            }
            stayed = dlg.isVisible();
        });
        EXPECT_TRUE(stayed);
    }
}

// KV_SCREENSHOT_DIR names a folder for pictures of the three dialogs (under
// xvfb-run with QT_QPA_PLATFORM=xcb).
TEST_F(BqDialog, ScreenshotsOfTheDialogs) {
    const char* shots = std::getenv("KV_SCREENSHOT_DIR");
    if (!shots) GTEST_SKIP() << "KV_SCREENSHOT_DIR is not set";
    auto grab = [&](QDialog& dlg, const char* name) {
        dlg.move(20, 20);
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/" + name);
    };
    Run<CDlgRectBq>(rect, [&](CDlgRectBq& dlg) { grab(dlg, "bq-rect-dialog.png"); });
    Run<CDlgSixBq>(six, [&](CDlgSixBq& dlg) { grab(dlg, "bq-six-dialog.png"); });
    Run<CDlgCircleBq>(circle, [&](CDlgCircleBq& dlg) { grab(dlg, "bq-circle-dialog.png"); });
}

}  // namespace
