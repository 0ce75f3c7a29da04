#include <QAbstractItemView>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>

#include "codes/ui/bianjiebutton.h"
#include "codes/ui/bmpcombobox.h"
#include "support/qt_app.h"

namespace {

const QColor kGrey(192, 192, 192), kYellow(255, 255, 0), kCyan(0, 255, 255), kGreen(0, 128, 0),
    kRed(255, 0, 0), kPlate(192, 192, 255), kBlue(0, 0, 255);

class Pictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kv::test::EnsureQtApp(); }
};

QImage Render(QWidget& w, int width, int height) {
    w.resize(width, height);
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::black);
    w.render(&img);
    return img;
}

int Count(const QImage& img, const QRect& area, const QColor& colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += img.pixelColor(x, y) == colour;
    return n;
}

TEST_F(Pictures, EdgeButtonDrawsPlateStripsAndSideLine) {
    CBianJieButton button;
    button.SetBianJie(2, 1, 0, 1, 0, 0, 0, 0);
    const QImage img = Render(button, 160, 120);
    EXPECT_EQ(img.pixelColor(80, 60), kPlate);
    EXPECT_EQ(img.pixelColor(12, 60), kBlue);    // plate outline
    EXPECT_EQ(img.pixelColor(147, 60), kPlate);  // the plate reaches x 148, under the right strip
    EXPECT_EQ(img.pixelColor(148, 60), kCyan);
    EXPECT_EQ(img.pixelColor(3, 3), kGrey);      // no corner flag
    // Free top edge: a cyan line on the plate side, no hatch in the strip.
    EXPECT_GT(Count(img, QRect(20, 11, 120, 3), kCyan), 120);
    EXPECT_EQ(Count(img, QRect(12, 0, 136, 11), kYellow), 0);
    // Supported edges: hatched strips with a cyan outline.
    EXPECT_GT(Count(img, QRect(12, 108, 136, 12), kYellow), 100);
    EXPECT_GT(Count(img, QRect(148, 12, 12, 96), kYellow), 50);
    EXPECT_GT(Count(img, QRect(0, 12, 12, 96), kYellow), 50);
    EXPECT_EQ(img.pixelColor(80, 119), kCyan);
    EXPECT_EQ(img.pixelColor(159, 60), kCyan);
}

// Code 2 hatches both ways: about twice the hatch of code 1 in the same strip.
TEST_F(Pictures, CrossHatchHoldsTwiceTheLines) {
    CBianJieButton button;
    button.SetBianJie(2, 1, 1, 1, 0, 0, 0, 0);
    const QImage img = Render(button, 120, 120);
    const int cross = Count(img, QRect(13, 109, 94, 10), kYellow);
    const int single = Count(img, QRect(13, 1, 94, 10), kYellow);
    EXPECT_GT(single, 40);
    EXPECT_GT(cross, single * 3 / 2);
}

TEST_F(Pictures, FlaggedCornersAndUnknownEdgeCodes) {
    CBianJieButton button;
    button.SetBianJie(5, 5, 5, 5, 1, 0, 1, 0);
    const QImage img = Render(button, 160, 120);
    EXPECT_EQ(img.pixelColor(3, 116), kGreen);   // bottom-left
    EXPECT_EQ(img.pixelColor(0, 96), kRed);      // its outline
    EXPECT_EQ(img.pixelColor(156, 3), kGreen);   // top-right
    EXPECT_EQ(img.pixelColor(156, 116), kGrey);  // bottom-right not flagged
    EXPECT_EQ(img.pixelColor(3, 3), kGrey);
    // Code 5 draws nothing for its edge: no line, no strip.
    EXPECT_EQ(Count(img, QRect(0, 0, 160, 120), kCyan), 0);
    EXPECT_EQ(Count(img, QRect(0, 0, 160, 120), kYellow), 0);
}

