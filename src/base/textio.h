#pragma once
// Text and data files of the program: opening with the open-file count, the
// comment-skipping line reader, the comma-field scanner and small file tools.
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

// Opens `name` (a bare name opens in the current folder) with a C mode; text
// modes speak UTF-8 to the program and GBK to the disk (see platform/textfile.h).
// Each open counts in JS_OpenFileNum; the caller lowers it after fclose. A
// failure reports "不能打开文件 : <name>" on the message channel (code 201, so it
// sets JS_ERROR_CODE) and returns nullptr.
std::FILE* open_file(const char* name, const char* mode);
// As open_file, but a failure returns nullptr without a message.
std::FILE* open_file_no_comment(const char* name, const char* mode);

// Closes a file opened by open_file and lowers JS_OpenFileNum. A file opened to
// replace another ("w", "wt", "wb") is thrown away: only commit_file keeps it.
int close_file(std::FILE* fp);
// Puts a file opened by open_file in place (see kv::platform::CommitFile) and
// lowers JS_OpenFileNum. 0 on success; EOF when anything written failed, and the
// file it was to replace is then unchanged.
int commit_file(std::FILE* fp);

// Lines starting with this mark are comments for fgets_skip_comment.
inline constexpr const char* kCommentMark = "//";

// Bytes of memory a line needs that takes `gbkBytes` bytes on disk (a GBK
// character of two bytes takes three in UTF-8).
constexpr std::size_t Utf8Capacity(std::size_t gbkBytes) { return gbkBytes * 3 / 2 + 2; }

// The next line that is not a comment, with its line end as "\n" (a CR before it
// is dropped, and a last line without one gets one). `size` is the size of the
// line buffer of the data file's layout, counted in GBK bytes: a longer line is
// cut to size - 2 bytes on a whole character and the rest of it is skipped, so it
// never spills into the next read. False at the end of the file.
bool fgets_skip_comment(std::string& line, int size, std::FILE* fp);

// The next line, comments or not, with the same cutting and line end.
bool fgets_line(std::string& line, int size, std::FILE* fp);

// The same into a character array, which also bounds the line.
template <std::size_t N>
char* fgets_skip_comment(char (&buffer)[N], int size, std::FILE* fp);

// ---- the comma-field scanner ------------------------------------------------
//
// scan_fields(text, format, targets...) reads fields the way the data files are
// laid out: scanf conversions (%d %i %u %ld %f %lf %g %e %s %c, '*' to skip, a
// width) separated by commas. "%s" takes the whole field up to the next comma or
// the line end (blanks inside a title stay), trailing blanks cut. A bare "%*"
// skips one field. Numbers are read with '.' whatever the locale. Targets are
// pointers to int, long, unsigned, float or double, pointers to std::string, or
// character arrays (never a bare char pointer: an array knows its size, and a
// text is cut on a whole character to fit). Returns the count of fields stored,
// or -1 when the text ends before the first conversion; scanning stops at the
// first field that does not match, and the targets after it keep their values.
namespace kv::detail {
struct ScanTarget {
    enum Kind { Int, Long, Unsigned, Short, Float, Double, String, Chars } kind;
    void* ptr;
    std::size_t capacity;  // for Chars: the array's size
};
inline ScanTarget MakeScanTarget(int* p) { return {ScanTarget::Int, p, 0}; }
inline ScanTarget MakeScanTarget(long* p) { return {ScanTarget::Long, p, 0}; }
inline ScanTarget MakeScanTarget(unsigned* p) { return {ScanTarget::Unsigned, p, 0}; }
inline ScanTarget MakeScanTarget(short* p) { return {ScanTarget::Short, p, 0}; }
inline ScanTarget MakeScanTarget(float* p) { return {ScanTarget::Float, p, 0}; }
inline ScanTarget MakeScanTarget(double* p) { return {ScanTarget::Double, p, 0}; }
inline ScanTarget MakeScanTarget(std::string* p) { return {ScanTarget::String, p, 0}; }
template <std::size_t N>
ScanTarget MakeScanTarget(char (&a)[N]) { return {ScanTarget::Chars, a, N}; }

int ScanFields(std::string_view text, std::string_view format, const ScanTarget* targets, std::size_t count);
std::size_t CutLine(std::string& line, std::size_t maxGbkBytes, std::size_t maxUtf8Bytes);
}  // namespace kv::detail

