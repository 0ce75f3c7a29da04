// The second door-frame wall's calculation report and its result summary.
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string>

#include "base/globals.h"
#include "codes/gangjin.h"
#include "members/slabwall/mkqjs_calc.h"
#include "members/slabwall/mkqjs_tables.h"
#include "report/jss.h"
#include "report/rtf.h"

using kv::report::CRTF;

namespace {

const char* const I = "    ";

// Colour switches of the report texts: normal, passed, warning, failure.
#define KV_NORMAL "\x01" "01"
#define KV_PASSED "\x01" "02"
#define KV_WARNING "\x01" "05"
#define KV_FAILURE "\x01" "06"

// One row of the report's side tables: a label and the four sides.
const char* const kRow = "    %-11s%-17s%-17s%-17s%-17s\n";

struct Cells {
    std::string side[kMkqSideCount];
};

void Row(CRTF& report, const char* label, const Cells& cells) {
    report.InsertText(kRow, label, cells.side[0].c_str(), cells.side[1].c_str(), cells.side[2].c_str(),
                      cells.side[3].c_str());
}

void HeaderRow(CRTF& report) {
    report.InsertText(kRow, I, G_MkqSideName[0].c_str(), G_MkqSideName[1].c_str(), G_MkqSideName[2].c_str(),
                      G_MkqSideName[3].c_str());
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char buf[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    return buf;
}

void TitleStyle(CRTF& report) { report.SetCurTextStyle(0, 21, 1, 1, 0, 0); }
void BodyStyle(CRTF& report) { report.SetCurTextStyle(0, 21, 1, 0, 0, 0); }

// "悬臂" for the cantilever check, "牛腿" for the corbel.
const char* Method(const MkqSideResult& r) { return r.CheckKind == 0 ? "悬臂" : "牛腿"; }

const char* StateTag(int state) { return state == 0 ? "(超筋)" : state == 2 ? "(构造)" : ""; }

// Area of a bar text of `grade`: mm² per metre for bars at a spacing.
float BarArea(const char* text, int grade) {
    CGangJin bars;
    bars.m_nGrade = grade;
    bars.FromString(text);
    return bars.Area();
}

}  // namespace

int CMkqJiSuan::WriteJss(int, CRTF* report) {
    if (!report || !Data() || !Result()) return 0;
    WriteJssHead(*report);
    Data()->WriteJssData(*report, 1);
    WriteJssNeiLi(*report);
    return WriteJssPeiJin(*report);
}

int CMkqJiSuan::WriteJssHead(CRTF& report) {
    report.Push_ENV();
    TitleStyle(report);
    report.InsertText("                       %s 门框墙计算\n", Data()->m_strName.c_str());
    SetTextStyleJss(report, 0);
    report.SetCurLeftMargin(55);
    char date[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&now));
    report.InsertText("\n%s\n\n", date);
    report.SetCurLeftMargin(0);
    WriteGCXX(report);
    SetTextStyleJss(report, 1);
    report.InsertText("依据标准：\n");
    SetTextStyleJss(report, 0);
    report.InsertText("    《混凝土结构设计规范》(GB 50010-2002),  本文简称《混凝土规范》\n");
    report.InsertText("    《建筑结构荷载规范》(GB 50009-2001),  本文简称《荷载规范》\n");
    report.InsertText("    《人民防空地下室设计规范》(GB 50038-2005),  本文简称《人防规范》\n");
    WriteDivLine(report);
    report.Pop_ENV();
    return 1;
}

