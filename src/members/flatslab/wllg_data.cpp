#include "members/flatslab/wllg_data.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <new>

#include "base/error.h"
#include "base/textio.h"
#include "codes/codeedition.h"
#include "platform/services.h"

namespace {

constexpr int kLineBytes = 290;

constexpr const char* kLine3 = "%d,%d,%d,%d,%d,%f,%f,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d\n";
constexpr const char* kLine4 = "%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f\n";
constexpr const char* kLine5 = "%d,%d,%d,%d,%f,%f,%f,%f,%f,%f,%f,%f\n";
constexpr const char* kRead4 = "%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f";

// "nan", "inf" and values past the float range scan as numbers; a file holding
// one is damaged. So is one from 1e16 on: written again with "%f", thirteen of
// them run past the 290-byte line the reader takes, and the saved file would not
// read back.
bool Finite(std::initializer_list<float> values) {
    for (float v : values)
        if (!(std::fabs(v) < 1e16f)) return false;
    return true;
}

bool ReadLines(std::FILE* fp, WLLG_FIELDS& f) {
    std::string line;
    if (!fgets_skip_comment(line, kLineBytes, fp)) return false;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    f.m_szSpans = line;
    if (!fgets_scan_exact(fp, kLineBytes, kLine3, &f.m_nLeftRound, &f.m_nMidRound, &f.m_nRightRound,
                          &f.m_nStripWidth, &f.m_nSlabThick, &f.m_fLowerHeight, &f.m_fUpperHeight, &f.m_nLeftColB,
                          &f.m_nLeftColD, &f.m_nLeftColH, &f.m_nMidColB, &f.m_nMidColD, &f.m_nMidColH,
                          &f.m_nRightColB, &f.m_nRightColD, &f.m_nRightColH, &f.m_nMidStorey))
        return false;
    if (!fgets_scan_exact(fp, kLineBytes, kRead4, &f.m_fUpLeftA, &f.m_fLowLeftA, &f.m_fUpRightA, &f.m_fLowRightA,
                          &f.m_fSlabQ, &f.m_fUpLeftQ1, &f.m_fLowLeftQ1, &f.m_fUpRightQ1, &f.m_fLowRightQ1,
                          &f.m_fUpLeftQ2, &f.m_fLowLeftQ2, &f.m_fUpRightQ2, &f.m_fLowRightQ2))
        return false;
    if (!fgets_scan_exact(fp, kLineBytes, kLine5, &f.m_nSteam, &f.m_nConGrade, &f.m_nBarGrade, &f.m_nAs,
                          &f.m_fColEdge, &f.m_fColMid, &f.m_fColInner, &f.m_fMidEdge, &f.m_fMidMid, &f.m_fMidInner,
                          &f.m_fReserved, &f.m_fRedist))
        return false;
    // The punching line must hold all its values, as the lines above.
    if (!fgets_skip_comment(line, 590, fp) || count_fields(line) != 21 || f.m_ChongQie.ParseLine(line.c_str()) != 21)
        return false;
    const CHONGQIE_JS_STRUCT& c = f.m_ChongQie;
    return Finite({f.m_fLowerHeight, f.m_fUpperHeight, f.m_fUpLeftA, f.m_fLowLeftA, f.m_fUpRightA, f.m_fLowRightA,
                   f.m_fSlabQ, f.m_fUpLeftQ1, f.m_fLowLeftQ1, f.m_fUpRightQ1, f.m_fLowRightQ1, f.m_fUpLeftQ2,
                   f.m_fLowLeftQ2, f.m_fUpRightQ2, f.m_fLowRightQ2, f.m_fColEdge, f.m_fColMid, f.m_fColInner,
                   f.m_fMidEdge, f.m_fMidMid, f.m_fMidInner, f.m_fReserved, f.m_fRedist, c.m_fLoad, c.m_fAs});
}

// The two switches after the common block: the first two lines from `at` on
// that are not common-block lines ("##"). A missing line or one that does not
// parse leaves its switch as it was.
void ReadLastLines(std::FILE* fp, long at, WLLG_FIELDS& f) {
    if (at < 0 || std::fseek(fp, at, SEEK_SET) != 0) return;
    int* targets[2] = {&f.m_nEdgeCap, &f.m_nCapDesign};
    int taken = 0;
    std::string line;
    while (taken < 2 && fgets_skip_comment(line, kLineBytes, fp)) {
        if (line.rfind("##", 0) == 0) continue;
        scan_fields(line, "%d", targets[taken++]);
    }
}

std::string SpanText(const std::string& text) {
    // One line on the disk: a line break would end the text there.
    std::string s = text;
    for (char& ch : s)
        if (ch == '\n' || ch == '\r') ch = ' ';
    return s;
}

}  // namespace

CWllgData::CWllgData() {
    m_strName = "无梁搂盖计算 WLB1";
    SetFileName("NONAME");
}

