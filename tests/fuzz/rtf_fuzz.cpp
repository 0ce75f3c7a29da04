// RTF reports: read into a document, written as RTF and read again, inserted
// into a document that has text.
#include "fuzz_support.h"
#include "qt_support.h"

#include "report/ui/rtfreader.h"
#include "report/ui/rtfwriter.h"

#include <QTextCursor>
#include <QTextDocument>

using namespace kv::report::ui;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::EnsureQt();
    QByteArray rtf(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument doc;
    if (ReadRtf(rtf, &doc)) {
        QByteArray written = WriteRtf(doc);
        QTextDocument again;
        if (!ReadRtf(written, &again)) kv::fuzz::Fail("a written report does not read back");
    }
    QTextDocument target;
    QTextCursor cursor(&target);
    cursor.insertText("前文");
    InsertRtf(rtf, cursor);
    return 0;
}