int CMkqJiSuan::WriteJssNeiLi(CRTF& report) {
    const CMkqResult& res = *Result();
    report.Push_ENV();
    TitleStyle(report);
    report.InsertText("%d 计算过程及计算结果\n", 2);
    BodyStyle(report);
    report.InsertText("%d.%d 内力计算\n", 2, 1);
    for (const char* formula : {"q`v=q`i*sin(Greek(b))+q`e*l`2", "q`h=q`i*cos(Greek(b))+T`i",
                                "M=q`i*sin(Greek(b))*l`1+q`e*mark(l,2,2)/2-q`h*h`h", "V=q`v", "C=M/V"}) {
        report.InsertText("%s%s", I, I);
        report.InsertFormula(formula);
    }
    report.InsertText("%s式中：\n", I);
    for (const char* legend :
         {"%s%sq`v~ —— 垂直作用于门框墙合力(N/mm)\n", "%s%sq`h~ —— 平行作用于门框墙合力(N/mm)\n",
          "%s%sβ —— q`i~与水平方向夹角(度)\n", "%s%sM —— 门框墙根部的弯矩(N.mm/mm)\n",
          "%s%sV —— 门框墙根部的剪力(N/mm)\n",
          "%s%sh`h~ —— 水平集中力至根部截面形心的距离(mm)(形心以上为正，以下为负)\n",
          "%s%sC —— 换算剪跨(mm)\n"})
        report.InsertText(legend, I, I);
    report.InsertText("\n");
    report.InsertText("%s             %-12s %-12s %-12s %-12s\n", I, G_MkqSideName[0].c_str(), G_MkqSideName[1].c_str(),
                      G_MkqSideName[2].c_str(), G_MkqSideName[3].c_str());
    struct ForceRow {
        const char* format;
        const char* value;
        float (*get)(const MkqSideResult&);
    };
    const ForceRow rows[] = {
        {"%sq`h~(N/mm)     %-12s %-12s %-12s %-12s\n", "%.3f", [](const MkqSideResult& r) { return r.Qh; }},
        {"%sh`h~(mm)       %-12s %-12s %-12s %-12s\n", "%.0f", [](const MkqSideResult& r) { return r.Hh; }},
        {"%sM(N.mm/mm)   %-12s %-12s %-12s %-12s\n", "%.1f", [](const MkqSideResult& r) { return r.M * 1000.0f; }},
        {"%sV(N/mm)      %-12s %-12s %-12s %-12s\n", "%.3f", [](const MkqSideResult& r) { return r.Qv; }},
        {"%sC(mm)        %-12s %-12s %-12s %-12s\n", "%.0f", [](const MkqSideResult& r) { return r.C * 1000.0f; }},
    };
    for (const ForceRow& row : rows) {
        char v[kMkqSideCount][32];
        for (int i = 0; i < kMkqSideCount; ++i) std::snprintf(v[i], sizeof v[i], row.value, row.get(res.Side[i]));
        report.InsertText(row.format, I, v[0], v[1], v[2], v[3]);
    }
    report.InsertText("\n");
    report.Pop_ENV();
    return 1;
}

