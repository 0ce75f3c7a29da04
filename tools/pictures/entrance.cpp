// Sketches of the entrance-wall load dialogs: the wall adjacent to air in plan,
// and the door-frame wall with a single or a double flat door.
#include "pictures.h"

namespace {

const QColor kConcrete(150, 150, 150);
const QColor kLoad(210, 0, 0);
const QColor kLeaf(30, 80, 200);

// A passage from the outdoor entrance (left) ends at the wall adjacent to air,
// which closes the shelter below it; L runs from the entrance to that wall.
void AirWall(QPainter& p) {
    Soil(p, QRectF(0, 0, 240, 260));
    p.fillRect(QRectF(0, 60, 220, 54), Qt::white);    // passage
    p.fillRect(QRectF(110, 134, 110, 110), Qt::white); // shelter
    p.fillRect(QRectF(0, 52, 228, 8), kConcrete);
    p.fillRect(QRectF(0, 114, 110, 8), kConcrete);
    p.fillRect(QRectF(220, 52, 8, 200), kConcrete);
    p.fillRect(QRectF(102, 114, 8, 138), kConcrete);
    p.fillRect(QRectF(110, 114, 110, 20), QColor(120, 120, 120));  // the wall adjacent to air
    for (double x = 124; x <= 206; x += 16) Arrow(p, {x, 68}, {x, 112}, kLoad);
    Dimension(p, {0, 30}, {165, 30}, QStringLiteral("L"));
    Text(p, {4, 74}, QStringLiteral("室外出入口"), 12);
    Text(p, {4, 92}, QStringLiteral("→ 通道"), 12);
    Text(p, {140, 160}, QStringLiteral("防护区"), 13);
    p.setPen(Qt::white);
    TextIn(p, QRectF(110, 114, 110, 20), QStringLiteral("临空墙"), 12);
}

// The door-frame wall seen from the passage: the opening a x b and the leaves
// lapping it by 0.1 m a side; the leaves pass qia along their top and bottom
// edges and qib along their sides.
void DoorFrame(QPainter& p, bool doubleLeaf) {
    p.fillRect(QRectF(20, 24, 200, 210), kConcrete);
    const QRectF opening(80, 64, 80, 130);
    p.fillRect(opening, Qt::white);
    p.save();
    p.setPen(QPen(kLeaf, 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    const QRectF leaf = opening.adjusted(-8, -8, 8, 8);
    if (doubleLeaf) {
        p.drawRect(QRectF(leaf.left(), leaf.top(), leaf.width() / 2, leaf.height()));
        p.drawRect(QRectF(leaf.center().x(), leaf.top(), leaf.width() / 2, leaf.height()));
    } else {
        p.drawRect(leaf);
    }
    p.restore();
    for (double x = leaf.left() + 10; x < leaf.right() - 4; x += 18) {
        Arrow(p, {x, leaf.top() - 14}, {x, leaf.top()}, kLoad);
        Arrow(p, {x, leaf.bottom() + 14}, {x, leaf.bottom()}, kLoad);
    }
    for (double y = leaf.top() + 16; y < leaf.bottom() - 8; y += 24) {
        Arrow(p, {leaf.left() - 14, y}, {leaf.left(), y}, kLoad);
        Arrow(p, {leaf.right() + 14, y}, {leaf.right(), y}, kLoad);
    }
    p.setPen(Qt::white);
    Text(p, {leaf.right() + 16, leaf.top() - 26}, QStringLiteral("qia"), 12);
    Text(p, {leaf.right() + 16, leaf.center().y() - 8}, QStringLiteral("qib"), 12);
    p.setPen(Qt::black);
    TextIn(p, QRectF(20, 2, 200, 20), doubleLeaf ? QStringLiteral("门框墙 (双扇平板门)") : QStringLiteral("门框墙 (单扇平板门)"), 12);
    Dimension(p, {opening.left(), 248}, {opening.right(), 248}, QStringLiteral("a"));
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawLine(QPointF(opening.left(), opening.bottom()), QPointF(opening.left(), 252));
    p.drawLine(QPointF(opening.right(), opening.bottom()), QPointF(opening.right(), 252));
    p.setPen(Qt::black);
    Dimension(p, {6, opening.top()}, {6, opening.bottom()}, QStringLiteral("b"));
}

const AddPictures kEntrancePictures{
    {"IDB_BITMAP_LKQ", {240, 260}, AirWall},
    {"IDB_BITMAP_MKQ", {240, 266}, [](QPainter& p) { DoorFrame(p, false); }},
    {"IDB_BITMAP_MKQ1", {240, 266}, [](QPainter& p) { DoorFrame(p, true); }},
};

}  // namespace
