#include "views/bbdoc.h"

#include "app/moduletable.h"
#include "app/worksetting.h"
#include "base/error.h"
#include "base/globals.h"
#include "drawing/base_sgt.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "project/project.h"
#include "views/bbview.h"
#include "views/childframe.h"
#include "views/cxview.h"
#include "views/splitterframe.h"

#include <QComboBox>
#include <QFileInfo>
#include <QSignalBlocker>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {
std::map<int, CBbDoc_KV::Handler>& Handlers() {
    static std::map<int, CBbDoc_KV::Handler> handlers;
    return handlers;
}
CBbDoc_KV::SaveFunction& Saver() {
    static CBbDoc_KV::SaveFunction save;
    return save;
}
}  // namespace

void CBbDoc_KV::SetSaveFunction(SaveFunction save) { Saver() = std::move(save); }

bool CBbDoc_KV::SaveModified() {
    if (!m_modified) return true;
    int answer = kv::MessageBox("是否保存对 " + m_title.toStdString() + " 的修改?",
                                kv::MB_YESNOCANCEL | kv::MB_ICONQUESTION);
    if (answer == kv::IDCANCEL) return false;
    if (answer != kv::IDYES) return true;
    if (Saver()) return Saver()(*this);
    CBbView_KV* view = m_frame ? m_frame->ReportView() : nullptr;
    return view && view->OnSaveRtf();
}

CBbDoc_KV::CBbDoc_KV(QObject* parent) : QObject(parent) {}
CBbDoc_KV::~CBbDoc_KV() = default;

void CBbDoc_KV::FreeDxf() { m_pDxf.reset(); }

int CBbDoc_KV::ReadDxf(const std::string& path) {
    auto dxf = std::make_unique<CBase_SGT>();
    dxf->New_MemDxf();
    int result = dxf->Read_FileDxf_To_Mem(path.c_str());
    m_pDxf = std::move(dxf);
    return result;
}

void CBbDoc_KV::SetDxf(std::unique_ptr<DXF> dxf) { m_pDxf = std::move(dxf); }

void CBbDoc_KV::SetTitle(const QString& title) {
    m_title = title;
    emit titleChanged(title);
}

void CBbDoc_KV::SetPathName(const QString& path) {
    m_pathName = path;
    SetTitle(QFileInfo(path).fileName());
}

void CBbDoc_KV::SetCommandHandler(int id, Handler handler) {
    if (handler)
        Handlers()[id] = std::move(handler);
    else
        Handlers().erase(id);
}

bool CBbDoc_KV::OnCmdMsg(int id, CCmdUI* ui) {
    auto it = Handlers().find(id);
    if (it == Handlers().end()) return false;
    if (!ui) it->second(*this);
    return true;
}

// ---- the project window's item list ------------------------------------------------

namespace {
const char* ModuleName(int row) { return row >= 0 && row < kModuleRows ? G_Module[row].name : ""; }
}  // namespace

std::string CBbDoc_KV::ItemEntryText(int position, const std::string& name, int itemNo) {
    char head[16], tail[24];
    std::snprintf(head, sizeof head, "%02d  ", position);
    std::snprintf(tail, sizeof tail, "(&KV_%04d.DAT)", itemNo);
    return head + name + tail;
}

std::string CBbDoc_KV::ReadItemName(const std::string& itemFile) { return ReadItemNameFromFile(itemFile.c_str()); }

void CBbDoc_KV::ReadChaXun(const std::string& itemFile) {
    m_chaXun = ReadChaXunFromFile(itemFile.c_str());
    m_nChaXun = static_cast<int>(m_chaXun.size());
}

