#pragma once
// Reading one line of the lining data file into a record's fields.
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "base/textio.h"

namespace kv::lining {

// Length of a line of the lining data file, in file bytes.
inline constexpr int kLineSize = 290;

// A value the file can hold: "%f" of 1e16 or more would write a line longer
// than the reader takes, so the file would not read back what was saved.
inline bool Plausible(int) { return true; }
inline bool Plausible(float v) { return std::fabs(v) < 1e16f; }

namespace detail {
template <typename Values, typename Fields, std::size_t... I>
void Take(const Values& values, const Fields& fields, int stored, std::index_sequence<I...>) {
    bool ok = true;
    ((ok = ok && static_cast<int>(I) < stored && Plausible(std::get<I>(values)),
      ok ? void(*std::get<I>(fields) = std::get<I>(values)) : void()),
     ...);
}
}  // namespace detail

// Reads the next data line with `format` into the fields, in order, up to the
// first value that is missing, does not match or is out of range: the fields
// from there on keep their values. The count of fields taken is not reported;
// a record reads what its line holds. False only when the file has ended.
template <typename... T>
bool ReadLine(std::FILE* fp, std::string_view format, T*... fields) {
    std::tuple<T...> values{*fields...};
    const int stored = std::apply(
        [&](auto&... v) { return fgets_scan_fields(fp, kLineSize, format, &v...); }, values);
    detail::Take(values, std::make_tuple(fields...), stored, std::index_sequence_for<T...>{});
    return stored >= 0;
}

// The first word of the next data line, or empty (a blank line, the end of the
// file, or a word that would read back as a comment line once written alone).
inline std::string ReadWord(std::FILE* fp) {
    std::string line;
    if (!fgets_skip_comment(line, kLineSize, fp)) return {};
    const char* blanks = " \t\r\n\f\v";
    const std::size_t start = line.find_first_not_of(blanks);
    if (start == std::string::npos) return {};
    const std::size_t end = line.find_first_of(blanks, start);
    std::string word = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (word.compare(0, std::string_view(kCommentMark).size(), kCommentMark) == 0) return {};
    return word;
}

}  // namespace kv::lining
