// A grid-beam item from 新增: the dialog on the default grid, edge beams and a
// secondary beam each way, 计算 through the finite-element library, and the
// item stored with its three diagrams and its report, which the report view
// shows and the combined report takes in. Outside a project the diagrams
// follow the dialog.
#include "members/beams/ui/dlgjzl.h"

#include "app/commandids.h"
#include "base/error.h"
#include "base/jsdata.h"
#include "members/beams/jzl_data.h"
#include "project/ui/modulecommands.h"
#include "views/cxview.h"
#include "views/dialogs/jiantu.h"

#include "flow_support.h"
#include "modal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include <cstdlib>
#include <fstream>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::CountImages;
using kv::test::OnNextModal;
using kv::test::SetField;

constexpr int kJzlRow = 8;  // 井字梁 in the basement set

void Settle() {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

// KV_SCREENSHOT_DIR names a folder for screen pictures (under xvfb-run with
// QT_QPA_PLATFORM=xcb).
void Shoot(const char* name) {
    const char* shots = std::getenv("KV_SCREENSHOT_DIR");
    if (!shots) return;
    Settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/" + name);
}

// Edge beams on the four edges and one secondary beam each way.
void EdgesAndSecondaryBeams(QDialog& dlg) {
    for (int id : {1006, 1053, 1081, 1083}) ById<QCheckBox>(dlg, id)->click();
    for (int id : {1130, 1134}) {
        auto* combo = ById<QComboBox>(dlg, id);
        combo->setCurrentIndex(1);
        emit combo->activated(1);
    }
}

class JzlFlow : public kv::test::ItemFlow {
protected:
    JzlFlow() : ItemFlow(0) {}
    void SetUp() override {
        G_JzlData = CJzlData();
        JS_ERROR_CODE = 0;
        ItemFlow::SetUp();
        // As the program installs it.
        SetModuleCommand(32811, [](CMainFrame& f) {
            RunModuleCommand(f, G_JzlData, RunJzlDialog, {.showDiagramsAfterSingleRun = true});
        });
    }
    void TearDown() override {
        SetModuleCommand(32811, {});
        DestroyJianTuChooser();
        JS_ERROR_CODE = 0;
        ItemFlow::TearDown();
    }
};

TEST_F(JzlFlow, NewItemCalculatedIsStoredWithItsThreeDiagramsAndReport) {
    CSplitterFrame* window = Window(kJzlRow);
    ASSERT_NE(window, nullptr);
    const bool shots = std::getenv("KV_SCREENSHOT_DIR") != nullptr;
    if (shots) {
        frame->resize(1280, 900);
        frame->show();
        window->showMaximized();
        Settle();
    }
    QString caption;
    bool closed = false;
    OnNextModal([&](QDialog& dlg) {
        caption = dlg.windowTitle();
        SetField(dlg, 3087, "井字梁 JZL-1");
        EdgesAndSecondaryBeams(dlg);
        dlg.move(20, 20);
        Shoot("jzl-dialog.png");
        Click(dlg, 1170);
        closed = !dlg.isVisible();
    });
    window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_EQ(caption, "井字梁计算");
    EXPECT_TRUE(closed) << "计算 closes the dialog";
    for (const auto& shown : messages->shown()) ADD_FAILURE() << shown.text;

    // The item file: the grid as edited, and the three query lines.
    const std::string item = dir / "&KV_0001.dat";
    ASSERT_TRUE(dir.Exists("&KV_0001.dat"));
    std::ifstream in(item);
    std::string marker;
    std::getline(in, marker);
    EXPECT_EQ(marker.substr(0, 10), "KV_JZL_V30");
    EXPECT_EQ(ReadItemNameFromFile(item.c_str()), "井字梁 JZL-1");
    CJzlData stored;
    ASSERT_EQ(stored.LoadData(item.c_str()), 1);
    for (int e = 0; e < 4; ++e) EXPECT_EQ(stored.EdgeBeam[e], 1) << e;
    EXPECT_EQ(stored.XSecondary, 1);
    EXPECT_EQ(stored.YSecondary, 1);
    const std::vector<ChaXunEntry> entries = ReadChaXunFromFile(item.c_str());
    ASSERT_EQ(entries.size(), 3u);
    const char* titles[] = {"计算简图", "内力", "配筋"};
    const char* names[] = {"&KV_0001JT_JZL.DXF", "&KV_0001NL_JZL.DXF", "&KV_0001PJ_JZL.DXF"};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(names[k]);
        EXPECT_EQ(entries[static_cast<std::size_t>(k)].title, titles[k]);
        EXPECT_EQ(entries[static_cast<std::size_t>(k)].dxf, names[k]);
        EXPECT_EQ(entries[static_cast<std::size_t>(k)].rtf, "&KV_0001_JZL.RTF");
        DXF drawing;
        ASSERT_EQ(drawing.Read_FileDxf_To_Mem((dir / names[k]).c_str()), 1);
        EXPECT_FALSE(drawing.Entities().empty());
        ExpectOutsideReaderAccepts(dir / names[k]);
    }
    EXPECT_EQ(G_Project.m_nCount[kJzlRow], 1);
    EXPECT_FALSE(dir.Exists("STRUC_LD.FB")) << "the work files are cleared";
    EXPECT_FALSE(dir.Exists("YXY_JS.DAT"));

    // The report in the report view, the 计算简图 in the drawing view.
    const QString rtf = QString::fromStdString(dir / "&KV_0001_JZL.RTF");
    ASSERT_TRUE(kv::report::ui::LooksLikeRtf(rtf));
    ASSERT_NE(G_pBbView, nullptr);
    const QString shown = G_pBbView->document()->toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("计算项目: 井字梁 JZL-1")));
    // Edge beams on every edge and a secondary beam each way: 8 sub-spans on
    // 5 rows and 4 on 9 columns, 76 beams, every one reported.
    EXPECT_EQ(shown.count(QStringLiteral("梁号:")), 76);
    EXPECT_FALSE(shown.contains("VanjoroScript"));
    ASSERT_NE(G_pCxView, nullptr);
    ASSERT_NE(G_pCxView->GetDocument()->GetDxf(), nullptr);
    EXPECT_FALSE(G_pCxView->GetDocument()->GetDxf()->Entities().empty());

    // The chooser and the window's diagram list offer the three diagrams;
    // 配筋 chosen in the window shows in its drawing view.
    ASSERT_EQ(ShowJianTu(&G_JzlData), 1);
    ASSERT_NE(JianTuChooser(), nullptr);
    ASSERT_EQ(JianTuChooser()->List()->count(), 3);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(JianTuChooser()->List()->item(k)->text(), titles[k]);
    JianTuChooser()->hide();
    QComboBox* diagrams = window->ChaXunCombo();
    ASSERT_EQ(diagrams->count(), 3);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(diagrams->itemText(k), titles[k]);
    diagrams->setCurrentIndex(2);
    emit diagrams->activated(2);
    DXF peiJin;
    ASSERT_EQ(peiJin.Read_FileDxf_To_Mem((dir / names[2]).c_str()), 1);
    ASSERT_NE(G_pCxView->GetDocument()->GetDxf(), nullptr);
    EXPECT_EQ(G_pCxView->GetDocument()->GetDxf()->Entities().size(), peiJin.Entities().size());
    Shoot("jzl-peijin.png");

    // The combined report takes the item's report in, with its three diagrams.
    QTextDocument combined;
    MakeCombinedReport(combined);
    EXPECT_TRUE(combined.toPlainText().contains(QStringLiteral("井字梁 JZL-1")));
    EXPECT_GE(CountImages(combined), 3);
}

TEST_F(JzlFlow, OutsideAProjectTheDiagramsFollowTheDialog) {
    frame->m_bProjectOpen = 0;
    OnNextModal([&](QDialog& dlg) { Click(dlg, 1170); });
    frame->SendCommand(32811);
    EXPECT_TRUE(dir.Exists("NONAME.dat"));
    EXPECT_TRUE(dir.Exists("NONAMEJT_JZL.DXF"));
    EXPECT_TRUE(dir.Exists("NONAMEPJ_JZL.DXF"));
    EXPECT_TRUE(dir.Exists("NONAME_JZL.RTF"));
    EXPECT_FALSE(dir.Exists("&KV_0001.dat"));
    ASSERT_NE(JianTuChooser(), nullptr);
    EXPECT_TRUE(JianTuChooser()->isVisible());
    EXPECT_EQ(JianTuChooser()->List()->count(), 3);

    // 返回 shows nothing afterwards.
    JianTuChooser()->hide();
    OnNextModal([&](QDialog& dlg) { Click(dlg, 2); });
    frame->SendCommand(32811);
    EXPECT_FALSE(JianTuChooser()->isVisible());
}

}  // namespace
