// The interior wall dialog: what a calculation fixes whatever the record held,
// the concrete grade as the combo's number, leaving without a question, its data
// files, and what it shows after a refused run.
#include "members/slabwall/ui/dlgneiqiang.h"

#include "base/calcrunner.h"
#include "design/lkq_data.h"
#include "support/edition_guard.h"
#include "views/dialogs/checkdatasaved.h"

#include "dialog_fixture.h"
#include "modal.h"
#include "report_stand_in.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::Field;
using kv::test::RunModal;
using kv::test::SetField;

// Runs each calculation on the spot and notes the record as the run finds it.
struct RecordingRunner : kv::calc::Runner {
    const CLkqData* wall = nullptr;
    std::vector<std::string> titles;
    std::vector<CLkqData> atStart;
    void Run(const std::string& title, const std::function<void()>& calculation) override {
        titles.push_back(title);
        if (wall) atStart.push_back(*wall);
        calculation();
    }
};

QStringList Lines(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

class NeiQiangDialog : public kv::test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        auto recording = std::make_unique<RecordingRunner>();
        runner = recording.get();
        runner->wall = &data;
        oldRunner = kv::calc::InstallRunner(std::move(recording));
        NeiQiangDialogRecord() = NeiQiangDlgRecord();
        data.m_strName = "二层内墙";
        data.Height = 3.0f, data.Thickness = 250, data.VertLoad = 800.0f;
    }
    void TearDown() override {
        SetProjectModeQuery({});
        kv::calc::InstallRunner(std::move(oldRunner));
        DialogTest::TearDown();
    }

    int Run(const std::function<void(CDlgNeiQiang&)>& steps) {
        CDlgNeiQiang dlg;
        dlg.SetData(&data);
        return RunModal(dlg, [&] { steps(dlg); });
    }

    kv::test::EditionGuard edition{2010};
    CLkqData data{3};
    RecordingRunner* runner = nullptr;
    std::unique_ptr<kv::calc::Runner> oldRunner;
};

TEST_F(NeiQiangDialog, ACalculationIsACompressedOneWayStripWhateverTheRecordHeld) {
    struct Case {
        int kind;
        float load, triLoad, width;
        int oneWay;
    };
    for (Case c : {Case{3, 0, 0, 99, 1}, Case{3, 30, 12, 6, 0}, Case{0, 45, -8, 4.5f, 0}}) {
        SCOPED_TRACE(c.kind);
        SCOPED_TRACE(c.load);
        data.Kind = c.kind, data.Load = c.load, data.TriLoad = c.triLoad, data.Width = c.width, data.OneWay = c.oneWay;
        runner->atStart.clear();
        QStringList listed;
        Run([&](CDlgNeiQiang& dlg) {
            Click(dlg, 1359);
            listed = Lines(ById<QListWidget>(dlg, 1115));
        });
        ASSERT_EQ(runner->atStart.size(), 1u);  // through the calculation runner
        const CLkqData& run = runner->atStart[0];
        EXPECT_EQ(run.Kind, 3);
        EXPECT_EQ(run.OneWay, 1);
        EXPECT_FLOAT_EQ(run.Width, 99.0f);
        EXPECT_EQ(run.Load, 0.0f);
        EXPECT_EQ(run.TriLoad, 0.0f);
        EXPECT_EQ(runner->titles.back(), "二层内墙");
        EXPECT_EQ(data.Kind, 3);
        EXPECT_EQ(data.Load, 0.0f);
        EXPECT_EQ(data.HasResults, 1);
        EXPECT_GT(data.VerAs[4], 0.0f);
        // The minimum steel of a compressed wall, and no moments.
        const QString lines = listed.join('\n');
        EXPECT_TRUE(lines.contains(QString("每侧配筋 = %1").arg(data.VerAs[4], 0, 'f', 0))) << lines.toStdString();
        EXPECT_TRUE(lines.contains("每侧构造配筋 =")) << lines.toStdString();
        EXPECT_FALSE(lines.contains("弯矩")) << lines.toStdString();
        const std::string report = dir.Read(data.GetRtfFileName(0));
        EXPECT_NE(report.find("\xC7\xBD\xC3\xE6\xBE\xF9\xB2\xBC\xBA\xC9\xD4\xD8: 0.00"), std::string::npos);  // 墙面均布荷载 (GBK)
        EXPECT_EQ(report.find("\xC8\xFD\xBD\xC7\xD0\xCE"), std::string::npos);  // 三角形: no triangular load
        EXPECT_EQ(report.find("\xC7\xBD\xB3\xA4"), std::string::npos);           // 墙长: one way
        EXPECT_TRUE(dir.Exists(data.GetDxfFileName(0)));
        EXPECT_TRUE(Shown().empty()) << Shown()[0];
    }
}

