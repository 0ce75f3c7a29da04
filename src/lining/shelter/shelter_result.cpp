#include "lining/shelter/shelter_result.h"

#include <cmath>
#include <string>
#include <string_view>

#include "base/textio.h"
#include "platform/services.h"
#include "lining/shelter/shelter_data.h"

namespace {

constexpr int kLineBytes = 490;

std::string Cut(std::string_view text) {
    return sprintf_gbk("%.*s", kChenQiTextBytes, std::string(text).c_str());
}

// The comma-separated fields of a line, without its end.
std::vector<std::string> Split(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return fields;
}

}  // namespace

CChenQiResult::CChenQiResult() { Reset(); }

CChenQiResult::~CChenQiResult() = default;

void CChenQiResult::Reset() {
    m_Parts.clear();
    for (int c = 0; c < 3; ++c) {
        m_nDieDai[c] = 0;
        m_bShouLian[c] = 1;
    }
}

int CChenQiResult::SetParts() {
    m_Parts.assign(kChenQiPartNum, CChenQiResultPart());
    const int n = m_pChenQi ? m_pChenQi->m_nFenDuan : 10;
    const int kind = m_pChenQi ? m_pChenQi->m_CanShu.nType : 0;
    const char* names[kChenQiPartNum] = {
        "顶拱(从拱脚到拱顶等分%d段)", kind == 3 ? "侧拱(从底向上等分%d段)" : "侧墙(从底向上等分%d段)",
        kind >= 2 ? "仰拱(从中心向左等分%d段)" : kind == 1 ? "底板(从中心向左等分%d段)" : "支座"};
    const char* bars[4] = {"D10@100", "D10@100", "d8@200", "D16@200"};
    for (int p = 0; p < kChenQiPartNum; ++p) {
        CChenQiResultPart& part = m_Parts[p];
        char name[128];
        std::snprintf(name, sizeof name, names[p], n);
        part.m_szName = name;
        for (auto& values : part.m_Values) values.assign(n + 1, 0.0f);
        for (int k = 0; k < 4; ++k) {
            part.m_szGangJin[k] = bars[k];
            part.m_nCtrlNode[k] = part.m_nCtrlZuHe[k] = -1;
            part.m_nFlag[k] = 1;
        }
    }
    for (int c = 0; c < 3; ++c) {
        m_nDieDai[c] = 0;
        m_bShouLian[c] = 1;
    }
    return 1;
}

int CChenQiResult::CheckData() { return 0; }

int CChenQiResult::LoadData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "rt");
    if (!fp) return 0;
    if (!CheckBiaoShi(fp, kChenQiMarker)) {
        close_file(fp);
        return 0;
    }
    const int result = ReadBody(fp);
    close_file(fp);
    if (!result) kv::MessageBox(std::string("数据文件不完整 : ") + path);
    return result;
}

int CChenQiResult::SaveData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "wt");
    if (!fp) return 0;
    SetBiaoShi(fp, kChenQiMarker);
    WriteBody(fp);
    return commit_file(fp) == 0 ? 1 : 0;
}

