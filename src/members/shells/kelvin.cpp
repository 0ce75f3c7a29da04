#include "members/shells/kelvin.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/paths.h"

namespace kv::shells::kelvin {
namespace {

float g_tables[4][kEntries];

void Compute() {
    for (int i = 0; i < kEntries; ++i) {
        long double v[4];
        Series(static_cast<long double>(i) / 100, v);
        for (int f = 0; f < 4; ++f) g_tables[f][i] = static_cast<float>(v[f]);
    }
}

void ReadFiles(const std::string& folder);

void EnsureBuilt() {
    static std::once_flag once;
    std::call_once(once, [] {
        Compute();
        ReadFiles(kv::platform::ProgramFolder());
    });
}

}  // namespace

void Series(long double x, long double (&out)[4]) {
    // Σ (x/2)^(2n)/(n!)² · iⁿ: the real part is ber, the imaginary part bei.
    const long double q = x * x / 4;
    long double term = 1;
    long double value[2] = {1, 0}, slope[2] = {0, 0};
    for (int n = 1; n < 200; ++n) {
        term *= q / (static_cast<long double>(n) * n);
        const long double sign = (n % 4 == 0 || n % 4 == 1) ? 1 : -1;
        const int part = n % 2;
        value[part] += sign * term;
        if (x != 0) slope[part] += sign * term * 2 * n / x;
        if (term < 1e-40L && n > 2 * x) break;
    }
    out[kBer] = value[0];
    out[kBei] = value[1];
    out[kBerPrime] = slope[0];
    out[kBeiPrime] = slope[1];
}

const float* Table(int which) {
    EnsureBuilt();
    return g_tables[which];
}

void LoadFiles(const std::string& folder) {
    EnsureBuilt();
    ReadFiles(folder);
}

void Rebuild() {
    EnsureBuilt();
    Compute();
}

namespace {

void ReadFiles(const std::string& folder) {
    static const char* const kNames[4] = {"ber.dat", "bei.dat", "ber_.dat", "bei_.dat"};
    for (int f = 0; f < 4; ++f) {
        FILE* fp = std::fopen((folder + kNames[f]).c_str(), "rb");
        if (!fp) continue;
        unsigned char bytes[kEntries * 4];
        const size_t got = std::fread(bytes, 1, sizeof bytes, fp);
        std::fclose(fp);
        if (got != sizeof bytes) continue;  // only a whole table replaces one
        float read[kEntries];
        bool finite = true;
        for (int i = 0; i < kEntries; ++i) {
            const std::uint32_t u = bytes[4 * i] | bytes[4 * i + 1] << 8 | bytes[4 * i + 2] << 16 |
                                    static_cast<std::uint32_t>(bytes[4 * i + 3]) << 24;
            std::memcpy(&read[i], &u, 4);
            finite = finite && std::isfinite(read[i]);
        }
        // A value that is no number would turn a station's results into NaN.
        if (finite) std::memcpy(g_tables[f], read, sizeof read);
    }
}

}  // namespace

int Index(float x) {
    // The products of the float argument are exact in double.
    const double tenfold = static_cast<double>(x) * 10, thousandfold = static_cast<double>(x) * 1000;
    if (!(tenfold < 111) || !(tenfold > -1)) return -1;
    const long row = static_cast<long>(tenfold);
    const long milli = static_cast<long>(thousandfold);
    long index = 10 * row + (milli % 100) / 10;
    if (milli % 10 >= 5) ++index;
    if (index < 0 || index >= kEntries) return -1;
    return static_cast<int>(index);
}

}  // namespace kv::shells::kelvin
