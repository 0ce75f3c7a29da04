#include <gtest/gtest.h>

#include "support/env_guard.h"
#include "support/qt_app.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QFileInfo>
#include <QMimeData>
#include <QPdfWriter>
#include <QMouseEvent>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "drawing/pen_sgtex.h"
#include "drawing/ui/dtview.h"
#include "drawing/ui/render.h"

using namespace kv::drawing;
using namespace kv::drawing::ui;

namespace {

QApplication& App() { return kv::test::EnsureQtApp(); }

// A slab sketch: outline, support ticks, a dimension, a wide bar and Chinese texts.
CBase_SGT SampleSketch() {
    CBase_SGT d;
    d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    d.SetCurColor("3");
    const float ox[5] = {-3000, 3000, 3000, -3000, -3000}, oy[5] = {0, 0, 4000, 4000, 0};
    d.Draw_Lines(5, ox, oy);
    d.SetCurColor("1");
    d.Draw_Pline(-3000, 2000, 3000, 2000, 50, 50);
    d.Draw_Arc(0, 2000, 800, 0, 180);
    d.SetCurColor("7");
    d.Draw_Dim_Points(-3000, -1000, 3000, -1000, "6000", 1, 1);
    d.Draw_Text(0, 2200, 400, 0, "跨中弯矩 12.5", "BC");
    d.Draw_TuMing(0, -2500, "顶板计算简图");
    return d;
}

int CountPixels(const QImage& img, bool (*pred)(QRgb)) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += pred(img.pixel(x, y));
    return n;
}
bool IsRed(QRgb c) { return qRed(c) > 180 && qGreen(c) < 80 && qBlue(c) < 80; }
bool IsNotBlack(QRgb c) { return (c & 0xFFFFFF) != 0; }
bool IsDark(QRgb c) { return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100; }

TEST(PrintScale, SmallerOfTheTwoPageRatios) {
    EXPECT_DOUBLE_EQ(PrintScaleFactor(800, 600, 4800, 7000), 6.0);
    EXPECT_DOUBLE_EQ(PrintScaleFactor(0, 600, 100, 7000), 10.0);  // zero width counts as 10
}

TEST(DrawingView, PrintingEnlargesTheMappingAndRestoresIt) {
    App();
    CDtView view;
    view.resize(800, 600);
    view.Coor().SetScale(0.25);
    view.Coor().SetOrigin(-100, 300);
    const CFCoor before = view.Coor();
    view.BeginPrinting(4800, 7000);
    EXPECT_DOUBLE_EQ(view.Coor().GetScale(), 1.5);
    EXPECT_DOUBLE_EQ(view.Coor().OriginX(), -100);
    view.EndPrinting();
    EXPECT_EQ(view.Coor(), before);

    // A real print job (to PDF) leaves the view's zoom as it was.
    kv::test::TempFolder tmp;
    CBase_SGT d = SampleSketch();
    view.SetDrawing(&d);
    {
        QPdfWriter pdf(kv::test::QtPath(tmp, "print.pdf"));
        view.PrintTo(pdf);
    }
    EXPECT_EQ(view.Coor(), before);
    EXPECT_GT(QFileInfo(kv::test::QtPath(tmp, "print.pdf")).size(), 1000);
}

TEST(DrawingView, ZoomCommandsAndPrevious) {
    App();
    CBase_SGT d = SampleSketch();
    CDtView view;
    view.resize(600, 400);
    view.SetDrawing(&d);
    ASSERT_TRUE(view.DoCommand(ID_SHOW_ALL));
    // Show all: the whole extent lies inside the window.
    CFRect r;
    d.GetFRect(r);
    double x0, y0, x1, y1;
    view.Coor().FPtoDP(r.left, r.top, x0, y0);
    view.Coor().FPtoDP(r.right, r.bottom, x1, y1);
    EXPECT_GE(x0, 0);
    EXPECT_GE(y0, 0);
    EXPECT_LE(x1, 600);
    EXPECT_LE(y1, 400);
    const CFCoor all = view.Coor();
    const CFPoint centre = view.Coor().DPtoFP(300, 200);

    view.DoCommand(ID_SHOW_ZOOMIN);
    EXPECT_DOUBLE_EQ(view.Coor().GetScale(), all.GetScale() * 2);
    EXPECT_NEAR(view.Coor().DPtoFP(300, 200).x, centre.x, 1e-3);  // about the window's centre
    view.DoCommand(ID_SHOW_PRE);
    EXPECT_EQ(view.Coor(), all);
    view.DoCommand(ID_SHOW_ZOOMOUT);
    EXPECT_DOUBLE_EQ(view.Coor().GetScale(), all.GetScale() / 2);
    view.DoCommand(ID_SHOW_PRE);
    EXPECT_EQ(view.Coor(), all);
    view.DoCommand(ID_SHOW_AGAIN);
    EXPECT_EQ(view.Coor(), all);
    EXPECT_FALSE(view.DoCommand(32773));
}

