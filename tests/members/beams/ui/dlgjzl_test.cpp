// The grid-beam dialog driven by its control ids: the defaults and their
// preview, edge beams redrawn at once, the checks of the sizes and of the span
// lists, grades stored as codes, the notes of each code edition, 返回 with the
// unsaved-changes question, and 读数据 and 存数据.
#include "members/beams/ui/dlgjzl.h"

#include "base/error.h"
#include "base/globals.h"
#include "codes/guifan.h"
#include "drawing/base_sgt.h"
#include "members/beams/jzl_data.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/shellservices.h"
#include "widgets/rangemessage.h"

#include "dialog_fixture.h"
#include "modal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;
using kv::test::ById;
using kv::test::Click;
using kv::test::Field;
using kv::test::RunModal;
using kv::test::SetField;

// What the preview shows: beam polylines (green) and support squares.
struct PreviewCount {
    int beams = 0, squares = 0, other = 0;
    bool operator==(const PreviewCount&) const = default;
};

PreviewCount Count(const CDlgJzl& dlg) {
    PreviewCount n;
    const CBase_SGT* d = dlg.PreviewDrawing();
    if (!d) return n;
    for (const Entity& e : d->Entities()) {
        if (e.kind == EntityKind::Polyline && !e.closed && e.color == 3) ++n.beams;
        else if (e.kind == EntityKind::Polyline && e.closed) ++n.squares;
        else ++n.other;
    }
    return n;
}

class JzlDialog : public kv::test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        data = CJzlData();
        G_strWorkPath = dir.path();
        JS_ERROR_CODE = 0;
    }
    void TearDown() override {
        SetProjectModeQuery(nullptr);
        kv::shell::SetItemStore(nullptr);
        G_strWorkPath.clear();
        JS_ERROR_CODE = 0;
        DialogTest::TearDown();
    }

    int Run(const std::function<void(CDlgJzl&)>& steps) {
        CDlgJzl dlg;
        dlg.SetData(&data);
        return RunModal(dlg, [&] { steps(dlg); });
    }
    static void Leave(const CDlgJzl& dlg, int id) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(ById(dlg, id), &out);
    }
    static void Choose(QWidget& dlg, int id, const QString& text) {
        auto* combo = ById<QComboBox>(dlg, id);
        const int i = combo->findText(text, Qt::MatchContains);
        ASSERT_GE(i, 0) << text.toStdString();
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }
    void BindToItem() {
        SetProjectModeQuery([] { return true; });
        data.SetFileName("&KV_0001");
        ASSERT_EQ(data.SaveData((dir / "&KV_0001.dat").c_str()), 1);
    }
    int Questions() const {
        int n = 0;
        for (const std::string& text : Shown()) n += text.find("您当前的数据已经做了改动") != std::string::npos;
        return n;
    }

    kv::test::EditionGuard edition{2010};
    CJzlData data;
};

// 4 × 2 spans without edge beams: ten inner beams, and squares at the three
// inner crossings and the eight edge nodes between the corners.
TEST_F(JzlDialog, OpensOnTheDefaultsWithThePreviewOfTheGrid) {
    PreviewCount preview;
    Run([&](CDlgJzl& dlg) {
        EXPECT_EQ(Field(dlg, 1371), "6.0 5.2*2 3.0");
        EXPECT_EQ(Field(dlg, 1002), "6*2");
        for (int id : {1006, 1053, 1081, 1083}) EXPECT_FALSE(ById<QCheckBox>(dlg, id)->isChecked()) << id;
        for (int id : {1087, 1089, 1093, 1096}) {
            auto* combo = ById<QComboBox>(dlg, id);
            EXPECT_EQ(combo->count(), 3) << id;
            EXPECT_EQ(combo->currentIndex(), 1) << id << ": 简支";
        }
        EXPECT_EQ(ById<QComboBox>(dlg, 1160)->currentText(), QStringLiteral("双向"));
        EXPECT_EQ(Field(dlg, 1202), "15");
        EXPECT_EQ(Field(dlg, 1205), "15");
        EXPECT_EQ(Field(dlg, 1363), "250");
        EXPECT_EQ(ById<QComboBox>(dlg, 1361)->currentText(), "150");
        EXPECT_EQ(ById<QComboBox>(dlg, 1130)->currentText(), "0");
        EXPECT_TRUE(ById(dlg, 1372)->isHidden());
        EXPECT_TRUE(ById(dlg, 3079)->isHidden());
        preview = Count(dlg);
    });
    EXPECT_EQ(preview, (PreviewCount{10, 11, 0}));
}

