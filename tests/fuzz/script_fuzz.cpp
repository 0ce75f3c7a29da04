// Text reports with script blocks: the command of a block read, the report
// turned into an RTF book as a run leaves it, then loaded and its blocks run.
#include "fuzz_support.h"
#include "qt_support.h"

#include "base/globals.h"
#include "report/script.h"
#include "report/ui/reportfile.h"
#include "report/ui/scriptrunner.h"

#include <QTextDocument>

using namespace kv::report;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::EnsureQt();
    G_strWorkPath = kv::fuzz::Folder();
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ParseScriptCommand(bytes);
    std::string path = kv::fuzz::WriteInput("report.TXT", bytes);
    if (!TextToRtf(path.c_str())) return 0;
    QString file = QString::fromStdString(path);
    QTextDocument doc;
    if (!ui::LoadReport(&doc, file, ui::LooksLikeRtf(file))) kv::fuzz::Fail("a report made from text does not read");
    ui::RunScripts(doc);
    return 0;
}
