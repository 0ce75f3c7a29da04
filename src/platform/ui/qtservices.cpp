#include "platform/ui/qtservices.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTranslator>
#include <QTreeView>

#include <algorithm>

namespace kv::platform {
namespace {

class QtMessageService : public MessageService {
public:
    void Beep() override { QApplication::beep(); }
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
        return Run(request, QFileDialog::AcceptOpen);
    }
    std::optional<std::string> GetSaveFileName(const FileDialogRequest& request) override {
        return Run(request, QFileDialog::AcceptSave);
    }

private:
    static std::optional<std::string> Run(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
        std::unique_ptr<QFileDialog> dialog = MakeFileDialog(QApplication::activeWindow(), request, mode);
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
        return dialog->selectedFiles().first().toStdString();
    }
};

// Qt's translation leaves the file dialog's type names of folders English; files
// take their type from the shared MIME data, in the program's language.
class ChineseTypeNames : public QObject, public QFileIconProvider {
public:
    explicit ChineseTypeNames(QObject* owner) : QObject(owner) {}
    QString type(const QFileInfo& info) const override {
        if (info.isRoot()) return QStringLiteral("驱动器");
        if (info.isDir()) return QStringLiteral("文件夹");
        return QFileIconProvider::type(info);
    }
};

// Qt's file model writes sizes and dates in the desktop's language, so that an
// English desktop shows "1 bytes" and "11 Dec 2026"; the dialog speaks the program's.
class ChineseSizesAndDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == 1) return files->isDir(source) ? QString() : QLocale().formattedDataSize(files->size(source));
        return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
    }
};

// Widens the detail view's columns to what they show: Qt sizes them for short
// English texts, which cuts Chinese titles, types and dates short.
void FitColumns(QTreeView* view) {
    QHeaderView* header = view->header();
    for (int c = 0; c < header->count(); ++c) {
        int wanted = std::max(header->sectionSizeHint(c), static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(c));
        // A long file name may overflow its column rather than push the others away.
        if (c == 0) wanted = std::min(wanted, view->viewport()->width() / 2);
        if (header->sectionSize(c) < wanted) header->resizeSection(c, wanted);
    }
}

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

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogRequest& request,
                                            QFileDialog::AcceptMode mode) {
    auto dialog = std::make_unique<QFileDialog>(parent, QString::fromStdString(request.title),
                                                QString::fromStdString(request.initialPath),
                                                QtFilterFromWindowsFilter(request.filter));
    // A desktop's own dialog would speak the desktop's language, not the program's.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (mode == QFileDialog::AcceptSave && !request.defaultExt.empty())
        dialog->setDefaultSuffix(QString::fromStdString(request.defaultExt));
    dialog->setIconProvider(new ChineseTypeNames(dialog.get()));
    dialog->setProxyModel(new ChineseSizesAndDates(dialog.get()));
    dialog->setViewMode(QFileDialog::Detail);
    dialog->resize(820, 500);
    if (auto* view = dialog->findChild<QTreeView*>("treeView")) {
        FitColumns(view);
        if (auto* model = dialog->findChild<QFileSystemModel*>())
            QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [view] { FitColumns(view); });
    }
    return dialog;
}

bool InstallQtTranslation() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    if (app->findChild<QTranslator*>("qtbase_zh_CN")) return true;
    auto translator = std::make_unique<QTranslator>(app);
    translator->setObjectName("qtbase_zh_CN");
    if (!translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
    QCoreApplication::installTranslator(translator.release());
    // Dates, sizes and file types in the dialogs follow the texts. Numbers in data
    // files do not: they never go through QLocale's default.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    return true;
}

void InstallQtServices() {
    InstallMessageService(MakeQtMessageService());
    InstallFileDialogService(MakeQtFileDialogService());
    InstallProcessService(MakeQtProcessService());
}

}  // namespace kv::platform
