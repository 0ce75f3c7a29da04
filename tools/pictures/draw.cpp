#include "pictures.h"

#include <QPainterPath>
#include <cmath>

std::vector<Picture>& AllPictures() {
    static std::vector<Picture> pictures;
    return pictures;
}

AddPictures::AddPictures(std::initializer_list<Picture> pictures) {
    for (const Picture& picture : pictures) AllPictures().push_back(picture);
}

void SetFont(QPainter& p, int pixelSize, bool bold) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    p.setFont(font);
}

void Text(QPainter& p, QPointF at, const QString& text, int pixelSize) {
    SetFont(p, pixelSize);
    const QStringList lines = text.split('\n');
    const double step = pixelSize * 1.35;
    for (int i = 0; i < lines.size(); ++i) p.drawText(at + QPointF(0, pixelSize + i * step), lines[i]);
}

void TextIn(QPainter& p, const QRectF& box, const QString& text, int pixelSize, int flags) {
    SetFont(p, pixelSize);
    p.drawText(box, flags, text);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width) {
    p.save();
    p.setPen(QPen(colour, width));
    p.setBrush(colour);
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    if (length > 0) {
        const QPointF u = d / length, n(-u.y(), u.x());
        const QPointF head[3] = {to, to - u * 7 + n * 3, to - u * 7 - n * 3};
        p.drawPolygon(head, 3);
    }
    p.restore();
}

void Dimension(QPainter& p, QPointF a, QPointF b, const QString& label) {
    p.save();
    p.setPen(QPen(Qt::black, 1));
    Arrow(p, (a + b) / 2, a, Qt::black, 1);
    Arrow(p, (a + b) / 2, b, Qt::black, 1);
    const bool vertical = std::abs(b.y() - a.y()) > std::abs(b.x() - a.x());
    const QPointF mid = (a + b) / 2;
    SetFont(p, 13);
    if (vertical)
        p.drawText(QRectF(mid.x() + 4, mid.y() - 9, 60, 18), Qt::AlignLeft | Qt::AlignVCenter, label);
    else
        p.drawText(QRectF(mid.x() - 40, mid.y() - 19, 80, 17), Qt::AlignCenter, label);
    p.restore();
}

void Ground(QPainter& p, double x1, double x2, double y) {
    p.save();
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
    p.setPen(QPen(Qt::black, 1));
    for (double x = x1 + 4; x <= x2; x += 8) p.drawLine(QPointF(x, y), QPointF(x - 5, y + 5));
    p.restore();
}

void Soil(QPainter& p, const QRectF& area) {
    p.save();
    p.fillRect(area, QColor(246, 236, 214));
    p.setPen(QPen(QColor(160, 130, 90), 1.5));
    int k = 0;
    for (double y = area.top() + 5; y < area.bottom(); y += 9, ++k)
        for (double x = area.left() + 4 + (k % 2) * 6; x < area.right(); x += 12) p.drawPoint(QPointF(x, y));
    p.restore();
}

void Table(QPainter& p, QPointF topLeft, const std::vector<int>& widths, int rowHeight,
           const std::vector<QStringList>& rows, int pixelSize) {
    p.save();
    double width = 0;
    for (int w : widths) width += w;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double y = topLeft.y() + r * rowHeight;
        if (r == 0) p.fillRect(QRectF(topLeft.x(), y, width, rowHeight), QColor(225, 232, 245));
        double x = topLeft.x();
        for (std::size_t c = 0; c < widths.size(); ++c) {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(x, y, widths[c], rowHeight));
            if (c < static_cast<std::size_t>(rows[r].size()))
                TextIn(p, QRectF(x + 2, y, widths[c] - 4, rowHeight), rows[r][static_cast<int>(c)], pixelSize);
            x += widths[c];
        }
    }
    p.restore();
}

void Burst(QPainter& p, QPointF centre, double radius) {
    p.save();
    QPainterPath star;
    for (int i = 0; i < 16; ++i) {
        const double angle = i * M_PI / 8, r = (i % 2 ? 0.45 : 1.0) * radius;
        const QPointF at = centre + QPointF(std::cos(angle) * r, std::sin(angle) * r);
        if (i == 0) star.moveTo(at);
        else star.lineTo(at);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(200, 60, 0), 1));
    p.setBrush(QColor(255, 170, 0));
    p.drawPath(star);
    p.restore();
}
