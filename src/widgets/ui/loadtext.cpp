#include "widgets/ui/loadtext.h"

#include "platform/paths.h"
#include "platform/textfile.h"
#include "report/ui/scriptrunner.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <string_view>

namespace {

// The run's lines line their numbers up in columns: tabs become blanks.
std::string ExpandTabs(std::string_view line) {
    std::string out;
    std::size_t column = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if (c == '\t') {
            std::size_t next = (column / 8 + 1) * 8;
            out.append(next - column, ' ');
            column = next;
            continue;
        }
        out.push_back(line[i]);
        // A Chinese character takes two columns, as it did in the GBK text.
        if (c < 0x80) ++column;
        else if ((c & 0xC0) == 0xC0) column += 2;
    }
    return out;
}

}  // namespace

bool LoadTextToEdit(QPlainTextEdit* edit, const std::string& file) {
    if (!edit) return false;
    std::string text;
    bool read = kv::platform::ReadTextFile(file, text);
    edit->setPlainText(read ? QString::fromStdString(text) : QString());
    return read;
}

bool LoadTextToRichEdit(QTextEdit* edit, const std::string& file) {
    if (!edit) return false;
    std::string text;
    bool read = kv::platform::ReadTextFile(file, text);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    edit->document()->setDefaultFont(fixed);
    edit->setTabStopDistance(QFontMetricsF(fixed).horizontalAdvance(QLatin1Char(' ')) * 8);
    edit->setPlainText(read ? QString::fromStdString(text) : QString());
    if (read) kv::report::ui::RunScripts(edit);
    return read;
}

bool LoadToListBox(QListWidget* list, const std::string& file) {
    if (!list) return false;
    list->clear();
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    std::string text;
    std::string resolved = kv::platform::ResolveExisting(file);
    if (resolved.empty() || !kv::platform::ReadTextFile(resolved, text)) return false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        list->addItem(QString::fromStdString(ExpandTabs(line)));
        start = end + 1;
    }
    return true;
}
