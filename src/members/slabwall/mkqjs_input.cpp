#include "members/slabwall/mkqjs_input.h"

#include <algorithm>
#include <string>

#include "base/globals.h"
#include "members/slabwall/mkqjs_data.h"
#include "report/rtf.h"

namespace {

constexpr float kBig = 1000000.0f;

bool Arched(const CMkqJsData& d) { return d.DoorType != 0; }
// 上 and 下 of an arched door carry no door-leaf load and no chamfer.
bool LockedSide(const CMkqJsData& d, int side) { return Arched(d) && side >= 2; }

void Columns(CEasyTableWnd& grid, int style, int label, int side) {
    int lie[] = {0, label, side, side, side, side, -1};
    CEasyTableWnd::LieWid2LiePos(lie);
    grid.IniEasyTable(style, 0, lie);
}

// Row 1: the side names in the colours of the row's label cell.
void SideHeader(CEasyTableWnd& grid) {
    grid.AddText(1, 1);
    const std::uint32_t bk = grid.GetHangLieBkColor(1, 1), fg = grid.GetHangLieTextColor(1, 1);
    for (int s = 0; s < kMkqSideCount; ++s) {
        CETCell* c = grid.AddText(1, kMkqFirstSideColumn + s, "%s", G_MkqSideName[s].c_str());
        c->SetBkColor(bk);
        c->SetTextColor(fg);
    }
}

// The current side stands out in a dialog; a report prints every cell alike.
void Shade(const CEasyTableWnd& grid, const CMkqJsData& d, CETCell* cell, int side) {
    if (grid.m_nReportMode) return;
    cell->SetBkColor(side == d.CurSide ? kMkqCurrentSideColour : kMkqWhite);
}

}  // namespace

// ---- door ------------------------------------------------------------------------

int CMkqMenDongTable::FillTable() {
    CMkqJsData& d = *m_pData;
    m_nPos = 0;
    ClearEasyTable();
    if (m_nReportMode) {
        int lie[] = {0, 150, 100, -1};
        LieWid2LiePos(lie);
        IniEasyTable(10, 0, lie);
    } else {
        int lie[] = {0, 130, 60, 120, 60, -1};
        LieWid2LiePos(lie);
        IniEasyTable(10, 0, lie);
    }
    AddReact(5, kTableRedraw);
    AddReact(5, kTableRefill);
    static const char* const kTypes[] = {"平板门", "拱形门"};
    AddText(1, 1, "门类型");
    AddInt(1, 2, &d.DoorType, 2, kTypes);
    AddText(2, 1, "门洞宽 La(mm)");
    AddFloat(2, 2, &d.La, "%.0f")->SetLimit(0, kBig);
    CETCell* lb = nullptr;
    if (m_nReportMode) {
        AddText(3, 1, "门洞高 Lb(mm)");
        lb = AddFloat(3, 2, &d.Lb, "%.0f");
        m_nRowCount = 3;
    } else {
        const std::uint32_t bk = GetHangLieBkColor(1, 1), fg = GetHangLieTextColor(1, 1);
        for (auto [row, text] : {std::pair{1, "是否绘制荷载"}, std::pair{2, "门洞高 Lb(mm)"}}) {
            CETCell* label = AddText(row, 3, "%s", text);
            label->SetBkColor(bk);
            label->SetTextColor(fg);
        }
        AddCheck(1, 4, &d.DrawLoads);
        lb = AddFloat(2, 4, &d.Lb, "%.0f");
        m_nRowCount = 2;
    }
    lb->SetLimit(0, kBig);
    return 1;
}

void CMkqMenDongTable::AfterDataChange(int row, int column) {
    if (row != 1 || column != 2) return;
    CMkqJsData& d = *m_pData;
    for (int s = 0; s < kMkqSideCount; ++s) {
        MkqSide& side = d.Side[s];
        if (!Arched(d) || s >= 2) {
            side.dx = side.dy = 0;
        } else {
            // The seat's chamfer: a fifth of the smaller size, and never into the blast-load width.
            side.dx = side.dy = std::min(std::min(side.h, side.L) / 5, side.L - side.L2);
        }
        if (LockedSide(d, s)) side.qi = side.Ti = 0;
    }
}

// ---- sizes -----------------------------------------------------------------------

