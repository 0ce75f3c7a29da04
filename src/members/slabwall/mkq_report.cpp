#include <string>

#include "codes/guifan.h"
#include "members/slabwall/mkq.h"
#include "report/script.h"

int mkq_out_report(CMkqData& lip, std::FILE* fp) {
    const std::string dashes(67, '-');
    std::fprintf(fp, "%s\n", dashes.c_str());
    std::fprintf(fp, "计算项目: %s\n", lip.m_strName.c_str());
    std::fprintf(fp, "%s\n", dashes.c_str());
    std::fprintf(fp, "[ 计算条件 ]\n");
    std::fprintf(fp, "    L = %.2f(mm)            L1  = %.2f (mm)      L2  = %.2f (mm)\n",
                 static_cast<float>(lip.Length), static_cast<float>(lip.L1), static_cast<float>(lip.L2));
    const bool haunched = lip.Shape == 2;
    if (haunched)
        std::fprintf(fp, "    h  = %.2f (mm)   a = %.2f(mm)\n", static_cast<float>(lip.Depth),
                     static_cast<float>(lip.Haunch));
    else
        std::fprintf(fp, "    h  = %.2f (mm)\n", static_cast<float>(lip.Depth));
    std::fprintf(fp, "    qe =  %.2f (kN/m^2)\n", lip.Qe);
    std::fprintf(fp, "    qi =  %.2f (kN/m)\n", lip.Qi);
    std::fprintf(fp, "    砼强度等级:    %s     \n", _HNT(lip.ConGrade));
    std::fprintf(fp, "\t配筋计算 as :    %6d (mm)     \n", lip.Cover);
    if (haunched) std::fprintf(fp, "    a = %.2f (mm)    \n", static_cast<float>(lip.Haunch));
    if (lip.Steam) std::fprintf(fp, "    考虑蒸气养护或掺早强剂        \n");
    std::fprintf(fp, "    纵筋级别:      %s      箍筋级别:         %s     箍筋间距(mm):    %4d\n", _GJ(lip.BarGrade),
                 _GJ(lip.StirrupGrade), lip.StirrupSpacing);
    VanjoroScript(fp, ("InsertDxf=" + lip.GetDxfFileName(0)).c_str());
    std::fprintf(fp, "[ 计算结果 ]\n");
    mkq_cal(lip, fp);
    return 1;
}
