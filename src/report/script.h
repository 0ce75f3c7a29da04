#pragma once
// Report scripts: blocks between two markers in a text report that the report
// view carries out after loading it. "InsertDxf=<name>" puts the drawing of a DXF
// file of the work folder in its place; "TextStyle=<colour>,<factor><text>"
// puts the text in that colour and size. Text reports are turned into RTF with
// TextToRtf, which keeps the blocks as text.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace kv::report {

inline constexpr std::string_view kScriptStart = "%%%[VanjoroScript%%%";
inline constexpr std::string_view kScriptEnd = "%%%VanjoroScript]%%%";
inline constexpr std::string_view kInsertDxf = "InsertDxf=";
inline constexpr std::string_view kTextStyle = "TextStyle=";
// The colour and factor field after "TextStyle=", blank-filled.
inline constexpr std::size_t kStyleFieldChars = 21;
// The longest command text a block holds.
inline constexpr std::size_t kScriptCommandMax = 999;
// Names starting with this mean the drawing the drawing view shows.
inline constexpr std::string_view kCurrentDrawing = "*Cur*";

struct ScriptCommand {
    enum Kind { None, InsertDxf, TextStyle } kind = None;
    // InsertDxf
    std::string fileName;
    bool currentDrawing = false;
    // TextStyle: Windows colour value (0x00BBGGRR) and height factor; a field
    // that does not read as "<colour>,<factor>" gives black at factor 1.
    std::uint32_t colour = 0;
    double factor = 1.0;
    std::string text;
};

// Drawings that blocks name are read only as regular files of the work folder
// or the program folder, and no larger than this: a report may come from anyone
// and name any file, a device that never ends among them.
inline constexpr long long kScriptDrawingMaxBytes = 64LL << 20;

// The file that the drawing name of an "InsertDxf=" block stands for (relative to
// the work folder, or a full path; letter case as on Windows). Empty with
// `refusal` set to the text that takes the block's place when the file may not be
// read; a file that is not there is no refusal (the block gives no picture).
std::string ScriptDrawingPath(const std::string& name, std::string& refusal);

// Reads the command text of one block (between the markers). The command word
// must open the text; anything else is a block of no known kind.
ScriptCommand ParseScriptCommand(std::string_view command);

// Byte offset after `chars` characters of UTF-8 `s` (or its end).
std::size_t SkipCharsOf(std::string_view s, std::size_t chars);

// The text of a whole block.
std::string ScriptBlock(std::string_view command);
std::string TextStyleBlock(std::string_view text, std::uint32_t colour, double factor);

}  // namespace kv::report

// Writes "InsertDxf=<name>" (or another command) as a block on a line of its own.
void VanjoroScript(std::FILE* fp, const char* command);
// Writes a text as "TextStyle=" blocks; line ends in the text stay outside the
// blocks, so every block stands whole on one line.
void VanjoroScript_Text(std::FILE* fp, const char* text, std::uint32_t colour, double factor);

// Rewrites a text report in place as an RTF book (the script blocks stay text).
// The text is first copied to "~kv40~.tmp" in the work folder. 1 when the RTF
// was written (or the file already was RTF); 0 leaves the report as it was.
int TextToRtf(const char* path);
