#include "codes/gangjin.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/globals.h"
#include "codes/guifan.h"
#include "codes/tables.h"

namespace {

constexpr float kPi = 3.1415927f;

float BarArea(int d) { return kPi * static_cast<float>(d) * static_cast<float>(d) / 4.0f; }

// A small cursor over the normalised text.
struct Cursor {
    const std::string& s;
    size_t i = 0;
    bool End() const { return i >= s.size(); }
    bool Eat(char c) {
        if (!End() && s[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
    bool Number(int& value) {
        size_t start = i;
        long v = 0;
        while (!End() && std::isdigit(static_cast<unsigned char>(s[i])) && i - start < 6) v = v * 10 + (s[i++] - '0');
        if (i == start || (!End() && std::isdigit(static_cast<unsigned char>(s[i])))) return false;
        value = static_cast<int>(v);
        return true;
    }
};

// Without blanks, with the diameter marks d, D, Φ and φ (UTF-8) all turned into
// 'D': the mark says "diameter follows", never the grade, which the set keeps.
std::string Normalise(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) continue;
        if (c == 'd' || c == 'D') {
            out += 'D';
        } else if (text.compare(i, 2, "\xCE\xA6") == 0 || text.compare(i, 2, "\xCF\x86") == 0) {
            out += 'D';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

int CGangJin::FromString(const std::string& text) {
    Clear();
    const std::string s = Normalise(text);
    if (s.empty()) return 1;
    Cursor c{s};

    int count = 0, d1 = 0, count2 = 0, d2 = 0, spacing = 0;
    int form;
    if (s.find('@') != std::string::npos) {
        // [D]d1[/[D]d2]@s
        c.Eat('D');
        if (!c.Number(d1)) return 0;
        if (c.Eat('/')) {
            c.Eat('D');
            if (!c.Number(d2)) return 0;
            count2 = 1;
        }
        if (!c.Eat('@') || !c.Number(spacing) || !c.End() || spacing <= 0) return 0;
        count = 1;
        form = m_nForm == 2 ? 2 : 1;
    } else {
        // [n]Dd1[+[n]Dd2]; a number without a mark reads as the diameter of one bar.
        auto group = [&](int& n, int& d) {
            int first = 0;
            if (!c.Number(first)) {
                n = 1;
                return c.Eat('D') && c.Number(d);
            }
            if (!c.Eat('D')) {
                n = 1;
                d = first;
                return true;
            }
            n = first;
            return c.Number(d);
        };
        if (!group(count, d1)) return 0;
        if (c.Eat('+') && !group(count2, d2)) return 0;
        if (!c.End()) return 0;
        form = 0;
    }
    if (d1 <= 0 || (count2 > 0 && d2 <= 0)) return 0;
    m_nForm = form;
    m_nCount = count;
    m_nDiameter = d1;
    m_nCount2 = count2;
    m_nDiameter2 = d2;
    m_nSpacing = form == 0 ? 0 : spacing;
    return 1;
}

std::string CGangJin::ToString(int /*style*/) const {
    if (IsEmpty()) return "";
    // Plain round bars (code 1 in every edition) are marked d, ribbed bars D.
    const char* mark = m_nGrade == 1 ? "d" : "D";
    char buf[96];
    if (m_nForm == 0) {
        int n = std::snprintf(buf, sizeof buf, "%d%s%d", m_nCount, mark, m_nDiameter);
        if (m_nCount2 > 0 && m_nDiameter2 > 0)
            std::snprintf(buf + n, sizeof buf - n, "+%d%s%d", m_nCount2, mark, m_nDiameter2);
    } else if (m_nDiameter2 > 0) {
        std::snprintf(buf, sizeof buf, "%s%d/%d@%d", mark, m_nDiameter, m_nDiameter2, m_nSpacing);
    } else {
        std::snprintf(buf, sizeof buf, "%s%d@%d", mark, m_nDiameter, m_nSpacing);
    }
    return buf;
}

float CGangJin::Area() const {
    if (IsEmpty()) return 0.0f;
    const bool second = m_nCount2 > 0 && m_nDiameter2 > 0;
    if (m_nForm == 0)
        return static_cast<float>(m_nCount) * BarArea(m_nDiameter) +
               (second ? static_cast<float>(m_nCount2) * BarArea(m_nDiameter2) : 0.0f);
    if (m_nSpacing <= 0) return 0.0f;
    // Alternating bars share the spacing: half of each per bar position.
    const float perBar = second ? (BarArea(m_nDiameter) + BarArea(m_nDiameter2)) / 2.0f : BarArea(m_nDiameter);
    return perBar * 1000.0f / static_cast<float>(m_nSpacing);
}

CGuiFanString::CGuiFanString() {
    // The lists hang on the kind of bar only, so an edition without grade tables
    // still offers them.
    using kv::codes::BarKind;
    const BarKind kinds[3] = {BarKind::Plain, BarKind::Ribbed, BarKind::HeatTreated};
    for (int k = 0; k < 3; ++k)
        for (int d : kv::codes::StandardDiameters(kinds[k])) m_strZhiJing[k].push_back(std::to_string(d));
    for (int s : kv::codes::StandardSpacings()) m_strJianJu.push_back(std::to_string(s));
    const int n = GF_GetGradeCount(G_guifan, 1);
    for (int code = 1; code <= n; ++code) m_strGangJin.emplace_back(GF_GetGangJinSign(G_guifan, code, 0));
}

const std::vector<std::string>& CGuiFanString::ZhiJing(int grade) const {
    if (grade == 1) return m_strZhiJing[0];
    if (grade == 4) return m_strZhiJing[2];
    return m_strZhiJing[1];
}

std::string CGuiFanString::GangJinName(int grade) const {
    if (grade < 1 || grade > static_cast<int>(m_strGangJin.size())) return "";
    return m_strGangJin[grade - 1];
}

int SelectGangJin(int grade, int dmin, int dmax, int dopt, float area, int form, std::string& out) {
    if (grade < 1 || grade > 4) return 0;
    if (form != 0 && form != 1) return 0;
    const CGuiFanString lists;
    std::vector<float> diameters, spacings;
    for (const auto& t : lists.ZhiJing(grade)) diameters.push_back(std::strtof(t.c_str(), nullptr));
    for (const auto& t : lists.m_strJianJu) spacings.push_back(std::strtof(t.c_str(), nullptr));
    if (diameters.empty() || spacings.empty()) return 0;

    CGangJin current, best, optimal;
    current.FromString("");
    best.FromString("");
    for (CGangJin* set : {&current, &best, &optimal}) {
        set->m_nForm = form;
        set->m_nGrade = grade;
    }
    // A zero requirement would divide by zero in the spacing and the 2 % test.
    if (form == 1 && area == 0.0f) area = 0.0001f;

    bool haveBest = false, failed = false, skip = false;
    for (size_t i = 0; i < diameters.size(); ++i) {
        const int d = static_cast<int>(diameters[i]);
        if (d < dmin) continue;
        if (d > dmax && !skip) continue;
        float a = kPi * diameters[i] * diameters[i] / 4.0f;
        skip = false;
        if (form == 0) {
            const float n = std::ceil(area / a);
            current = CGangJin(0, grade, n > 0.0f ? static_cast<int>(n) : 0, d, 0);
        } else {
            if (a == 0.0f) a = 0.0001f;
            float s = 1000.0f * a / area;
            if (spacings.front() > s) {
                if (i + 1 == diameters.size()) {
                    failed = true;
                    break;
                }
                skip = true;
                continue;
            }
            for (size_t k = spacings.size(); k-- > 0;) {
                if (spacings[k] < s) {
                    s = spacings[k];
                    break;
                }
            }
            current = CGangJin(1, grade, 1, d, static_cast<int>(s));
        }
        if (d == dopt) optimal = current;
        if (!haveBest || current.Area() < best.Area()) {
            best = current;
            haveBest = true;
        }
    }
    const float need = area != 0.0f ? area : 0.0001f;
    out = std::fabs(optimal.Area() - best.Area()) / need < 0.02f ? optimal.ToString(0) : best.ToString(0);
    return failed ? 0 : 1;
}