// The bottom edge beams join at once, and the two bottom corners they now carry
// show their supports.
TEST_F(JzlDialog, TickingAnEdgeBeamRedrawsThePreviewAtOnce) {
    PreviewCount before, after;
    Run([&](CDlgJzl& dlg) {
        before = Count(dlg);
        ById<QCheckBox>(dlg, 1006)->click();
        after = Count(dlg);
    });
    EXPECT_EQ(before, (PreviewCount{10, 11, 0}));
    EXPECT_EQ(after, (PreviewCount{14, 13, 0}));
    EXPECT_EQ(data.EdgeBeam[0], 1);
    EXPECT_EQ(data.EdgeBeam[1], 0);
}

// A width that is no whole number or past 3000 mm is refused with the range
// message; 计算 then neither runs nor closes.
TEST_F(JzlDialog, EdgeBeamSizesAreCheckedBeforeAnything) {
    const std::string range = kv::widgets::IntRangeMessage(0, 3000);
    for (const char* text : {"25.5", "3001"}) {
        SCOPED_TRACE(text);
        const std::size_t shown = Shown().size();
        bool open = false;
        Run([&](CDlgJzl& dlg) {
            SetField(dlg, 1363, text);
            Click(dlg, 1170);
            open = dlg.isVisible();
            SetField(dlg, 1363, "250");
        });
        EXPECT_TRUE(open);
        ASSERT_EQ(Shown().size(), shown + 1);
        EXPECT_EQ(Shown().back(), range);
        EXPECT_EQ(data.EdgeWidth[0], 250.0f);
        EXPECT_FALSE(dir.Exists("YXY_JS.DAT"));
    }
}

// A span list the model builder refuses: the preview is empty and the message
// window says why; a good list brings the grid back.
TEST_F(JzlDialog, RefusedSpanListLeavesThePreviewEmpty) {
    kv::test::ErrorLines lines;
    PreviewCount refused, mended;
    Run([&](CDlgJzl& dlg) {
        SetField(dlg, 1371, "5.2*");
        Leave(dlg, 1371);
        refused = Count(dlg);
        SetField(dlg, 1371, "6*2");
        Leave(dlg, 1371);
        mended = Count(dlg);
    });
    EXPECT_EQ(refused, PreviewCount{});
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "跨长输入有误 !"));
    EXPECT_EQ(mended, (PreviewCount{4, 5, 0})) << "two spans each way: one inner beam each way";
    EXPECT_EQ(data.XSpans, "6*2");
}

TEST_F(JzlDialog, SpanListsAreKeptWithinWhatTheFileHolds) {
    int longest = 0;
    Run([&](CDlgJzl& dlg) { longest = ById<QLineEdit>(dlg, 1002)->maxLength(); });
    EXPECT_EQ(longest, 299);
}

TEST_F(JzlDialog, GradeChangesStoreCodesAndShowThemAgain) {
    QString bar;
    Run([&](CDlgJzl& dlg) {
        Choose(dlg, 1176, "C40");
        Choose(dlg, 1182, "HRB500");
        Choose(dlg, 1248, "HPB300");
        bar = ById<QComboBox>(dlg, 1182)->currentText();
    });
    EXPECT_EQ(data.ConGrade, 40);
    EXPECT_EQ(data.BarGrade, GradeFromSign(2010, "HRB500", 1));
    EXPECT_EQ(data.StirrupGrade, GradeFromSign(2010, "HPB300", 1));
    EXPECT_TRUE(bar.contains("HRB500")) << bar.toStdString();
}

TEST_F(JzlDialog, NotesOfTheCodeEdition) {
    const QString plain = QStringLiteral("注意：\n    如果不调幅，请填0。");
    for (int year : {2002, 2010}) {
        SCOPED_TRACE(year);
        kv::test::EditionGuard code(year);
        QString main, secondary, bar;
        Run([&](CDlgJzl& dlg) {
            main = ById(dlg, 1202)->toolTip();
            secondary = ById(dlg, 1205)->toolTip();
            bar = ById(dlg, 1182)->toolTip();
        });
        EXPECT_EQ(main, secondary);
        const QString name = QString::fromStdString(GF_GetGuiFanName(2010, 1, 2));
        if (year == 2002) {
            EXPECT_EQ(main, plain);
            EXPECT_TRUE(bar.isEmpty());
        } else {
            EXPECT_TRUE(main.startsWith(QStringLiteral("根据") + name + QStringLiteral("第5.4.3条："))) << main.toStdString();
            EXPECT_TRUE(main.endsWith(plain));
            EXPECT_TRUE(bar.contains(name)) << bar.toStdString();
        }
    }
}

