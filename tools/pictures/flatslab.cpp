// The load pictures of the flat slab's 板带荷载 page: the side pressure on an
// edge column, q1 at the column's start (the foot of a lower column, the slab
// for an upper one) falling or rising to q2 at a from it, and the slab load q.
#include "pictures.h"

#include <QPainterPath>

namespace {

const QColor kConcrete(150, 150, 150);
const QColor kLoad(210, 0, 0);

constexpr double kSlabTop = 112, kSlabDepth = 14;
constexpr double kFoot = 226, kHead = 14;  // the lower column's foot, the upper column's head
constexpr double kColumnWidth = 16;

// A trapezoid load on a column face from y0 (q1, length l1) to y1 (q2, length
// l2); `side` −1 draws it left of the face, +1 right of it.
void ColumnLoad(QPainter& p, double face, double y0, double y1, double l1, double l2, int side) {
    p.save();
    p.setPen(QPen(kLoad, 1.5));
    p.drawLine(QPointF(face + side * l1, y0), QPointF(face + side * l2, y1));
    p.drawLine(QPointF(face + side * l1, y0), QPointF(face, y0));
    p.restore();
    for (int i = 0; i <= 5; ++i) {
        const double t = i / 5.0, y = y0 + (y1 - y0) * t, l = l1 + (l2 - l1) * t;
        if (l > 3) Arrow(p, {face + side * l, y}, {face + side * 1.0, y}, kLoad);
    }
}

// The edge column with its upper and lower storey; `right` mirrors it for the
// right edge. The slab runs towards the inside.
void EdgeColumn(QPainter& p, bool right) {
    const double width = 170;
    const double x = right ? width - 76 : 76;  // the column's axis
    const int out = right ? 1 : -1;            // the outside face's side
    const double face = x + out * kColumnWidth / 2;
    // Slab, columns and the supports at the far ends.
    const double inner = right ? 4 : width - 4;
    p.fillRect(QRectF(std::min(x, inner), kSlabTop, std::abs(inner - x), kSlabDepth), kConcrete);
    p.fillRect(QRectF(x - kColumnWidth / 2, kHead, kColumnWidth, kFoot - kHead), kConcrete);
    Ground(p, x - 22, x + 22, kFoot);
    p.save();
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(x - 22, kHead), QPointF(x + 22, kHead));
    p.setPen(QPen(Qt::black, 1));
    for (double s = x - 18; s <= x + 22; s += 8) p.drawLine(QPointF(s, kHead), QPointF(s - 5, kHead - 5));
    p.restore();
    // The lower column: q1 at the foot, q2 at a above it; the upper: q1 at the slab.
    const double a = 70;
    ColumnLoad(p, face, kFoot - 4, kFoot - a, 34, 14, out);
    ColumnLoad(p, face, kSlabTop - 2, kSlabTop - a + 20, 26, 10, out);
    p.save();
    p.setPen(kLoad);
    const double labelX = right ? face + 30 : face - 48;
    Text(p, {labelX, kFoot - 30}, QStringLiteral("q1"), 12);
    Text(p, {labelX + (right ? -10 : 22), kFoot - a - 10}, QStringLiteral("q2"), 12);
    Text(p, {labelX, kSlabTop - 26}, QStringLiteral("q1"), 12);
    Text(p, {labelX + (right ? -10 : 22), kSlabTop - a + 4}, QStringLiteral("q2"), 12);
    p.restore();
    // a from each column's start.
    const double dim = x - out * 22;
    Dimension(p, {dim, kFoot}, {dim, kFoot - a}, QStringLiteral("a"));
    Dimension(p, {dim, kSlabTop}, {dim, kSlabTop - a + 20}, QStringLiteral("a"));
    TextIn(p, QRectF(right ? 4 : width - 84, kSlabTop + kSlabDepth + 6, 80, 18),
           right ? QStringLiteral("右边柱") : QStringLiteral("左边柱"), 12);
}

// The slab between two columns under q.
void SlabLoad(QPainter& p) {
    const double left = 30, right = 160;
    p.fillRect(QRectF(8, kSlabTop, 174, kSlabDepth), kConcrete);
    for (double x : {left, right}) {
        p.fillRect(QRectF(x - kColumnWidth / 2, kSlabTop + kSlabDepth, kColumnWidth, kFoot - kSlabTop - kSlabDepth),
                   kConcrete);
        Ground(p, x - 20, x + 20, kFoot);
    }
    const double top = kSlabTop - 40;
    p.save();
    p.setPen(QPen(kLoad, 1.5));
    p.drawLine(QPointF(8, top), QPointF(182, top));
    p.restore();
    for (double x = 12; x <= 180; x += 14) Arrow(p, {x, top}, {x, kSlabTop - 1}, kLoad);
    p.save();
    p.setPen(kLoad);
    Text(p, {84, top - 26}, QStringLiteral("q"), 13);
    p.restore();
    TextIn(p, QRectF(40, kSlabTop + kSlabDepth + 6, 110, 18), QStringLiteral("板面荷载"), 12);
}

const AddPictures kFlatSlabPictures = {
    {"IDB_BITMAP_HZLEFT", {170, 240}, [](QPainter& p) { EdgeColumn(p, false); }},
    {"IDB_BITMAP_HZRIGHT", {170, 240}, [](QPainter& p) { EdgeColumn(p, true); }},
    {"IDB_BITMAP_HZMID", {190, 240}, SlabLoad},
};

}  // namespace
