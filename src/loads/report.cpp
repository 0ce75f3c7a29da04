// Text reports of the equivalent loads: one layout for roof and floor, one for
// the exterior wall. GBK text on disk, one value per line.
#include "loads/equivload.h"

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "platform/services.h"

#include <cstdio>
#include <memory>
#include <utility>

namespace {

struct FileCloser {
    void operator()(std::FILE* fp) const { close_file(fp); }
};
using ReportFile = std::unique_ptr<std::FILE, FileCloser>;

void WriteHead(std::FILE* fp, const char* title) {
    std::fputs(title, fp);
    std::fputs("\n", fp);
    std::fputs("                             ********************\n", fp);
    std::fputs("                             *   报        表   *\n", fp);
    std::fputs("                             ********************\n", fp);
    std::fputs("\n", fp);
}

void WriteClassLines(std::FILE* fp, const CEquivLoad& q) {
    std::fputs(q.m_nClass == 0 ? "  甲类防空地下室: 按防核武器和防常规武器爆炸分别计算\n"
                               : "  乙类防空地下室: 按防常规武器爆炸计算\n",
               fp);
    if (q.m_nClass == 0) {
        static const char* const kNuclear[5] = {
            "  防核武器抗力级别:  核6B\n", "  防核武器抗力级别:  核6\n", "  防核武器抗力级别:  核5\n",
            "  防核武器抗力级别:  核4B\n", "  防核武器抗力级别:  核4\n",
        };
        if (q.m_nNuclearClass >= 0 && q.m_nNuclearClass <= 4) std::fputs(kNuclear[q.m_nNuclearClass], fp);
    }
    if (q.m_nConvClass == 0) std::fputs("  防常规武器抗力级别:  常6\n", fp);
    if (q.m_nConvClass == 1) std::fputs("  防常规武器抗力级别:  常5\n", fp);
}

void WriteSoilLines(std::FILE* fp, const CEquivLoad& q) {
    std::fprintf(fp, "  波速比 : %.2f\n", q.m_fGamma);
    std::fprintf(fp, "  起始压力波速:   %.2f(m/s)\n", q.m_fV0);
    std::fprintf(fp, "  应变恢复比 : %.2f\n", q.m_fDelta);
}

// 核6B and 核6 design the wall above ground for the nuclear load.
bool HasNuclearGroundWall(const CEquivLoad& q) { return q.m_nNuclearClass == 0 || q.m_nNuclearClass == 1; }

ReportFile Create(const char* path) { return ReportFile(path && *path ? open_file(path, "wt") : nullptr); }

// Hands a written report to the desktop's text editor; a failed start is not an
// error of the report.
void OpenInEditor(const char* path) {
    std::string error;
    kv::platform::Processes().OpenDocument(path, error);
}

// The file is complete only once committed: a report the disk could not take
// leaves the old one, says so, and opens nothing.
bool Finish(ReportFile file, const char* path) {
    if (commit_file(file.release()) != 0) {
        tell_error1(kv::err::kDataError, "不能写入文件 : %s", path);
        return false;
    }
    OpenInEditor(path);
    return true;
}

}  // namespace

bool CEquivLoad::WriteReport(const char* path) {
    return m_nPart == 0 ? WriteRoofReport(path) : WriteWallReport(path);
}

