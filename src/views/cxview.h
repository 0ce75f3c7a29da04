#pragma once
// The drawing view of the project and single-calculation windows: a black pane
// beside the report. The newest view is the current one (G_pCxView); modules show
// their drawings through it.
#include "views/cmdui.h"

#include <QWidget>

class CBbDoc_KV;

class CCxView_KV : public QWidget {
    Q_OBJECT
public:
    explicit CCxView_KV(CBbDoc_KV* document, QWidget* parent = nullptr);
    ~CCxView_KV() override;

    CBbDoc_KV* GetDocument() const { return m_document; }

    // The drawing commands of this view (none until the drawing canvas is in place).
    bool OnCmdMsg(int id, CCmdUI* ui);

private:
    CBbDoc_KV* m_document;
};

extern CCxView_KV* G_pCxView;