TEST_F(NeiQiangDialog, TheConcreteGradeIsTheNumberTheComboShows) {
    struct Case {
        int edition;
        int recordGrade;
        QString shown;   // what the combo shows for it
        QString chosen;  // what the user picks ("" keeps the combo as it is)
        int expected;
    };
    for (Case c : {Case{2010, 30, "30", "", 30}, Case{2002, 30, "30", "", 30}, Case{2010, 25, "25", "45", 45},
                   Case{2002, 20, "20", "80", 80}, Case{2010, 33, "", "", 33}}) {
        SCOPED_TRACE(c.recordGrade);
        kv::test::EditionGuard inEdition{c.edition};
        data.ConGrade = c.recordGrade;
        data.BarGrade = 1;
        QString shownBar;
        Run([&](CDlgNeiQiang& dlg) {
            auto* grade = ById<QComboBox>(dlg, 1176);
            EXPECT_EQ(grade->currentText(), c.shown);
            if (!c.chosen.isEmpty()) grade->setCurrentText(c.chosen);
            auto* bar = ById<QComboBox>(dlg, 1182);
            shownBar = bar->currentText();
            bar->setCurrentIndex(2);
            EXPECT_EQ(dlg.DlgToData(), 1);
        });
        EXPECT_EQ(data.ConGrade, c.expected);
        EXPECT_EQ(shownBar, "HPB235");  // its own list, in either edition
        EXPECT_EQ(data.BarGrade, 3);
    }
}

TEST_F(NeiQiangDialog, ReturnNeverAsksAndEscNeedsGoodEntries) {
    // In project mode with no item file, the slab dialog would ask here.
    SetProjectModeQuery([] { return true; });
    bool closed = false;
    int result = Run([&](CDlgNeiQiang& dlg) {
        SetField(dlg, 1240, "950");
        Click(dlg, 1);
        closed = !dlg.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(Shown().empty());
    EXPECT_FLOAT_EQ(data.VertLoad, 950.0f);
    EXPECT_FALSE(dir.Exists(data.m_strStem + ".dat"));

    // A bad height: 返回 still closes, Esc stays until it is mended.
    bool afterEsc = false, afterMend = true;
    result = Run([&](CDlgNeiQiang& dlg) {
        SetField(dlg, 1077, "0");
        dlg.reject();
        afterEsc = dlg.isVisible();
        SetField(dlg, 1077, "3.6");
        dlg.reject();
        afterMend = dlg.isVisible();
    });
    EXPECT_TRUE(afterEsc);
    EXPECT_FALSE(afterMend);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FLOAT_EQ(data.Height, 3.6f);
    closed = false;
    Run([&](CDlgNeiQiang& dlg) {
        SetField(dlg, 1077, "0");
        Click(dlg, 1);
        closed = !dlg.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(Shown().size(), 2u);  // the two range messages, no question
}

TEST_F(NeiQiangDialog, EnterMovesToTheNextFieldInsteadOfClosing) {
    Run([&](CDlgNeiQiang& dlg) {
        dlg.activateWindow();
        ById(dlg, 1077)->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &enter);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_NE(QApplication::focusWidget(), ById(dlg, 1077));
    });
}

TEST_F(NeiQiangDialog, DataFilesAreInteriorWallFilesAndReadingOneNamesTheDialog) {
    const std::string saved = dir / "wall.NQ";
    fileDialogs->Answer(saved);
    Run([&](CDlgNeiQiang& dlg) {
        SetField(dlg, 924, "370");
        Click(dlg, 1377);
        EXPECT_EQ(dlg.windowTitle().toStdString(), saved);
    });
    ASSERT_EQ(fileDialogs->requests().size(), 1u);
    EXPECT_EQ(fileDialogs->requests()[0].filter, "内墙数据文件(*.NQ)|*.NQ||");
    EXPECT_EQ(fileDialogs->requests()[0].defaultExt, "");  // saved under the name as typed
    EXPECT_EQ(fileDialogs->requests()[0].initialPath, dir.path());
    CLkqData back(3);
    ASSERT_EQ(back.LoadData(saved.c_str()), 1);
    EXPECT_EQ(back.Thickness, 370);

    back.Height = 4.2f, back.VertLoad = 1250.0f;
    ASSERT_EQ(back.SaveData((dir / "other.NQ").c_str()), 1);
    fileDialogs->Answer(dir / "other.NQ");
    const std::string before = dir.List();
    Run([&](CDlgNeiQiang& dlg) {
        Click(dlg, 3086);
        EXPECT_EQ(Field(dlg, 1077), "4.2");
        EXPECT_EQ(Field(dlg, 1240), "1250");
        EXPECT_EQ(dlg.windowTitle().toStdString(), dir / "other.NQ");
    });
    EXPECT_EQ(dir.List(), before);  // nothing stored into an item
}

TEST_F(NeiQiangDialog, ARefusedRunLeavesNoSteelOfTheLastRunOnShow) {
    CLkqData tensile(3);
    tensile.Height = 3.0f, tensile.Thickness = 250, tensile.VertLoad = -50.0f;
    ASSERT_EQ(tensile.SaveData((dir / "tensile.NQ").c_str()), 1);
    fileDialogs->Answer(dir / "tensile.NQ");
    QStringList first, second;
    Run([&](CDlgNeiQiang& dlg) {
        Click(dlg, 1359);
        first = Lines(ById<QListWidget>(dlg, 1115));
        Click(dlg, 3086);
        Click(dlg, 1359);
        second = Lines(ById<QListWidget>(dlg, 1115));
    });
    EXPECT_TRUE(first.join('\n').contains("每侧配筋")) << first.join('\n').toStdString();
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown().back(), "数据不对!");
    EXPECT_FALSE(second.join('\n').contains("配筋")) << second.join('\n').toStdString();
}

}  // namespace
