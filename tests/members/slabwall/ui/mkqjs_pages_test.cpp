// The second door-frame wall in the calculation host: the input page with its
// grids, sketch and picture, the load tool (a stand-in script), the import
// review, the scheme, the reinforcement page and the diagram page.
#include "members/slabwall/ui/mkqjs_pages.h"

#include "base/error.h"
#include "base/globals.h"
#include "drawing/base_sgt.h"
#include "drawing/ui/dtview.h"
#include "members/slabwall/mkqjs_calc.h"
#include "members/slabwall/mkqjs_result.h"
#include "platform/services.h"
#include "support/message_recorder.h"
#include "support/program_folder.h"
#include "support/qt_app.h"
#include "support/work_folder.h"
#include "widgets/easytable.h"
#include "widgets/ui/dlgjisuan.h"
#include "widgets/ui/easytableview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QAbstractScrollArea>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>
#include <gtest/gtest.h>

namespace {

const std::string kStandIn = std::string(KV_TEST_FIXTURES) + "/members/slabwall/mkq2/quabrel-standin.sh";

bool HasText(const CBase_SGT* drawing, const std::string& text) {
    if (!drawing) return false;
    for (const auto& e : drawing->Entities())
        if (e.text.find(text) != std::string::npos) return true;
    return false;
}

// The module's calculation, its drawings reduced to what the pages rely on: the
// diagram shows its scale, the reinforcement drawing each side's 纵筋.
class StubJiSuan : public CMkqJiSuan {
public:
    bool real = false;  // the module's own drawings
    int DrawResult(int k, CBase_SGT* drawing, int mode) override {
        if (real) return CMkqJiSuan::DrawResult(k, drawing, mode);
        const auto* d = static_cast<CMkqJsData*>(m_pData);
        drawing->Write_Text(0, 0, 3.5f, 0, ("1:" + std::to_string(static_cast<int>(d->JianTuBiLi[1 + k]))).c_str());
        return 1;
    }
    int OutDrawing(CBase_SGT* drawing, int a, int b) override {
        if (real) return CMkqJiSuan::OutDrawing(drawing, a, b);
        const auto* r = static_cast<CMkqResult*>(m_pResult);
        for (int s = 0; s < kMkqSideCount; ++s) drawing->Write_Text(0, 10.0f * s, 3.5f, 0, r->Side[s].Bars[0]);
        return 1;
    }
};

// Runs `action` on the next modal dialog once it is shown.
void OnNextModal(std::function<void(QDialog*)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(dialog);
    });
}

class MkqHost : public ::testing::Test {
protected:
    void SetUp() override {
        oldProcesses = kv::platform::InstallProcessService(kv::platform::MakeSystemProcessService());
        oldSink = kv::err::SetSink(nullptr);
        kv::err::ClearRecentLines();
        G_MkqJsData = CMkqJsData();
        G_MkqResult = CMkqResult();
        G_MkqJsData.SetFileName("mkq1");
        jisuan.m_pData = &G_MkqJsData;
        jisuan.m_pResult = &G_MkqResult;
        G_MkqResult.m_pData = &G_MkqJsData;
        // Pictures as the program folder holds them.
        std::filesystem::copy(std::string(KV_TEST_FIXTURES) + "/../../resources/pictures", program.path() + "pictures");
        input.SetData(&G_MkqJsData, &jisuan);
        draw.SetData(&G_MkqJsData, &jisuan);
        diagram.SetData(&G_MkqJsData, &jisuan);
        host.AddPage(&input, "输入数据");
        host.AddPage(&draw, "配筋修改");
        host.AddPage(&diagram, "计算简图");
        host.resize(1100, 720);
        host.Open();
    }
    void TearDown() override {
        host.Finish(CDlgJiSuan::kCancel);
        kv::err::SetSink(std::move(oldSink));
        kv::platform::InstallProcessService(std::move(oldProcesses));
    }
    bool HasLine(int code, const std::string& text) const {
        for (const kv::err::Line& line : kv::err::RecentLines())
            if (line.code == code && line.text == text) return true;
        return false;
    }
    void InstallTool(const std::string& name) {
        std::filesystem::copy_file(kStandIn, program.path() + name);
    }
    QPushButton* Button(QWidget* page, int id) { return page->findChild<QPushButton*>(QString::number(id)); }

