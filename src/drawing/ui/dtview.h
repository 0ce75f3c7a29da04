#pragma once
// CDtView: the drawing canvas. It shows one drawing on a black background through
// a CFCoor mapping and gives the zoom commands (in, out, all, move, window,
// again, previous), printing at page scale and the copy as a picture. The
// shell's drawing view and the preview windows are built on it.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <memory>
#include <vector>

#include "drawing/base_sgt.h"

class QPagedPaintDevice;

// Text-height factor of every drawing view (texts are scaled about their insertion point).
extern float G_RatioText;
// The view's mapping while a print job has it enlarged.
extern CFCoor G_ConCoor_bak;

// Command ids of the zoom tool bar.
namespace kv::drawing::ui {
inline constexpr int ID_SHOW_ZOOMOUT = 57013;
inline constexpr int ID_SHOW_ZOOMIN = 57014;
inline constexpr int ID_SHOW_ALL = 57015;
inline constexpr int ID_SHOW_MOVE = 57016;
inline constexpr int ID_SHOW_RECT = 57017;
inline constexpr int ID_SHOW_AGAIN = 57018;
inline constexpr int ID_SHOW_PRE = 57019;

// Page scale of a print: the smaller of page width / client width and page height
// / client height, a zero client side counting as 10.
double PrintScaleFactor(int clientW, int clientH, int pageW, int pageH);
}  // namespace kv::drawing::ui

class CDtView : public QWidget {
    Q_OBJECT
public:
    enum class Tool { None, Move, Window };

    explicit CDtView(QWidget* parent = nullptr);
    ~CDtView() override;

    // The drawing to show; the view does not own it. nullptr shows nothing.
    void SetDrawing(const DXF* dxf);
    const DXF* Drawing() const { return dxf_; }

    // Extent of what the view shows: 1 with the lower-left and upper-right
    // corners, 0 when there is nothing. Views over other data override it.
    virtual int GetExtent(CFPoint& lowerLeft, CFPoint& upperRight);

    CFCoor& Coor() { return coor_; }
    const CFCoor& Coor() const { return coor_; }
    Tool CurrentTool() const { return tool_; }

    void OnShowZoomIn();
    void OnShowZoomOut();
    void OnShowAll();
    void OnShowMove();    // left-button drags move the drawing until the right button
    void OnShowRect();    // the next left-button drag frames the area to show
    void OnShowAgain();   // redraw as it is
    void OnShowPre();     // back to the view before the last change
    // Runs a zoom command by id; false for an id that is not one.
    bool DoCommand(int id);

    // Printing: the page shows what the window shows, enlarged to the page.
    void BeginPrinting(int pageW, int pageH);
    void EndPrinting();
    // Prints the drawing on `device` (a printer or a PDF writer) at page scale.
    void PrintTo(QPagedPaintDevice& device);
    void ShowPrintPreview();
    void ShowPrintDialog();

    // The drawing as a picture (2000 units on its longer side, 160 mm when
    // pasted) on the clipboard, also written to "~vj_tmp.png" in the temporary
    // folder. 1 on success; 0 with the clipboard unchanged when there is no
    // drawing or the picture cannot be written.
    int CopyToClipboard();
    // The picture that CopyToClipboard puts on the clipboard (null without a drawing).
    QImage MakePicture() const;

protected:
    // Paints the drawing; overlays follow.
    virtual void OnDraw(QPainter& painter);
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

    void PushHistory();
    void ZoomAbout(double factor, QPointF devicePoint);

private:
    const DXF* dxf_ = nullptr;
    CFCoor coor_;
    std::vector<CFCoor> history_;
    Tool tool_ = Tool::None;
    bool dragging_ = false;
    QPoint dragStart_, dragNow_;
    CFCoor dragStartCoor_;
};

// A small preview window of one drawing that it owns (table-window dialogs):
// the dialog draws into Dxf() with the pen calls and then calls All().
class CDxfWnd : public CDtView {
    Q_OBJECT
public:
    explicit CDxfWnd(QWidget* parent = nullptr);
    CBase_SGT& Dxf() { return *own_; }
    // Replaces the drawing with a copy of `dxf` and shows it all.
    void SetDxf(const DXF& dxf);
    void All() { OnShowAll(); }

private:
    std::unique_ptr<CBase_SGT> own_;
};

// Puts `wnd` over the dialog's placeholder control (objectName = the id as
// decimal text) and hides the placeholder. 1, or 0 when there is no such control.
int CreateDxfWnd(QWidget* dialog, CDxfWnd* wnd, int placeholderId, int border = 5);
