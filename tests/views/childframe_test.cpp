#include "app/commandids.h"
#include "platform/services.h"
#include "views/bbdoc.h"
#include "views/bbframe.h"
#include "views/bbview.h"
#include "views/cxview.h"
#include "views/splitterframe.h"

#include "report/ui/rtfreader.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTextDocument>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace {

using namespace kv::cmd;

QApplication& App() { return kv::test::EnsureQtApp(); }

class ChildFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        area_ = std::make_unique<QMdiArea>();
        area_->resize(1000, 700);
        area_->show();
    }
    template <class Frame>
    Frame* Add() {
        auto* frame = new Frame;
        area_->addSubWindow(frame);
        frame->show();
        return frame;
    }
    std::unique_ptr<QMdiArea> area_;
};

TEST_F(ChildFrameTest, ProjectWindowHasTheDialogBarInOrder) {
    auto* frame = Add<CSplitterFrame>();
    std::vector<QString> ids;
    for (QWidget* w : frame->DialogBar()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        ids.push_back(w->objectName());
    EXPECT_EQ(ids, (std::vector<QString>{"47647", "916", "920", "913", "47646", "925", "926"}));
    const std::pair<int, const char*> buttons[] = {
        {916, "新增"}, {920, "删除"}, {913, "计算"}, {925, "插入CAD"}, {926, "WORD"}};
    for (const auto& [id, text] : buttons)
        EXPECT_EQ(frame->findChild<QPushButton*>(QString::number(id))->text().toStdString(), text);
    EXPECT_EQ(frame->ItemCombo()->toolTip().toStdString(), "计算项目名称");
    EXPECT_EQ(frame->ChaXunCombo()->toolTip().toStdString(), "查询项目名称");

    // The buttons send their ids on; a document handler receives them.
    QSignalSpy spy(frame, &CChildFrameBase::command);
    frame->findChild<QPushButton*>("913")->click();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 913);
    CBbDoc_KV* seen = nullptr;
    CBbDoc_KV::SetCommandHandler(913, [&](CBbDoc_KV& doc) { seen = &doc; });
    CCmdUI ui;
    EXPECT_TRUE(frame->OnCmdMsg(913, &ui));
    EXPECT_EQ(seen, nullptr);  // asked, not run
    EXPECT_TRUE(frame->OnCmdMsg(913, nullptr));
    EXPECT_EQ(seen, frame->GetDocument());
    CBbDoc_KV::SetCommandHandler(913, {});
    EXPECT_FALSE(frame->OnCmdMsg(913, nullptr));
}

TEST_F(ChildFrameTest, SplitterPanesAreDrawingThenReport) {
    auto* frame = Add<CSplitterFrame>();
    auto* splitter = frame->findChild<QSplitter*>();
    ASSERT_NE(splitter, nullptr);
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_EQ(splitter->widget(0), frame->DrawingView());
    EXPECT_EQ(splitter->widget(1), frame->ReportView());
    EXPECT_EQ(frame->ReportView()->GetDocument(), frame->GetDocument());
    EXPECT_EQ(frame->DrawingView()->GetDocument(), frame->GetDocument());
}

TEST_F(ChildFrameTest, OnlyTheProjectWindowRepointsTheCurrentViewsWhenActivated) {
    auto* project = Add<CSplitterFrame>();
    auto* single = Add<CSplitterFrame1>();
    // The newest views are current.
    EXPECT_EQ(G_pBbView, single->ReportView());
    EXPECT_EQ(G_pCxView, single->DrawingView());
    project->OnActivate();
    EXPECT_EQ(G_pBbView, project->ReportView());
    EXPECT_EQ(G_pCxView, project->DrawingView());
    single->OnActivate();
    EXPECT_EQ(G_pBbView, project->ReportView());
    // A destroyed view is no longer current.
    delete project;
    EXPECT_EQ(G_pBbView, nullptr);
    EXPECT_EQ(G_pCxView, nullptr);
}

