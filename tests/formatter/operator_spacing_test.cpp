#include <gtest/gtest.h>

#include "formatter/formatter.h"
#include "text_support.h"

namespace tabwright {
namespace {

using test::N;
using test::W;
using Labels = std::vector<std::string>;

std::vector<std::pair<std::int64_t, std::int64_t>> Ranges(const InstrNew& s) {
    std::vector<std::pair<std::int64_t, std::int64_t>> out;
    for (const InstrNewTegn& r : s) out.emplace_back(r.Start, r.Slut);
    return out;
}

struct Case {
    std::string_view before;
    std::string_view after;
    Labels labels;
};

std::string Space(std::string_view line, Labels* labels = nullptr) {
    InstrNew text;
    text.TextL(W(line));
    text.ScanQuotes();
    TraceRecorder host(true);
    SpaceOperators(text, host);
    InstrNew rescanned;
    rescanned.TextL(text.TextL());
    rescanned.ScanQuotes();
    EXPECT_EQ(Ranges(text), Ranges(rescanned)) << "quoted ranges out of step";
    if (labels) *labels = test::Narrow(host.Labels());
    return N(text.TextL());
}

void VerifySpacing(const Case& c) {
    Labels labels;
    EXPECT_EQ(Space(c.before, &labels), c.after) << "line: " << c.before;
    EXPECT_EQ(labels, c.labels) << "line: " << c.before;
}

TEST(OperatorSpacingTest, OnlyFirstOccurrencesAndOnlyUnspacedLines) {
    VerifySpacing({"a:=b+c;", "a := b + c;", {"Fix Space:=", "Fix :=Space", "Fix Space+", "Fix +Space"}});
    VerifySpacing({"a := b + c;", "a := b + c;", {}});
    VerifySpacing({"a:=1; b:=2;", "a := 1; b:=2;", {"Fix Space:=", "Fix :=Space"}});
    VerifySpacing({"x := 1; y:=2;", "x := 1; y:=2;", {}});
}

TEST(OperatorSpacingTest, UnaryAndEdgeOperators) {
    VerifySpacing({"a:=-1;", "a := - 1;", {"Fix Space:=", "Fix :=Space", "Fix -Space"}});
    VerifySpacing({"-x;", " - x;", {"Fix Space-", "Fix -Space"}});
    VerifySpacing({"x := y+\r\n", "x := y + \r\n", {"Fix Space+", "Fix +Space"}});
}

TEST(OperatorSpacingTest, QuotedRangesAreNeverEdited) {
    VerifySpacing({"IF x='a=b' THEN", "IF x = 'a=b' THEN", {"Fix Space=", "Fix =Space"}});
    VerifySpacing({"MESSAGE('x=1'); y=2", "MESSAGE('x=1'); y=2", {}});
    VerifySpacing({"\"Sell-to No.\":=1", "\"Sell-to No.\" := 1", {"Fix Space:=", "Fix :=Space"}});
}

TEST(OperatorSpacingTest, CommentsAndDividers) {
    VerifySpacing({"// a=b", "// a = b", {"Fix Space=", "Fix =Space"}});
    VerifySpacing({"//------", "//------", {}});
    VerifySpacing({"a/b // x", "a/b // x", {}});
}

TEST(OperatorSpacingTest, CompoundOperatorsAndTheirBlockers) {
    // Once "<=%" is broken up the "<=" rules may act: spacing runs again
    // until the line stays as it is.
    VerifySpacing({"a<=%1", "a <= %1", {"Fix =Space", "Fix Space<="}});
    VerifySpacing({"a>=%1", "a >= %1", {"Fix =Space", "Fix Space>="}});
    VerifySpacing({"//=====", "//=====", {}});
    VerifySpacing({"i+=1;", "i += 1;", {"Fix Space+=", "Fix +=Space"}});
    VerifySpacing({"i-=1;", "i -= 1;", {"Fix Space-=", "Fix -=Space"}});
    VerifySpacing({"i*=2;", "i *= 2;", {"Fix Space*=", "Fix *=Space"}});
    VerifySpacing({"i/=2;", "i /= 2;", {"Fix Space/=", "Fix /=Space"}});
    VerifySpacing({"IF a<=b THEN", "IF a <= b THEN", {"Fix Space<=", "Fix <=Space"}});
    VerifySpacing({"IF a>=b THEN", "IF a >= b THEN", {"Fix Space>=", "Fix >=Space"}});
    VerifySpacing({"a:=b*c/d;", "a := b * c / d;",
                   {"Fix Space:=", "Fix :=Space", "Fix Space*", "Fix *Space", "Fix Space/", "Fix /Space"}});
    VerifySpacing({"x:=a--b;", "x := a--b;", {"Fix Space:=", "Fix :=Space"}});
    // Nothing else is an operator here.
    VerifySpacing({"IF a<>b AND c<d THEN", "IF a<>b AND c<d THEN", {}});
}

TEST(OperatorSpacingTest, LinesBeyondSixteenBitPositionsAreSpacedToo) {
    std::string line(40000, 'x');
    line += ":=1;";
    EXPECT_EQ(Space(line), std::string(40000, 'x') + " := 1;");
}

}  // namespace
}  // namespace tabwright
