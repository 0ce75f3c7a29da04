#include "codes/ui/bianjiebutton.h"

#include <QPainter>
#include <algorithm>

namespace {

const QColor kGrey(192, 192, 192);
const QColor kCornerFill(0, 128, 0);
const QColor kCornerLine(255, 0, 0);
const QColor kPlateFill(192, 192, 255);
const QColor kPlateLine(0, 0, 255);
const QColor kEdge(0, 255, 255);
const QColor kHatch(255, 255, 0);
constexpr int kStrip = 12;   // support strip width outside the plate
constexpr int kCorner = 24;  // corner flag square

// A box given as left, top, right, bottom (right and bottom exclusive), filled
// and outlined with a 1-pixel pen inside it.
void Box(QPainter& p, int l, int t, int r, int b, const QBrush& fill, const QColor& line) {
    if (r <= l || b <= t) return;
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRect(QRect(l, t, r - l, b - t));
    p.setPen(QPen(line, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(l, t, r - l - 1, b - t - 1));
}

}  // namespace

CBianJieButton::CBianJieButton(QWidget* parent) : QAbstractButton(parent) {}

void CBianJieButton::SetBianJie(int bottom, int right, int top, int left, int cornerBL, int cornerBR, int cornerTR,
                                int cornerTL) {
    const int edges[4] = {bottom, right, top, left};
    const int corners[4] = {cornerBL, cornerBR, cornerTR, cornerTL};
    std::copy(edges, edges + 4, m_nBianJie);
    std::copy(corners, corners + 4, m_nJiao);
}

void CBianJieButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int l = 0, t = 0, r = width(), b = height();
    p.fillRect(rect(), kGrey);

    // Corners: bottom-left, bottom-right, top-right, top-left.
    const QPoint corner[4] = {{l, b - kCorner}, {r - kCorner, b - kCorner}, {r - kCorner, t}, {l, t}};
    for (int i = 0; i < 4; ++i)
        if (m_nJiao[i])
            Box(p, corner[i].x(), corner[i].y(), corner[i].x() + kCorner, corner[i].y() + kCorner, kCornerFill,
                kCornerLine);

    Box(p, l + kStrip, t + kStrip, r - kStrip + 1, b - kStrip + 1, kPlateFill, kPlateLine);

    // Edges: the strip outside the plate, and the plate side 12 pixels in.
    struct Edge { QRect strip; QLine side; };
    const Edge edges[4] = {
        {QRect(QPoint(l + kStrip, b - kStrip), QPoint(r - kStrip - 1, b - 1)), QLine(l + kStrip, b - kStrip, r - kStrip, b - kStrip)},
        {QRect(QPoint(r - kStrip, t + kStrip), QPoint(r - 1, b - kStrip - 1)), QLine(r - kStrip, t + kStrip, r - kStrip, b - kStrip)},
        {QRect(QPoint(l + kStrip, t), QPoint(r - kStrip - 1, t + kStrip - 1)), QLine(l + kStrip, t + kStrip, r - kStrip, t + kStrip)},
        {QRect(QPoint(l, t + kStrip), QPoint(l + kStrip - 1, b - kStrip - 1)), QLine(l + kStrip, t + kStrip, l + kStrip, b - kStrip)},
    };
    for (int i = 0; i < 4; ++i) {
        const Edge& e = edges[i];
        switch (m_nBianJie[i]) {
        case 0:
            p.setPen(QPen(kEdge, 2));
            p.drawLine(e.side);
            break;
        case 1:
        case 2: {
            const QBrush hatch(kHatch, m_nBianJie[i] == 1 ? Qt::BDiagPattern : Qt::DiagCrossPattern);
            Box(p, e.strip.left(), e.strip.top(), e.strip.right() + 1, e.strip.bottom() + 1, hatch, kEdge);
            break;
        }
        default: break;
        }
    }
}
