// The slab dialog: edges and theory, the given moments, the texts of the two
// kinds, the range checks, reading data, the load and section dialogs it opens,
// the slab's frequency and the joining of a companion report.
#include "members/slabwall/ui/dlgban.h"

#include "design/ban_data.h"
#include "codes/ui/bmpcombobox.h"
#include "views/dialogs/calcroad.h"
#include "members/slabwall/ui/dlgqiangyansuan.h"
#include "platform/services.h"
#include "report/ui/reportfile.h"
#include "report/ui/rtfwriter.h"
#include "support/edition_guard.h"
#include "support/qt_app.h"
#include "support/work_folder.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"

#include "dialog_fixture.h"
#include "modal.h"
#include "recordingrunner.h"
#include "report_stand_in.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <vector>

#include <cmath>
#include <limits>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::Field;
using kv::test::OnNextModal;
using kv::test::RunModal;
using kv::test::SetField;

std::string PlainText(const std::string& path) {
    QTextDocument doc;
    QString file = QString::fromStdString(path);
    EXPECT_TRUE(kv::report::ui::LoadReport(&doc, file, kv::report::ui::LooksLikeRtf(file)));
    return doc.toPlainText().toStdString();
}

void WriteRtf(const std::string& path, const QString& text) {
    QTextDocument doc;
    doc.setPlainText(text);
    ASSERT_TRUE(kv::report::ui::SaveRtf(doc, QString::fromStdString(path)));
}

using kv::test::ReportViewStandIn;

class SlabDialog : public kv::test::DialogTest {
protected:
    // Runs the dialog on `data` with `steps`.
    int Run(const std::function<void(CDlgBan&)>& steps) {
        CDlgBan dlg;
        dlg.SetData(&data);
        return RunModal(dlg, [&] { steps(dlg); });
    }
    static CBmpComboBox* Edge(const CDlgBan& dlg, int id) { return ById<CBmpComboBox>(dlg, id); }
    // The user picks entry `index` of a combo.
    static void Choose(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static void Leave(const CDlgBan& dlg, int id) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(ById(dlg, id), &out);
    }
    kv::test::EditionGuard edition{2010};
    BAN_JS_STRUCT data{0};
};

TEST_F(SlabDialog, PlasticTheoryTurnsAnElasticEdgeFixedAndBackOffersElasticButKeepsFixed) {
    data.Plastic = 0;
    const int edges[4] = {2, 1, 0, 1};
    std::copy(edges, edges + 4, data.EdgeType);
    Run([&](CDlgBan& dlg) {
        EXPECT_EQ(Edge(dlg, 1024)->count(), 3);
        EXPECT_EQ(Edge(dlg, 1024)->currentIndex(), 2);
        EXPECT_TRUE(ById(dlg, 3220)->isVisible());
        EXPECT_TRUE(ById(dlg, 3217)->isVisible());

        ById<QRadioButton>(dlg, 1110)->click();  // 塑性内力
        for (int id : {1024, 1041, 1056, 1064}) EXPECT_EQ(Edge(dlg, id)->count(), 2) << id;
        EXPECT_EQ(Edge(dlg, 1024)->currentIndex(), 1);
        EXPECT_EQ(Edge(dlg, 1024)->BmpId(1), IDB_GUDING);
        EXPECT_FALSE(ById(dlg, 3220)->isVisible());
        EXPECT_FALSE(ById(dlg, 3217)->isVisible());

        ById<QRadioButton>(dlg, 1355)->click();  // back to 弹性内力
        for (int id : {1024, 1041, 1056, 1064}) EXPECT_EQ(Edge(dlg, id)->count(), 3) << id;
        EXPECT_EQ(Edge(dlg, 1024)->BmpId(2), IDB_TANXING);
        EXPECT_EQ(Edge(dlg, 1024)->currentIndex(), 1);
        EXPECT_FALSE(ById(dlg, 3220)->isVisible());  // no edge is elastic now

        Choose(Edge(dlg, 1041), 2);  // an elastic edge brings the fixity back
        EXPECT_TRUE(ById(dlg, 3220)->isVisible());
        EXPECT_EQ(dlg.DlgToData(), 1);
    });
    EXPECT_EQ(data.Plastic, 0);
    EXPECT_EQ(data.EdgeType[0], 1);
    EXPECT_EQ(data.EdgeType[1], 2);
}