int CMkqChiCunTable::FillTable() {
    CMkqJsData& d = *m_pData;
    m_nPos = 0;
    ClearEasyTable();
    if (m_nReportMode) Columns(*this, 10, 200, 100);
    else Columns(*this, 10, 130, 60);
    AddReact(5, kTableRedraw);
    AddReact(5, kTableRefill);
    SideHeader(*this);
    const bool chamfers = Arched(d) || !m_nReportMode;
    const char* const labels[] = {"悬挑长度 L(mm)", "门框墙厚 h(mm)", "加腋厚   ha(mm)",
                                  "侧 墙 厚 t(mm)", "斜    角 dx(mm)", "斜    角 dy(mm)"};
    const int rows = chamfers ? 6 : 4;
    for (int r = 0; r < rows; ++r) AddText(2 + r, 1, "%s", labels[r]);
    for (int s = 0; s < kMkqSideCount; ++s) {
        MkqSide& side = d.Side[s];
        const int col = kMkqFirstSideColumn + s;
        float* fields[] = {&side.L, &side.h, &side.ha, &side.t, &side.dx, &side.dy};
        const float lows[] = {0, side.dy, 0, 0, 1, 1};
        const float highs[] = {kBig, kBig, kBig, kBig, side.L, side.h};
        for (int r = 0; r < rows; ++r) {
            CETCell* c = AddFloat(2 + r, col, fields[r], "%.0f");
            c->SetLimit(lows[r], highs[r]);
            if (r >= 4 && (!Arched(d) || LockedSide(d, s))) c->SetState(0);
            else Shade(*this, d, c, s);
        }
    }
    m_nRowCount = 1 + rows;
    return 1;
}

// ---- loads -----------------------------------------------------------------------

int CMkqHeZaiTable::FillTable() {
    CMkqJsData& d = *m_pData;
    m_nPos = 0;
    ClearEasyTable();
    if (m_nReportMode) Columns(*this, 9, 200, 100);
    else Columns(*this, 9, 130, 60);
    AddReact(5, kTableRedraw);
    AddReact(5, kTableRefill);
    SideHeader(*this);
    const char* const labels[] = {"集中荷载位置 L1(mm)", "竖/斜集中荷载qi(N/mm)", "水平集中荷载 Ti(N/mm)",
                                  "均布荷载宽度 L2(mm)", "均 布 荷 载 qe(kPa)"};
    for (int r = 0; r < 5; ++r) AddText(2 + r, 1, "%s", labels[r]);
    for (int s = 0; s < kMkqSideCount; ++s) {
        MkqSide& side = d.Side[s];
        const int col = kMkqFirstSideColumn + s;
        float* fields[] = {&side.L1, &side.qi, &side.Ti, &side.L2, &side.qe};
        const char* formats[] = {"%.0f", "%.2f", "%.2f", "%.0f", "%.2f"};
        const float lows[] = {0, 0.01f, 0, 1, 0.01f};
        const float highs[] = {side.L, kBig, kBig, side.L - side.dx, kBig};
        for (int r = 0; r < 5; ++r) {
            CETCell* c = AddFloat(2 + r, col, fields[r], formats[r]);
            c->SetLimit(lows[r], highs[r]);
            if (r <= 2 && LockedSide(d, s)) c->SetState(0);
            else Shade(*this, d, c, s);
        }
    }
    m_nRowCount = 6;
    return 1;
}

// ---- materials -------------------------------------------------------------------

int CMkqCaiLiaoTable::FillTable() {
    CMkqJsData& d = *m_pData;
    m_nPos = 0;
    ClearEasyTable();
    int lie[] = {0, m_nReportMode ? 150 : 120, m_nReportMode ? 230 : 200, -1};
    LieWid2LiePos(lie);
    IniEasyTable(8, 0, lie);
    AddText(1, 1, "混凝土强度等级");
    Add_HunNingTu_JieBie(1, 2, &d.ConGrade);
    AddText(2, 1, "纵筋级别");
    Add_ZongJin_JiBie(2, 2, &d.ZongJinGrade, 0, 0);
    AddText(3, 1, "箍筋级别");
    Add_GuJin_JieBie(3, 2, &d.GuJinGrade);
    AddText(4, 1, "配筋调整系数");
    CETCell* f = AddFloat(4, 2, &d.PeiJinXiShu, "%.2f");
    f->SetTiShi("选筋面积 = 计算配筋面积 * 配筋调整系数");
    f->SetSelectList("0.5, 0.6, 0.8, 0.9, 1.0, 1.1, 1.2, 1.3, 1.4, 1.5, 1.6, 1.7, 1.8, 1.9, 2.0, 2.5");
    AddText(5, 1, "蒸气养护或掺早强剂");
    AddCheck(5, 2, &d.ZhengQiYangHu);
    m_nRowCount = 5;
    return 1;
}

