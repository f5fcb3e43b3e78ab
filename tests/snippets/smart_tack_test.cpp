#include <gtest/gtest.h>

#include "fake_template_host.h"
#include "snippets/smart_tack.h"

namespace tabwright {
namespace {

class SmartTackTest : public testing::Test {
protected:
    std::u16string Expand(std::u16string_view tekst) { return SmartTack(tekst, host); }

    test::FakeTemplateHost host;
};

TEST_F(SmartTackTest, LeavesTextWithoutPlaceholdersAlone) {
    for (std::u16string_view text : {u"", u"// >> Company Name\r\n", u"%", u"%%", u"%Dat%", u"Date%",
                                     u"% Date%", u"%Ver %", u"%File", u"100% done %"})
        EXPECT_EQ(Expand(text), text);
    EXPECT_EQ(host.userCalls, 0);
    EXPECT_TRUE(host.read.empty());
}

TEST_F(SmartTackTest, ReplacesTheFirstOccurrenceOfEachPlaceholderInAnyCase) {
    host.stored = {{u"Version Heading", u"2.01"}, {u"Description Heading", u"Fix"}, {u"Free Heading", u"Note"}};
    EXPECT_EQ(Expand(u"// %Date% %Time%\r\n"), u"// 24-12-2024 13:45:10\r\n");
    EXPECT_EQ(Expand(u"%Ver%|%User%|%Des%|%Free%"), u"2.01|JDOE|Fix|Note");
    EXPECT_EQ(Expand(u"%dAtE% %TIME% %ver% %usER% %DES% %free%"), u"24-12-2024 13:45:10 2.01 JDOE Fix Note");
    EXPECT_EQ(Expand(u"%Date%%date%|%Time%%Time%|%Ver%%Ver%|%User%%User%|%Des%%Des%|%Free%%FREE%"),
              u"24-12-2024%date%|13:45:10%Time%|2.01%Ver%|JDOE%User%|Fix%Des%|Note%FREE%");
}

TEST_F(SmartTackTest, FillsInMissingValues) {
    EXPECT_EQ(Expand(u"Version %Ver%."), u"Version x.xx.");
    EXPECT_EQ(Expand(u"A%Des%B%Free%C"), u"ABC");
    host.stored = {{u"Version Heading", u""}, {u"Description Heading", u""}};
    EXPECT_EQ(Expand(u"%Ver%|%Des%"), u"x.xx|");
    // A stored version that expands to nothing counts as missing too.
    host.stored = {{u"Version Heading", u"%Des%"}};
    EXPECT_EQ(Expand(u"%Ver%"), u"x.xx");
    host.user.clear();
    EXPECT_EQ(Expand(u"<%User%>"), u"<>");
}

TEST_F(SmartTackTest, AsksForValuesOnlyWhenTheirPlaceholderIsThere) {
    EXPECT_EQ(Expand(u"%Date%"), u"24-12-2024");
    EXPECT_EQ(host.userCalls, 0);
    EXPECT_TRUE(host.read.empty());
    Expand(u"%User% %Free%");
    EXPECT_EQ(host.userCalls, 1);
    EXPECT_EQ(host.read, std::vector<std::u16string>{u"Free Heading"});
}

TEST_F(SmartTackTest, WritesTheUserNameInCapitals) {
    host.user = u"s\u00F8ren \u00E6bel\u00F8";
    EXPECT_EQ(Expand(u"%User%"), u"S\u00D8REN \u00C6BEL\u00D8");
    host.user = u"MiXeD_42";
    EXPECT_EQ(Expand(u"%User%"), u"MIXED_42");
}

TEST_F(SmartTackTest, ExpandsStoredTextsInTurn) {
    host.stored = {{u"Description Heading", u"changed on %Date% by %User%"},
                   {u"Free Heading", u"release %Ver%"},
                   {u"Version Heading", u"%Time%"}};
    EXPECT_EQ(Expand(u"// %Des%"), u"// changed on 24-12-2024 by JDOE");
    EXPECT_EQ(Expand(u"// %Free%"), u"// release 13:45:10");
    EXPECT_EQ(Expand(u"%Ver% %Des% %Free%"), u"13:45:10 changed on 24-12-2024 by JDOE release 13:45:10");
}

TEST_F(SmartTackTest, ProcessesThePlaceholdersInOrder) {
    // What one step inserts is searched by the steps after it, not before.
    host.date = u"D%Time%";
    EXPECT_EQ(Expand(u"%Date%"), u"D13:45:10");
    host.time = u"T%Date%";
    EXPECT_EQ(Expand(u"%Time%"), u"T%Date%");

    // %Ver% comes before %User%: a user placeholder left in the version is
    // the first one step 4 finds.
    host.stored = {{u"Version Heading", u"v %User% %User%"}};
    EXPECT_EQ(Expand(u"%Ver% %User%"), u"v JDOE JDOE %User%");
    // %User% comes before %Des%: the template's own is replaced first.
    host.stored = {{u"Description Heading", u"by %User% and %User%"}};
    EXPECT_EQ(Expand(u"%Des% %User%"), u"by JDOE and %User% JDOE");
}

TEST_F(SmartTackTest, LeavesAPlaceholderInsideItsOwnExpansion) {
    host.stored = {{u"Version Heading", u"v%Ver%"}};
    EXPECT_EQ(Expand(u"[%Ver%]"), u"[v%Ver%]");

    host.stored = {{u"Description Heading", u"%Free%!"}, {u"Free Heading", u"%des%?"}};
    EXPECT_EQ(Expand(u"%Des%"), u"%des%?!");
    EXPECT_EQ(Expand(u"%Free%"), u"%Free%!?");

    host.stored = {{u"Version Heading", u"%Des%"}, {u"Description Heading", u"%Free%"},
                   {u"Free Heading", u"%Ver%"}};
    EXPECT_EQ(Expand(u"%Ver%"), u"%Ver%");
    EXPECT_EQ(Expand(u"%Free%"), u"%Free%");
    host.read.clear();
    EXPECT_EQ(Expand(u"%Des%|%Ver%"), u"%Des%|%Ver%");
    EXPECT_EQ(host.read.size(), 6u);
}

TEST_F(SmartTackTest, LetsSiblingsExpandTheSameStoredText) {
    host.stored = {{u"Version Heading", u"1.0"}, {u"Description Heading", u"after %Ver%"},
                   {u"Free Heading", u"%Ver%/%Des%"}};
    EXPECT_EQ(Expand(u"%Ver% %Des% %Free%"), u"1.0 after 1.0 1.0/after 1.0");
}

TEST_F(SmartTackTest, StaysSmallWhenEveryStoredTextNamesAllOthers) {
    const std::u16string all = u"%Ver%%Des%%Free%%Ver%%Des%%Free%";
    host.stored = {{u"Version Heading", all}, {u"Description Heading", all}, {u"Free Heading", all}};
    // Each chain of distinct open placeholders reads once: 3 + 3*2 + 3*2*1,
    // and each read adds at most one copy of the text.
    const std::u16string out = Expand(all);
    EXPECT_EQ(host.read.size(), 15u);
    EXPECT_LE(out.size(), all.size() * 16);
}

}  // namespace
}  // namespace tabwright
