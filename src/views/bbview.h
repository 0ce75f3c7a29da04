#pragma once
// The report view: a rich-text view over the report document. The newest view is
// the current one (G_pBbView); module code reaches the report through it.
#include "views/cmdui.h"

#include <QTextEdit>

class CBbDoc_KV;

class CBbView_KV : public QTextEdit {
    Q_OBJECT
public:
    explicit CBbView_KV(CBbDoc_KV* document, QWidget* parent = nullptr);
    ~CBbView_KV() override;

    CBbDoc_KV* GetDocument() const { return m_document; }

    // The text-editing commands; the drawing-view commands go on to G_pCxView.
    bool OnCmdMsg(int id, CCmdUI* ui);

private:
    CBbDoc_KV* m_document;
};

extern CBbView_KV* G_pBbView;