TEST(DrawingView, WindowAndMoveTools) {
    App();
    CBase_SGT d = SampleSketch();
    CDtView view;
    view.resize(600, 400);
    view.SetDrawing(&d);
    view.OnShowAll();
    const double s0 = view.Coor().GetScale();
    auto mouse = [&](QEvent::Type t, QPointF p, Qt::MouseButton b) {
        QMouseEvent e(t, p, view.mapToGlobal(p), b, t == QEvent::MouseButtonRelease ? Qt::NoButton : b,
                      Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    };
    view.DoCommand(ID_SHOW_RECT);
    mouse(QEvent::MouseButtonPress, {150, 100}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {300, 200}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {300, 200}, Qt::LeftButton);
    // A quarter of the window framed: the drawing shows larger (a little under ×4 for the margin).
    EXPECT_GT(view.Coor().GetScale(), s0 * 3.4);
    EXPECT_EQ(view.CurrentTool(), CDtView::Tool::None);

    view.DoCommand(ID_SHOW_MOVE);
    const CFPoint before = view.Coor().DPtoFP(0, 0);
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {150, 100}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {150, 100}, Qt::LeftButton);
    const CFPoint after = view.Coor().DPtoFP(50, 0);  // what was at 0 is now at 50
    EXPECT_NEAR(after.x, before.x, 1e-3);
    mouse(QEvent::MouseButtonPress, {10, 10}, Qt::RightButton);
    EXPECT_EQ(view.CurrentTool(), CDtView::Tool::None);
}

TEST(DrawingView, CopyAsPictureFollowsTheExtentRule) {
    App();
    kv::test::TempFolder tmp;
    kv::test::EnvGuard tmpdir("TMPDIR", tmp.path());
    CBase_SGT d;
    d.SetCurColor("1");
    d.Draw_Line(0, 0, 400, 200);  // twice as wide as high
    CDtView view;
    view.resize(300, 300);
    view.SetDrawing(&d);
    const CFCoor coor = view.Coor();
    ASSERT_EQ(view.CopyToClipboard(), 1);
    const QImage img = QApplication::clipboard()->image();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 2000);
    EXPECT_EQ(img.height(), 1000);
    const QImage file(kv::test::QtPath(tmp, "~vj_tmp.png"));
    ASSERT_FALSE(file.isNull());
    EXPECT_NEAR(file.width() * 1000.0 / file.dotsPerMeterX(), 160.0, 0.1);  // mm
    EXPECT_NEAR(file.height() * 1000.0 / file.dotsPerMeterY(), 80.0, 0.1);
    EXPECT_GT(CountPixels(file, IsRed), 500);
    EXPECT_EQ(view.Coor(), coor);

    // No drawing, or no place for the picture: nothing changes on the clipboard.
    QApplication::clipboard()->setText("kept");
    CDtView empty;
    EXPECT_EQ(empty.CopyToClipboard(), 0);
    tmpdir.Set(tmp / "no/such/folder");
    EXPECT_EQ(view.CopyToClipboard(), 0);
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");
}

TEST(DrawingView, CopyAsPictureNeverWritesThroughALinkInTheTemporaryFolder) {
    App();
    kv::test::TempFolder tmp;
    kv::test::EnvGuard tmpdir("TMPDIR", tmp.path());
    const std::string victim = tmp / "victim.txt";
    {
        std::ofstream(victim) << "keep me";
    }
    ASSERT_EQ(::symlink(victim.c_str(), (tmp / "~vj_tmp.png").c_str()), 0);
    CBase_SGT d;
    d.Draw_Line(0, 0, 400, 200);
    CDtView view;
    view.resize(300, 300);
    view.SetDrawing(&d);
    QApplication::clipboard()->setText("kept");
    EXPECT_EQ(view.CopyToClipboard(), 0);
    std::ifstream in(victim);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "keep me");
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");
}

