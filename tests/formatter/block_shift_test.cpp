#include <gtest/gtest.h>

#include "formatter/formatter.h"
#include "text_support.h"

namespace tabwright {
namespace {

using test::Crlf;
using test::N;
using test::W;

std::string Left(std::string_view s) { return N(Indent_Left(W(s))); }
std::string Right(std::string_view s) { return N(Indent_Right(W(s))); }

TEST(IndentLeftTest, RemovesOneStepWhereThereIsOne) {
    EXPECT_EQ(Left(Crlf({"    a;", "    b;"})), Crlf({"  a;", "  b;"}));
    EXPECT_EQ(Left(Crlf({" a;", "\tb;", "", "c;"})), Crlf({" a;", "\tb;", "", "c;"}));
    EXPECT_EQ(Left("  a;\r\n  b"), "a;\r\nb");
    EXPECT_EQ(Left("  a;\n  b;"), "a;\n  b;");
    EXPECT_EQ(Left("  x"), "  x");
}

TEST(IndentRightTest, AddsOneStepToEveryLine) {
    EXPECT_EQ(Right(Crlf({"a;", "", "b;"})), Crlf({"  a;", "  ", "  b;"}));
    EXPECT_EQ(Right("a;\r\nb"), "  a;\r\n  b");
    EXPECT_EQ(Right("a;\n\rb;"), "  a;\n\r  b;");
    EXPECT_EQ(Right("a;\nb;"), "  a;\nb;");
    for (std::string_view s : {"ab", "x", "abc", ""}) EXPECT_EQ(Right(s), s);
}

TEST(IndentRightTest, WrapsLongLinesOnce) {
    std::string words;
    while (words.size() < 140) words += "word ";
    words.resize(140);
    const std::size_t blank = words.rfind(' ', 127);
    EXPECT_EQ(Right(words + "\r\n"),
              "  " + words.substr(0, blank + 1) + "\r\n  " + words.substr(blank + 1) + "\r\n");

    std::string withComma = std::string(99, 'a') + "," + std::string(20, 'b') + " " + std::string(30, 'c');
    EXPECT_EQ(Right(withComma), "  " + withComma.substr(0, 100) + "\r\n  " + withComma.substr(100));

    const std::string solid(150, 'z');
    EXPECT_EQ(Right(solid), "  \r\n  " + solid);

    std::string comment = "//" + words;
    const std::size_t cblank = comment.rfind(' ', 127);
    EXPECT_EQ(Right(comment), "  " + comment.substr(0, cblank + 1) + "\r\n  // " + comment.substr(cblank + 1));
    // An indented or trailing comment stays a comment too, and a wrap never
    // cuts a text constant.
    const std::string indented = " " + comment;
    const std::size_t iblank = indented.rfind(' ', 127);
    EXPECT_EQ(Right(indented), "  " + indented.substr(0, iblank + 1) + "\r\n  // " + indented.substr(iblank + 1));
    const std::string quoted = "x := '" + words + "';";
    EXPECT_EQ(Right(quoted), "  x := \r\n  " + quoted.substr(5));
}

TEST(BlockShiftTest, RightThenLeftRestoresTheText) {
    const std::string text = Crlf({"IF a THEN", "  b;", "", "c;"}) + "d;";
    EXPECT_EQ(Left(Right(text)), text);
}

}  // namespace
}  // namespace tabwright
