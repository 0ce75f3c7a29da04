#include "widgets/guifantable.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/globals.h"
#include "codes/gangjin.h"
#include "codes/guifan.h"
#include "platform/services.h"

namespace {

constexpr int kBarTextRule = 1;

std::vector<const char*> Pointers(const std::vector<std::string>& texts) {
    std::vector<const char*> p;
    for (const auto& t : texts) p.push_back(t.c_str());
    return p;
}

// Reads a bar text as a set of the cell's bar type and grade.
bool ReadBars(const std::string& text, int type, int grade, CGangJin& bars) {
    bars.m_nGrade = grade;
    bars.m_nKind = type;
    bars.m_nForm = type == 2 ? 2 : 1;
    return bars.FromString(text) != 0;
}

}  // namespace

CETCell* CGuiFanEasyTableWnd::Add_HunNingTu_JieBie(int row, int column, int* grade) {
    std::vector<int> grades;
    GF_GetCradeList(G_guifan, grades);
    std::vector<std::string> signs;
    for (int g : grades) signs.emplace_back(GF_GetConSign(G_guifan, g));
    auto p = Pointers(signs);
    return AddInt(row, column, grade, static_cast<int>(p.size()), p.data(), grades.data());
}

// The entries the grade combos offer for a use: the edition's grade count (one
// fewer for ties, which never use the residual-heat-treated bar), in display
// order; under 2010 the longitudinal lists mark the grades after the fourth.
CETCell* CGuiFanEasyTableWnd::GradeList(int row, int column, int* grade, int use) {
    std::vector<int> order;
    GetGangJinOrder(G_guifan, order, use);
    int n = GF_GetGradeCount(G_guifan, 1);
    if (use == 3 && (G_guifan == 2002 || G_guifan == 2008 || G_guifan == 2010)) --n;
    n = std::clamp(n, 0, static_cast<int>(order.size()));
    order.resize(static_cast<std::size_t>(n));
    const bool marked = G_guifan == 2010 && (use == 0 || use == 2);
    std::vector<std::string> signs;
    for (int i = 0; i < n; ++i) signs.push_back(std::string(marked && i > 3 ? "*" : "") + GF_GetGangJinSign(G_guifan, order[i], 0));
    auto p = Pointers(signs);
    return AddInt(row, column, grade, n, p.data(), order.data());
}

CETCell* CGuiFanEasyTableWnd::Add_ZongJin_JiBie(int row, int column, int* grade, int use, int) {
    return GradeList(row, column, grade, use);
}

CETCell* CGuiFanEasyTableWnd::Add_GuJin_JieBie(int row, int column, int* grade) {
    return GradeList(row, column, grade, 3);
}

CETCell* CGuiFanEasyTableWnd::Add_GangJin_ZhiJin(int row, int column, int* diameter, int grade) {
    CGuiFanString lists;
    const std::vector<std::string>& texts = lists.ZhiJing(grade);
    std::vector<int> values;
    for (const auto& t : texts) values.push_back(std::stoi(t));
    auto p = Pointers(texts);
    return AddInt(row, column, diameter, static_cast<int>(p.size()), p.data(), values.data());
}

std::string CGuiFanEasyTableWnd::AreaHint(const std::string& text, int type, int grade) {
    CGangJin bars;
    if (!ReadBars(text, type, grade, bars) || bars.IsEmpty()) return {};
    char hint[80];
    std::snprintf(hint, sizeof hint, bars.m_nForm == 0 ? "配筋面积为 %.0fmm2" : "配筋面积为 %.0fmm2/m",
                  static_cast<double>(bars.Area()));
    return hint;
}

CETCell* CGuiFanEasyTableWnd::Add_GangJin_String(int row, int column, std::string* text, int type, int grade,
                                                 int style) {
    CETCell* cell = AddTextField(row, column, text);
    SetTextRule(cell, kBarTextRule, type, grade, style);
    if (cell) cell->SetTiShi(AreaHint(cell->GetText(), type, grade));
    return cell;
}

CETCell* CGuiFanEasyTableWnd::Add_GangJin_String(int row, int column, char* text, std::size_t size, int type,
                                                 int grade, int style) {
    CETCell* cell = AddTextField(row, column, text, size);
    SetTextRule(cell, kBarTextRule, type, grade, style);
    if (cell) cell->SetTiShi(AreaHint(cell->GetText(), type, grade));
    return cell;
}

bool CGuiFanEasyTableWnd::ReadText(CETCell& cell, std::string& text) {
    if (cell.TextRule() != kBarTextRule) return CEasyTableWnd::ReadText(cell, text);
    const int type = cell.RuleArg(0), grade = cell.RuleArg(1);
    CGangJin bars;
    if (!ReadBars(text, type, grade, bars)) {
        kv::MessageBox("钢筋输入有误：" + text, kv::MB_OK | kv::MB_ICONWARNING);
        return false;
    }
    const std::string stored = bars.ToString(cell.RuleArg(2));
    // Cut to fit its field, the text would read as other bars.
    if (cell.TextCapacity() > 0 && stored.size() >= cell.TextCapacity()) {
        kv::MessageBox("钢筋输入有误：" + text, kv::MB_OK | kv::MB_ICONWARNING);
        return false;
    }
    // The area hint follows the new bars; a hint the grid's fill wrote stays until it re-fills.
    if (cell.TiShi() == AreaHint(cell.GetText(), type, grade)) cell.SetTiShi(AreaHint(stored, type, grade));
    text = stored;
    return true;
}
