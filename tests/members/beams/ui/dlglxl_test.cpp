// The continuous-beam dialog driven by its control ids: the span and load
// navigators and counts, the load type's fields, labels and picture, the
// redistribution's check box, the load geometry check, the grade combos, and
// 返回 and Cancel with the unsaved-changes question.
#include "members/beams/ui/dlglxl.h"

#include "base/globals.h"
#include "codes/guifan.h"
#include "members/beams/lxl_data.h"
#include "support/edition_guard.h"
#include "views/dialogs/checkdatasaved.h"

#include "dialog_fixture.h"
#include "modal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::Field;
using kv::test::RunModal;
using kv::test::SetField;

class LxlDialog : public kv::test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        data = CLxlData();
        G_strWorkPath = dir.path();
    }
    void TearDown() override {
        SetProjectModeQuery(nullptr);
        G_strWorkPath.clear();
        DialogTest::TearDown();
    }

    int Run(const std::function<void(CDlgLxl&)>& steps) {
        CDlgLxl dlg;
        dlg.SetData(&data);
        return RunModal(dlg, [&] { steps(dlg); });
    }
    static void Leave(const CDlgLxl& dlg, int id) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(ById(dlg, id), &out);
    }
    static void Choose(const CDlgLxl& dlg, int id, int index) {
        auto* combo = ById<QComboBox>(dlg, id);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static bool IsShown(const CDlgLxl& dlg, int id) { return !ById(dlg, id)->isHidden(); }
    static bool Enabled(const CDlgLxl& dlg, int id) { return ById(dlg, id)->isEnabled(); }
    static QString LabelText(const CDlgLxl& dlg, int id) { return ById<QLabel>(dlg, id)->text(); }

    // Three spans of 6, 5 and 4 m; span 2 carries two loads.
    void ThreeSpans() {
        data.SpanNum = 3;
        const float lengths[3] = {6.0f, 5.0f, 4.0f};
        for (int i = 0; i < 3; ++i) data.Spans[i].Length = lengths[i];
        data.Spans[1].LoadNum = 2;
        data.Spans[1].Loads[0] = {1, 1, 3, 10.0f, 0, 0, 0};
        data.Spans[1].Loads[1] = {2, 2, 1, 40.0f, 0, 2.0f, 0};
    }

    kv::test::EditionGuard edition{2010};
    CLxlData data;
};

TEST_F(LxlDialog, ACountBelowTheCurrentSpanShowsSpanOneOnLeaving) {
    ThreeSpans();
    data.SpanNum = 5;
    data.CurSpan = 5;
    data.Spans[4].Length = 9.0f;
    Run([&](CDlgLxl& dlg) {
        EXPECT_EQ(Field(dlg, 1358), "5");
        EXPECT_EQ(Field(dlg, 1030), "9");
        SetField(dlg, 1021, "3");
        Leave(dlg, 1021);
        EXPECT_EQ(Field(dlg, 1358), "1");
        EXPECT_EQ(Field(dlg, 1030), "6");
    });
    EXPECT_EQ(data.SpanNum, 3);
    EXPECT_EQ(data.CurSpan, 1);
}

TEST_F(LxlDialog, NavigatorsStepWithinTheCountsAndCarryTheEditsAlong) {
    ThreeSpans();
    Run([&](CDlgLxl& dlg) {
        auto* spans = ById<QScrollBar>(dlg, 1200);
        spans->triggerAction(QAbstractSlider::SliderSingleStepSub);  // already the first
        EXPECT_EQ(Field(dlg, 1358), "1");
        SetField(dlg, 1030, "6.5");
        spans->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(Field(dlg, 1358), "2");
        EXPECT_EQ(Field(dlg, 1052), "2");
        EXPECT_EQ(Field(dlg, 1099), "10");
        ById<QScrollBar>(dlg, 1197)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(Field(dlg, 1057), "2");
        EXPECT_EQ(Field(dlg, 1099), "40");
        ById<QScrollBar>(dlg, 1197)->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // the last load
        EXPECT_EQ(Field(dlg, 1057), "2");
        spans->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        spans->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // the last span
        EXPECT_EQ(Field(dlg, 1358), "3");
    });
    EXPECT_FLOAT_EQ(data.Spans[0].Length, 6.5f);
    EXPECT_EQ(data.CurSpan, 3);
    EXPECT_EQ(data.Spans[1].CurLoad, 2);
}

