#include "widgets/ui/loadtext.h"

#include "platform/textfile.h"

#include <QPlainTextEdit>

bool LoadTextToEdit(QPlainTextEdit* edit, const std::string& file) {
    if (!edit) return false;
    std::string text;
    bool read = kv::platform::ReadTextFile(file, text);
    edit->setPlainText(read ? QString::fromStdString(text) : QString());
    return read;
}
