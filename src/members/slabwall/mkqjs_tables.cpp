#include "members/slabwall/mkqjs_tables.h"

#include <cstdio>
#include <string>

#include "codes/gangjin.h"

namespace {

constexpr std::uint32_t kRed = 0x0000FF;      // Windows colour values, 0x00BBGGRR
constexpr std::uint32_t kMagenta = 0xFF00FF;

// Area of a bar text of `type` (1 bars at a spacing, mm²/m; 2 ties) and grade.
float BarArea(const char* text, int type, int grade) {
    CGangJin bars;
    bars.m_nGrade = grade;
    bars.m_nKind = type;
    bars.m_nForm = type == 2 ? 2 : 1;
    bars.FromString(text);
    return bars.Area();
}

std::string Format(const char* format, double a, double b) {
    char text[200];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// A text the grid shows in the failure colour 06.
std::string Marked(const std::string& text) { return "\x01" "06" + text + "~"; }

// Row 1: an empty label and the side names.
void AddSideHeader(CEasyTableWnd& grid, bool labelColours) {
    grid.AddText(1, 1);
    for (int s = 0; s < kMkqSideCount; ++s) {
        CETCell* cell = grid.AddText(1, s + 2, "%s", G_MkqSideName[s].c_str());
        if (labelColours) {
            cell->SetBkColor(grid.GetHangLieBkColor(1, 1));
            cell->SetTextColor(grid.GetHangLieTextColor(1, 1));
        }
    }
}

// Longitudinal-bar ratio of a side (%).
float Ratio(float area, const MkqSide& side) { return area / ((side.h + side.ha) * 10.0f); }

}  // namespace

int CMkqPeiJinTable::FillTable() {
    ClearEasyTable();
    int positions[] = {0, 70, 50, 50, 50, 55, -1};
    LieWid2LiePos(positions);
    IniEasyTable(10, 0, positions);
    AddReact(5, kTableRedraw);
    AddReact(5, kTableRefill);

    const char* labels[8] = {"", "纵筋", "水平拉筋", "  纵向间距", "竖向拉筋", "  纵向间距", "水平分布筋", "竖向分布筋"};
    for (int row = 1; row <= 8; ++row) AddText(row, 1, "%s", labels[row - 1]);
    AddSideHeader(*this, true);

    CGuiFanString standard;
    std::string spacings;
    for (const std::string& s : standard.m_strJianJu) spacings += (spacings.empty() ? "" : ",") + s;

    for (int s = 0; s < kMkqSideCount; ++s) {
        const int column = s + 2;
        const MkqSide& d = m_pData->Side[s];
        MkqSideResult& r = m_pResult->Side[s];

        // 纵筋: a short area outranks a dense ratio.
        const float area = BarArea(r.Bars[0], 1, m_pData->ZongJinGrade);
        const float ratio = Ratio(area, d);
        std::string note;
        std::uint32_t colour = 0;
        if (area < r.AsReq) {
            note = Format("    配筋面积为 %.0fmm2 < 计算配筋面积 %.0fmm2！\n", area, r.AsReq), colour = kMagenta;
        } else if (ratio > 2.5f) {
            note = Format("    配筋率为 %.2f%% > 2.50%%！\n", ratio, 0), colour = kRed;
        }
        CETCell* cell = Add_GangJin_String(2, column, r.Bars[0], 1, m_pData->ZongJinGrade);
        cell->SetTiShi(Format("    配筋面积为 %.2fmm2，配筋率为 %.2f%%\n", area, ratio) + note + "\n");
        if (colour) cell->SetTextColor(colour);

        // Ties: the area per square metre of wall from the spacing along it.
        struct Tie {
            int row, bar;
            float* spacing;
        } ties[2] = {{3, 2, &r.LaJinJianJuH}, {5, 3, &r.LaJinJianJuV}};
        for (const Tie& t : ties) {
            const float tieArea = BarArea(r.Bars[t.bar], 2, m_pData->GuJinGrade) * 1000.0f / *t.spacing;
            std::string hint = Format("    配筋面积为 %.0fmm2 ，配筋率为 %.2f%%\n", tieArea, tieArea / 10000.0f);
            const bool shortArea = tieArea < r.AsvReq;
            if (shortArea) hint += Format("    配筋面积为 %.0fmm2 < 计算配筋面积 %.0fmm2！\n", tieArea, r.AsvReq);
            CETCell* bars = Add_GangJin_String(t.row, column, r.Bars[t.bar], 2, m_pData->GuJinGrade);
            CETCell* spacing = AddFloat(t.row + 1, column, t.spacing, "%.0f");
            spacing->SetSelectList(spacings);
            spacing->SetLimit(70, 300);
            for (CETCell* c : {bars, spacing}) {
                c->SetTiShi(hint);
                if (shortArea) c->SetTextColor(kMagenta);
            }
        }
        Add_GangJin_String(7, column, r.Bars[4], 1, m_pData->ZongJinGrade);
        Add_GangJin_String(8, column, r.Bars[5], 1, m_pData->ZongJinGrade);
    }
    m_nRowCount = 8;
    return 1;
}

void CMkqPeiJinTable::AfterDataChange(int, int) {}

int CMkqJieGuoTable::FillTable() {
    if (m_bSkipFill) return 1;
    ClearEasyTable();
    int positions[] = {0, 35, 40, 40, 40, 40, -1};
    LieWid2LiePos(positions);
    IniEasyTable(10, 0, positions);

    AddSideHeader(*this, false);
    int row = 1;
    auto addRow = [&](const char* label, auto cellText) {
        ++row;
        AddText(row, 1, "%s", label);
        for (int s = 0; s < kMkqSideCount; ++s)
            AddText(row, s + 2, "%s", cellText(m_pData->Side[s], m_pResult->Side[s], s).c_str());
    };
    addRow("M / V", [](const MkqSide&, const MkqSideResult& r, int) { return Format("%.0f/%.0f", r.M, r.Qv); });
    addRow("截面验算", [](const MkqSide&, const MkqSideResult& r, int) {
        return r.SectionOk ? std::string("满足") : Marked("不满足");
    });
    if (m_pData->DoorType != 0) {
        addRow("Z(mm)", [](const MkqSide&, const MkqSideResult& r, int s) {
            if (s >= 2) return std::string("---");
            const std::string z = Format("%.0f", r.Z, 0);
            return r.Z < 0 ? Marked(z) : z;
        });
    }
    addRow("As/ρs", [](const MkqSide& d, const MkqSideResult& r, int) {
        return r.BendState ? Format("%.0f/%.2f", r.AsReq, Ratio(r.AsReq, d)) : Marked("超筋");
    });
    addRow("实配", [](const MkqSide&, const MkqSideResult& r, int) {
        return r.BendState ? std::string(r.Bars[0]) : Marked("---");
    });
    const int grade = m_pData->ZongJinGrade;
    addRow("As/ρs", [grade](const MkqSide& d, const MkqSideResult& r, int) {
        if (!r.BendState) return Marked("---");
        const float area = BarArea(r.Bars[0], 1, grade);
        return Format("%.0f/%.2f", area, Ratio(area, d));
    });
    m_nRowCount = row;
    return 1;
}
