#include "report/rtfjoin.h"

#include <gtest/gtest.h>

#include <string>

namespace kv::report {
namespace {

int Balance(const std::string& rtf) {
    int depth = 0;
    for (std::size_t k = 0; k < rtf.size(); ++k) {
        if (rtf[k] == '\\') {
            ++k;  // an escaped brace is text
            continue;
        }
        depth += rtf[k] == '{' ? 1 : rtf[k] == '}' ? -1 : 0;
        if (depth == 0 && k + 1 < rtf.size() && rtf.find_first_not_of("\r\n", k + 1) != std::string::npos) return -1;
    }
    return depth;
}

TEST(RtfJoin, OnlyRtfIsJoined) {
    RtfJoiner joiner;
    EXPECT_FALSE(joiner.Append("plain text"));
    EXPECT_EQ(joiner.Finish(), "");
    ASSERT_TRUE(joiner.Start("{\\rtf1 cover\\par}"));
    EXPECT_FALSE(joiner.Append("{\\urtf1 x}"));
    EXPECT_EQ(joiner.Finish().find("urtf"), std::string::npos);
}

// What follows a document that was cut short, or whose groups run on, stays
// outside it: the book keeps one document group and closes it at its end.
TEST(RtfJoin, ADocumentCutShortLeavesTheBookWhole) {
    const char* pieces[] = {
        "{\\rtf1 {\\b bold {\\i cut",        // open groups at the end of the file
        "{\\rtf1 a}} b}",                    // text after its end
        "{\\rtf1 {\\*\\bkmkstart x}\\{brace\\}}",  // escaped braces and a marked group
    };
    for (const char* piece : pieces) {
        SCOPED_TRACE(piece);
        RtfJoiner joiner;
        ASSERT_TRUE(joiner.Start("{\\rtf1\\ansi{\\fonttbl{\\f0 Song;}}cover\\par}"));
        ASSERT_TRUE(joiner.Append(piece));
        joiner.AppendText("\n1\theading\n", 36, 0);
        const std::string book = joiner.Finish();
        EXPECT_EQ(Balance(book), 0) << book;
        EXPECT_NE(book.find("heading"), std::string::npos);
    }
}

// Picture bytes pass untouched, binary ones included, whatever they hold.
TEST(RtfJoin, PictureBytesPassUntouched) {
    const std::string binary("\\f1}{\\cf2\0\xff", 9);
    const std::string piece = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Song;}}{\\colortbl;\\red1\\green2\\blue3;}\\f1\\cf1 x"
                              "{\\pict\\pngblip 89504e47}{\\pict\\jpegblip\\bin9 " + binary + "}}";
    RtfJoiner joiner;
    ASSERT_TRUE(joiner.Start("{\\rtf1{\\fonttbl{\\f0 Song;}}{\\colortbl;\\red9\\green9\\blue9;}cover\\par}"));
    ASSERT_TRUE(joiner.Append(piece));
    const std::string book = joiner.Finish();
    EXPECT_NE(book.find("\\bin9 " + binary + "}"), std::string::npos) << book;
    // The text's font and colour are renumbered into the book's tables.
    EXPECT_NE(book.find("\\f0\\cf2 x"), std::string::npos) << book;
    EXPECT_NE(book.find("{\\fonttbl{\\f0 Song;}{\\f1 Arial;}}"), std::string::npos) << book;
    EXPECT_NE(book.find("{\\colortbl;\\red9\\green9\\blue9;\\red1\\green2\\blue3;}"), std::string::npos) << book;
}

// Writers put words such as "\uc1" or "\nouicompat" in front of the tables: the
// tables are still the document's, read and merged, and the book holds one of each.
// A "\ucN" given there goes on counting the fallback bytes of the text's "\u".
TEST(RtfJoin, WordsBeforeTheTablesKeepThemTheDocuments) {
    RtfJoiner joiner;
    ASSERT_TRUE(joiner.Start("{\\rtf1\\ansi\\ansicpg936\\deff0\\uc2\n{\\fonttbl{\\f0 Song;}{\\f1 Arial;}}"
                             "{\\colortbl;\\red9\\green9\\blue9;}\n\\f1\\cf1 cover\\par}"));
    ASSERT_TRUE(joiner.Append("{\\rtf1\\ansi\\nouicompat\\uc2{\\fonttbl{\\f0 Arial;}{\\f1 Mono;}}"
                              "{\\colortbl;\\red1\\green2\\blue3;}\\f1\\cf1 x\\u21834\\'cb\\'ce y\\par}"));
    joiner.AppendText("z\xe5\xae\x8b\n", 24, 0x000000);
    const std::string book = joiner.Finish();
    EXPECT_EQ(Balance(book), 0) << book;
    auto count = [&](std::string_view what) {
        int n = 0;
        for (std::size_t at = book.find(what); at != std::string::npos; at = book.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("{\\fonttbl"), 1) << book;
    EXPECT_EQ(count("{\\colortbl"), 1) << book;
    EXPECT_NE(book.find("{\\fonttbl{\\f0 Song;}{\\f1 Arial;}{\\f2 Mono;}"), std::string::npos) << book;
    EXPECT_NE(book.find("\\f1\\cf1 cover"), std::string::npos) << book;
    EXPECT_NE(book.find("\\f2\\cf2 x"), std::string::npos) << book;
    // The appended text counts two fallback bytes, the heading after it one
    // (it writes one), whatever the cover counts.
    EXPECT_NE(book.find("{\\pard\\plain\\uc2\\f1 \\f2\\cf2 x"), std::string::npos) << book;
    const std::size_t x = book.find("\\f2\\cf2 x"), z = book.find(" z\\u");
    ASSERT_NE(z, std::string::npos) << book;
    EXPECT_GT(book.rfind("\\uc1", z), x) << book;
}

// A cover without a colour table still leaves entry 0 to the automatic colour,
// which readers take for \cf0: a heading's or a report's colour never lands there.
TEST(RtfJoin, ColourZeroStaysAutomatic) {
    RtfJoiner joiner;
    ASSERT_TRUE(joiner.Start("{\\rtf1{\\fonttbl{\\f0 Song;}}cover\\par}"));
    joiner.AppendText("\nred\n", 36, 0xFF0000);
    ASSERT_TRUE(joiner.Append("{\\rtf1{\\colortbl\\red1\\green2\\blue3;}\\cf0 x\\par}"));
    const std::string book = joiner.Finish();
    EXPECT_NE(book.find("{\\colortbl;\\red255\\green0\\blue0;\\red1\\green2\\blue3;}"), std::string::npos) << book;
    EXPECT_NE(book.find("\\cf1 red"), std::string::npos) << book;
    EXPECT_NE(book.find("\\cf2 x"), std::string::npos) << book;
}

}  // namespace
}  // namespace kv::report
