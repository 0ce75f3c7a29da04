#pragma once
// The report writer: builds an RTF book from printf-style texts with inline
// markup, formulas, tables and drawings.
//
// Markup inside InsertText texts:
//   `x~   subscript (runs to "~", or to the end of the line when "~" is missing)
//   ^x~   superscript
//   \x01 + two digits   text colour from the colour table (01 normal, 02 passed,
//                       05 warning, 06 failure); it holds to the end of the call
//   \x02 + two digits   wrapped lines of the paragraph hang at that many cells
// InsertFormula adds Greek(x), mark(base,sub,sup), sqr(...), and subscripts that
// end at the first character that is not a letter or digit.
//
// Chinese text is written as \uN escapes with one '?' as the fallback (\uc1),
// which every current reader takes; font names are GBK under \ansicpg936.
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv::report {

// Makes a PNG picture of the drawing in a DXF file, fitted inside widthMm x
// heightMm with the drawing's proportions kept. The drawing layer installs the
// real renderer; until then no picture can be made.
using PictureMaker =
    std::function<bool(const std::string& dxfPath, int widthMm, int heightMm, std::string& pngBytes)>;

// Installs the renderer and returns the one it replaces.
PictureMaker SetPictureMaker(PictureMaker maker);
// Runs the installed renderer; false when none is installed or it fails.
bool MakePicture(const std::string& dxfPath, int widthMm, int heightMm, std::string& pngBytes);

// Pixel size of a PNG picture; false when the bytes are not a PNG.
bool PngSize(const std::string& png, int& width, int& height);

// One cell of a report table. Colours are Windows colour values (0x00BBGGRR).
struct ReportCell {
    std::string text;
    std::optional<std::uint32_t> textColour;
    std::optional<std::uint32_t> fillColour;
    int align = 0;  // 0 left, 1 centre, 2 right
};

// A grid as it goes into a report: rows of cells and the relative column widths
// (the grid's own widths; equal columns when empty).
struct ReportTable {
    std::vector<int> columnWidths;
    std::vector<std::vector<ReportCell>> rows;
};

// Windows colour value of an RGB triple.
constexpr std::uint32_t WinRGB(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

// The colours that the \x01 switch and the style's colour number select.
std::uint32_t ColourOfIndex(int index);

// Faces of the style's font number.
const char* FontFace(int index);

// Twips per character cell of a font of `halfPoints` (a half-width character).
inline int CellTwips(int halfPoints) { return halfPoints * 5; }

// Page of the reports: A4 with one inch on every side.
inline constexpr int kPageWidthTwips = 11906;
inline constexpr int kPageHeightTwips = 16838;
inline constexpr int kMarginTwips = 1440;
inline constexpr int kTextWidthTwips = kPageWidthTwips - 2 * kMarginTwips;

class CRTF {
public:
    CRTF();
    // Closes the book; one left by an exception is discarded, keeping the old file.
    ~CRTF();
    CRTF(const CRTF&) = delete;
    CRTF& operator=(const CRTF&) = delete;

    // Starts a new book that Close writes to `path` (an existing file is replaced
    // as a whole, or not at all). Nonzero when the file can be written.
    int Open(const char* path);
    // Writes the book and ends it. Nonzero when the file was written; 0 when it
    // was not open or could not be written.
    int Close();
    bool IsOpen() const { return open_; }
    // Ends the book without writing anything; the file stays as it was.
    void Discard() { open_ = false; }

    // printf-style text with markup; "\n" ends a paragraph. Widths and precisions
    // of "%s" count columns, two for a Chinese character, as the report shows them.
    int InsertText(const char* format, ...) __attribute__((format(printf, 2, 3)));
    int InsertTextV(const char* format, std::va_list args);
    // The text as it stands (markup is still read, no printf conversion).
    int InsertPlain(const std::string& text);
    // The text word for word: no markup, "\n" still ends a paragraph.
    int InsertLiteral(const std::string& text);

    // Font number (0 宋体, 1 黑体, 2 楷体, 3 仿宋), size in half points, colour
    // number, bold, italic, underline.
    void SetCurTextStyle(int font, int halfPoints, int colour, int bold, int italic, int underline);
    // Left margin of the following paragraphs, in character cells of the current size.
    void SetCurLeftMargin(int cells);
    // Save and restore the style and margin.
    void Push_ENV();
    void Pop_ENV();

    // The drawing of a DXF file as a picture inside widthMm x heightMm. 1 when a
    // picture was written; 0 (and nothing written) when none could be made.
    int InsertDXF(const char* dxfPath, int widthMm, int heightMm);
    // A PNG picture shown inside widthMm x heightMm. 1 when written.
    int InsertPicture(const std::string& png, int widthMm, int heightMm);

    // A table starting `indentCells` from the margin, `widthPercent` of the text
    // width wide; the first column and/or row in bold; with or without borders.
    int InsertTable(const ReportTable& table, int indentCells, int widthPercent, int boldFirstColumn,
                    int boldFirstRow, int borders);

    // A formula on a line of its own.
    int InsertFormula(const char* formula);

    // The lines of a text file (GBK) as paragraphs, word for word: a text report
    // keeps its script blocks as text. 1 when the file was read.
    int TransInTextFile(const char* path);

    // The whole book as it would be written now.
    std::string Rtf() const;

    struct Style {
        int font = 0;
        int halfPoints = 20;
        int colour = 1;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        int leftCells = 0;
    };

private:
    enum class Script { None, Sub, Super };
    struct RunFormat {
        int font;
        int halfPoints;
        int colourSlot;  // colour table slot
        bool bold, italic, underline;
        Script script;
        bool operator==(const RunFormat&) const = default;
    };

    void EmitText(const std::string& utf8, const RunFormat& format);
    void EmitParagraphStart();
    void EndParagraph();
    std::string ParagraphProps() const;
    int ColourSlot(std::uint32_t colour);
    RunFormat BaseFormat() const;
    void AppendMarkup(const std::string& text, bool formula);

    bool open_ = false;
    int exceptionsAtOpen_ = 0;
    std::string path_;
    std::string body_;
    std::vector<std::uint32_t> colours_;  // colour table after the automatic slot 0
    Style style_;
    std::vector<Style> saved_;
    bool paragraphOpen_ = false;
    std::size_t paragraphStart_ = 0;
    int paragraphLeft_ = 0;
    int paragraphCell_ = 100;
    int hangingCells_ = 0;
    bool inCell_ = false;
    int baseColourSlot_ = 0;  // colour of a table cell, 0: the style's
    std::optional<RunFormat> lastFormat_;
};

// RTF text of a UTF-8 string: escapes, \uN for every character beyond ASCII.
std::string RtfEscape(const std::string& utf8);

}  // namespace kv::report
