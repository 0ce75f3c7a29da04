#include "platform/ui/qtservices.h"
#include "platform/ui/progresswindow.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace {

TEST(QtFileDialogFilter, WindowsFiltersBecomeQtFilters) {
    struct Case {
        const char* windows;
        const char* qt;
    };
    const Case cases[] = {
        {"说明 (*.LB)|*.LB|所有文件 (*.*)|*.*||", "说明 (*.LB);;所有文件 (*.*)"},
        // A description without its pattern would filter nothing: the pattern is added.
        {"RTF文件|*.rtf||", "RTF文件 (*.rtf)"},
        {"墙 (*.WQ)|*.WQ;*.LKQ||", "墙 (*.WQ) (*.WQ *.LKQ)"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(kv::platform::QtFilterFromWindowsFilter(c.windows).toStdString(), c.qt) << c.windows;
}

// Shows a box and acts on it once it is up; returns the answer.
int Answer(unsigned type, std::function<void(QMessageBox&)> act, const char* text = "是否真要删除 01  顶板?") {
    kv::test::EnsureQtApp();
    auto service = kv::platform::MakeQtMessageService();
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            return;
        }
        act(*box);
    });
    return service->Show(text, "KV", type);
}

void Press(QMessageBox& box, const char* text) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == QString::fromUtf8(text)) return b->click();
    ADD_FAILURE() << "no button " << text;
}

TEST(QtMessageService, ButtonsAnswerTheProgramsIds) {
    EXPECT_EQ(Answer(kv::MB_YESNO, [](QMessageBox& b) { Press(b, "否(&N)"); }), kv::IDNO);
    EXPECT_EQ(Answer(kv::MB_YESNOCANCEL, [](QMessageBox& b) { Press(b, "是(&Y)"); }), kv::IDYES);
    EXPECT_EQ(Answer(kv::MB_OKCANCEL, [](QMessageBox& b) { Press(b, "取消"); }), kv::IDCANCEL);
    EXPECT_EQ(Answer(kv::MB_OK, [](QMessageBox& b) {
                  EXPECT_EQ(b.buttons().size(), 1);
                  Press(b, "确定");
              }),
              kv::IDOK);
}

// Esc gives Cancel where there is one, else No, else OK; Enter the default button.
TEST(QtMessageService, EscapeGivesTheSafeAnswerAndEnterTheDefault) {
    auto key = [](Qt::Key k) { return [k](QMessageBox& b) { QTest::keyClick(&b, k); }; };
    EXPECT_EQ(Answer(kv::MB_YESNOCANCEL, key(Qt::Key_Escape)), kv::IDCANCEL);
    EXPECT_EQ(Answer(kv::MB_YESNO, key(Qt::Key_Escape)), kv::IDNO);
    EXPECT_EQ(Answer(kv::MB_OK, key(Qt::Key_Escape)), kv::IDOK);
    EXPECT_EQ(Answer(kv::MB_YESNO, key(Qt::Key_Return)), kv::IDYES);
    EXPECT_EQ(Answer(kv::MB_YESNO | kv::MB_DEFBUTTON2, key(Qt::Key_Return)), kv::IDNO);
}

// Messages are plain text: a comparison in them is no markup and their lines stay lines.
TEST(QtMessageService, ShowsTheTextAsWritten) {
    const char* text = "当 a<b 且 b>c 时\n第二行 &lt;";
    Answer(
        kv::MB_OK,
        [&](QMessageBox& b) {
            auto* label = b.findChild<QLabel*>("qt_msgbox_label");
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text().toStdString(), text);
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
            b.accept();
        },
        text);
}

bool HasChinese(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) return true;
    return false;
}

