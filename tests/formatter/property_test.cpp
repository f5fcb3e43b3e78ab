// Generated and bundled inputs through every routine: nothing but layout may
// change, nothing may crash, and re-indentation must settle after one pass.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>

#include "format_invariant.h"
#include "formatter/formatter.h"
#include "text_support.h"

namespace tabwright {
namespace {

using test::SameCode;

// Pieces that steer the rules: keywords, operators, quotes, comments,
// braces, every kind of break, tabs and characters beyond Latin-1.
constexpr std::array<std::u16string_view, 44> kPieces{
    u"BEGIN",  u"END",   u"END;",  u"end",     u"IF ",    u"THEN",  u"ELSE",   u" ELSE ",
    u"CASE ",  u" OF",   u"REPEAT", u"UNTIL ", u"WHILE ", u"WITH ", u"FOR ",   u":=",
    u"+=",     u"<=%",   u"=",     u"+",       u"-",      u"--",    u"*",      u"/",
    u"//",     u"'",     u"\"",    u":",       u",",      u";",     u"{",      u"}",
    u" ",      u"    ", u"\t",    u"\r\n",    u"\r\n",   u"\n",    u"\r",     u"\n\r",
    u"x",      u"Amount", u"\u00e6\u00f8\u00e5", u"\u4e2d\U0001F600"};

std::u16string RandomText(std::mt19937& rng, std::size_t pieces) {
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::uniform_int_distribution<int> longRun(0, 40);
    std::u16string text;
    for (std::size_t i = 0; i < pieces; ++i) {
        text += kPieces[pick(rng)];
        if (longRun(rng) == 0) text.append(150, u'w');  // forces long-line splits
    }
    return text;
}

void CheckAllRoutines(const std::u16string& text) {
    Formatter formatter;
    for (bool sign : {false, true}) {
        TraceRecorder host(sign);
        const std::u16string out = formatter.Nesting(text, host);
        ASSERT_TRUE(SameCode(text, out)) << "sign=" << sign << " input:\n" << test::N(text);
        // Formatted code settles, wherever CR only stands in CR LF pairs.
        bool loneCr = false;
        for (std::size_t i = 0; i < text.size(); ++i)
            loneCr |= text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n');
        if (!loneCr) {
            ASSERT_EQ(test::N(formatter.Nesting(out, host)), test::N(out)) << test::N(text);
        }
    }
    ASSERT_TRUE(SameCode(text, Indent_Left(text))) << test::N(text);
    ASSERT_TRUE(SameCode(text, Indent_Right(text))) << test::N(text);
}

TEST(FormatPropertyTest, GeneratedTextsKeepTheirCode) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 10000; ++round) CheckAllRoutines(RandomText(rng, round % 120));
}

TEST(FormatPropertyTest, BundledExamplesKeepTheirCodeAndSettle) {
    const std::filesystem::path dir = TABWRIGHT_EXAMPLES_DIR;
    int seen = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        const std::u16string text = test::W(bytes);
        CheckAllRoutines(text);
        Formatter formatter;
        TraceRecorder host(true);
        const std::u16string once = formatter.Nesting(text, host);
        // Split lines may be split again; the rest must already be settled.
        EXPECT_EQ(formatter.Nesting(formatter.Nesting(once, host), host),
                  formatter.Nesting(once, host))
            << entry.path();
        ++seen;
    }
    EXPECT_GE(seen, 3);
}

TEST(FormatPropertyTest, InvariantCheckerRejectsLostAndAddedCode) {
    EXPECT_TRUE(SameCode(u"a := 1;\r\n", u"  a := 1;\r\n"));
    EXPECT_TRUE(SameCode(u"// a b\r\n", u"// a\r\n// b\r\n"));
    EXPECT_FALSE(SameCode(u"a := 1;\r\n", u"a := ;\r\n"));
    EXPECT_FALSE(SameCode(u"a;", u"a;b"));
    EXPECT_FALSE(SameCode(u"a\tb", u"ab"));
}

}  // namespace
}  // namespace tabwright
