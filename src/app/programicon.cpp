#include "app/commandicons_app.h"

#include <QPainter>
#include <QPixmap>

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        // Ground, then the shelter box with its roof slab and the reinforcement dots.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 118, 80));
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
        p.setBrush(QColor(215, 218, 224));
        p.drawRect(QRectF(10, 18, 44, 36));
        p.setBrush(QColor(120, 128, 140));
        p.drawRect(QRectF(16, 24, 32, 24));
        p.setBrush(QColor(196, 60, 50));
        for (int x = 14; x <= 50; x += 6) p.drawEllipse(QPointF(x, 21), 1.6, 1.6);
        p.setBrush(QColor(250, 250, 246));
        p.drawRect(QRectF(28, 36, 8, 12));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
