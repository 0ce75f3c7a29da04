// The flat slab's run: the equivalent frame through the frame library, the
// members read back, their moments redistributed and shared between the strips,
// then the report, the drawings and the punching sketch.
#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <string>

#include "base/calcrunner.h"
#include "base/error.h"
#include "base/globals.h"
#include "base/interp.h"
#include "base/textio.h"
#include "codes/material.h"
#include "design/pj_beam.h"
#include "members/beams/fem_files.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"

// ---------------------------------------------------------------- a member

void CWllgGouJian::wllg_redistribute(float beta) {
    float mL = m_fM[0], mR = m_fM[8];
    if (mL < 0) m_fM[0] = (1 - beta) * mL;
    else mL = 0;
    if (mR < 0) m_fM[8] = (1 - beta) * mR;
    else mR = 0;
    for (int j = 1; j < 8; ++j) {
        const float f = static_cast<float>(j) / 8.0f;
        m_fM[j] += (1 - f) * beta * std::fabs(mL) + f * beta * std::fabs(mR);
    }
}

void CWllgGouJian::wllg_cap_edge_moment(float L, float a, float b) {
    float x[kWllgStations];
    for (int k = 0; k < kWllgStations; ++k) x[k] = static_cast<float>(k) * L / 8.0f;
    m_fMCapL = liner_inter(x, m_fM, kWllgStations, a);
    m_fMCapR = liner_inter(x, m_fM, kWllgStations, b);
}

// ---------------------------------------------------------------- the frame

CWllgFrmJs::CWllgFrmJs() = default;

CWllgFrmJs::~CWllgFrmJs() {
    if (m_fpReport) close_file(m_fpReport);
}

bool CWllgFrmJs::SetMemberCount(int n) {
    m_pMembers.clear();
    m_nMembers = 0;
    if (n < 0) return false;
    try {
        m_pMembers.resize(static_cast<std::size_t>(n));
    } catch (const std::bad_alloc&) {
        m_pMembers.clear();
        return false;
    }
    for (int i = 0; i < n; ++i) m_pMembers[static_cast<std::size_t>(i)].m_nSeq = i + 1;
    m_nMembers = n;
    return true;
}

void CWllgFrmJs::Start() {
    JS_ERROR_CODE = 0;
    m_FbDate.main_date(kv::frame::kInputFile);
    if (!JS_ERROR_CODE) ReadStrucLd();
}

void CWllgFrmJs::ReadStrucLd() {
    std::unique_ptr<kv::frame::struc_ld_file_Frm> reader(new (std::nothrow)
                                                             kv::frame::struc_ld_file_Frm(kv::frame::kStrucFile));
    if (!reader) tell_error(kv::err::kFailure, "读入梁信息时发生错误");
    if (JS_ERROR_CODE) return;
    if (!SetMemberCount(reader->m_nBeam)) tell_error(kv::err::kFailure, "读入梁信息时发生错误");
    if (JS_ERROR_CODE) return;
    reader->read_fixpoint();
    reader->read_beam();
    if (JS_ERROR_CODE) {
        tell_error(kv::err::kFailure, "读入梁信息时发生错误");
        return;
    }
    const int n = std::min(m_nMembers, static_cast<int>(reader->m_cBeam.size()));
    for (int i = 0; i < n; ++i) {
        const kv::frame::StrucBeam_Frm& b = reader->m_cBeam[static_cast<std::size_t>(i)];
        CWllgGouJian& g = m_pMembers[static_cast<std::size_t>(i)];
        g.m_nArc = b.kind - 1;
        g.m_nKind = b.material - 1;
        g.m_nGrade = static_cast<int>(b.grade);
        g.m_fXc = b.xc * 1000.0f;
        g.m_fYc = b.yc * 1000.0f;
        g.m_fSectH = b.section[0];
        g.m_fSectB = b.section[1];
        g.m_fX1 = b.x1 * 1000.0f;
        g.m_fY1 = b.y1 * 1000.0f;
        g.m_fX2 = b.x2 * 1000.0f;
        g.m_fY2 = b.y2 * 1000.0f;
        g.m_nSeq = i + 1;
    }
}