TEST_F(ChildFrameTest, SingleCalculationWindowStaysWhileItIsTheOnlyOne) {
    auto* single = Add<CSplitterFrame1>();
    EXPECT_FALSE(single->close());
    EXPECT_TRUE(single->isVisible());
    auto* report = Add<CBbFrame>();
    EXPECT_TRUE(single->close());
    report->ForceClose();
    auto* again = Add<CSplitterFrame1>();
    again->ForceClose();
    EXPECT_FALSE(again->isVisible());
}

TEST_F(ChildFrameTest, SingleCalculationToolbarHasElevenSlots) {
    auto* single = Add<CSplitterFrame1>();
    std::vector<int> ids;
    for (QAction* a : single->ToolBar()->actions()) ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
    EXPECT_EQ(ids, (std::vector<int>{57014, 57013, 57016, 57015, 57018, 57017, 57019, 0, 0, 57634, 57637}));
    EXPECT_EQ(single->GetDocument()->GetTitle().left(2).toStdString(), "KV");
}

TEST_F(ChildFrameTest, ReportViewRunsTheEditCommands) {
    auto* report = Add<CBbFrame>();
    CBbView_KV* view = report->ReportView();
    view->setPlainText("顶板计算书");
    CCmdUI ui;
    ASSERT_TRUE(report->OnCmdMsg(kEditCut, &ui));
    EXPECT_FALSE(ui.enabled);  // nothing selected
    report->OnCmdMsg(kEditSelectAll, nullptr);
    ASSERT_TRUE(report->OnCmdMsg(kEditCut, &ui));
    EXPECT_TRUE(ui.enabled);
    report->OnCmdMsg(kEditClear, nullptr);
    EXPECT_TRUE(view->toPlainText().isEmpty());
    report->OnCmdMsg(kEditUndo, nullptr);
    EXPECT_EQ(view->toPlainText().toStdString(), "顶板计算书");
    // Commands nobody handles fall through.
    EXPECT_FALSE(report->OnCmdMsg(kBackToProject, nullptr));
}

TEST_F(ChildFrameTest, TheReportWindowIgnoresItsCloseBoxUntilTheModeEnds) {
    auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
    auto* messages = scripted.get();
    auto old = kv::platform::InstallMessageService(std::move(scripted));
    auto* report = Add<CBbFrame>();
    report->ReportView()->insertPlainText("改过的计算书");
    EXPECT_FALSE(report->close());
    EXPECT_TRUE(report->isVisible());
    report->ForceClose();
    EXPECT_FALSE(report->isVisible());
    EXPECT_TRUE(messages->shown().empty());
    kv::platform::InstallMessageService(std::move(old));
}

