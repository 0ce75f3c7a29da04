#include "views/bbview.h"

#include "app/commandids.h"
#include "views/bbdoc.h"
#include "views/cxview.h"
#include "platform/paths.h"
#include "report/ui/reportfile.h"
#include "report/ui/scriptrunner.h"

#include <QBuffer>
#include <cstdio>

CBbView_KV* G_pBbView = nullptr;
int G_bReadRtf = 1;
int G_bSaveRtf = 1;

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

void CBbView_KV::ReadFile(const std::string& path) {
    std::string resolved = kv::platform::ResolveExisting(path);
    std::FILE* probe = resolved.empty() ? nullptr : std::fopen(resolved.c_str(), "rb");
    if (!probe) return;
    std::fclose(probe);
    QString file = QString::fromStdString(resolved);
    G_bReadRtf = kv::report::ui::LooksLikeRtf(file) ? 1 : 0;
    if (kv::report::ui::LoadReport(document(), file, G_bReadRtf != 0)) {
        if (m_document) m_document->SetPathName(file);
        moveCursor(QTextCursor::Start);
    }
    G_bReadRtf = 1;
}

void CBbView_KV::RunScripts() {
    kv::report::ui::ScriptHooks hooks;
    hooks.showDrawing = [](const std::string& dxf) {
        if (G_pCxView) G_pCxView->LoadDxf(dxf);
    };
    hooks.currentPicture = [](int, int, std::string& png) {
        if (!G_pCxView) return false;
        QImage picture = G_pCxView->MakePicture();
        if (picture.isNull()) return false;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!picture.save(&buffer, "PNG")) return false;
        png.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return true;
    };
    kv::report::ui::RunScripts(this, hooks);
}
