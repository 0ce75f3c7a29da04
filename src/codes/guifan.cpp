#include "codes/guifan.h"

#include <algorithm>
#include <cctype>

#include "base/globals.h"
#include "codes/tables.h"

float G_HightText = 1.0f;

using kv::codes::BarTable;
using kv::codes::ConcreteTable;
using kv::codes::TableEdition;

namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

const kv::codes::BarRow* FindBar(int edition, int code) {
    for (const auto& row : BarTable(edition))
        if (row.code == code) return &row;
    return nullptr;
}

}  // namespace

int GF_GetGuiFanList(std::vector<int>& list) {
    list = {2002, 2010};
    return static_cast<int>(list.size());
}

const char* GF_GetGuiFanName(int edition, int kind, int style) {
    if (kind != 1 || edition < 2002) return "";  // older editions borrow tables, not names
    switch (TableEdition(edition)) {
    case 2002:
        if (style == 0) return "GB 50010-2002";
        if (style == 1) return "混凝土结构设计规范";
        return "《混凝土结构设计规范》GB 50010-2002";
    case 2010:
        if (style == 0) return "GB 50010-2010";
        if (style == 1) return "混凝土结构设计规范";
        return "《混凝土结构设计规范》GB 50010-2010";
    default: return "";
    }
}

int GF_GetCradeList(int edition, std::vector<int>& list) {
    list.clear();
    for (const auto& row : ConcreteTable(edition)) list.push_back(row.grade);
    return static_cast<int>(list.size());
}

int GF_GetGradeCount(int edition, int kind) {
    if (kind == 1) return static_cast<int>(BarTable(edition).size());
    return static_cast<int>(ConcreteTable(edition).size());
}

const char* GF_GetConSign(int edition, int grade) {
    for (const auto& row : ConcreteTable(edition))
        if (row.grade == grade) return row.sign;
    return "";
}

const char* GF_GetGangJinSign(int edition, int code, int /*style*/) {
    const auto* row = FindBar(edition, code);
    return row == nullptr ? "" : row->sign;
}

int GF_GetGangJinDimList(int edition, int code, std::vector<int>& list, int /*kind*/) {
    list.clear();
    const auto* row = FindBar(edition, code);
    if (row == nullptr) return 0;
    using kv::codes::BarKind;
    const std::string name = row->sign;
    if (name.starts_with("HPB"))
        list = kv::codes::StandardDiameters(BarKind::Plain);
    else if (name.starts_with("RRB"))
        list = kv::codes::StandardDiameters(BarKind::HeatTreated);
    else
        list = kv::codes::StandardDiameters(BarKind::Ribbed);
    return static_cast<int>(list.size());
}

int GF_GetGangJinJianJuList(int edition, int code, std::vector<int>& list, int /*kind*/) {
    list.clear();
    if (FindBar(edition, code) == nullptr) return 0;
    list = kv::codes::StandardSpacings();
    return static_cast<int>(list.size());
}

const char* _GJ(int code) { return GF_GetGangJinSign(G_guifan, code, 0); }
const char* _HNT(int grade) { return GF_GetConSign(G_guifan, grade); }

int GetGangJinOrder(int edition, std::vector<int>& order, int use) {
    switch (edition) {
    case 89:
    case 96: order = {1, 2, 3}; break;
    case 2002:
    case 2008: order = use == 3 ? std::vector<int>{1, 2, 3} : std::vector<int>{1, 2, 3, 4}; break;
    case 2010:
        if (use == 0 || use == 2)
            order = {3, 7, 5, 8, 1, 2, 6, 4};
        else if (use == 1)
            order = {1, 2, 6, 3, 7, 4, 5, 8};
        else
            order = {1, 2, 6, 3, 7, 5, 8};
        break;
    default: order.clear();
    }
    return static_cast<int>(order.size());
}

int GradeFromSign(int edition, const std::string& text, int kind) {
    const std::string upper = Upper(text);
    std::vector<int> editions;
    GF_GetGuiFanList(editions);
    auto it = std::find(editions.begin(), editions.end(), edition);
    if (it != editions.end()) std::rotate(it, it + 1, editions.end());

    int found = 0;
    for (auto e = editions.rbegin(); e != editions.rend() && found <= 0; ++e) {
        if (kind == 1) {
            const int n = GF_GetGradeCount(*e, 1);
            for (int code = 1; code <= n; ++code) {
                const std::string sign = Upper(GF_GetGangJinSign(*e, code, 0));
                if (!sign.empty() && upper.find(sign) != std::string::npos) {
                    found = code;
                    break;
                }
            }
        } else {
            std::vector<int> grades;
            GF_GetCradeList(*e, grades);
            for (int grade : grades) {
                const std::string sign = Upper(GF_GetConSign(*e, grade));
                if (!sign.empty() && upper.find(sign) != std::string::npos) {
                    found = grade;
                    break;
                }
            }
        }
    }
    return found < 2 ? 1 : found;
}
