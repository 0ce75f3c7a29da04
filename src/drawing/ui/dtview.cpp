#include "drawing/ui/dtview.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWheelEvent>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cmath>

#include "drawing/picture.h"
#include "drawing/ui/render.h"

float G_RatioText = 1.0f;
CFCoor G_ConCoor_bak;

namespace kv::drawing::ui {
double PrintScaleFactor(int clientW, int clientH, int pageW, int pageH) {
    const double cw = clientW > 0 ? clientW : 10;
    const double ch = clientH > 0 ? clientH : 10;
    return std::min(pageW / cw, pageH / ch);
}
}  // namespace kv::drawing::ui

using namespace kv::drawing::ui;

CDtView::CDtView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setMinimumSize(50, 50);
}

CDtView::~CDtView() = default;

void CDtView::SetDrawing(const DXF* dxf) {
    dxf_ = dxf;
    update();
}

int CDtView::GetExtent(CFPoint& lowerLeft, CFPoint& upperRight) {
    if (!dxf_) return 0;
    CFRect r;
    dxf_->GetFRect(r);
    lowerLeft = {r.left, r.bottom};
    upperRight = {r.right, r.top};
    return 1;
}

void CDtView::PushHistory() {
    if (!history_.empty() && history_.back() == coor_) return;
    history_.push_back(coor_);
    if (history_.size() > 64) history_.erase(history_.begin());
}

void CDtView::ZoomAbout(double factor, QPointF d) {
    if (!(factor > 0)) return;
    const CFPoint p = coor_.DPtoFP(d.x(), d.y());
    const double s = coor_.GetScale() * factor;
    if (s > 1e12 || s < 1e-12) return;
    coor_.SetScale(s);
    coor_.SetOrigin(p.x - d.x() / s, p.y + d.y() / s);
    update();
}

void CDtView::OnShowZoomIn() {
    PushHistory();
    ZoomAbout(2.0, QPointF(width() / 2.0, height() / 2.0));
}

void CDtView::OnShowZoomOut() {
    PushHistory();
    ZoomAbout(0.5, QPointF(width() / 2.0, height() / 2.0));
}

void CDtView::OnShowAll() {
    CFPoint lb, rt;
    if (!GetExtent(lb, rt)) return;
    CFCoor fitted = coor_;
    if (!FitExtent({lb.x, lb.y, rt.x, rt.y}, std::max(width(), 1), std::max(height(), 1), fitted)) return;
    PushHistory();
    coor_ = fitted;
    update();
}

void CDtView::OnShowMove() {
    tool_ = Tool::Move;
    setCursor(Qt::OpenHandCursor);
}

void CDtView::OnShowRect() {
    tool_ = Tool::Window;
    setCursor(Qt::CrossCursor);
}

void CDtView::OnShowAgain() { update(); }

void CDtView::OnShowPre() {
    if (history_.empty()) return;
    coor_ = history_.back();
    history_.pop_back();
    update();
}

bool CDtView::DoCommand(int id) {
    switch (id) {
        case ID_SHOW_ZOOMOUT: OnShowZoomOut(); return true;
        case ID_SHOW_ZOOMIN: OnShowZoomIn(); return true;
        case ID_SHOW_ALL: OnShowAll(); return true;
        case ID_SHOW_MOVE: OnShowMove(); return true;
        case ID_SHOW_RECT: OnShowRect(); return true;
        case ID_SHOW_AGAIN: OnShowAgain(); return true;
        case ID_SHOW_PRE: OnShowPre(); return true;
        default: return false;
    }
}

void CDtView::OnDraw(QPainter& painter) {
    if (dxf_) RenderDrawing(painter, *dxf_, coor_, G_RatioText, false);
}

void CDtView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    OnDraw(p);
    if (dragging_ && tool_ == Tool::Window) {
        QPen pen(Qt::white);
        pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(dragStart_, dragNow_).normalized());
    }
}

void CDtView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        // The right button ends a tool.
        tool_ = Tool::None;
        dragging_ = false;
        setCursor(Qt::CrossCursor);
        update();
        return;
    }
    if (e->button() != Qt::LeftButton || tool_ == Tool::None) return;
    dragging_ = true;
    dragStart_ = dragNow_ = e->position().toPoint();
    dragStartCoor_ = coor_;
    if (tool_ == Tool::Move) {
        PushHistory();
        setCursor(Qt::ClosedHandCursor);
    }
}

void CDtView::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return;
    dragNow_ = e->position().toPoint();
    if (tool_ == Tool::Move) {
        const double s = dragStartCoor_.GetScale();
        coor_ = dragStartCoor_;
        coor_.SetOrigin(dragStartCoor_.OriginX() - (dragNow_.x() - dragStart_.x()) / s,
                        dragStartCoor_.OriginY() + (dragNow_.y() - dragStart_.y()) / s);
    }
    update();
}

