#include "lining/shelter/shelter_data.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <string>

#include "base/textio.h"
#include "platform/profile.h"

namespace {

constexpr int kLineBytes = 490;

const char* const kDiagramTitles[kChenQiDiagramNum] = {
    "尺寸荷载简图", "变形图", "轴力图", "剪力图", "弯矩图",
    "切向位移图", "法向位移图", "转角位移图", "抗力分布图", "计算配筋简图"};

// The fields ReadBody takes, gathered so that a refused file changes nothing.
struct Body {
    CChenQiCanShu cs;
    CChenQiZuHeItem zuhe[kChenQiZuHeNum * kChenQiLoadNum];
    int bZuHe[kChenQiZuHeNum];
    int bShow;
    float gamma0;
    int fenDuan, maxDieDai, check, duiChen, hnt, zongJin, laJin;
    float tiaoZheng, as;
    int zhengQi;
    int zjD[3], ljD[3], ljS[3];
    int flag1;
    float biLi[kChenQiDiagramNum], zhi[kChenQiDiagramNum];
    float dongLi[2];
};

// A value "%f" writes back within a line: finite and below 1e16.
bool Plausible(std::initializer_list<const float*> groups, std::size_t each) {
    for (const float* v : groups)
        for (std::size_t k = 0; k < each; ++k)
            if (!(std::fabs(v[k]) < 1e16f)) return false;
    return true;
}

bool Plausible(const Body& b) {
    const CChenQiCanShu& c = b.cs;
    const float scalars[] = {c.L, c.H, c.f, c.fi, c.fs, c.tc, c.tb, c.tw, c.R, c.kTop, c.kBottom, c.kSide, c.E,
                             c.gamma, c.moHui, c.huiTian, c.shuiTou, c.shuiZheJian, b.gamma0, b.tiaoZheng, b.as,
                             b.dongLi[0], b.dongLi[1]};
    float factors[kChenQiZuHeNum * kChenQiLoadNum];
    for (int k = 0; k < kChenQiZuHeNum * kChenQiLoadNum; ++k) factors[k] = b.zuhe[k].fXiShu;
    return Plausible({scalars}, std::size(scalars)) && Plausible({&c.q[0][0]}, 9) && Plausible({c.reserved}, 3) &&
           Plausible({factors}, std::size(factors)) && Plausible({b.biLi, b.zhi}, kChenQiDiagramNum);
}

std::string Format(const char* format, double v) {
    char text[64];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

}  // namespace

CChenQiData::CChenQiData() {
    SetDefault();
    m_strTitle = "衬砌计算及绘图设计";
    m_strPeiJinTitle = "衬砌配筋修改";
    m_nJtNum = kChenQiDiagramNum;
    for (int k = 0; k < kChenQiDiagramNum; ++k) m_strJtTitle[k] = kDiagramTitles[k];
    PeiJinTuBiLi = 50.0f;
    const int flags[5] = {0, 1, 0, 0, 1};
    for (int k = 0; k < 5; ++k) m_nFlag[k] = flags[k];
}

CChenQiData::~CChenQiData() = default;

void CChenQiData::SetDefault() {
    for (int k = 6; k <= 8; ++k) ZuHe(0, k).nFlag = 0;
    for (int& on : m_bZuHe) on = 1;
    m_bShowHeZai = 1;
    m_fGamma0 = 1.0f;
    m_nFenDuan = 10;
    m_nMaxDieDai = 10;
    m_nKangLiYanZheng = 1;
    m_bDuiChen = 1;
    m_nHunNingTu = 30;
    m_nZongJin = 2;
    m_nLaJin = 1;
    m_fTiaoZheng = 1.0f;
    m_fAs = 35.0f;
    m_bZhengQi = 0;
    const int zj[3] = {12, 32, 14}, lj[3] = {8, 10, 8}, ls[3] = {70, 300, 150};
    for (int k = 0; k < 3; ++k) {
        m_nZongJinD[k] = zj[k];
        m_nLaJinD[k] = lj[k];
        m_nLaJinS[k] = ls[k];
    }
    for (int k = 0; k < kChenQiDiagramNum; ++k) {
        m_fBiLi[k] = 100.0f;
        m_fZhi[k] = (k >= 2 && k <= 4) ? 1.0f : 100.0f;
    }
    m_fDongLi[0] = m_fDongLi[1] = 1.0f;
}

int CChenQiData::CheckData() { return 1; }

int CChenQiData::LoadData(const char* path) {
    return LoadMarkedData(path, kChenQiMarker, nullptr,
                          [this](std::FILE* fp, bool) { return ReadBody(fp) == 1; });
}

int CChenQiData::SaveData(const char* path) {
    return SaveMarkedData(path, kChenQiMarker, [this](std::FILE* fp) { WriteBody(fp); });
}

int CChenQiData::ReadBody(std::FILE* fp) {
    Body b{};
    CChenQiCanShu& c = b.cs;
    bool ok = fgets_scan_exact(fp, kLineBytes, "%d,%f,%f,%f,%f,%f,%f,%f,%f,%f", &c.nType, &c.L, &c.H,
                               &c.f, &c.fi, &c.fs, &c.tc, &c.tb, &c.tw, &c.R) &&
              fgets_scan_exact(fp, kLineBytes, "%d,%f,%f,%f,%f", &c.nZhiZuo, &c.kTop, &c.kBottom,
                               &c.kSide, &c.E) &&
              fgets_scan_exact(fp, kLineBytes, "%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f",
                               &c.q[0][0], &c.q[1][0], &c.q[2][0], &c.q[0][1], &c.q[1][1],
                               &c.q[2][1], &c.q[0][2], &c.q[1][2], &c.q[2][2], &c.reserved[0],
                               &c.reserved[1], &c.reserved[2], &c.gamma, &c.moHui, &c.huiTian,
                               &c.shuiTou, &c.shuiZheJian);
    for (int k = 0; ok && k < kChenQiLoadNum; ++k) {
        CChenQiZuHeItem* z = b.zuhe;
        ok = fgets_scan_exact(fp, kLineBytes, "%d,%f,%d,%f,%d,%f", &z[k].nFlag, &z[k].fXiShu,
                              &z[kChenQiLoadNum + k].nFlag, &z[kChenQiLoadNum + k].fXiShu,
                              &z[2 * kChenQiLoadNum + k].nFlag, &z[2 * kChenQiLoadNum + k].fXiShu);
    }
    ok = ok && fgets_scan_exact(fp, kLineBytes, "%d,%d,%d,%d", &b.bZuHe[0], &b.bZuHe[1], &b.bZuHe[2], &b.bShow);
    ok = ok && fgets_scan_exact(fp, kLineBytes, "%f,%d,%d,%d,%d,%d,%d,%d,%f,%f,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d",
                                &b.gamma0, &b.fenDuan, &b.maxDieDai, &b.check, &b.duiChen, &b.hnt,
                                &b.zongJin, &b.laJin, &b.tiaoZheng, &b.as, &b.zhengQi, &b.zjD[0],
                                &b.zjD[1], &b.zjD[2], &b.ljD[0], &b.ljD[1], &b.ljD[2], &b.ljS[0],
                                &b.ljS[1], &b.ljS[2], &b.flag1);
    for (int k = 0; ok && k < kChenQiDiagramNum; ++k)
        ok = fgets_scan_exact(fp, kLineBytes, "%f,%f", &b.biLi[k], &b.zhi[k]);
    ok = ok && fgets_scan_exact(fp, kLineBytes, "%f,%f", &b.dongLi[0], &b.dongLi[1]);
    // The geometry divides by the segment count and knows four kinds only.
    if (!ok || !Plausible(b) || c.nType < 0 || c.nType > 3 || b.fenDuan < kChenQiMinFenDuan || b.fenDuan > kChenQiMaxFenDuan)
        return 0;

    m_CanShu = b.cs;
    for (int k = 0; k < kChenQiZuHeNum * kChenQiLoadNum; ++k) m_ZuHe[k] = b.zuhe[k];
    for (int k = 0; k < kChenQiZuHeNum; ++k) m_bZuHe[k] = b.bZuHe[k];
    m_bShowHeZai = b.bShow;
    m_fGamma0 = b.gamma0;
    m_nFenDuan = b.fenDuan;
    m_nMaxDieDai = b.maxDieDai;
    m_nKangLiYanZheng = b.check;
    m_bDuiChen = b.duiChen;
    m_nHunNingTu = b.hnt;
    m_nZongJin = b.zongJin;
    m_nLaJin = b.laJin;
    m_fTiaoZheng = b.tiaoZheng;
    m_fAs = b.as;
    m_bZhengQi = b.zhengQi;
    for (int k = 0; k < 3; ++k) {
        m_nZongJinD[k] = b.zjD[k];
        m_nLaJinD[k] = b.ljD[k];
        m_nLaJinS[k] = b.ljS[k];
    }
    m_nFlag[1] = b.flag1;
    for (int k = 0; k < kChenQiDiagramNum; ++k) {
        m_fBiLi[k] = b.biLi[k];
        m_fZhi[k] = b.zhi[k];
    }
    m_fDongLi[0] = b.dongLi[0];
    m_fDongLi[1] = b.dongLi[1];
    return 1;
}

int CChenQiData::WriteBody(std::FILE* fp) {
    const CChenQiCanShu& c = m_CanShu;
    std::fprintf(fp, "%d,%f,%f,%f,%f,%f,%f,%f,%f,%f\n", c.nType, c.L, c.H, c.f, c.fi, c.fs, c.tc, c.tb,
                 c.tw, c.R);
    std::fprintf(fp, "%d,%f,%f,%f,%f\n", c.nZhiZuo, c.kTop, c.kBottom, c.kSide, c.E);
    std::fprintf(fp, "%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f\n", c.q[0][0], c.q[1][0],
                 c.q[2][0], c.q[0][1], c.q[1][1], c.q[2][1], c.q[0][2], c.q[1][2], c.q[2][2],
                 c.reserved[0], c.reserved[1], c.reserved[2], c.gamma, c.moHui, c.huiTian, c.shuiTou,
                 c.shuiZheJian);
    for (int k = 0; k < kChenQiLoadNum; ++k)
        std::fprintf(fp, "%d,%f,%d,%f,%d,%f\n", ZuHe(0, k).nFlag, ZuHe(0, k).fXiShu, ZuHe(1, k).nFlag,
                     ZuHe(1, k).fXiShu, ZuHe(2, k).nFlag, ZuHe(2, k).fXiShu);
    std::fprintf(fp, "%d,%d,%d,%d\n", m_bZuHe[0], m_bZuHe[1], m_bZuHe[2], m_bShowHeZai);
    std::fprintf(fp, "%f,%d,%d,%d,%d,%d,%d,%d,%f,%f,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d\n", m_fGamma0,
                 m_nFenDuan, m_nMaxDieDai, m_nKangLiYanZheng, m_bDuiChen, m_nHunNingTu, m_nZongJin,
                 m_nLaJin, m_fTiaoZheng, m_fAs, m_bZhengQi, m_nZongJinD[0], m_nZongJinD[1],
                 m_nZongJinD[2], m_nLaJinD[0], m_nLaJinD[1], m_nLaJinD[2], m_nLaJinS[0], m_nLaJinS[1],
                 m_nLaJinS[2], m_nFlag[1]);
    for (int k = 0; k < kChenQiDiagramNum; ++k) std::fprintf(fp, "%f,%f\n", m_fBiLi[k], m_fZhi[k]);
    std::fprintf(fp, "%f,%f\n", m_fDongLi[0], m_fDongLi[1]);
    return 1;
}

int CChenQiData::DoExOutIni(const char* path, int mode) {
    using kv::platform::GetPrivateProfileString;
    using kv::platform::WritePrivateProfileString;
    CChenQiCanShu& c = m_CanShu;
    if (mode == 1) {
        float r = 0, cx = 0, cy = 0;
        if (!GetPartArc(0, 0, &r, &cx, &cy)) r = -1.0f;
        const struct {
            const char* key;
            const char* format;
            float value;
        } keys[] = {{"L", "%.0f", c.L},   {"H", "%.0f", c.H},   {"f", "%.0f", c.f}, {"r", "%.0f", r},
                    {"Hg", "%.0f", c.tc}, {"Hs", "%.0f", c.tw}, {"E", "%.1f", c.E}};
        for (const auto& k : keys)
            WritePrivateProfileString("CQCC", k.key, Format(k.format, k.value).c_str(), path);
        return 1;
    }
    if (mode != 0) return 0;
    std::FILE* fp = open_file_no_comment(path, "rt");
    if (!fp) return 0;
    close_file(fp);
    auto read = [&](const char* section, const char* key, float* value) {
        const std::string text = GetPrivateProfileString(section, key, Format("%f", *value), path).substr(0, 259);
        // A number the data file could not hold again (1e39, nan) keeps the value.
        const double v = std::atof(text.c_str());
        if (std::fabs(v) < 1e16) *value = static_cast<float>(v);
    };
    // [CQCWHZ] (常武) first, then [CQHWHZ] (核爆); q1 top, q2 side, q3 bottom.
    const struct {
        const char* section;
        int kind;
    } sections[] = {{"CQCWHZ", 2}, {"CQHWHZ", 1}};
    for (const auto& s : sections) {
        read(s.section, "q1", &c.q[0][s.kind]);
        read(s.section, "q2", &c.q[2][s.kind]);
        read(s.section, "q3", &c.q[1][s.kind]);
        read(s.section, "k", &m_fDongLi[s.kind - 1]);
    }
    return 1;
}
