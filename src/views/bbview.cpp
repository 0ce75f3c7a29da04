#include "views/bbview.h"

#include "app/commandids.h"
#include "views/cxview.h"

CBbView_KV* G_pBbView = nullptr;

CBbView_KV::CBbView_KV(CBbDoc_KV* document, QWidget* parent) : QTextEdit(parent), m_document(document) {
    setObjectName("CBbView_KV");
    G_pBbView = this;
}

CBbView_KV::~CBbView_KV() {
    // A closed window must not stay the current report view.
    if (G_pBbView == this) G_pBbView = nullptr;
}

bool CBbView_KV::OnCmdMsg(int id, CCmdUI* ui) {
    using namespace kv::cmd;
    switch (id) {
        case kEditUndo:
            if (ui) ui->enabled = document()->isUndoAvailable();
            else undo();
            return true;
        case kEditCut:
            if (ui) ui->enabled = textCursor().hasSelection() && !isReadOnly();
            else cut();
            return true;
        case kEditCopy:
            if (ui) ui->enabled = textCursor().hasSelection();
            else copy();
            return true;
        case kEditPaste:
            if (ui) ui->enabled = canPaste();
            else paste();
            return true;
        case kEditClear:
            if (ui) ui->enabled = textCursor().hasSelection() && !isReadOnly();
            else textCursor().removeSelectedText();
            return true;
        case kEditSelectAll:
            if (!ui) selectAll();
            return true;
        default:
            break;
    }
    if (id >= kZoomOut && id <= kShowPrevious && G_pCxView) return G_pCxView->OnCmdMsg(id, ui);
    return false;
}
