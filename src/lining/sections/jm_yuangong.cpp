#include "lining/sections/jm_yuangong.h"

#include <cmath>

#include "base/error.h"
#include "lining/engine/lineio.h"
#include "lining/engine/owner.h"
#include "lining/engine/section_driver.h"
#include "report/script.h"

namespace {

constexpr float kDegree = 3.1415927f / 180;
constexpr double kQuarterTurn = 1.5707964;
constexpr const char* kPartNames[3] = {"底板", "侧墙", "顶拱"};

}  // namespace

CJmYuanGongZhiQiang::CJmYuanGongZhiQiang() = default;

int CJmYuanGongZhiQiang::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    bool read = CJieMianBase::LoadData(fp) == 0;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fDiBanBanKuan, &m_fDiBanHouDu, &m_fDiBanK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f", &m_fCeQiangGaoDu, &m_fCeQiangHouDu, &m_fCeQiangK) && read;
    read = kv::lining::ReadLine(fp, "%f,%f,%f,%f", &m_fDingGongBanJiao, &m_fGongJiaoHouDu, &m_fGongDingHouDu, &m_fDingGongK) && read;
    return read ? 0 : -1;
}

int CJmYuanGongZhiQiang::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    CJieMianBase::SaveData(fp);
    std::fprintf(fp, "%f,%f,%f\n", m_fDiBanBanKuan, m_fDiBanHouDu, m_fDiBanK);
    std::fprintf(fp, "%f,%f,%f\n", m_fCeQiangGaoDu, m_fCeQiangHouDu, m_fCeQiangK);
    std::fprintf(fp, "%f,%f,%f,%f\n", m_fDingGongBanJiao, m_fGongJiaoHouDu, m_fGongDingHouDu, m_fDingGongK);
    return 0;
}

int CJmYuanGongZhiQiang::WriteCanShu(std::FILE* fp) {
    if (!fp) return -1;
    std::fputs("\n[ 衬砌参数 ]\n\n", fp);
    std::fprintf(fp, "    底板半宽：          \t\t%10.3f(m)\n", m_fDiBanBanKuan);
    std::fprintf(fp, "    底板厚度：          \t\t%10.3f(m)\n", m_fDiBanHouDu);
    std::fprintf(fp, "    侧墙高度：          \t\t%10.3f(m)\n", m_fCeQiangGaoDu);
    std::fprintf(fp, "    侧墙厚度：          \t\t%10.3f(m)\n", m_fCeQiangHouDu);
    std::fprintf(fp, "    顶拱半中心角：      \t\t%10.3f(度)\n", m_fDingGongBanJiao);
    std::fprintf(fp, "    顶拱拱脚厚度：      \t\t%10.3f(m)\n", m_fGongJiaoHouDu);
    std::fprintf(fp, "    顶拱拱顶厚度：      \t\t%10.3f(m)\n", m_fGongDingHouDu);
    std::fprintf(fp, "    底板围岩弹抗系数：  \t\t%10.3f(MN/m3)\n", m_fDiBanK);
    std::fprintf(fp, "    侧墙围岩弹抗系数：  \t\t%10.3f(MN/m3)\n", m_fCeQiangK);
    std::fprintf(fp, "    顶拱围岩弹抗系数：  \t\t%10.3f(MN/m3)\n", m_fDingGongK);
    std::fprintf(fp, "    衬砌的弹性模量：    \t\t%10.3f(MPa)\n", m_fE);
    return 0;
}

float CJmYuanGongZhiQiang::GetCrownR() const { return m_fDiBanBanKuan / FSin(m_fDingGongBanJiao * kDegree); }

void CJmYuanGongZhiQiang::GetCrownCentre(float* x, float* y) const {
    if (!x || !y) return;
    *x = 0;
    *y = m_fCeQiangGaoDu - GetCrownR() * FCos(m_fDingGongBanJiao * kDegree);
}

float CJmYuanGongZhiQiang::GetHeightTotal() const {
    return m_fCeQiangGaoDu + (1 - FCos(m_fDingGongBanJiao * kDegree)) * GetCrownR();
}

bool CJmYuanGongZhiQiang::HasCrown() const { return m_fDingGongBanJiao > 0 && m_fDingGongBanJiao < 180; }

int CJmYuanGongZhiQiang::GetExtent(CFRect& extent) {
    extent = CFRect{-m_fDiBanBanKuan, 0, m_fDiBanBanKuan, GetHeightTotal()};
    return 0;
}

kv::lining::DriverResult CJmYuanGongZhiQiang::Solve(int n, std::FILE* log) {
    const float b = m_fDiBanBanKuan;
    const float H = m_fCeQiangGaoDu;
    const float R = GetCrownR();
    const float alpha = m_fDingGongBanJiao * kDegree;

    using kv::lining::DriverSetup;
    DriverSetup setup;
    setup.parts = {
        {[&](const int* nf, const int* mf, double* Hm, double* P, std::FILE* lg) {
             return CalDiBan(n, b, m_fDiBanHouDu, m_fDiBanK, nf, mf, Hm, P, 1, 0, 0, lg);
         },
         static_cast<double>(b / n)},
        {[&](const int* nf, const int* mf, double* Hm, double* P, std::FILE* lg) {
             return CalCeQiang(n, 0, H, m_fCeQiangHouDu, m_fCeQiangK, nf, mf, Hm, P, 1, lg);
         },
         static_cast<double>(H / n)},
        {[&](const int* nf, const int* mf, double* Hm, double* P, std::FILE* lg) {
             return CalDingGong(n, R, m_fGongJiaoHouDu, m_fGongDingHouDu, alpha, H, 0, m_fDingGongK, nf, mf, Hm, P, 1,
                                lg);
         },
         static_cast<double>(R * alpha / n)},
    };
    setup.joints = {kQuarterTurn, kQuarterTurn - alpha};
    // Both ends are symmetry cuts: the floor centre and the crown.
    BoundaryMatrix(0, setup.startRows, 50000.0f, 1.0f, 1.0f, 1.0f, 1);
    BoundaryMatrix(0, setup.endRows, 50000.0f, 1.0f, 1.0f, 1.0f, 1);
    return kv::lining::RunSectionDriver(*this, n, setup, log);
}

int CJmYuanGongZhiQiang::JiSuan(std::FILE* fp) {
    if (!fp || !m_pData) return -1;
    const int n = m_pData->GetSegmentCount();
    if (n < 1) return -1;
    if (!HasCrown()) {
        tell_error1(kv::err::kDataError, "顶拱半中心角%.3f度不能构成顶拱，应大于0度且小于180度!", m_fDingGongBanJiao);
        return -1;
    }
    const kv::lining::DriverResult run = Solve(n, m_pData->GetLogFile());
    if (run.status != 0) {
        // The node states are not a solution: say why the run stopped and show nothing else.
        char text[160];
        std::snprintf(text, sizeof text, "\n计算中止：%s部分的几何数据不能计算，没有结果。\n",
                      kPartNames[run.failedPart]);
        VanjoroScript_Text(fp, text, 255, 1.0);
        return run.status;
    }
    // The conclusion, the segment report, the crack note and the result diagrams
    // join here with the result output.
    return 0;
}
