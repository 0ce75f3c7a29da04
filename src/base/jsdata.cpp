#include "base/jsdata.h"

#include "base/textio.h"
#include "platform/codec.h"
#include "platform/services.h"

#include <cstring>

namespace {

// The marker line is read as the module files' own lines are.
constexpr int kMarkerLineBytes = 290;

constexpr std::size_t kTitleBytes = 99;  // GBK bytes of a query title
constexpr std::size_t kFileBytes = 59;   // GBK bytes of a query file name

std::string_view TrimBlanks(std::string_view s) {
    // A lone CR counts as a blank: a save writes it as one.
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// A text written on one line of a data file: line ends would split it.
std::string OneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\n' || c == '\r') c = ' ';
    return out;
}

// A file name in a "##ChaXun" line: the fields are separated by commas.
std::string FieldText(std::string_view text) {
    std::string out = OneLine(text);
    for (char& c : out)
        if (c == ',') c = '_';
    return out;
}

}  // namespace

bool ParseChaXunLine(std::string_view line, ChaXunEntry& entry) {
    std::size_t at = line.find("##ChaXun");
    if (at == std::string_view::npos) return false;
    line = TrimBlanks(line.substr(at));
    std::size_t first = line.find(',');
    std::size_t last = line.rfind(',');
    if (first == std::string_view::npos || last == first) return false;
    std::size_t middle = line.rfind(',', last - 1);
    if (middle == first || middle == std::string_view::npos) return false;
    std::string_view title = TrimBlanks(line.substr(first + 1, middle - first - 1));
    std::string_view dxf = TrimBlanks(line.substr(middle + 1, last - middle - 1));
    std::string_view rtf = TrimBlanks(line.substr(last + 1));
    // Trimmed again after the cut: a blank left at the end would be lost once saved.
    entry.title = TrimBlanks(kv::platform::CutToGbkBytes(title, kTitleBytes));
    entry.dxf = TrimBlanks(kv::platform::CutToGbkBytes(dxf, kFileBytes));
    entry.rtf = TrimBlanks(kv::platform::CutToGbkBytes(rtf, kFileBytes));
    return true;
}

bool ParseNameLine(std::string_view line, std::string& name) {
    std::size_t at = line.find("##Name");
    if (at == std::string_view::npos) return false;
    // "##Name" and one separator: a plain character. A name written right after
    // the marker starts at once, so that its first character is read whole.
    std::size_t from = at + 6;
    if (from < line.size() && static_cast<unsigned char>(line[from]) < 0x80 && line[from] != '\n' && line[from] != '\r')
        ++from;
    name = from < line.size() ? std::string(line.substr(from)) : std::string();
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
    return true;
}

std::string ReadItemNameFromFile(const char* name) {
    std::string result;
    std::FILE* fp = open_file_no_comment(name, "rt");
    if (!fp) return result;
    std::string line;
    while (fgets_line(line, 290, fp)) {
        if (ParseNameLine(line, result)) break;
    }
    close_file(fp);
    return result;
}

std::vector<ChaXunEntry> ReadChaXunFromFile(const char* name) {
    std::vector<ChaXunEntry> entries;
    std::FILE* fp = open_file_no_comment(name, "rt");
    if (!fp) return entries;
    std::string line;
    while (entries.size() < static_cast<std::size_t>(kMaxChaXun) && fgets_line(line, 4096, fp)) {
        ChaXunEntry entry;
        if (ParseChaXunLine(line, entry)) entries.push_back(std::move(entry));
    }
    close_file(fp);
    return entries;
}

CJsBaseData::CJsBaseData() = default;
CJsBaseData::~CJsBaseData() = default;

int CJsBaseData::LoadData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "rt");
    if (!fp) return 0;
    LoadData(fp);
    close_file(fp);
    SetFileName_(path);
    return 1;
}

int CJsBaseData::SaveData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "wt");
    if (!fp) return 0;
    if (!SaveData(fp)) {
        close_file(fp);
        return 0;
    }
    if (commit_file(fp) != 0) return 0;
    SetFileName_(path);
    return 1;
}