void CDtView::mouseReleaseEvent(QMouseEvent* e) {
    if (!dragging_ || e->button() != Qt::LeftButton) return;
    dragging_ = false;
    dragNow_ = e->position().toPoint();
    if (tool_ == Tool::Move) {
        setCursor(Qt::OpenHandCursor);
        return;
    }
    if (tool_ == Tool::Window) {
        const QRect r = QRect(dragStart_, dragNow_).normalized();
        tool_ = Tool::None;
        if (r.width() >= 3 && r.height() >= 3) {
            const CFPoint a = coor_.DPtoFP(r.left(), r.bottom());
            const CFPoint b = coor_.DPtoFP(r.right(), r.top());
            CFCoor fitted = coor_;
            // The framed area fills the window (FitExtent adds a small margin).
            if (FitExtent({a.x, a.y, b.x, b.y}, width(), height(), fitted)) {
                PushHistory();
                coor_ = fitted;
            }
        }
        update();
    }
}

void CDtView::wheelEvent(QWheelEvent* e) {
    const int steps = e->angleDelta().y() / 120;
    if (steps == 0) return;
    PushHistory();
    ZoomAbout(std::pow(1.25, steps), e->position());
}

void CDtView::BeginPrinting(int pageW, int pageH) {
    G_ConCoor_bak = coor_;
    coor_.SetScale(coor_.GetScale() * PrintScaleFactor(width(), height(), pageW, pageH));
}

void CDtView::EndPrinting() { coor_ = G_ConCoor_bak; }

void CDtView::PrintTo(QPagedPaintDevice& device) {
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    QPainter p;
    if (!p.begin(&device)) return;
    BeginPrinting(page.width(), page.height());
    if (dxf_) RenderDrawing(p, *dxf_, coor_, G_RatioText, true);
    EndPrinting();
    p.end();
}

void CDtView::ShowPrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dlg(&printer, this);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* pr) { PrintTo(*pr); });
    dlg.exec();
}

void CDtView::ShowPrintDialog() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dlg(&printer, this);
    if (dlg.exec() == QDialog::Accepted) PrintTo(printer);
}

QImage CDtView::MakePicture() const {
    if (!dxf_) return {};
    CFRect r;
    dxf_->GetFRect(r);
    const PictureLayout layout = ComputePictureLayout(r);
    QImage image(std::max(layout.extentW, 1), std::max(layout.extentH, 1), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    // Dots per metre so that the picture measures its hundredths of a millimetre.
    image.setDotsPerMeterX(static_cast<int>(std::lround(layout.extentW * 100000.0 / std::max(layout.sizeW_01mm, 1))));
    image.setDotsPerMeterY(static_cast<int>(std::lround(layout.extentH * 100000.0 / std::max(layout.sizeH_01mm, 1))));
    QPainter p(&image);
    RenderDrawing(p, *dxf_, layout.Coor(), G_RatioText, true);
    return image;
}

namespace {

// The temporary folder is shared with other users: the picture is written only
// into a plain file of our own, never through a link someone left in its place.
bool WritePrivatePicture(const QString& file, const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) return false;
    const QByteArray path = QFile::encodeName(file);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1 &&
              ::ftruncate(fd, 0) == 0;
    for (qsizetype done = 0; ok && done < png.size();) {
        const ssize_t n = ::write(fd, png.constData() + done, static_cast<size_t>(png.size() - done));
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += n;
    }
    return ::close(fd) == 0 && ok;
}

}  // namespace

int CDtView::CopyToClipboard() {
    if (!dxf_) return 0;
    const QImage picture = MakePicture();
    // The file stays in the temporary folder and is rewritten by the next copy.
    const QString tempFolder = QDir::tempPath();
    if (tempFolder.isEmpty() || !QDir(tempFolder).exists()) return 0;
    const QString file = QDir(tempFolder).filePath(QStringLiteral("~vj_tmp.png"));
    if (picture.isNull() || !WritePrivatePicture(file, picture)) return 0;
    QApplication::clipboard()->setImage(picture);
    return 1;
}

// ------------------------------------------------------------------ CDxfWnd

CDxfWnd::CDxfWnd(QWidget* parent) : CDtView(parent), own_(std::make_unique<CBase_SGT>()) {
    SetDrawing(own_.get());
}

void CDxfWnd::SetDxf(const DXF& dxf) {
    own_->New_MemDxf();
    own_->InsertDxf(dxf, 0, 0, 0, 1, 1);
    SetDrawing(own_.get());
    OnShowAll();
}

int CreateDxfWnd(QWidget* dialog, CDxfWnd* wnd, int placeholderId, int border) {
    if (!dialog || !wnd) return 0;
    QWidget* place = dialog->findChild<QWidget*>(QString::number(placeholderId));
    if (!place) return 0;
    QWidget* parent = place->parentWidget() ? place->parentWidget() : dialog;
    wnd->setParent(parent);
    wnd->setGeometry(place->geometry().adjusted(border, border, -border, -border));
    place->hide();
    wnd->show();
    wnd->All();
    return 1;
}
