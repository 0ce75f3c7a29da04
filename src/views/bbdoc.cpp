#include "views/bbdoc.h"

#include "platform/services.h"

#include <QFileInfo>

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
    if (answer == kv::IDYES && Saver() && !Saver()(*this)) return false;
    return true;
}

CBbDoc_KV::CBbDoc_KV(QObject* parent) : QObject(parent) {}

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
