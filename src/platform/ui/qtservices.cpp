#include "platform/ui/qtservices.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace kv::platform {
namespace {

class QtMessageService : public MessageService {
public:
    int Show(const std::string& text, const std::string& caption, unsigned type) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(QString::fromStdString(caption));
        // The program's messages carry no markup: "a<b" and line breaks show as written.
        box.setTextFormat(Qt::PlainText);
        box.setText(QString::fromStdString(text));
        switch (type & MB_ICON_MASK) {
            case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
            case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
            case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
            case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
            default: break;
        }
        struct Choice {
            int answer;
            QString text;
            QMessageBox::ButtonRole role;
        };
        std::vector<Choice> choices;
        switch (type & MB_BUTTON_MASK) {
            case MB_OKCANCEL:
                choices = {{IDOK, "确定", QMessageBox::AcceptRole}, {IDCANCEL, "取消", QMessageBox::RejectRole}};
                break;
            case MB_YESNO:
                choices = {{IDYES, "是(&Y)", QMessageBox::YesRole}, {IDNO, "否(&N)", QMessageBox::NoRole}};
                break;
            case MB_YESNOCANCEL:
                choices = {{IDYES, "是(&Y)", QMessageBox::YesRole},
                           {IDNO, "否(&N)", QMessageBox::NoRole},
                           {IDCANCEL, "取消", QMessageBox::RejectRole}};
                break;
            default:
                choices = {{IDOK, "确定", QMessageBox::AcceptRole}};
                break;
        }
        std::vector<QPushButton*> buttons;
        for (const Choice& c : choices) buttons.push_back(box.addButton(c.text, c.role));
        std::size_t defaultIndex = (type & MB_DEFBUTTON2) && buttons.size() > 1 ? 1 : 0;
        box.setDefaultButton(buttons[defaultIndex]);
        // Closing the box answers what Esc answers: Cancel where there is one, else
        // No, else OK.
        box.setEscapeButton(buttons.back());
        box.exec();
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (box.clickedButton() == buttons[i]) return choices[i].answer;
        return choices.back().answer;
    }
};

class QtFileDialogService : public FileDialogService {
public:
    std::optional<std::string> GetOpenFileName(const FileDialogRequest& request) override {
        QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(),
                                                    QString::fromStdString(request.title),
                                                    QString::fromStdString(request.initialPath),
                                                    QtFilterFromWindowsFilter(request.filter));
        if (path.isEmpty()) return std::nullopt;
        return path.toStdString();
    }

    std::optional<std::string> GetSaveFileName(const FileDialogRequest& request) override {
        QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                           QString::fromStdString(request.initialPath),
                           QtFilterFromWindowsFilter(request.filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        if (!request.defaultExt.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().first().toStdString();
    }
};

}  // namespace

QString QtFilterFromWindowsFilter(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (description.isEmpty() && patterns.isEmpty()) break;
        patterns.replace(';', ' ');
        // Qt filters by the patterns in the description's last parentheses.
        if (!description.endsWith("(" + patterns + ")")) description += " (" + patterns + ")";
        result << description;
    }
    return result.join(";;");
}

std::unique_ptr<MessageService> MakeQtMessageService() { return std::make_unique<QtMessageService>(); }

std::unique_ptr<FileDialogService> MakeQtFileDialogService() { return std::make_unique<QtFileDialogService>(); }

void InstallQtServices() {
    InstallMessageService(MakeQtMessageService());
    InstallFileDialogService(MakeQtFileDialogService());
}

}  // namespace kv::platform