int CMkqJiSuan::WriteJssPeiJin(CRTF& report) {
    const CMkqJsData& data = *Data();
    const CMkqResult& res = *Result();
    const bool arched = data.DoorType == 1;
    bool anyCorbel = false, anyCantilever = false;
    for (const MkqSideResult& r : res.Side) (r.CheckKind != 0 ? anyCorbel : anyCantilever) = true;
    auto depth = [&data](int i) { return data.Side[i].h + data.Side[i].ha; };

    report.Push_ENV();
    BodyStyle(report);
    report.InsertText("%d.%d 配筋计算\n", 2, 2);
    int n = 1;

    // 1) dynamic strengths
    report.InsertText("%s%d) 材料参数调整\n", I, n++);
    report.InsertText("%s%s根据《人防规范》4.2.3及4.2.4\n", I, I);
    report.InsertText("%s%s%s", I, I, I);
    report.InsertFormula("f`d=Greek(g)`d*f");
    report.InsertText("%s%s%s", I, I, I);
    report.InsertText("%s%s式中：\n", I, I);
    report.InsertText("%s%s%sf`d~ —— 动荷载作用下材料强度设计值(N/mm^2~)\n", I, I, I);
    report.InsertText("%s%s%sf —— 静荷载作用下材料强度设计值(N/mm^2~)\n", I, I, I);
    report.InsertText("%s%s%sγ`d~ —— 动荷载作用下材料强度综合调整系数\n", I, I, I);

    // 2) section checks
    report.InsertText("%s%d) 截面验算\n", I, n++);
    report.InsertText("%s%s", I, I);
    report.InsertFormula("h`0=h+h`a-35");
    int k = 1;
    if (anyCorbel) {
        const char* lead = arched ? "当 左、右截面或者上、下截面C/h`0~≤1 时，按" : "当 C/h`0~≤1 时，按";
        report.InsertText("%s%s(%d) %s牛腿根部垂直截面高度验算：\n", I, I, k++, lead);
        for (const char* formula : {"(h+h`a)>=a*k(1+sqr(1+16/k))/4+50",
                                    "a=((q`i*sin(Greek(b))*l`1+0.5*q`e*mark(l,2,2))/q`v",
                                    "k=mark(q,v,2)/(a*f`td*(0.8*q`v+0.4*q`h))"}) {
            report.InsertText("%s%s%s", I, I, I);
            report.InsertFormula(formula);
        }
        report.InsertText("%s%s式中：\n", I, I);
        report.InsertText("%s%s%sh+h`a~ —— 牛腿根部截面的高度(mm)\n", I, I, I);
        report.InsertText("%s%s%sa —— 垂直作用在牛腿的合力作用点至根部的水平距离(mm)\n", I, I, I);
        report.InsertText("\n");
    }
    if (anyCantilever) {
        const char* lead = arched ? "当 上、下截面C/h`0~>1 时，按" : "当 C/h`0~>1 时，按";
        report.InsertText("%s%s(%d) %s悬臂梁截面验算：\n", I, I, k++, lead);
        report.InsertText("%s%s%s", I, I, I);
        report.InsertFormula("V<=0.25*Greek(b)`c*f`cd*b*h`0");
        report.InsertText("%s%s式中：\n", I, I);
        report.InsertText("%s%s%sβ`c~ —— 混凝土强度影响系数\n", I, I, I);
        report.SetCurLeftMargin(21);
        report.InsertText("当混凝土强度等级不超过C50时，取1.0\n");
        report.InsertText("当混凝土强度等级为C80时，取0.8，其间线性插值\n");
        report.SetCurLeftMargin(0);
        report.InsertText("\n");
    }
    HeaderRow(report);
    Cells cells;
    bool sectionFails = false;
    for (int i = 0; i < kMkqSideCount; ++i)
        cells.side[i] = Format("%.3f", res.Side[i].C * 1000.0f / (depth(i) - data.as));
    Row(report, "C/h0", cells);
    for (int i = 0; i < kMkqSideCount; ++i) cells.side[i] = Format("%.0f", res.Side[i].A);
    Row(report, "a(mm)", cells);
    for (int i = 0; i < kMkqSideCount; ++i) cells.side[i] = Method(res.Side[i]);
    Row(report, "验算方法", cells);
    for (int i = 0; i < kMkqSideCount; ++i) {
        const bool ok = res.Side[i].SectionOk == 1;
        sectionFails |= !ok;
        cells.side[i] = ok ? KV_PASSED "满足             " : KV_FAILURE "不满足           ";
    }
    Row(report, "截面验算", cells);
    if (sectionFails) report.InsertText(KV_FAILURE "\n%s注意：存在截面验算不满足情况！\n" KV_NORMAL, I);
    report.InsertText("\n");

    // 3) required areas
    report.InsertText("%s%d) 计算配筋面积(mm^2~/m)/配筋率(%%)\n", I, n++);
    k = 1;
    if (anyCorbel) {
        const char* lead = arched ? "" : "当 C/h`0~≤1 时，按";
        report.InsertText("%s%s(%d) %s牛腿计算：\n", I, I, k++, lead);
        report.InsertText("%s%s纵筋：\n", I, I);
        if (arched) {
            report.InsertText("%s%s%s当 左、右截面q/z<1.6f`cd~ 时，按构造配筋\n", I, I, I);
            report.InsertText("%s%s%s当 左、右截面q/z≥1.6f`cd~ 或者上、下截面C/h`0~≤1 时\n", I, I, I);
        }
        report.InsertText("%s%s%s", I, I, I);
        report.InsertFormula("A`s>=q`v*a/(0.85*f`yd*h`0)-0.45*q`h/f`yd");
        report.InsertText("%s%s式中：\n", I, I);
        report.InsertText("%s%s%sq —— q`v~、q`h~合力大小(N/mm)\n", I, I, I);
        report.InsertText("%s%s%sz —— q`v~、q`h~合力作用线至根部距离(mm)(门框墙根部以外为正，内为负)\n", I, I, I);
        report.InsertText("%s%s%sA`s~ —— 水平受力钢筋截面面积(mm^2~/mm)\n", I, I, I);
        report.InsertText("\n");
        report.InsertText("%s%s箍筋：按构造配筋\n", I, I);
        report.InsertText("\n");
    }
    if (anyCantilever) {
        const char* lead = arched ? "当 上、下截面C/h`0~>1 时，按" : "当 C/h`0~>1 时，按";
        report.InsertText("%s%s(%d) %s悬臂梁计算：\n", I, I, k++, lead);
        report.InsertText("%s%s纵筋：\n", I, I);
        for (const char* formula : {"M<=Greek(a)`1*f`cd*b*x*(h`0-x/2)", "Greek(a)`1*f`cd*b*x=f`yd*A`s"}) {
            report.InsertText("%s%s%s", I, I, I);
            report.InsertFormula(formula);
        }
        report.InsertText("%s%s式中：\n", I, I);
        report.InsertText("%s%s%sα`1~ —— 系数\n", I, I, I);
        report.SetCurLeftMargin(21);
        report.InsertText("当混凝土强度等级不超过C50时，α`1~取1.0\n");
        report.InsertText("当混凝土强度等级为C80时，α`1~取0.94，其间线性插值\n");
        report.SetCurLeftMargin(0);
        report.InsertText("\n");
        report.InsertText("%s%s箍筋：\n", I, I);
        for (const char* formula : {"V<=0.7*f`td*b*h`0+0.95*f`yd*A`sv*h`0/s", "Greek(r)`svmin=0.24*f`td/f`yd"}) {
            report.InsertText("%s%s%s", I, I, I);
            report.InsertFormula(formula);
        }
        report.InsertText("%s%s式中：\n", I, I);
        report.InsertText("%s%s%sA`sv~ —— 箍筋截面面积(mm2/mm)\n", I, I, I);
        report.InsertText("%s%s%sρ`svmin~ —— 箍筋最小配筋率\n", I, I, I);
        report.InsertText("\n");
    }
    HeaderRow(report);
    for (int i = 0; i < kMkqSideCount; ++i) cells.side[i] = Method(res.Side[i]);
    Row(report, "计算方法", cells);
    bool negativeZ = false, overReinforced = false;
    if (arched) {
        for (int i = 0; i < kMkqSideCount; ++i) {
            const MkqSideResult& r = res.Side[i];
            cells.side[i] = Format("%.3f", std::sqrt(r.Qh * r.Qh + r.Qv * r.Qv));
        }
        Row(report, "q(kN/m)", cells);
        for (int i = 0; i < kMkqSideCount; ++i) {
            const float z = res.Side[i].Z;
            if (i >= 2) {
                cells.side[i] = "---";
            } else if (z < 0) {
                cells.side[i] = Format(KV_FAILURE "%.0f" KV_NORMAL, z);
                negativeZ = true;
            } else {
                cells.side[i] = Format("%.0f", z);
            }
        }
        Row(report, "z(mm)", cells);
    }
    for (int i = 0; i < kMkqSideCount; ++i) {
        const MkqSideResult& r = res.Side[i];
        const float ratio = r.AsReq / (10.0f * depth(i));
        if (r.BendState == 0) {
            cells.side[i] = Format(KV_FAILURE "%.0f/%.2f%s" KV_NORMAL, r.AsReq, ratio, StateTag(0));
            overReinforced = true;
        } else {
            cells.side[i] = Format("%.0f/%.2f%s", r.AsReq, ratio, StateTag(r.BendState));
        }
    }
    Row(report, "纵筋", cells);
    for (int i = 0; i < kMkqSideCount; ++i) {
        const MkqSideResult& r = res.Side[i];
        cells.side[i] = Format("%.0f/%.2f%s", r.AsvReq, r.AsvReq / 10000.0f, StateTag(r.ShearState));
    }
    Row(report, "箍筋", cells);
    if (negativeZ) report.InsertText(KV_FAILURE "\n%s注意：存在 Z<0 情况！\n" KV_NORMAL, I);
    if (overReinforced) report.InsertText(KV_FAILURE "%s注意：存在截面超筋情况！\n" KV_NORMAL, I);
    report.InsertText("\n");

    // 4) chosen bars
    report.InsertText("%s%d) 实配钢筋/配筋面积(mm^2~/m)/配筋率(%%)\n", I, n++);
    HeaderRow(report);
    static const char* const kBarNames[kMkqBarTexts] = {"纵筋", "下纵筋", "水平拉筋", "竖向拉筋", "水平分布筋",
                                                         "竖向分布筋"};
    bool anyShort = false, anyDense = false;
    for (int kind : {0, 2, 3, 4, 5}) {
        Cells first, second;
        for (int i = 0; i < kMkqSideCount; ++i) {
            const MkqSideResult& r = res.Side[i];
            const char* text = r.Bars[kind];
            if (kind == 0) {
                const float area = BarArea(text, data.ZongJinGrade);
                const float ratio = area / (10.0f * depth(i));
                const bool isShort = area < r.AsReq;
                const bool dense = ratio > 2.5f;
                if (r.BendState == 0) {
                    first.side[i] = KV_FAILURE "超筋" KV_NORMAL;
                    second.side[i] = KV_FAILURE "---" KV_NORMAL;
                } else if (isShort) {
                    first.side[i] = Format(KV_WARNING "%s" KV_NORMAL, text);
                    second.side[i] = Format(KV_WARNING "%.0f/%.2f" KV_NORMAL, area, ratio);
                    anyShort = true;
                } else if (dense) {
                    first.side[i] = Format(KV_FAILURE "%s" KV_NORMAL, text);
                    second.side[i] = Format(KV_FAILURE "%.0f/%.2f" KV_NORMAL, area, ratio);
                    anyDense = true;
                } else {
                    first.side[i] = text;
                    second.side[i] = Format("%.0f/%.2f", area, ratio);
                }
            } else if (kind == 2 || kind == 3) {
                const float spacing = kind == 2 ? r.LaJinJianJuH : r.LaJinJianJuV;
                const float area = BarArea(text, data.GuJinGrade) * 1000.0f / spacing;
                const float ratio = area / 10000.0f;
                if (area < r.AsvReq) {
                    first.side[i] = Format(KV_WARNING "%s*%.0f" KV_NORMAL, text, spacing);
                    second.side[i] = Format(KV_WARNING "%.0f/%.2f" KV_NORMAL, area, ratio);
                    anyShort = true;
                } else {
                    first.side[i] = Format("%s*%.0f", text, spacing);
                    second.side[i] = Format("%.0f/%.2f", area, ratio);
                }
            } else {
                first.side[i] = text;
            }
        }
        Row(report, kBarNames[kind], first);
        if (kind <= 3) Row(report, "", second);
    }
    if (anyShort) report.InsertText(KV_WARNING "\n    注意：存在 配筋面积 < 计算配筋面积 的情况！\n" KV_NORMAL);
    if (anyDense) report.InsertText(KV_FAILURE "\n    注意：存在 纵筋配筋率 > 2.50%% 的情况！\n" KV_NORMAL);

    // 5) the drawing of the whole frame
    report.InsertText("\n");
    report.InsertText("%s%d) 配筋简图\n", I, n++);
    report.InsertText("%s", I);
    const std::string drawing = G_strWorkPath + data.GetJtFileName(8);
    report.InsertDXF(drawing.c_str(), 150, 150);
    report.InsertText("\n");

    report.InsertText("\n");
    report.Pop_ENV();
    return 1;
}

