#include "members/beams/ui/lxlpictures.h"

#include "codes/ui/bmpcombobox.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kBeam(0, 0, 160);
const QColor kLoad(200, 0, 0);
const QColor kSize(0, 110, 0);

// ---- the left end's supports (as large as the plate-edge pictures) -------------

constexpr int kEndW = 96, kEndH = 28;

QPixmap EndPicture(bool fixed) {
    QPixmap pm(kEndW, kEndH);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (fixed) {
        // The beam built into a wall on its left.
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(6, 2, 6, 26);
        p.setPen(QPen(Qt::black, 1));
        for (int y = 4; y <= 26; y += 4) p.drawLine(6, y, 1, y - 4);
        p.setPen(QPen(kBeam, 4, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(7, 14, 44, 14);
    } else {
        p.setPen(QPen(kBeam, 4, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(8, 8, 44, 8);
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::NoBrush);
        const QPointF tri[3] = {{12, 10}, {6, 20}, {18, 20}};
        p.drawPolygon(tri, 3);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(2, 21, 22, 21);
        for (int x = 4; x <= 22; x += 4) p.drawLine(x, 21, x - 4, 25);
    }
    QFont font = p.font();
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(54, 0, kEndW - 56, kEndH), Qt::AlignVCenter | Qt::AlignLeft,
               fixed ? QStringLiteral("固定") : QStringLiteral("简支"));
    return pm;
}

// ---- the load types ------------------------------------------------------------

// A picture of width w and height h: the beam from x0 to x1 at height yb, the
// load symbols above it at most `top` high; `sizes` adds the value names and the
// dimension lines under the beam.
struct Frame {
    double w, h, x0, x1, yb, top;
    bool sizes;
    double X(double t) const { return x0 + (x1 - x0) * t; }
};

void Arrow(QPainter& p, double x, double y1, double y2, double head) {
    p.drawLine(QPointF(x, y1), QPointF(x, y2));
    const QPointF tip[3] = {{x, y2}, {x - head * 0.45, y2 - head}, {x + head * 0.45, y2 - head}};
    p.setBrush(p.pen().color());
    p.drawPolygon(tip, 3);
    p.setBrush(Qt::NoBrush);
}

void Pin(QPainter& p, const Frame& f, double x) {
    const double s = f.h * 0.09;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    const QPointF tri[3] = {{x, f.yb + 1}, {x - s, f.yb + 1.6 * s}, {x + s, f.yb + 1.6 * s}};
    p.drawPolygon(tri, 3);
}

void Text(QPainter& p, const Frame& f, double x, double y, const QString& text, const QColor& colour) {
    p.setPen(colour);
    const QRectF box(x - 30, y - f.h * 0.12, 60, f.h * 0.24);
    p.drawText(box, Qt::AlignCenter, text);
}

// A dimension under the beam from t1 to t2, named `name`.
void Dimension(QPainter& p, const Frame& f, double t1, double t2, const QString& name) {
    const double y = f.yb + f.h * 0.2;
    p.setPen(QPen(kSize, 1));
    p.drawLine(QPointF(f.X(t1), y), QPointF(f.X(t2), y));
    p.drawLine(QPointF(f.X(t1), y - 4), QPointF(f.X(t1), y + 4));
    p.drawLine(QPointF(f.X(t2), y - 4), QPointF(f.X(t2), y + 4));
    Text(p, f, (f.X(t1) + f.X(t2)) / 2, y + f.h * 0.1, name, kSize);
}

// A distributed load whose top runs through the points (t, height share) given.
void Distributed(QPainter& p, const Frame& f, const std::vector<QPointF>& outline) {
    const double rise = f.yb - f.top;
    QPolygonF top;
    for (const QPointF& pt : outline) top << QPointF(f.X(pt.x()), f.yb - 2 - rise * pt.y());
    p.setPen(QPen(kLoad, 1.2));
    p.drawPolyline(top);
    const double t1 = outline.front().x(), t2 = outline.back().x();
    const int arrows = std::max(2, static_cast<int>(std::lround((t2 - t1) * (f.sizes ? 9 : 6))));
    for (int i = 0; i <= arrows; ++i) {
        const double t = t1 + (t2 - t1) * i / arrows;
        double share = 0;
        for (std::size_t k = 1; k < outline.size(); ++k) {
            const QPointF &a = outline[k - 1], &b = outline[k];
            if (t >= a.x() - 1e-9 && t <= b.x() + 1e-9) {
                share = b.x() > a.x() ? a.y() + (b.y() - a.y()) * (t - a.x()) / (b.x() - a.x()) : std::max(a.y(), b.y());
                break;
            }
        }
        if (share * rise < 4) continue;
        Arrow(p, f.X(t), f.yb - 2 - rise * share, f.yb - 1, std::min(f.h * 0.1, share * rise * 0.6));
    }
}

void LoadSymbol(QPainter& p, const Frame& f, int type) {
    QFont font = p.font();
    font.setPixelSize(static_cast<int>(f.h * 0.16));
    font.setItalic(true);
    p.setFont(font);
    const double rise = f.yb - f.top;
    switch (type) {
        case 1:  // a force P at a
            p.setPen(QPen(kLoad, 1.6));
            Arrow(p, f.X(0.35), f.top, f.yb - 1, f.h * 0.12);
            if (f.sizes) {
                Text(p, f, f.X(0.35) + 16, f.top + 6, "P", kLoad);
                Dimension(p, f, 0, 0.35, "a");
            }
            break;
        case 2: {  // a moment M at a
            const double r = rise * 0.42, cx = f.X(0.35), cy = f.yb - r - 2;
            p.setPen(QPen(kLoad, 1.6));
            QPainterPath arc;
            arc.arcMoveTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), 210);
            arc.arcTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), 210, -240);
            p.drawPath(arc);
            // The head at the arc's end, turning clockwise.
            const double end = (210.0 - 240.0) * M_PI / 180.0;
            const QPointF tip(cx + r * std::cos(end), cy - r * std::sin(end));
            const double s = f.h * 0.09;
            const QPointF head[3] = {tip, tip + QPointF(-s, -s * 0.2), tip + QPointF(-s * 0.2, -s)};
            p.setBrush(kLoad);
            p.drawPolygon(head, 3);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(cx, f.yb - 1), 2, 2);
            if (f.sizes) {
                Text(p, f, cx + r + 14, cy - r * 0.6, "M", kLoad);
                Dimension(p, f, 0, 0.35, "a");
            }
            break;
        }
        case 3:  // q over the span
            Distributed(p, f, {{0, 0.7}, {1, 0.7}});
            if (f.sizes) Text(p, f, f.X(0.5), f.top - 2, "q", kLoad);
            break;
        case 4:  // a triangle, q at midspan
            Distributed(p, f, {{0, 0}, {0.5, 1}, {1, 0}});
            if (f.sizes) Text(p, f, f.X(0.5) + 16, f.top + 4, "q", kLoad);
            break;
        case 5:  // a trapezoid, ramps of a at both ends
            Distributed(p, f, {{0, 0}, {0.25, 0.7}, {0.75, 0.7}, {1, 0}});
            if (f.sizes) {
                Text(p, f, f.X(0.5), f.top - 2, "q", kLoad);
                Dimension(p, f, 0, 0.25, "a");
                Dimension(p, f, 0.75, 1, "a");
            }
            break;
        case 6:  // q1 at a rising to q2 at a + c
            Distributed(p, f, {{0.2, 0}, {0.2, 0.4}, {0.75, 0.85}, {0.75, 0}});
            if (f.sizes) {
                Text(p, f, f.X(0.2), f.top + rise * 0.35, "q1", kLoad);
                Text(p, f, f.X(0.75) + 14, f.top - 2, "q2", kLoad);
                Dimension(p, f, 0, 0.2, "a");
                Dimension(p, f, 0.2, 0.75, "c");
            }
            break;
        default:
            break;
    }
}

QPixmap LoadPicture(int type, int w, int h, bool sizes) {
    QPixmap pm(w, h);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    Frame f{double(w), double(h), w * 0.08, w * 0.92, h * (sizes ? 0.6 : 0.72), h * (sizes ? 0.2 : 0.1), sizes};
    p.setPen(QPen(kBeam, sizes ? 3 : 2.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(f.x0, f.yb), QPointF(f.x1, f.yb));
    Pin(p, f, f.x0);
    Pin(p, f, f.x1);
    LoadSymbol(p, f, type);
    return pm;
}

}  // namespace

void RegisterLxlPictures() {
    RegisterBmpResource(IDB_LXL_LEFT_SIMPLE, [] { return EndPicture(false); });
    RegisterBmpResource(IDB_LXL_LEFT_FIXED, [] { return EndPicture(true); });
    for (int t = 0; t < 6; ++t) RegisterBmpResource(kLxlLoadTypePictures[t], [t] { return LoadPicture(t + 1, 96, 40, false); });
}

QPixmap LxlLoadTypePicture(int type) {
    if (type < 1 || type > 6) return {};
    return LoadPicture(type, 220, 110, true);
}
