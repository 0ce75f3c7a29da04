#include "widgets/ui/dlgbase.h"

#include <QKeyEvent>
#include <QPalette>
#include <QTabBar>

#include "platform/codec.h"

CDlgBase::CDlgBase(QWidget* parent) : QWidget(parent) {}

CDlgBase::~CDlgBase() = default;

int CDlgBase::CreateDlg(QWidget* parent) {
    if (parent) setParent(parent);
    return 1;
}

int CDlgBase::InitDlg() { return 1; }
int CDlgBase::RefreshDlg() { return 1; }
CJsDataBase* CDlgBase::GetJsDataBase() { return nullptr; }
CJsResultBase* CDlgBase::GetJsResultBase() { return nullptr; }
CJiSuanBase* CDlgBase::GetJiSuanBase() { return nullptr; }
int CDlgBase::LoadPrompt(int) { return 1; }
int CDlgBase::AfterJisuan() { return 1; }
void CDlgBase::DiagramSelected(int) {}

int CDlgBase::OnTableMessage(int message, std::uintptr_t wParam, std::intptr_t lParam) {
    return SendToOwner(message, wParam, lParam);
}

int CDlgBase::SendToOwner(int message, std::uintptr_t wParam, std::intptr_t lParam) {
    return owner_ ? owner_->OnTableMessage(message, wParam, lParam) : 0;
}

bool CDlgBase::OnOK() { return false; }
bool CDlgBase::OnCancel() { return false; }

void CDlgBase::keyPressEvent(QKeyEvent* event) {
    bool taken = false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        taken = OnOK();
        break;
    case Qt::Key_Escape:
        taken = OnCancel();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (taken)
        event->accept();
    else
        event->ignore();
}

bool CPageRegister::Add(QWidget* page, const std::string& name) {
    if (!page || Count() >= kMaxPages) return false;
    pages_.push_back({page, std::string(kv::platform::CutToGbkBytes(name, kMaxNameBytes))});
    return true;
}

CButtonST::CButtonST(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
    setDefault(false);
}

void CButtonST::OffsetColor(int which, int offset, bool repaint) {
    if (which != 0 || offset == 0) return;
    QPalette p = palette();
    const QColor face = p.color(QPalette::Button);
    p.setColor(QPalette::Button, face.darker(100 + offset * 100 / 255));
    setPalette(p);
    if (repaint) update();
}

CEnTabCtrl::CEnTabCtrl(QWidget* parent) : QTabWidget(parent) {}

void CEnTabCtrl::SetMinTabWidth(int chars) {
    const int width = fontMetrics().averageCharWidth() * chars;
    tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: %1px; }").arg(width));
}
