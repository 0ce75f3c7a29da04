// Pictures of the second door-frame wall: the frame seen from the passage with
// one side marked (eight: flat or arched door, 左 右 上 下), the scheme of each
// door type with its sizes, and the key to the reinforcement drawing's axes.
#include "pictures.h"

#include <QPainterPath>

namespace {

const QColor kConcrete(165, 165, 165);
const QColor kMarked(215, 60, 40);
const QColor kLeaf(30, 80, 200);

// The opening of the door: a rectangle, or a rectangle with a round top.
QPainterPath Opening(const QRectF& box, bool arched) {
    QPainterPath path;
    if (!arched) {
        path.addRect(box);
        return path;
    }
    const double r = box.width() / 2;
    path.moveTo(box.left(), box.bottom());
    path.lineTo(box.left(), box.top() + r);
    path.arcTo(QRectF(box.left(), box.top(), box.width(), 2 * r), 180, -180);
    path.lineTo(box.right(), box.bottom());
    path.closeSubpath();
    return path;
}

// The frame and its opening in `area`; side 0..3 (左 右 上 下) is filled red,
// -1 marks none.
void Frame(QPainter& p, const QRectF& area, bool arched, int side) {
    const QRectF opening = area.adjusted(area.width() * 0.3, area.height() * 0.24, -area.width() * 0.3,
                                         -area.height() * 0.18);
    const QRectF sides[4] = {
        QRectF(area.left(), opening.top(), opening.left() - area.left(), opening.height()),
        QRectF(opening.right(), opening.top(), area.right() - opening.right(), opening.height()),
        QRectF(area.left(), area.top(), area.width(), opening.top() - area.top()),
        QRectF(area.left(), opening.bottom(), area.width(), area.bottom() - opening.bottom()),
    };
    p.fillRect(area, kConcrete);
    if (side >= 0) {
        QRectF marked = sides[side];
        if (side == 2 && arched) marked.setBottom(opening.top() + opening.width() / 2);
        p.save();
        p.setClipPath([&] {
            QPainterPath outside;
            outside.addRect(area);
            return outside.subtracted(Opening(opening, arched));
        }());
        p.fillRect(marked, kMarked);
        p.restore();
    }
    p.fillPath(Opening(opening, arched), Qt::white);
    p.save();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area);
    p.drawPath(Opening(opening, arched));
    // The leaf laps the opening.
    p.setPen(QPen(kLeaf, 1.4, Qt::DashLine));
    p.drawPath(Opening(opening.adjusted(-7, -7, 7, 0), arched));
    p.restore();
}

void SidePicture(QPainter& p, bool arched, int side) {
    static const char* const kSide[4] = {"左", "右", "上", "下"};
    TextIn(p, QRectF(0, 2, 200, 22),
           QStringLiteral("%1  %2侧").arg(arched ? QStringLiteral("拱形门") : QStringLiteral("平板门"),
                                          QString::fromUtf8(kSide[side])),
           14);
    Frame(p, QRectF(20, 30, 160, 160), arched, side);
}

// A door type with its opening La x Lb and the four sides named.
void Scheme(QPainter& p, bool arched) {
    TextIn(p, QRectF(0, 4, 320, 22), arched ? QStringLiteral("拱形门门框墙") : QStringLiteral("平板门门框墙"), 15);
    const QRectF area(50, 36, 220, 200);
    Frame(p, area, arched, -1);
    const QRectF opening = area.adjusted(area.width() * 0.3, area.height() * 0.24, -area.width() * 0.3,
                                         -area.height() * 0.18);
    Text(p, {area.left() + 12, area.center().y() - 8}, QStringLiteral("左"), 14);
    Text(p, {area.right() - 28, area.center().y() - 8}, QStringLiteral("右"), 14);
    Text(p, {area.center().x() - 7, area.top() + 6}, QStringLiteral("上"), 14);
    Text(p, {area.center().x() - 7, area.bottom() - 24}, QStringLiteral("下"), 14);
    Dimension(p, {opening.left(), area.bottom() + 16}, {opening.right(), area.bottom() + 16}, QStringLiteral("La"));
    Dimension(p, {area.right() + 18, opening.top()}, {area.right() + 18, opening.bottom()}, QStringLiteral("Lb"));
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawLine(QPointF(opening.left(), opening.bottom()), QPointF(opening.left(), area.bottom() + 20));
    p.drawLine(QPointF(opening.right(), opening.bottom()), QPointF(opening.right(), area.bottom() + 20));
    p.drawLine(QPointF(opening.right(), opening.top()), QPointF(area.right() + 22, opening.top()));
    p.drawLine(QPointF(opening.right(), opening.bottom()), QPointF(area.right() + 22, opening.bottom()));
    p.setPen(Qt::black);
    TextIn(p, QRectF(0, 262, 320, 20), QStringLiteral("虚线：门扇"), 12);
}

// The axes of the reinforcement drawing.
void PeiJinKey(QPainter& p) {
    Frame(p, QRectF(34, 10, 100, 100), false, -1);
    Arrow(p, {34, 124}, {134, 124}, Qt::black);
    Arrow(p, {18, 110}, {18, 10}, Qt::black);
    TextIn(p, QRectF(30, 128, 110, 18), QStringLiteral("长度方向"), 12);
    p.save();
    p.translate(2, 90);
    p.rotate(-90);
    TextIn(p, QRectF(0, 0, 80, 16), QStringLiteral("高度方向"), 12);
    p.restore();
}

const AddPictures kDoorFrame2Pictures{
    {"IDR_WMF_PING_LEFT", {200, 200}, [](QPainter& p) { SidePicture(p, false, 0); }},
    {"IDR_WMF_PING_RIGHT", {200, 200}, [](QPainter& p) { SidePicture(p, false, 1); }},
    {"IDR_WMF_PING_UP", {200, 200}, [](QPainter& p) { SidePicture(p, false, 2); }},
    {"IDR_WMF_PING_DOWN", {200, 200}, [](QPainter& p) { SidePicture(p, false, 3); }},
    {"IDR_WMF_GONG_LEFT", {200, 200}, [](QPainter& p) { SidePicture(p, true, 0); }},
    {"IDR_WMF_GONG_RIGHT", {200, 200}, [](QPainter& p) { SidePicture(p, true, 1); }},
    {"IDR_WMF_GONG_UP", {200, 200}, [](QPainter& p) { SidePicture(p, true, 2); }},
    {"IDR_WMF_GONG_DOWN", {200, 200}, [](QPainter& p) { SidePicture(p, true, 3); }},
    {"IDB_BITMAP_2220", {320, 286}, [](QPainter& p) { Scheme(p, true); }},
    {"IDB_BITMAP_2221", {320, 286}, [](QPainter& p) { Scheme(p, false); }},
    {"IDB_BITMAP_230", {150, 150}, PeiJinKey},
};

}  // namespace
