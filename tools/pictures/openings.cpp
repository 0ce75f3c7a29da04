// Sketches of the window-well, partition and shed load dialogs: where each load
// the dialog names acts.
#include "pictures.h"

namespace {

const QColor kConcrete(150, 150, 150);
const QColor kLoad(210, 0, 0);
constexpr QSize kSketch(240, 220);

void Concrete(QPainter& p, const QRectF& r) { p.fillRect(r, kConcrete); }

// A basement wall with the window opening in it, the room to the right.
void BasementWall(QPainter& p, double groundY) {
    Concrete(p, QRectF(140, groundY - 20, 10, 150));             // exterior wall
    p.fillRect(QRectF(140, groundY + 20, 10, 40), Qt::white);    // window
    p.setPen(QPen(QColor(60, 120, 200), 2));
    p.drawLine(QPointF(145, groundY + 20), QPointF(145, groundY + 60));
    p.setPen(Qt::black);
    Concrete(p, QRectF(140, groundY + 130, 100, 8));              // floor
    Text(p, {168, groundY + 70}, QStringLiteral("室内"), 12);
}

// Form 0: a shutter over the window, the well filled with soil.
void ShutterWell(QPainter& p) {
    const double g = 50;
    Soil(p, QRectF(0, g, 140, 170));
    Ground(p, 0, 240, g);
    Concrete(p, QRectF(60, g - 20, 10, 130));     // well's outer wall
    p.fillRect(QRectF(70, g, 70, 110), Qt::white);
    Soil(p, QRectF(70, g, 58, 110));               // fill
    Concrete(p, QRectF(128, g + 14, 8, 52));       // shutter
    Concrete(p, QRectF(60, g + 110, 80, 8));       // well floor
    BasementWall(p, g);
    for (double y = g + 22; y <= g + 58; y += 12) Arrow(p, {104, y}, {126, y}, kLoad);
    Text(p, {8, 12}, QStringLiteral("挡窗板加覆土"), 13);
    Text(p, {96, g + 70}, QStringLiteral("挡窗板"), 11);
}

// Form 1: a cover plate over the well with soil on it.
void CoverPlateWell(QPainter& p) {
    const double g = 60;
    Soil(p, QRectF(0, g, 140, 160));
    Soil(p, QRectF(50, g - 22, 100, 14));          // soil on the plate
    Ground(p, 0, 240, g);
    Concrete(p, QRectF(50, g - 8, 100, 8));        // cover plate
    Concrete(p, QRectF(50, g, 10, 110));           // well's outer wall
    p.fillRect(QRectF(60, g, 80, 110), Qt::white);
    Concrete(p, QRectF(50, g + 110, 90, 8));
    BasementWall(p, g);
    for (double x = 70; x <= 130; x += 15) Arrow(p, {x, g - 44}, {x, g - 24}, kLoad);
    for (double y = g + 20; y <= g + 90; y += 18) Arrow(p, {28, y}, {48, y}, kLoad);
    Text(p, {8, 10}, QStringLiteral("盖板加覆土"), 13);
    Text(p, {160, g - 22}, QStringLiteral("盖板"), 11);
}

// Form 2: a window in a wall above ground, closed by a shutter.
void AboveGroundWindow(QPainter& p) {
    const double g = 170;
    Ground(p, 0, 240, g);
    Concrete(p, QRectF(110, 30, 12, 140));          // wall
    p.fillRect(QRectF(110, 70, 12, 50), Qt::white);
    Concrete(p, QRectF(102, 66, 8, 58));            // shutter outside
    for (double y = 76; y <= 112; y += 12) Arrow(p, {64, y}, {98, y}, kLoad);
    Arrow(p, {150, 95}, {126, 95}, QColor(0, 90, 200));
    Text(p, {8, 10}, QStringLiteral("高出地面外墙窗孔"), 13);
    Text(p, {44, 128}, QStringLiteral("挡窗板"), 11);
    Text(p, {132, 104}, QStringLiteral("负向反力"), 11);
    Text(p, {150, 140}, QStringLiteral("室内"), 12);
}

// A partition between two protective units with a door frame in it; the load
// acts from either side.
void Partition(QPainter& p) {
    Concrete(p, QRectF(10, 30, 220, 8));     // roof
    Concrete(p, QRectF(10, 180, 220, 8));    // floor
    Concrete(p, QRectF(114, 38, 12, 142));   // partition
    p.fillRect(QRectF(114, 110, 12, 70), Qt::white);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(QRectF(114, 106, 12, 74));    // door frame
    p.setPen(Qt::black);
    for (double y = 52; y <= 92; y += 20) Arrow(p, {80, y}, {110, y}, kLoad);
    for (double y = 52; y <= 92; y += 20) Arrow(p, {160, y}, {130, y}, QColor(0, 90, 200));
    Text(p, {20, 120}, QStringLiteral("防护单元一"), 12);
    Text(p, {150, 120}, QStringLiteral("防护单元二"), 12);
    Text(p, {128, 156}, QStringLiteral("门框墙"), 11);
    Text(p, {70, 8}, QStringLiteral("单元隔墙"), 13);
}

// An open shed over an outdoor entrance: vertical load on the roof, horizontal on
// the posts.
void Shed(QPainter& p) {
    const double g = 180;
    Ground(p, 0, 240, g);
    Concrete(p, QRectF(40, 70, 160, 10));    // shed roof
    Concrete(p, QRectF(46, 80, 8, 100));     // posts
    Concrete(p, QRectF(186, 80, 8, 100));
    for (double x = 70; x <= 170; x += 25) Arrow(p, {x, 36}, {x, 66}, kLoad);
    for (double y = 100; y <= 160; y += 30) Arrow(p, {10, y}, {42, y}, QColor(0, 90, 200));
    Text(p, {70, 150}, QStringLiteral("出入口"), 12);
    Text(p, {56, 8}, QStringLiteral("开敞式防倒塌棚架"), 13);
}

const AddPictures kOpeningPictures = {
    {"IDB_BITMAP_CJQ", kSketch, ShutterWell},
    {"IDB_BITMAP_CJQ1", kSketch, CoverPlateWell},
    {"IDB_BITMAP_CJQ2", kSketch, AboveGroundWindow},
    {"IDB_BITMAP_DYGQ", kSketch, Partition},
    {"IDB_BITMAP_FDT", kSketch, Shed},
};

}  // namespace