TEST_F(SlabDialog, GivenMomentsAreEditedOnlyUnderPlasticTheoryOnSimplySupportedEdges) {
    data.Plastic = 1;
    const int edges[4] = {0, 1, 0, 1};
    std::copy(edges, edges + 4, data.EdgeType);
    data.EdgeMoment[0] = 12.5f;
    Run([&](CDlgBan& dlg) {
        auto shown = [&] {
            std::vector<bool> out;
            for (int id : {1357, 1143, 1133, 1140}) out.push_back(ById(dlg, id)->isVisible());
            return out;
        };
        EXPECT_EQ(shown(), (std::vector<bool>{true, false, true, false}));
        EXPECT_EQ(Field(dlg, 1357), "12.5");
        Choose(Edge(dlg, 1041), 0);  // right edge 简支
        EXPECT_EQ(shown(), (std::vector<bool>{true, true, true, false}));
        Choose(Edge(dlg, 1024), 1);  // bottom edge 固定
        EXPECT_EQ(shown(), (std::vector<bool>{false, true, true, false}));
        ById<QRadioButton>(dlg, 1355)->click();
        EXPECT_EQ(shown(), (std::vector<bool>{false, false, false, false}));
    });
}

TEST_F(SlabDialog, EachKindHasItsTextsAndItsDataFiles) {
    struct Case {
        int kind;
        const char *caption, *label, *filter;
        bool upward;
    };
    for (Case c : {Case{0, "顶板计算", "板面均布荷载设计值(kPa):", "顶板数据文件(*.LB)|*.LB||", false},
                   Case{1, "底板计算", "板底均布荷载设计值(kPa):", "底板数据文件(*.DB)|*.DB||", true}}) {
        SCOPED_TRACE(c.caption);
        data.Kind = c.kind;
        Run([&](CDlgBan& dlg) {
            EXPECT_EQ(dlg.windowTitle(), c.caption);
            EXPECT_EQ(ById<QLabel>(dlg, 3205)->text(), c.label);
            EXPECT_EQ(ById(dlg, 3206)->isVisible(), c.upward);
            EXPECT_EQ(ById<QLabel>(dlg, 3206)->text(), "(荷载方向向上)");
            EXPECT_FALSE(ById(dlg, 3218)->isVisible());
            Click(dlg, 3086);  // 读数据, cancelled
            Click(dlg, 1377);  // 存数据, cancelled
        });
        ASSERT_EQ(fileDialogs->requests().size(), 2u * (c.kind + 1));
        for (std::size_t k = fileDialogs->requests().size() - 2; k < fileDialogs->requests().size(); ++k) {
            EXPECT_EQ(fileDialogs->requests()[k].filter, c.filter);
            EXPECT_EQ(fileDialogs->requests()[k].initialPath, dir.path());
        }
    }
}

TEST_F(SlabDialog, ZeroLengthIsRefusedByItsRange) {
    data.Length = 6.0f;
    Run([&](CDlgBan& dlg) {
        SetField(dlg, 1068, "0");
        Leave(dlg, 1068);
    });
    EXPECT_EQ(Shown(), (std::vector<std::string>{"请输入一个 0.001 到 100 之间的数。"}));
    EXPECT_FLOAT_EQ(data.Length, 6.0f);
}

// The thickness has no range of its own: a typed value beyond an int's reach
// is held at the int's limit instead of wrapping to a thickness of any sign.
TEST_F(SlabDialog, ThicknessTruncatesAndStaysWithinTheIntegersReach) {
    const struct {
        const char* typed;
        int stored;
    } cases[] = {{"299.9", 299}, {"1e12", std::numeric_limits<int>::max()},
                 {"-1e12", std::numeric_limits<int>::min()}};
    for (const auto& c : cases) {
        data.Thickness = 300;
        Run([&](CDlgBan& dlg) {
            SetField(dlg, 1103, c.typed);
            Leave(dlg, 1103);
        });
        EXPECT_EQ(data.Thickness, c.stored) << c.typed;
    }
}

TEST_F(SlabDialog, CalculateWithAFieldOutOfRangeSaysSoAndRunsNothing) {
    data.Width = 4.5f;
    Run([&](CDlgBan& dlg) {
        SetField(dlg, 1077, "200");
        Click(dlg, 1359);
        EXPECT_TRUE(dlg.isVisible());
    });
    EXPECT_EQ(Shown(), (std::vector<std::string>{"请输入一个 0.001 到 100 之间的数。", "数据不对!"}));
    EXPECT_FALSE(dir.Exists("Message.Box"));
    EXPECT_FLOAT_EQ(data.Width, 4.5f);
}

