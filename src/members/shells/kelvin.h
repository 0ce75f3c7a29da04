#pragma once
// The Kelvin functions of order zero for the circular shell: ber, bei and their
// derivatives at x = i/100, i = 0..1109, worked out once from the power series in
// long double and kept as floats. Four files in a folder may replace them.
#include <string>

namespace kv::shells::kelvin {

inline constexpr int kEntries = 1110;
enum Function { kBer = 0, kBei = 1, kBerPrime = 2, kBeiPrime = 3 };

// The four functions at x by their series (long double).
void Series(long double x, long double (&out)[4]);

// Table `which`, built on first use; the program folder's files may have replaced it.
const float* Table(int which);

// Each of "ber.dat", "bei.dat", "ber_.dat", "bei_.dat" in `folder` (trailing '/')
// that holds a whole table (4440 bytes of little-endian floats) replaces its table;
// a missing or shorter file leaves it.
void LoadFiles(const std::string& folder);

// The tables as the series gives them (tests that loaded files put them back).
void Rebuild();

// Entry of x by the lookup's rounding (hundredths, half up on the thousandths
// digit of the float argument); -1 beyond the table.
int Index(float x);

}  // namespace kv::shells::kelvin
