#include <cmath>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "codes/guifan.h"
#include "members/slabwall/qiang.h"
#include "report/script.h"

int qiang_out_report(CLkqData& w, std::FILE* fp) {
    const std::string dashes(67, '-');
    std::fprintf(fp, "%s\n", dashes.c_str());
    std::fprintf(fp, "计算项目: %s\n", w.m_strName.c_str());
    std::fprintf(fp, "%s\n", dashes.c_str());
    std::fprintf(fp, "[ 计算条件 ]\n");
    if (w.OneWay)
        std::fprintf(fp, "\t墙高  = %.2f (m)    墙厚  = %d (mm)\n", w.Height, w.Thickness);
    else
        std::fprintf(fp, "\t墙长 = %.2f(m)        墙高  = %.2f (m)    墙厚  = %d (mm)\n", w.Width, w.Height,
                     w.Thickness);
    std::fprintf(fp, "\t墙面均布荷载: %.2f (kN/m^2)\n", w.Load);
    if (std::fabs(w.TriLoad) > 1e-5f) std::fprintf(fp, "\t墙面三角形荷载:   %.2f (kN/m^2)\n", w.TriLoad);
    std::fprintf(fp, "\t竖向均布荷载: %.2f (kN/m)\n", w.VertLoad);
    std::fprintf(fp, "\t砼强度等级:    %s     \n", _HNT(w.ConGrade));
    std::fprintf(fp, "\t纵筋级别:    %s     \n", _GJ(w.BarGrade));
    if (w.Steam) std::fprintf(fp, "\t考虑蒸气养护或掺早强剂        \n");
    std::fprintf(fp, "\t配筋计算as (mm):    %6d (mm)     \n", w.Cover);
    std::fprintf(fp, "\t跨中弯矩计算放大系数:    %.2f     \n", w.MidFactor);
    std::fprintf(fp, "\t支座弯矩计算放大系数:    %.2f     \n", w.EdgeFactor);

    static const char* const kSupport[4] = {"             自由", "             简支", "             固定",
                                            "             弹性"};
    if (w.OneWay)
        std::fprintf(fp, "          **** 下边             上边\n");
    else
        std::fprintf(fp, "          **** 下边             右边             上边             左边\n");
    std::fprintf(fp, "\t支承条件:\n");
    std::string line = "  ";
    bool elastic = false;
    for (int i = 0; i < 4; ++i) {
        if (w.OneWay && (i == 1 || i == 3)) continue;
        const int code = w.EdgeType[i] + 1;
        if (code >= 0 && code <= 3) line += kSupport[code];
        elastic = elastic || code == 3;
    }
    std::fprintf(fp, "%s\n", line.c_str());
    if (elastic) std::fprintf(fp, "\t弹性支座嵌固率=%.2f\n", w.Fixity);
    if (G_guifan == 2010 && w.SecondOrder) std::fprintf(fp, "\t考虑p --δ效应\n");
    VanjoroScript(fp, ("InsertDxf=" + w.GetDxfFileName(0)).c_str());
    qiang_cal(w, fp);
    return 1;
}

int qiang_report(CLkqData& w, std::FILE* fp, CBase_SGT* drawing) {
    JS_ERROR_CODE = 0;
    if (fp) qiang_out_report(w, fp);
    if (drawing) qiang_draw(w, drawing);
    return 1;
}
