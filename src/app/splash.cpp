#include "app/splash.h"

#include "base/globals.h"
#include "platform/paths.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {
QString Locate(const QString& name) {
    std::string path = name.toStdString();
    if (path.find('/') == std::string::npos) path = G_strExePath + path;
    std::string found = kv::platform::ResolveExisting(path);
    return QString::fromStdString(found.empty() ? path : found);
}
}  // namespace

int CDibBitmap::Load(const QString& name) {
    m_image = QImage();
    m_palette.clear();
    m_halftone = false;
    if (name.isEmpty()) return 1;
    QImage image(Locate(name));
    if (image.isNull()) return 0;
    // Colours: the used-colour count, or 2 to the bits per pixel without one.
    qint64 colours = image.colorCount();
    if (colours == 0) colours = qint64(1) << std::min(image.depth(), 32);
    if (colours <= 256)
        m_palette = image.colorTable();
    else
        m_halftone = true;
    m_image = std::move(image);
    return 1;
}

int CDibBitmap::DrawTiled(QPainter& painter, const QRect& rect) const {
    if (m_image.isNull()) return 0;
    for (int y = rect.top(); y <= rect.bottom(); y += m_image.height())
        for (int x = rect.left(); x <= rect.right(); x += m_image.width()) painter.drawImage(x, y, m_image);
    return 1;
}

CBmpBkDialog::CBmpBkDialog(QWidget* parent) : QDialog(parent) {}

void CBmpBkDialog::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!m_bmpBackground.DrawTiled(painter, rect())) QDialog::paintEvent(event);
}

CSplashDlg::CSplashDlg(QWidget* parent) : CBmpBkDialog(parent) {
    setObjectName("8281");
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    resize(320, 200);
}

void CSplashDlg::showEvent(QShowEvent* event) {
    CBmpBkDialog::showEvent(event);
    if (m_initialised) return;
    m_initialised = true;
    QImage image(Locate(m_strFileName));
    if (!m_strFileName.isEmpty() && !image.isNull()) {
        m_bitmap = std::move(image);
        resize(m_bitmap.size());
        if (QScreen* screen = this->screen()) move(screen->geometry().center() - rect().center());
    }
    m_timer = startTimer(m_nDisplayTime);
}

void CSplashDlg::paintEvent(QPaintEvent* event) {
    if (m_bitmap.isNull()) {
        CBmpBkDialog::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_bitmap, rect());
}

void CSplashDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer) reject();
}

void CSplashDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) reject();
}

void CSplashDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    reject();
}

void CSplashDlg::accept() {}

void CSplashDlg::reject() {
    if (m_timer) killTimer(m_timer);
    m_timer = 0;
    CBmpBkDialog::reject();
}
