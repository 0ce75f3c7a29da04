#include "platform/codec.h"

#include <cerrno>
#include <iconv.h>

namespace kv::platform {
namespace {

// One conversion descriptor per direction and thread; iconv descriptors are not
// thread-safe, and opening one per call costs more than the conversion itself.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`, appending to `out`. Returns false at the first sequence that
    // cannot be converted and leaves its offset in `bad`; `cut` tells a character
    // cut short by the end of `in` from one that is wrong.
    // `fallback` (when given) converts what iconv refuses: it appends the
    // conversion of the start of its argument and returns the bytes it used, or 0.
    using Fallback = std::size_t (*)(std::string_view rest, std::string& out);
    bool Run(std::string_view in, std::string& out, std::size_t& bad, bool* cut = nullptr,
             Fallback fallback = nullptr) {
        if (cut) *cut = false;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            bad = 0;
            return in.empty();
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) continue;
                if (errno == EILSEQ && fallback) {
                    const std::size_t used = fallback(std::string_view(src, srcLeft), out);
                    if (used > 0) {
                        src += used;
                        srcLeft -= used;
                        continue;
                    }
                }
                if (cut) *cut = errno == EINVAL;
                bad = static_cast<std::size_t>(src - in.data());
                return false;
            }
        }
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        return true;
    }

private:
    iconv_t cd_;
};

// Code page 936 keeps its first user-defined area of 94 × 6 characters (lead
// bytes 0xAA-0xAF, trail bytes 0xA1-0xFE) at U+E000-U+E233; iconv lacks it, and
// reports of the Windows program use it (the unit mark 0xAA 0xB3). The other
// user-defined areas stay refused.
constexpr char32_t kPuaArea1 = 0xE000, kPuaEnd = 0xE234;

std::size_t UserAreaToUtf8(std::string_view rest, std::string& out);
std::size_t UserAreaToGbk(std::string_view rest, std::string& out);

Converter& FromGbk() {
    thread_local Converter c("UTF-8", "CP936");
    return c;
}
Converter& ToGbk() {
    thread_local Converter c("CP936", "UTF-8");
    return c;
}

bool AllAscii(std::string_view s) {
    for (unsigned char ch : s)
        if (ch >= 0x80) return false;
    return true;
}

}  // namespace

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