    bool app = (kv::test::EnsureQtApp(), true);
    kv::test::WorkFolder work;
    kv::test::ProgramFolder program;
    kv::test::ConfigHome config;
    kv::test::MessageRecorder messages;
    std::unique_ptr<kv::platform::ProcessService> oldProcesses;
    kv::err::Sink oldSink;
    StubJiSuan jisuan;
    CDlgMkqInput input;
    CDlgMkqDraw draw;
    CDlgMkqResult diagram;
    CDlgJiSuan host;
};

TEST_F(MkqHost, ACellOfASideColumnMakesThatSideCurrent) {
    CDlgMkqLoad* load = input.LoadPage();
    ASSERT_NE(load, nullptr);
    const struct {
        CEasyTableWnd* grid;
        int column, side;
        const char* name;
        const char* picture;
    } cases[] = {
        {&load->m_HeZai, 4, 2, "上", "IDR_WMF_PING_UP"},
        {&load->m_ChiCun, 3, 1, "右", "IDR_WMF_PING_RIGHT"},
        {&load->m_HeZai, 1, 0, "左", "IDR_WMF_PING_LEFT"},  // the label column
        {&load->m_ChiCun, 5, 3, "下", "IDR_WMF_PING_DOWN"},
    };
    for (const auto& c : cases) {
        c.grid->SelectCell(2, c.column);
        EXPECT_EQ(G_MkqJsData.CurSide, c.side) << c.name;
        const int column = c.side + kMkqFirstSideColumn;
        EXPECT_EQ(load->m_HeZai.GetHangLieBkColor(2, column), kMkqCurrentSideColour) << c.name;
        EXPECT_EQ(load->m_ChiCun.GetHangLieBkColor(2, column), kMkqCurrentSideColour) << c.name;
        EXPECT_TRUE(HasText(input.Sketch(), std::string("尺寸荷载简图(") + c.name + ")")) << c.name;
        EXPECT_EQ(input.PictureName(), c.picture);
    }
    // The arched door's pictures.
    G_MkqJsData.DoorType = 1;
    load->m_HeZai.SelectCell(2, 4);
    EXPECT_EQ(input.PictureName(), "IDR_WMF_GONG_UP");
    EXPECT_FALSE(input.findChild<QLabel*>("2006")->pixmap().isNull());
}

TEST_F(MkqHost, ReadingLoadsTakesTheExchangeFileOrTellsTheUserItIsMissing) {
    const CMkqJsData before = G_MkqJsData;
    Button(input.LoadPage(), 2013)->click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "荷载读取失败！");
    EXPECT_EQ(G_MkqJsData.Side[0].qe, before.Side[0].qe);

    // With the file there, its loads are taken at once and the grid shows them.
    config.Write("kv/ExOut.ini", "[MKQQE]\r\nQE=0.3\r\n");
    Button(input.LoadPage(), 2013)->click();
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_FLOAT_EQ(G_MkqJsData.Side[3].qe, 300.0f);
    EXPECT_EQ(input.LoadPage()->m_HeZai.GetCell(6, 5)->GetText(), "300.00");
}

