#include "members/beams/xuanjin.h"

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "codes/guifan.h"
#include "platform/codec.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <utility>

ZONGJIN_PARA G_ZongJinPara;
FENBUJIN_PARA G_FenBuJinPara;
GUJIN_PARA G_GuJinPara;
GANGJIN_PARA G_GangJinPara;

namespace kv::xuanjin {

namespace {

constexpr double kPi = 3.1415927;
// The bar-set page has always used this one.
constexpr double kPiBarSet = 3.1415925;

std::string Format(const char* format, auto... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// Keeps what a search shows of its accepted arrangements, in enumeration order:
// the first kMaxRecords, except that every one past them replaces the last kept.
// So the kept set is the first kMaxRecords - 1 and the last one accepted.
template <class Record>
class Keeper {
public:
    void Accept(const Record& r) {
        if (kept_.size() < static_cast<std::size_t>(kMaxRecords))
            kept_.push_back(r);
        else
            kept_.back() = r;
        ++count_;
    }
    // `n` arrangements accepted, of which make(k) gives the k-th; only those kept
    // are made.
    template <class Make>
    void AcceptRun(long long n, Make&& make) {
        if (n <= 0) return;
        long long room = kMaxRecords - static_cast<long long>(kept_.size());
        long long first = std::min(n, room);
        for (long long k = 0; k < first; ++k) kept_.push_back(make(k));
        if (n > first) kept_.back() = make(n - 1);
        count_ += n;
    }
    // Smallest |error| first; equal errors keep their order.
    std::vector<Record> Sorted() && {
        std::stable_sort(kept_.begin(), kept_.end(),
                         [](const Record& a, const Record& b) { return a.absError < b.absError; });
        return std::move(kept_);
    }

private:
    std::vector<Record> kept_;
    long long count_ = 0;
};

struct ZongJinRecord {
    float d1, d2;  // d2 0 for one diameter
    int n1, n2;
    float area, absError, error;
};

struct GuJinRecord {
    int d, s;
    float area, absError, error;
};

struct FenBuJinRecord {
    float d1, d2, s;
    float area, absError, error;
};

template <class Record>
Record Judged(Record r, float required) {
    r.error = AreaError(r.area, required);
    r.absError = std::fabs(r.error);
    return r;
}

template <class Record, class Line>
std::vector<std::string> LinesOf(Keeper<Record>&& keeper, Line&& line) {
    std::vector<std::string> lines;
    for (const Record& r : std::move(keeper).Sorted()) lines.push_back(line(r));
    if (lines.empty()) lines.push_back(std::string(kNothingFound) + "\n");
    return lines;
}

// Bars counted 1..N-1 with N = A/a + 2: up to one bar more than the area needs.
int CountLimit(float required, double a) { return static_cast<int>(required / a + 2); }

}  // namespace

double BarArea(int d) { return kPi * d * d / 4; }

float AreaError(float area, float required) {
    return static_cast<float>((static_cast<double>(area) - required) / required * 100);
}

float RequiredArea(float area) { return std::fabs(area) < 0.00001f ? 0.00001f : area; }

std::vector<int> QualifyingDiameters(const ZONGJIN_PARA& para) {
    const int lo = std::min(para.d1, para.d2), hi = std::max(para.d1, para.d2);
    std::vector<int> list;
    GF_GetGangJinDimList(G_guifan, para.grade, list, 0);
    std::vector<int> out;
    for (int d : list)
        if (para.mode == 0 ? (d == lo || d == hi) : (lo <= d && d <= hi)) out.push_back(d);
    return out;
}

std::vector<std::string> ZongJinLines(const ZONGJIN_PARA& para) {
    const float A = RequiredArea(para.As);
    const float tol = para.tolerance;
    const std::vector<int> dims = QualifyingDiameters(para);
    Keeper<ZongJinRecord> keeper;
    for (std::size_t i = 0; i < dims.size(); ++i) {
        const double ai = BarArea(dims[i]);
        const int Ni = CountLimit(A, ai);
        const auto di = static_cast<float>(dims[i]);
        for (std::size_t j = i; j < dims.size(); ++j) {
            if (j == i) {
                for (int n1 = 1; n1 < Ni; ++n1) {
                    ZongJinRecord r = Judged(ZongJinRecord{di, 0, n1, 0, static_cast<float>(n1 * ai), 0, 0}, A);
                    if (r.absError < tol) keeper.Accept(r);
                }
                continue;
            }
            const double aj = BarArea(dims[j]);
            const int maxN2 = CountLimit(A, aj) - 1;
            const auto dj = static_cast<float>(dims[j]);
            auto record = [&](int n1, int n2) {
                return Judged(ZongJinRecord{di, dj, n1, n2, static_cast<float>(n1 * ai + n2 * aj), 0, 0}, A);
            };
            // For a fixed n1 the error grows with n2 (every rounding step keeps the
            // order), so "above -tol" holds from some n2 on and "below tol" up to
            // some n2: the accepted n2 form one range. Its ends are estimated and
            // then settled with the very test the arrangement is judged by.
            for (int n1 = 1; n1 < Ni && maxN2 >= 1; ++n1) {
                auto above = [&](int n2) { return record(n1, n2).error > -tol; };
                auto below = [&](int n2) { return record(n1, n2).error < tol; };
                // The first bar alone is already too much, and will only grow.
                if (!below(1)) break;
                const double base = n1 * ai;
                auto estimate = [&](double bound) {
                    double n = std::floor((A * (1 + bound / 100) - base) / aj);
                    return static_cast<int>(std::clamp(n, 0.0, static_cast<double>(maxN2) + 1));
                };
                int lo = std::max(1, estimate(-tol));
                while (lo > 1 && above(lo - 1)) --lo;
                while (lo <= maxN2 && !above(lo)) ++lo;
                int hi = std::min(maxN2, std::max(lo - 1, estimate(tol)));
                while (hi < maxN2 && below(hi + 1)) ++hi;
                while (hi >= lo && !below(hi)) --hi;
                keeper.AcceptRun(hi - lo + 1, [&](long long k) { return record(n1, lo + static_cast<int>(k)); });
            }
        }
    }
    return LinesOf(std::move(keeper), [](const ZongJinRecord& r) {
        if (r.n2 == 0)
            return Format("%dD%.0f              \t(%.0f)  \t(%.2f%%)\n", r.n1, r.d1, r.area, r.error);
        return Format("%dD%.0f + %dD%.0f \t(%.0f)  \t(%.2f%%)\n", r.n1, r.d1, r.n2, r.d2, r.area, r.error);
    });
}

std::vector<std::string> GuJinLines(const GUJIN_PARA& para) {
    float r = para.spacing != 0 ? para.Asv / static_cast<float>(para.spacing) : 0.0f;
    r = RequiredArea(r);
    std::vector<int> dims, spacings;
    GF_GetGangJinDimList(G_guifan, para.grade, dims, 0);
    GF_GetGangJinJianJuList(G_guifan, para.grade, spacings, 0);
    Keeper<GuJinRecord> keeper;
    for (int d : dims)
        for (int s : spacings) {
            GuJinRecord rec = Judged(GuJinRecord{d, s, static_cast<float>(BarArea(d) / s * para.legs), 0, 0}, r);
            if (rec.absError < para.tolerance) keeper.Accept(rec);
        }
    return LinesOf(std::move(keeper), [&](const GuJinRecord& rec) {
        return Format("%dD%2d@%2d  \t(%.2f%%)\n", para.legs, rec.d, rec.s, rec.error);
    });
}

std::vector<std::string> FenBuJinLines(const FENBUJIN_PARA& para) {
    const float A = RequiredArea(para.As);
    const std::vector<int> dims = QualifyingDiameters(para);
    std::vector<int> spacings;
    GF_GetGangJinJianJuList(G_guifan, para.grade, spacings, 0);
    Keeper<FenBuJinRecord> keeper;
    for (std::size_t i = 0; i < dims.size(); ++i)
        for (std::size_t j = i; j < dims.size(); ++j)
            for (int s : spacings) {
                const double ai = BarArea(dims[i]) * 1000 / s;
                const double area = j == i ? ai : ai + BarArea(dims[j]) * 1000 / s;
                const float d2 = j == i ? 0.0f : static_cast<float>(dims[j]);
                FenBuJinRecord rec = Judged(FenBuJinRecord{static_cast<float>(dims[i]), d2, static_cast<float>(s),
                                                           static_cast<float>(area), 0, 0},
                                            A);
                if (rec.absError < para.tolerance) keeper.Accept(rec);
            }
    return LinesOf(std::move(keeper), [](const FenBuJinRecord& r) {
        if (r.d2 > 0.00001f)
            return Format("D%.0f@%.0f + D%.0f@%.0f  \t(%.0f)  \t(%.2f%%)\n", r.d1, r.s, r.d2, r.s, r.area, r.error);
        return Format("D%.0f@%.0f                      \t(%.0f)  \t(%.2f%%)\n", r.d1, r.s, r.area, r.error);
    });
}

bool WriteResultFile(const std::vector<std::string>& lines) {
    std::FILE* fp = open_file(kResultFile, "wt");
    if (!fp) return false;
    bool written = true;
    for (const std::string& line : lines) written = written && std::fputs(line.c_str(), fp) >= 0;
    if (!written) {
        close_file(fp);
        return false;
    }
    return commit_file(fp) == 0;
}

bool ReadResultFile(std::vector<std::string>& lines) {
    lines.clear();
    std::FILE* fp = open_file_no_comment(kResultFile, "rt");
    if (!fp) return false;
    constexpr std::size_t kLineChars = 1023;
    std::string line;
    auto end = [&] {
        if (!line.empty()) {
            lines.emplace_back(kv::platform::CutToGbkBytes(line, kLineChars));
        }
        line.clear();
    };
    for (int c; (c = std::fgetc(fp)) != EOF;) {
        if (c == '\r' || c == '\n')
            end();
        else
            line.push_back(static_cast<char>(c));
    }
    end();
    close_file(fp);
    return true;
}

BarSet BarSetOf(const GANGJIN_PARA& p) {
    const double pi = kPiBarSet;
    const double area = (p.d1 / 2.0) * (p.d1 / 2.0) * pi * p.n1 + (p.d2 / 2.0) * (p.d2 / 2.0) * pi * p.n2;
    const int bars = p.n1 + p.n2 != 0 ? p.n1 + p.n2 : 1;
    const double perimeter = (p.d1 * pi * p.n1 + p.d2 * pi * p.n2) / bars;
    auto perMetre = [&](int d, int n) {
        const double r = d / 2.0 / 1000;
        return r * r * pi * 9.8 * 7800 * n;
    };
    // The formula gives N/m; the page shows kN/m.
    const double weight = (perMetre(p.d1, p.n1) + perMetre(p.d2, p.n2)) / 1000;
    return {area, perimeter, weight};
}

}  // namespace kv::xuanjin

namespace {

template <class Para, class Search>
int RunSearch(Para* para, Search&& search) {
    JS_ERROR_CODE = 0;
    std::vector<std::string> lines;
    try {
        lines = search(*para);
    } catch (const std::bad_alloc&) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return 0;
    }
    return kv::xuanjin::WriteResultFile(lines) ? 1 : 0;
}

}  // namespace

int xuanjin_zongjin(ZONGJIN_PARA* para) { return RunSearch(para, kv::xuanjin::ZongJinLines); }
int xuanjin_gujin(GUJIN_PARA* para) { return RunSearch(para, kv::xuanjin::GuJinLines); }
int xuanjin_fenbujin(FENBUJIN_PARA* para) {
    return RunSearch(para, [](const FENBUJIN_PARA& p) { return kv::xuanjin::FenBuJinLines(p); });
}
