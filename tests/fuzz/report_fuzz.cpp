// Report files as the report view opens them: RTF or GBK text by their first
// bytes, the script blocks carried out, saved as RTF and as text, and appended
// to a combined report.
#include "fuzz_support.h"
#include "qt_support.h"

#include "base/globals.h"
#include "report/ui/reportfile.h"
#include "report/ui/rtfwriter.h"
#include "report/ui/scriptrunner.h"

#include <QTextDocument>

using namespace kv::report::ui;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::EnsureQt();
    G_strWorkPath = kv::fuzz::Folder();
    std::string path = kv::fuzz::WriteInput("report.RTF", data, size);
    QString file = QString::fromStdString(path);
    QTextDocument doc;
    if (!LoadReport(&doc, file, LooksLikeRtf(file))) return 0;
    RunScripts(doc);
    QString saved = QString::fromStdString(kv::fuzz::Folder() + "saved.RTF");
    if (!SaveRtf(doc, saved)) kv::fuzz::Fail("a report read cannot be saved");
    QTextDocument again;
    if (!LoadReport(&again, saved, true)) kv::fuzz::Fail("a saved report does not read back");
    SaveReportText(doc, QString::fromStdString(kv::fuzz::Folder() + "saved.TXT"));
    QTextDocument combined;
    AppendReport(&combined, path);
    return 0;
}
