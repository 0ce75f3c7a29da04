// The rigid frame's run: the editor's model through the frame library, the
// members read back, designed, reported and drawn.
#include "members/beams/gj_calc.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "base/calcrunner.h"
#include "base/error.h"
#include "base/globals.h"
#include "members/beams/fem_files.h"
#include "members/beams/gj_data.h"
#include "members/beams/gj_frm.h"

namespace {

constexpr int kMaxProtectiveNodes = 25;

}  // namespace

void CGjFrmJs::Start() {
    JS_ERROR_CODE = 0;
    m_cFbDate.main_date(kv::frame::kInputFile);
    if (!JS_ERROR_CODE) gj_read_struc_ld();
}

void CGjFrmJs::gj_read_struc_ld() {
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
    const int n = std::min(m_nNum, static_cast<int>(reader->m_cBeam.size()));
    for (int i = 0; i < n; ++i) {
        const kv::frame::StrucBeam_Frm& b = reader->m_cBeam[static_cast<std::size_t>(i)];
        CGjGouJian& g = m_GouJian[static_cast<std::size_t>(i)];
        g.m_nArc = b.kind - 1;
        g.m_nSteel = b.material - 1;
        g.m_fH = b.section[0];
        g.m_fB = b.section[1];
        g.m_nGrade = static_cast<int>(b.grade);
        g.m_fXc = b.xc * 1000.0f;
        g.m_fYc = b.yc * 1000.0f;
        g.m_fX1 = b.x1 * 1000.0f;
        g.m_fY1 = b.y1 * 1000.0f;
        g.m_fX2 = b.x2 * 1000.0f;
        g.m_fY2 = b.y2 * 1000.0f;
        g.m_nIndex = i + 1;
    }
}

void CGjFrmJs::gj_read_force() {
    m_pForce.reset(new (std::nothrow) kv::frame::force_file_Frm(kv::frame::kForceFile));
    if (!m_pForce) tell_error(kv::err::kFailure, "打不开有限元计算内力文件 ！");
    if (JS_ERROR_CODE) return;
    // Load case 0 only.
    if (m_pForce->m_nBeam > 0 && !m_pForce->read_beam(0)) tell_error(kv::err::kFailure, "读入梁内力信息时发生错误");
    if (!JS_ERROR_CODE &&
        (m_pForce->m_nBeam != m_nNum || static_cast<int>(m_pForce->m_cBeam.size()) < m_nNum))
        tell_error1(kv::err::kFailure, "内力文件的构件数 (%d) 与结构文件的 (%d) 不符 !", m_pForce->m_nBeam, m_nNum);
    if (JS_ERROR_CODE) {
        m_pForce.reset();
        return;
    }
    for (int j = 0; j < m_nNum; ++j) {
        const kv::frame::ForceBeam_Frm& f = m_pForce->m_cBeam[static_cast<std::size_t>(j)];
        CGjGouJian& g = m_GouJian[static_cast<std::size_t>(j)];
        std::copy(std::begin(f.M), std::end(f.M), g.M);
        std::copy(std::begin(f.N), std::end(f.N), g.N);
        std::copy(std::begin(f.V), std::end(f.V), g.V);
        std::copy(std::begin(f.ux), std::end(f.ux), g.Ux);
        std::copy(std::begin(f.uy), std::end(f.uy), g.Uy);
    }
    m_pForce->free_beam();
    m_pForce.reset();
}

void CGjFrmJs::Run() {
    for (CGjGouJian& g : m_GouJian) {
        g.m_fForce1 = m_fForce1;
        g.m_fForce2 = m_fForce2;
    }
    if (m_nRenFang) m_cYxy.m_nRenFang = 1;
    m_cYxy.main_yxy();
    if (JS_ERROR_CODE) {
        tell_error(kv::err::kFailure, "计算未通过!");
        return;
    }
    gj_read_force();
    if (JS_ERROR_CODE) return;
    ReportAndDraw();
    // What the report and the drawings raised on the way does not stop the run;
    // a member without design, a report or drawing not written does.
    JS_ERROR_CODE = Failed() ? kv::err::kFailure : 0;
}

namespace {

constexpr FemRunEnding kEnding{"计算成功 !", "计算不成功 !"};

int Calculate(CGjData& data) {
    JS_ERROR_CODE = 0;
    remove_item_results(data);
    auto conv = std::make_unique<kv::frame::CForm_YXY_Dat_Frm>();
    conv->m_strName = data.DataName() + data.ModelSuffix();
    // A civil-air-defence frame is analysed under load case 1 alone.
    for (int k = 0; k < kGjLoadCases; ++k) conv->m_fFactor[k] = data.m_nRenFang && k > 0 ? 0.0f : data.m_fCaseFactors[k];
    kv::calc::ReportProgress(0, 4);
    if (conv->Prepare_Data()) {
        if (data.m_nRenFang) {
            if (conv->m_nNode > kMaxProtectiveNodes) {
                tell_error(kv::err::kFailure, "对不起，人防刚架结点数不容许超过 25个");
                return 0;
            }
            for (auto& beam : conv->m_cBeam) beam.grade = data.ConGrade;
        }
        conv->Form_YXY_JS_DAT_File();
        kv::calc::ReportProgress(1, 4);
        CGjFrmJs client;
        client.Start();
        client.SetData(&data);
        kv::calc::ReportProgress(2, 4);
        if (!JS_ERROR_CODE && client.m_nNum != conv->m_nBeam) {
            tell_error1(kv::err::kFailure, "结构文件的构件数 (%d) 与模型的 (%d) 不符 !", client.m_nNum, conv->m_nBeam);
        } else {
            const int nodes = static_cast<int>(conv->m_cNode.size());
            auto nodeNumber = [&](int position) {
                return position >= 1 && position <= nodes ? conv->m_cNode[static_cast<std::size_t>(position - 1)].number : 0;
            };
            const int n = std::min(client.m_nNum, static_cast<int>(conv->m_cBeam.size()));
            for (int i = 0; i < n; ++i) {
                const auto& beam = conv->m_cBeam[static_cast<std::size_t>(i)];
                CGjGouJian& g = client.m_GouJian[static_cast<std::size_t>(i)];
                g.m_nNo = beam.number;
                g.m_nReport = beam.kind;
                g.m_nStart = nodeNumber(beam.start);
                g.m_nEnd = nodeNumber(beam.end);
            }
            client.Run();
        }
        kv::calc::ReportProgress(3, 4);
    } else if (!JS_ERROR_CODE) {
        tell_error1(kv::err::kFailure, "不能读入刚架模型 : %s_StrLdA-1.DAT", conv->m_strName.c_str());
    }
    conv.reset();
    delete_fem_files();
    kv::calc::ReportProgress(4, 4);
    return end_fem_run(kEnding);
}

}  // namespace

int gj_calculate(CGjData* data) {
    if (!data) return 0;
    return run_fem_calculation(data->m_strName.empty() ? "刚架" : data->m_strName, kEnding,
                               [&] { return Calculate(*data); });
}
