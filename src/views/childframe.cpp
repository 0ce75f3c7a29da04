#include "views/childframe.h"

#include "views/bbdoc.h"
#include "views/bbframe.h"
#include "views/bbview.h"
#include "views/cxview.h"
#include "views/splitterframe.h"

#include <QApplication>
#include <QCloseEvent>

CChildFrameBase::CChildFrameBase(int templateId, QWidget* parent)
    : QMdiSubWindow(parent), m_templateId(templateId), m_document(std::make_unique<CBbDoc_KV>()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QString::number(templateId));
    m_document->SetFrame(this);
    connect(m_document.get(), &CBbDoc_KV::titleChanged, this, &QWidget::setWindowTitle);
}

CChildFrameBase::~CChildFrameBase() = default;

bool CChildFrameBase::OnCmdMsg(int id, CCmdUI* ui) {
    // The active view is the drawing view while it has the focus, else the report view.
    QWidget* focus = QApplication::focusWidget();
    CCxView_KV* drawing = DrawingView();
    if (drawing && focus && (focus == drawing || drawing->isAncestorOf(focus))) {
        if (drawing->OnCmdMsg(id, ui)) return true;
    } else if (CBbView_KV* report = ReportView(); report && report->OnCmdMsg(id, ui)) {
        return true;
    }
    if (m_document->OnCmdMsg(id, ui)) return true;
    return OnOwnCommand(id, ui);
}

bool CChildFrameBase::OnOwnCommand(int, CCmdUI*) { return false; }

void CChildFrameBase::closeEvent(QCloseEvent* event) {
    // Mode switches and the main frame have asked already before they force the close.
    if (!m_forceClose && !m_document->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

void CChildFrameBase::ForceClose() {
    m_forceClose = true;
    close();
}

CChildFrameBase* CreateDocumentWindow(int templateId) {
    switch (templateId) {
        case kTemplateProject: return new CSplitterFrame;
        case kTemplateSingle: return new CSplitterFrame1;
        case kTemplateReport: return new CBbFrame;
        default: return nullptr;
    }
}
