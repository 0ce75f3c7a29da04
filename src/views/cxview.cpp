#include "views/cxview.h"

#include <QPalette>

CCxView_KV* G_pCxView = nullptr;

CCxView_KV::CCxView_KV(CBbDoc_KV* document, QWidget* parent) : QWidget(parent), m_document(document) {
    setObjectName("CCxView_KV");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
    G_pCxView = this;
}

CCxView_KV::~CCxView_KV() {
    // A closed window must not stay the current drawing view.
    if (G_pCxView == this) G_pCxView = nullptr;
}

bool CCxView_KV::OnCmdMsg(int, CCmdUI*) { return false; }