TEST_F(ChildFrameTest, TheCloseBoxAsksAboutAnEditedReport) {
    struct Case {
        int answer;
        bool closes, saved;
    };
    const Case cases[] = {{kv::IDCANCEL, false, false}, {kv::IDNO, true, false}, {kv::IDYES, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        auto* messages = scripted.get();
        messages->Answer(c.answer);
        auto old = kv::platform::InstallMessageService(std::move(scripted));
        bool saved = false;
        CBbDoc_KV::SetSaveFunction([&](CBbDoc_KV&) { return saved = true; });

        auto* report = Add<CSplitterFrame>();
        report->ReportView()->insertPlainText("改过的计算书");
        ASSERT_TRUE(report->GetDocument()->IsModified());
        EXPECT_EQ(report->close(), c.closes);
        EXPECT_EQ(messages->shown().size(), 1u);
        EXPECT_EQ(saved, c.saved);
        // A mode switch closes it without asking again.
        if (!c.closes) {
            report->ForceClose();
            EXPECT_FALSE(report->isVisible());
            EXPECT_EQ(messages->shown().size(), 1u);
        }
        CBbDoc_KV::SetSaveFunction({});
        kv::platform::InstallMessageService(std::move(old));
    }
}

// A project window's report on Yes: the edited text goes back into the file the
// report was read from; a report that came from no file goes where the save
// dialog says. No and Cancel leave the file alone.
TEST_F(ChildFrameTest, YesSavesTheEditedReportWhereItCameFrom) {
    struct Case {
        bool fromFile;
        int answer;
        std::optional<std::string> dialogAnswer;  // for a report from no file
        bool closes;
        const char* savedAs;  // file that holds the typed text afterwards, or none
    };
    const Case cases[] = {
        {true, kv::IDYES, std::nullopt, true, "r.RTF"},
        {true, kv::IDNO, std::nullopt, true, nullptr},
        {true, kv::IDCANCEL, std::nullopt, false, nullptr},
        {false, kv::IDYES, "new.RTF", true, "new.RTF"},
        {false, kv::IDYES, std::nullopt, false, nullptr},  // the save dialog cancelled
    };
    const std::string original = "{\\rtf1\\ansi first line\\par}";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.fromFile) + " " + std::to_string(c.answer));
        kv::test::TempFolder dir;
        dir.Write("r.RTF", original);
        auto scriptedMessages = std::make_unique<kv::platform::ScriptedMessageService>();
        auto* messages = scriptedMessages.get();
        messages->Answer(c.answer);
        auto oldMessages = kv::platform::InstallMessageService(std::move(scriptedMessages));
        auto scriptedFiles = std::make_unique<kv::platform::ScriptedFileDialogService>();
        scriptedFiles->Answer(c.dialogAnswer ? std::optional(dir / *c.dialogAnswer) : std::nullopt);
        auto oldFiles = kv::platform::InstallFileDialogService(std::move(scriptedFiles));

        auto* window = Add<CSplitterFrame>();
        window->GetDocument()->SetPathName("顶板");  // as a project window is named
        CBbView_KV* view = window->ReportView();
        if (c.fromFile) view->ReadFile(dir / "r.RTF");
        view->moveCursor(QTextCursor::End);
        view->insertPlainText(" typed");
        EXPECT_EQ(window->close(), c.closes);
        ASSERT_EQ(messages->shown().size(), 1u);
        EXPECT_EQ(messages->shown()[0].text, "是否保存对 " + std::string(c.fromFile ? "r.RTF" : "顶板") + " 的修改?");
        if (c.savedAs) {
            QTextDocument saved;
            ASSERT_TRUE(kv::report::ui::ReadRtf(QByteArray::fromStdString(dir.Read(c.savedAs)), &saved));
            EXPECT_EQ(saved.toPlainText().toStdString(), c.fromFile ? "first line typed" : " typed");
        }
        if (!c.savedAs || std::string(c.savedAs) != "r.RTF") {
            EXPECT_EQ(dir.Read("r.RTF"), original);
        }
        if (!c.closes) window->ForceClose();
        kv::platform::InstallFileDialogService(std::move(oldFiles));
        kv::platform::InstallMessageService(std::move(oldMessages));
    }
}

// Only the user's own changes count: a report just loaded, or a view emptied for
// the next item, closes without the question.
TEST_F(ChildFrameTest, ALoadedOrEmptiedReportClosesWithoutAsking) {
    kv::test::TempFolder dir;
    dir.Write("r.RTF", "{\\rtf1 report\\par}");
    dir.Write("r.txt", "report");
    auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
    auto* messages = scripted.get();
    auto old = kv::platform::InstallMessageService(std::move(scripted));
    const std::function<void(CBbView_KV*)> steps[] = {
        [](CBbView_KV* v) { v->ClearText(); },
        [&](CBbView_KV* v) { v->ReadFile(dir / "r.RTF"); },
        [&](CBbView_KV* v) { v->ReadFile(dir / "r.txt"); },
    };
    for (bool typedFirst : {false, true}) {
        for (const auto& step : steps) {
            auto* window = Add<CSplitterFrame>();
            if (typedFirst) window->ReportView()->insertPlainText("typed");
            step(window->ReportView());
            EXPECT_FALSE(window->GetDocument()->IsModified());
            EXPECT_TRUE(window->close());
        }
    }
    EXPECT_TRUE(messages->shown().empty());
    kv::platform::InstallMessageService(std::move(old));
}

}  // namespace
