#include <gtest/gtest.h>

#include "cli/byte_text.h"
#include "cli/code_formatter.h"
#include "cli_support.h"

namespace tabwright::cli {
namespace {

using test::Crlf;

std::string Format(std::string_view bytes, FormatSettings settings = {}) {
    CodeFormatter f(settings);
    return f.Format(bytes);
}

TEST(ByteTextTest, EveryByteValueSurvivesWideningAndNarrowing) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::u16string wide = Widen(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(wide[0xE9], u'\u00E9');
    EXPECT_EQ(wide[0xFF], u'\u00FF');
    EXPECT_EQ(Narrow(wide), all);
}

TEST(ByteTextTest, BareLfBreaks) {
    EXPECT_TRUE(HasBareLfBreaks(u"a\nb"));
    EXPECT_FALSE(HasBareLfBreaks(u"a\r\nb\n"));
    EXPECT_FALSE(HasBareLfBreaks(u"a\rb"));
    EXPECT_FALSE(HasBareLfBreaks(u"ab"));
    EXPECT_EQ(LfToCrlf(u"\na\n\nb"), u"\r\na\r\n\r\nb");
    EXPECT_EQ(CrlfToLf(u"\r\na\r\n\r\nb\r"), u"\na\n\nb\r");
}

TEST(CodeFormatterTest, HighBytesPassThroughInCodeAndComments) {
    std::string low, high;  // 0x80-0xBF and 0xC0-0xFF, short enough not to be split
    for (int b = 0x80; b <= 0xFF; ++b) (b < 0xC0 ? low : high).push_back(static_cast<char>(b));
    const std::string input = Crlf({"IF a THEN", "x:='" + low + "';", "// " + high, high + ";"});
    EXPECT_EQ(Format(input), Crlf({"IF a THEN", "  x := '" + low + "';", "// " + high, high + ";"}));
}

TEST(CodeFormatterTest, BareLfTextsAreFormattedAsCrlfAndKeepLf) {
    EXPECT_EQ(Format("IF a THEN\nx:=1;\nBEGIN\ny;\nEND;\n"),
              "IF a THEN\n  x := 1;\nBEGIN\n  y;\nEND;\n");
    // One CR anywhere and the engine's own rule holds: LF alone is no break.
    EXPECT_EQ(Format("IF a THEN\nx;\r"), "IF a THEN\nx;\r");
    // Breaks the engine adds come out as LF too.
    const std::string longLine = "Foo(" + std::string(70, 'a') + "," + std::string(70, 'b') + ");";
    EXPECT_EQ(Format("BEGIN\n" + longLine + "\nEND;\n"),
              "BEGIN\n  Foo(" + std::string(70, 'a') + ",\n    " + std::string(70, 'b') + ");\nEND;\n");
}

TEST(CodeFormatterTest, SignSwitchAndBlockShift) {
    EXPECT_EQ(Format("a:=b+c;\r\n"), "a := b + c;\r\n");
    EXPECT_EQ(Format("a:=b+c;\r\n", {Action::Reindent, false, false}), "a:=b+c;\r\n");
    EXPECT_EQ(Format("    a:=1;\n  b;\nc;\n", {Action::ShiftLeft, true, false}), "  a:=1;\nb;\nc;\n");
    EXPECT_EQ(Format("a:=1;\r\n\r\nb;", {Action::ShiftRight, true, false}), "  a:=1;\r\n  \r\n  b;");
}

TEST(CodeFormatterTest, TraceCollectsTheLabelsOfEveryRun) {
    CodeFormatter f({Action::Reindent, true, true});
    f.Format("IF a=b THEN\r\nx;\r\n");
    f.Format("END;\r\n");
    EXPECT_EQ(f.Trace(), (std::vector<std::string>{"IF Space", "Fix Space=", "Fix =Space", ";", "END;", ";"}));
    CodeFormatter quiet({Action::Reindent, true, false});
    quiet.Format("IF a=b THEN\r\nx;\r\n");
    EXPECT_TRUE(quiet.Trace().empty());
}

}  // namespace
}  // namespace tabwright::cli
