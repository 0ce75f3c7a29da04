#pragma once
// The program folder's help pictures, drawn by code so that they can be remade
// (scripts/make-pictures writes them to resources/pictures as PNG files).
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <vector>

struct Picture {
    const char* name;  // the file name without ".png"
    QSize size;
    std::function<void(QPainter&)> draw;
};

std::vector<Picture>& AllPictures();

// A file of pictures registers them with one static object of this type.
struct AddPictures {
    AddPictures(std::initializer_list<Picture> pictures);
};

// ---- drawing helpers ----------------------------------------------------------------
void SetFont(QPainter& p, int pixelSize, bool bold = false);
// Text with its top-left corner (or its box) given.
void Text(QPainter& p, QPointF at, const QString& text, int pixelSize = 13);
void TextIn(QPainter& p, const QRectF& box, const QString& text, int pixelSize = 13, int flags = Qt::AlignCenter);
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour = Qt::red, double width = 1.5);
// A dimension between a and b with its text beside the middle.
void Dimension(QPainter& p, QPointF a, QPointF b, const QString& label);
// Ground surface: a line with short strokes below it.
void Ground(QPainter& p, double x1, double x2, double y);
// Soil: a dotted region.
void Soil(QPainter& p, const QRectF& area);
// A table: first row the head, every cell centred; column widths in pixels.
void Table(QPainter& p, QPointF topLeft, const std::vector<int>& widths, int rowHeight,
           const std::vector<QStringList>& rows, int pixelSize = 13);
// A burst: a small star.
void Burst(QPainter& p, QPointF centre, double radius);
