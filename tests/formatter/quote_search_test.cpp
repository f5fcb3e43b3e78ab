#include <gtest/gtest.h>

#include "formatter/quote_search.h"
#include "text_support.h"

namespace tabwright {
namespace {

using test::W;

struct Range {
    std::int64_t start, slut;
    bool operator==(const Range&) const = default;
};

std::vector<Range> Ranges(const InstrNew& s) {
    std::vector<Range> out;
    for (const InstrNewTegn& r : s) out.push_back({r.Start, r.Slut});
    return out;
}

InstrNew Scanned(std::string_view text) {
    InstrNew s;
    s.TextL(W(text));
    s.ScanQuotes();
    return s;
}

TEST(SeektextTest, KeywordMustStartTheTextAfterBlanksOnly) {
    EXPECT_TRUE(Seektext(u"IF a THEN", u"IF "));
    EXPECT_TRUE(Seektext(u"if a then", u"IF "));
    EXPECT_TRUE(Seektext(u"   IF a", u"IF "));
    EXPECT_FALSE(Seektext(u"ELSE IF a THEN", u"IF "));
    EXPECT_FALSE(Seektext(u"IFa", u"IF "));
    EXPECT_FALSE(Seektext(u"\tIF a", u"IF "));
    EXPECT_FALSE(Seektext(u"", u"IF "));
}

TEST(ScanQuotesTest, RangesPairLeftToRightDoubleQuotesFirst) {
    EXPECT_EQ(Ranges(Scanned("s := 'a=b';")), (std::vector<Range>{{6, 10}}));
    EXPECT_EQ(Ranges(Scanned("'It''s'")), (std::vector<Range>{{1, 4}, {5, 7}}));
    EXPECT_EQ(Ranges(Scanned("a := 'abc")), (std::vector<Range>{{6, 0}}));
    EXPECT_EQ(Ranges(Scanned("\"Cust's No.\" := 'x'")),
              (std::vector<Range>{{1, 12}, {6, 17}, {19, 0}}));
    EXPECT_TRUE(Ranges(Scanned("no quotes")).empty());
    EXPECT_TRUE(Ranges(InstrNew()).empty());
}

TEST(ScanQuotesTest, SettingTheTextDoesNotRescan) {
    InstrNew s = Scanned("'a'");
    s.TextL(u"plain");
    EXPECT_EQ(s.Count(), 1);
    s.ScanQuotes();
    EXPECT_EQ(s.Count(), 0);
}

TEST(InstrNewTest, ItemOutsideTheCollectionIsNull) {
    InstrNew s = Scanned("'a' 'b'");
    ASSERT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Item(0), nullptr);
    EXPECT_EQ(s.Item(3), nullptr);
    EXPECT_EQ(s.Item(-1), nullptr);
    ASSERT_NE(s.Item(2), nullptr);
    EXPECT_EQ(s.Item(2)->Start, 5);
}

TEST(InstrNTest, OnlyTheFirstOccurrenceIsJudged) {
    InstrNew s = Scanned("s := 'a=b';");
    EXPECT_EQ(s.InstrN(1, u":="), 3);
    EXPECT_EQ(s.InstrN(5, u"="), 0);
    EXPECT_EQ(s.InstrN(1, u"="), 4);

    InstrNew m = Scanned("MESSAGE('x=1'); y=2");
    EXPECT_EQ(m.InstrN(1, u"="), 0);
}

TEST(InstrNTest, QuotedIdentifiersAndUnclosedQuotes) {
    InstrNew id = Scanned("\"Sell-to No.\" := 1");
    EXPECT_EQ(id.InstrN(1, u"-"), 0);
    EXPECT_EQ(id.InstrN(1, u":="), 15);

    InstrNew open = Scanned("a := 'abc");
    EXPECT_EQ(open.InstrN(1, u"b"), 8);
}

TEST(InstrNTest, BoundsAreStrictAndCaseIsIgnored) {
    InstrNew s = Scanned("x'ab'");
    EXPECT_EQ(s.InstrN(1, u"'"), 2);   // on the opening quote: outside
    EXPECT_EQ(s.InstrN(3, u"B"), 0);   // inside, found without regard to case
    EXPECT_EQ(s.InstrN(1, u"x'a"), 1); // begins before the range
    EXPECT_EQ(s.InstrN(1, u"zz"), 0);
}

}  // namespace
}  // namespace tabwright
