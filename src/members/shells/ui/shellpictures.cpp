#include "members/shells/ui/shellpictures.h"

#include "codes/ui/bmpcombobox.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace {

constexpr QColor kShell(0, 0, 160);
constexpr QColor kBeam(160, 0, 0);

struct Canvas {
    explicit Canvas(int w, int h) : pixmap(w, h) {
        pixmap.fill(Qt::white);
        p.begin(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        QFont font = p.font();
        font.setPixelSize(13);
        p.setFont(font);
    }
    QPixmap Done() {
        p.end();
        return pixmap;
    }
    void Pen(const QColor& color, double width, Qt::PenStyle style = Qt::SolidLine) {
        p.setPen(QPen(color, width, style, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
    }
    // A dimension line with ticks at both ends and its text beside the middle.
    void Dimension(QPointF a, QPointF b, const QString& text, QPointF textOffset) {
        Pen(Qt::black, 1);
        p.drawLine(a, b);
        const QPointF d = b - a;
        const double len = std::hypot(d.x(), d.y());
        const QPointF n(-d.y() / len * 4, d.x() / len * 4);
        p.drawLine(a - n, a + n);
        p.drawLine(b - n, b + n);
        p.drawText((a + b) / 2 + textOffset, text);
    }
    // The shell's section under the plan: a flat arch of rise f over the span.
    void Section(double x0, double x1, double y, const QColor& beam) {
        Pen(kShell, 2);
        QPainterPath arch(QPointF(x0, y));
        arch.quadTo(QPointF((x0 + x1) / 2, y - 44), QPointF(x1, y));
        p.drawPath(arch);
        p.fillRect(QRectF(x0 - 10, y - 2, 12, 16), beam);
        p.fillRect(QRectF(x1 - 2, y - 2, 12, 16), beam);
        Dimension(QPointF(x1 + 18, y), QPointF(x1 + 18, y - 22), "f", QPointF(6, 4));
    }
    QPixmap pixmap;
    QPainter p;
};

QPixmap RectPicture() {
    Canvas c(240, 230);
    const QRectF plan(40, 20, 150, 110);
    c.Pen(kBeam, 5);
    c.p.drawRect(plan);
    c.Pen(kShell, 1, Qt::DashLine);
    c.p.drawLine(QPointF(plan.center().x(), plan.top()), QPointF(plan.center().x(), plan.bottom()));
    c.p.drawLine(QPointF(plan.left(), plan.center().y()), QPointF(plan.right(), plan.center().y()));
    c.p.drawEllipse(plan.center(), 26, 26);
    c.p.drawText(plan.center() + QPointF(4, -8), "r");
    c.Dimension(QPointF(plan.left(), plan.bottom() + 14), QPointF(plan.right(), plan.bottom() + 14), "a", QPointF(-3, 14));
    c.Dimension(QPointF(plan.right() + 14, plan.top()), QPointF(plan.right() + 14, plan.bottom()), "b", QPointF(6, 4));
    c.Section(plan.left(), plan.right(), 205, kBeam);
    return c.Done();
}

QPixmap SixPicture() {
    Canvas c(240, 230);
    const QPointF centre(115, 80);
    const double a = 62;
    QPolygonF hexagon;
    for (int k = 0; k < 6; ++k) {
        const double t = M_PI / 3 * k;
        hexagon << centre + QPointF(a * std::cos(t), a * std::sin(t));
    }
    c.Pen(kBeam, 5);
    c.p.drawPolygon(hexagon);
    c.Pen(kShell, 1, Qt::DashLine);
    c.p.drawEllipse(centre, 22, 22);
    c.p.drawText(centre + QPointF(4, -8), "r");
    c.Dimension(hexagon[4] + QPointF(0, -12), hexagon[5] + QPointF(0, -12), "a", QPointF(-3, -6));
    c.Section(centre.x() - a, centre.x() + a, 205, kBeam);
    return c.Done();
}

QPixmap CirclePicture() {
    Canvas c(240, 230);
    const QPointF centre(115, 80);
    c.Pen(kBeam, 5);
    c.p.drawEllipse(centre, 62, 62);
    c.Pen(kShell, 1, Qt::DashLine);
    c.p.drawEllipse(centre, 22, 22);
    c.Dimension(centre, centre + QPointF(62, 0), "r", QPointF(-3, -6));
    c.Section(centre.x() - 62, centre.x() + 62, 205, kBeam);
    return c.Done();
}

// The ring beam's section with the shell meeting it: e_α and e1_α measured
// from the beam's top to where the shell's middle surface meets its inner face
// and to the beam's centre line.
QPixmap RingPicture() {
    Canvas c(240, 170);
    const QRectF beam(100, 30, 50, 110);
    c.p.fillRect(beam, QColor(230, 210, 210));
    c.Pen(kBeam, 2);
    c.p.drawRect(beam);
    c.Pen(kShell, 2);
    QPainterPath shell(QPointF(10, 30));
    shell.quadTo(QPointF(60, 40), QPointF(beam.left(), 70));
    c.p.drawPath(shell);
    c.Pen(Qt::black, 1, Qt::DashDotLine);
    c.p.drawLine(QPointF(beam.left() - 6, beam.center().y()), QPointF(beam.right() + 50, beam.center().y()));
    c.Dimension(QPointF(beam.right() + 14, beam.top()), QPointF(beam.right() + 14, 70), "eα", QPointF(5, 4));
    c.Dimension(QPointF(beam.right() + 44, beam.top()), QPointF(beam.right() + 44, beam.center().y()), "e1α",
                QPointF(5, 4));
    return c.Done();
}

// The ring beam's support under it: a roller (简支), a wall cast with it (嵌固),
// or a wall that gives (弹性).
QPixmap SupportPicture(int kind) {
    Canvas c(90, 70);
    const QRectF beam(30, 8, 30, 22);
    c.p.fillRect(beam, QColor(230, 210, 210));
    c.Pen(kBeam, 2);
    c.p.drawRect(beam);
    c.Pen(Qt::black, 1.5);
    if (kind == 0) {
        c.p.drawPolygon(QPolygonF({QPointF(45, 30), QPointF(35, 46), QPointF(55, 46)}));
        c.p.drawLine(QPointF(28, 50), QPointF(62, 50));
    } else {
        c.p.fillRect(QRectF(35, 30, 20, 34), kind == 1 ? QColor(200, 200, 200) : QColor(255, 255, 255));
        c.p.drawRect(QRectF(35, 30, 20, 34));
        if (kind == 2)
            for (int k = 0; k < 3; ++k) c.p.drawLine(QPointF(38, 36 + 9 * k), QPointF(52, 40 + 9 * k));
    }
    return c.Done();
}

}  // namespace

void RegisterShellPictures() {
    RegisterBmpResource(IDB_BQ_RECT, [] { return RectPicture(); });
    RegisterBmpResource(IDB_BQ_SIX, [] { return SixPicture(); });
    RegisterBmpResource(IDB_BQ_CIRCLE, [] { return CirclePicture(); });
    RegisterBmpResource(IDB_BQ_RING, [] { return RingPicture(); });
    RegisterBmpResource(IDB_BQ_SUPPORT_JZ, [] { return SupportPicture(0); });
    RegisterBmpResource(IDB_BQ_SUPPORT_QG, [] { return SupportPicture(1); });
    RegisterBmpResource(IDB_BQ_SUPPORT_TX, [] { return SupportPicture(2); });
}