void CWllgData::SetFileName(const std::string& stem) {
    m_strStem = stem;
    m_nJtNum = 0;
    static const char* const titles[6] = {"计算简图", "等代框架弯矩图", "柱上板带弯矩图", "跨中板带弯矩图", "所有图",
                                          "冲切计算简图"};
    static const char* const parts[6] = {"_JT", "_M", "_M1", "_M2", "_ALL", "_CQ"};
    const std::string rtf = stem + "_WLLG.RTF";
    for (int k = 0; k < 6; ++k) SetJt(k, titles[k], stem + parts[k] + "_WLLG.DXF", rtf);
}

int CWllgData::SaveData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "wt");
    if (!fp) return 0;
    SetBiaoShi(fp, kMarker);
    std::fprintf(fp, "%s\n", SpanText(m_szSpans).c_str());
    std::fprintf(fp, kLine3, m_nLeftRound, m_nMidRound, m_nRightRound, m_nStripWidth, m_nSlabThick, m_fLowerHeight,
                 m_fUpperHeight, m_nLeftColB, m_nLeftColD, m_nLeftColH, m_nMidColB, m_nMidColD, m_nMidColH,
                 m_nRightColB, m_nRightColD, m_nRightColH, m_nMidStorey);
    std::fprintf(fp, kLine4, m_fUpLeftA, m_fLowLeftA, m_fUpRightA, m_fLowRightA, m_fSlabQ, m_fUpLeftQ1, m_fLowLeftQ1,
                 m_fUpRightQ1, m_fLowRightQ1, m_fUpLeftQ2, m_fLowLeftQ2, m_fUpRightQ2, m_fLowRightQ2);
    std::fprintf(fp, kLine5, m_nSteam, m_nConGrade, m_nBarGrade, m_nAs, m_fColEdge, m_fColMid, m_fColInner,
                 m_fMidEdge, m_fMidMid, m_fMidInner, m_fReserved, m_fRedist);
    m_ChongQie.WriteLine(fp);
    CJsBaseData::SaveData(fp);
    std::fprintf(fp, "%d\n", m_nEdgeCap);
    std::fprintf(fp, "%d\n", m_nCapDesign);
    if (commit_file(fp) != 0) return 0;
    SetFileName_(path);
    return 1;
}

int CWllgData::LoadData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "rt");
    if (!fp) return 0;
    std::string line;
    const bool read = fgets_line(line, kLineBytes, fp);
    // The older edition's marker is looked for first.
    const bool older = read && line.find(kMarkerV20) != std::string::npos;
    if (!older && (!read || line.find(kMarker) == std::string::npos)) {
        close_file(fp);
        kv::MessageBox("文件类型不匹配 !");
        return 0;
    }
    WLLG_FIELDS f = *this;
    if (!ReadLines(fp, f)) {
        close_file(fp);
        kv::MessageBox(std::string("数据文件不完整 : ") + path);
        return 0;
    }
    if (f.m_nBarGrade == 1 || f.m_ChongQie.m_nStirrupGrade == 1) AdjustHpb235(older ? 2002 : 2010, 1);
    const long commonBlock = std::ftell(fp);
    CJsBaseData::LoadData(fp);
    ReadLastLines(fp, commonBlock, f);
    static_cast<WLLG_FIELDS&>(*this) = f;
    close_file(fp);
    SetFileName_(path);
    return 1;
}

std::optional<std::vector<float>> CWllgData::parse_span_list(const std::string& text) {
    const char* line = text.c_str();
    auto refuse = [](const char* why) -> std::optional<std::vector<float>> {
        tell_error(kv::err::kFailure, why);
        return std::nullopt;
    };
    // The count after "*", as atoi reads it but kept within the int range.
    auto countOf = [](const std::string& unit, std::size_t star) {
        const long long n = std::strtoll(unit.c_str() + star + 1, nullptr, 10);
        return n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : static_cast<int>(n);
    };
    std::string unit;
    int pos = 0;
    long long count = 0;
    while (read_one_unit_from_string(unit, line, &pos) > 0) {
        const std::size_t star = unit.find('*');
        if (star == std::string::npos) {
            ++count;
            continue;
        }
        if (star == 0 || star + 1 == unit.size()) return refuse("跨长输入有误 !");
        const int n = countOf(unit, star);
        // A negative count would take spans away that the fill never gives back.
        if (n < 0) return refuse("跨长输入有误 !");
        count += n;
    }
    if (count < 1) return refuse("跨长输入有误 !");
    if (count > kWllgMaxSpans) return refuse("跨数不能超过 30 !");
    std::vector<float> spans;
    try {
        spans.reserve(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        return refuse("内存不够 !");
    }
    pos = 0;
    while (read_one_unit_from_string(unit, line, &pos) > 0) {
        const std::size_t star = unit.find('*');
        const float length = static_cast<float>(std::atof(unit.c_str()));
        const int n = star == std::string::npos ? 1 : countOf(unit, star);
        for (int i = 0; i < n && static_cast<long long>(spans.size()) < count; ++i) spans.push_back(length);
    }
    return spans;
}
