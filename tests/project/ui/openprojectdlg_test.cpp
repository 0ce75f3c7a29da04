#include "project/ui/openprojectdlg.h"

#include "platform/paths.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <cerrno>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

QLineEdit* Edit(QWidget& dlg, int id) { return dlg.findChild<QLineEdit*>(QString::number(id)); }

class OpenProjectDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kv::test::EnsureQtApp(); }
};

TEST_F(OpenProjectDialog, ShowsTheProjectInformationOfTheFolderAsItChanges) {
    kv::test::TempFolder dir;
    dir.Write("old/GCXX.BOX", "\xC4\xB3\xB9\xA4\xB3\xCC\r\nA-17\r\n2020\xC4\xEA\r\n");
    CDlgOpenProject dlg(nullptr, dir / "old", " [单建式]");
    EXPECT_EQ(dlg.windowTitle(), QString("指定工作路径 [单建式]"));
    EXPECT_EQ(Edit(dlg, 12794)->text(), QString("某工程"));
    EXPECT_EQ(Edit(dlg, 12795)->text(), QString("A-17"));
    EXPECT_EQ(Edit(dlg, 12796)->text(), QString("2020年"));

    // Moving to a folder without the file shows a new project's defaults.
    Edit(dlg, 1088)->setText(QString::fromStdString(dir / "new"));
    EXPECT_EQ(Edit(dlg, 12794)->text(), QString("****工程人防计算"));
    EXPECT_EQ(Edit(dlg, 12795)->text(), QString("980001"));
}

TEST_F(OpenProjectDialog, OkCreatesTheFolderEntersItAndWritesTheInformation) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    CDlgOpenProject dlg(nullptr, dir.path(), "");
    Edit(dlg, 1088)->setText(QString::fromStdString("  " + (dir / "人防/工程1") + " "));
    Edit(dlg, 12794)->setText("地下车库人防");
    Edit(dlg, 12795)->setText("2026-03");
    Edit(dlg, 12796)->setText("2026年12月10日");
    dlg.findChild<QPushButton*>("1")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.ChosenFolder(), dir / "人防/工程1/");
    EXPECT_EQ(kv::platform::CurrentFolder(), dir / "人防/工程1/");
    EXPECT_EQ(dir.Read("人防/工程1/GCXX.BOX"),
              "\xB5\xD8\xCF\xC2\xB3\xB5\xBF\xE2\xC8\xCB\xB7\xC0\n2026-03\n2026\xC4\xEA" "12\xD4\xC2" "10\xC8\xD5\n");
    EXPECT_EQ(dlg.Record().m_strName, "地下车库人防");
}

TEST_F(OpenProjectDialog, AFolderTypedWithoutItsPathIsTakenFromTheCurrentFolder) {
    for (const char* typed : {"old", "new"}) {
        kv::test::TempFolder dir;
        dir.Write("old/x", "");
        dir.MakeCurrent();
        CDlgOpenProject dlg(nullptr, dir.path(), "");
        Edit(dlg, 1088)->setText(typed);
        dlg.findChild<QPushButton*>("1")->click();
        EXPECT_EQ(dlg.ChosenFolder(), dir / typed + "/") << typed;
        EXPECT_EQ(kv::platform::CurrentFolder(), dir / typed + "/") << typed;
        EXPECT_NE(dir.Read(std::string(typed) + "/GCXX.BOX"), "") << typed;
    }
}

TEST_F(OpenProjectDialog, AFolderDeeperThanTheTextFieldsIsOpenedWhole) {
    kv::test::TempFolder dir;
    std::string deep;
    for (int k = 0; k < 6; ++k) deep += std::string(50, static_cast<char>('a' + k)) + "/";
    dir.Write(deep + "GCXX.BOX", "deep\n1\n2\n");
    CDlgOpenProject dlg(nullptr, dir / deep, "");
    EXPECT_EQ(Edit(dlg, 12794)->text(), QString("deep"));
    dlg.findChild<QPushButton*>("1")->click();
    EXPECT_EQ(dlg.ChosenFolder(), dir / deep);
}

TEST_F(OpenProjectDialog, CancelWritesNothing) {
    kv::test::TempFolder dir;
    CDlgOpenProject dlg(nullptr, dir.path(), "");
    Edit(dlg, 1088)->setText(QString::fromStdString(dir / "x"));
    dlg.findChild<QPushButton*>("2")->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dir.List(), "");
}

TEST_F(OpenProjectDialog, AFolderThatCannotBeMadeGetsNoInformation) {
    kv::test::TempFolder dir;
    dir.Write("file", "x");
    CDlgOpenProject dlg(nullptr, dir.path(), "");
    Edit(dlg, 1088)->setText(QString::fromStdString(dir / "file/sub"));  // below a file
    dlg.findChild<QPushButton*>("1")->click();
    EXPECT_EQ(dlg.ChosenFolder(), "");
    EXPECT_EQ(dir.List(), "file");
}

