#pragma once
// A timed splash window and a dialog with a tiled picture behind it.
#include <QDialog>
#include <QImage>
#include <QString>
#include <QVector>

class QPainter;

// A picture with the palette it is shown with.
class CDibBitmap {
public:
    // Loads the picture file `name` (a bare name is looked up in the program folder).
    // Without a name the picture is released and 1 comes back; 0 when it cannot be read.
    int Load(const QString& name);
    // Covers `rect` with copies of the picture; 0 when none is loaded.
    int DrawTiled(QPainter& painter, const QRect& rect) const;

    bool IsLoaded() const { return !m_image.isNull(); }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // The colour table of a picture of up to 256 colours; empty with a halftone palette.
    const QVector<QRgb>& Palette() const { return m_palette; }
    bool HalftonePalette() const { return m_halftone; }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
    QVector<QRgb> m_palette;
    bool m_halftone = false;
};

class CBmpBkDialog : public QDialog {
    Q_OBJECT
public:
    explicit CBmpBkDialog(QWidget* parent = nullptr);
    CDibBitmap m_bmpBackground;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class CSplashDlg : public CBmpBkDialog {
    Q_OBJECT
public:
    explicit CSplashDlg(QWidget* parent = nullptr);

    QString m_strFileName;     // picture file, empty after construction
    int m_nDisplayTime = 1000;  // milliseconds

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public slots:
    void accept() override;  // Enter does nothing
    void reject() override;

private:
    QImage m_bitmap;
    int m_timer = 0;
    bool m_initialised = false;
};
