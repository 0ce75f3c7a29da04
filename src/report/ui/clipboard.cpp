#include "report/ui/clipboard.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

#include "report/ui/rtfreader.h"
#include "report/ui/rtfwriter.h"

namespace kv::report::ui {

namespace {
const char* const kRtfTypes[] = {"text/rtf", "application/rtf", "text/richtext"};
}

std::unique_ptr<QMimeData> ReportMimeData(const QTextDocument& doc) {
    auto data = std::make_unique<QMimeData>();
    // A whole report ends with its paragraph mark, so what is pasted before it
    // keeps its own last line.
    QByteArray rtf = WriteRtf(doc);
    rtf.insert(rtf.lastIndexOf('}'), "\\par\n");
    data->setData("text/rtf", rtf);
    data->setData("application/rtf", rtf);
    QString text = doc.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    data->setText(text);
    return data;
}

bool InsertMimeData(const QMimeData* data, QTextCursor& cursor) {
    if (!data || cursor.isNull()) return false;
    for (const char* type : kRtfTypes)
        if (data->hasFormat(type) && InsertRtf(data->data(type), cursor)) return true;
    if (!data->hasText()) return false;
    cursor.insertText(data->text());
    return true;
}

}  // namespace kv::report::ui
