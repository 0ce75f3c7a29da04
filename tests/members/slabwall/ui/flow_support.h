#pragma once
// An item of a project window from 新增 to its files: a main frame with the
// project commands over a temporary project folder, and the checks of what a
// calculation leaves there (drawing, report, combined report).
#include "app/mainframe.h"
#include "app/moduletable.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "drawing/dxf.h"
#include "platform/services.h"
#include "project/project.h"
#include "project/ui/projectcommands.h"
#include "support/env_guard.h"
#include "support/ezdxf_check.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "report/ui/reportfile.h"
#include "views/bbdoc.h"
#include "views/bbframe.h"
#include "views/bbview.h"
#include "views/childframe.h"
#include "views/reportpictures.h"
#include "views/splitterframe.h"

#include <QProcess>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <memory>

namespace kv::test {

inline int CountImages(const QTextDocument& doc) {
    int images = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) ++images;
    return images;
}

// Runs an outside checker; its standard output, or a failure.
inline QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " did not finish within two minutes";
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

class ItemFlow : public ::testing::Test {
protected:
    // The project window's module table: 0 basement, 1 单建式.
    explicit ItemFlow(int workSet) : m_workSet(workSet) {}

    void SetUp() override {
        EnsureQtApp();
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
        InstallReportPictureMaker();
        SetModuleTable(m_workSet);
        G_Project = CProject();
        dir.MakeCurrent();
        G_strWorkPath = dir.path();
        G_strExePath = program.path();
        frame = std::make_unique<CMainFrame>();
        InstallProjectCommands(*frame);
        frame->m_bProjectOpen = 1;
    }
    void TearDown() override {
        frame.reset();
        kv::platform::InstallMessageService(std::move(oldMessages));
        G_Project = CProject();
        G_strWorkPath.clear();
        G_strExePath.clear();
        SetModuleTable(0);
    }

    CSplitterFrame* Window(int row) {
        G_Project.m_nSelected[static_cast<std::size_t>(row)] = 1;
        frame->OnBackToProject();
        for (CChildFrameBase* w : frame->Windows())
            if (w->GetDocument()->m_nModule == row) return dynamic_cast<CSplitterFrame*>(w);
        return nullptr;
    }

    // An outside reader finds no fault in the drawing (where ezdxf is installed).
    void ExpectOutsideReaderAccepts(const std::string& dxf) {
        const std::string py = PythonWithEzdxf();
        if (py.empty()) return;
        std::ofstream(dir / "check.py") << "import sys\nfrom ezdxf import recover\n"
                                           "doc, auditor = recover.readfile(sys.argv[1])\n"
                                           "sys.exit(2 if auditor.has_errors else 0)\n";
        EXPECT_EQ(std::system((py + " '" + (dir / "check.py") + "' '" + dxf + "'").c_str()), 0) << dxf;
    }

    // The item's drawing reads back and an outside reader finds no fault in it;
    // its report is RTF that holds `parts` and one picture in place of its
    // script block.
    void ExpectDrawingAndReport(const ChaXunEntry& entry, std::initializer_list<const char*> parts) {
        const std::string dxf = dir / entry.dxf;
        DXF drawing;
        ASSERT_EQ(drawing.Read_FileDxf_To_Mem(dxf.c_str()), 1) << entry.dxf;
        EXPECT_FALSE(drawing.Entities().empty());
        ExpectOutsideReaderAccepts(dxf);
        const QString rtf = QString::fromStdString(dir / entry.rtf);
        ASSERT_TRUE(kv::report::ui::LooksLikeRtf(rtf)) << entry.rtf;
        QTextDocument report;
        ASSERT_TRUE(kv::report::ui::LoadReport(&report, rtf, true));
        for (const char* part : parts)
            EXPECT_TRUE(report.toPlainText().contains(QString::fromUtf8(part))) << part;
        EXPECT_FALSE(report.toPlainText().contains("VanjoroScript"));
        EXPECT_EQ(CountImages(report), 1);
    }

    // 生成计算书 over the cover "FM.RTF": the combined report "BaoBiao.RTF" read back.
    void MakeCombinedReport(QTextDocument& combined) {
        program.Write("FM.RTF", "{\\rtf1\\ansi cover\\par}");
        CBbFrame reportWindow;
        G_pBbView = reportWindow.ReportView();
        reportWindow.OnMakeBaoBiao();
        ASSERT_TRUE(kv::report::ui::LoadReport(&combined, QString::fromStdString(dir / "BaoBiao.RTF"), true));
    }

    TempFolder dir, program;
    EnvGuard configHome{"XDG_CONFIG_HOME", dir / "config"};
    std::unique_ptr<CMainFrame> frame;
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;

private:
    int m_workSet;
};

}  // namespace kv::test
