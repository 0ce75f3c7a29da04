// Section pictures of the door-frame and window-well wall dialog: the lip that
// stands out of the wall beside the door or the light well, with its loads and
// the dimensions the dialog asks for.
#include "pictures.h"

#include <QPainterPath>

namespace {

const QColor kConcrete(150, 150, 150);
const QColor kLoad(210, 0, 0);

constexpr double kFace = 62;     // the wall face
constexpr double kTip = 212;     // the lip's end
constexpr double kTop = 118;     // the lip's top face
constexpr double kDepth = 40;    // h
constexpr double kHaunch = 26;   // a

// The wall with the lip; `haunch` deepens the lip towards the wall by a. A
// dashed haunch is drawn but not counted in the section.
void Lip(QPainter& p, bool haunch, bool dashed) {
    const double tipBottom = kTop + kDepth;
    const double wallBottom = tipBottom + (haunch && !dashed ? kHaunch : 0);
    p.fillRect(QRectF(28, 44, kFace - 28, 180), kConcrete);
    QPainterPath lip(QPointF(kFace, kTop));
    lip.lineTo(kTip, kTop);
    lip.lineTo(kTip, tipBottom);
    lip.lineTo(kFace, wallBottom);
    lip.closeSubpath();
    p.fillPath(lip, kConcrete);
    if (dashed) {
        p.save();
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawLine(QPointF(kFace, tipBottom + kHaunch), QPointF(kTip, tipBottom));
        p.restore();
    }
    // Break lines across the wall above and below.
    p.save();
    p.setPen(QPen(Qt::black, 1));
    for (double y : {44.0, 224.0}) {
        QPainterPath cut(QPointF(22, y));
        cut.lineTo(38, y);
        cut.lineTo(42, y - 5);
        cut.lineTo(48, y + 5);
        cut.lineTo(52, y);
        cut.lineTo(kFace + 6, y);
        p.drawPath(cut);
    }
    p.restore();
    Text(p, {32, 62}, QStringLiteral("墙"), 12);
}

// qe over L2 from the wall face, qi as one line load at L1.
void Loads(QPainter& p, double l1, double l2) {
    p.save();
    p.setPen(QPen(kLoad, 1.5));
    p.drawLine(QPointF(kFace, 94), QPointF(kFace + l2, 94));
    p.restore();
    for (int i = 0; i <= 6; ++i) {
        const double x = kFace + i * l2 / 6;
        Arrow(p, {x, 94}, {x, kTop - 1}, kLoad);
    }
    Arrow(p, {kFace + l1, 58}, {kFace + l1, kTop - 1}, kLoad, 2.5);
    p.save();
    p.setPen(kLoad);
    Text(p, {kFace + l2 / 2 - 8, 75}, QStringLiteral("qe"));
    Text(p, {kFace + l1 + 5, 58}, QStringLiteral("qi"));
    p.restore();
}

void Section(QPainter& p, bool haunch, bool dashed) {
    const double l1 = 118, l2 = 96;
    Lip(p, haunch, dashed);
    Loads(p, l1, l2);
    Dimension(p, {kFace, 40}, {kFace + l2, 40}, QStringLiteral("L2"));
    Dimension(p, {kFace, 20}, {kFace + l1, 20}, QStringLiteral("L1"));
    Dimension(p, {kFace, 212}, {kTip, 212}, QStringLiteral("L"));
    Dimension(p, {kTip + 16, kTop}, {kTip + 16, kTop + kDepth}, QStringLiteral("h"));
    if (haunch) Dimension(p, {kTip + 16, kTop + kDepth}, {kTip + 16, kTop + kDepth + kHaunch}, QStringLiteral("a"));
    // Extension lines of the haunch and the depth.
    p.save();
    p.setPen(QPen(Qt::gray, 0.8));
    p.drawLine(QPointF(kFace, 14), QPointF(kFace, kTop));
    if (haunch) p.drawLine(QPointF(kFace + 4, kTop + kDepth + kHaunch), QPointF(kTip + 20, kTop + kDepth + kHaunch));
    p.restore();
}

const AddPictures kMkqPictures = {
    {"IDB_BITMAP_MKQ2", {260, 236}, [](QPainter& p) { Section(p, false, false); }},
    {"IDB_BITMAP_MKQ3", {260, 236}, [](QPainter& p) { Section(p, true, false); }},
};

}  // namespace
