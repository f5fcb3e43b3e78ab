// The quote-aware searches and the operator-spacing pass built on them.
#include <gtest/gtest.h>

#include "formatter/formatter.h"
#include "text_support.h"

namespace tabwright {
namespace {

using test::N;
using test::W;

std::string Ranges(const InstrNew& s) {
    std::string out;
    for (const InstrNewTegn& r : s) out += std::to_string(r.Start) + "-" + std::to_string(r.Slut) + " ";
    return out;
}

InstrNew Scanned(std::string_view text) {
    InstrNew s;
    s.TextL(W(text));
    s.ScanQuotes();
    return s;
}

TEST(QuoteSearchTest, SeektextNeedsTheKeywordAfterBlanksOnly) {
    for (auto [text, found] : {std::pair{u"IF a", true}, {u"if a", true}, {u"   IF a", true}, {u"ELSE IF a", false},
                               {u"IFa", false}, {u"\tIF a", false}, {u"", false}})
        EXPECT_EQ(Seektext(text, u"IF "), found) << N(text);
}

TEST(QuoteSearchTest, RangesPairLeftToRightDoubleQuotesFirst) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"s := 'a=b';", "6-10 "},        {"'It''s'", "1-4 5-7 "},           {"a := 'abc", "6-0 "},
        {"MESSAGE('' + 'a=b');", "9-10 14-18 "}, {"\"Cust's No.\" := 'x'", "1-12 6-17 19-0 "}, {"none", ""},
    };
    for (const auto& [text, ranges] : cases) EXPECT_EQ(Ranges(Scanned(text)), ranges) << text;
    EXPECT_EQ(Ranges(InstrNew()), "");

    InstrNew s = Scanned("'a' 'b'");
    s.TextL(u"plain");  // only stores the text
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Item(1)->Slut, 3);
    EXPECT_EQ(s.Item(2)->Start, 5);
    for (int outside : {-1, 0, 3}) EXPECT_EQ(s.Item(outside), nullptr);
}

TEST(QuoteSearchTest, InstrNJudgesOnlyTheFirstOccurrence) {
    const struct {
        std::string_view text;
        int from;
        std::u16string_view what;
        int at;
    } cases[] = {
        {"s := 'a=b';", 1, u":=", 3}, {"s := 'a=b';", 5, u"=", 0}, {"s := 'a=b';", 1, u"=", 4}, {"a := 'abc", 1, u"b", 8},
        {"MESSAGE('x=1'); y=2", 1, u"=", 0}, {"\"Sell-to No.\" := 1", 1, u"-", 0}, {"\"Sell-to No.\" := 1", 1, u":=", 15},
        // Strict bounds: on the opening quote, or starting before it, is outside.
        {"x'ab'", 1, u"'", 2}, {"x'ab'", 3, u"B", 0}, {"x'ab'", 1, u"x'a", 1}, {"x'ab'", 1, u"zz", 0},
        {"a := 1", 0, u"a", 1},  // a start before the first character is the first
    };
    for (const auto& c : cases) EXPECT_EQ(Scanned(c.text).InstrN(c.from, c.what), c.at) << c.text << " " << N(c.what);
}

