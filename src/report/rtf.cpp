#include "report/rtf.h"

#include <exception>

#include "base/textio.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <unistd.h>

#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/textfile.h"

namespace kv::report {

namespace {

PictureMaker& Maker() {
    static PictureMaker maker;
    return maker;
}

void AppendUnicodeEscape(std::string& out, char32_t cp) {
    auto emit = [&out](unsigned v) {
        int n = v > 32767 ? static_cast<int>(v) - 65536 : static_cast<int>(v);
        out += "\\u" + std::to_string(n);
    };
    if (cp > 0xFFFF) {
        cp -= 0x10000;
        emit(0xD800 + (cp >> 10));
        out += '?';
        emit(0xDC00 + (cp & 0x3FF));
        out += '?';
        return;
    }
    emit(cp);
    out += '?';
}

std::string HexByte(unsigned char b) {
    static const char* digits = "0123456789abcdef";
    std::string s = "\\'";
    s += digits[b >> 4];
    s += digits[b & 15];
    return s;
}

// GBK bytes of a text as \'hh escapes (for the font table).
std::string GbkEscape(const std::string& utf8) {
    std::string gbk = kv::platform::Utf8ToGbkLossy(utf8);
    std::string out;
    for (unsigned char b : gbk) {
        if (b >= 0x80) out += HexByte(b);
        else if (b == '\\' || b == '{' || b == '}') (out += '\\') += static_cast<char>(b);
        else out += static_cast<char>(b);
    }
    return out;
}

int MmToTwips(double mm) { return static_cast<int>(std::lround(mm * 1440.0 / 25.4)); }

const char* const kFaces[] = {"宋体", "黑体", "楷体", "仿宋"};

// Greek letters as the Symbol font places them on Latin keys.
std::string GreekOf(char c) {
    static const char* lower[26] = {"α", "β", "χ", "δ", "ε", "φ", "γ", "η", "ι", "ϕ", "κ", "λ", "μ",
                                    "ν", "ο", "π", "θ", "ρ", "σ", "τ", "υ", "ϖ", "ω", "ξ", "ψ", "ζ"};
    static const char* upper[26] = {"Α", "Β", "Χ", "Δ", "Ε", "Φ", "Γ", "Η", "Ι", "ϑ", "Κ", "Λ", "Μ",
                                    "Ν", "Ο", "Π", "Θ", "Ρ", "Σ", "Τ", "Υ", "ς", "Ω", "Ξ", "Ψ", "Ζ"};
    if (c >= 'a' && c <= 'z') return lower[c - 'a'];
    if (c >= 'A' && c <= 'Z') return upper[c - 'A'];
    return std::string(1, c);
}

bool IsAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

PictureMaker SetPictureMaker(PictureMaker maker) {
    PictureMaker old = std::move(Maker());
    Maker() = std::move(maker);
    return old;
}

bool MakePicture(const std::string& dxfPath, int widthMm, int heightMm, std::string& pngBytes) {
    pngBytes.clear();
    if (!Maker()) return false;
    if (!Maker()(dxfPath, widthMm, heightMm, pngBytes)) return false;
    int w = 0, h = 0;
    return PngSize(pngBytes, w, h);
}

bool PngSize(const std::string& png, int& width, int& height) {
    static const unsigned char sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 24 || !std::equal(sig, sig + 8, reinterpret_cast<const unsigned char*>(png.data())) ||
        png.compare(12, 4, "IHDR") != 0)
        return false;
    auto be32 = [&png](std::size_t at) {
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(png[at + k]);
        return v;
    };
    std::uint32_t w = be32(16), h = be32(20);
    if (w == 0 || h == 0 || w > 100000 || h > 100000) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

std::uint32_t ColourOfIndex(int index) {
    switch (index) {
        case 2: return WinRGB(0, 0, 255);      // passed, explanations
        case 3: return WinRGB(0, 128, 0);
        case 4: return WinRGB(0, 128, 128);
        case 5: return WinRGB(255, 0, 255);    // warning
        case 6: return WinRGB(255, 0, 0);      // failure
        case 7: return WinRGB(0, 55, 111);
        case 8: return WinRGB(128, 128, 128);
        case 9: return WinRGB(128, 64, 0);
        default: return WinRGB(0, 0, 0);
    }
}

const char* FontFace(int index) {
    if (index < 0 || index > 3) index = 0;
    return kFaces[index];
}

std::string RtfEscape(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            if (c == '\\' || c == '{' || c == '}') (out += '\\') += static_cast<char>(c);
            else if (c == '\t') out += "\\tab ";
            else if (c >= 0x20 && c != 0x7f) out += static_cast<char>(c);
            ++i;
            continue;
        }
        std::size_t len = 0;
        char32_t cp = kv::platform::DecodeUtf8At(utf8, i, len);
        AppendUnicodeEscape(out, cp);
        i += len;
    }
    return out;
}