void CJsBaseData::SetFileName(const std::string& stem) { m_strStem = stem; }

int CJsBaseData::LoadData(std::FILE* fp) {
    if (!fp) return 0;
    std::string line;
    bool first = true;
    int entries = 0;
    while (fgets_skip_comment(line, 4096, fp)) {
        std::string name;
        if (ParseNameLine(line, name)) {
            m_strName = name;
            continue;
        }
        ChaXunEntry entry;
        if (entries < kMaxDiagrams && ParseChaXunLine(line, entry)) {
            if (first) {
                // The file's entries replace the ones named so far.
                m_nJtNum = 0;
                first = false;
            }
            SetJt(entries++, entry.title, entry.dxf, entry.rtf);
        }
    }
    return 1;
}

int CJsBaseData::SaveData(std::FILE* fp) {
    if (!fp) return 0;
    std::fprintf(fp, "##Name,%s\n", OneLine(m_strName).c_str());
    for (int k = 0; k < m_nJtNum && k < kMaxDiagrams; ++k) {
        std::fprintf(fp, "##ChaXun,%s,%s,%s\n", OneLine(m_strJtTitle[k]).c_str(), FieldText(m_strDxfName[k]).c_str(),
                     FieldText(m_strRtfName[k]).c_str());
    }
    return 1;
}

void CJsBaseData::SetBiaoShi(std::FILE* fp, const char* marker) {
    if (fp && marker) std::fprintf(fp, "%s\n", marker);
}

int CJsBaseData::CheckBiaoShi(std::FILE* fp, const char* marker) {
    if (!fp || !marker) return 0;
    std::string line;
    if (!fgets_skip_comment(line, 4096, fp)) return 0;
    return TrimBlanks(line) == TrimBlanks(marker) ? 1 : 0;
}

void CJsBaseData::SetFileName_(const std::string& path) { m_strFileName = path; }

int CJsBaseData::SaveMarkedData(const char* path, const char* marker, const std::function<void(std::FILE*)>& writeFields) {
    std::FILE* fp = open_file_no_comment(path, "wt");
    if (!fp) return 0;
    SetBiaoShi(fp, marker);
    writeFields(fp);
    SaveData(fp);
    if (commit_file(fp) != 0) return 0;
    SetFileName_(path);
    return 1;
}

int CJsBaseData::LoadMarkedData(const char* path, const char* marker, const char* olderMarker,
                                const std::function<bool(std::FILE*, bool older)>& readFields) {
    std::FILE* fp = open_file_no_comment(path, "rt");
    if (!fp) return 0;
    std::string line;
    const bool read = fgets_line(line, kMarkerLineBytes, fp);
    const bool older = read && olderMarker && line.find(olderMarker) != std::string::npos;
    if (!older && (!read || line.find(marker) == std::string::npos)) {
        close_file(fp);
        kv::MessageBox("文件类型不匹配 !");
        return 0;
    }
    if (!readFields(fp, older)) {
        close_file(fp);
        kv::MessageBox(std::string("数据文件不完整 : ") + path);
        return 0;
    }
    LoadData(fp);
    close_file(fp);
    SetFileName_(path);
    return 1;
}

void CJsBaseData::SetSingleEntry(const std::string& stem, const std::string& suffix) {
    m_strStem = stem;
    m_nJtNum = 0;
    SetJt(0, "查询内容", stem + suffix + ".DXF", stem + suffix + ".RTF");
}

std::string CJsBaseData::GetDxfFileName(int k) const {
    return k >= 0 && k < kMaxDiagrams ? m_strDxfName[k] : std::string();
}

std::string CJsBaseData::GetRtfFileName(int k) const {
    return k >= 0 && k < kMaxDiagrams ? m_strRtfName[k] : std::string();
}

std::string CJsBaseData::GetJtTitle(int k) const {
    return k >= 0 && k < kMaxDiagrams ? m_strJtTitle[k] : std::string();
}

