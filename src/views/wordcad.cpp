#include "views/wordcad.h"

#include "app/commandids.h"
#include "base/globals.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "views/bbdoc.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

std::string G_strPlivoPath;

namespace {

constexpr std::size_t kMaxSourcePath = 512;
constexpr int kMaxWordCopies = 10;

// The entry the project window shows; null when the item has none.
const ChaXunEntry* CurrentEntry(const CBbDoc_KV& doc) {
    if (doc.m_chaXun.empty()) return nullptr;
    // Any entry that was read can be exported, never one past them.
    int last = static_cast<int>(doc.m_chaXun.size()) - 1;
    return &doc.m_chaXun[static_cast<std::size_t>(std::clamp(doc.m_nCurChaXun, 0, last))];
}

// The existing file a work-folder name stands for, empty when there is none or
// the name is too long.
std::string ExistingSource(const std::string& name) {
    std::string source = G_strWorkPath + name;
    if (name.empty() || source.size() > kMaxSourcePath) return {};
    std::string resolved = kv::platform::ResolveExisting(source);
    return !resolved.empty() && kv::platform::FileExists(resolved) ? resolved : std::string();
}

// Byte copy over `target`: a copy that cannot be written whole leaves the old one.
bool CopyOver(const std::string& source, const std::string& target) {
    std::string bytes;
    return kv::platform::ReadFileBytes(source, bytes) && kv::platform::WriteFileAtomically(target, bytes);
}

// The exchange drawing lives in the shared temporary folder: it is written to a
// private temporary file and renamed into place, so that a link planted under
// its name is replaced rather than written through.
bool PutExchangeDrawing(const std::string& source, const std::string& exchange) {
    std::string bytes;
    if (!kv::platform::ReadFileBytes(source, bytes)) return false;
    std::string temp = exchange + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), exchange.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

// A document the word processor has open carries its lock file ".~lock.<name>#"
// beside it. Writing over such a copy succeeds here, but the word processor keeps
// showing what it read and "opens" that again: the copy counts as held.
bool CopyForWordProcessor(const std::string& source, const std::string& target) {
    std::filesystem::path written(kv::platform::ResolveForWrite(target));
    std::filesystem::path lock = written.parent_path() / (".~lock." + written.filename().string() + "#");
    std::error_code ec;
    if (std::filesystem::exists(lock, ec)) return false;
    return CopyOver(source, target);
}

void OpenInWordProcessor(const std::string& path) {
    std::string error;
    if (!kv::platform::Processes().OpenDocument(path, error))
        kv::MessageBox("不能打开文件 " + path + " : " + error, kv::MB_OK | kv::MB_ICONERROR);
}

}  // namespace

int GetPlivoPath() {
    G_strPlivoPath.clear();
    std::string location =
        kv::platform::GetPrivateProfileString(kPlivoSection, kPlivoKey, "", kPlivoProfile);
    if (!location.empty()) G_strPlivoPath = kv::platform::WithTrailingSlash(kv::platform::ToSlashes(location));
    return 1;
}

std::string TempFolderPath() {
    const char* tmp = std::getenv("TMPDIR");
    return kv::platform::WithTrailingSlash(tmp && *tmp ? tmp : "/tmp");
}

int InsDxf(int mode) {
    if (G_strPlivoPath.empty()) {
        kv::MessageBox("没有配置CAD插入程序, 简图不能插入CAD。\n请在 " +
                           kv::platform::ProfilePath(kPlivoProfile) + " 的 [" + kPlivoSection + "] 中以 " +
                           kPlivoKey + "= 给出 " + kInsDxfProgram + " 所在的文件夹。",
                       kv::MB_OK | kv::MB_ICONWARNING);
        return 0;
    }
    std::string tool = kv::platform::ResolveExisting(G_strPlivoPath + kInsDxfProgram);
    if (tool.empty() || !kv::platform::FileExists(tool)) {
        kv::MessageBox("在 " + G_strPlivoPath + " 中没有找到CAD插入程序 " + kInsDxfProgram + " , 简图不能插入CAD。",
                       kv::MB_OK | kv::MB_ICONWARNING);
        return 0;
    }
    return kv::platform::RunOutsideProgram("CAD插入程序", tool, {std::to_string(mode), TempFolderPath() + kExchangeDxf},
                                           G_strPlivoPath)
               ? 1
               : 0;
}

void OnInsertCad(CBbDoc_KV& doc) {
    const ChaXunEntry* entry = CurrentEntry(doc);
    if (!entry) return;
    std::string source = ExistingSource(entry->dxf);
    if (source.empty()) return;
    GetPlivoPath();
    std::string exchange = TempFolderPath() + kExchangeDxf;
    // The tool must not insert a drawing left over from an earlier export.
    if (!PutExchangeDrawing(source, exchange)) {
        kv::MessageBox("不能写入文件 " + exchange + " , 简图不能插入CAD。", kv::MB_OK | kv::MB_ICONERROR);
        return;
    }
    InsDxf(1);
}

void OnWord(CBbDoc_KV& doc) {
    const ChaXunEntry* entry = CurrentEntry(doc);
    if (!entry) return;
    std::string source = ExistingSource(entry->rtf);
    if (source.empty()) return;
    // A copy the word processor still holds cannot be replaced: the next name
    // has one more "0" before ".doc".
    std::string target = G_strWorkPath + "VjPrint2.doc";
    for (int failures = 0; !CopyForWordProcessor(source, target);) {
        if (++failures >= kMaxWordCopies) {
            // Nothing was written: no stale copy is opened.
            kv::MessageBox("打开了太多计算书,请另存或关闭部分计算书!");
            return;
        }
        target.insert(target.size() - 4, "0");
    }
    OpenInWordProcessor(kv::platform::ResolveForWrite(target));
}

void OnOpenBaoBiaoDoc(CBbDoc_KV&) {
    std::string source = kv::platform::ResolveExisting(G_strWorkPath + "BaoBiao.rtf");
    if (source.empty() || !kv::platform::FileExists(source)) return;
    std::string target = G_strWorkPath + "BaoBiao.doc";
    if (!CopyForWordProcessor(source, target)) {
        kv::MessageBox("计算书已打开!");
        return;
    }
    OpenInWordProcessor(kv::platform::ResolveForWrite(target));
}

void InstallExportCommands() {
    CBbDoc_KV::SetCommandHandler(kv::cmd::kInsertCad, OnInsertCad);
    CBbDoc_KV::SetCommandHandler(kv::cmd::kWord, OnWord);
    CBbDoc_KV::SetCommandHandler(kv::cmd::kOpenBaoBiaoDoc, OnOpenBaoBiaoDoc);
}