CRTF::CRTF() {
    for (int k = 1; k <= 9; ++k) colours_.push_back(ColourOfIndex(k));
}

CRTF::~CRTF() {
    // A report cut short by an exception is not put in place of the last good one.
    if (open_ && std::uncaught_exceptions() > exceptionsAtOpen_) Discard();
    if (open_) Close();
}

int CRTF::Open(const char* path) {
    if (open_) Close();
    if (!path || !*path) return 0;
    std::string target = kv::platform::ResolveForWrite(path);
    std::string folder = kv::platform::FolderOf(target);
    if (!folder.empty() && !kv::platform::DirectoryExists(folder)) return 0;
    if (::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0) return 0;
    if (kv::platform::FileExists(target) && ::access(target.c_str(), W_OK) != 0) return 0;
    path_ = target;
    body_.clear();
    style_ = Style{};
    saved_.clear();
    paragraphOpen_ = false;
    hangingCells_ = 0;
    lastFormat_.reset();
    open_ = true;
    exceptionsAtOpen_ = std::uncaught_exceptions();
    return 1;
}

int CRTF::Close() {
    if (!open_) return 0;
    if (paragraphOpen_) EndParagraph();
    open_ = false;
    return kv::platform::WriteFileAtomically(path_, Rtf()) ? 1 : 0;
}