char32_t DecodeUtf8At(std::string_view utf8, std::size_t i, std::size_t& len) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    len = Utf8SequenceLength(c);
    if (len == 0 || i + len > utf8.size()) {
        len = 1;
        return 0xFFFD;
    }
    if (len == 1) return c;
    char32_t cp = c & (0xFF >> (len + 1));
    for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t n = Utf8SequenceLength(static_cast<unsigned char>(text[i]));
        if (n == 0 || i + n > text.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

namespace {

std::size_t UserAreaToUtf8(std::string_view rest, std::string& out) {
    if (rest.size() < 2) return 0;
    const auto lead = static_cast<unsigned char>(rest[0]), trail = static_cast<unsigned char>(rest[1]);
    if (trail < 0xA1 || trail > 0xFE) return 0;
    if (lead < 0xAA || lead > 0xAF) return 0;
    AppendUtf8(out, kPuaArea1 + (lead - 0xAA) * 94 + (trail - 0xA1));
    return 2;
}

std::size_t UserAreaToGbk(std::string_view rest, std::string& out) {
    if (rest.empty()) return 0;
    std::size_t len = 0;
    const char32_t cp = DecodeUtf8At(rest, 0, len);
    if (len != 3 || cp < kPuaArea1 || cp >= kPuaEnd) return 0;
    const unsigned index = static_cast<unsigned>(cp - kPuaArea1);
    out += static_cast<char>(0xAA + index / 94);
    out += static_cast<char>(0xA1 + index % 94);
    return 3;
}

}  // namespace

bool GbkToUtf8(std::string_view gbk, std::string& out, std::size_t* badOffset) {
    out.clear();
    if (AllAscii(gbk)) {
        out.assign(gbk);
        return true;
    }
    std::size_t bad = 0;
    bool ok = FromGbk().Run(gbk, out, bad, nullptr, UserAreaToUtf8);
    if (!ok && badOffset) *badOffset = bad;
    return ok;
}

bool Utf8ToGbk(std::string_view utf8, std::string& out, std::size_t* badOffset) {
    out.clear();
    if (AllAscii(utf8)) {
        out.assign(utf8);
        return true;
    }
    std::size_t bad = 0;
    bool ok = ToGbk().Run(utf8, out, bad, nullptr, UserAreaToGbk);
    if (!ok && badOffset) *badOffset = bad;
    return ok;
}

std::size_t GbkToUtf8LossyPart(std::string_view gbk, bool last, std::string& out, std::size_t* replaced) {
    std::size_t count = 0, used = 0;
    if (AllAscii(gbk)) {
        out += gbk;
        used = gbk.size();
    }
    while (used < gbk.size()) {
        std::string_view rest = gbk.substr(used);
        std::size_t bad = 0;
        bool cut = false;
        std::string part;
        if (FromGbk().Run(rest, part, bad, &cut, UserAreaToUtf8)) {
            out += part;
            used = gbk.size();
            break;
        }
        out += part;
        used += bad;
        // A character cut by the end of a piece waits for the next one.
        if (cut && !last) break;
        // Only the bad byte is marked: the byte after it may start a good character.
        out += "\xEF\xBF\xBD";
        ++count;
        ++used;
    }
    if (replaced) *replaced = count;
    return used;
}

std::string GbkToUtf8Lossy(std::string_view gbk, std::size_t* replaced) {
    std::string out;
    GbkToUtf8LossyPart(gbk, true, out, replaced);
    return out;
}

std::string Utf8ToGbkLossy(std::string_view utf8, std::size_t* replaced) {
    std::string out;
    std::size_t count = 0;
    while (!utf8.empty()) {
        std::string part;
        std::size_t bad = 0;
        if (Utf8ToGbk(utf8, part, &bad)) {
            out += part;
            break;
        }
        out += part;
        out += '?';
        ++count;
        // Skip the whole offending character when it is valid UTF-8 that GBK lacks.
        std::size_t n = Utf8SequenceLength(static_cast<unsigned char>(utf8[bad]));
        if (n == 0 || bad + n > utf8.size() || !IsValidUtf8(utf8.substr(bad, n))) n = 1;
        utf8.remove_prefix(bad + n);
    }
    if (replaced) *replaced = count;
    return out;
}

std::size_t GbkLength(std::string_view utf8) {
    std::size_t total = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t n = Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (n == 0 || i + n > utf8.size()) n = 1;
        if (n == 1) {
            total += 1;
        } else {
            std::string gbk;
            total += Utf8ToGbk(utf8.substr(i, n), gbk) ? gbk.size() : 1;
        }
        i += n;
    }
    return total;
}

std::string_view CutToGbkBytes(std::string_view utf8, std::size_t maxGbkBytes) {
    std::size_t used = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t n = Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (n == 0 || i + n > utf8.size()) n = 1;
        std::size_t w = n == 1 ? 1 : GbkLength(utf8.substr(i, n));
        if (used + w > maxGbkBytes) break;
        used += w;
        i += n;
    }
    return utf8.substr(0, i);
}

std::string_view CutToUtf8Bytes(std::string_view utf8, std::size_t maxBytes) {
    if (utf8.size() <= maxBytes) return utf8;
    std::size_t i = maxBytes;
    // Step back over continuation bytes to the start of the cut character.
    while (i > 0 && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) --i;
    return utf8.substr(0, i);
}

std::size_t CompleteGbkPrefix(std::string_view gbk) {
    std::size_t i = 0;
    while (i < gbk.size()) {
        unsigned char c = static_cast<unsigned char>(gbk[i]);
        if (c >= 0x81 && c <= 0xFE) {
            if (i + 1 >= gbk.size()) return i;
            i += 2;
        } else {
            i += 1;
        }
    }
    return i;
}

std::string_view CutGbk(std::string_view gbk, std::size_t maxBytes) {
    if (gbk.size() <= maxBytes) return gbk;
    return gbk.substr(0, CompleteGbkPrefix(gbk.substr(0, maxBytes)));
}

std::size_t CompleteUtf8Prefix(std::string_view utf8) {
    std::size_t n = utf8.size();
    std::size_t back = 0;
    while (back < 4 && back < n) {
        unsigned char c = static_cast<unsigned char>(utf8[n - 1 - back]);
        if ((c & 0xC0) != 0x80) {
            std::size_t len = Utf8SequenceLength(c);
            if (len > back + 1) return n - 1 - back;
            return n;
        }
        ++back;
    }
    return n;
}

}  // namespace kv::platform