void CBbDoc_KV::RefreshItemList(bool selectLast, bool skipNames) {
    auto* frame = dynamic_cast<CSplitterFrame*>(m_frame);
    QComboBox* items = frame ? frame->ItemCombo() : nullptr;
    QComboBox* results = frame ? frame->ChaXunCombo() : nullptr;
    m_nChaXun = 0;
    m_chaXun.clear();
    if (!items || !results) {
        UpdateTitle(ModuleName(m_nModule));
        return;
    }
    QSignalBlocker blockItems(items);
    QSignalBlocker blockResults(results);
    int remembered = std::max(0, items->currentIndex());
    items->clear();
    if (m_nModule >= 0 && m_nModule < kMaxModules) {
        int count = G_Project.m_nCount[static_cast<std::size_t>(m_nModule)];
        for (int i = 0; i < count && i < kMaxItemsPerModule; ++i) {
            int no = G_Project.m_nItemNo[static_cast<std::size_t>(m_nModule)][static_cast<std::size_t>(i)];
            std::string file = CProject::ItemFileName(no);
            std::string name = skipNames ? std::string() : ReadItemName(file);
            if (i == remembered) ReadChaXun(file);
            items->addItem(QString::fromStdString(ItemEntryText(i + 1, name, no)));
        }
    }
    if (selectLast) {
        items->setCurrentIndex(items->count() > 0 ? items->count() - 1 : -1);
    } else {
        items->setCurrentIndex(remembered < items->count() ? remembered : -1);
    }

    int rememberedResult = std::max(0, results->currentIndex());
    results->clear();
    for (const ChaXunEntry& e : m_chaXun) results->addItem(QString::fromStdString(e.title));
    if (results->count() > 0) results->setCurrentIndex(std::min(rememberedResult, results->count() - 1));
    UpdateTitle(ModuleName(m_nModule));
}

void CBbDoc_KV::OnSelchangeItem() {
    RefreshItemList(false, false);
    auto* frame = dynamic_cast<CSplitterFrame*>(m_frame);
    m_nCurItem = frame && frame->ItemCombo() ? frame->ItemCombo()->currentIndex() : 0;
    ShowChaXun();
}

void CBbDoc_KV::OnSelchangeChaXun() {
    auto* frame = dynamic_cast<CSplitterFrame*>(m_frame);
    m_nCurChaXun = frame && frame->ChaXunCombo() ? frame->ChaXunCombo()->currentIndex() : 0;
    ShowChaXun();
}

void CBbDoc_KV::ShowChaXun() {
    // The chosen entry of those read. An item without entries shows nothing: the
    // views must not go on showing another item's drawing and report.
    int count = std::min(m_nChaXun, static_cast<int>(m_chaXun.size()));
    if (count > 0) {
        int k = std::clamp(m_nCurChaXun, 0, count - 1);
        const ChaXunEntry& e = m_chaXun[static_cast<std::size_t>(k)];
        if (G_pCxView) G_pCxView->LoadDxf(G_strWorkPath + e.dxf);
        const std::string report = G_strWorkPath + e.rtf;
        const std::string found = kv::platform::ResolveExisting(report);
        if (G_pBbView) {
            const bool exists = !found.empty() && kv::platform::FileExists(found);
            if (!exists || !G_pBbView->ReadFile(report)) G_pBbView->ShowMissingReport(report, exists);
        }
    } else {
        if (G_pCxView) G_pCxView->ClearDxf();
        if (G_pBbView) G_pBbView->ClearText();
        // A save must not go to the report shown before.
        if (G_pBbView && G_pBbView->GetDocument()) G_pBbView->GetDocument()->SetPathName(QString());
    }
    UpdateTitle(ModuleName(m_nModule));
}

void CBbDoc_KV::UpdateTitle(const std::string& moduleName) {
    SetTitle(QString::fromStdString(moduleName + kv::app::WorkSetTitleSuffix(G_WorkSet)));
}

// ---- the item commands ---------------------------------------------------------------

namespace {

CBbDoc_KV::ItemRunHost& Host() {
    static CBbDoc_KV::ItemRunHost host;
    return host;
}

// The message window takes this code as the end of an item run.
constexpr int kItemRunEnded = -8899;

void ClearViews() {
    if (G_pCxView) G_pCxView->ClearDxf();
    if (G_pBbView) G_pBbView->ClearText();
}

}  // namespace

