#include "fem/strut_layer_model.h"

#include "base/error.h"
#include "base/textio.h"
#include "platform/paths.h"
#include "platform/services.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <system_error>

namespace kv::fem {

namespace {

constexpr const char* kMagic = "$NZC_CENG_DATA_FILE V10";
constexpr const char* kEnd = "$END_OF_FILE";
constexpr const char* kTmpName = "JS_TMP";
constexpr int kLineSize = 290;
// No model comes near this many records of one kind; a count beyond it is a
// damaged file, refused as memory that cannot be had.
constexpr std::size_t kMaxRecords = 1u << 20;

struct Section {
    const char* title;
    const char* notFound;
    const char* writeMissing;
    const char* noMemory;
    int code;  // of the last two
    const char* readFailed;
};

// Indexed by section - 1, in file order.
constexpr Section kSections[6] = {
    {"$NetNode", "警告! 找不到段 NetNode,", "m_cNetNode == NULL while Write!", "m_cNetNode == NULL while New Memery !", 30,
     "读节点错 !"},
    {"$NetLine", "警告! 找不到段 NetLine,", "m_cNetLine == NULL while Write!", "m_cNetLine == NULL while New Memery !",
     301, "读网格线错 !"},
    {"$NodeLoad", "警告! 找不到段 NodeLoad", "m_cNodeLoad == NULL while Write!",
     "m_cNodeLoad == NULL while New Memery !", 301, "读节点力错 !"},
    {"$NodeYS", "警告! 找不到段 NodeYS,", "m_cNodeYS == NULL while Write!", "m_cNodeYS == NULL while New Memery !", 301,
     "读节点约束错 !"},
    {"$YaoLiang", "警告! 找不到段 YaoLiang,", "m_cYaoLiang == NULL while Write!",
     "m_cYaoLiang == NULL while New Memery !", 301, "读腰梁错 !"},
    {"$ZhiCheng", "警告! 找不到段 ZhiCheng,", "m_cZhiCheng == NULL while Write!",
     "m_cZhiCheng == NULL while New Memery !", 301, "读支撑错 !"},
};

// The comma- or blank-separated units of a line; missing ones read as 0.
class Units {
public:
    explicit Units(std::string line) : line_(std::move(line)) {
        while (!line_.empty() && (line_.back() == '\n' || line_.back() == '\r')) line_.pop_back();
    }
    int Int() {
        long long v = std::strtoll(Next().c_str(), nullptr, 10);
        return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    }
    float Float() { return static_cast<float>(std::strtod(Next().c_str(), nullptr)); }

private:
    std::string Next() {
        std::string unit;
        read_one_unit_from_string(unit, line_.c_str(), &position_);
        return unit;
    }
    std::string line_;
    int position_ = 0;
};

void Parse(const std::string& line, JsNetNode& r) {
    Units u(line);
    r.number = u.Int();
    r.second = u.Int();
    r.x = u.Float();
    r.y = u.Float();
}

void Parse(const std::string& line, JsNetLine& r) {
    Units u(line);
    r.number = u.Int();
    r.second = u.Int();
    r.shape = u.Int();
    r.start = u.Int();
    r.end = u.Int();
    r.cx = u.Float();
    r.cy = u.Float();
}

void Parse(const std::string& line, JsNodeLoad& r) {
    Units u(line);
    r.number = u.Int();
    r.second = u.Int();
    r.node = u.Int();
    r.fourth = u.Int();
    r.kind = u.Int();
    for (float& v : r.value) v = u.Float();
    r.loadCase = u.Int();
}

void Parse(const std::string& line, JsNodeYS& r) {
    Units u(line);
    r.number = u.Int();
    r.second = u.Int();
    r.node = u.Int();
    r.fourth = u.Int();
    r.value1 = u.Float();
    r.kind = u.Int();
    r.value2 = u.Float();
}

void Parse(const std::string& line, JsLineLoad& r) {
    Units u(line);
    r.type = u.Int();
    for (float& v : r.value) v = u.Float();
    r.loadCase = u.Int();
}

int Print(std::FILE* fp, const JsNetNode& r) { return std::fprintf(fp, "%d,%d,%f,%f\n", r.number, r.second, r.x, r.y); }

int Print(std::FILE* fp, const JsNetLine& r) {
    return std::fprintf(fp, "%d,%d,%d,%d,%d,%f,%f\n", r.number, r.second, r.shape, r.start, r.end, r.cx, r.cy);
}

int Print(std::FILE* fp, const JsNodeLoad& r) {
    return std::fprintf(fp, "%d,%d,%d,%d,%d,%f,%f,%f,%d\n", r.number, r.second, r.node, r.fourth, r.kind, r.value[0],
                        r.value[1], r.value[2], r.loadCase);
}

int Print(std::FILE* fp, const JsNodeYS& r) {
    return std::fprintf(fp, "%d,%d,%d,%d,%f,%d,%f\n", r.number, r.second, r.node, r.fourth, r.value1, r.kind,
                        r.value2);
}

int Print(std::FILE* fp, const JsLineLoad& r) {
    return std::fprintf(fp, "%d,%f,%f,%f,%f,%d\n", r.type, r.value[0], r.value[1], r.value[2], r.value[3], r.loadCase);
}

int Print(std::FILE* fp, const CJsLineGouJian& r) { return r.write(fp); }

// `count` default records, or none for a count <= 0. Records come out of `budget`:
// a file cannot hold more records than it has bytes.
template <typename T>
bool Allocate(std::vector<T>& records, int count, std::size_t& budget) {
    records.clear();
    records.shrink_to_fit();
    if (count <= 0) return true;
    auto n = static_cast<std::size_t>(count);
    if (n > budget) return false;
    try {
        records.assign(n, T{});
    } catch (const std::bad_alloc&) {
        return false;
    }
    budget -= n;
    return true;
}

template <typename T>
void Free(std::vector<T>& records) {
    records.clear();
    records.shrink_to_fit();
}

int PrepareLoads(CJsLineGouJian& member, std::size_t& budget) {
    if (Allocate(member.m_cLoad, member.m_nLoad, budget)) return 1;
    tell_error(kv::err::kFailure, "m_cLoad 内存不够!");
    return 0;
}

// The first line holding '$' and the section's name (title without its '$').
bool FindSection(std::FILE* fp, const char* title) {
    std::string line;
    while (fgets_skip_comment(line, kLineSize, fp))
        if (line.find('$') != std::string::npos && line.find(title + 1) != std::string::npos) return true;
    return false;
}

std::size_t FileBytes(const std::string& path) {
    std::error_code ec;
    auto size = std::filesystem::file_size(kv::platform::ResolveExisting(path), ec);
    return ec ? 0 : static_cast<std::size_t>(size);
}

// One record line (a record past the end of the file keeps its defaults).
template <typename T>
bool ReadRecord(std::FILE* fp, T& r, std::size_t&) {
    std::string line;
    if (fgets_skip_comment(line, kLineSize, fp)) Parse(line, r);
    return true;
}
// A member line and its load lines.
bool ReadRecord(std::FILE* fp, CJsLineGouJian& r, std::size_t& budget) {
    std::string line;
    if (!fgets_skip_comment(line, kLineSize, fp)) return true;
    r.read(line);
    if (!PrepareLoads(r, budget)) {
        tell_error(kv::err::kFailure, "Prepare_Load 内存不够 !");
        return false;
    }
    for (JsLineLoad& load : r.m_cLoad) {
        if (!fgets_skip_comment(line, kLineSize, fp)) break;
        Parse(line, load);
    }
    return true;
}

template <typename T>
int PrepareSection(int k, std::vector<T>& records, int count, std::size_t& budget) {
    if (Allocate(records, count, budget)) return 1;
    tell_error(kSections[k - 1].code, kSections[k - 1].noMemory);
    return 0;
}

template <typename T>
int ReadSection(const std::string& file, int k, std::vector<T>& records, int count) {
    if (JS_ERROR_CODE) return 0;
    std::size_t budget = std::min(FileBytes(file), kMaxRecords);
    if (!PrepareSection(k, records, count, budget)) return 0;
    std::FILE* fp = open_file(file.c_str(), "rt");
    if (!fp) return 0;
    const Section& s = kSections[k - 1];
    if (!FindSection(fp, s.title)) {
        tell_error(20, s.notFound);
        if (JS_ERROR_CODE) {
            close_file(fp);
            return 0;
        }
    }
    for (T& r : records) {
        if (!ReadRecord(fp, r, budget)) {
            close_file(fp);
            return 0;
        }
    }
    close_file(fp);
    return 1;
}

template <typename T>
bool WriteSection(std::FILE* fp, int k, const std::vector<T>& records, int count) {
    bool ok = std::fprintf(fp, "%s\n", kSections[k - 1].title) > 0;
    for (int i = 0; i < count && ok; ++i)
        ok = Print(fp, static_cast<std::size_t>(i) < records.size() ? records[i] : T{}) > 0;
    return ok;
}

}  // namespace

// ---- CJsLineGouJian -----------------------------------------------------------

int CJsLineGouJian::Prepare_Load() {
    std::size_t budget = kMaxRecords;
    return PrepareLoads(*this, budget);
}

void CJsLineGouJian::Free_Load() { Free(m_cLoad); }

void CJsLineGouJian::read(const std::string& line) {
    Units u(line);
    number = u.Int();
    second = u.Int();
    netLine = u.Int();
    fourth = u.Int();
    sectionType = u.Int();
    sixth = u.Int();
    value1 = u.Float();
    width = u.Float();
    depth = u.Float();
    alt1 = u.Float();
    alt2 = u.Float();
    twelfth = u.Int();
    thirteenth = u.Int();
    m_nLoad = u.Int();
}

int CJsLineGouJian::write(std::FILE* fp) const {
    int loads = m_nLoad > 0 ? m_nLoad : 0;
    int n = std::fprintf(fp, "%d,%d,%d,%d,%d,%d,%f,%f,%f,%f,%.3e,%d,%d,%d\n", number, second, netLine, fourth,
                         sectionType, sixth, value1, width, depth, alt1, alt2, twelfth, thirteenth, m_nLoad);
    for (int i = 0; i < loads && n > 0; ++i)
        n = Print(fp, static_cast<std::size_t>(i) < m_cLoad.size() ? m_cLoad[i] : JsLineLoad{});
    return n;
}

// ---- CJsBzData ----------------------------------------------------------------

CJsBzData::CJsBzData(const char* fileName) {
    std::string name = fileName ? fileName : "";
    m_strFileName = kv::platform::ResolveExisting(name);
    if (m_strFileName.empty()) m_strFileName = kv::platform::ResolveForWrite(name);
    std::FILE* fp = open_file_no_comment(m_strFileName.c_str(), "rt");
    if (!fp) {
        fp = open_file(m_strFileName.c_str(), "wt");
        if (!fp) return;
        write_header(fp);
        for (const Section& s : kSections) std::fprintf(fp, "%s\n", s.title);
        std::fprintf(fp, "%s\n", kEnd);
        if (commit_file(fp) != 0) {
            tell_error1(kv::err::kDataError, "不能写入文件 : %s", m_strFileName.c_str());
            return;
        }
        fp = open_file(m_strFileName.c_str(), "rt");
        if (!fp) return;
    }
    check_header(fp);
    close_file(fp);
}

bool CJsBzData::check_header(std::FILE* fp) {
    std::string line;
    if (!fgets_skip_comment(line, kLineSize, fp) || line.find(kMagic) == std::string::npos) {
        tell_error1(kv::err::kDataError, "警告! 文件 %s 已存在，但格式不对", m_strFileName.c_str());
        return false;
    }
    if (!FindSection(fp, "$Control")) {
        tell_error(20, "找不到段 Contorl");
        return false;
    }
    if (!fgets_skip_comment(line, kLineSize, fp)) return false;
    Units u(line);
    m_nNetNode = u.Int();
    m_nNetLine = u.Int();
    m_nNodeLoad = u.Int();
    m_nNodeYS = u.Int();
    m_nYaoLiang = u.Int();
    m_nZhiCheng = u.Int();
    return true;
}

void CJsBzData::write_header(std::FILE* fp) const {
    std::fprintf(fp, "%s\n$Control\n%d,%d,%d,%d,%d,%d\n", kMagic, m_nNetNode, m_nNetLine, m_nNodeLoad, m_nNodeYS,
                 m_nYaoLiang, m_nZhiCheng);
}

std::string CJsBzData::SiblingPath(const std::string& name) const {
    return kv::platform::FolderOf(m_strFileName) + name;
}

int CJsBzData::Prepare_NetNode() {
    std::size_t budget = kMaxRecords;
    return PrepareSection(1, m_cNetNode, m_nNetNode, budget);
}
int CJsBzData::Prepare_NetLine() {
    std::size_t budget = kMaxRecords;
    return PrepareSection(2, m_cNetLine, m_nNetLine, budget);
}
int CJsBzData::Prepare_NodeLoad() {
    std::size_t budget = kMaxRecords;
    return PrepareSection(3, m_cNodeLoad, m_nNodeLoad, budget);
}
int CJsBzData::Prepare_NodeYS() {
    std::size_t budget = kMaxRecords;
    return PrepareSection(4, m_cNodeYS, m_nNodeYS, budget);
}
int CJsBzData::Prepare_YaoLiang() {
    std::size_t budget = kMaxRecords;
    return PrepareSection(5, m_cYaoLiang, m_nYaoLiang, budget);
}
int CJsBzData::Prepare_ZhiCheng() {
    std::size_t budget = kMaxRecords;
    return PrepareSection(6, m_cZhiCheng, m_nZhiCheng, budget);
}

int CJsBzData::Read_NetNode() { return ReadSection(m_strFileName, 1, m_cNetNode, m_nNetNode); }
int CJsBzData::Read_NetLine() { return ReadSection(m_strFileName, 2, m_cNetLine, m_nNetLine); }
int CJsBzData::Read_NodeLoad() { return ReadSection(m_strFileName, 3, m_cNodeLoad, m_nNodeLoad); }
int CJsBzData::Read_NodeYS() { return ReadSection(m_strFileName, 4, m_cNodeYS, m_nNodeYS); }
int CJsBzData::Read_YaoLiang() { return ReadSection(m_strFileName, 5, m_cYaoLiang, m_nYaoLiang); }
int CJsBzData::Read_ZhiCheng() { return ReadSection(m_strFileName, 6, m_cZhiCheng, m_nZhiCheng); }

namespace {
template <typename T>
int WriteIfLoaded(CJsBzData& data, int k, const std::vector<T>& records) {
    if (records.empty()) {
        tell_error(kSections[k - 1].code, kSections[k - 1].writeMissing);
        return 0;
    }
    return data.Save(k);
}
}  // namespace

int CJsBzData::Write_NetNode() { return WriteIfLoaded(*this, 1, m_cNetNode); }
int CJsBzData::Write_NetLine() { return WriteIfLoaded(*this, 2, m_cNetLine); }
int CJsBzData::Write_NodeLoad() { return WriteIfLoaded(*this, 3, m_cNodeLoad); }
int CJsBzData::Write_NodeYS() { return WriteIfLoaded(*this, 4, m_cNodeYS); }
int CJsBzData::Write_YaoLiang() { return WriteIfLoaded(*this, 5, m_cYaoLiang); }
int CJsBzData::Write_ZhiCheng() { return WriteIfLoaded(*this, 6, m_cZhiCheng); }

void CJsBzData::Free_NetNode() { Free(m_cNetNode); }
void CJsBzData::Free_NetLine() { Free(m_cNetLine); }
void CJsBzData::Free_NodeLoad() { Free(m_cNodeLoad); }
void CJsBzData::Free_NodeYS() { Free(m_cNodeYS); }
void CJsBzData::Free_YaoLiang() { Free(m_cYaoLiang); }
void CJsBzData::Free_ZhiCheng() { Free(m_cZhiCheng); }

void CJsBzData::Free_All() {
    Free_NetNode();
    Free_NetLine();
    Free_NodeLoad();
    Free_NodeYS();
    Free_YaoLiang();
    Free_ZhiCheng();
}

int CJsBzData::Read_All() {
    if (JS_ERROR_CODE) return 0;
    const struct {
        int count;
        int (CJsBzData::*read)();
    } sections[6] = {{m_nNetNode, &CJsBzData::Read_NetNode},   {m_nNetLine, &CJsBzData::Read_NetLine},
                     {m_nNodeLoad, &CJsBzData::Read_NodeLoad}, {m_nNodeYS, &CJsBzData::Read_NodeYS},
                     {m_nYaoLiang, &CJsBzData::Read_YaoLiang}, {m_nZhiCheng, &CJsBzData::Read_ZhiCheng}};
    for (int k = 0; k < 6; ++k) {
        if (sections[k].count == 0) continue;
        if (!(this->*sections[k].read)()) {
            kv::MessageBox(kSections[k].readFailed);
            return 0;
        }
    }
    return 1;
}

int CJsBzData::Save(int k) {
    const std::string tmpPath = SiblingPath(kTmpName);
    std::FILE* fp = open_file(tmpPath.c_str(), "wt");
    if (!fp) return 0;
    write_header(fp);
    bool ok = true;
    auto copy = [&](int s, auto& records, int count, int (CJsBzData::*read)()) {
        if (!ok) return;
        if (s != k && !(this->*read)()) {
            ok = false;
            return;
        }
        ok = WriteSection(fp, s, records, count);
        if (s != k) Free(records);
    };
    copy(1, m_cNetNode, m_nNetNode, &CJsBzData::Read_NetNode);
    copy(2, m_cNetLine, m_nNetLine, &CJsBzData::Read_NetLine);
    copy(3, m_cNodeLoad, m_nNodeLoad, &CJsBzData::Read_NodeLoad);
    copy(4, m_cNodeYS, m_nNodeYS, &CJsBzData::Read_NodeYS);
    copy(5, m_cYaoLiang, m_nYaoLiang, &CJsBzData::Read_YaoLiang);
    copy(6, m_cZhiCheng, m_nZhiCheng, &CJsBzData::Read_ZhiCheng);
    if (!ok) {
        close_file(fp);  // nothing of it is kept
        return 0;
    }
    std::fprintf(fp, "%s\n", kEnd);
    if (commit_file(fp) != 0) {
        tell_error1(kv::err::kFailure, "不能写入文件 : %s", tmpPath.c_str());
        return 0;
    }
    // "JS_TMP" is complete: only now may the model become the backup.
    const std::string bakPath = SiblingPath(m_strBakName);
    const std::string oldBak = kv::platform::ResolveExisting(bakPath);
    if (!oldBak.empty()) std::remove(oldBak.c_str());
    const std::string model = kv::platform::ResolveExisting(m_strFileName);
    if (!model.empty() && std::rename(model.c_str(), kv::platform::ResolveForWrite(bakPath).c_str()) != 0) {
        tell_error1(kv::err::kFailure, "不能写入文件 : %s", bakPath.c_str());
        return 0;
    }
    if (std::rename(kv::platform::ResolveExisting(tmpPath).c_str(), m_strFileName.c_str()) != 0) {
        tell_error1(kv::err::kFailure, "不能写入文件 : %s", m_strFileName.c_str());
        return 0;
    }
    return 1;
}

}  // namespace kv::fem