TEST_F(MkqHost, TheLoadToolIsTheBuiltInOneUnlessTheToolFileNamesAnother) {
    const struct {
        const char* hubrin;  // nullptr: no tool file
        const char* tool;
    } cases[] = {
        {nullptr, "Quabrel.exe"},
        {"[Hubrin]\r\nKuoSan=default\r\n", "Quabrel.exe"},
        {"[Hubrin]\r\nQuabrelset= Default \r\n", "Quabrel.exe"},
        {"[Hubrin]\r\nQuabrelset=mkqload.sh\r\n", "mkqload.sh"},
    };
    for (const auto& c : cases) {
        for (const char* name : {"Quabrel.exe", "mkqload.sh", "ran", "Hubrin.ini"})
            std::filesystem::remove(program.path() + name);
        if (c.hubrin) program.Write("Hubrin.ini", c.hubrin);
        InstallTool(c.tool);
        OnNextModal([](QDialog* review) { review->reject(); });
        Button(input.LoadPage(), 2011)->click();
        ASSERT_TRUE(program.Exists("ran")) << c.tool;
        // The door went to the tool first.
        const std::string given = program.Read("ran");
        EXPECT_NE(given.find("[MKQCC]"), std::string::npos) << c.tool;
        EXPECT_NE(given.find("Width=1800"), std::string::npos) << given;
    }
}

TEST_F(MkqHost, CancellingTheImportKeepsTheDataAlthoughTheToolRan) {
    InstallTool("Quabrel.exe");
    const MkqSide before = G_MkqJsData.Side[2];
    OnNextModal([](QDialog* review) { review->findChild<QPushButton*>("2")->click(); });
    Button(input.LoadPage(), 2011)->click();
    EXPECT_TRUE(program.Exists("ran"));
    EXPECT_EQ(G_MkqJsData.Side[2].qi, before.qi);
    EXPECT_EQ(G_MkqJsData.Side[2].qe, before.qe);
}

TEST_F(MkqHost, ImportTakesOnlyTheSides) {
    InstallTool("Quabrel.exe");
    G_MkqJsData.La = 1500;
    G_MkqJsData.Lb = 2000;
    OnNextModal([](QDialog* review) { review->findChild<QPushButton*>("1")->click(); });
    Button(input.LoadPage(), 2011)->click();
    EXPECT_EQ(G_MkqJsData.La, 1500.0f);
    EXPECT_EQ(G_MkqJsData.Lb, 2000.0f);
    EXPECT_EQ(G_MkqJsData.DoorType, 0);
    for (int s = 0; s < kMkqSideCount; ++s) EXPECT_FLOAT_EQ(G_MkqJsData.Side[s].qe, 200.0f) << s;
    EXPECT_FLOAT_EQ(G_MkqJsData.Side[2].qi, 1200.0f);  // 上: Verq1
    EXPECT_FLOAT_EQ(G_MkqJsData.Side[0].qi, 1100.0f);  // 左: Verq2
    EXPECT_FLOAT_EQ(G_MkqJsData.Side[0].Lap, 250.0f);  // (2000 − 1500) / 2
}

TEST_F(MkqHost, AnInvalidReviewIsRefusedAndTheDialogStaysOpen) {
    G_MkqJsData.DoorType = 1;
    config.Write("kv/ExOut.ini", "[GXMKQHZ]\r\nx=5000\r\ny=50\r\n");  // beyond the cantilever
    const MkqSide before = G_MkqJsData.Side[0];
    CDlgMkqDaoRu review(nullptr, &G_MkqJsData);
    review.show();
    review.findChild<QPushButton*>("1")->click();
    EXPECT_TRUE(review.isVisible());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "注意：\n    输入数据有误！");
    EXPECT_EQ(G_MkqJsData.Side[0].dx, before.dx);
}

TEST_F(MkqHost, NoToolGivesTheRunErrorAndNoImport) {
    const MkqSide before = G_MkqJsData.Side[0];
    Button(input.LoadPage(), 2011)->click();  // no Quabrel.exe: no review either
    EXPECT_TRUE(HasLine(301, "门框墙计算及绘图程序运行错误！"));
    EXPECT_EQ(G_MkqJsData.Side[0].qe, before.qe);
}