// Qt's own texts in Chinese while it lives; the other tests see Qt as it was.
class QtChinese {
public:
    QtChinese() { loaded = kv::platform::InstallQtTranslation(); }
    ~QtChinese() {
        QLocale::setDefault(before);
        if (auto* t = QCoreApplication::instance()->findChild<QTranslator*>("qtbase_zh_CN")) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
    bool loaded = false;
    QLocale before;
};

TEST(QtTranslation, FileDialogsStandardButtonsAndWindowMenusAreChinese) {
    kv::test::EnsureQtApp();
    QtChinese chinese;
    ASSERT_TRUE(chinese.loaded) << "qtbase_zh_CN not found: scripts/setup installs qt6-translations-l10n";
    kv::test::TempFolder dir;
    dir.Write("&KV_0001.DXF", "0\nEOF\n");
    dir.Write("人防/keep", "");
    dir.Write("计算书.pptx", "x");  // a type name longer than Qt's first column widths allow

    for (auto mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
        auto dialog = kv::platform::MakeFileDialog(nullptr, {"读入文件", "所有文件(*.*)|*.*|AutoCAD交换文件(*.DXF)|*.DXF||", "", dir.path()},
                                                   mode);
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
            auto* label = dialog->findChild<QLabel*>(name);
            ASSERT_NE(label, nullptr) << name;
            EXPECT_TRUE(HasChinese(label->text())) << name << ": " << label->text().toStdString();
        }
        auto* box = dialog->findChild<QDialogButtonBox*>("buttonBox");
        ASSERT_NE(box, nullptr);
        ASSERT_EQ(box->buttons().size(), 2);
        for (QAbstractButton* b : box->buttons()) EXPECT_TRUE(HasChinese(b->text())) << b->text().toStdString();
        EXPECT_EQ(box->button(QDialogButtonBox::Cancel)->text(), QString("取消"));

        // The detail view: Chinese column titles, each column as wide as what it shows.
        auto* view = dialog->findChild<QTreeView*>("treeView");
        ASSERT_NE(view, nullptr);
        dialog->show();
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return model->rowCount(model->index(QString::fromStdString(dir.path()))) >= 3; }, 5000));
        QTest::qWait(50);
        QModelIndex folder = model->index(QString::fromStdString(dir / "人防"));
        EXPECT_EQ(model->data(folder.siblingAtColumn(2)).toString(), QString("文件夹"));
        // Sizes and dates as the view shows them: in Chinese too, whatever the desktop's language.
        QAbstractItemModel* shown = view->model();
        bool seen = false;
        for (int row = 0; row < shown->rowCount(view->rootIndex()); ++row) {
            QModelIndex name = shown->index(row, 0, view->rootIndex());
            if (name.data().toString() != QString("计算书.pptx")) continue;
            seen = true;
            for (int column : {1, 3}) {
                const QString text = name.siblingAtColumn(column).data().toString();
                EXPECT_FALSE(text.isEmpty()) << column;
                EXPECT_FALSE(text.contains(QRegularExpression("[A-Za-z]"))) << column << ": " << text.toStdString();
            }
        }
        EXPECT_TRUE(seen);
        QHeaderView* header = view->header();
        ASSERT_EQ(header->count(), 4);
        for (int c = 0; c < header->count(); ++c) {
            QString title = model->headerData(c, Qt::Horizontal).toString();
            EXPECT_TRUE(HasChinese(title)) << title.toStdString();
            EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c)) << title.toStdString();
            if (c > 0) {
                EXPECT_GE(header->sectionSize(c), static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(c))
                    << title.toStdString();
            }
        }
        dialog->hide();
    }

    QDialogButtonBox standard(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(standard.button(QDialogButtonBox::Ok)->text().remove('&'), QString("确定"));

    // The project windows' title-bar menu: Restore, Move, Size, ... Close.
    QMdiSubWindow window;
    ASSERT_NE(window.systemMenu(), nullptr);
    ASSERT_FALSE(window.systemMenu()->actions().isEmpty());
    for (QAction* a : window.systemMenu()->actions()) {
        if (!a->isSeparator()) {
            EXPECT_TRUE(HasChinese(a->text())) << a->text().toStdString();
        }
    }
}

// What the window showed while an outside program ran.
struct DuringRun {
    int ticks = 0;
    bool progressShown = false;
    QString text, detail;
    int clicks = 0;
};

// Clicks `button` as the window system would, so a modal window can stop it.
void ClickAsUser(QPushButton& button) {
    QWidget* top = button.window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, button.mapTo(top, button.rect().center()));
}

// A timer that looks at the program every 50 ms and tries to press a button of
// the main window.
void Watch(QTimer& timer, DuringRun& seen, QPushButton& button) {
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++seen.ticks;
        auto* window = qobject_cast<kv::platform::ProgressWindow*>(QApplication::activeModalWidget());
        if (window && window->isVisible() && window->windowModality() == Qt::ApplicationModal) {
            seen.progressShown = true;
            seen.text = window->findChild<QLabel*>("text")->text();
            seen.detail = window->findChild<QLabel*>("detail")->text();
        }
        ClickAsUser(button);
    });
    timer.start(50);
}

TEST(QtProcessService, AProgramRunsWhileTheEventLoopServesAndOtherWindowsWait) {
    kv::test::EnsureQtApp();
    kv::test::TempFolder dir;
    dir.Write("Dorvik", "#!/bin/sh\nsleep 2\npwd > ran-in.txt\necho \"$1\" >> ran-in.txt\nexit 4\n");
    ASSERT_EQ(::chmod((dir / "Dorvik").c_str(), 0755), 0);
    dir.Write("work/keep", "");
    QWidget main;
    auto* button = new QPushButton("计算", &main);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    DuringRun seen;
    QObject::connect(button, &QPushButton::clicked, [&seen] { ++seen.clicks; });
    ClickAsUser(*button);  // outside a run the click arrives
    ASSERT_EQ(seen.clicks, 1);
    QTimer timer;
    Watch(timer, seen, *button);
    auto service = kv::platform::MakeQtProcessService();
    kv::platform::ProcessResult r = service->RunAndWait(dir / "Dorvik", {"甲 乙"}, dir / "work");
    timer.stop();
    EXPECT_TRUE(r.started) << r.error;
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(dir.Read("work/ran-in.txt"), dir / "work\n甲 乙\n");
    EXPECT_GT(seen.ticks, 0);
    EXPECT_TRUE(seen.progressShown);
    EXPECT_EQ(seen.text.toStdString(), "正在运行…");
    EXPECT_EQ(seen.detail.toStdString(), "Dorvik");
    EXPECT_EQ(seen.clicks, 1) << "a click reached the main window during the run";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(QtProcessService, AMissingOrKilledProgramIsReportedAndChangesNothing) {
    kv::test::EnsureQtApp();
    kv::test::TempFolder dir;
    dir.Write("Killed", "#!/bin/sh\nkill -9 $$\n");
    ASSERT_EQ(::chmod((dir / "Killed").c_str(), 0755), 0);
    auto service = kv::platform::MakeQtProcessService();

    kv::platform::ProcessResult missing = service->RunAndWait(dir / "Missing", {}, "");
    EXPECT_FALSE(missing.started);
    EXPECT_EQ(missing.error, "程序文件不存在");

    kv::platform::ProcessResult killed = service->RunAndWait(dir / "Killed", {}, dir.path());
    EXPECT_TRUE(killed.started);
    EXPECT_EQ(killed.error, "程序被终止");
    EXPECT_EQ(dir.List(), "Killed");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
