#include "base/textio.h"

#include "base/error.h"
#include "base/globals.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/textfile.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

std::FILE* Open(const char* name, const char* mode, bool report) {
    std::FILE* fp = (name && *name) ? kv::platform::OpenFile(name, mode) : nullptr;
    if (fp) {
        ++JS_OpenFileNum;
        return fp;
    }
    if (report) tell_error1(kv::err::kDataError, "不能打开文件 : %s", name ? name : "");
    return nullptr;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::FILE* open_file(const char* name, const char* mode) { return Open(name, mode, true); }
std::FILE* open_file_no_comment(const char* name, const char* mode) { return Open(name, mode, false); }

int close_file(std::FILE* fp) {
    if (!fp) return EOF;
    --JS_OpenFileNum;
    return std::fclose(fp);
}

int commit_file(std::FILE* fp) {
    if (!fp) return EOF;
    --JS_OpenFileNum;
    return kv::platform::CommitFile(fp);
}

namespace kv::detail {

std::size_t CutLine(std::string& line, std::size_t maxGbkBytes, std::size_t maxUtf8Bytes) {
    bool hadEnd = !line.empty() && line.back() == '\n';
    if (hadEnd) line.pop_back();
    std::size_t gbkRoom = maxGbkBytes > 0 ? maxGbkBytes - 1 : 0;  // one byte for "\n"
    std::size_t utfRoom = maxUtf8Bytes > 0 ? maxUtf8Bytes - 1 : 0;
    std::string_view kept = kv::platform::CutToUtf8Bytes(line, utfRoom);
    if (kv::platform::GbkLength(kept) > gbkRoom) kept = kv::platform::CutToGbkBytes(kept, gbkRoom);
    line.resize(kept.size());
    line += '\n';
    return line.size();
}

namespace {

// Reads an int or a float from `s` at `pos` (leading blanks skipped), with '.' as
// the decimal point in every locale. False when no number starts there.
template <typename T>
bool ParseNumber(std::string_view s, std::size_t& pos, std::size_t width, T& out) {
    while (pos < s.size() && IsSpace(s[pos])) ++pos;
    std::size_t end = width ? std::min(s.size(), pos + width) : s.size();
    std::size_t start = pos;
    bool negative = false;
    if (start < end && (s[start] == '+' || s[start] == '-')) {
        negative = s[start] == '-';
        ++start;
    }
    const char* first = s.data() + start;
    const char* last = s.data() + end;
    std::from_chars_result r;
    if constexpr (std::is_floating_point_v<T>) {
        r = std::from_chars(first, last, out);
        if (r.ec == std::errc::result_out_of_range) {
            // Keep what the text says as far as the type allows: a negative
            // exponent went below the smallest number, a positive one above the largest.
            std::string_view digits(first, static_cast<std::size_t>(r.ptr - first));
            std::size_t e = digits.find_first_of("eE");
            bool tiny = e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
            out = tiny ? T(0) : std::numeric_limits<T>::max();
            r.ec = std::errc();
        }
        if (r.ec != std::errc() || r.ptr == first) return false;
        if (negative) out = -out;
    } else {
        std::int64_t v = 0;
        r = std::from_chars(first, last, v);
        if (r.ptr == first) return false;
        if (r.ec == std::errc::result_out_of_range) v = std::numeric_limits<std::int64_t>::max();
        out = negative ? -v : v;
    }
    pos = static_cast<std::size_t>(r.ptr - s.data());
    return true;
}

// End of the comma-separated field starting at `pos`.
std::size_t FieldEnd(std::string_view s, std::size_t pos) {
    while (pos < s.size() && s[pos] != ',' && s[pos] != '\n' && s[pos] != '\r') ++pos;
    return pos;
}

// A whole number beyond its type stops at the type's limit rather than wrapping
// round to some other value.
template <typename T, typename V>
T Saturate(V v) {
    if (v >= static_cast<V>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    if constexpr (std::is_signed_v<T>) {
        if (v <= static_cast<V>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    } else {
        // As scanf's %u: a negative number wraps, unless it is beyond every unsigned.
        if (v < 0 && v >= -static_cast<V>(std::numeric_limits<T>::max())) return static_cast<T>(static_cast<std::int64_t>(v));
        if (v < 0) return std::numeric_limits<T>::max();
    }
    return static_cast<T>(v);
}

void StoreInt(const ScanTarget& t, std::int64_t v) {
    switch (t.kind) {
    case ScanTarget::Int: *static_cast<int*>(t.ptr) = Saturate<int>(v); break;
    case ScanTarget::Long: *static_cast<long*>(t.ptr) = Saturate<long>(v); break;
    case ScanTarget::Unsigned: *static_cast<unsigned*>(t.ptr) = Saturate<unsigned>(v); break;
    case ScanTarget::Short: *static_cast<short*>(t.ptr) = Saturate<short>(v); break;
    case ScanTarget::Float: *static_cast<float*>(t.ptr) = static_cast<float>(v); break;
    case ScanTarget::Double: *static_cast<double*>(t.ptr) = static_cast<double>(v); break;
    case ScanTarget::String: *static_cast<std::string*>(t.ptr) = std::to_string(v); break;
    case ScanTarget::Chars: {
        std::string text = std::to_string(v);
        text.resize(std::min(text.size(), t.capacity - 1));
        std::memcpy(t.ptr, text.c_str(), text.size() + 1);
        break;
    }
    }
}

void StoreFloat(const ScanTarget& t, double v) {
    // A whole-number field has no value for "nan": it keeps the one it had.
    const bool whole = t.kind == ScanTarget::Int || t.kind == ScanTarget::Long || t.kind == ScanTarget::Unsigned ||
                       t.kind == ScanTarget::Short;
    if (whole && std::isnan(v)) return;
    if (whole) v = std::trunc(v);
    switch (t.kind) {
    case ScanTarget::Float: *static_cast<float*>(t.ptr) = static_cast<float>(v); break;
    case ScanTarget::Double: *static_cast<double*>(t.ptr) = v; break;
    case ScanTarget::Int: *static_cast<int*>(t.ptr) = Saturate<int>(v); break;
    case ScanTarget::Long: *static_cast<long*>(t.ptr) = Saturate<long>(v); break;
    case ScanTarget::Unsigned: *static_cast<unsigned*>(t.ptr) = Saturate<unsigned>(v); break;
    case ScanTarget::Short: *static_cast<short*>(t.ptr) = Saturate<short>(v); break;
    case ScanTarget::String:
    case ScanTarget::Chars: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%g", v);
        if (t.kind == ScanTarget::String) {
            *static_cast<std::string*>(t.ptr) = buf;
        } else {
            std::string text(buf);
            text.resize(std::min(text.size(), t.capacity - 1));
            std::memcpy(t.ptr, text.c_str(), text.size() + 1);
        }
        break;
    }
    }
}

void StoreText(const ScanTarget& t, std::string_view text) {
    switch (t.kind) {
    case ScanTarget::String: static_cast<std::string*>(t.ptr)->assign(text); break;
    case ScanTarget::Chars: {
        std::string_view kept = kv::platform::CutToUtf8Bytes(text, t.capacity - 1);
        std::memcpy(t.ptr, kept.data(), kept.size());
        static_cast<char*>(t.ptr)[kept.size()] = '\0';
        break;
    }
    default: {
        // A text into a number: read the number the text starts with.
        std::size_t pos = 0;
        double v = 0;
        if (ParseNumber(text, pos, 0, v)) StoreFloat(t, v);
        break;
    }
    }
}

}  // namespace

int ScanFields(std::string_view s, std::string_view f, const ScanTarget* targets, std::size_t count) {
    std::size_t pos = 0;      // in the text
    std::size_t next = 0;     // next target
    int stored = 0;
    bool converted = false;   // a conversion was tried with input left
    std::size_t i = 0;
    auto atEnd = [&] {
        std::size_t p = pos;
        while (p < s.size() && IsSpace(s[p])) ++p;
        return p >= s.size();
    };
    while (i < f.size()) {
        char c = f[i];
        if (IsSpace(c)) {
            while (pos < s.size() && IsSpace(s[pos])) ++pos;
            ++i;
            continue;
        }
        if (c != '%') {
            // A literal: blanks before it are skipped (fields are often padded).
            while (pos < s.size() && IsBlank(s[pos]) && c != ' ') ++pos;
            if (pos >= s.size() || s[pos] != c) break;
            ++pos;
            ++i;
            continue;
        }
        ++i;
        if (i < f.size() && f[i] == '%') {
            if (pos >= s.size() || s[pos] != '%') break;
            ++pos;
            ++i;
            continue;
        }
        bool skip = false;
        if (i < f.size() && f[i] == '*') {
            skip = true;
            ++i;
        }
        std::size_t width = 0;
        while (i < f.size() && f[i] >= '0' && f[i] <= '9') width = width * 10 + static_cast<std::size_t>(f[i++] - '0');
        while (i < f.size() && (f[i] == 'l' || f[i] == 'h' || f[i] == 'L')) ++i;
        char conv = i < f.size() ? f[i] : '\0';
        bool bareSkip = skip && !(conv == 'd' || conv == 'i' || conv == 'u' || conv == 'f' || conv == 'g' ||
                                  conv == 'e' || conv == 's' || conv == 'c' || conv == 'x' || conv == 'E' ||
                                  conv == 'G');
        if (!bareSkip) ++i;
        if (atEnd() && conv != 'c') {
            if (!converted) return -1;
            break;
        }
        converted = true;
        if (bareSkip) {
            pos = FieldEnd(s, pos);
            continue;
        }
        const ScanTarget* target = nullptr;
        if (!skip) {
            if (next >= count) break;  // more conversions than targets
            target = &targets[next];
        }
        if (conv == 'd' || conv == 'i' || conv == 'u' || conv == 'x') {
            std::int64_t v = 0;
            if (!ParseNumber(s, pos, width, v)) break;
            if (target) StoreInt(*target, v);
        } else if (conv == 'f' || conv == 'g' || conv == 'e' || conv == 'E' || conv == 'G') {
            double v = 0;
            if (!ParseNumber(s, pos, width, v)) break;
            if (target) StoreFloat(*target, v);
        } else if (conv == 's') {
            while (pos < s.size() && IsBlank(s[pos])) ++pos;
            std::size_t end = FieldEnd(s, pos);
            if (width && end - pos > width) {
                end = pos + kv::platform::CutToUtf8Bytes(s.substr(pos, end - pos), width).size();
            }
            std::size_t textEnd = end;
            while (textEnd > pos && IsBlank(s[textEnd - 1])) --textEnd;
            if (target) StoreText(*target, s.substr(pos, textEnd - pos));
            pos = end;
        } else if (conv == 'c') {
            if (pos >= s.size()) break;
            if (target) StoreText(*target, s.substr(pos, 1));
            ++pos;
        } else {
            break;  // a conversion this scanner does not know
        }
        if (target) {
            ++next;
            ++stored;
        }
    }
    return stored;
}

}  // namespace kv::detail

namespace {
bool ReadLine(std::string& line, int size, std::FILE* fp, bool skipComments) {
    if (!fp) return false;
    std::size_t mark = std::strlen(kCommentMark);
    for (;;) {
        line.clear();
        int ch;
        bool any = false;
        while ((ch = std::fgetc(fp)) != EOF) {
            any = true;
            if (ch == '\n') break;
            line += static_cast<char>(ch);
        }
        if (!any) return false;
        // The text ends at a zero byte, as the string it goes into would.
        if (std::size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (skipComments && line.compare(0, mark, kCommentMark) == 0) continue;
        line += '\n';
        kv::detail::CutLine(line, static_cast<std::size_t>(size > 1 ? size - 1 : 1),
                            std::numeric_limits<std::size_t>::max());
        return true;
    }
}

}  // namespace

bool fgets_skip_comment(std::string& line, int size, std::FILE* fp) { return ReadLine(line, size, fp, true); }
bool fgets_line(std::string& line, int size, std::FILE* fp) { return ReadLine(line, size, fp, false); }

int count_fields(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty()) return 0;
    int fields = 1;
    for (char c : line)
        if (c == ',') ++fields;
    return fields;
}

int read_one_unit_from_string(std::string& unit, const char* line, int* position) {
    unit.clear();
    if (!line || !position || *position < 0) return 0;
    std::size_t len = std::strlen(line);
    std::size_t p = static_cast<std::size_t>(*position);
    auto separator = [](char c) { return c == ',' || IsSpace(c); };
    while (p < len && separator(line[p])) ++p;
    while (p < len && !separator(line[p])) unit += line[p++];
    *position = static_cast<int>(p);
    return static_cast<int>(unit.size());
}

int if_file_exist(const char* name) {
    return name && (kv::platform::FileExists(name) || kv::platform::DirectoryExists(name)) ? 1 : 0;
}

int FileCompare(const char* first, const char* second) {
    if (!first || !second) return 0;
    std::string a, b;
    if (!kv::platform::ReadFileBytes(first, a) || !kv::platform::ReadFileBytes(second, b)) return 0;
    return a == b ? 1 : 0;
}

int MakeDirectory(const char* path) { return path && kv::platform::MakeDirectories(path) ? 1 : 0; }

int RemoveFile_InWorkPath(const char* name) {
    if (!name || !*name) return 0;
    std::string p = kv::platform::ResolveExisting(G_strWorkPath + name);
    return !p.empty() && std::remove(p.c_str()) == 0 ? 1 : 0;
}

int RenameFile_InWorkPath(const char* oldName, const char* newName) {
    if (!oldName || !newName || !*oldName || !*newName) return 0;
    std::string from = kv::platform::ResolveExisting(G_strWorkPath + oldName);
    if (from.empty()) return 0;
    std::string to = kv::platform::ResolveForWrite(G_strWorkPath + newName);
    return std::rename(from.c_str(), to.c_str()) == 0 ? 1 : 0;
}

// ---- formatted text with GBK column widths ------------------------------------

namespace {

// One value through snprintf with its own conversion.
template <typename T>
void AppendFormatted(std::string& out, const std::string& directive, T value) {
    int n = std::snprintf(nullptr, 0, directive.c_str(), value);
    if (n <= 0) return;
    std::string piece(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(piece.data(), piece.size(), directive.c_str(), value);
    piece.resize(static_cast<std::size_t>(n));
    out += piece;
}

// printf whose "%s" widths and precisions of "%s" count the columns of a
// fixed-pitch report, two for a Chinese character (its two bytes in GBK), so the
// tables that modules write as padded text keep their columns.
std::string FormatGbk(const char* format, std::va_list& args) {
    std::string out;
    for (const char* p = format; *p;) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        std::string flags;
        while (*p && std::strchr("-+ #0'", *p)) flags += *p++;
        int width = -1, precision = -1;
        if (*p == '*') {
            width = va_arg(args, int);
            ++p;
            if (width < 0) {
                flags += '-';
                width = -width;
            }
        } else if (std::isdigit(static_cast<unsigned char>(*p))) {
            width = 0;
            while (std::isdigit(static_cast<unsigned char>(*p))) width = std::min(width * 10 + (*p++ - '0'), 100000);
        }
        if (*p == '.') {
            ++p;
            precision = 0;
            if (*p == '*') {
                precision = va_arg(args, int);
                ++p;
            } else {
                while (std::isdigit(static_cast<unsigned char>(*p)))
                    precision = std::min(precision * 10 + (*p++ - '0'), 100000);
            }
        }
        std::string length;
        while (*p && std::strchr("hlLqjzt", *p)) length += *p++;
        const char conversion = *p;
        if (!conversion) {
            out.append(start);  // a lone '%' at the end stays as written
            break;
        }
        ++p;
        std::string directive = "%" + flags;
        if (width >= 0) directive += std::to_string(width);
        if (precision >= 0) directive += "." + std::to_string(precision);
        switch (conversion) {
            case 'd':
            case 'i':
                directive += length + conversion;
                if (length == "l") AppendFormatted(out, directive, va_arg(args, long));
                else if (length == "ll" || length == "q" || length == "j") AppendFormatted(out, directive, va_arg(args, long long));
                else if (length == "z" || length == "t") AppendFormatted(out, directive, va_arg(args, std::ptrdiff_t));
                else AppendFormatted(out, directive, va_arg(args, int));
                break;
            case 'o':
            case 'u':
            case 'x':
            case 'X':
                directive += length + conversion;
                if (length == "l") AppendFormatted(out, directive, va_arg(args, unsigned long));
                else if (length == "ll" || length == "q" || length == "j")
                    AppendFormatted(out, directive, va_arg(args, unsigned long long));
                else if (length == "z" || length == "t") AppendFormatted(out, directive, va_arg(args, std::size_t));
                else AppendFormatted(out, directive, va_arg(args, unsigned));
                break;
            case 'e':
            case 'E':
            case 'f':
            case 'F':
            case 'g':
            case 'G':
            case 'a':
            case 'A':
                if (length == "L") AppendFormatted(out, directive + "L" + conversion, va_arg(args, long double));
                else AppendFormatted(out, directive + conversion, va_arg(args, double));
                break;
            case 'c':
                AppendFormatted(out, directive + 'c', va_arg(args, int));
                break;
            case 'p':
                AppendFormatted(out, directive + 'p', va_arg(args, void*));
                break;
            case 's': {
                const char* arg = va_arg(args, const char*);
                std::string_view text = arg ? std::string_view(arg) : std::string_view("(null)");
                if (precision >= 0) text = kv::platform::CutToGbkBytes(text, static_cast<std::size_t>(precision));
                std::size_t columns = kv::platform::GbkLength(text);
                std::string pad = width > 0 && columns < static_cast<std::size_t>(width)
                                      ? std::string(static_cast<std::size_t>(width) - columns, ' ')
                                      : std::string();
                if (flags.find('-') != std::string::npos) (out += text) += pad;
                else (out += pad) += text;
                break;
            }
            case 'n':
                (void)va_arg(args, void*);  // nothing is stored through a report text
                break;
            default:
                out.append(start, p);  // an unknown conversion stays as written
                break;
        }
    }
    return out;
}

}  // namespace

std::string vsprintf_gbk(const char* format, va_list args) {
    if (!format) return {};
    va_list copy;
    va_copy(copy, args);
    std::string out = FormatGbk(format, copy);
    va_end(copy);
    return out;
}

std::string sprintf_gbk(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = vsprintf_gbk(format, args);
    va_end(args);
    return out;
}

int fprintf_gbk(std::FILE* fp, const char* format, ...) {
    if (!fp) return -1;
    va_list args;
    va_start(args, format);
    std::string out = vsprintf_gbk(format, args);
    va_end(args);
    if (std::fwrite(out.data(), 1, out.size(), fp) != out.size()) return -1;
    return static_cast<int>(out.size());
}
