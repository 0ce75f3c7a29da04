#include "loads/ui/wizardpictures.h"

#include "codes/ui/bmpcombobox.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

const QColor kMember(0, 0, 160);
const QColor kMode(220, 0, 0);
const QColor kPlateFill(192, 192, 255);

// ---- beams --------------------------------------------------------------------

constexpr int kBeamW = 132, kBeamH = 40;
constexpr int kBeamY = 13;              // the beam's axis
constexpr int kBeamX0 = 14, kBeamX1 = 118;

enum Support { kFree, kPin, kFixed };

struct BeamCase {
    int spans;
    Support left, right;  // the ends; inner supports are pins
};

// In the order of the frequency formula's cases 1..10.
constexpr BeamCase kBeams[kBeamCaseCount] = {
    {1, kFixed, kFree}, {1, kPin, kPin},   {1, kFixed, kPin},   {1, kFixed, kFixed}, {2, kPin, kPin},
    {2, kFixed, kPin},  {2, kFixed, kFixed}, {3, kPin, kPin}, {3, kFixed, kPin},   {3, kFixed, kFixed},
};

void Pin(QPainter& p, double x) {
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::NoBrush);
    const QPointF tri[3] = {{x, kBeamY + 2.0}, {x - 5, kBeamY + 11.0}, {x + 5, kBeamY + 11.0}};
    p.drawPolygon(tri, 3);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(x - 8, kBeamY + 12), QPointF(x + 8, kBeamY + 12));
    for (double h = x - 6; h <= x + 8; h += 4) p.drawLine(QPointF(h, kBeamY + 12), QPointF(h - 3, kBeamY + 15));
}

// A wall the beam end is built into; `side` -1 on the left, +1 on the right.
void Fixed(QPainter& p, double x, int side) {
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(x, kBeamY - 10), QPointF(x, kBeamY + 10));
    p.setPen(QPen(Qt::black, 1));
    for (double y = kBeamY - 9; y <= kBeamY + 10; y += 4) p.drawLine(QPointF(x, y), QPointF(x + 4 * side, y - 4));
}

// The first mode: each span bulges the same way; a fixed end and an inner
// support leave it level, a pin lets it turn, a free end follows it.
QPixmap BeamPicture(const BeamCase& c) {
    QPixmap pm(kBeamW, kBeamH);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double span = double(kBeamX1 - kBeamX0) / c.spans;

    QPainterPath mode;
    mode.moveTo(kBeamX0, kBeamY);
    for (int s = 0; s < c.spans; ++s) {
        const bool fixedLeft = s > 0 || c.left == kFixed;
        const bool fixedRight = s < c.spans - 1 || c.right == kFixed;
        for (int i = 1; i <= 40; ++i) {
            const double t = i / 40.0;
            double w;
            if (c.right == kFree)
                w = t * t * (3 - t) / 2;  // cantilever from the left
            else
                w = std::pow(t, fixedLeft ? 2 : 1) * std::pow(1 - t, fixedRight ? 2 : 1) * (fixedLeft && fixedRight ? 16 : 6.75);
            mode.lineTo(kBeamX0 + (s + t) * span, kBeamY + 9 * w);
        }
    }
    p.setPen(QPen(kMode, 1.2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mode);

    p.setPen(QPen(kMember, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(kBeamX0, kBeamY, kBeamX1, kBeamY);

    if (c.left == kFixed) Fixed(p, kBeamX0 - 1, -1);
    else if (c.left == kPin) Pin(p, kBeamX0);
    if (c.right == kFixed) Fixed(p, kBeamX1 + 1, +1);
    else if (c.right == kPin) Pin(p, kBeamX1);
    for (int s = 1; s < c.spans; ++s) Pin(p, kBeamX0 + s * span);

    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(Qt::black);
    for (int s = 0; s < c.spans; ++s)
        p.drawText(QRectF(kBeamX0 + s * span, kBeamY + 15, span, 12), Qt::AlignCenter, QStringLiteral("L"));
    return pm;
}

// ---- plates -------------------------------------------------------------------

constexpr int kPlateW = 84, kPlateH = 42;
constexpr QRect kPlate(16, 6, 46, 20);  // a along x, b along y

// Fixed edges, order bottom, right, top, left.
constexpr int kPlates[kPlateCaseCount][4] = {
    {0, 0, 0, 0}, {1, 1, 1, 1}, {0, 1, 0, 1}, {0, 1, 1, 0}, {0, 1, 1, 1}, {0, 0, 1, 0},
};

void HatchEdge(QPainter& p, QPointF from, QPointF to, QPointF out) {
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(from, to);
    p.setPen(QPen(Qt::black, 1));
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    const QPointF unit = along / length;
    for (double d = 1; d <= length; d += 4) {
        const QPointF at = from + unit * d;
        p.drawLine(at, at + out * 4 - unit * 3);
    }
}

QPixmap PlatePicture(const int fixed[4]) {
    QPixmap pm(kPlateW, kPlateH);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(kPlate);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kPlateFill);
    p.drawRect(r);
    const QPointF bl = r.bottomLeft(), br = r.bottomRight(), tr = r.topRight(), tl = r.topLeft();
    if (fixed[0]) HatchEdge(p, bl, br, {0, 1});
    if (fixed[1]) HatchEdge(p, br, tr, {1, 0});
    if (fixed[2]) HatchEdge(p, tr, tl, {0, -1});
    if (fixed[3]) HatchEdge(p, tl, bl, {-1, 0});

    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(r.left(), r.bottom() + 4, r.width(), 11), Qt::AlignCenter, QStringLiteral("a"));
    p.drawText(QRectF(r.right() + 6, r.top(), 12, r.height()), Qt::AlignCenter, QStringLiteral("b"));
    return pm;
}

}  // namespace

void RegisterSupportCasePictures() {
    for (int i = 0; i < kBeamCaseCount; ++i)
        RegisterBmpResource(IDB_BEAM_CASE1 + i, [i] { return BeamPicture(kBeams[i]); });
    for (int i = 0; i < kPlateCaseCount; ++i)
        RegisterBmpResource(IDB_PLATE_CASE1 + i, [i] { return PlatePicture(kPlates[i]); });
}