TEST_F(OpenProjectDialog, InformationThatCannotBeSavedIsReportedAndTheOldFileKept) {
    kv::test::TempFolder dir;
    const std::string old = "\xC4\xB3\xB9\xA4\xB3\xCC\r\nA-17\r\n2020\xC4\xEA\r\n";
    dir.Write("p/GCXX.BOX", old);
    auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
    auto* messages = scripted.get();
    auto previous = kv::platform::InstallMessageService(std::move(scripted));
    CDlgOpenProject dlg(nullptr, dir / "p", "");
    Edit(dlg, 12794)->setText("改名");
    {
        kv::platform::WriteFailureForTesting full(4, ENOSPC);
        dlg.findChild<QPushButton*>("1")->click();
    }
    EXPECT_EQ(dlg.ChosenFolder(), dir / "p/");
    EXPECT_EQ(dir.Read("p/GCXX.BOX"), old);
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_EQ(messages->shown()[0].text, "不能保存文件 : " + (dir / "p/GCXX.BOX"));
    kv::platform::InstallMessageService(std::move(previous));
}

TEST_F(OpenProjectDialog, OpensAtTheWorkFolderExpandedAndAClickSelectsWhatWasClicked) {
    kv::test::TempFolder dir;
    dir.Write("proj/work/GCXX.BOX", "work\n1\n2\n");
    dir.Write("proj/other/GCXX.BOX", "other\n3\n4\n");
    dir.Write("proj/other/deeper/x", "");
    const QString work = QString::fromStdString(dir / "proj/work");
    const QString other = QString::fromStdString(dir / "proj/other");
    CDlgOpenProject dlg(nullptr, dir / "proj/work", "");
    dlg.show();
    auto* tree = dlg.findChild<QTreeView*>("1121");
    ASSERT_NE(tree, nullptr);
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_NE(model, nullptr);

    // The work folder is selected, and every folder above it is open down to it.
    auto shown = [&](const QString& path) {
        QModelIndex at = model->index(path);
        if (!at.isValid() || model->filePath(tree->currentIndex()) != path) return false;
        for (QModelIndex up = at.parent(); up.isValid(); up = up.parent())
            if (!tree->isExpanded(up)) return false;
        return tree->viewport()->rect().intersects(tree->visualRect(at));
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown(work); }, 5000)) << model->filePath(tree->currentIndex()).toStdString();

    // A click selects the folder clicked, also while further folders load.
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    QModelIndex target = model->index(other);
    ASSERT_TRUE(target.isValid());
    tree->scrollTo(target);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(target).center());
    tree->expand(target);
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.count() > 0; }, 5000));
    QTest::qWait(100);
    EXPECT_EQ(model->filePath(tree->currentIndex()).toStdString(), other.toStdString());
    EXPECT_EQ(Edit(dlg, 1088)->text().toStdString(), other.toStdString());
    EXPECT_EQ(Edit(dlg, 12794)->text().toStdString(), "other");
}

}  // namespace

// Where the tree opens for awkward work folders: the folder itself when it exists
// (however deep, "/" too, a Chinese name too), else the nearest folder above it
// that exists; the path edit keeps the work folder as it was, so OK makes it again.
TEST_F(OpenProjectDialog, OpensAtTheNearestFolderThatExists) {
    kv::test::TempFolder dir;
    std::string deep = "d";
    for (int i = 1; i < 40; ++i) deep += "/d" + std::to_string(i);
    dir.Write(deep + "/x", "");
    dir.Write("人防工程/顶板/GCXX.BOX", "\xB6\xA5\xB0\xE5\n1\n2\n");
    dir.Write("kept/x", "");
    const std::string base = dir.path().substr(0, dir.path().size() - 1);
    struct Case {
        std::string start, selected;
    };
    const Case cases[] = {
        {dir / deep, dir / deep},
        {dir / "人防工程/顶板/", dir / "人防工程/顶板"},
        {"/", "/"},
        {dir / "kept/gone/gone too/", dir / "kept"},
        {dir / "gone", base},
    };
    for (const Case& c : cases) {
        CDlgOpenProject dlg(nullptr, c.start, "");
        dlg.show();
        auto* tree = dlg.findChild<QTreeView*>("1121");
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        const QString want = QString::fromStdString(c.selected);
        auto shown = [&] {
            QModelIndex at = model->index(want);
            if (!at.isValid() || model->filePath(tree->currentIndex()) != want) return false;
            for (QModelIndex up = at.parent(); up.isValid(); up = up.parent())
                if (!tree->isExpanded(up)) return false;
            // Its name shows, not only some part of its row.
            const QRect r = tree->visualRect(at);
            return tree->viewport()->rect().contains(QPoint(r.left() + 4, r.center().y()));
        };
        EXPECT_TRUE(QTest::qWaitFor(shown, 5000))
            << c.start << ": selected " << model->filePath(tree->currentIndex()).toStdString();
        EXPECT_EQ(Edit(dlg, 1088)->text().toStdString(), c.start);
    }
}
