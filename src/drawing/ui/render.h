#pragma once
// Painting drawings with QPainter: the views, the preview windows, printing and
// the pictures that reports embed all go through these functions.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

#include "drawing/dxf.h"

namespace kv::drawing::ui {

// The CJK TrueType face that stands in for the SHX fonts.
QString DrawingFontFamily();
// Start-up check of the drawing font: false (after a warning to the user) when
// the face is not installed, so drawings would show Chinese texts in a stand-in.
bool SetUpDrawingFont();

// Paints `dxf` through `coor` (device pixels of the painter). `textFactor` scales
// every text about its insertion point; on white paper colour 7 draws black.
void RenderDrawing(QPainter& painter, const DXF& dxf, const CFCoor& coor, float textFactor = 1.0f,
                   bool whitePaper = false);

// The mapping that shows `extent` whole in a w × h device area, centred, with a
// margin of a twentieth of each side. False (mapping unchanged) for an empty extent.
bool FitExtent(const CFRect& extent, int w, int h, CFCoor& coor);

// The drawing on an image of w × h pixels, fitted whole, on white paper or black.
QImage RenderDxfToImage(const DXF& dxf, int w, int h, bool whitePaper = true);

// Reads a DXF file and writes it as a PNG picture of w × h pixels (white paper).
// A file that cannot be read gives a blank picture; false only when the PNG
// cannot be written or the size is not positive.
bool RenderDxfFileToPng(const QString& dxfPath, const QString& pngPath, int w, int h);

}  // namespace kv::drawing::ui
