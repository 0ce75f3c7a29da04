#include "views/bbframe.h"

#include "views/bbdoc.h"
#include "views/bbview.h"

CBbFrame::CBbFrame(QWidget* parent) : CChildFrameBase(kTemplateReport, parent) {
    m_view = new CBbView_KV(GetDocument());
    setWidget(m_view);
    m_view->setFocus();
    GetDocument()->SetTitle("无标题");
}