bool CEquivLoad::WriteRoofReport(const char* path) {
    ReportFile file = Create(path);
    if (!file) return false;
    std::FILE* fp = file.get();
    const bool a = m_nClass == 0;

    WriteHead(fp, "[人防地下室顶底板等效均布静荷载标准值计算]\n");
    std::fputs("\n(1)基本信息\n", fp);
    WriteClassLines(fp, *this);
    std::fprintf(fp, "  常规武器等效TNT装药量:  %.3f(kg)\n", m_fCharge);
    std::fprintf(fp, "  常规武器爆心至作用点距离:  %.1f(m)\n", m_fDistance);
    std::fprintf(fp, "  覆盖土厚   %.3f(m)\n", m_fCover);
    std::fprintf(fp, "  短跨净跨 L0 = %.3f(m)\n", m_fSpanL0);
    static const char* const kForm[3] = {"  结构形式:    普通结构\n", "  结构形式:    双层结构\n",
                                         "  结构形式:    非平顶结构\n"};
    if (m_nStructForm >= 0 && m_nStructForm <= 2) std::fputs(kForm[m_nStructForm], fp);
    const char* upper = "  顶板考虑上部建筑物的影响\n";
    const char* noUpper = "  顶板不考虑上部建筑物的影响\n";
    if (a) {
        std::fputs("防核武器爆炸:\n", fp);
        std::fputs(m_bRoofUpperN ? upper : noUpper, fp);
        std::fputs("防常规武器爆炸:\n", fp);
    }
    std::fputs(m_bRoofUpperC ? upper : noUpper, fp);
    if (m_bMainStructure) std::fputs("  是主体结构\n", fp);
    if (!m_bSaturated)
        std::fputs("  不是饱和土\n", fp);
    else
        std::fprintf(fp, "  是饱和土, 含气量 %.2f(%%)\n", m_fAirContent);

    std::fputs("\n(2)空气冲击波超压计算\n", fp);
    if (a) {
        std::fputs("防核武器爆炸 △Pms:\n", fp);
        std::fprintf(fp, "  顶板△Pms = %.2f(kPa)\n", m_fDeltaPmsRoof);
        std::fputs("防常规武器爆炸 △Pcm:\n", fp);
    }
    std::fprintf(fp, "  顶板△Pcm = %.2f(kPa)\n", m_fDeltaPcmRoof);

    std::fputs("\n(3)土中压缩波的最大压力计算\n", fp);
    WriteSoilLines(fp, *this);
    std::fprintf(fp, "  顶板计算时土的计算深度 :    %.3f(m)\n", m_fDepthRoof);
    if (a) {
        std::fputs("防核武器爆炸 Ph:\n", fp);
        std::fprintf(fp, "  核武器爆炸升压时间 %.3f(s)\n", m_fRiseRoof);
        std::fprintf(fp, "  顶板Ph = %.2f (kPa)\n", m_fPhRoof);
        std::fputs("防常规武器爆炸 Pch:\n", fp);
    }
    std::fprintf(fp, "  常规武器爆炸等效作用时间 %.3f(s)\n", m_fT0Roof);
    std::fprintf(fp, "  顶板Pch = %.2f (kPa)\n", m_fPchRoof);

    std::fputs("\n(4)结构上的爆炸动荷载最大值 Pc 计算\n", fp);
    if (a) {
        std::fputs("防核武器爆炸:\n", fp);
        std::fprintf(fp, "  结构顶板核爆动载综合反应系数K  = %.2f \n", m_fK);
        std::fprintf(fp, "  底压系数 : %.2f\n", m_fEta);
        std::fprintf(fp, "  顶板Pc1 = %.2f(kPa)\n", m_fPc1);
        std::fprintf(fp, "  底板Pc3 = %.2f(kPa)\n", m_fPc3);
        std::fputs("防常规武器爆炸:\n", fp);
    }
    std::fprintf(fp, "  顶板荷载均布化系数Ce  = %.1f \n", m_fCeRoof);
    std::fprintf(fp, "  顶板综合反射系数Kr  = %.1f \n", m_fKrRoof);
    std::fprintf(fp, "  顶板Pc1 = %.2f(kPa)\n", m_fPc1C);

    std::fputs("\n(5)构件自振圆频率计算\n", fp);
    std::fprintf(fp, "  顶板自振圆频率 %.3f(1/s)\n", m_fOmegaRoof);

    std::fputs(a ? "\n(6)动力系数 Kd计算\n" : "\n(6)动力系数 Kdc计算\n", fp);
    if (a) {
        std::fputs("防核武器爆炸:\n", fp);
        std::fprintf(fp, "  顶板允许延性比 %.3f\n", m_fBeta1);
        std::fprintf(fp, "  底板允许延性比 %.3f\n", m_fBeta3);
        std::fprintf(fp, "  顶板动力系数 Kd = %.3f\n", m_fKd1);
        std::fprintf(fp, "  底板动力系数 Kd = %.3f\n", m_fKd3);
        std::fputs("防常规武器爆炸:\n", fp);
    }
    std::fprintf(fp, "  顶板允许延性比 %.3f\n", m_fBeta1C);
    std::fprintf(fp, "  升压时间 tr = %.4f(s)\n", m_fTrRoof);
    std::fprintf(fp, "  等效作用时间 td = %.4f(s)\n", m_fTdRoof);
    std::fprintf(fp, "  顶板动力系数 Kdc1 = %.3f\n", m_fKdc1);

    std::fputs(a ? "\n(7)等效均布静荷载标准值qe计算\n" : "\n(7)等效均布静荷载标准值qce计算\n", fp);
    if (a) {
        std::fputs("防核武器爆炸:\n", fp);
        std::fprintf(fp, "  顶板等效均布静荷载标准值qe1 = %.3f(kPa)\n", m_fQe1);
        std::fprintf(fp, "  底板等效均布静荷载标准值qe3 = %.3f(kPa)\n", m_fQe3);
        std::fputs("防常规武器爆炸:\n", fp);
    }
    std::fprintf(fp, "  顶板等效均布静荷载标准值qce1 = %.3f(kPa)\n", m_fQce1);

    return Finish(std::move(file), path);
}

