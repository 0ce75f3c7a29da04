#include "loads/ui/answerbox.h"

#include "loads/loadtable.h"
#include "platform/services.h"
#include "widgets/ui/loadtext.h"

#include <QPlainTextEdit>

#include <filesystem>

bool ShowAnswer(QPlainTextEdit* result, const std::string& text) {
    return ShowMessageBox(result, WriteMessageBox(text));
}

bool ShowMessageBox(QPlainTextEdit* result, bool written) {
    if (written) {
        LoadTextToEdit(result, kMessageBoxFile);
        return true;
    }
    result->clear();
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::current_path(ec);
    kv::MessageBox("不能写入文件 : " + (folder / kMessageBoxFile).string() + "\n查表结果不能显示。",
                   kv::MB_OK | kv::MB_ICONWARNING);
    return false;
}