// 返回 on what the item file holds closes without asking; after an edit it
// asks, and 取消 keeps the dialog open.
TEST_F(JzlDialog, ReturnAsksOnlyAfterAnEdit) {
    BindToItem();
    bool closed = false;
    int result = Run([&](CDlgJzl& dlg) {
        Click(dlg, 2);
        closed = !dlg.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(Questions(), 0);

    messages->Answer(kv::IDCANCEL);
    bool stayed = false;
    Run([&](CDlgJzl& dlg) {
        SetField(dlg, 1155, "8.5");
        Click(dlg, 2);
        stayed = dlg.isVisible();
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(data.Load, 8.5f);
}

TEST_F(JzlDialog, ReadDataRefusesAnotherMarkerAndStoresAGoodFileInTheItem) {
    BindToItem();
    int stored = 0;
    kv::shell::SetItemStore([&](CJsBaseData*) { return ++stored; });
    dir.Write("LXL.JZL", "KV_LXL_V30\n");
    CJzlData good;
    good.XSpans = "4*3";
    good.XSecondary = 2;
    ASSERT_EQ(good.SaveData((dir / "G.JZL").c_str()), 1);

    fileDialogs->Answer(dir / "LXL.JZL");
    Run([&](CDlgJzl& dlg) { Click(dlg, 3086); });
    EXPECT_EQ(Shown().back(), "文件类型不匹配 !");
    EXPECT_EQ(data.XSpans, "6.0 5.2*2 3.0");
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(fileDialogs->requests().back().filter, "井字梁数据(*.JZL)|*.JZL||");

    fileDialogs->Answer(dir / "G.JZL");
    QString spans, caption;
    PreviewCount preview;
    Run([&](CDlgJzl& dlg) {
        Click(dlg, 3086);
        spans = Field(dlg, 1371);
        caption = dlg.windowTitle();
        preview = Count(dlg);
    });
    EXPECT_EQ(spans, "4*3");
    EXPECT_EQ(caption, QString::fromStdString(dir / "G.JZL"));
    EXPECT_EQ(stored, 1);
    EXPECT_EQ(data.XSecondary, 2);
    // Two horizontal secondary rows in each y span: the two inner columns run
    // over six sub-spans, the one inner main row over three spans; the four
    // secondary rows of three beams are thin lines.
    EXPECT_EQ(preview, (PreviewCount{2 * 6 + 3, 14 + 2, 4 * 3})) << "squares: the edge nodes but the corners, two inner crossings";
}

TEST_F(JzlDialog, SaveDataWritesTheNameAsTyped) {
    fileDialogs->Answer(dir / "grid one");
    Run([&](CDlgJzl& dlg) {
        SetField(dlg, 1002, "7.5*3");
        Click(dlg, 1377);
    });
    ASSERT_TRUE(dir.Exists("grid one"));
    EXPECT_EQ(fileDialogs->requests().back().filter, "井字梁数据(*.JZL)|*.JZL||");
    CJzlData saved;
    ASSERT_EQ(saved.LoadData((dir / "grid one").c_str()), 1);
    EXPECT_EQ(saved.YSpans, "7.5*3");
}

// A 计算 that fails (here at the span list) leaves nothing of an earlier run to
// look current; the dialog still saves the item and closes, and the message
// window says why.
TEST_F(JzlDialog, FailedCalculationRemovesEarlierResultsAndSavesTheItem) {
    BindToItem();
    for (const char* f : {"&KV_0001JT_JZL.DXF", "&KV_0001NL_JZL.DXF", "&KV_0001PJ_JZL.DXF", "&KV_0001_JZL.RTF"})
        dir.Write(f, "earlier");
    kv::test::ErrorLines lines;
    bool closed = false;
    const int result = Run([&](CDlgJzl& dlg) {
        SetField(dlg, 1371, "5.2*");
        Click(dlg, 1170);
        closed = !dlg.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(Questions(), 0);
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "跨长输入有误 !"));
    for (const char* f : {"&KV_0001JT_JZL.DXF", "&KV_0001NL_JZL.DXF", "&KV_0001PJ_JZL.DXF", "&KV_0001_JZL.RTF"})
        EXPECT_FALSE(dir.Exists(f)) << f;
    CJzlData saved;
    ASSERT_EQ(saved.LoadData((dir / "&KV_0001.dat").c_str()), 1);
    EXPECT_EQ(saved.XSpans, "5.2*");
}

// KV_SCREENSHOT_DIR names a folder for a picture of the dialog (under xvfb-run
// with QT_QPA_PLATFORM=xcb): edge beams on two edges and a secondary beam each way.
TEST_F(JzlDialog, ScreenshotOfTheDialog) {
    const char* shots = std::getenv("KV_SCREENSHOT_DIR");
    if (!shots) GTEST_SKIP() << "KV_SCREENSHOT_DIR is not set";
    Run([&](CDlgJzl& dlg) {
        ById<QCheckBox>(dlg, 1006)->click();
        ById<QCheckBox>(dlg, 1083)->click();
        ById<QComboBox>(dlg, 1130)->setCurrentIndex(1);
        emit ById<QComboBox>(dlg, 1130)->activated(1);
        ById<QComboBox>(dlg, 1134)->setCurrentIndex(1);
        emit ById<QComboBox>(dlg, 1134)->activated(1);
        dlg.move(20, 20);
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/jzl-dialog.png");
    });
}

}  // namespace
