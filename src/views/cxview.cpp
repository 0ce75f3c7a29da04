#include "views/cxview.h"

#include "app/commandids.h"
#include "base/error.h"
#include "drawing/dxf.h"
#include "platform/services.h"
#include "views/bbdoc.h"
#include "views/dialogs/onefielddlgs.h"

CCxView_KV* G_pCxView = nullptr;

namespace {
constexpr int kSaveDxf = 32799;
constexpr int kReadDxf = 32773;
constexpr int kTextHeight = 32808;
constexpr int kClear = 12792;

kv::platform::FileDialogRequest DxfRequest(const char* title) {
    // No default extension: the file is written by the name chosen.
    return {title, "AutoCAD交换文件(*.DXF)|*.DXF||", "", ""};
}
}  // namespace

CCxView_KV::CCxView_KV(CBbDoc_KV* document, QWidget* parent) : CDtView(parent), m_document(document) {
    setObjectName("CCxView_KV");
    G_pCxView = this;
    if (m_document) SetDrawing(m_document->GetDxf());
}

CCxView_KV::~CCxView_KV() {
    // A closed window must not stay the current drawing view.
    if (G_pCxView == this) G_pCxView = nullptr;
}

void CCxView_KV::showEvent(QShowEvent* event) {
    CDtView::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    OnShowAll();
    update();
}

void CCxView_KV::LoadDxf(const std::string& path) {
    ClearDxf();
    if (m_document) m_document->ReadDxf(path);
    OnDocumentDrawingChanged();
    OnShowAll();
    // Another program's drawing may hold entities this view does not draw: say so
    // rather than show a drawing that looks complete.
    const DXF* drawing = m_document ? m_document->GetDxf() : nullptr;
    if (!drawing || drawing->SkippedEntities().empty()) return;
    int count = 0;
    std::string kinds;
    for (const auto& [type, n] : drawing->SkippedEntities()) {
        count += n;
        kinds += (kinds.empty() ? "" : ", ") + type + " " + std::to_string(n) + "个";
    }
    tell_error(kv::err::kNotice, "图形文件 " + path + " 中有 " + std::to_string(count) + " 个图元不能显示 (" + kinds + ")。");
}

void CCxView_KV::ClearDxf() {
    if (m_document) m_document->FreeDxf();
    OnDocumentDrawingChanged();
}

void CCxView_KV::OnDocumentDrawingChanged() {
    SetDrawing(m_document ? m_document->GetDxf() : nullptr);
    update();
}

int CCxView_KV::CopyToClipboard() {
    if (!m_document || !m_document->GetDxf()) return 0;
    return CDtView::CopyToClipboard();
}

void CCxView_KV::OnSaveDxf() {
    auto path = kv::platform::FileDialogs().GetSaveFileName(DxfRequest("显示简图存为DXF文件"));
    if (!path || !m_document || !m_document->GetDxf()) return;
    if (!m_document->GetDxf()->Write_MemDxf_To_File(path->c_str()))
        kv::MessageBox("不能写入文件 : " + *path, kv::MB_OK | kv::MB_ICONERROR);
}

void CCxView_KV::OnReadDxf() {
    auto path = kv::platform::FileDialogs().GetOpenFileName(DxfRequest("读入DXF文件"));
    if (path) LoadDxf(*path);
}

void CCxView_KV::OnTextHeight() {
    CDlgTextHeight dlg(this);
    dlg.m_fRatio = G_RatioText;
    if (dlg.exec() != QDialog::Accepted) return;
    G_RatioText = dlg.m_fRatio;
    update();
}

void CCxView_KV::OnClear() { ClearDxf(); }

bool CCxView_KV::OnCmdMsg(int id, CCmdUI* ui) {
    using namespace kv::cmd;
    if (id >= kZoomOut && id <= kShowPrevious) {
        if (!ui) DoCommand(id);
        return true;
    }
    switch (id) {
    case kSaveDxf:
        if (!ui) OnSaveDxf();
        return true;
    case kReadDxf:
        if (!ui) OnReadDxf();
        return true;
    case kTextHeight:
        if (!ui) OnTextHeight();
        return true;
    case kClear:
        if (!ui) OnClear();
        return true;
    case kEditCopy:
        if (!ui) CopyToClipboard();
        return true;
    case kFilePrint:
        if (!ui) ShowPrintDialog();
        return true;
    case kFilePrintPreview:
        if (!ui) ShowPrintPreview();
        return true;
    default:
        return false;
    }
}

void DoZoomCommand(CCxView_KV* view, int id) {
    if (view && id >= kv::cmd::kZoomOut && id <= kv::cmd::kShowPrevious) view->DoCommand(id);
}