void CWllgFrmJs::ReadForce() {
    m_pForce.reset(new (std::nothrow) kv::frame::force_file_Frm(kv::frame::kForceFile));
    if (!m_pForce) tell_error(kv::err::kFailure, "打不开有限元计算内力文件 ！");
    if (JS_ERROR_CODE) return;
    // Load case 1 only; a file without it, or with fewer members than the frame,
    // has no forces to give.
    if (m_pForce->m_nCase < 1 || !m_pForce->read_beam(0) ||
        static_cast<int>(m_pForce->m_cBeam.size()) < m_nMembers)
        tell_error(kv::err::kFailure, "读入梁内力信息时发生错误");
    if (JS_ERROR_CODE) {
        m_pForce->free_beam();
        return;
    }
    for (int j = 0; j < m_nMembers; ++j) {
        const kv::frame::ForceBeam_Frm& f = m_pForce->m_cBeam[static_cast<std::size_t>(j)];
        CWllgGouJian& g = m_pMembers[static_cast<std::size_t>(j)];
        std::copy(std::begin(f.M), std::end(f.M), g.m_fM);
        std::copy(std::begin(f.V), std::end(f.V), g.m_fV);
        std::copy(std::begin(f.N), std::end(f.N), g.m_fN);
        std::copy(std::begin(f.ux), std::end(f.ux), g.m_fDispX);
        std::copy(std::begin(f.uy), std::end(f.uy), g.m_fDispY);
    }
    m_pForce->free_beam();
}

int CWllgFrmJs::GetSpanType(int i) const {
    int first = -1, count = 0;
    for (int k = 0; k < m_nMembers; ++k) {
        if (m_pMembers[static_cast<std::size_t>(k)].m_nKind != 0) continue;
        if (first < 0) first = k;
        ++count;
    }
    if (count == 1) return 4;
    if (i == first) return 1;
    if (i == first + count - 1) return 3;
    return 2;
}

void CWllgFrmJs::PostProcess() {
    if (JS_ERROR_CODE) return;
    const bool capDesign = m_pData && m_pData->m_nCapDesign == 1;
    for (CWllgGouJian& g : m_pMembers) {
        g.wllg_redistribute(m_fRedist);
        if (g.m_nKind != 0 || g.m_nFlag != 0 || !capDesign) continue;
        const std::size_t s = static_cast<std::size_t>(g.m_nNo - 1);
        if (g.m_nNo >= 1 && s < m_pData->m_pSpans.size() && s < m_pData->m_pCapLeft.size() &&
            s < m_pData->m_pCapRight.size())
            g.wllg_cap_edge_moment(m_pData->m_pSpans[s], m_pData->m_pCapLeft[s], m_pData->m_pCapRight[s]);
    }
    struct Factors {
        float left, mid, right;
    };
    auto factors = [](int type, float edge, float mid, float inner) -> Factors {
        switch (type) {
        case 1: return {edge, mid, inner};
        case 3: return {inner, mid, edge};
        case 4: return {edge, mid, edge};
        default: return {inner, mid, inner};
        }
    };
    for (int i = 0; i < m_nMembers; ++i) {
        CWllgGouJian& g = m_pMembers[static_cast<std::size_t>(i)];
        const int type = GetSpanType(i);
        // Per metre of the half-strip that each strip takes.
        const float w = g.m_fSectB / 2000.0f;
        if (!(w > 0)) continue;
        const Factors col = factors(type, m_fColEdge, m_fColMid, m_fColInner);
        g.m_fColM[0] = col.left * g.m_fM[0] / w;
        g.m_fColM[1] = col.mid * g.m_fM[4] / w;
        g.m_fColM[2] = col.right * g.m_fM[8] / w;
        if (capDesign) {
            if (g.m_nFlag == 0) {
                g.m_fColMCap[0] = col.left * g.m_fMCapL / w;
                g.m_fColMCap[1] = col.right * g.m_fMCapR / w;
            }
        } else {
            g.m_fColMCap[0] = g.m_fColM[0];
            g.m_fColMCap[1] = g.m_fColM[2];
        }
        const Factors mid = factors(type, m_fMidEdge, m_fMidMid, m_fMidInner);
        g.m_fMidM[0] = mid.left * g.m_fM[0] / w;
        g.m_fMidM[1] = mid.mid * g.m_fM[4] / w;
        g.m_fMidM[2] = mid.right * g.m_fM[8] / w;
    }
}