TEST_F(SlabDialog, CalculateRunsOnTheCalculationRunner) {
    kv::test::RunnerGuard runner;
    ASSERT_FALSE(dir.Exists("Message.Box"));
    Run([&](CDlgBan& dlg) { Click(dlg, 1359); });
    EXPECT_EQ(runner.recorder->titles, (std::vector<std::string>{"顶板计算"}));
    EXPECT_TRUE(runner.recorder->messageBoxWritten);
}

TEST_F(SlabDialog, EscapeWithABadFieldStaysOpenAndReturnCloses) {
    bool openAfterEscape = false;
    int result = Run([&](CDlgBan& dlg) {
        SetField(dlg, 1284, "-1");
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &esc);
        openAfterEscape = dlg.isVisible();
        Click(dlg, 1);  // 返回 closes all the same
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST_F(SlabDialog, EnterMovesToTheNextFieldInsteadOfClosing) {
    Run([&](CDlgBan& dlg) {
        dlg.activateWindow();
        ById(dlg, 1068)->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &enter);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_NE(QApplication::focusWidget(), ById(dlg, 1068));
    });
}

TEST_F(SlabDialog, ReadDataShowsTheFileAndNamesIt) {
    BAN_JS_STRUCT file{0};
    file.Length = 7.5f;
    file.Thickness = 350;
    file.EdgeType[3] = 0;
    const std::string path = dir / "roof.LB";
    ASSERT_EQ(file.SaveData(path.c_str()), 1);
    fileDialogs->Answer(path);
    Run([&](CDlgBan& dlg) {
        Click(dlg, 3086);
        EXPECT_EQ(Field(dlg, 1068), "7.5");
        EXPECT_EQ(Field(dlg, 1103), "350");
        EXPECT_EQ(Edge(dlg, 1064)->currentIndex(), 0);
        EXPECT_EQ(dlg.windowTitle(), QString::fromStdString(path));
    });
    EXPECT_FLOAT_EQ(data.Length, 7.5f);
}

TEST_F(SlabDialog, AnElasticSlabReadIntoAPlasticDialogShowsItsElasticEdges) {
    BAN_JS_STRUCT file{0};
    file.Plastic = 0;
    const int edges[4] = {2, 1, 0, 2};
    std::copy(edges, edges + 4, file.EdgeType);
    const std::string path = dir / "elastic.LB";
    ASSERT_EQ(file.SaveData(path.c_str()), 1);
    data.Plastic = 1;
    std::fill(data.EdgeType, data.EdgeType + 4, 1);
    fileDialogs->Answer(path);
    const int ids[4] = {1024, 1041, 1056, 1064};
    Run([&](CDlgBan& dlg) {
        Click(dlg, 3086);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Edge(dlg, ids[i])->count(), 3) << ids[i];
            EXPECT_EQ(Edge(dlg, ids[i])->currentIndex(), edges[i]) << ids[i];
        }
        EXPECT_EQ(dlg.DlgToData(), 1);
    });
    EXPECT_EQ(std::vector<int>(data.EdgeType, data.EdgeType + 4), std::vector<int>(edges, edges + 4));
}

TEST_F(SlabDialog, LoadButtonOpensTheKindsLoadDialogWithTheThicknessTypedAndShowsItsLoad) {
    data.Kind = 0;
    Run([&](CDlgBan& dlg) {
        SetField(dlg, 1103, "400");
        OnNextModal([](QDialog& load) {
            EXPECT_EQ(load.objectName(), "8279");
            EXPECT_EQ(Field(load, 3106), "10");
            SetField(load, 3112, "0");
            SetField(load, 3108, "0");
            SetField(load, 3113, "0");
            SetField(load, 3103, "50");
            Click(load, 1129);  // 1.2·10 + 50
        });
        Click(dlg, 3109);
        EXPECT_EQ(Field(dlg, 1209), "62");
    });
    EXPECT_FLOAT_EQ(data.Load, 62.0f);

    data.Kind = 1;
    QString opened;
    Run([&](CDlgBan& dlg) {
        OnNextModal([&](QDialog& load) { opened = load.objectName(); });
        Click(dlg, 3109);
    });
    EXPECT_EQ(opened, "8278");
}