// ---- bar ranges ------------------------------------------------------------------

int CMkqXuanJinTable::FillTable() {
    CMkqJsData& d = *m_pData;
    m_nPos = 0;
    ClearEasyTable();
    static const char* const kTitles[] = {"钢筋取值范围", "最小值", "最大值", "最优值"};
    const int pos[] = {0, 120, 180, 240, 300, -1};
    IniEasyTable(2, 0, pos, kTitles);
    m_nTitleHeight = 25;
    AddReact(5, kTableRedraw);
    AddReact(5, kTableRefill);

    // Minimum up to the optimal, maximum from it, the optimal between the two.
    auto range = [](CETCell* lo, CETCell* hi, CETCell* opt, const int* v, float top) {
        lo->SetLimit(0, v[2]);
        hi->SetLimit(v[2], top);
        opt->SetLimit(v[0], v[1]);
    };
    AddText(1, 1, "纵筋直径范围(mm)");
    AddText(2, 1, "箍筋直径范围(mm)");
    for (auto [row, dia, grade] : {std::tuple{1, d.ZongJinDia, d.ZongJinGrade}, std::tuple{2, d.GuJinDia, d.GuJinGrade}}) {
        CETCell* c[3];
        for (int k = 0; k < 3; ++k) c[k] = Add_GangJin_ZhiJin(row, 2 + k, &dia[k], grade);
        range(c[0], c[1], c[2], dia, 100);
    }
    AddText(3, 1, "箍筋间距范围(mm)");
    float shortest = d.Side[0].L;
    for (const MkqSide& s : d.Side) shortest = std::min(shortest, s.L);
    CETCell* c[3];
    for (int k = 0; k < 3; ++k) c[k] = AddInt(3, 2 + k, &d.GuJinJianJu[k]);
    // Ties further apart than the shortest side would miss it.
    range(c[0], c[1], c[2], d.GuJinJianJu, shortest);
    m_nRowCount = 3;
    return 1;
}

// ---- import review ---------------------------------------------------------------

int CMkqXieJiaoTable::FillTable() {
    CMkqJsData& d = *m_pData;
    m_bValid = 1;
    m_nPos = 0;
    ClearEasyTable();
    Columns(*this, 9, 130, 60);
    AddReact(5, kTableRefill);
    SideHeader(*this);

    // A cell's checks in order: each failure marks it and leaves its message.
    auto check = [this](CETCell* c, std::initializer_list<std::pair<bool, const char*>> tests) {
        const char* message = nullptr;
        for (const auto& [ok, text] : tests)
            if (!ok) message = text;
        if (message) {
            c->SetTextColor(kMkqInvalidText);
            m_bValid = 0;
        }
        c->SetTiShi(message ? message : "");
    };

    int row = 2;
    if (Arched(d)) {
        AddText(row, 1, "斜        角 Dx(mm)");
        AddText(row + 1, 1, "斜        角 Dy(mm)");
        for (int s = 0; s < kMkqSideCount; ++s) {
            MkqSide& side = d.Side[s];
            const int col = kMkqFirstSideColumn + s;
            CETCell* x = AddFloat(row, col, &side.dx, "%.0f");
            CETCell* y = AddFloat(row + 1, col, &side.dy, "%.0f");
            if (LockedSide(d, s)) {
                x->SetState(0);
                y->SetState(0);
                continue;
            }
            check(x, {{side.dx > 0, "注意：\n    斜角Dx 必须大于 0！"}, {side.dx < side.L, "注意：\n    斜角Dx 必须小于 悬挑长度！"}});
            check(y, {{side.dy > 0, "注意：\n    斜角Dy 必须大于 0！"}, {side.dy < side.h, "注意：\n    斜角Dy 必须小于 门框墙厚！"}});
        }
        row += 2;
    }
    const char* const labels[] = {"集中荷载位置 L1(mm)", "竖/斜集中荷载qi(N/mm)", "水平集中荷载 Ti(N/mm)",
                                  "均布荷载宽度 L2(mm)", "均 布 荷 载 qe(kPa)"};
    for (int r = 0; r < 5; ++r) AddText(row + r, 1, "%s", labels[r]);
    for (int s = 0; s < kMkqSideCount; ++s) {
        MkqSide& side = d.Side[s];
        const int col = kMkqFirstSideColumn + s;
        const bool locked = LockedSide(d, s);
        CETCell* l1 = AddFloat(row, col, &side.L1, "%.0f");
        CETCell* qi = AddFloat(row + 1, col, &side.qi, "%.2f");
        CETCell* ti = AddFloat(row + 2, col, &side.Ti, "%.2f");
        CETCell* l2 = AddFloat(row + 3, col, &side.L2, "%.0f");
        CETCell* qe = AddFloat(row + 4, col, &side.qe, "%.2f");
        qi->SetLimit(0.01, kBig);
        ti->SetLimit(0, kBig);
        qe->SetLimit(0, kBig);
        if (locked) {
            for (CETCell* c : {l1, qi, ti}) c->SetState(0);
        } else {
            check(l1, {{side.L1 > 0 && side.L1 < side.L, "注意：\n    0 < 集中荷载作用位置 < 悬挑长度！"}});
        }
        check(l2, {{side.L2 > 0 && side.L2 < side.L, "注意：\n    0 < 均布荷载宽度 < 悬挑长度！"}});
    }
    m_nRowCount = row + 4;
    return 1;
}