TEST(OperatorSpacingTest, FirstOccurrencesOutsideQuotesOnUnspacedLines) {
    const struct {
        std::string_view before, after, labels;
    } cases[] = {
        {"a:=b+c;", "a := b + c;", "Fix Space:=|Fix :=Space|Fix Space+|Fix +Space"}, {"a := b + c;", "a := b + c;", ""},
        {"a:=1; b:=2;", "a := 1; b:=2;", "Fix Space:=|Fix :=Space"}, {"x := 1; y:=2;", "x := 1; y:=2;", ""},
        {"F(a+b);", "F(a + b);", "Fix Space+|Fix +Space"},
        {"x := y+\r\n", "x := y + \r\n", "Fix Space+|Fix +Space"}, {"IF x='a=b' THEN", "IF x = 'a=b' THEN", "Fix Space=|Fix =Space"},
        {"MESSAGE('x=1'); y=2", "MESSAGE('x=1'); y=2", ""}, {"\"Sell-to No.\":=1", "\"Sell-to No.\" := 1", "Fix Space:=|Fix :=Space"},
        {"// a=b", "// a = b", "Fix Space=|Fix =Space"}, {"//------", "//------", ""}, {"//=====", "//=====", ""},
        {"a/b // x", "a/b // x", ""}, {"x:=a--b;", "x := a--b;", "Fix Space:=|Fix :=Space"}, {"a<>b AND c<d", "a<>b AND c<d", ""},
        {"IF a+b=c THEN", "IF a + b = c THEN", "Fix Space=|Fix =Space|Fix Space+|Fix +Space"},
        // A sign keeps its operand beside it; a + or - between operands is spaced.
        {"a:=-1;", "a := -1;", "Fix Space:=|Fix :=Space"}, {"-x;", "-x;", ""}, {"EXIT(-1);", "EXIT(-1);", ""},
        {"SETRANGE(Amount,-100,+100);", "SETRANGE(Amount,-100,+100);", ""}, {"IF x<-1 THEN", "IF x<-1 THEN", ""},
        {"x := a *-b;", "x := a * -b;", "Fix *Space"}, {"y := x-(1);", "y := x - (1);", "Fix Space-|Fix -Space"},
        {"x := ELSE -1 + a-b;", "x := ELSE -1 + a - b;", "Fix Space-|Fix -Space"},
        {"FOR i:=1 TO -n DO", "FOR i := 1 TO -n DO", "Fix Space:=|Fix :=Space"}, {"CASE x OF -1:", "CASE x OF -1:", ""},
        {"y := a DIV -2", "y := a DIV -2", ""}, {"x := -b; i-=1;", "x := -b; i -= 1;", "Fix Space-=|Fix -=Space"},
        {"a <= b; c<=d", "a <= b; c<=d", ""}, {"z := 'a'-\"b\"", "z := 'a' - \"b\"", "Fix Space-|Fix -Space"},
        // An "=" of its own is spaced beside ":=", "<=", ">=" and "<>"; one of a run is no operator.
        {"b := x=1;", "b := x = 1;", "Fix Space=|Fix =Space"}, {"IF x=1 THEN y:=2;", "IF x = 1 THEN y := 2;", "Fix Space:=|Fix :=Space|Fix Space=|Fix =Space"},
        {"IF a>=1 AND b=2", "IF a >= 1 AND b = 2", "Fix Space>=|Fix >=Space|Fix Space=|Fix =Space"}, {"a<=%1", "a<=%1", ""}, {"x ==y", "x ==y", ""},
        {"i+=1;", "i += 1;", "Fix Space+=|Fix +=Space"}, {"i-=1;", "i -= 1;", "Fix Space-=|Fix -=Space"},
        {"i*=2;", "i *= 2;", "Fix Space*=|Fix *=Space"}, {"i/=2;", "i /= 2;", "Fix Space/=|Fix /=Space"},
        {"a<=b", "a <= b", "Fix Space<=|Fix <=Space"}, {"a>=b", "a >= b", "Fix Space>=|Fix >=Space"},
        // The blank written before "-" must reach the summary, or "- " is missed.
        {"x := a*-1-b;", "x := a * -1 - b;", "Fix Space-|Fix -Space|Fix Space*|Fix *Space"},
        {"a:=b*c/d;", "a := b * c / d;", "Fix Space:=|Fix :=Space|Fix Space*|Fix *Space|Fix Space/|Fix /Space"},
    };
    for (const auto& c : cases) {
        for (std::size_t pad : {0, 40000}) {  // also beyond 16-bit positions
            const std::string padding = pad == 0 ? "" : std::string(pad, 'x') + ";";
            InstrNew line = Scanned(padding + std::string(c.before));
            TraceRecorder host(true);
            SpaceOperators(line, host);
            EXPECT_EQ(N(line.TextL()).substr(padding.size()), c.after) << c.before;
            EXPECT_EQ(test::Joined(host.Labels()), c.labels) << c.before;
            EXPECT_EQ(Ranges(line), Ranges(Scanned(N(line.TextL())))) << "ranges out of step: " << c.before;
        }
    }
}

}  // namespace
}  // namespace tabwright