TEST_F(SlabDialog, HiddenWallCheckHandsOverTheEdgeMomentsAndShearsAsMagnitudes) {
    const float moments[4] = {-30, 12, -40, 8}, shears[4] = {100, -120, 90, -80};
    std::copy(moments, moments + 4, data.EdgeM);
    std::copy(shears, shears + 4, data.EdgeV);
    data.Steam = 1;
    QiangYanSuanRecord& check = SlabSectionCheck();
    check = QiangYanSuanRecord();
    check.Mode = QiangYanSuanRecord::kRoof;
    QString caption;
    Run([&](CDlgBan& dlg) {
        OnNextModal([&](QDialog& wall) { caption = wall.windowTitle(); });
        Click(dlg, 3218);
    });
    EXPECT_EQ(caption, "墙体验算");
    EXPECT_EQ(check.Mode, QiangYanSuanRecord::kWall);
    EXPECT_EQ(check.Steam, 1);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(check.BianM[i], std::fabs(moments[i])) << i;
        EXPECT_FLOAT_EQ(check.BianN[i], std::fabs(shears[i])) << i;
    }
    check = QiangYanSuanRecord();
}

TEST_F(SlabDialog, DiagramButtonClosesTheDialogAndShowsTheDrawingReportButtonShowsTheReport) {
    data.SetFileName("&KV_0003");
    std::vector<std::string> shown;
    SetDiagramViewer([&](const std::string& path) { shown.push_back(path); });
    WriteRtf(dir / data.GetRtfFileName(0), "板计算书");
    ReportViewStandIn view;
    int result = Run([&](CDlgBan& dlg) {
        Click(dlg, 3091);  // 查报表: the dialog stays
        EXPECT_TRUE(dlg.isVisible());
        Click(dlg, 3089);  // 查简图
        EXPECT_FALSE(dlg.isVisible());
    });
    SetDiagramViewer({});
    EXPECT_EQ(view.doc.toPlainText(), "板计算书");
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(shown, (std::vector<std::string>{dir / data.GetDxfFileName(0)}));
}

TEST_F(SlabDialog, OmegaIsThePlatesFrequencyByItsEdgesAndFixity) {
    CDlgBan dlg;
    dlg.SetData(&data);
    data.Length = 6.0f;
    data.Width = 4.5f;
    data.Thickness = 300;
    data.ConGrade = 30;
    auto omega = [&](int edge, float fixity, int thickness) {
        std::fill(data.EdgeType, data.EdgeType + 4, edge);
        data.Fixity = fixity;
        data.Thickness = thickness;
        return dlg.GetOmega();
    };
    const float simple = omega(0, 0.8f, 300), fixed = omega(1, 0.8f, 300);
    ASSERT_GT(simple, 0.0f);
    EXPECT_GT(fixed, simple);
    EXPECT_NEAR(omega(2, 0.0f, 300), simple, 1e-4f * simple);
    EXPECT_NEAR(omega(2, 1.0f, 300), fixed, 1e-4f * fixed);
    EXPECT_NEAR(omega(2, 0.25f, 300), simple + 0.25f * (fixed - simple), 1e-4f * fixed);
    // Stiffness grows with t³ and mass with t: the frequency grows with t.
    EXPECT_NEAR(omega(0, 0.8f, 600), 2.0f * simple, 1e-3f * simple);
}

// ---- joining a companion report --------------------------------------------------

TEST_F(SlabDialog, AMissingCompanionLeavesTheReportAsItWas) {
    WriteRtf(dir / "r.rtf", "板计算");
    const std::string before = dir.Read("r.rtf");
    EXPECT_EQ(AppendTmpReport(dir / "r.rtf", dir / "r.rtf_tmp"), 1);
    EXPECT_EQ(dir.Read("r.rtf"), before);
}

TEST_F(SlabDialog, ACompanionIsAppendedAtTheEndAndRemoved) {
    for (bool withView : {false, true}) {
        SCOPED_TRACE(withView ? "in the report view" : "without a report view");
        std::unique_ptr<ReportViewStandIn> view;
        if (withView) view = std::make_unique<ReportViewStandIn>();
        WriteRtf(dir / "r.rtf", "板计算\n冲切验算满足 !");
        WriteRtf(dir / "r.rtf_tmp", "[ 抗剪验算 ]");
        EXPECT_EQ(AppendTmpReport(dir / "r.rtf", dir / "r.rtf_tmp"), 1);
        EXPECT_EQ(PlainText(dir / "r.rtf"), "板计算\n冲切验算满足 !\n[ 抗剪验算 ]");
        EXPECT_FALSE(dir.Exists("r.rtf_tmp"));
        if (view) {
            EXPECT_EQ(view->doc.toPlainText().toStdString(), "板计算\n冲切验算满足 !\n[ 抗剪验算 ]");
        }
    }
}

}  // namespace