void CJsBaseData::SetJt(int k, const std::string& title, const std::string& dxf, const std::string& rtf) {
    if (k < 0 || k >= kMaxDiagrams) return;
    m_strJtTitle[k] = title;
    m_strDxfName[k] = dxf;
    m_strRtfName[k] = rtf;
    if (m_nJtNum < k + 1) m_nJtNum = k + 1;
}

// ---- CJsDataBase ----------------------------------------------------------------

int CJsDataBase::CheckData() { return 1; }
void CJsDataBase::SetBiaoShi(std::FILE* fp, const char* marker, int) { CJsBaseData::SetBiaoShi(fp, marker); }
int CJsDataBase::CheckBiaoShi(std::FILE* fp, const char* marker, int) { return CJsBaseData::CheckBiaoShi(fp, marker); }

void CJsDataBase::Remove_Result_Files() {
    std::string res = GetResFileName();
    if (!res.empty()) RemoveFile_InWorkPath(res.c_str());
}

int CJsDataBase::CopyModelFiles(const char*) { return 1; }

std::string CJsDataBase::GetDataFileName() const { return m_strStem + "_" + m_strDataName + ".DAT"; }
std::string CJsDataBase::GetResFileName() const { return m_strStem + "_" + m_strDataName + ".RES"; }

std::string CJsDataBase::GetJtFileName(int k) const {
    std::string named = GetDxfFileName(k);
    if (!named.empty()) return named;
    return m_strStem + "_" + m_strDataName + "_" + std::to_string(k) + ".DXF";
}

std::string CJsDataBase::GetYunTuFileName(int k) const {
    return m_strStem + "_" + m_strDataName + "_YT" + std::to_string(k) + ".DXF";
}

std::string CJsDataBase::GetJssFileName(int k) const {
    std::string named = GetRtfFileName(k);
    if (!named.empty()) return named;
    return m_strStem + "_" + m_strDataName + ".RTF";
}

int CJsDataBase::LoadData(const char* path) { return CJsBaseData::LoadData(path); }
int CJsDataBase::SaveData(const char* path) { return CJsBaseData::SaveData(path); }
int CJsDataBase::DrawJianTu(CBase_SGT*) { return 0; }
int CJsDataBase::LoadData_Ex(const char* path) { return LoadData(path); }

// ---- CJsResultBase ----------------------------------------------------------------

CJsResultBase::~CJsResultBase() = default;
void CJsResultBase::SetBiaoShi(std::FILE* fp, const char* marker) { CJsBaseData::SetBiaoShi(fp, marker); }
int CJsResultBase::CheckBiaoShi(std::FILE* fp, const char* marker) { return CJsBaseData::CheckBiaoShi(fp, marker); }
int CJsResultBase::CheckData() { return 0; }
int CJsResultBase::LoadData(const char*) { return 0; }
int CJsResultBase::SaveData(const char*) { return 0; }
int CJsResultBase::SaveData_Ex(const char* path) { return SaveData(path); }

// ---- CJiSuanBase ------------------------------------------------------------------

CJiSuanBase::~CJiSuanBase() = default;
int CJiSuanBase::CheckData() { return 1; }
int CJiSuanBase::JiSuan() { return 0; }
int CJiSuanBase::Reserved2() { return 1; }
int CJiSuanBase::DrawResult(int, CBase_SGT*, int) { return 0; }
int CJiSuanBase::WriteJss(int, kv::report::CRTF*) { return 0; }
int CJiSuanBase::Reserved5() { return 1; }
int CJiSuanBase::OutDrawing(CBase_SGT*, int, int) { return 0; }
int CJiSuanBase::Reserved7() { return 1; }
int CJiSuanBase::Reserved8() { return 1; }
int CJiSuanBase::WritePrompt() { return 0; }
int CJiSuanBase::ExtFunc(int) { return 0; }
int CJiSuanBase::ExtMenuItem(int) { return 0; }
int CJiSuanBase::EndACADConect() { return 1; }