TEST_F(MkqHost, EnterAndEscDoNothingOnTheInputPages) {
    for (QWidget* page : {static_cast<QWidget*>(&input), static_cast<QWidget*>(input.LoadPage()),
                          static_cast<QWidget*>(input.GuiFanPage())}) {
        QTest::keyClick(page, Qt::Key_Return);
        QTest::keyClick(page, Qt::Key_Escape);
        EXPECT_TRUE(host.isVisible()) << page->objectName().toStdString();
    }
}

TEST_F(MkqHost, TheSchemeShowsOnlyTheCurrentDoorTypesPicture) {
    for (int door : {0, 1}) {
        G_MkqJsData.DoorType = door;
        CDlgMkqShiYiTu scheme(nullptr, &G_MkqJsData);
        scheme.show();
        EXPECT_EQ(scheme.findChild<QLabel*>("1070")->isVisible(), door == 1);
        EXPECT_EQ(scheme.findChild<QLabel*>("1073")->isVisible(), door == 0);
    }
}

TEST_F(MkqHost, TheSummaryBoxShowsThePromptFile) {
    work.Write("Prompt.txt", "{\\rtf1\\ansi 4 sides pass\\par}");
    input.LoadPrompt(0);
    EXPECT_TRUE(input.PromptBox()->toPlainText().contains("4 sides pass"));
    EXPECT_TRUE(input.PromptBox()->isReadOnly());
    input.LoadPrompt(1);
    EXPECT_TRUE(input.PromptBox()->toPlainText().isEmpty());
}

TEST_F(MkqHost, JiSuanWritesTheFilesAndShowsTheSummary) {
    host.findChild<QPushButton*>("jisuan")->click();
    // The reinforcement grid shows the bars the calculation chose.
    EXPECT_EQ(draw.m_PeiJin.GetCell(2, 2)->GetText(), G_MkqResult.Side[0].Bars[0]);
    EXPECT_TRUE(work.Exists(G_MkqJsData.GetResFileName()));
    EXPECT_TRUE(work.Exists(G_MkqJsData.GetJssFileName(0)));
    ASSERT_TRUE(work.Exists("Prompt.txt"));
    EXPECT_FALSE(input.PromptBox()->toPlainText().trimmed().isEmpty());
}

// A value typed into a grid and left by pressing a button of the host at once
// is stored as the editor closes, after the click: 计算 still works with it and
// 返回 still writes it.
class MkqHostEditing : public MkqHost {
protected:
    void TypeQeOfTheLeftSide(const char* text) {
        QApplication::setActiveWindow(&host);
        auto* view = input.LoadPage()->findChild<QWidget*>("1050")->findChild<EasyTableView*>();
        ASSERT_NE(view, nullptr);
        const QModelIndex qe = view->model()->index(5, 1);
        view->setCurrentIndex(qe);
        view->edit(qe);
        auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(qe));
        ASSERT_NE(editor, nullptr);
        editor->setFocus();
        editor->setText(text);
    }
};

TEST_F(MkqHostEditing, JiSuanPressedWhileEditingCalculatesWithTheTypedValue) {
    jisuan.real = true;
    TypeQeOfTheLeftSide("400");
    QTest::mouseClick(host.findChild<QPushButton*>("jisuan"), Qt::LeftButton);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    EXPECT_FLOAT_EQ(G_MkqJsData.Side[0].qe, 400.0f);
    const float moment = G_MkqResult.Side[0].M;
    host.findChild<QPushButton*>("jisuan")->click();  // nothing pending now
    EXPECT_FLOAT_EQ(G_MkqResult.Side[0].M, moment);
}

TEST_F(MkqHostEditing, BackPressedWhileEditingWritesTheTypedValue) {
    TypeQeOfTheLeftSide("400");
    QTest::mouseClick(host.findChild<QPushButton*>("back"), Qt::LeftButton);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    EXPECT_FALSE(host.isVisible());
    CMkqJsData stored;
    ASSERT_TRUE(work.Exists(G_MkqJsData.GetDataFileName()));
    stored.LoadData((work.path() + G_MkqJsData.GetDataFileName()).c_str());
    EXPECT_FLOAT_EQ(stored.Side[0].qe, 400.0f);
}