std::string CRTF::Rtf() const {
    std::string out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052\\uc1\n{\\fonttbl";
    for (int k = 0; k < 4; ++k)
        out += "{\\f" + std::to_string(k) + (k == 0 ? "\\fmodern\\fprq1" : "\\fnil") + "\\fcharset134 " +
               GbkEscape(kFaces[k]) + ";}";
    out += "}\n{\\colortbl;";
    for (std::uint32_t c : colours_)
        out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
               std::to_string((c >> 16) & 0xFF) + ";";
    out += "}\n\\paperw" + std::to_string(kPageWidthTwips) + "\\paperh" + std::to_string(kPageHeightTwips) +
           "\\margl1440\\margr1440\\margt1440\\margb1440\\deftab840\n";
    if (paragraphOpen_) {
        std::string body = body_;
        body.insert(paragraphStart_ + 5, ParagraphProps());
        out += body + "\\par\n";
    } else {
        out += body_;
    }
    out += "}\n";
    return out;
}

int CRTF::ColourSlot(std::uint32_t colour) {
    colour &= 0xFFFFFF;
    auto it = std::find(colours_.begin(), colours_.end(), colour);
    if (it != colours_.end()) return static_cast<int>(it - colours_.begin()) + 1;
    colours_.push_back(colour);
    return static_cast<int>(colours_.size());
}

CRTF::RunFormat CRTF::BaseFormat() const {
    // Slot k holds colour number k for the nine fixed colours.
    int slot = baseColourSlot_ ? baseColourSlot_ : (style_.colour >= 1 && style_.colour <= 9) ? style_.colour : 1;
    return {style_.font, style_.halfPoints, slot, style_.bold, style_.italic, style_.underline, Script::None};
}

void CRTF::SetCurTextStyle(int font, int halfPoints, int colour, int bold, int italic, int underline) {
    style_.font = (font >= 0 && font <= 3) ? font : 0;
    style_.halfPoints = std::clamp(halfPoints, 2, 400);
    style_.colour = colour;
    style_.bold = bold != 0;
    style_.italic = italic != 0;
    style_.underline = underline != 0;
}

void CRTF::SetCurLeftMargin(int cells) { style_.leftCells = std::max(0, cells); }

void CRTF::Push_ENV() { saved_.push_back(style_); }

void CRTF::Pop_ENV() {
    if (saved_.empty()) return;
    style_ = saved_.back();
    saved_.pop_back();
}

void CRTF::EmitParagraphStart() {
    if (paragraphOpen_) return;
    paragraphOpen_ = true;
    hangingCells_ = 0;
    lastFormat_.reset();
    // The indent goes in when the paragraph ends: a hanging indent may still come.
    paragraphStart_ = body_.size();
    paragraphLeft_ = style_.leftCells * CellTwips(style_.halfPoints);
    paragraphCell_ = CellTwips(style_.halfPoints);
    body_ += "\\pard";
}

std::string CRTF::ParagraphProps() const {
    if (hangingCells_ <= 0) return "\\li" + std::to_string(paragraphLeft_) + " ";
    int hang = hangingCells_ * paragraphCell_;
    return "\\li" + std::to_string(paragraphLeft_ + hang) + "\\fi-" + std::to_string(hang) + " ";
}

void CRTF::EndParagraph() {
    EmitParagraphStart();
    if (!lastFormat_) {
        // An empty paragraph keeps the height of the current style.
        RunFormat f = BaseFormat();
        body_ += "\\plain\\f" + std::to_string(f.font) + "\\fs" + std::to_string(f.halfPoints) + " ";
    }
    body_.insert(paragraphStart_ + 5, ParagraphProps());
    body_ += "\\par\n";
    paragraphOpen_ = false;
    hangingCells_ = 0;
    lastFormat_.reset();
}

void CRTF::EmitText(const std::string& utf8, const RunFormat& f) {
    if (utf8.empty()) return;
    EmitParagraphStart();
    if (!lastFormat_ || !(*lastFormat_ == f)) {
        body_ += "\\plain\\f" + std::to_string(f.font) + "\\fs" + std::to_string(f.halfPoints) + "\\cf" +
                 std::to_string(f.colourSlot);
        if (f.bold) body_ += "\\b";
        if (f.italic) body_ += "\\i";
        if (f.underline) body_ += "\\ul";
        if (f.script == Script::Sub) body_ += "\\sub";
        if (f.script == Script::Super) body_ += "\\super";
        body_ += ' ';
        lastFormat_ = f;
    }
    body_ += RtfEscape(utf8);
}

void CRTF::AppendMarkup(const std::string& text, bool formula) {
    RunFormat format = BaseFormat();
    std::string run;
    auto flush = [&] {
        EmitText(run, format);
        run.clear();
    };
    auto setScript = [&](Script s) {
        if (format.script == s) return;
        flush();
        format.script = s;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n') {
            flush();
            if (inCell_) body_ += "\\line ";
            else EndParagraph();
            format.script = Script::None;  // a missing "~" ends with the line
            continue;
        }
        if (c == '\x01' || c == '\x02') {
            if (i + 2 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1])) &&
                std::isdigit(static_cast<unsigned char>(text[i + 2]))) {
                int n = (text[i + 1] - '0') * 10 + (text[i + 2] - '0');
                flush();
                if (c == '\x01') format.colourSlot = n == 1 ? BaseFormat().colourSlot : ColourSlot(ColourOfIndex(n));
                else hangingCells_ = n;
                i += 2;
            }
            continue;
        }
        if (c == '`') {
            setScript(Script::Sub);
            continue;
        }
        if (c == '^') {
            setScript(Script::Super);
            continue;
        }
        if (c == '~') {
            if (format.script != Script::None) {
                setScript(Script::None);
                continue;
            }
            run += c;
            continue;
        }
        if (formula && format.script != Script::None && !IsAlnum(c)) setScript(Script::None);
        run += c;
    }
    flush();
}

int CRTF::InsertText(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    int r = InsertTextV(format, args);
    va_end(args);
    return r;
}

int CRTF::InsertTextV(const char* format, std::va_list args) {
    if (!open_ || !format) return 0;
    std::va_list copy;
    va_copy(copy, args);
    std::string text = vsprintf_gbk(format, copy);
    va_end(copy);
    return InsertPlain(text);
}

int CRTF::InsertPlain(const std::string& text) {
    if (!open_) return 0;
    AppendMarkup(text, false);
    return 1;
}

int CRTF::InsertLiteral(const std::string& text) {
    if (!open_) return 0;
    RunFormat f = BaseFormat();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        EmitText(text.substr(start, end == std::string::npos ? std::string::npos : end - start), f);
        if (end == std::string::npos) break;
        EndParagraph();
        start = end + 1;
    }
    return 1;
}