int CMkqJiSuan::WritePrompt() {
    if (!Data() || !Result()) return 0;
    const CMkqJsData& data = *Data();
    const CMkqResult& res = *Result();
    CRTF report;
    const std::string path = G_strWorkPath + "Prompt.txt";
    report.Open(path.c_str());
    report.SetCurTextStyle(3, 21, 1, 0, 0, 0);
    std::string lists[3];
    for (int i = 0; i < kMkqSideCount; ++i) {
        const MkqSideResult& r = res.Side[i];
        const std::string entry = G_MkqSideName[i] + "、";
        if (r.SectionOk == 0) lists[0] += entry;
        if (r.BendState == 0) lists[1] += entry;
        if (data.DoorType == 1 && i <= 1 && r.Z < 0) lists[2] += entry;
    }
    static const char* const kLines[3] = {KV_FAILURE "%d)%s截面验算：不满足！\n" KV_NORMAL,
                                          KV_FAILURE "%d)%s截面：超筋！\n" KV_NORMAL,
                                          KV_FAILURE "%d)%s截面： Z<0 ！\n" KV_NORMAL};
    int m = 1;
    for (int l = 0; l < 3; ++l) {
        if (lists[l].empty()) continue;
        if (m == 1) report.InsertText(KV_FAILURE "注意：\n" KV_NORMAL);
        const std::string list = lists[l].substr(0, lists[l].size() - std::string("、").size());
        report.InsertText(kLines[l], m++, list.c_str());
    }
    CMkqJieGuoTable grid;
    grid.m_pData = Data();
    grid.m_pResult = Result();
    grid.m_nReportMode = 1;
    InsertTable(report, grid, 0, 92, 0, 1, 1);
    report.InsertText("\n单位：M(kN.mm/mm), V(N/mm), As(mm2/m), ρs(%%)\n");
    report.Close();
    return 1;
}
