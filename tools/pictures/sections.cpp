// Section pictures of the beam- and column-section dialogs: the concrete
// outline with its bars and stirrup and the dimensions the dialogs ask for.
#include "pictures.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

const QColor kConcrete(200, 200, 200);
const QColor kSteel(200, 0, 0);

// An outline of rectangles stacked bottom to top: each {width, height}, centred on cx.
QPainterPath Outline(double cx, double bottom, std::initializer_list<QSizeF> parts) {
    QPainterPath path;
    double y = bottom;
    for (const QSizeF& s : parts) {
        path.addRect(QRectF(cx - s.width() / 2, y - s.height(), s.width(), s.height()));
        y -= s.height();
    }
    return path.simplified();
}

void Bars(QPainter& p, std::initializer_list<QPointF> points) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kSteel);
    for (const QPointF& c : points) p.drawEllipse(c, 4, 4);
    p.restore();
}

void Stirrup(QPainter& p, const QRectF& r) {
    p.save();
    p.setPen(QPen(kSteel, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 4, 4);
    p.restore();
}

void Fill(QPainter& p, const QPainterPath& path) {
    p.save();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(kConcrete);
    p.drawPath(path);
    p.restore();
}

// A beam web 60 × 150 with its flanges; bars at both faces.
void Beam(QPainter& p, double topFlange, double bottomFlange) {
    const double cx = 130, bottom = 200, web = 60, h = 150, hf = 26;
    std::initializer_list<QSizeF> rect = {QSizeF(web, h)};
    std::initializer_list<QSizeF> tee = {QSizeF(web, h - hf), QSizeF(topFlange, hf)};
    std::initializer_list<QSizeF> ibeam = {QSizeF(bottomFlange, hf), QSizeF(web, h - 2 * hf), QSizeF(topFlange, hf)};
    Fill(p, Outline(cx, bottom, bottomFlange > 0 ? ibeam : topFlange > 0 ? tee : rect));
    Stirrup(p, QRectF(cx - web / 2 + 7, bottom - h + 7, web - 14, h - 14));
    Bars(p, {{cx - 16, bottom - 14}, {cx, bottom - 14}, {cx + 16, bottom - 14}, {cx - 16, bottom - h + 14},
             {cx + 16, bottom - h + 14}});
    Dimension(p, {cx - web / 2, bottom + 16}, {cx + web / 2, bottom + 16}, QStringLiteral("b"));
    const double left = cx - std::max({web, topFlange, bottomFlange}) / 2 - 22;
    Dimension(p, {left, bottom}, {left, bottom - h}, QStringLiteral("h"));
    if (topFlange > 0) {
        Dimension(p, {cx - topFlange / 2, bottom - h - 14}, {cx + topFlange / 2, bottom - h - 14},
                  QStringLiteral("bf'"));
        Dimension(p, {cx + topFlange / 2 + 14, bottom - h}, {cx + topFlange / 2 + 14, bottom - h + hf},
                  QStringLiteral("hf'"));
    }
    if (bottomFlange > 0) {
        Dimension(p, {cx + bottomFlange / 2 + 14, bottom}, {cx + bottomFlange / 2 + 14, bottom - hf},
                  QStringLiteral("hf"));
        Text(p, {cx + bottomFlange / 2 - 20, bottom + 4}, QStringLiteral("bf"));
    }
    Text(p, {cx + 36, bottom - h / 2 - 8}, QStringLiteral("As'"), 12);
    Text(p, {cx + 36, bottom - 24}, QStringLiteral("As"), 12);
}

// A column 110 × 150 (or an I section) with bars all round.
void Column(QPainter& p, bool flanged) {
    const double cx = 130, bottom = 196, b = 110, h = 150, hf = 30, web = 50;
    if (flanged) Fill(p, Outline(cx, bottom, {QSizeF(b, hf), QSizeF(web, h - 2 * hf), QSizeF(b, hf)}));
    else Fill(p, Outline(cx, bottom, {QSizeF(b, h)}));
    const double inner = flanged ? web : b;
    Stirrup(p, QRectF(cx - inner / 2 + 7, bottom - h + 7, inner - 14, h - 14));
    if (flanged) {
        Bars(p, {{cx - 40, bottom - 14}, {cx, bottom - 14}, {cx + 40, bottom - 14}, {cx - 40, bottom - h + 14},
                 {cx, bottom - h + 14}, {cx + 40, bottom - h + 14}});
    } else {
        Bars(p, {{cx - 40, bottom - 14}, {cx, bottom - 14}, {cx + 40, bottom - 14}, {cx - 40, bottom - h + 14},
                 {cx, bottom - h + 14}, {cx + 40, bottom - h + 14}, {cx - 40, bottom - h / 2},
                 {cx + 40, bottom - h / 2}});
    }
    Dimension(p, {cx - b / 2, bottom + 16}, {cx + b / 2, bottom + 16}, flanged ? QStringLiteral("bf") : QStringLiteral("b"));
    Dimension(p, {cx - b / 2 - 20, bottom}, {cx - b / 2 - 20, bottom - h}, QStringLiteral("h"));
    Arrow(p, {cx + b / 2 + 8, bottom - h - 20}, {cx + b / 2 + 40, bottom - h - 20}, Qt::black, 1);
    Text(p, {cx + b / 2 + 42, bottom - h - 28}, QStringLiteral("x"), 12);
    Arrow(p, {cx + b / 2 + 8, bottom - h - 20}, {cx + b / 2 + 8, bottom - h + 12}, Qt::black, 1);
    Text(p, {cx + b / 2 + 12, bottom - h + 8}, QStringLiteral("y"), 12);
}

// A circular column of diameter D with its ring stirrup and ten bars.
void Circle(QPainter& p) {
    const double cx = 130, cy = 121, r = 75;
    QPainterPath outline;
    outline.addEllipse(QPointF(cx, cy), r, r);
    Fill(p, outline);
    p.save();
    p.setPen(QPen(kSteel, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(cx, cy), r - 8, r - 8);
    p.restore();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kSteel);
    for (int k = 0; k < 10; ++k) {
        const double angle = k * 2 * 3.14159265358979 / 10;
        p.drawEllipse(QPointF(cx + (r - 15) * std::cos(angle), cy + (r - 15) * std::sin(angle)), 4, 4);
    }
    p.restore();
    Dimension(p, {cx - r, cy + r + 16}, {cx + r, cy + r + 16}, QStringLiteral("D"));
}

const AddPictures kSectionPictures = {
    {"IDB_BITMAP_LJM", {260, 236}, [](QPainter& p) { Beam(p, 0, 0); }},
    {"IDB_BITMAP_LJM2", {260, 236}, [](QPainter& p) { Beam(p, 150, 0); }},
    {"IDB_BITMAP_LJM3", {260, 236}, [](QPainter& p) { Beam(p, 150, 120); }},
    {"IDB_BITMAP_ZJM2", {260, 236}, [](QPainter& p) { Column(p, false); }},
    {"IDB_BITMAP_GZZ", {260, 236}, [](QPainter& p) { Column(p, true); }},
    // The lip dialog shows this one too, for a lip of the third shape, which only a file can give.
    {"IDB_BITMAP_ZJM4", {260, 236}, [](QPainter& p) { Circle(p); }},
};

}  // namespace
