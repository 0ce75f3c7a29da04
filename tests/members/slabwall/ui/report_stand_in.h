#pragma once
// A report view over a document, installed as the shell's for one test.
#include "report/ui/reportfile.h"
#include "report/ui/rtfwriter.h"
#include "views/dialogs/shellservices.h"

#include <QString>
#include <QTextDocument>

#include <string>

namespace kv::test {

struct ReportViewStandIn {
    QTextDocument doc;
    ReportViewStandIn() {
        kv::shell::ReportView view;
        view.read = [this](const std::string& path) {
            QString file = QString::fromStdString(path);
            return kv::report::ui::LoadReport(&doc, file, kv::report::ui::LooksLikeRtf(file));
        };
        view.saveAs = [this](const std::string& path) {
            return kv::report::ui::SaveRtf(doc, QString::fromStdString(path));
        };
        view.document = [this] { return &doc; };
        kv::shell::SetReportView(std::move(view));
    }
    ~ReportViewStandIn() { kv::shell::SetReportView({}); }
    ReportViewStandIn(const ReportViewStandIn&) = delete;
    ReportViewStandIn& operator=(const ReportViewStandIn&) = delete;
};

}  // namespace kv::test
