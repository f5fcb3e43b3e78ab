#include <gtest/gtest.h>

#include "formatter/formatter.h"
#include "text_support.h"

namespace tabwright {
namespace {

using test::Crlf;
using test::N;
using test::W;
using Labels = std::vector<std::string>;

struct Step {
    int steps;
    std::string_view text;
};

// Lines with the given number of indentation steps after base, each ending
// with CR LF.
std::string Indented(std::initializer_list<Step> lines, std::string_view base = "") {
    std::string out;
    for (const Step& l : lines)
        out.append(base).append(2 * l.steps, ' ').append(l.text).append("\r\n");
    return out;
}

class NestingTest : public ::testing::Test {
protected:
    std::string Format(std::string_view input, bool sign = false) {
        TraceRecorder host(sign);
        std::string out = N(formatter.Nesting(W(input), host));
        labels = test::Narrow(host.Labels());
        return out;
    }

    // Formats the lines as they stand, without any indentation, and expects
    // the given indentation steps.
    void VerifySteps(std::initializer_list<Step> expected) {
        std::string input;
        for (const Step& l : expected) input.append(l.text).append("\r\n");
        EXPECT_EQ(Format(input), Indented(expected)) << "input:\n" << input;
    }

    Formatter formatter;
    Labels labels;
};

TEST_F(NestingTest, WorkedExampleStepsAndLabels) {
    VerifySteps({
        {0, "IF Customer.FIND('-') THEN BEGIN"},
        {1, "REPEAT"},
        {2, "IF Customer.Blocked THEN"},
        {3, "Counter := Counter + 1"},
        {2, "ELSE BEGIN"},
        {3, "CASE Customer.Type OF"},
        {4, "1:"},
        {5, "Total := Total + 1;"},
        {4, "2:"},
        {5, "BEGIN"},
        {6, "Total := Total + 2;"},
        {5, "END;"},
        {3, "END;"},
        {2, "END;"},
        {1, "UNTIL Customer.NEXT = 0;"},
        {0, "END ELSE"},
        {1, "ERROR('none');"},
        {0, "Counter := 0;"},
    });
    EXPECT_EQ(labels, (Labels{"BEGIN", "REPEAT", "IF Space", "BEGIN", "CASE OF", ": CrLf", ";",
                              ": CrLf", "BEGIN", ";", "END;", ";", "END;", ";", "END;", ";",
                              "UNTIL Space", ";", "END Space", " ELSE CrLf", "ELSE CrLf",
                              "END ELSE", ";", ";"}));
}

TEST_F(NestingTest, ReformattingIsStable) {
    const std::string once = Format(Crlf({"IF a THEN BEGIN", "  b := 1;", "       END;",
                                         "WHILE x DO", "x := x - 1;", "c;"}));
    EXPECT_EQ(once, Crlf({"IF a THEN BEGIN", "  b := 1;", "END;", "WHILE x DO",
                          "  x := x - 1;", "c;"}));
    EXPECT_EQ(Format(once), once);
}

TEST_F(NestingTest, ShortTextsComeBackUnchangedWithAnEmptyTrace) {
    Format("IF a THEN");
    ASSERT_FALSE(labels.empty());
    for (std::string_view s : {"", "x", "  ;", "\r\nx"}) {
        EXPECT_EQ(Format(s), s);
        EXPECT_TRUE(labels.empty());
    }
}

TEST_F(NestingTest, EveryLineCarriesTheFirstLinesIndentation) {
    EXPECT_EQ(Format("  IF a THEN\r\nb := 1;\r\n"), Indented({{0, "IF a THEN"}, {1, "b := 1;"}}, "  "));
    EXPECT_EQ(Format("    x;\r\n  y;\r\nz;"), "    x;\r\n    y;\r\n    z;");
}

TEST_F(NestingTest, LeadingLineBreak) {
    // Followed by a blank it is dropped; otherwise it moves to the end.
    EXPECT_EQ(Format("\r\n  x;\r\ny;\r\n"), "  x;\r\n  y;\r\n");
    EXPECT_EQ(Format("\r\nx;\r\n"), "x;\r\n\r\n");
}

TEST_F(NestingTest, LastLineWithoutBreakIsKept) {
    EXPECT_EQ(Format("a;\r\nb"), "a;\r\nb");
    EXPECT_EQ(Format("IF a THEN\r\nb"), "IF a THEN\r\n  b");
    EXPECT_EQ(Format("x := 1;   "), "x := 1;");
}

TEST_F(NestingTest, BareLineFeedsDoNotBreakLines) {
    EXPECT_EQ(Format("  IF a THEN\nb;\n  "), "  IF a THEN\nb;\n");
    // LF CR ends lines when the text holds no CR LF at all.
    EXPECT_EQ(Format("IF a THEN\n\rb;\n\rc;"), "IF a THEN\n\r  b;\n\rc;");
}

TEST_F(NestingTest, BlanksAndTabs) {
    // Empty lines get the block's indentation; a leading tab follows it;
    // blanks before the break stay.
    EXPECT_EQ(Format(Crlf({"BEGIN", "", "\tx;  ", "END;"})),
              Crlf({"BEGIN", "  ", "  \tx;  ", "END;"}));
}

TEST_F(NestingTest, CommentEndsAOneStatementBody) {
    VerifySteps({{0, "IF a THEN"}, {1, "// note"}, {0, "b := 1;"}});
    VerifySteps({{0, "// IF a THEN"}, {0, "b := 1;"}});
}

TEST_F(NestingTest, CommaContinuedLinesDeepenStepByStep) {
    VerifySteps({{0, "Foo(a,"}, {1, "b,"}, {2, "c);"}, {0, "d := 1;"}});
}

TEST_F(NestingTest, SurplusBlockEndsAndStarts) {
    VerifySteps({{0, "END;"}, {0, "BEGIN"}, {0, "y;"}, {0, "END;"}});
    VerifySteps({{0, "BEGIN"}, {1, "x;"}, {0, "END"}});
    VerifySteps({{0, "BEGIN"}, {1, "x;"}, {1, "end"}, {1, "y;"}});
    // An END on a last line without a break closes nothing.
    EXPECT_EQ(Format("BEGIN\r\nx;\r\nEND"), "BEGIN\r\n  x;\r\n  END");
}

TEST_F(NestingTest, BeginStopsTheRulesAfterIt) {
    VerifySteps({{0, "IF x THEN BEGIN"}, {1, "y;"}, {0, "END ELSE BEGIN"}, {1, "z;"}, {0, "END;"}});
    EXPECT_EQ(labels, (Labels{"BEGIN", ";", "END Space", "BEGIN", ";", "END;", ";"}));
    VerifySteps({{0, "x := 1; // BEGIN"}, {1, "y;"}});
}

TEST_F(NestingTest, LowerCaseKeywordsCount) {
    VerifySteps({{0, "if a then begin"}, {1, "while b do"}, {2, "c;"}, {0, "end;"}});
}

TEST_F(NestingTest, KeywordsNeedTheirBlank) {
    VerifySteps({{0, "IF(x) THEN"}, {0, "y;"}, {0, "FOR;"}});
    VerifySteps({{0, "REPEATED := 1;"}, {1, "y;"}, {0, "UNTIL x;"}});
}

TEST_F(NestingTest, CaseLabelsAndColons) {
    VerifySteps({{0, "CASE x OF"},
                 {1, "1: // first"},
                 {2, "a;"},
                 {1, "'A':"},
                 {2, "b;"},
                 {1, "ELSE"},
                 {2, "c;"},
                 {0, "END;"}});
    Format(Crlf({"1: // first"}));
    EXPECT_EQ(labels, (Labels{": not :=", ";"}));
    Format(Crlf({"\"No.\": x"}));
    EXPECT_EQ(labels, (Labels{"\": not :="}));
}

TEST_F(NestingTest, RunsDoNotInfluenceEachOther) {
    Format(Crlf({"BEGIN", "BEGIN", "REPEAT"}));
    EXPECT_EQ(Format(Crlf({"x;", "y;"})), Crlf({"x;", "y;"}));
    EXPECT_EQ(formatter.Stack().Count(), 0);
}

TEST_F(NestingTest, LongCommentLineIsSplitAtTheLastBlank) {
    std::string comment = "//";
    while (comment.size() < 140) comment += " word";
    comment.resize(140);
    const std::string out = Format(comment + "\r\n");
    const std::size_t cut = comment.rfind(' ', 129);
    EXPECT_EQ(out, comment.substr(0, cut + 1) + "\r\n// " + comment.substr(cut + 1) + "\r\n");
}

TEST_F(NestingTest, LongCodeLinePiecesAreLinesOfTheirOwn) {
    // Each piece is indented as the line after a comma and broken again
    // while it is too long.
    const std::string a(90, 'a'), b(90, 'b'), c(90, 'c');
    EXPECT_EQ(Format("  BEGIN\r\nFoo(" + a + ", " + b + ", " + c + ");\r\n"),
              "  BEGIN\r\n    Foo(" + a + ",\r\n      " + b + ",\r\n        " + c + ");\r\n");
}

TEST_F(NestingTest, LongLineWithNowhereToBreakStaysWhole) {
    const std::string word(200, 'x');
    EXPECT_EQ(Format(word + "\r\n"), word + "\r\n");
    // Indentation so deep that no break column is left.
    std::string deep;
    for (int i = 0; i < 70; ++i) deep += "BEGIN\r\n";
    const std::string line = "a, b c;";
    const std::string out = Format(deep + line + "\r\n");
    EXPECT_EQ(out.substr(out.size() - 140 - line.size() - 2), std::string(140, ' ') + line + "\r\n");
}

TEST_F(NestingTest, SpacingRunsAfterTheKeywordRulesOfEachLine) {
    EXPECT_EQ(Format(Crlf({"IF a=b THEN", "c:=d;"}), true), Crlf({"IF a = b THEN", "  c := d;"}));
    EXPECT_EQ(labels, (Labels{"IF Space", "Fix Space=", "Fix =Space", ";", "Fix Space:=",
                              "Fix :=Space"}));
}

TEST_F(NestingTest, SpacingAtTheStartOfALineStaysBehindTheIndentation) {
    EXPECT_EQ(Format(Crlf({"BEGIN", "-x;"}), true), Crlf({"BEGIN", "  - x;"}));
}

class SwitchingHost : public TraceRecorder {
public:
    bool SignOn() override { return (++asked_ % 2) == 0; }

private:
    int asked_ = 0;
};

TEST_F(NestingTest, SpacingSwitchIsReadForEveryLine) {
    SwitchingHost host;
    EXPECT_EQ(N(formatter.Nesting(W(Crlf({"a:=1;", "b:=2;", "c:=3;"})), host)),
              Crlf({"a:=1;", "b := 2;", "c:=3;"}));
}

TEST_F(NestingTest, StackBeyondSixteenBitCapacity) {
    // Each pair leaves one entry more on the stack and no block open.
    std::u16string text;
    for (int i = 0; i < 40000; ++i) text += u"CASE x OF BEGIN\r\nEND;\r\n";
    text += u"y;\r\n";
    TraceRecorder host(false, false);
    const std::u16string out = formatter.Nesting(text, host);
    EXPECT_EQ(formatter.Stack().Count(), 40001);
    EXPECT_EQ(out.substr(out.size() - 10), u"END;\r\ny;\r\n");
}

TEST_F(NestingTest, SurplusBlockEndsBeyondSixteenBitDepth) {
    std::u16string text;
    for (int i = 0; i < 40000; ++i) text += u"END;\r\n";
    text += u"BEGIN\r\nx;\r\n";
    TraceRecorder host(false, false);
    EXPECT_EQ(formatter.Nesting(text, host), text);
}

}  // namespace
}  // namespace tabwright
