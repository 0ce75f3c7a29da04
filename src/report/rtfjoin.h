#pragma once
// Joins RTF documents into one book as RTF text, without reading them into a
// text model: pictures pass through as the bytes they are. The fonts and colours
// of every appended document are merged into the book's tables and renumbered,
// and each appended document keeps its own formats.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv::report {

class RtfJoiner {
public:
    // Starts the book with a whole RTF document, which keeps its header (page,
    // styles, tables) and its formats. False, and nothing started, when the bytes
    // are not RTF.
    bool Start(std::string_view rtf);
    // Appends a whole RTF document: it starts a paragraph of its own, and its last
    // paragraph is ended. False, and nothing appended, when the bytes are not RTF.
    bool Append(std::string_view rtf);
    // Appends text in 宋体 (GB2312) of `halfPoints`, colour 0xRRGGBB: "\n" ends a
    // paragraph, "\t" is a tab. Its paragraphs start with no formats of their own.
    void AppendText(std::string_view utf8, int halfPoints, std::uint32_t rgb);
    // The book as joined; the joiner is empty afterwards.
    std::string Finish();

    struct Font {
        int number = 0;
        std::string entry;  // the table entry without its "\fN"
    };

private:
    // Where the text stands: in a paragraph with something in it, just after a
    // paragraph mark (the paragraph it ended is the last one), or in an empty
    // paragraph that counts as one.
    enum class Para { Open, Closed, Empty };

    int FontNumber(const std::string& entry);
    int ColourIndex(const std::string& entry);
    int SongTiFont();

    bool started_ = false;
    std::string headBefore_;  // the first document's header up to its font table
    std::string headAfter_;   // the rest of its header, without font and colour tables
    std::string body_;
    int defaultFont_ = 0;
    std::vector<Font> fonts_;
    std::vector<std::string> colours_;
    Para para_ = Para::Empty;
};

}  // namespace kv::report