TEST_F(MkqHost, ChangingABarRedrawsTheReinforcementDrawing) {
    EXPECT_TRUE(HasText(draw.Drawing(), "D20@100"));
    ASSERT_EQ(draw.m_PeiJin.EditText(2, 4, "D25@150"), 1);  // 纵筋 of 上
    EXPECT_STREQ(G_MkqResult.Side[2].Bars[0], "D25@150");
    EXPECT_TRUE(HasText(draw.Drawing(), "D25@150"));
}

TEST_F(MkqHost, AChangedScaleRedrawsTheSelectedDiagram) {
    ASSERT_EQ(host.DiagramList()->count(), kMkqDiagramCount);
    host.SelectDiagram(3);
    EXPECT_EQ(G_MkqJsData.m_nCurJt, 3);
    host.Tabs()->setCurrentWidget(&diagram);  // the page shows the selected diagram's scale
    ASSERT_EQ(diagram.m_JianTu.EditText(1, 2, "80"), 1);
    EXPECT_EQ(G_MkqJsData.JianTuBiLi[4], 80.0f);
    EXPECT_TRUE(HasText(host.DiagramDrawing(), "1:80"));

    // Another diagram chosen while the page shows: the scale is that diagram's.
    host.SelectDiagram(5);
    EXPECT_EQ(diagram.m_JianTu.GetCell(1, 2)->GetText(), "50");
    ASSERT_EQ(diagram.m_JianTu.EditText(1, 2, "30"), 1);
    EXPECT_EQ(G_MkqJsData.JianTuBiLi[6], 30.0f);
    EXPECT_EQ(G_MkqJsData.JianTuBiLi[4], 80.0f);
    EXPECT_TRUE(HasText(host.DiagramDrawing(), "1:30"));
}

// True when the whole drawing of `wnd` lies inside the window.
bool ShowsItAll(CDtView* wnd) {
    CFPoint lb, rt;
    if (!wnd || !wnd->GetExtent(lb, rt)) return false;
    double x0, y0, x1, y1;
    wnd->Coor().FPtoDP(lb.x, lb.y, x0, y0);
    wnd->Coor().FPtoDP(rt.x, rt.y, x1, y1);
    const auto inside = [](double v, int size) { return v >= -1 && v <= size + 1; };
    return inside(x0, wnd->width()) && inside(x1, wnd->width()) && inside(y0, wnd->height()) &&
           inside(y1, wnd->height());
}

// The drawings are drawn while their page may be hidden (计算 on another page):
// shown, or the window resized, each fits its window again.
TEST_F(MkqHost, TheDrawingsFitTheirWindowsWhenShownAndResized) {
    jisuan.real = true;
    host.findChild<QPushButton*>("jisuan")->click();  // the input page is showing
    for (const QSize size : {QSize(1400, 950), QSize(1100, 720)}) {
        host.resize(size);
        for (QWidget* page : {static_cast<QWidget*>(&draw), static_cast<QWidget*>(&input)}) {
            host.Tabs()->setCurrentWidget(page);
            for (int i = 0; i < 20; ++i) QApplication::processEvents();
            auto* wnd = page->findChild<QWidget*>("2000")->findChild<CDtView*>();
            ASSERT_NE(wnd, nullptr);
            EXPECT_TRUE(ShowsItAll(wnd)) << page->objectName().toStdString() << " at " << size.width();
        }
    }
}

