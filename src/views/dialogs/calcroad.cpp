#include "views/dialogs/calcroad.h"

#include "base/calcrunner.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "report/script.h"
#include "report/ui/reportfile.h"
#include "report/ui/rtfwriter.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"
#include "widgets/ui/loadtext.h"

#include <QApplication>
#include <QListWidget>
#include <QTextDocument>

#include <cstdio>

namespace {

// The report, once in RTF, in the report view with its scripts run, saved with
// its diagrams: the combined report and the word processor read the file, not
// the view.
void ShowConvertedReport(const std::string& report) {
    if (!kv::shell::ReadReport(report)) return;
    kv::shell::RunReportScripts();
    kv::shell::SaveReport(report);
}

}  // namespace

bool RunCalculationRoad(CJsBaseData& data, const std::string& title, QListWidget* messages,
                        const CalculationSteps& steps) {
    const std::string rtfName = data.GetRtfFileName(0), dxfName = data.GetDxfFileName(0);
    const std::string report = rtfName.empty() ? std::string() : G_strWorkPath + rtfName;
    const std::string dxf = dxfName.empty() ? std::string() : G_strWorkPath + dxfName;
    bool reported = false, drawn = false, converted = false;
    // Nothing here touches a window: the runner may work it on its own thread.
    const bool ran = kv::calc::Run(title, [&] {
        steps.calculate();
        CBase_SGT drawing;
        drawing.New_MemDxf();
        drawing.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
        drawing.Write_Tables();
        // The report must be written in full, or the old one stays.
        std::FILE* fp = report.empty() ? nullptr : open_file(report.c_str(), "wt");
        steps.report(fp, &drawing);
        reported = fp && commit_file(fp) == 0;
        drawn = !dxf.empty() && drawing.Write_MemDxf_To_File(dxf.c_str());
        converted = reported && TextToRtf(report.c_str());
    });
    if (!ran) {
        // Nothing ran: the last run's lines are no answer to this one.
        if (messages) messages->clear();
        return false;
    }
    LoadToListBox(messages, "Message.Box");
    if (drawn) ShowDiagramFile(dxf);
    if (converted) ShowConvertedReport(report);
    if (!report.empty()) AppendTmpReport(report, report + "_tmp");
    // Files that could not be written are told: the views would otherwise show
    // the last run's as if they were this one's, and the engineer reopens the
    // item from its file.
    std::string unwritten;
    auto tell = [&](const std::string& path) {
        if (!unwritten.empty()) unwritten += "\n";
        unwritten += "不能保存文件 : " + path;
    };
    if (!report.empty() && !reported) tell(report);
    if (!dxf.empty() && !drawn) tell(dxf);
    if (!data.m_strStem.empty()) {
        const std::string item = G_strWorkPath + data.m_strStem + ".dat";
        if (!data.SaveData(item.c_str())) tell(item);
    }
    if (!unwritten.empty()) kv::MessageBox(unwritten, kv::MB_OK | kv::MB_ICONERROR);
    return true;
}

bool RunWrittenResultsRoad(CJsBaseData& data, const std::string& title, const std::function<void()>& calculate) {
    return RunCheckedResultsRoad(data, title, [&] {
        calculate();
        return WrittenResults{};
    });
}

bool RunCheckedResultsRoad(CJsBaseData& data, const std::string& title,
                           const std::function<WrittenResults()>& calculate) {
    const std::string dxf = G_strWorkPath + data.GetDxfFileName(0);
    const std::string report = G_strWorkPath + data.GetRtfFileName(0);
    WrittenResults left;
    bool converted = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ran = kv::calc::Run(title, [&] {
        left = calculate();
        converted = left.calculated && left.reported && kv::platform::FileExists(report) && TextToRtf(report.c_str());
    });
    QApplication::restoreOverrideCursor();
    if (!ran || !left.calculated) return false;
    if (converted) ShowConvertedReport(report);
    // After the report: its pictures pass through the drawing view, and the run
    // ends on its first drawing.
    if (kv::platform::FileExists(dxf)) ShowDiagramFile(dxf);
    const std::string item = G_strWorkPath + data.m_strStem + ".dat";
    // Closing as if the results were kept would hide that the file is the old one.
    if (!data.SaveData(item.c_str())) kv::MessageBox("不能保存文件 : " + item, kv::MB_OK | kv::MB_ICONERROR);
    return true;
}

int AppendTmpReport(const std::string& reportPath, const std::string& tmpPath) {
    const std::string tmp = kv::platform::ResolveExisting(tmpPath);
    const std::string report = kv::platform::ResolveExisting(reportPath);
    if (tmp.empty() || report.empty() || !kv::platform::FileExists(tmp) || !kv::platform::FileExists(report))
        return 1;
    // In the report view when there is one, so that it shows the joined report.
    QTextDocument own;
    QTextDocument* doc = kv::shell::ReadReport(report) ? kv::shell::ReportDocument() : nullptr;
    const bool inView = doc != nullptr;
    if (!inView) {
        doc = &own;
        QString file = QString::fromStdString(report);
        if (!kv::report::ui::LoadReport(doc, file, kv::report::ui::LooksLikeRtf(file))) return 1;
    }
    kv::report::ui::AppendReport(doc, tmp);
    bool saved = inView ? kv::shell::SaveReport(report) : kv::report::ui::SaveRtf(*doc, QString::fromStdString(report));
    if (saved) std::remove(tmp.c_str());
    return 1;
}