TEST_F(Pictures, ComboItemsCarryTheirPictureIds) {
    CBmpComboBox box;
    EXPECT_EQ(box.AddBmp(IDB_JIANZHI), 0);
    EXPECT_EQ(box.AddBmp(IDB_GUDING), 1);
    EXPECT_EQ(box.AddBmp(IDB_TANXING), 2);
    EXPECT_EQ(box.BmpId(1), IDB_GUDING);
    const QImage a = LoadBmpResource(IDB_JIANZHI).toImage();
    const QImage b = LoadBmpResource(IDB_GUDING).toImage();
    const QImage c = LoadBmpResource(IDB_TANXING).toImage();
    ASSERT_FALSE(a.isNull());
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);
    EXPECT_TRUE(LoadBmpResource(999).isNull());
    EXPECT_EQ(CBmpComboBox::CompareItem(113, 156), -1);
    EXPECT_EQ(CBmpComboBox::CompareItem(156, 156), 0);
    EXPECT_EQ(CBmpComboBox::CompareItem(218, 156), 1);
    // Each list item is as high as its picture.
    const QModelIndex index = box.model()->index(0, 0);
    EXPECT_EQ(box.itemDelegate()->sizeHint(QStyleOptionViewItem(), index).height(), a.height());
}

// A selected item gets a blue frame round its picture; an item without a
// picture id stays untouched.
TEST_F(Pictures, ComboItemDrawing) {
    RegisterBmpResource(7001, [] {
        QPixmap pm(40, 20);
        pm.fill(Qt::red);
        return pm;
    });
    CBmpComboBox box;
    box.AddBmp(7001);
    box.addItem(QString(), 0);
    auto draw = [&](int row, bool selected) {
        QImage img(60, 30, QImage::Format_RGB32);
        img.fill(Qt::black);
        QPainter p(&img);
        QStyleOptionViewItem opt;
        opt.rect = QRect(0, 0, 60, 30);
        opt.state = selected ? QStyle::State_Selected : QStyle::State_None;
        box.itemDelegate()->paint(&p, opt, box.model()->index(row, 0));
        return img;
    };
    QImage img = draw(0, true);
    EXPECT_EQ(img.pixelColor(0, 15), kBlue);
    EXPECT_EQ(img.pixelColor(30, 0), kBlue);
    EXPECT_EQ(img.pixelColor(10, 10), kRed);
    EXPECT_EQ(img.pixelColor(50, 25), QColor(Qt::white));
    img = draw(0, false);
    EXPECT_EQ(img.pixelColor(0, 15), kRed);
    img = draw(1, true);
    EXPECT_EQ(img.pixelColor(10, 10), kGrey);
}

// The edge pictures as the slab dialog shows them; KV_SCREENSHOT names a file
// to keep the picture for a look.
TEST_F(Pictures, EdgePicturesInAWindow) {
    QWidget window;
    window.setWindowTitle("edges");
    auto* grid = new QGridLayout(&window);
    const int ids[3] = {IDB_JIANZHI, IDB_GUDING, IDB_TANXING};
    for (int i = 0; i < 3; ++i) {
        auto* box = new CBmpComboBox(&window);
        for (int id : ids) box->AddBmp(id);
        box->setCurrentIndex(i);
        grid->addWidget(box, i, 0);
        auto* label = new QLabel(&window);
        const QPixmap pm = LoadBmpResource(ids[i]);
        label->setPixmap(pm.scaled(pm.size() * 2));
        grid->addWidget(label, i, 1);
    }
    auto* button = new CBianJieButton(&window);
    button->SetBianJie(2, 1, 0, 1, 1, 0, 0, 0);
    button->setMinimumSize(200, 150);
    grid->addWidget(button, 0, 2, 3, 1);
    window.show();
    const QPixmap shot = window.grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_GE(shot.width(), 200 + 2 * 96);
    if (const char* path = std::getenv("KV_SCREENSHOT")) {
        EXPECT_TRUE(shot.save(path));
    }
}

}  // namespace
