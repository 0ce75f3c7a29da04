#include "report/ui/pictures.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPaintDevice>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <cmath>

namespace kv::report::ui {

namespace {

// Decoded pictures kept for repainting: enough for a few screens of them.
constexpr int kCacheKilobytes = 64 * 1024;

QImage Decode(const QVariant& resource, const QSize& size) {
    if (resource.userType() == QMetaType::QImage) {
        QImage image = resource.value<QImage>();
        return size.isValid() && !image.isNull() ? image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                                 : image;
    }
    if (resource.userType() == QMetaType::QPixmap) return Decode(resource.value<QPixmap>().toImage(), size);
    QByteArray bytes = resource.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (size.isValid()) reader.setScaledSize(size);
    return reader.read();
}

}  // namespace

const char* PictureBlip(const QByteArray& bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n")) return "pngblip";
    if (bytes.startsWith("\xff\xd8\xff")) return "jpegblip";
    return nullptr;
}

QSize PictureSize(const QByteArray& bytes) {
    if (!PictureBlip(bytes)) return {};
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QSize size = QImageReader(&buffer).size();
    return size.isValid() && !size.isEmpty() ? size : QSize();
}

ReportPictureHandler::ReportPictureHandler(QObject* parent) : QObject(parent) { m_drawn.setMaxCost(kCacheKilobytes); }

QSizeF ReportPictureHandler::intrinsicSize(QTextDocument* doc, int, const QTextFormat& format) {
    const QTextImageFormat f = format.toImageFormat();
    if (f.hasProperty(QTextFormat::ImageWidth) && f.hasProperty(QTextFormat::ImageHeight))
        return QSizeF(f.width(), f.height());
    const QVariant resource = doc->resource(QTextDocument::ImageResource, QUrl(f.name()));
    QSizeF size = resource.userType() == QMetaType::QByteArray ? QSizeF(PictureSize(resource.toByteArray()))
                                                                 : QSizeF(Decode(resource, {}).size());
    if (!size.isValid()) return {};
    if (f.hasProperty(QTextFormat::ImageWidth)) return QSizeF(f.width(), size.height() * f.width() / size.width());
    if (f.hasProperty(QTextFormat::ImageHeight)) return QSizeF(size.width() * f.height() / size.height(), f.height());
    return size;
}

void ReportPictureHandler::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int,
                                      const QTextFormat& format) {
    const QString name = format.toImageFormat().name();
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QSize pixels(std::max(1, static_cast<int>(std::ceil(rect.width() * ratio))),
                       std::max(1, static_cast<int>(std::ceil(rect.height() * ratio))));
    const QString key = QString("%1|%2x%3").arg(name).arg(pixels.width()).arg(pixels.height());
    if (QPixmap* drawn = m_drawn.object(key)) {
        painter->drawPixmap(rect, *drawn, drawn->rect());
        return;
    }
    QImage image = Decode(doc->resource(QTextDocument::ImageResource, QUrl(name)), pixels);
    if (image.isNull()) return;
    auto* pixmap = new QPixmap(QPixmap::fromImage(std::move(image)));
    painter->drawPixmap(rect, *pixmap, pixmap->rect());
    const qint64 kilobytes = static_cast<qint64>(pixmap->width()) * pixmap->height() * pixmap->depth() / 8 / 1024;
    m_drawn.insert(key, pixmap, static_cast<int>(std::max<qint64>(1, kilobytes)));
}

void DrawPicturesOnDemand(QTextDocument* doc) {
    if (!doc) return;
    doc->documentLayout()->registerHandler(QTextFormat::ImageObject, new ReportPictureHandler(doc));
}

}  // namespace kv::report::ui
