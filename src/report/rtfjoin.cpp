#include "report/rtfjoin.h"

#include "report/rtf.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <map>
#include <utility>

namespace kv::report {

namespace {

struct Token {
    enum Kind { Open, Close, Word, Symbol, Text, End } kind = End;
    std::size_t begin = 0, end = 0;  // its bytes; a word's delimiting space included
    std::string_view word;           // a word's letters, or a symbol's character
    bool hasParam = false;
    long param = 0;
    bool spaced = false;  // a space ended the word
};

// RTF tokens. Text comes in runs; "\binN" takes its N bytes along.
class Scanner {
public:
    Scanner(std::string_view s, std::size_t at) : s_(s), pos_(at) {}

    Token Next() {
        Token t;
        t.begin = pos_;
        const std::size_t n = s_.size();
        if (pos_ >= n) {
            t.end = pos_;
            return t;
        }
        const char c = s_[pos_];
        if (c == '{' || c == '}') {
            t.kind = c == '{' ? Token::Open : Token::Close;
            ++pos_;
        } else if (c != '\\') {
            t.kind = Token::Text;
            while (pos_ < n && s_[pos_] != '\\' && s_[pos_] != '{' && s_[pos_] != '}') ++pos_;
        } else if (++pos_ < n && std::isalpha(static_cast<unsigned char>(s_[pos_]))) {
            t.kind = Token::Word;
            const std::size_t w = pos_;
            while (pos_ < n && std::isalpha(static_cast<unsigned char>(s_[pos_]))) ++pos_;
            t.word = s_.substr(w, pos_ - w);
            const bool negative = pos_ + 1 < n && s_[pos_] == '-' && std::isdigit(static_cast<unsigned char>(s_[pos_ + 1]));
            if (negative) ++pos_;
            while (pos_ < n && std::isdigit(static_cast<unsigned char>(s_[pos_]))) {
                t.hasParam = true;
                t.param = std::min(t.param * 10 + (s_[pos_] - '0'), 1000000000L);
                ++pos_;
            }
            if (negative) t.param = -t.param;
            if (pos_ < n && s_[pos_] == ' ') {
                t.spaced = true;
                ++pos_;
            }
            if (t.word == "bin" && t.param > 0) pos_ = std::min(n, pos_ + static_cast<std::size_t>(t.param));
        } else {
            t.kind = Token::Symbol;
            t.word = s_.substr(std::min(pos_, n), pos_ < n ? 1 : 0);
            if (pos_ < n) pos_ += s_[pos_] == '\'' ? 3 : 1;
            pos_ = std::min(pos_, n);
        }
        t.end = pos_;
        return t;
    }
    std::size_t Pos() const { return pos_; }

private:
    std::string_view s_;
    std::size_t pos_;
};

bool Is(std::string_view word, std::initializer_list<std::string_view> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

// Words of a document's opening that belong to the document, not to its text.
bool IsDocumentWord(std::string_view w) {
    return Is(w, {"rtf", "ansi", "mac", "pc", "pca", "ansicpg", "deff", "adeff", "deflang", "deflangfe", "adeflang",
                  "stshfdbch", "stshfloch", "stshfhich", "stshfbi", "fet", "paperw", "paperh", "margl", "margr", "margt",
                  "margb", "gutter", "landscape", "deftab", "viewkind", "viewscale", "viewzk", "facingp", "margmirror",
                  "psz", "formshade", "hyphauto", "hyphhotz", "hyphconsec", "hyphcaps", "ftnbj", "aenddoc", "widowctrl"});
}

// Groups of a document's header.
bool IsHeaderGroup(std::string_view w) {
    return Is(w, {"fonttbl", "colortbl", "stylesheet", "info", "filetbl", "revtbl", "listtable", "listoverridetable",
                  "rsidtbl", "pgdsctbl", "generator", "xmlnstbl"});
}

// Groups whose text is not part of the document's text.
bool IsHiddenGroup(std::string_view w) {
    return IsHeaderGroup(w) || Is(w, {"fldinst", "header", "headerl", "headerr", "headerf", "footer", "footerl",
                                      "footerr", "footerf", "footnote", "annotation", "pntext", "pntxta", "pntxtb",
                                      "listtext", "nonshppict", "xe", "tc", "bkmkstart", "bkmkend"});
}

bool IsFontWord(std::string_view w) { return w == "f" || w == "af"; }

bool IsColourWord(std::string_view w) {
    return Is(w, {"cf", "cb", "highlight", "chcbpat", "chcfpat", "cbpat", "cfpat", "clcbpat", "clcfpat", "clcbpatraw",
                  "clcfpatraw", "trcbpat", "trcfpat", "brdrcf", "ulc"});
}

// References to the style and list tables, which an appended document leaves
// behind: its text keeps the formats written with it.
bool IsStyleWord(std::string_view w) { return Is(w, {"s", "cs", "ds", "ts", "ls", "ilvl"}); }

bool IsContentWord(std::string_view w) {
    return Is(w, {"u", "tab", "line", "emdash", "endash", "bullet", "lquote", "rquote", "ldblquote", "rdblquote",
                  "emspace", "enspace", "qmspace", "zwj", "zwnj"});
}

bool IsParagraphEnd(std::string_view w) { return Is(w, {"par", "sect", "page", "row"}); }

// Words that start a document's text rather than settle its header.
bool IsTextWord(std::string_view w) {
    return IsFontWord(w) || IsColourWord(w) || IsStyleWord(w) || IsContentWord(w) || IsParagraphEnd(w) ||
           Is(w, {"pard", "plain", "sectd"});
}

// The end of the group that starts at `open` (its closing brace included); the
// end of the bytes when it is never closed.
std::size_t GroupEnd(std::string_view s, std::size_t open) {
    Scanner scan(s, open);
    int depth = 0;
    for (Token t = scan.Next(); t.kind != Token::End; t = scan.Next()) {
        if (t.kind == Token::Open) ++depth;
        if (t.kind == Token::Close && --depth == 0) return t.end;
    }
    return s.size();
}

// The first word of the group opening at `open`, and whether it is marked "\*".
std::pair<std::string_view, bool> GroupWord(std::string_view s, std::size_t open) {
    Scanner scan(s, open + 1);
    Token t = scan.Next();
    bool starred = false;
    if (t.kind == Token::Symbol && t.word == "*") {
        starred = true;
        t = scan.Next();
    }
    return {t.kind == Token::Word ? t.word : std::string_view(), starred};
}

std::string Trimmed(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

// Entries of a font table group: "{\fonttbl{\f0\fnil Arial;}...}", or the old
// form without the inner groups.
std::vector<RtfJoiner::Font> ReadFonts(std::string_view s, std::size_t open, std::size_t end) {
    std::vector<RtfJoiner::Font> fonts;
    Scanner scan(s, open + 1);
    scan.Next();  // \fonttbl
    auto entry = [&](std::size_t from, std::size_t to) {
        // The entry's text without its "\fN".
        Scanner inner(s, from);
        RtfJoiner::Font font;
        std::string text;
        std::size_t copied = from;
        bool numbered = false;
        for (Token t = inner.Next(); t.kind != Token::End && t.begin < to; t = inner.Next()) {
            if (!numbered && t.kind == Token::Word && t.word == "f") {
                font.number = static_cast<int>(t.param);
                text.append(s.substr(copied, t.begin - copied));
                copied = t.end;
                numbered = true;
            }
        }
        text.append(s.substr(copied, to - copied));
        font.entry = Trimmed(text);
        if (numbered) fonts.push_back(std::move(font));
    };
    std::size_t bare = std::string_view::npos;  // start of an entry of the old form
    for (Token t = scan.Next(); t.kind != Token::End && t.end < end; t = scan.Next()) {
        if (t.kind == Token::Open) {
            const std::size_t close = GroupEnd(s, t.begin);
            entry(t.begin + 1, close - 1);
            scan = Scanner(s, close);
        } else if (t.kind == Token::Word && t.word == "f") {
            bare = t.begin;
        } else if (t.kind == Token::Text && bare != std::string_view::npos) {
            const std::size_t semicolon = s.substr(0, t.end).find(';', t.begin);
            if (semicolon != std::string_view::npos) {
                entry(bare, semicolon + 1);
                bare = std::string_view::npos;
            }
        }
    }
    return fonts;
}

// Entries of a colour table group: "\red255\green0\blue0", "" for the automatic one.
std::vector<std::string> ReadColours(std::string_view s, std::size_t open, std::size_t end) {
    std::vector<std::string> colours;
    Scanner scan(s, open + 1);
    scan.Next();  // \colortbl
    std::string entry;
    for (Token t = scan.Next(); t.kind != Token::End && t.end < end; t = scan.Next()) {
        if (t.kind == Token::Word) {
            entry += "\\" + std::string(t.word) + (t.hasParam ? std::to_string(t.param) : "");
        } else if (t.kind == Token::Text) {
            for (std::size_t k = t.begin; k < t.end; ++k)
                if (s[k] == ';') colours.push_back(std::exchange(entry, {}));
        }
    }
    return colours;
}

// What a document's opening holds: its tables, its default font, where its
// header groups lie and where its text begins.
struct Header {
    bool rtf = false;
    int defaultFont = 0;
    int uc = 1;  // the fallback bytes of a "\u", as the header sets them
    std::vector<RtfJoiner::Font> fonts;
    std::vector<std::string> colours;
    std::vector<std::pair<std::size_t, std::size_t>> tables;  // font and colour table groups
    std::size_t firstGroup = std::string_view::npos;          // the first header group
    std::size_t bodyBegin = 0;
};

Header ReadHeader(std::string_view s) {
    Header h;
    if (s.substr(0, 5) != "{\\rtf") return h;
    h.rtf = true;
    Scanner scan(s, 1);
    // Words of other kinds may stand in front of the tables ("\uc1", "\nouicompat"):
    // they are the header's when a header group follows, else the text starts there.
    std::size_t firstOther = std::string_view::npos;
    auto text = [&](std::size_t at) {
        h.bodyBegin = h.firstGroup == std::string_view::npos ? std::min(at, firstOther) : at;
        if (h.firstGroup == std::string_view::npos) h.uc = 1;
        return h;
    };
    for (Token t = scan.Next();; t = scan.Next()) {
        if (t.kind == Token::End || t.kind == Token::Close) return text(t.begin);
        if (t.kind == Token::Word && IsDocumentWord(t.word)) {
            if (t.word == "deff") h.defaultFont = static_cast<int>(t.param);
            continue;
        }
        if (t.kind == Token::Word && h.firstGroup == std::string_view::npos && !IsTextWord(t.word)) {
            firstOther = std::min(firstOther, t.begin);
            if (t.word == "uc" && t.hasParam) h.uc = static_cast<int>(std::clamp(t.param, 0L, 10L));
            continue;
        }
        if (t.kind == Token::Text && Trimmed(s.substr(t.begin, t.end - t.begin)).empty()) continue;
        if (t.kind != Token::Open) return text(t.begin);
        auto [word, starred] = GroupWord(s, t.begin);
        if ((!starred || word == "shppict") && !IsHeaderGroup(word)) return text(t.begin);
        const std::size_t end = GroupEnd(s, t.begin);
        if (h.firstGroup == std::string_view::npos) h.firstGroup = t.begin;
        if (word == "fonttbl") {
            h.fonts = ReadFonts(s, t.begin, end);
            h.tables.emplace_back(t.begin, end);
        } else if (word == "colortbl") {
            h.colours = ReadColours(s, t.begin, end);
            h.tables.emplace_back(t.begin, end);
        }
        scan = Scanner(s, end);
    }
}

// How the text of a document ends.
struct Ending {
    bool any = false;   // it has text or pictures
    bool open = false;  // something follows its last paragraph mark
};

// Copies the document's text (from `h.bodyBegin` to its closing brace) to `out`,
// `word` deciding the replacement of each control word (nullptr: copied as it is).
// Groups that `drop` names are left out.
template <typename Rewrite, typename Drop>
Ending CopyBody(std::string_view s, const Header& h, std::string& out, Rewrite&& rewrite, Drop&& drop) {
    Ending ending;
    Scanner scan(s, h.bodyBegin);
    std::vector<bool> hidden{false};
    std::size_t copied = h.bodyBegin;
    auto copyTo = [&](std::size_t at) {
        out.append(s.substr(copied, at - copied));
        copied = at;
    };
    auto content = [&] {
        if (hidden.back()) return;
        ending.any = true;
        ending.open = true;
    };
    for (Token t = scan.Next(); t.kind != Token::End; t = scan.Next()) {
        switch (t.kind) {
            case Token::Open: {
                auto [word, starred] = GroupWord(s, t.begin);
                if (drop(hidden.size(), word, starred)) {
                    copyTo(t.begin);
                    copied = GroupEnd(s, t.begin);
                    scan = Scanner(s, copied);
                    break;
                }
                const bool pict = word == "pict";
                hidden.push_back(hidden.back() || (starred && word != "shppict") || IsHiddenGroup(word));
                if (pict) {
                    content();
                    hidden.back() = true;  // its bytes are no text
                }
                break;
            }
            case Token::Close:
                hidden.pop_back();
                if (hidden.empty()) {
                    copyTo(t.begin);
                    return ending;
                }
                break;
            case Token::Text:
                for (std::size_t k = t.begin; k < t.end; ++k)
                    if (s[k] != '\r' && s[k] != '\n') {
                        content();
                        break;
                    }
                break;
            case Token::Symbol:
                if (t.word != "*" && t.word != "\r" && t.word != "\n") content();
                if ((t.word == "\r" || t.word == "\n") && !hidden.back()) ending.open = false;
                break;
            case Token::Word: {
                if (IsContentWord(t.word)) content();
                if (IsParagraphEnd(t.word) && !hidden.back()) ending.open = false;
                const std::string* replacement = rewrite(t, hidden.size());
                if (replacement) {
                    copyTo(t.begin);
                    out += *replacement;
                    copied = t.end;
                }
                break;
            }
            case Token::End: break;
        }
    }
    // A document cut short: its open groups are closed, so that what follows it
    // stays outside them.
    copyTo(s.size());
    out.append(hidden.size() - 1, '}');
    return ending;
}

std::string ControlWord(std::string_view word, long param, bool spaced) {
    return "\\" + std::string(word) + std::to_string(param) + (spaced ? " " : "");
}

// 宋体 in the GBK bytes a font table holds them.
constexpr std::string_view kSongTi = "\\'cb\\'ce\\'cc\\'e5;";

}  // namespace

int RtfJoiner::FontNumber(const std::string& entry) {
    for (const Font& f : fonts_)
        if (f.entry == entry) return f.number;
    int next = 0;
    for (const Font& f : fonts_) next = std::max(next, f.number + 1);
    fonts_.push_back({next, entry});
    return next;
}

int RtfJoiner::ColourIndex(const std::string& entry) {
    auto it = std::find(colours_.begin(), colours_.end(), entry);
    if (it != colours_.end()) return static_cast<int>(it - colours_.begin());
    colours_.push_back(entry);
    return static_cast<int>(colours_.size()) - 1;
}

int RtfJoiner::SongTiFont() {
    for (const Font& f : fonts_) {
        std::string lower = f.entry;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        if (lower.find("\\fcharset134") != std::string::npos && lower.ends_with(kSongTi)) return f.number;
    }
    return FontNumber("\\fnil\\fcharset134 " + std::string(kSongTi));
}

bool RtfJoiner::Start(std::string_view rtf) {
    Header h = ReadHeader(rtf);
    if (!h.rtf) return false;
    started_ = true;
    defaultFont_ = h.defaultFont;
    fonts_ = h.fonts;
    colours_ = h.colours;
    // Entry 0 is the automatic colour to readers: nothing merged may take it.
    if (colours_.empty()) colours_.push_back({});
    // The merged tables go where the font table was (or the first header group).
    std::size_t tablesAt = !h.tables.empty() ? h.tables.front().first
                           : h.firstGroup != std::string_view::npos ? h.firstGroup
                                                                     : h.bodyBegin;
    headBefore_.clear();
    headAfter_.clear();
    std::size_t copied = 0;
    for (const auto& [begin, end] : h.tables) {
        (begin <= tablesAt ? headBefore_ : headAfter_).append(rtf.substr(copied, begin - copied));
        copied = end;
    }
    if (copied <= tablesAt) {
        headBefore_.append(rtf.substr(copied, tablesAt - copied));
        copied = tablesAt;
    }
    headAfter_.append(rtf.substr(copied, h.bodyBegin - copied));
    body_.clear();
    const Ending ending = CopyBody(
        rtf, h, body_, [](const Token&, std::size_t) -> const std::string* { return nullptr; },
        [](std::size_t, std::string_view, bool) { return false; });
    para_ = !ending.any ? Para::Empty : ending.open ? Para::Open : Para::Closed;
    return true;
}

bool RtfJoiner::Append(std::string_view rtf) {
    Header h = ReadHeader(rtf);
    if (!h.rtf) return false;
    if (!started_) return Start(rtf);

    std::map<int, int> fontMap;
    for (const Font& f : h.fonts) fontMap[f.number] = FontNumber(f.entry);
    std::vector<int> colourMap;
    for (const std::string& c : h.colours) colourMap.push_back(ColourIndex(c));
    const auto known = fontMap.find(h.defaultFont);
    const int defaultFont = known != fontMap.end() ? known->second : defaultFont_;

    std::string replacement;
    auto rewrite = [&](const Token& t, std::size_t depth) -> const std::string* {
        if (IsFontWord(t.word) && t.hasParam) {
            auto it = fontMap.find(static_cast<int>(t.param));
            replacement = ControlWord(t.word, it != fontMap.end() ? it->second : defaultFont, t.spaced);
        } else if (IsColourWord(t.word) && t.hasParam) {
            const bool listed = t.param >= 0 && t.param < static_cast<long>(colourMap.size());
            replacement = ControlWord(t.word, listed ? colourMap[static_cast<std::size_t>(t.param)] : 0, t.spaced);
        } else if (t.word == "plain") {
            // Its plain text is in its own default font, not the book's.
            replacement = "\\plain" + ControlWord("f", defaultFont, t.spaced);
        } else if (IsStyleWord(t.word) || (depth == 1 && IsDocumentWord(t.word))) {
            replacement.clear();
        } else {
            return nullptr;
        }
        return &replacement;
    };
    // Header groups, and the document's own marked groups, stay behind.
    auto drop = [](std::size_t depth, std::string_view word, bool starred) {
        return depth == 1 && ((starred && word != "shppict") || IsHeaderGroup(word));
    };

    const std::size_t before = body_.size();
    if (para_ == Para::Open) body_ += "\\par\n";
    body_ += "{\\pard\\plain" + ControlWord("uc", h.uc, false) + ControlWord("f", defaultFont, true);
    const Ending ending = CopyBody(rtf, h, body_, rewrite, drop);
    if (!ending.any) {
        body_.resize(before);  // nothing to show: no paragraph for it
        return true;
    }
    // Its last paragraph ends inside it, with its own paragraph formats.
    if (ending.open) body_ += "\\par";
    body_ += "}\n";
    para_ = Para::Closed;
    return true;
}

void RtfJoiner::AppendText(std::string_view utf8, int halfPoints, std::uint32_t rgb) {
    if (!started_) Start("{\\rtf1\\ansi\\ansicpg936\\deff0}");
    std::size_t k = 0;
    // Line ends before the text end the paragraph in front with its own formats.
    for (; k < utf8.size() && utf8[k] == '\n'; ++k) {
        if (para_ != Para::Closed) body_ += "\\par\n";
        para_ = Para::Empty;
    }
    if (k == utf8.size()) return;
    char colour[48];
    std::snprintf(colour, sizeof colour, "\\red%u\\green%u\\blue%u", (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    body_ += "{\\pard\\plain\\uc1" + ControlWord("f", SongTiFont(), false) + ControlWord("fs", halfPoints, false) +
             ControlWord("cf", ColourIndex(colour), true);
    std::size_t run = k;
    auto flush = [&](std::size_t at) {
        if (at > run) body_ += RtfEscape(std::string(utf8.substr(run, at - run)));
    };
    for (; k < utf8.size(); ++k) {
        if (utf8[k] != '\n') {
            para_ = Para::Open;
            continue;
        }
        flush(k);
        run = k + 1;
        body_ += "\\par\n";
        para_ = Para::Empty;
    }
    flush(k);
    body_ += "}\n";
}

std::string RtfJoiner::Finish() {
    if (!started_) return {};
    std::string head = headBefore_ + "{\\fonttbl";
    for (const Font& f : fonts_) head += "{" + ControlWord("f", f.number, true) + f.entry + "}";
    head += "}\n{\\colortbl";
    for (const std::string& c : colours_) head += c + ";";
    head += "}\n" + headAfter_;
    // The body is by far the larger part: it takes the header in front in place.
    std::string book = std::move(body_);
    book.insert(0, head);
    book += "}\n";
    *this = RtfJoiner();
    return book;
}

}  // namespace kv::report
