#include "project/ui/modulecommands.h"

#include "base/globals.h"
#include "platform/paths.h"
#include "platform/services.h"

#include <QPointer>

#include <map>
#include <string>
#include <vector>

namespace {

std::map<int, ModuleCommand>& Installed() {
    static std::map<int, ModuleCommand> commands;
    return commands;
}

// Every module command of the module rows (in any work setting) and bar selection,
// with the name the message uses while its module is missing.
struct KnownCommand {
    int id;
    const char* name;
};
constexpr KnownCommand kKnown[] = {
    {32809, "顶板"},     {32846, "底板"},         {32844, "外墙"},           {32788, "临空墙"},
    {32845, "单元隔墙"}, {32852, "内墙"},         {32794, "门框墙"},         {32843, "窗井墙"},
    {32810, "连续梁"},   {32811, "井字梁"},       {32812, "无梁楼盖"},       {32830, "刚架"},
    {32816, "矩形底球面扁壳"}, {32818, "圆形底球面扁壳"}, {32817, "正六边形底球面扁壳"},
    {32793, "梁截面配筋"}, {32796, "柱截面配筋"}, {32819, "衬砌"},           {32786, "选筋"},
    {32790, "消波"},
};

std::string NameOf(int id) {
    for (const KnownCommand& known : kKnown)
        if (known.id == id) return known.name;
    return std::to_string(id);
}

void RunInstalled(CMainFrame& frame, int id) {
    auto it = Installed().find(id);
    if (it == Installed().end() || !it->second) {
        kv::MessageBox("“" + NameOf(id) + "”模块尚未提供，暂不能使用。", kv::MB_OK | kv::MB_ICONINFORMATION);
        return;
    }
    // The command may install another in its place: run a copy.
    ModuleCommand run = it->second;
    run(frame);
}

// Frames set up so far (a frame leaves the list when it goes).
std::vector<QPointer<CMainFrame>>& SetUpFrames() {
    static std::vector<QPointer<CMainFrame>> frames;
    return frames;
}

void Route(CMainFrame& frame, int id) {
    frame.SetCommandHandler(id, [&frame, id] { RunInstalled(frame, id); });
}

}  // namespace

void SetModuleCommand(int id, ModuleCommand run) {
    if (!run) {
        Installed().erase(id);
        return;
    }
    Installed()[id] = std::move(run);
    // Frames set up before know only the commands there were then.
    for (const QPointer<CMainFrame>& frame : SetUpFrames())
        if (frame) Route(*frame, id);
}

void InstallModuleCommands(CMainFrame& frame) {
    auto& frames = SetUpFrames();
    std::erase_if(frames, [](const QPointer<CMainFrame>& f) { return f.isNull(); });
    frames.emplace_back(&frame);
    for (const KnownCommand& known : kKnown) Route(frame, known.id);
    for (const auto& [id, run] : Installed()) Route(frame, id);
}

namespace {

std::string ItemPath(const CMainFrame& frame) { return G_strWorkPath + frame.m_strItemStem + ".dat"; }

void SaveItemFile(CJsBaseData& data, const std::string& path) {
    if (!data.SaveData(path.c_str())) kv::MessageBox("不能保存文件 : " + path, kv::MB_OK | kv::MB_ICONERROR);
}

}  // namespace

ItemBinding BindItemData(CMainFrame& frame, CJsBaseData& data, const ModuleCommandOptions& options) {
    // The chooser belongs to the diagrams shown before; an empty object hides it.
    CJsBaseData none;
    ShowJianTu(&none);
    // Without an item run there is no item file to bind to.
    if (!frame.m_bProjectMode || frame.m_strItemStem.empty()) return ItemBinding::Unbound;
    data.m_strName = frame.m_strItemTitle;
    data.SetFileName(frame.m_strItemStem);
    std::string path = ItemPath(frame);
    // A new item starts as a copy of what the object holds now. Why a file cannot
    // be read is the module reader's to say; here only that it is left alone.
    if (frame.m_bNewItem) {
        if (!options.storeAfterDialog) SaveItemFile(data, path);
    } else if (!data.LoadData(path.c_str()) && kv::platform::FileExists(path)) {
        kv::MessageBox("不能读入文件 : " + path + "\n文件保持原样, 本项不能计算。", kv::MB_OK | kv::MB_ICONERROR);
        return ItemBinding::Unreadable;
    }
    return ItemBinding::Bound;
}

void StoreBoundItemData(CMainFrame& frame, CJsBaseData& data) {
    data.SetFileName(frame.m_strItemStem);
    SaveItemFile(data, ItemPath(frame));
}