int CChenQiResult::ReadBody(std::FILE* fp) {
    CChenQiResult read;  // filled apart, so that a refused file changes nothing
    int count = 0;
    if (!fgets_scan_exact(fp, kLineBytes, "%d", &count) || count < 0 || count > kChenQiPartNum) return 0;
    read.m_Parts.resize(count);
    std::string line;
    for (CChenQiResultPart& part : read.m_Parts) {
        if (!fgets_skip_comment(line, kLineBytes, fp)) return 0;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        part.m_szName = Cut(line);
        int m = 0;
        if (!fgets_scan_exact(fp, kLineBytes, "%d", &m) || m < 0 || m > kChenQiMaxNodes) return 0;
        for (int c = 0; c < 3; ++c) {
            for (int q = 0; q < kChenQiQuantityNum; ++q) part.Values(q, c).assign(m, 0.0f);
            for (int i = 0; i < m; ++i) {
                float v[kChenQiQuantityNum];
                if (!fgets_scan_exact(fp, kLineBytes, "%f,%f,%f,%f,%f,%f,%f,%f,%f,%f", &v[0], &v[1], &v[2], &v[3],
                                      &v[4], &v[5], &v[6], &v[7], &v[8], &v[9]))
                    return 0;
                for (int q = 0; q < kChenQiQuantityNum; ++q) {
                    if (!(std::fabs(v[q]) < 1e16f)) return 0;  // would not write back within a line
                    part.Values(q, c)[i] = v[q];
                }
            }
        }
        // The bar texts end at the next comma.
        if (!fgets_skip_comment(line, kLineBytes, fp)) return 0;
        const std::vector<std::string> fields = Split(line);
        if (fields.size() != 6 || scan_fields(fields[0], "%f", &part.m_fAsIn) != 1 ||
            scan_fields(fields[1], "%f", &part.m_fAsOut) != 1 || !(std::fabs(part.m_fAsIn) < 1e16f) ||
            !(std::fabs(part.m_fAsOut) < 1e16f))
            return 0;
        for (int k = 0; k < 4; ++k) part.m_szGangJin[k] = Cut(fields[2 + k]);
        int* c = part.m_nCtrlNode;
        int* z = part.m_nCtrlZuHe;
        int* f = part.m_nFlag;
        if (!fgets_scan_exact(fp, kLineBytes, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", &c[0], &c[1], &c[2], &c[3],
                              &z[0], &z[1], &z[2], &z[3], &f[0], &f[1], &f[2], &f[3]))
            return 0;
    }
    // Older files end here; newer ones add the iteration outcome and the tie areas.
    if (fgets_skip_comment(line, kLineBytes, fp) && count_fields(line) > 0) {
        const std::vector<std::string> fields = Split(line);
        if (static_cast<int>(fields.size()) != 6 + count) return 0;
        for (int k = 0; k < 6; ++k)
            if (scan_fields(fields[k], "%d", k < 3 ? &read.m_nDieDai[k] : &read.m_bShouLian[k - 3]) != 1) return 0;
        for (int p = 0; p < count; ++p)
            if (scan_fields(fields[6 + p], "%f", &read.m_Parts[p].m_fAv) != 1 ||
                !(std::fabs(read.m_Parts[p].m_fAv) < 1e16f))
                return 0;
    }
    m_Parts = std::move(read.m_Parts);
    for (int k = 0; k < 3; ++k) {
        m_nDieDai[k] = read.m_nDieDai[k];
        m_bShouLian[k] = read.m_bShouLian[k];
    }
    return 1;
}

int CChenQiResult::WriteBody(std::FILE* fp) {
    std::fprintf(fp, "%d\n", static_cast<int>(m_Parts.size()));
    for (const CChenQiResultPart& part : m_Parts) {
        std::fprintf(fp, "%s\n", part.m_szName.c_str());
        const int m = static_cast<int>(part.Values(0, 0).size());
        std::fprintf(fp, "%d\n", m);
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < m; ++i)
                for (int q = 0; q < kChenQiQuantityNum; ++q) {
                    const std::vector<float>& v = part.Values(q, c);
                    std::fprintf(fp, q + 1 < kChenQiQuantityNum ? "%f," : "%f\n",
                                 i < static_cast<int>(v.size()) ? v[i] : 0.0f);
                }
        std::fprintf(fp, "%f,%f,%s,%s,%s,%s\n", part.m_fAsIn, part.m_fAsOut, part.m_szGangJin[0].c_str(),
                     part.m_szGangJin[1].c_str(), part.m_szGangJin[2].c_str(), part.m_szGangJin[3].c_str());
        const int* c = part.m_nCtrlNode;
        const int* z = part.m_nCtrlZuHe;
        const int* f = part.m_nFlag;
        std::fprintf(fp, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d\n", c[0], c[1], c[2], c[3], z[0], z[1], z[2], z[3],
                     f[0], f[1], f[2], f[3]);
    }
    std::fprintf(fp, "%d,%d,%d,%d,%d,%d", m_nDieDai[0], m_nDieDai[1], m_nDieDai[2], m_bShouLian[0],
                 m_bShouLian[1], m_bShouLian[2]);
    for (const CChenQiResultPart& part : m_Parts) std::fprintf(fp, ",%f", part.m_fAv);
    std::fprintf(fp, "\n");
    return 1;
}
