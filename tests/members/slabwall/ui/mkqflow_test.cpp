// Door-frame and window-well wall items from 新增 to their files: the dialog
// driven by its control ids, 计算, and what the project folder holds afterwards —
// the item file, the section drawing, the report with the drawing and its red
// warning — and the combined report that takes the item's report in.
#include "members/slabwall/ui/dlgmkq.h"

#include "app/commandids.h"
#include "base/jsdata.h"
#include "design/mkq_data.h"
#include "project/ui/modulecommands.h"

#include "modal.h"
#include "flow_support.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>

#include <cstdlib>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::CountImages;
using kv::test::OnNextModal;
using kv::test::SetField;

const QString kOverReinforced = QStringLiteral("相对受压区高度ξ > ξb, 请重新设计截面 !");
const std::string kCantileverQuestion = "注意： 门洞边长小于2倍悬挑长度";

// The colour of the first run of `doc` that holds `text`; invalid when none does.
QColor ColourOf(const QTextDocument& doc, const QString& text) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(text)) return it.fragment().charFormat().foreground().color();
    return {};
}

class DoorFrameWallFlow : public kv::test::ItemFlow {
protected:
    DoorFrameWallFlow() : ItemFlow(0) {}
    void SetUp() override {
        G_MenKuangQiangData = CMkqData(0);
        G_ChuangJingQiangData = CMkqData(1);
        ItemFlow::SetUp();
        SetModuleCommand(32794, [](CMainFrame& f) { RunModuleCommand(f, G_MenKuangQiangData, RunMkqDialog); });
        SetModuleCommand(32843, [](CMainFrame& f) { RunModuleCommand(f, G_ChuangJingQiangData, RunMkqDialog); });
    }
    void TearDown() override {
        SetModuleCommand(32794, {});
        SetModuleCommand(32843, {});
        ItemFlow::TearDown();
    }
    int Asked() const {
        int n = 0;
        for (const auto& s : messages->shown()) n += s.text.rfind(kCantileverQuestion, 0) == 0;
        return n;
    }
};

// KV_SCREENSHOT names a file to keep the screen in, with the dialog over its
// project window after 计算 (run under xvfb-run with QT_QPA_PLATFORM=xcb).
TEST_F(DoorFrameWallFlow, NewDoorFrameItemCalculatedWritesItsItemFileDrawingAndReportWithTheRedWarning) {
    CSplitterFrame* window = Window(5);
    ASSERT_NE(window, nullptr);
    const char* screenshot = std::getenv("KV_SCREENSHOT");
    if (screenshot) {
        G_strExePath = std::string(KV_TEST_FIXTURES) + "/../../resources/";  // the program's pictures
        frame->resize(1280, 860);
        frame->show();
        window->showMaximized();
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
    }
    QString caption, shown;
    QColor shownWarning;
    bool closed = false;
    OnNextModal([&](QDialog& dlg) {
        caption = dlg.windowTitle();
        SetField(dlg, 3087, "一号门框墙");
        ById<QScrollBar>(dlg, 1338)->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // the haunched lip
        SetField(dlg, 924, "150");  // far too thin for qi, even with a = 200: over-reinforced
        Click(dlg, 1359);
        auto* messagesBox = ById<QTextEdit>(dlg, 1115);
        shown = messagesBox->toPlainText();
        shownWarning = ColourOf(*messagesBox->document(), kOverReinforced);
        if (screenshot) {
            for (int i = 0; i < 20; ++i) QApplication::processEvents();
            EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(screenshot)));
        }
        Click(dlg, 1);  // 返回: the item file holds what the dialog shows
        closed = !dlg.isVisible();
    });
    window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_EQ(caption, "门框墙计算");
    EXPECT_TRUE(closed);
    // "Message.Box" as the run wrote it, the warning in red; the loads sit where
    // L = 900 put them on opening: 1000·0.866 + 150·0.8²/2.
    EXPECT_TRUE(shown.contains("M = 914.000")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(kOverReinforced)) << shown.toStdString();
    EXPECT_FALSE(shown.contains("VanjoroScript"));
    EXPECT_EQ(shownWarning, QColor(255, 0, 0));
    EXPECT_TRUE(messages->shown().empty()) << messages->shown()[0].text;

    // The item file, with the query line that names the drawing and the report.
    ASSERT_TRUE(dir.Exists("&KV_0001.dat"));
    EXPECT_EQ(ReadItemNameFromFile((dir / "&KV_0001.dat").c_str()), "一号门框墙");
    std::vector<ChaXunEntry> entries = ReadChaXunFromFile((dir / "&KV_0001.dat").c_str());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].rtf, "&KV_0001_MKCJ.RTF");
    CMkqData back(0);
    ASSERT_EQ(back.LoadData((dir / "&KV_0001.dat").c_str()), 1);
    EXPECT_EQ(back.Shape, 2);
    EXPECT_EQ(back.Depth, 150);
    EXPECT_EQ(back.L1, 866);  // derived from L = 900 when the dialog opened
    EXPECT_EQ(back.L2, 800);

    // The drawing and the report, the warning red in the report too.
    ExpectDrawingAndReport(entries[0], {"一号门框墙", "[ 计算条件 ]", "[ 计算结果 ]"});
    QTextDocument report;
    ASSERT_TRUE(kv::report::ui::LoadReport(&report, QString::fromStdString(dir / entries[0].rtf), true));
    EXPECT_EQ(ColourOf(report, kOverReinforced), QColor(255, 0, 0));

    // The combined report takes the item's report in, drawing and colour.
    QTextDocument combined;
    MakeCombinedReport(combined);
    EXPECT_TRUE(combined.toPlainText().contains("一号门框墙"));
    EXPECT_EQ(CountImages(combined), 1);
    EXPECT_EQ(ColourOf(combined, kOverReinforced), QColor(255, 0, 0));
}

// A light well narrower than twice the lip: the question comes once for the
// calculation and its report, and a No still leaves a drawing and a report.
TEST_F(DoorFrameWallFlow, WindowWellItemAsksTheCantileverQuestionOncePerCalculation) {
    CSplitterFrame* window = Window(6);
    ASSERT_NE(window, nullptr);
    QString caption;
    messages->Answer(kv::IDYES);
    messages->Answer(kv::IDNO);
    std::vector<int> askedAfter;
    OnNextModal([&](QDialog& dlg) {
        caption = dlg.windowTitle();
        SetField(dlg, 1269, "1.5");  // La < 2 L
        Click(dlg, 1359);
        askedAfter.push_back(Asked());
        Click(dlg, 1359);
        askedAfter.push_back(Asked());
        Click(dlg, 1);
    });
    window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_EQ(caption, "窗井墙计算");
    EXPECT_EQ(askedAfter, (std::vector<int>{1, 2}));
    std::vector<ChaXunEntry> entries = ReadChaXunFromFile((dir / "&KV_0001.dat").c_str());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(dir.Exists(entries[0].dxf));
    QTextDocument report;
    ASSERT_TRUE(kv::report::ui::LoadReport(&report, QString::fromStdString(dir / entries[0].rtf), true));
    EXPECT_TRUE(report.toPlainText().contains(QStringLiteral("[ 计算条件 ]")));
    EXPECT_FALSE(report.toPlainText().contains(QStringLiteral("M = ")));
    EXPECT_EQ(G_ChuangJingQiangData.Kind, 1);
}

}  // namespace