// Each page as the user sees it after a 计算, with the module's own drawings:
// every grid shows its texts whole without scrolling sideways, the drawings are
// not empty. KV_SCREENSHOT_DIR names a folder to keep the pictures in
// (mkq2-*.png); run it under xvfb-run with QT_QPA_PLATFORM=xcb, and with
// QT_SCALE_FACTOR=1.5 or QT_FONT_DPI=144 for 150 % scaling.
TEST_F(MkqHost, ThePagesLayOutTheirGridsAndDrawings) {
    jisuan.real = true;
    const char* folder = std::getenv("KV_SCREENSHOT_DIR");
    if (folder) ASSERT_TRUE(QDir().mkpath(QString::fromLocal8Bit(folder))) << folder;
    host.resize(host.sizeHint().expandedTo(QSize(1100, 720)));
    host.findChild<QPushButton*>("jisuan")->click();
    input.LoadPage()->m_HeZai.SelectCell(2, 4);
    const struct {
        QWidget* page;
        int inputTab;  // the input page's child page, -1 none
        const char* file;
        std::vector<int> places;  // grids and drawings that must have room
    } pages[] = {
        {&input, 0, "mkq2-input.png", {1062, 1040, 1050, 2000, 2001}},
        {&input, 1, "mkq2-material.png", {1063, 1028}},
        {&draw, -1, "mkq2-draw.png", {2000, 2104}},
        {&diagram, -1, "mkq2-diagram.png", {2104}},
    };
    for (const auto& p : pages) {
        host.Tabs()->setCurrentWidget(p.page);
        if (p.inputTab >= 0) input.findChild<QTabWidget*>("2003")->setCurrentIndex(p.inputTab);
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        for (int id : p.places) {
            auto* place = p.page->findChild<QWidget*>(QString::number(id));
            ASSERT_NE(place, nullptr) << p.file << " " << id;
            EXPECT_GT(place->width(), 100) << p.file << " " << id;
            EXPECT_GT(place->height(), 40) << p.file << " " << id;
            auto* scrolled = qobject_cast<QAbstractScrollArea*>(place);
            if (!scrolled) scrolled = place->findChild<EasyTableView*>();
            if (scrolled && scrolled->isVisible())
                EXPECT_FALSE(scrolled->horizontalScrollBar()->isVisible()) << p.file << " " << id << ": texts cut off";
            if (auto* grid = place->findChild<EasyTableView*>(); grid && grid->isVisible())
                EXPECT_FALSE(grid->verticalScrollBar()->isVisible()) << p.file << " " << id << ": rows cut off";
        }
        if (folder) {
            const QString file = QDir(QString::fromLocal8Bit(folder)).absoluteFilePath(QString::fromUtf8(p.file));
            EXPECT_TRUE(host.grab().save(file)) << file.toStdString();
        }
    }
    EXPECT_GT(input.Sketch()->Entities().size(), 10u);
    EXPECT_GT(draw.Drawing()->Entities().size(), 10u);
    ASSERT_NE(host.DiagramDrawing(), nullptr);
    EXPECT_GT(host.DiagramDrawing()->Entities().size(), 10u);

    // The load page's two dialogs, the arched door's review with its two extra rows.
    G_MkqJsData.DoorType = 1;
    CDlgMkqDaoRu review(&host, &G_MkqJsData);
    CDlgMkqShiYiTu scheme(&host, &G_MkqJsData);
    for (QDialog* dialog : {static_cast<QDialog*>(&review), static_cast<QDialog*>(&scheme)}) {
        dialog->show();
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        if (auto* grid = dialog->findChild<EasyTableView*>()) {
            EXPECT_FALSE(grid->horizontalScrollBar()->isVisible()) << "review: texts cut off";
            EXPECT_FALSE(grid->verticalScrollBar()->isVisible()) << "review: rows cut off";
        }
        if (folder) {
            const QString file = QDir(QString::fromLocal8Bit(folder)).absoluteFilePath(
                dialog == &review ? "mkq2-review.png" : "mkq2-scheme.png");
            EXPECT_TRUE(dialog->grab().save(file)) << file.toStdString();
        }
        dialog->hide();
    }
}

}  // namespace
