#include "project/project.h"

#include "base/textio.h"
#include "platform/codec.h"
#include "platform/paths.h"

#include <cstdio>
#include <cstring>

CProject G_Project;
CGcxx G_Gcxx;

namespace {

constexpr std::size_t kMagicBytes = 50;
constexpr std::size_t kNameBytes = 30;
constexpr std::size_t kTableBytes = kMagicBytes + 4 * (kMaxModules * 2 + kMaxModules * kMaxItemsPerModule);

void PutInt(std::string& out, std::int32_t v) {
    std::uint32_t u = static_cast<std::uint32_t>(v);
    for (int k = 0; k < 4; ++k) out += static_cast<char>((u >> (8 * k)) & 0xFF);
}

std::int32_t GetInt(const std::string& in, std::size_t at) {
    std::uint32_t u = 0;
    for (int k = 0; k < 4; ++k) u |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[at + k])) << (8 * k);
    return static_cast<std::int32_t>(u);
}

}  // namespace

int CProject::GetNewItemNo() const {
    std::vector<bool> used(kMaxItemNo + 1, false);
    for (const auto& module : m_nItemNo)
        for (std::int32_t no : module)
            if (no > 0 && no <= kMaxItemNo) used[static_cast<std::size_t>(no)] = true;
    for (int no = 1; no <= kMaxItemNo; ++no)
        if (!used[static_cast<std::size_t>(no)]) return no;
    return 0;
}

int CProject::AddItem(int m) {
    if (m < 0 || m >= kMaxModules) return 0;
    int count = m_nCount[static_cast<std::size_t>(m)];
    if (count < 0 || count >= kMaxItemsPerModule) return 0;
    int no = GetNewItemNo();
    if (no == 0) return 0;
    m_nItemNo[static_cast<std::size_t>(m)][static_cast<std::size_t>(count)] = no;
    m_nCount[static_cast<std::size_t>(m)] = count + 1;
    return no;
}

int CProject::DeleteItem(int m, int i) {
    if (m < 0 || m >= kMaxModules) return 0;
    auto& items = m_nItemNo[static_cast<std::size_t>(m)];
    int count = m_nCount[static_cast<std::size_t>(m)];
    if (count <= 0 || i < 0 || i >= count) return 0;
    for (int k = i; k + 1 < count; ++k) items[static_cast<std::size_t>(k)] = items[static_cast<std::size_t>(k + 1)];
    items[static_cast<std::size_t>(count - 1)] = 0;
    m_nCount[static_cast<std::size_t>(m)] = count - 1;
    return 1;
}

int CProject::ReadPrj() {
    std::FILE* fp = open_file_no_comment(kProjectFileName, "rb");
    if (!fp) return 0;
    std::string bytes(kTableBytes, '\0');
    std::size_t got = std::fread(bytes.data(), 1, bytes.size(), fp);
    close_file(fp);
    // The magic is the text up to its first zero byte.
    std::string magic(bytes.data(), strnlen(bytes.data(), std::min(got, kMagicBytes)));
    if (magic.find(kProjectMagic) == std::string::npos && magic.find(kProjectMagicOld) == std::string::npos) return 0;
    // A file cut short, or one with counts or numbers no project can hold, would
    // leave a table the program cannot work with: keep the one we have.
    if (got < kTableBytes) return 0;
    CProject read = *this;
    std::size_t at = kMagicBytes;
    for (auto& v : read.m_nSelected) v = GetInt(bytes, (at += 4) - 4);
    for (auto& v : read.m_nCount) {
        v = GetInt(bytes, (at += 4) - 4);
        if (v < 0 || v > kMaxItemsPerModule) return 0;
    }
    for (auto& module : read.m_nItemNo)
        for (auto& v : module) {
            v = GetInt(bytes, (at += 4) - 4);
            if (v < 0 || v > kMaxItemNo) return 0;
        }
    m_nSelected = read.m_nSelected;
    m_nCount = read.m_nCount;
    m_nItemNo = read.m_nItemNo;
    return 1;
}

int CProject::WritePrj(const std::vector<std::string>& moduleRowNames) const {
    std::string out(kMagicBytes, '\0');
    std::memcpy(out.data(), kProjectMagic, std::strlen(kProjectMagic));
    for (auto v : m_nSelected) PutInt(out, v);
    for (auto v : m_nCount) PutInt(out, v);
    for (const auto& module : m_nItemNo)
        for (auto v : module) PutInt(out, v);
    PutInt(out, static_cast<std::int32_t>(moduleRowNames.size()));
    for (const std::string& name : moduleRowNames) {
        std::string gbk = kv::platform::Utf8ToGbkLossy(kv::platform::CutToGbkBytes(name, kNameBytes));
        gbk.resize(kNameBytes, '\0');
        out += gbk;
    }
    std::FILE* fp = open_file_no_comment(kProjectFileName, "wb");
    if (!fp) return 0;
    if (std::fwrite(out.data(), 1, out.size(), fp) != out.size()) {
        close_file(fp);
        return 0;
    }
    return commit_file(fp) == 0 ? 1 : 0;
}

std::string CProject::ItemStem(int itemNo) {
    char stem[16];
    std::snprintf(stem, sizeof stem, "&KV_%04d", itemNo);
    return stem;
}

std::string CProject::ItemFileName(int itemNo) { return ItemStem(itemNo) + ".DAT"; }

std::string FormatDesignTime(std::time_t when) {
    std::tm t{};
    localtime_r(&when, &t);
    // The date goes through a two-digit year: years 90 to 99 keep their two digits.
    int yy = t.tm_year % 100;
    int year = yy < 90 ? yy + 2000 : yy;
    char text[64];
    std::snprintf(text, sizeof text, "%d年%d月%d日 %02d:%02d:%02d", year, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
                  t.tm_sec);
    return text;
}

void CGcxx::SetDefault() { SetDefault(std::time(nullptr)); }

void CGcxx::SetDefault(std::time_t now) {
    m_strName = "****工程人防计算";
    m_strNumber = "980001";
    m_strTime = FormatDesignTime(now);
    m_strPath = "c:\\temp\\";
}

bool CGcxx::ReadBox(const std::string& folder) {
    std::string path = kv::platform::WithTrailingSlash(folder) + "GCXX.BOX";
    std::FILE* fp = open_file_no_comment(path.c_str(), "rt");
    if (!fp) return false;
    std::string* fields[] = {&m_strName, &m_strNumber, &m_strTime};
    for (std::string* field : fields) {
        std::string line;
        if (fgets_line(line, 290, fp)) {
            if (!line.empty() && line.back() == '\n') line.pop_back();
            *field = line;
        } else {
            field->clear();
        }
    }
    close_file(fp);
    return true;
}

bool CGcxx::WriteBox(const std::string& folder) const {
    std::string path = kv::platform::WithTrailingSlash(folder) + "GCXX.BOX";
    std::FILE* fp = open_file_no_comment(path.c_str(), "wt");
    if (!fp) return false;
    for (const std::string* field : {&m_strName, &m_strNumber, &m_strTime}) {
        std::string line = *field;
        for (char& c : line)
            if (c == '\n' || c == '\r') c = ' ';
        std::fprintf(fp, "%s\n", line.c_str());
    }
    return commit_file(fp) == 0;
}
