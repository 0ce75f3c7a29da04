#pragma once
// Report pictures stay in memory as the PNG or JPEG bytes the report holds: a
// project's combined report has hundreds of them, each some megabytes once
// decoded. They are decoded only where they are drawn, at the size drawn.
#include <QByteArray>
#include <QCache>
#include <QObject>
#include <QPixmap>
#include <QSize>
#include <QTextObjectInterface>

class QTextDocument;

namespace kv::report::ui {

// The RTF picture kind of PNG or JPEG bytes ("pngblip", "jpegblip"); nullptr for
// anything else.
const char* PictureBlip(const QByteArray& bytes);

// Pixel size of PNG or JPEG bytes, read from their header; invalid when they are
// neither or the header is broken.
QSize PictureSize(const QByteArray& bytes);

// Draws a document's pictures: decoded when painted, at the painted size, and
// kept for the next paints within a bounded cache.
class ReportPictureHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit ReportPictureHandler(QObject* parent = nullptr);
    QSizeF intrinsicSize(QTextDocument* doc, int posInDocument, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int posInDocument,
                    const QTextFormat& format) override;

private:
    QCache<QString, QPixmap> m_drawn;  // cost: kilobytes
};

// Makes the document's layout draw its pictures through a ReportPictureHandler.
void DrawPicturesOnDemand(QTextDocument* doc);

}  // namespace kv::report::ui