template <typename... Targets>
int scan_fields(std::string_view text, std::string_view format, Targets&&... targets) {
    if constexpr (sizeof...(Targets) == 0) {
        return kv::detail::ScanFields(text, format, nullptr, 0);
    } else {
        const kv::detail::ScanTarget list[] = {kv::detail::MakeScanTarget(targets)...};
        return kv::detail::ScanFields(text, format, list, sizeof...(Targets));
    }
}

// The next data line of `fp` (comments skipped, cut as fgets_skip_comment cuts it)
// scanned by scan_fields: the count of fields stored, -1 at the end of the file.
template <typename... Targets>
int fgets_scan_fields(std::FILE* fp, int size, std::string_view format, Targets&&... targets) {
    std::string line;
    if (!fgets_skip_comment(line, size, fp)) return -1;
    return scan_fields(line, format, targets...);
}

// Values in a data line: its comma-separated fields (0 for a blank line).
int count_fields(std::string_view line);

// As fgets_scan_fields, for a line that must hold exactly one value for each
// target: true when it does and all were read; false at the end of the file or
// for a line with fewer or more values (the targets may then hold part of it).
template <typename... Targets>
bool fgets_scan_exact(std::FILE* fp, int size, std::string_view format, Targets&&... targets) {
    std::string line;
    if (!fgets_skip_comment(line, size, fp)) return false;
    constexpr int expected = static_cast<int>(sizeof...(Targets));
    return count_fields(line) == expected && scan_fields(line, format, targets...) == expected;
}

// The next unit of `line` from `*position` on: units are separated by runs of
// blanks and commas. `*position` moves past the unit; `unit` is empty at the end.
// Returns the unit's length.
int read_one_unit_from_string(std::string& unit, const char* line, int* position);

// ---- formatted text with GBK column widths ----------------------------------
//
// Text reports line up their columns with printf widths ("%-12s"). The program's
// strings are UTF-8, where a Chinese character takes three bytes, but on paper
// (and in the GBK files) it takes two columns. These work like sprintf/fprintf
// except that the width and precision of "%s" count GBK bytes, cut on a whole
// character; every other conversion is the C library's.
std::string sprintf_gbk(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vsprintf_gbk(const char* format, va_list args);
int fprintf_gbk(std::FILE* fp, const char* format, ...) __attribute__((format(printf, 2, 3)));

// ---- small file tools (bare names are taken from the current folder) ---------

// 1 when the file or folder exists (the case of its name does not matter).
int if_file_exist(const char* name);
// 1 when both files exist and hold the same bytes, else 0.
int FileCompare(const char* first, const char* second);
// Creates the folder with its missing parents; 1 when it exists afterwards.
int MakeDirectory(const char* path);
// Removes or renames a file of the work folder (G_strWorkPath). 1 on success.
int RemoveFile_InWorkPath(const char* name);
int RenameFile_InWorkPath(const char* oldName, const char* newName);

template <std::size_t N>
char* fgets_skip_comment(char (&buffer)[N], int size, std::FILE* fp) {
    static_assert(N >= 2, "line buffer too small");
    std::string line;
    if (!fgets_skip_comment(line, size, fp)) return nullptr;
    kv::detail::CutLine(line, static_cast<std::size_t>(size > 1 ? size - 1 : 1), N - 1);
    line.copy(buffer, line.size());
    buffer[line.size()] = '\0';
    return buffer;
}