int CRTF::InsertPicture(const std::string& png, int widthMm, int heightMm) {
    int pw = 0, ph = 0;
    if (!open_ || !PngSize(png, pw, ph) || widthMm <= 0 || heightMm <= 0) return 0;
    // Fit inside the box, proportions kept.
    double scale = std::min(static_cast<double>(widthMm) / pw, static_cast<double>(heightMm) / ph);
    EmitParagraphStart();
    std::string pict = "{\\pict\\pngblip\\picw" + std::to_string(pw) + "\\pich" + std::to_string(ph) +
                       "\\picwgoal" + std::to_string(MmToTwips(pw * scale)) + "\\pichgoal" +
                       std::to_string(MmToTwips(ph * scale)) + "\n";
    static const char* digits = "0123456789abcdef";
    for (std::size_t k = 0; k < png.size(); ++k) {
        auto b = static_cast<unsigned char>(png[k]);
        pict += digits[b >> 4];
        pict += digits[b & 15];
        if (k % 64 == 63) pict += '\n';
    }
    pict += "}";
    body_ += pict;
    lastFormat_.reset();
    return 1;
}

int CRTF::InsertDXF(const char* dxfPath, int widthMm, int heightMm) {
    if (!open_ || !dxfPath) return 0;
    std::string path = kv::platform::ResolveExisting(dxfPath);
    if (path.empty()) return 0;
    std::string png;
    if (!MakePicture(path, widthMm, heightMm, png)) return 0;
    return InsertPicture(png, widthMm, heightMm);
}

int CRTF::InsertTable(const ReportTable& table, int indentCells, int widthPercent, int boldFirstColumn,
                      int boldFirstRow, int borders) {
    if (!open_) return 0;
    std::size_t columns = table.columnWidths.size();
    for (const auto& row : table.rows) columns = std::max(columns, row.size());
    if (columns == 0 || table.rows.empty()) return 0;
    // A table starts on a line of its own; a line with anything on it (a picture
    // too) is ended, not dropped.
    if (paragraphOpen_) {
        if (body_.size() > paragraphStart_ + 5) EndParagraph();
        else {
            body_.erase(paragraphStart_);
            paragraphOpen_ = false;
        }
    }
    int cell = CellTwips(style_.halfPoints);
    int left = (style_.leftCells + std::max(0, indentCells)) * cell;
    int width = (kTextWidthTwips - left) * std::clamp(widthPercent, 1, 100) / 100;
    std::vector<double> weights(columns, 1.0);
    double total = 0;
    for (std::size_t k = 0; k < columns; ++k) {
        if (k < table.columnWidths.size() && table.columnWidths[k] > 0) weights[k] = table.columnWidths[k];
        else if (!table.columnWidths.empty()) weights[k] = 0;
        total += weights[k];
    }
    if (total <= 0) {
        std::fill(weights.begin(), weights.end(), 1.0);
        total = static_cast<double>(columns);
    }
    static const char* border = "\\brdrs\\brdrw10 ";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        std::string head = "\\trowd\\trgaph55\\trleft" + std::to_string(left);
        double edge = left;
        for (std::size_t k = 0; k < columns; ++k) {
            if (borders) {
                head += std::string("\\clbrdrt") + border + "\\clbrdrl" + border + "\\clbrdrb" + border +
                        "\\clbrdrr" + border;
            }
            if (k < row.size() && row[k].fillColour) head += "\\clcbpat" + std::to_string(ColourSlot(*row[k].fillColour));
            edge += width * weights[k] / total;
            head += "\\cellx" + std::to_string(static_cast<int>(std::lround(edge)));
        }
        body_ += head + "\n";
        for (std::size_t k = 0; k < columns; ++k) {
            const ReportCell* c = k < row.size() ? &row[k] : nullptr;
            int align = c ? c->align : 0;
            body_ += std::string("\\pard\\intbl") + (align == 1 ? "\\qc" : align == 2 ? "\\qr" : "\\ql") + " ";
            Style keep = style_;
            if ((boldFirstRow && r == 0) || (boldFirstColumn && k == 0)) style_.bold = true;
            // A cell colour stands for the style colour within the cell.
            if (c && c->textColour) baseColourSlot_ = ColourSlot(*c->textColour);
            paragraphOpen_ = true;  // the cell is the paragraph
            inCell_ = true;
            lastFormat_.reset();
            if (c) AppendMarkup(c->text, false);
            inCell_ = false;
            paragraphOpen_ = false;
            baseColourSlot_ = 0;
            style_ = keep;
            body_ += "\\cell\n";
        }
        body_ += "\\row\n";
    }
    body_ += "\\pard\n";
    lastFormat_.reset();
    return 1;
}