// ---- drawing scale ---------------------------------------------------------------

int CMkqJianTuTable::FillTable() {
    CMkqJsData& d = *m_pData;
    m_nPos = 0;
    ClearEasyTable();
    const int pos[] = {10, 100, 200, -1};
    IniEasyTable(10, 0, pos);
    AddReact(5, kTableRedraw);
    const int k = std::clamp(d.m_nCurJt, 0, kMkqDiagramCount - 1);
    AddText(1, 1, "简图比例");
    CETCell* c = AddFloat(1, 2, &d.JianTuBiLi[1 + k], "%.0f");
    c->SetTiShi("常用比例：");
    c->SetSelectList("10,20,30,50,100,200,300,500");
    c->SetLimit(0, kBig);
    m_nRowCount = 1;
    return 1;
}

// ---- the data section of the report ----------------------------------------------

int CMkqJsData::WriteJssData(kv::report::CRTF& report, int withDiagrams) {
    report.Push_ENV();
    report.SetCurTextStyle(0, 21, 1, 1, 0, 0);
    report.InsertText("\n");
    report.InsertText("%d 设计资料\n", 1);
    report.SetCurTextStyle(0, 21, 1, 0, 0, 0);
    int section = 1;
    if (withDiagrams) {
        report.InsertText("%d.%d 简图\n", 1, section++);
        // Two sketches a line: 左 and 右, then 上 and 下.
        for (int s = 0; s < kMkqSideCount; ++s) {
            report.InsertText("%s", s % 2 == 0 ? "    " : " ");
            report.InsertDXF((G_strWorkPath + GetJtFileName(2 * s)).c_str(), 130, 130);
            if (s % 2 == 1) report.InsertText("\n");
        }
    }
    report.InsertText("%d.%d 已知条件\n", 1, section++);

    CMkqMenDongTable door;
    CMkqChiCunTable sizes;
    CMkqHeZaiTable loads;
    CMkqCaiLiaoTable materials;
    struct Item {
        const char* title;
        CEasyTableWnd* grid;
        int width;
    };
    door.m_pData = sizes.m_pData = loads.m_pData = materials.m_pData = this;
    const Item items[] = {{"门类型及尺寸", &door, 50}, {"门框墙尺寸", &sizes, 80},
                          {"荷载信息", &loads, 80}, {"材料信息", &materials, 50}};
    int n = 1;
    for (const Item& item : items) {
        report.InsertText("    %d) %s\n", n++, item.title);
        item.grid->m_nReportMode = 1;
        InsertTable(report, *item.grid, 4, item.width, 0, 0, 1);
        report.InsertText("\n");
    }
    report.InsertText("%d.%d 计算内容\n", 1, section);
    report.InsertText("    %d) 门框墙内力计算\n", 1);
    report.InsertText("    %d) 门框墙配筋计算\n", 2);
    report.InsertText("\n");
    report.Pop_ENV();
    return 1;
}