void CWllgFrmJs::SetData(CWllgData* data) {
    m_pData = data;
    if (!data) return;
    m_nConGrade = data->m_nConGrade;
    m_nSteam = data->m_nSteam;
    m_fMidFactor = m_fSupFactor = 1.0f;
    m_nBarGrade = data->m_nBarGrade;
    m_nDesignOpt = 1;
    m_nAs = data->m_nAs;
    m_fRedist = data->m_fRedist / 100.0f;
    m_fColEdge = data->m_fColEdge;
    m_fColMid = data->m_fColMid;
    m_fColInner = data->m_fColInner;
    m_fMidEdge = data->m_fMidEdge;
    m_fMidMid = data->m_fMidMid;
    m_fMidInner = data->m_fMidInner;
}

void CWllgFrmJs::Run() {
    for (CWllgGouJian& g : m_pMembers) {
        g.m_fFactor1 = m_fFrameFactor1;
        g.m_fFactor2 = m_fFrameFactor2;
    }
    m_Yxy.m_nRenFang = 1;  // load case 1 alone
    m_Yxy.main_yxy();
    if (JS_ERROR_CODE) {
        tell_error(kv::err::kFailure, "计算未通过!");
        return;
    }
    ReadForce();
    if (JS_ERROR_CODE) return;
    PostProcess();
    if (JS_ERROR_CODE) return;
    OutReport();
    DrawDiagrams();
}

// ---------------------------------------------------------------- the run

int wllg_check_data(const CWllgData& d) {
    Con_Prop concrete{};
    bool ok = true;
    auto refuse = [&](const std::string& text) {
        tell_error(kv::err::kDataError, text);
        ok = false;
    };
    if (d.m_nStripWidth <= 0) refuse("板带宽必须大于 0 !");
    if (!get_rc_property(d.m_nConGrade, &concrete) || !(concrete.Ec > 0))
        refuse("混凝土强度等级无效 : " + std::to_string(d.m_nConGrade));
    if (d.m_nAs >= d.m_nSlabThick) refuse("配筋计算as必须小于板带厚 !");
    if (ok) return 1;
    tell_error(kv::err::kDataError, "计算失败 ！");
    return 0;
}

namespace {

constexpr FemRunEnding kEnding{"计算成功 ！", "计算失败 ！"};

int Calculate(CWllgData& data) {
    JS_ERROR_CODE = 0;
    remove_item_results(data);
    if (!wllg_check_data(data)) return 0;
    kv::calc::ReportProgress(0, 4);
    if (!data.WriteFrameModel()) return 0;
    {
        kv::frame::CForm_YXY_Dat_Frm conv;
        conv.m_strName = "WLLG";
        for (int k = 0; k < kv::fem::kLoadCases; ++k) conv.m_fFactor[k] = k == 0 ? 1.0f : 0.0f;
        conv.Prepare_Data();
        conv.Form_YXY_JS_DAT_File();
        kv::calc::ReportProgress(1, 4);

        auto js = std::make_unique<CWllgFrmJs>();
        js->Start();
        js->SetData(&data);
        const int nodes = static_cast<int>(conv.m_cNode.size());
        auto nodeNumber = [&](int position) {
            return position >= 1 && position <= nodes ? conv.m_cNode[static_cast<std::size_t>(position - 1)].number : 0;
        };
        const int n = std::min(js->m_nMembers, static_cast<int>(conv.m_cBeam.size()));
        for (int i = 0; i < n; ++i) {
            const kv::fem::YxyBeam& beam = conv.m_cBeam[static_cast<std::size_t>(i)];
            CWllgGouJian& g = js->m_pMembers[static_cast<std::size_t>(i)];
            g.m_nNo = beam.number;
            g.m_nFlag = beam.kind;
            g.m_nNodeI = nodeNumber(beam.start);
            g.m_nNodeJ = nodeNumber(beam.end);
            g.m_nCapDesign = data.m_nCapDesign;
        }
        kv::calc::ReportProgress(2, 4);
        js->Run();
    }
    kv::calc::ReportProgress(3, 4);
    delete_fem_files();
    const int failed = JS_ERROR_CODE;
    // The sketch draws whatever the outcome; a message on the way must not turn
    // a finished run into a failed one, nor clear a failure.
    JS_ERROR_CODE = 0;
    wllg_draw_punching(data);
    JS_ERROR_CODE = failed;
    kv::calc::ReportProgress(4, 4);
    return end_fem_run(kEnding);
}

}  // namespace

int wllg_calculate(CWllgData* data) {
    if (!data) return 0;
    return run_fem_calculation(data->m_strName.empty() ? "无梁楼盖" : data->m_strName, kEnding,
                               [&] { return Calculate(*data); });
}