namespace {

struct Piece {
    std::string text;
    int script;  // 0 none, 1 sub, 2 super
};

// Index of the ')' that closes the '(' at `open`, or npos.
std::size_t MatchParen(std::string_view s, std::size_t open) {
    int depth = 0;
    for (std::size_t k = open; k < s.size(); ++k) {
        if (s[k] == '(') ++depth;
        else if (s[k] == ')' && --depth == 0) return k;
    }
    return std::string_view::npos;
}

// Splits the arguments of mark(...) at the commas outside parentheses.
std::vector<std::string_view> SplitArgs(std::string_view s) {
    std::vector<std::string_view> out;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t k = 0; k < s.size(); ++k) {
        if (s[k] == '(') ++depth;
        else if (s[k] == ')') --depth;
        else if (s[k] == ',' && depth == 0) {
            out.push_back(s.substr(start, k - start));
            start = k + 1;
        }
    }
    out.push_back(s.substr(start));
    return out;
}

void FormulaPieces(std::string_view s, int base, std::vector<Piece>& out) {
    int script = base;
    auto add = [&](const std::string& t, int sc) {
        if (!out.empty() && out.back().script == sc) out.back().text += t;
        else out.push_back({t, sc});
    };
    auto starts = [&](std::size_t i, std::string_view w) { return s.substr(i, w.size()) == w; };
    for (std::size_t i = 0; i < s.size();) {
        char c = s[i];
        if (starts(i, "Greek(") && i + 7 < s.size() + 1) {
            std::size_t close = MatchParen(s, i + 5);
            if (close != std::string_view::npos && close > i + 6) {
                add(GreekOf(s[i + 6]), script);
                i = close + 1;
                continue;
            }
        }
        if (starts(i, "mark(")) {
            std::size_t close = MatchParen(s, i + 4);
            if (close != std::string_view::npos) {
                auto args = SplitArgs(s.substr(i + 5, close - i - 5));
                FormulaPieces(args[0], script, out);
                if (args.size() > 1) FormulaPieces(args[1], 1, out);
                if (args.size() > 2) FormulaPieces(args[2], 2, out);
                i = close + 1;
                continue;
            }
        }
        if (starts(i, "sqr(")) {
            std::size_t close = MatchParen(s, i + 3);
            if (close != std::string_view::npos) {
                add("√(", script);
                FormulaPieces(s.substr(i + 4, close - i - 4), script, out);
                add(")", script);
                i = close + 1;
                continue;
            }
        }
        if (c == '`' || c == '^') {
            script = c == '`' ? 1 : 2;
            ++i;
            continue;
        }
        if (c == '~') {
            script = base;
            ++i;
            continue;
        }
        if (script != base && !IsAlnum(c)) script = base;
        if (starts(i, ">=")) {
            add("≥", script);
            i += 2;
        } else if (starts(i, "<=")) {
            add("≤", script);
            i += 2;
        } else if (c == '*') {
            add("×", script);
            ++i;
        } else {
            add(std::string(1, c), script);
            ++i;
        }
    }
}

}  // namespace

int CRTF::InsertFormula(const char* formula) {
    if (!open_ || !formula) return 0;
    std::vector<Piece> pieces;
    std::string text(formula);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    FormulaPieces(text, 0, pieces);
    RunFormat f = BaseFormat();
    for (const auto& p : pieces) {
        f.script = p.script == 1 ? Script::Sub : p.script == 2 ? Script::Super : Script::None;
        EmitText(p.text, f);
    }
    EndParagraph();
    return 1;
}

int CRTF::TransInTextFile(const char* path) {
    if (!open_ || !path) return 0;
    std::string text;
    if (!kv::platform::ReadTextFile(path, text)) return 0;
    InsertLiteral(text);
    if (paragraphOpen_) EndParagraph();  // the last line, with or without its line end
    return 1;
}

}  // namespace kv::report
