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

}  // namespace
}  // namespace kv::report