TEST(DrawingView, GarbageFileShowsAnEmptyView) {
    App();
    kv::test::TempFolder tmp;
    const QString path = kv::test::QtPath(tmp, "bad.dxf");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n0\n 20\n0\n 11\n100\n 21\n100\n");  // cut short
    }
    CBase_SGT d = SampleSketch();
    EXPECT_EQ(d.Read_FileDxf_To_Mem(path.toUtf8().constData()), 0);
    CDtView view;
    view.resize(200, 150);
    view.SetDrawing(&d);
    view.OnShowAll();
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(CountPixels(shot, IsNotBlack), 0);
}

TEST(DrawingPreview, TakesThePlaceOfTheDialogsPlaceholder) {
    App();
    QWidget dialog;
    dialog.resize(400, 300);
    QWidget* place = new QWidget(&dialog);
    place->setObjectName("1234");
    place->setGeometry(20, 30, 200, 100);
    auto* wnd = new CDxfWnd(&dialog);
    wnd->Dxf().Draw_Line(0, 0, 1000, 500);
    EXPECT_EQ(CreateDxfWnd(&dialog, wnd, 9999, 5), 0);
    ASSERT_EQ(CreateDxfWnd(&dialog, wnd, 1234, 5), 1);
    EXPECT_EQ(wnd->geometry(), QRect(25, 35, 190, 90));
    EXPECT_TRUE(place->isHidden());
    // All: the line fills the window.
    double x0, y0, x1, y1;
    wnd->Coor().FPtoDP(0, 0, x0, y0);
    wnd->Coor().FPtoDP(1000, 500, x1, y1);
    EXPECT_GT(x1 - x0, 0.8 * 190);
    EXPECT_LE(x1 - x0, 190);
}

TEST(DrawingPicture, DxfFileToPngOfAGivenSize) {
    App();
    kv::test::TempFolder tmp;
    const QString dxf = kv::test::QtPath(tmp, "sketch.dxf"), png = kv::test::QtPath(tmp, "sketch.png");
    ASSERT_EQ(SampleSketch().Write_MemDxf_To_File(dxf.toUtf8().constData()), 1);
    ASSERT_TRUE(RenderDxfFileToPng(dxf, png, 640, 480));
    const QImage img(png);
    ASSERT_EQ(img.size(), QSize(640, 480));
    EXPECT_GT(CountPixels(img, IsRed), 200);   // the bar and the arc
    EXPECT_GT(CountPixels(img, IsDark), 300);  // colour 7 prints black on paper: texts, dimension
    // An unreadable file still gives a picture of the size asked, blank.
    ASSERT_TRUE(RenderDxfFileToPng(kv::test::QtPath(tmp, "missing.dxf"), png, 100, 50));
    const QImage blank(png);
    EXPECT_EQ(blank.size(), QSize(100, 50));
    EXPECT_EQ(CountPixels(blank, IsDark), 0);
    EXPECT_FALSE(RenderDxfFileToPng(dxf, png, 0, 50));
}

TEST(DrawingView, TextHeightFactorScalesTexts) {
    App();
    CBase_SGT d;
    d.Draw_Line(0, 0, 10000, 0);
    d.Draw_Line(0, 5000, 10000, 5000);
    d.Draw_Text(5000, 2500, 400, 0, "配筋", "MC");
    CDtView view;
    view.resize(400, 200);
    view.SetDrawing(&d);
    view.OnShowAll();
    const float keep = G_RatioText;
    G_RatioText = 1.0f;
    const int small = CountPixels(view.grab().toImage(), IsNotBlack);
    G_RatioText = 3.0f;
    const int large = CountPixels(view.grab().toImage(), IsNotBlack);
    G_RatioText = keep;
    EXPECT_GT(large, small + 200);

    // Where a screenshot is asked for, the sample sketch is saved for a look.
    if (const char* out = std::getenv("KV_DRAWING_SCREENSHOT")) {
        CBase_SGT sketch = SampleSketch();
        CDtView shot;
        shot.resize(900, 650);
        shot.SetDrawing(&sketch);
        shot.show();
        shot.OnShowAll();
        QApplication::processEvents();
        shot.grab().save(QString::fromLocal8Bit(out));
    }
}
}  // namespace
