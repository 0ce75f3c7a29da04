#include "frame/frame_library.h"

#include "base/error.h"
#include "frame/frame_solver.h"
#include "platform/paths.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

namespace kv::frame {

namespace {

void Fail(const std::string& text) { tell_error(kv::err::kFailure, text); }

// A result as the file's float; one beyond its range becomes infinite.
float Narrow(double v) {
    if (std::fabs(v) > std::numeric_limits<float>::max()) return static_cast<float>(std::copysign(HUGE_VAL, v));
    return static_cast<float>(v);
}

}  // namespace

FrameModel ToModel(const FrmStructure& s) {
    FrameModel model;
    for (const FrmNode& n : s.nodes) model.nodes.push_back({n.x, n.y});
    for (const StrucBeam_Frm& b : s.beams) {
        FrameMember m;
        m.start = b.start - 1;
        m.end = b.end - 1;
        m.arc = b.kind == 2;
        m.cx = b.xc;
        m.cy = b.yc;
        m.E = b.E;
        m.A = b.A;
        m.I = b.I;
        m.releaseStart = b.releaseStart != 0;
        m.releaseEnd = b.releaseEnd != 0;
        model.members.push_back(m);
    }
    for (const FrmSupport& r : s.supports) model.supports.push_back({r.node - 1, r.kind, r.angle, r.stiffness});
    for (const FrmNodeLoad& r : s.nodeLoads)
        model.nodeLoads.push_back({r.node - 1, r.loadCase, r.kind, {r.value[0], r.value[1], r.value[2]}});
    for (const FrmMemberLoad& r : s.memberLoads)
        model.memberLoads.push_back(
            {r.member - 1, r.loadCase, r.type, {r.value[0], r.value[1], r.value[2], r.value[3]}});
    return model;
}

namespace {

std::string MemberText(const FrmStructure& s, int index) {
    if (index < 0 || index >= static_cast<int>(s.beams.size())) return "";
    return "构件 " + std::to_string(s.beams[index].number) + " ";
}

void RemoveFile(const char* name) {
    std::string path = kv::platform::ResolveExisting(name);
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove(path, ec);
}

}  // namespace

int CForm_YXY_Dat_Frm::Form_YXY_JS_DAT_File() {
    if (JS_ERROR_CODE) return 0;
    FrmStructure s;
    for (const kv::fem::YxyNode& n : m_cNode) s.nodes.push_back({n.number, n.x, n.y});
    for (const kv::fem::YxyBeam& b : m_cBeam) {
        StrucBeam_Frm r;
        r.kind = b.lineType == 2 ? 2 : 1;
        r.material = b.sectionType == 1 ? 1 : 2;
        r.start = b.start;
        r.end = b.end;
        r.section[0] = b.width;
        r.section[1] = b.depth;
        r.e = b.value1;
        r.number = b.number;
        r.xc = b.cx;
        r.yc = b.cy;
        r.grade = static_cast<float>(b.grade);
        r.x1 = b.x1;
        r.y1 = b.y1;
        r.x2 = b.x2;
        r.y2 = b.y2;
        r.releaseStart = b.twelfth;
        r.releaseEnd = b.thirteenth;
        r.flag = b.kind;
        s.beams.push_back(r);
    }
    for (const kv::fem::YxySupport& r : m_cSupport) s.supports.push_back({r.node, r.kind, r.value, r.stiffness});
    for (const kv::fem::YxyNodeLoad& l : m_cNodeLoad)
        s.nodeLoads.push_back({l.node, l.loadCase, l.kind, {l.p[0], l.p[1], l.p[2]}});
    for (const kv::fem::YxyMemberLoad& l : m_cMemberLoad)
        s.memberLoads.push_back({l.beam, l.loadCase, l.type, {l.p[0], l.p[1], l.p[2], l.p[3]}});
    if (!WriteStructureFile(kInputFile, kInputTag, s)) {
        Fail(std::string("不能写文件 ") + kInputFile);
        return 0;
    }
    return 1;
}

int FB_DATE_Frm::main_date(const char* inputName) {
    if (JS_ERROR_CODE) return 0;
    FrmStructure s;
    std::string error;
    if (!ReadStructureFile(inputName, kInputTag, s, error) || !CheckReferences(s, error)) {
        Fail("刚架计算数据错: " + error);
        return 0;
    }
    FrameModel model = ToModel(s);
    for (std::size_t k = 0; k < s.beams.size(); ++k) {
        StrucBeam_Frm& b = s.beams[k];
        const FrmNode& a = s.nodes[b.start - 1];
        const FrmNode& z = s.nodes[b.end - 1];
        b.x1 = a.x;
        b.y1 = a.y;
        b.x2 = z.x;
        b.y2 = z.y;
        if (!(MemberLength(model, model.members[k]) >= 1e-6)) {
            Fail(MemberText(s, static_cast<int>(k)) + "长度为零 !");
            return 0;
        }
        double E, A, I;
        // A grade beyond any int is no grade at all.
        int grade = std::fabs(b.grade) < 1e6f ? static_cast<int>(b.grade) : 0;
        bool known = SectionStiffness(b.material, b.section[0], b.section[1], b.e, grade, E, A, I);
        // Stiffness beyond anything a float holds is a damaged section too.
        b.E = Narrow(E);
        b.A = Narrow(A);
        b.I = Narrow(I);
        if (!known || !(E * A < 1e30 && E * I < 1e30 && std::isfinite(b.E * b.A) && std::isfinite(b.E * b.I))) {
            Fail(MemberText(s, static_cast<int>(k)) +
                 (b.material == 1 && E == 0 ? "混凝土标号错误 !" : "截面尺寸错误 !"));
            return 0;
        }
    }
    if (!WriteStructureFile(kStrucFile, kStrucTag, s)) {
        Fail(std::string("不能写文件 ") + kStrucFile);
        return 0;
    }
    return 1;
}

struc_ld_file_Frm::struc_ld_file_Frm(const char* name) {
    ok_ = ReadStructureFile(name, kStrucTag, data_, error_) && CheckReferences(data_, error_);
    if (!ok_) {
        data_ = FrmStructure{};
        return;
    }
    m_nNode = static_cast<int>(data_.nodes.size());
    m_nBeam = static_cast<int>(data_.beams.size());
    m_nFixPoint = static_cast<int>(data_.supports.size());
}

bool struc_ld_file_Frm::Check() {
    if (ok_) return true;
    Fail("读结构文件错: " + error_);
    return false;
}

int struc_ld_file_Frm::read_fixpoint() {
    if (JS_ERROR_CODE || !Check()) return 0;
    m_cNode = data_.nodes;
    m_cFixPoint = data_.supports;
    return 1;
}

int struc_ld_file_Frm::read_beam() {
    if (JS_ERROR_CODE || !Check()) return 0;
    m_cBeam = data_.beams;
    return 1;
}

void struc_ld_file_Frm::free_beam() {
    m_cBeam.clear();
    m_cBeam.shrink_to_fit();
}

int YXY_Frm::main_yxy() {
    RemoveFile(kForceFile);
    if (JS_ERROR_CODE) return 0;
    FrmStructure s;
    std::string error;
    if (!ReadStructureFile(kStrucFile, kStrucTag, s, error) || !CheckReferences(s, error)) {
        Fail("读结构文件错: " + error);
        return 0;
    }
    FrameModel model = ToModel(s);
    SolveOptions options;
    options.arcChords = m_nArcChords;
    options.firstCaseOnly = m_nRenFang != 0;
    FrameResult result;
    SolveOutcome outcome = SolveFrame(model, options, result);
    switch (outcome.status) {
    case SolveStatus::Ok:
        break;
    case SolveStatus::Mechanism:
        Fail("结构是几何可变体系（刚度矩阵奇异），不能计算 !");
        return 0;
    case SolveStatus::ZeroLength:
        Fail(MemberText(s, outcome.index) + "长度为零 !");
        return 0;
    case SolveStatus::NoStiffness:
        Fail(MemberText(s, outcome.index) + "截面尺寸错误 !");
        return 0;
    case SolveStatus::TooLarge:
        Fail("结构太大，不能计算 !");
        return 0;
    case SolveStatus::BadData:
        Fail("结构文件中有无效的编号或数值");
        return 0;
    }
    FrmForces forces;
    forces.nodeCount = static_cast<int>(s.nodes.size());
    forces.cases.resize(1);
    for (std::size_t k = 0; k < s.beams.size(); ++k) {
        const StrucBeam_Frm& b = s.beams[k];
        const StationValues& v = result.members[k];
        ForceBeam_Frm r;
        r.number = b.number;
        r.start = b.start;
        r.end = b.end;
        r.kind = b.kind == 2 ? 2 : 1;
        r.length = Narrow(MemberLength(model, model.members[k]));
        for (int i = 0; i < kStations; ++i) {
            r.M[i] = Narrow(v.M[i]);
            r.N[i] = Narrow(v.N[i]);
            r.V[i] = Narrow(v.V[i]);
            r.ux[i] = Narrow(v.ux[i]);
            r.uy[i] = Narrow(v.uy[i]);
        }
        forces.cases[0].push_back(r);
    }
    if (!WriteForceFile(kForceFile, forces)) {
        Fail(std::string("不能写文件 ") + kForceFile);
        return 0;
    }
    return 1;
}

force_file_Frm::force_file_Frm(const char* name) {
    std::string error;
    if (!ReadForceFile(name, data_, error)) return;
    m_nCase = static_cast<int>(data_.cases.size());
    m_nBeam = m_nCase > 0 ? static_cast<int>(data_.cases[0].size()) : 0;
}

int force_file_Frm::read_beam(int loadCase) {
    if (JS_ERROR_CODE) return 0;
    if (loadCase < 0 || loadCase >= m_nCase) return 0;
    m_cBeam = data_.cases[static_cast<std::size_t>(loadCase)];
    return 1;
}

void force_file_Frm::free_beam() {
    m_cBeam.clear();
    m_cBeam.shrink_to_fit();
}

}  // namespace kv::frame