void CBbDoc_KV::SetItemRunHost(ItemRunHost host) { Host() = std::move(host); }

void CBbDoc_KV::OnCalculate() {
    ClearViews();
    RunItem(0);
    RefreshItemList(false, false);
    UpdateTitle(ModuleName(m_nModule));
}

void CBbDoc_KV::OnAddItem() {
    ClearViews();
    if (G_Project.AddItem(m_nModule) == 0) return;  // module full or no number free
    RefreshItemList(true, true);
    RunItem(1);
    RefreshItemList(true, false);
    UpdateTitle(ModuleName(m_nModule));
}

void CBbDoc_KV::OnDeleteItem() {
    auto* frame = dynamic_cast<CSplitterFrame*>(m_frame);
    QComboBox* items = frame ? frame->ItemCombo() : nullptr;
    if (!items) return;
    int selected = items->currentIndex();
    if (selected < 0 || selected >= items->count()) return;
    std::string question = "是否真要删除 " + items->itemText(selected).toStdString() + "?";
    if (kv::MessageBox(question, kv::MB_YESNO) != kv::IDYES) return;
    ClearViews();
    G_Project.DeleteItem(m_nModule, selected);
    RefreshItemList(false, false);
    UpdateTitle(ModuleName(m_nModule));
}

void CBbDoc_KV::RunItem(int newItem) {
    auto* frame = dynamic_cast<CSplitterFrame*>(m_frame);
    QComboBox* items = frame ? frame->ItemCombo() : nullptr;
    int selected = items ? items->currentIndex() : -1;
    if (selected < 0 || selected >= items->count() || m_nModule < 0 || m_nModule >= kModuleRows ||
        selected >= G_Project.m_nCount[static_cast<std::size_t>(m_nModule)]) {
        kv::MessageBox("请先点“增加”按钮增加一个项目，再点计算。", kv::MB_OK);
        return;
    }
    ItemRunHost& host = Host();
    if (!host.setItem || !host.runCommand) return;

    const MODULE_INFO& row = G_Module[m_nModule];
    int itemNo = G_Project.m_nItemNo[static_cast<std::size_t>(m_nModule)][static_cast<std::size_t>(selected)];
    char title[64];
    std::snprintf(title, sizeof title, "%s %d", row.name, selected + 1);
    std::string stem = CProject::ItemStem(itemNo);
    host.setItem(title, stem, row.nFlag, newItem);

    // Deleted items leave their files behind and their numbers are given out again:
    // a file found afterwards counts only when the command wrote it.
    const std::string itemFile = G_strWorkPath + stem + ".dat";
    kv::platform::FileStamp before = newItem ? kv::platform::StampOf(itemFile) : kv::platform::FileStamp();
    host.runCommand(row.nID);
    if (newItem) {
        bool exists = host.itemFileExists ? host.itemFileExists() : kv::platform::StampOf(itemFile).exists;
        if (!exists || (before.exists && kv::platform::StampOf(itemFile) == before)) G_Project.DeleteItem(m_nModule, selected);
    }
    if (host.isProjectMode && host.isProjectMode()) tell_error(kItemRunEnded, "");
}

int CBbDoc_KV::StoreItemData(CJsBaseData* data) {
    std::string stem = Host().itemStem ? Host().itemStem() : std::string();
    if (!data || stem.empty()) return 0;  // no item run yet: there is no item to store into
    data->SetFileName(stem);
    std::string path = G_strWorkPath + stem + ".dat";
    int ok = data->SaveData(path.c_str());
    // The item keeps its previous file; the user must know the new data is not in it.
    if (!ok) kv::MessageBox("不能保存文件 : " + path, kv::MB_OK | kv::MB_ICONERROR);
    return ok;
}
