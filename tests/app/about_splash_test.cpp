#include "app/aboutdlg.h"
#include "app/splash.h"
#include "base/globals.h"
#include "platform/textfile.h"
#include "support/qt_app.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(AboutDialog, ShowsTitleVersionAndTheProgramFoldersNotice) {
    kv::test::EnsureQtApp();
    kv::test::TempFolder program;
    G_strExePath = program.path();
    ASSERT_TRUE(kv::platform::WriteTextFile(G_strExePath + "About.txt", "版权所有：测试\n"));
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle().toStdString(), "版本信息");
    QStringList lines = dialog.findChild<QLabel*>("3213")->text().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1].toStdString(), "版本：4.0");
    EXPECT_EQ(dialog.findChild<QLabel*>("3222")->text().toStdString(), "版权所有：测试");
}

TEST(DibBitmap, PaletteFollowsTheColourCount) {
    kv::test::EnsureQtApp();
    kv::test::TempFolder dir;
    QString indexed = kv::test::QtPath(dir, "eight.bmp"), truecolour = kv::test::QtPath(dir, "rgb.bmp");
    QImage eight(4, 4, QImage::Format_Indexed8);
    QVector<QRgb> table;
    for (int i = 0; i < 256; ++i) table.push_back(qRgb(i, 255 - i, i / 2));
    eight.setColorTable(table);
    eight.fill(7);
    ASSERT_TRUE(eight.save(indexed, "BMP"));
    QImage rgb(4, 4, QImage::Format_RGB888);
    rgb.fill(Qt::red);
    ASSERT_TRUE(rgb.save(truecolour, "BMP"));

    CDibBitmap bitmap;
    ASSERT_EQ(bitmap.Load(indexed), 1);
    EXPECT_FALSE(bitmap.HalftonePalette());
    ASSERT_EQ(bitmap.Palette().size(), 256);
    EXPECT_EQ(bitmap.Palette()[200], qRgb(200, 55, 100));

    ASSERT_EQ(bitmap.Load(truecolour), 1);
    EXPECT_TRUE(bitmap.HalftonePalette());
    EXPECT_TRUE(bitmap.Palette().isEmpty());

    EXPECT_EQ(bitmap.Load(kv::test::QtPath(dir, "missing.bmp")), 0);
    EXPECT_FALSE(bitmap.IsLoaded());
    EXPECT_EQ(bitmap.Load(""), 1);
    EXPECT_FALSE(bitmap.IsLoaded());
}

TEST(DibBitmap, TilesCoverTheWholeRectangle) {
    kv::test::EnsureQtApp();
    kv::test::TempFolder dir;
    // 32 by 32, white with one black pixel at its bottom-right corner.
    QImage tile(32, 32, QImage::Format_RGB32);
    tile.fill(Qt::white);
    tile.setPixel(31, 31, qRgb(0, 0, 0));
    ASSERT_TRUE(tile.save(kv::test::QtPath(dir, "tile.bmp"), "BMP"));
    CDibBitmap bitmap;
    ASSERT_EQ(bitmap.Load(kv::test::QtPath(dir, "tile.bmp")), 1);

    QImage canvas(100, 70, QImage::Format_RGB32);
    canvas.fill(Qt::green);
    {
        QPainter painter(&canvas);
        EXPECT_EQ(bitmap.DrawTiled(painter, canvas.rect()), 1);
    }
    // 4 across, 3 down: the corners of the first three columns and rows are black,
    // the last partial tile leaves no green.
    for (int x : {31, 63, 95})
        for (int y : {31, 63}) EXPECT_EQ(canvas.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_NE(canvas.pixel(x, y), QColor(Qt::green).rgb()) << x << "," << y;

    CDibBitmap empty;
    QPainter painter(&canvas);
    EXPECT_EQ(empty.DrawTiled(painter, canvas.rect()), 0);
}

TEST(SplashDialog, WithoutItsPictureKeepsItsSizeAndStillClosesByItself) {
    kv::test::EnsureQtApp();
    for (const char* name : {"", "no-such-splash.bmp"}) {
        CSplashDlg splash;
        splash.m_strFileName = name;
        splash.m_nDisplayTime = 30;
        QSize before = splash.size();
        bool sawSize = false;
        QTimer::singleShot(10, &splash, [&] { sawSize = splash.isVisible() && splash.size() == before; });
        // A watchdog so that a splash that never closes fails instead of hanging.
        QTimer::singleShot(5000, &splash, [&] { splash.done(99); });
        EXPECT_EQ(splash.exec(), QDialog::Rejected) << name;
        EXPECT_TRUE(sawSize) << name;
    }
}

TEST(SplashDialog, TakesThePicturesSizeAndIgnoresEnter) {
    kv::test::EnsureQtApp();
    kv::test::TempFolder dir;
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(kv::test::QtPath(dir, "splash.bmp"), "BMP"));
    CSplashDlg splash;
    splash.m_strFileName = kv::test::QtPath(dir, "splash.bmp");
    splash.m_nDisplayTime = 60000;
    QSize shown;
    QTimer::singleShot(10, &splash, [&] {
        shown = splash.size();
        splash.accept();  // Enter: nothing happens
        QTimer::singleShot(10, &splash, [&] { splash.close(); });
    });
    QTimer::singleShot(5000, &splash, [&] { splash.done(99); });
    EXPECT_EQ(splash.exec(), QDialog::Rejected);
    EXPECT_EQ(shown, QSize(120, 80));
}

}  // namespace
