#include "report/script.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "base/globals.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "report/rtf.h"

namespace kv::report {

std::size_t SkipCharsOf(std::string_view s, std::size_t chars) {
    std::size_t i = 0;
    while (chars > 0 && i < s.size()) {
        std::size_t len = kv::platform::Utf8SequenceLength(static_cast<unsigned char>(s[i]));
        i += len == 0 ? 1 : len;
        --chars;
    }
    return std::min(i, s.size());
}

namespace {

// "<colour>,<factor>" at the start of the field; whatever follows is ignored.
bool ReadStyleField(std::string_view field, std::uint32_t& colour, double& factor) {
    std::string f(field);
    const char* p = f.c_str();
    char* end = nullptr;
    long c = std::strtol(p, &end, 10);
    if (end == p || *end != ',') return false;
    p = end + 1;
    double k = std::strtod(p, &end);
    if (end == p || !std::isfinite(k) || k <= 0 || k > 100) return false;
    if (c < 0 || c > 0xFFFFFF) return false;
    colour = static_cast<std::uint32_t>(c);
    factor = k;
    return true;
}

// `path` lies in `folder` (both resolved through their links).
bool Inside(const std::filesystem::path& path, const std::string& folder) {
    if (folder.empty()) return false;
    std::error_code ec;
    std::filesystem::path base = std::filesystem::weakly_canonical(folder, ec);
    if (ec) return false;
    auto [b, p] = std::mismatch(base.begin(), base.end(), path.begin(), path.end());
    // A trailing '/' gives an empty last element that matches any name.
    return b == base.end() || (std::next(b) == base.end() && b->empty());
}

}  // namespace

std::string ScriptDrawingPath(const std::string& name, std::string& refusal) {
    refusal.clear();
    // Names written on Windows may differ in case from the file, or use '\\'.
    std::string path = kv::platform::ToSlashes(name);
    if (path.empty() || path[0] != '/') path = G_strWorkPath + path;
    std::string found = kv::platform::ResolveExisting(path);
    if (found.empty()) return path;
    std::error_code ec;
    std::filesystem::path real = std::filesystem::canonical(found, ec);
    const char* why = nullptr;
    const std::string work = G_strWorkPath.empty() ? kv::platform::CurrentFolder() : G_strWorkPath;
    if (ec || (!Inside(real, work) && !Inside(real, G_strExePath))) why = "不在工作目录或程序目录中";
    else if (!std::filesystem::is_regular_file(real, ec)) why = "不是普通文件";
    else if (std::filesystem::file_size(real, ec) > static_cast<std::uintmax_t>(kScriptDrawingMaxBytes) || ec)
        why = "文件太大";
    if (!why) return found;
    refusal = "[图形文件 " + name + " 未插入: " + why + "]";
    return {};
}

ScriptCommand ParseScriptCommand(std::string_view command) {
    ScriptCommand cmd;
    if (command.substr(0, kInsertDxf.size()) == kInsertDxf) {
        cmd.kind = ScriptCommand::InsertDxf;
        cmd.fileName = std::string(command.substr(kInsertDxf.size()));
        cmd.currentDrawing = cmd.fileName.compare(0, kCurrentDrawing.size(), kCurrentDrawing) == 0;
        return cmd;
    }
    if (command.substr(0, kTextStyle.size()) == kTextStyle) {
        cmd.kind = ScriptCommand::TextStyle;
        std::string_view rest = command.substr(kTextStyle.size());
        std::size_t fieldEnd = SkipCharsOf(rest, kStyleFieldChars);
        if (!ReadStyleField(rest.substr(0, fieldEnd), cmd.colour, cmd.factor)) {
            cmd.colour = 0;
            cmd.factor = 1.0;
        }
        cmd.text = std::string(rest.substr(fieldEnd));
        return cmd;
    }
    return cmd;
}

std::string ScriptBlock(std::string_view command) {
    std::string s(kScriptStart);
    s += command;
    s += kScriptEnd;
    return s;
}

std::string TextStyleBlock(std::string_view text, std::uint32_t colour, double factor) {
    char field[64];
    std::snprintf(field, sizeof field, "%u,%.3f", static_cast<unsigned>(colour & 0xFFFFFF), factor);
    std::string f(field);
    f.resize(kStyleFieldChars, ' ');
    std::string command(kTextStyle);
    command += f;
    command += text;
    return ScriptBlock(command);
}

}  // namespace kv::report

void VanjoroScript(std::FILE* fp, const char* command) {
    if (!fp || !command) return;
    std::string line = "\n" + kv::report::ScriptBlock(command) + "\n";
    std::fputs(line.c_str(), fp);
}

void VanjoroScript_Text(std::FILE* fp, const char* text, std::uint32_t colour, double factor) {
    if (!fp || !text) return;
    std::string_view t(text);
    std::string out;
    std::size_t start = 0;
    while (start <= t.size()) {
        std::size_t end = t.find('\n', start);
        std::string_view line = t.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        // A block holds at most 999 characters of command: longer lines go in pieces.
        const std::size_t room = kv::report::kScriptCommandMax - kv::report::kTextStyle.size() -
                                 kv::report::kStyleFieldChars;
        while (!line.empty()) {
            std::size_t cut = kv::report::SkipCharsOf(line, room);
            out += kv::report::TextStyleBlock(line.substr(0, cut), colour, factor);
            line.remove_prefix(cut);
        }
        if (end == std::string_view::npos) break;
        out += '\n';
        start = end + 1;
    }
    std::fputs(out.c_str(), fp);
}

int TextToRtf(const char* path) {
    if (!path) return 0;
    std::string bytes;
    if (!kv::platform::ReadFileBytes(path, bytes)) return 0;
    // Converting an RTF book again would show its codes as text.
    if (bytes.compare(0, 5, "{\\rtf") == 0) return 1;
    std::string copy = G_strWorkPath + "~kv40~.tmp";
    if (!kv::platform::WriteFileAtomically(copy, bytes)) return 0;
    kv::report::CRTF rtf;
    if (!rtf.Open(path)) return 0;
    if (!rtf.TransInTextFile(copy.c_str())) {
        rtf.Discard();
        return 0;
    }
    return rtf.Close();
}