TEST_F(LxlDialog, NoLoadsDisablesTheLoadFieldsAndCalculateStillRuns) {
    ThreeSpans();
    const int ids[] = {1099, 1102, 1104, 1107, 1075, 1197};
    int result = Run([&](CDlgLxl& dlg) {
        for (int id : ids) EXPECT_FALSE(Enabled(dlg, id)) << id;
        SetField(dlg, 1052, "1");
        Leave(dlg, 1052);
        for (int id : ids) EXPECT_TRUE(Enabled(dlg, id)) << id;
        SetField(dlg, 1052, "0");
        Leave(dlg, 1052);
        for (int id : ids) EXPECT_FALSE(Enabled(dlg, id)) << id;
        Click(dlg, 1359);
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(Shown().empty()) << Shown()[0];
}

TEST_F(LxlDialog, EachLoadTypeShowsItsFieldsLabelsAndPicture) {
    const struct {
        const char* labels[4];
    } types[6] = {
        {{"P(kN)", "", "a(m)", ""}},   {{"M(kN.m)", "", "a(m)", ""}},    {{"q(kN/m)", "", "", ""}},
        {{"q(kN/m)", "", "", ""}},     {{"q(kN/m)", "", "a(m)", ""}},    {{"q1(kN/m)", "q2(kN/m)", "a(m)", "c(m)"}},
    };
    const int edits[4] = {1099, 1102, 1104, 1107}, labels[4] = {1080, 1086, 1092, 1095};
    data.Spans[0].LoadNum = 1;
    Run([&](CDlgLxl& dlg) {
        QImage before;
        for (int t = 0; t < 6; ++t) {
            SCOPED_TRACE(t + 1);
            Choose(dlg, 1075, t);
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(LabelText(dlg, labels[i]), QString::fromUtf8(types[t].labels[i]));
                EXPECT_EQ(IsShown(dlg, edits[i]), *types[t].labels[i] != '\0') << edits[i];
            }
            auto* picture = ById<QToolButton>(dlg, 1069);
            EXPECT_EQ(picture->property("picture").toString(), QStringLiteral("IDB_BITMAP_HZLXTU%1").arg(t + 1));
            const QImage now = picture->icon().pixmap(picture->iconSize()).toImage();
            EXPECT_NE(now, before) << "each type its own picture";
            before = now;
            EXPECT_EQ(data.Spans[0].Loads[0].Type, t + 1);
        }
    });
}

TEST_F(LxlDialog, ChangingTheLoadTypeStartsFromTheSameFourValues) {
    data.Spans[0].LoadNum = 1;
    data.Spans[0].Loads[0] = {1, 2, 1, 55.0f, 7.0f, 2.5f, 3.0f};
    Run([&](CDlgLxl& dlg) {
        EXPECT_EQ(Field(dlg, 1099), "55");
        Choose(dlg, 1075, 5);
        EXPECT_EQ(Field(dlg, 1099), "20");
        EXPECT_EQ(Field(dlg, 1102), "30");
        EXPECT_EQ(Field(dlg, 1104), "0.5");
        EXPECT_EQ(Field(dlg, 1107), "1");
    });
    const LXL_LOAD& l = data.Spans[0].Loads[0];
    EXPECT_EQ(l.Type, 6);
    EXPECT_FLOAT_EQ(l.Q1, 20.0f);
    EXPECT_FLOAT_EQ(l.Q2, 30.0f);
    EXPECT_FLOAT_EQ(l.A, 0.5f);
    EXPECT_FLOAT_EQ(l.C, 1.0f);
    EXPECT_EQ(l.Kind, 2) << "the case kind stays";
}

// Looking into the type list and taking the type it already has is no change of type.
TEST_F(LxlDialog, ChoosingTheSameLoadTypeAgainKeepsTheValues) {
    data.Spans[0].LoadNum = 1;
    data.Spans[0].Loads[0] = {1, 1, 6, 55.0f, 7.0f, 2.5f, 3.0f};
    Run([&](CDlgLxl& dlg) {
        Choose(dlg, 1075, 5);
        EXPECT_EQ(Field(dlg, 1099), "55");
        EXPECT_EQ(Field(dlg, 1107), "3");
    });
    EXPECT_FLOAT_EQ(data.Spans[0].Loads[0].Q1, 55.0f);
    EXPECT_FLOAT_EQ(data.Spans[0].Loads[0].C, 3.0f);
}

TEST_F(LxlDialog, TheLeastXiCheckShowsOnlyWithARedistribution) {
    data.Redistribution = 0;
    Run([&](CDlgLxl& dlg) {
        EXPECT_FALSE(IsShown(dlg, 1353));
        for (const char* p : {"15", "0.01", "100"}) {
            SetField(dlg, 1202, p);
            EXPECT_TRUE(IsShown(dlg, 1353)) << p;
        }
        SetField(dlg, 1202, "0");
        EXPECT_FALSE(IsShown(dlg, 1353));
        // The hidden controls stay hidden.
        for (int id : {1111, 1117, 1284, 1372, 1060, 1065, 1255, 3232}) EXPECT_FALSE(IsShown(dlg, id)) << id;
    });
}

TEST_F(LxlDialog, ALoadOffItsSpanIsToldAndShown) {
    const struct {
        int type;
        float a, c;
        const char* message;
    } cases[] = {
        {1, 5.5f, 0, "第2跨跨长与该跨2号荷载的几何数据有矛盾!  a > 跨长 ,请仔细检查数据!"},
        {2, 5.01f, 0, "第2跨跨长与该跨2号荷载的几何数据有矛盾!  a > 跨长 ,请仔细检查数据!"},
        {5, 0, 0, "第2跨 2号荷载的几何数据与荷载类型不符合 !  a = 0 ,请仔细检查数据!"},
        {5, 2.5f, 0, "第2跨跨长与该跨2号荷载的几何数据有矛盾 !  a >= 跨长/2 ,请仔细检查数据!"},
        {6, 3.0f, 2.5f, "第2跨跨长与该跨2号荷载的几何数据有矛盾!  a+c > 跨长 ,请仔细检查数据!"},
        // On the span: a = L for a force, types 3 and 4 unchecked, a + c = L.
        {1, 5.0f, 0, nullptr}, {3, 9.0f, 0, nullptr}, {4, 0, 9.0f, nullptr}, {6, 3.0f, 2.0f, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message ? c.message : "fits");
        data = CLxlData();
        ThreeSpans();
        data.Spans[1].Loads[1] = {2, 1, c.type, 10.0f, 10.0f, c.a, c.c};
        const std::size_t before = messages->shown().size();
        int result = -1;
        Run([&](CDlgLxl& dlg) {
            result = dlg.CheckLoadGeometry();
            if (!c.message) return;
            EXPECT_EQ(Field(dlg, 1358), "2");
            EXPECT_EQ(Field(dlg, 1057), "2");
            EXPECT_EQ(ById<QComboBox>(dlg, 1075)->currentIndex(), c.type - 1);
            // 计算 stops on it too.
            Click(dlg, 1359);
            EXPECT_TRUE(dlg.isVisible());
        });
        EXPECT_EQ(result, c.message ? 0 : 1);
        if (!c.message) {
            EXPECT_EQ(messages->shown().size(), before);
            continue;
        }
        ASSERT_EQ(messages->shown().size(), before + 2);
        EXPECT_EQ(messages->shown()[before].text, c.message);
        EXPECT_EQ(messages->shown()[before].caption, "提示");
        EXPECT_EQ(data.CurSpan, 2);
        EXPECT_EQ(data.Spans[1].CurLoad, 2);
    }
}

TEST_F(LxlDialog, GradeCombosStoreTheGradeCodesOfTheirEntries) {
    auto pick = [](const CDlgLxl& dlg, int id, const char* sign) {
        auto* combo = ById<QComboBox>(dlg, id);
        const int index = combo->findText(QString::fromUtf8(sign), Qt::MatchStartsWith);
        ASSERT_GE(index, 0) << sign;
        Choose(dlg, id, index);
    };
    Run([&](CDlgLxl& dlg) {
        pick(dlg, 1176, "C40");
        pick(dlg, 1182, "HRB500");
        pick(dlg, 1248, "HPB300");
    });
    EXPECT_EQ(data.ConGrade, 40);
    EXPECT_EQ(data.BarGrade, GradeFromSign(2010, "HRB500", 1));
    EXPECT_EQ(data.StirrupGrade, GradeFromSign(2010, "HPB300", 1));
    EXPECT_NE(data.BarGrade, data.StirrupGrade);
}

TEST_F(LxlDialog, ReturnAsksOnlyAfterAnEdit) {
    SetProjectModeQuery([] { return true; });
    data.SetFileName("&KV_0001");
    ASSERT_EQ(data.SaveData((dir / "&KV_0001.dat").c_str()), 1);
    int result = Run([&](CDlgLxl& dlg) {
        Click(dlg, 1);
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(Shown().empty());

    messages->Answer(kv::IDCANCEL);
    Run([&](CDlgLxl& dlg) {
        SetField(dlg, 1030, "7");
        Click(dlg, 1);
        EXPECT_TRUE(dlg.isVisible()) << "Cancel keeps the dialog";
    });
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_NE(Shown()[0].find("未保存"), std::string::npos);
}

// Cancel, the question, then Cancel to stay: what is typed afterwards still
// reaches the data object and the saved file.
TEST_F(LxlDialog, StayingAfterCancelKeepsCopyingTheControls) {
    SetProjectModeQuery([] { return true; });
    data.SetFileName("&KV_0001");
    ASSERT_EQ(data.SaveData((dir / "&KV_0001.dat").c_str()), 1);
    messages->Answer(kv::IDCANCEL);
    Run([&](CDlgLxl& dlg) {
        SetField(dlg, 1030, "7");
        Leave(dlg, 1030);
        dlg.reject();
        ASSERT_TRUE(dlg.isVisible());
        SetField(dlg, 1030, "8");
        Leave(dlg, 1030);
    });
    EXPECT_FLOAT_EQ(data.Spans[0].Length, 8.0f);
}

TEST_F(LxlDialog, ReadingAForeignFileChangesNothing) {
    const std::string foreign = dir / "slab.LXL";
    {
        std::FILE* f = std::fopen(foreign.c_str(), "w");
        std::fputs("KV_BAN_V30\n1,2,3\n", f);
        std::fclose(f);
    }
    ThreeSpans();
    fileDialogs->Answer(foreign);
    QString caption;
    Run([&](CDlgLxl& dlg) {
        Click(dlg, 3086);
        EXPECT_EQ(Field(dlg, 1021), "3");
        caption = dlg.windowTitle();
    });
    EXPECT_EQ(caption, "连续梁计算");
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown().back(), "文件类型不匹配 !");
    EXPECT_EQ(data.SpanNum, 3);
}

// A folder stands where the file should go: nothing can be written there.
TEST_F(LxlDialog, SavingWhereNoFileCanBeWrittenIsToldAndKeepsTheCaption) {
    std::filesystem::create_directory(dir / "beam.LXL");
    fileDialogs->Answer(dir / "beam.LXL");
    QString caption;
    Run([&](CDlgLxl& dlg) {
        Click(dlg, 1377);
        caption = dlg.windowTitle();
    });
    EXPECT_EQ(caption, "连续梁计算");
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], "不能保存文件 : " + (dir / "beam.LXL"));
}

// 计算 where the item's files cannot be written: the user learns that they were
// not, rather than seeing the dialog close as after a run that kept its results.
TEST_F(LxlDialog, CalculatingWhereTheItemsFilesCannotBeWrittenSaysSo) {
    data.SetFileName("&KV_0001");
    for (const char* name : {"&KV_0001.dat", "&KV_0001_LXL.RTF", "&KV_0001_LXL.DXF"})
        std::filesystem::create_directory(dir / name);
    Run([&](CDlgLxl& dlg) { Click(dlg, 1359); });
    ASSERT_EQ(Shown().size(), 1u);
    for (const char* name : {"&KV_0001.dat", "&KV_0001_LXL.RTF", "&KV_0001_LXL.DXF"})
        EXPECT_NE(Shown()[0].find("不能保存文件 : " + (dir / name)), std::string::npos) << Shown()[0];
}

}  // namespace
