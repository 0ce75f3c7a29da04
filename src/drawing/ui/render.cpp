#include "drawing/ui/render.h"

#include "platform/services.h"

#include <QFontDatabase>

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace kv::drawing::ui {

namespace {

QColor Rgb(unsigned rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

class PainterSurface : public CDrawSurface {
public:
    explicit PainterSurface(QPainter& p) : p_(p) { font_.setFamily(DrawingFontFamily()); }

    void Path(const std::vector<double>& xy, bool closed, unsigned rgb, double width,
              const std::vector<double>& dashes) override {
        if (xy.size() < 4) return;
        QPen pen(Rgb(rgb));
        pen.setWidthF(width);
        pen.setCosmetic(true);
        if (!dashes.empty()) {
            // Qt measures dashes in pen widths; a cosmetic pen is one pixel wide.
            QList<qreal> pattern;
            for (double d : dashes) pattern << std::max(d, 1.0);
            if (pattern.size() % 2) pattern << pattern.back();
            pen.setDashPattern(pattern);
        }
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        QPolygonF poly;
        for (std::size_t i = 0; i + 1 < xy.size(); i += 2) poly << QPointF(xy[i], xy[i + 1]);
        if (closed) p_.drawPolygon(poly);
        else p_.drawPolyline(poly);
    }

    void Fill(const std::vector<double>& xy, unsigned rgb) override {
        if (xy.size() < 6) return;
        QPolygonF poly;
        for (std::size_t i = 0; i + 1 < xy.size(); i += 2) poly << QPointF(xy[i], xy[i + 1]);
        QPen pen(Rgb(rgb));
        pen.setCosmetic(true);
        p_.setPen(pen);  // thin bands still show as one pixel
        p_.setBrush(Rgb(rgb));
        p_.drawPolygon(poly, Qt::WindingFill);
    }

    void Text(double x, double y, double height, double width, double angle, const std::string& utf8,
              unsigned rgb) override {
        if (height < 1.5 || width <= 0) return;  // too small to read
        if (height > 20000) return;              // zoomed far into one character
        const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        // The SHX cell height is the height of a capital or a Chinese character; the
        // TrueType face is scaled so its characters fill the same cell and width.
        font_.setPixelSize(std::max(1, static_cast<int>(std::lround(height * 1.1))));
        const QFontMetricsF fm(font_);
        const double advance = fm.horizontalAdvance(text);
        if (advance <= 0) return;
        p_.save();
        p_.translate(x, y);
        p_.rotate(angle);
        p_.scale(width / advance, 1.0);
        p_.setFont(font_);
        p_.setPen(Rgb(rgb));
        p_.drawText(QPointF(0, 0), text);
        p_.restore();
    }

private:
    QPainter& p_;
    QFont font_;
};

}  // namespace

QString DrawingFontFamily() { return QStringLiteral("WenQuanYi Micro Hei"); }

bool SetUpDrawingFont() {
    // By its own name: under a Chinese locale the font list gives 文泉驿微米黑.
    if (QFontDatabase::hasFamily(DrawingFontFamily())) return true;
    kv::MessageBox("找不到绘图字体 " + DrawingFontFamily().toStdString() +
                       " ，图中的汉字将以其它字体显示。\n请安装 fonts-wqy-microhei。",
                   kv::MB_OK | kv::MB_ICONWARNING);
    return false;
}

void RenderDrawing(QPainter& painter, const DXF& dxf, const CFCoor& coor, float textFactor,
                   bool whitePaper) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PainterSurface surface(painter);
    dxf.Draw(surface, coor, textFactor, whitePaper);
    painter.restore();
}

bool FitExtent(const CFRect& extent, int w, int h, CFCoor& coor) {
    if (w <= 0 || h <= 0) return false;
    double ew = extent.Width(), eh = extent.Height();
    if (!(ew >= 0) || !(eh >= 0)) return false;
    const double mw = std::max(ew * 1.1, 1e-6), mh = std::max(eh * 1.1, 1e-6);
    double s = std::min(w / mw, h / mh);
    if (ew <= 0 && eh <= 0) s = 1.0;  // a single point: any scale shows it
    const double cx = (double(extent.left) + extent.right) / 2, cy = (double(extent.bottom) + extent.top) / 2;
    coor.SetScale(s);
    coor.SetOrigin(cx - w / 2.0 / s, cy + h / 2.0 / s);
    return true;
}

QImage RenderDxfToImage(const DXF& dxf, int w, int h, bool whitePaper) {
    QImage image(std::max(w, 1), std::max(h, 1), QImage::Format_ARGB32_Premultiplied);
    image.fill(whitePaper ? Qt::white : Qt::black);
    CFRect r;
    CFCoor coor;
    if (dxf.GetFRect(r) && FitExtent(r, image.width(), image.height(), coor)) {
        QPainter p(&image);
        RenderDrawing(p, dxf, coor, 1.0f, whitePaper);
    }
    return image;
}

bool RenderDxfFileToPng(const QString& dxfPath, const QString& pngPath, int w, int h) {
    if (w <= 0 || h <= 0) return false;
    DXF dxf;
    dxf.Read_FileDxf_To_Mem(dxfPath.toUtf8().constData());
    const QImage image = RenderDxfToImage(dxf, w, h, true);
    return image.save(pngPath, "PNG");
}

}  // namespace kv::drawing::ui
