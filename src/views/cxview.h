#pragma once
// The drawing view of the project and single-calculation windows: a black pane
// beside the report showing the document's drawing. The newest view is the current
// one (G_pCxView); modules show their drawings through it.
#include "drawing/ui/dtview.h"
#include "views/cmdui.h"

#include <string>

class CBbDoc_KV;

class CCxView_KV : public CDtView {
    Q_OBJECT
public:
    explicit CCxView_KV(CBbDoc_KV* document, QWidget* parent = nullptr);
    ~CCxView_KV() override;

    CBbDoc_KV* GetDocument() const { return m_document; }

    // Shows the DXF file at `path` whole; a missing or bad file shows an empty drawing.
    void LoadDxf(const std::string& path);
    // Drops the drawing.
    void ClearDxf();
    // The drawing as a picture on the clipboard: 1, or 0 when there is none.
    int CopyToClipboard();
    // Shows the document's drawing again after the document changed it.
    void OnDocumentDrawingChanged();

    void OnSaveDxf();     // 32799
    void OnReadDxf();     // 32773
    void OnTextHeight();  // 32808
    void OnClear();       // 12792

    // The drawing commands of this view: zooming, save and read, text height,
    // clear, copy, print and print preview.
    bool OnCmdMsg(int id, CCmdUI* ui);

protected:
    // The first showing fits the drawing to the view's real size.
    void showEvent(QShowEvent* event) override;

private:
    CBbDoc_KV* m_document;
    bool m_shown = false;
};

// Runs a zoom command (57013 to 57019) on a drawing view; other ids do nothing.
void DoZoomCommand(CCxView_KV* view, int id);

extern CCxView_KV* G_pCxView;