bool CEquivLoad::WriteWallReport(const char* path) {
    ReportFile file = Create(path);
    if (!file) return false;
    std::FILE* fp = file.get();
    const bool a = m_nClass == 0;
    // Section number of Pc: the compression-wave section exists only for 甲类.
    const int n = a ? 4 : 3;

    WriteHead(fp, "[人防地下室外墙等效均布静荷载标准值计算]\n");
    std::fprintf(fp, "\n(%d)基本信息\n", 1);
    WriteClassLines(fp, *this);
    std::fprintf(fp, "  地下室层高 h = \t   %.3f(m)\n", m_fStoreyH);
    std::fprintf(fp, "  地下室顶板埋深 h1 = \t   %.3f(m)\n", m_fRoofDepth);
    if (!m_bSaturated)
        std::fputs("  不是饱和土\n", fp);
    else
        std::fprintf(fp, "  是饱和土, 含气量 %.2f (%%)\n", m_fAirContent);
    if (a) {
        std::fputs("防核武器爆炸:\n", fp);
        std::fputs(m_bWallUpperN ? "  外墙考虑上部建筑物的影响\n" : "  外墙不考虑上部建筑物的影响\n", fp);
    }

    std::fprintf(fp, "\n(%d)空气冲击波超压计算\n", 2);
    if (a) {
        std::fputs("防核武器爆炸 △Pms:\n", fp);
        std::fprintf(fp, "  外墙△Pms = %.2f(kPa)\n", m_fDeltaPmsWall);
        std::fputs("防常规武器爆炸 △Pcm:\n", fp);
    }
    std::fprintf(fp, "  外墙△Pcm = %.2f(kPa)\n", m_fDeltaPcmWall);

    if (a) {
        std::fprintf(fp, "\n(%d)土中压缩波的最大压力计算\n", 3);
        WriteSoilLines(fp, *this);
        std::fprintf(fp, "  外墙计算深度 :    %.3f (m)\n", m_fDepthWall);
        std::fputs("防核武器爆炸 Ph:\n", fp);
        std::fprintf(fp, "  核武器爆炸升压时间 %.3f(s)\n", m_fRiseWall);
        std::fprintf(fp, "  外墙Ph = %.2f (kPa)\n", m_fPhWall);
    }

    std::fprintf(fp, "\n(%d)结构上的爆炸动载最大值 Pc 计算\n", n);
    std::fprintf(fp, "  侧压系数 : %.2f\n", m_fXi);
    if (a) {
        std::fputs("防核武器爆炸:\n", fp);
        std::fprintf(fp, "  土中外墙Pc2 = %.2f(kPa)\n", m_fPc2);
        if (HasNuclearGroundWall(*this)) std::fprintf(fp, "  地面外墙Pc2' = %.2f(kPa)\n", m_fPc2Gnd);
        std::fputs("防常规武器爆炸:\n", fp);
    }
    std::fprintf(fp, "  土中外墙Pc2 = %.2f(kPa)\n", m_fPc2C);
    std::fprintf(fp, "  地面外墙Pc2' = %.2f(kPa)\n", m_fPc2GndC);

    std::fprintf(fp, "\n(%d)构件自振圆频率计算\n", n + 1);
    std::fprintf(fp, "  外墙自振圆频率 %.3f(1/s)\n", m_fOmegaWall);

    std::fprintf(fp, a ? "\n(%d)动力系数 Kd 计算\n" : "\n(%d)动力系数 Kdc 计算\n", n + 2);
    if (a) {
        std::fputs("防核武器爆炸:\n", fp);
        std::fprintf(fp, "  土中外墙允许延性比 %.3f\n", m_fBeta2);
        std::fprintf(fp, "  地面外墙允许延性比 %.3f\n", m_fBeta2Gnd);
        std::fprintf(fp, "  土中外墙动力系数 Kd2 = %.3f\n", m_fKd2);
        std::fprintf(fp, "  地面外墙动力系数 Kd2' = %.3f\n", m_fKd2Gnd);
        std::fputs("防常规武器爆炸:\n", fp);
    }
    std::fprintf(fp, "  土中外墙允许延性比 %.3f\n", m_fBeta2C);
    std::fprintf(fp, "  土中压缩波的升压时间 tr = %.4f(s)\n", m_fTrWall);
    std::fprintf(fp, "  土中压缩波按等冲量简化的等效作用时间 td = %.4f(s)\n", m_fTdWall);
    std::fprintf(fp, "  土的地震波波速 c = %.3f(m/s)\n", m_fSeisSpeed);
    std::fprintf(fp, "  地面外墙允许延性比 %.3f\n", m_fBeta2GndC);
    std::fprintf(fp, "  按等冲量简化的无升压时间三角形等效作用时间 t0 = %.4f(s)\n", m_fT0Wall);
    std::fprintf(fp, "  土中外墙动力系数 Kdc2 = %.3f\n", m_fKdc2);
    std::fprintf(fp, "  地面外墙动力系数 Kdc2' = %.3f\n", m_fKdc2Gnd);

    std::fprintf(fp, a ? "\n(%d)等效均布静荷载标准值qe计算\n" : "\n(%d)等效均布静荷载标准值qce计算\n", n + 3);
    if (a) {
        std::fputs("防核武器爆炸:\n", fp);
        std::fprintf(fp, "  土中外墙等效均布静荷载标准值qe2 = %.3f(kPa)\n", m_fQe2);
        if (HasNuclearGroundWall(*this))
            std::fprintf(fp, "  地面外墙等效均布静荷载标准值qe2' = %.3f(kPa)\n", m_fQe2Gnd);
        std::fputs("防常规武器爆炸:\n", fp);
    }
    std::fprintf(fp, "  土中外墙等效均布静荷载标准值qce2 = %.3f(kPa)\n", m_fQce2);
    std::fprintf(fp, "  地面外墙等效均布静荷载标准值qce2' = %.3f(kPa)\n", m_fQce2Gnd);

    return Finish(std::move(file), path);
}

std::string EquivLoadReportPath(const std::string& chosen) {
    std::string path = chosen;
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
    return path + ".OUT";
}

bool OutputEquivLoadReport(CEquivLoad& load) {
    kv::platform::FileDialogRequest request;
    request.filter = "报表文件(*.OUT)|*.OUT||";
    request.initialPath = G_strWorkPath + "*.OUT";
    std::optional<std::string> chosen = kv::platform::FileDialogs().GetSaveFileName(request);
    if (!chosen) return false;
    std::string path = EquivLoadReportPath(*chosen);
    return load.WriteReport(path.c_str());
}
