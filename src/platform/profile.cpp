#include "platform/profile.h"

#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/textfile.h"

#include <cstdlib>

namespace kv::platform {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Compares GBK names without ASCII case; the trail byte of a two-byte character
// may look like a letter and is compared as it is.
bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    bool trail = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (!trail) {
            if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
            if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        }
        if (x != y) return false;
        unsigned char u = static_cast<unsigned char>(a[i]);
        trail = !trail && u >= 0x81 && u <= 0xFE;
    }
    return true;
}

// The file as lines of raw bytes (line ends removed) and the line end it uses.
struct Lines {
    std::vector<std::string> lines;
    std::string eol = "\n";
};

bool Load(std::string_view file, Lines& out) {
    std::string bytes;
    if (!ReadFileBytes(ProfilePath(file), bytes)) return false;
    if (bytes.find("\r\n") != std::string::npos) out.eol = "\r\n";
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t nl = bytes.find('\n', start);
        std::string line = bytes.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.lines.push_back(line);
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return true;
}

// "[name]" -> name (raw bytes); false for other lines.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return false;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

// "key=value" -> key and value (raw bytes, trimmed); false for other lines.
bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';') return false;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

// Index of the first line of the first matching section's header, or -1.
long FindSection(const Lines& f, std::string_view gbkSection) {
    for (std::size_t i = 0; i < f.lines.size(); ++i) {
        std::string_view name;
        if (SectionName(f.lines[i], name) && EqualNoCase(name, gbkSection)) return static_cast<long>(i);
    }
    return -1;
}

// One past the last line of the section that starts at `header`.
std::size_t SectionEnd(const Lines& f, std::size_t header) {
    std::size_t i = header + 1;
    std::string_view name;
    while (i < f.lines.size() && !SectionName(f.lines[i], name)) ++i;
    return i;
}

std::string ToGbk(std::string_view utf8) { return Utf8ToGbkLossy(utf8); }

}  // namespace

std::string ProfilePath(std::string_view file) {
    std::string p = ToSlashes(file);
    if (p.find('/') == std::string::npos) return ConfigFolder() + p;
    return p;
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view file) {
    Lines f;
    if (!Load(file, f)) return std::string(defaultValue);
    long header = FindSection(f, ToGbk(section));
    if (header < 0) return std::string(defaultValue);
    std::string gbkKey = ToGbk(key);
    std::size_t end = SectionEnd(f, static_cast<std::size_t>(header));
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
        std::string_view k, v;
        if (KeyValue(f.lines[i], k, v) && EqualNoCase(k, gbkKey)) {
            // A value in matching quotes loses them.
            if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
                v = v.substr(1, v.size() - 2);
            return GbkToUtf8Lossy(v);
        }
    }
    return std::string(defaultValue);
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view file) {
    const std::string missing = "\x01missing";
    std::string v = GetPrivateProfileString(section, key, missing, file);
    if (v == missing) return defaultValue;
    return static_cast<int>(std::strtol(v.c_str(), nullptr, 10));
}

std::vector<std::string> GetPrivateProfileKeys(std::string_view section, std::string_view file) {
    std::vector<std::string> keys;
    Lines f;
    if (!Load(file, f)) return keys;
    long header = FindSection(f, ToGbk(section));
    if (header < 0) return keys;
    std::size_t end = SectionEnd(f, static_cast<std::size_t>(header));
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
        std::string_view k, v;
        if (KeyValue(f.lines[i], k, v)) keys.push_back(GbkToUtf8Lossy(k));
    }
    return keys;
}

bool WritePrivateProfileString(std::string_view section, const char* key, const char* value,
                               std::string_view file) {
    Lines f;
    // A file that is there but cannot be read is not rewritten from nothing:
    // that would lose its other lines.
    if (!Load(file, f) && FileExists(ProfilePath(file))) return false;
    std::string gbkSection = ToGbk(section);
    long header = FindSection(f, gbkSection);
    if (!key) {
        if (header < 0) return true;
        std::size_t end = SectionEnd(f, static_cast<std::size_t>(header));
        f.lines.erase(f.lines.begin() + header, f.lines.begin() + static_cast<long>(end));
    } else {
        std::string gbkKey = ToGbk(key);
        std::string newLine = value ? gbkKey + "=" + ToGbk(value) : std::string();
        if (header < 0) {
            if (!value) return true;
            if (!f.lines.empty() && !Trim(f.lines.back()).empty()) f.lines.emplace_back();
            f.lines.push_back("[" + gbkSection + "]");
            f.lines.push_back(newLine);
        } else {
            std::size_t end = SectionEnd(f, static_cast<std::size_t>(header));
            bool done = false;
            for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
                std::string_view k, v;
                if (KeyValue(f.lines[i], k, v) && EqualNoCase(k, gbkKey)) {
                    // The key keeps the spelling it has in the file.
                    if (value) f.lines[i] = std::string(k) + "=" + ToGbk(value);
                    else f.lines.erase(f.lines.begin() + static_cast<long>(i));
                    done = true;
                    break;
                }
            }
            if (!done && value) {
                // After the section's last non-blank line, so blank separators stay put.
                std::size_t at = end;
                while (at > static_cast<std::size_t>(header) + 1 && Trim(f.lines[at - 1]).empty()) --at;
                f.lines.insert(f.lines.begin() + static_cast<long>(at), newLine);
            }
        }
    }
    std::string bytes;
    for (const std::string& line : f.lines) bytes += line + f.eol;
    return WriteFileAtomically(ProfilePath(file), bytes);
}

}  // namespace kv::platform
