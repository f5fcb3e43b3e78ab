// What the command line adds to the engine keeps its promise too: bare-LF
// texts and exported objects only ever change in blanks and line breaks,
// apart from the "// " that the continuation of a split comment gains.
#include <gtest/gtest.h>

#include <random>

#include "cli/byte_text.h"
#include "cli/code_formatter.h"
#include "cli/object_file.h"
#include "cli_support.h"
#include "format_invariant.h"

namespace tabwright::cli {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

::testing::AssertionResult KeepsEverythingButBlanksAndBreaks(std::string_view in, std::string_view out) {
    if (tabwright::test::SameCode(Widen(in), Widen(out))) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "input:\n" << in << "\noutput:\n" << out;
}

const char* const kLines[] = {
    "IF a=b THEN", "BEGIN", "END;", "END", "end", "END ELSE", "END ELSE BEGIN", "ELSE",
    "REPEAT", "UNTIL x=0;", "CASE x OF", "1:", "'a':", "x:=y+z-1;", "a+=b*c/d;", "// a/b=c",
    "{ note", "}", "Foo(a,", "b);", "WHILE i<=10 DO", "FOR i:=1 TO 10 DO", "MESSAGE('x:=1');",
    "WITH Rec DO", "x := -1; // BEGIN", "\"Field\":", "IF a>=%1 THEN", "\tx;", "",
};

std::string GeneratedText(std::mt19937& rng) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::string text;
    const int lines = 1 + pick(40);
    for (int l = 0; l < lines; ++l) {
        text.append(pick(6) == 0 ? pick(10) : 0, ' ');
        switch (pick(12)) {
            case 0: {  // long line, with or without places to split
                const int len = 100 + pick(200);
                for (int k = 0; k < len; ++k) text.push_back(pick(9) == 0 ? ",  x"[pick(4)] : 'a' + pick(26));
                break;
            }
            case 1: text.append("// ").append(150, 'c'); break;
            case 2:
                for (int k = 0; k < 1 + pick(20); ++k) text.push_back(static_cast<char>(pick(256)));
                break;
            default: text.append(kLines[pick(std::size(kLines))]);
        }
        text.append(pick(8) == 0 ? pick(3) : 0, ' ');
        const char* breaks[] = {"\r\n", "\r\n", "\r\n", "\n", "\n\r", "\r", ""};
        if (l + 1 < lines || pick(2)) text.append(breaks[pick(std::size(breaks))]);
    }
    return text;
}

TEST(FormatInvariantTest, GeneratedTextsWithLfBreaksAndAsObjects) {
    std::mt19937 rng(20030314);
    for (int n = 0; n < 600; ++n) {
        std::string text = GeneratedText(rng);
        std::string lf = text;
        std::erase(lf, '\r');
        for (FormatSettings s : {FormatSettings{Action::Reindent, true, false}, FormatSettings{Action::ShiftRight, true, false}}) {
            CodeFormatter f(s);
            ASSERT_TRUE(KeepsEverythingButBlanksAndBreaks(lf, f.Format(lf)));
        }
        CodeFormatter f({});
        ASSERT_TRUE(KeepsEverythingButBlanksAndBreaks(text, FormatObjectFile(text, f).bytes));
        ASSERT_TRUE(KeepsEverythingButBlanksAndBreaks(lf, FormatObjectFile(lf, f).bytes));
    }
}

// Exported objects built from the generated texts: every body is formatted.
TEST(FormatInvariantTest, GeneratedObjectBodies) {
    std::mt19937 rng(7);
    for (int n = 0; n < 200; ++n) {
        std::string file = "OBJECT Codeunit 1 X\r\n{\r\n  CODE\r\n  {\r\n";
        for (int p = 0; p < 3; ++p) {
            file += "    PROCEDURE P@1();\r\n    BEGIN\r\n";
            std::string body = GeneratedText(rng);
            std::erase(body, '\n');
            std::erase(body, '\r');
            file += "      " + body + "\r\n      IF a=b THEN\r\n      x:=1;\r\n    END;\r\n\r\n";
        }
        file += "  }\r\n}\r\n";
        CodeFormatter f({});
        const ObjectFileResult r = FormatObjectFile(file, f);
        ASSERT_EQ(r.bodies, 3u) << file;
        ASSERT_EQ(r.changedBodies, 3u);
        ASSERT_TRUE(KeepsEverythingButBlanksAndBreaks(file, r.bytes));
    }
}

TEST(FormatInvariantTest, TestObjects) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(TABWRIGHT_TEST_DATA) / "objects")) {
        const std::string text = ReadBytes(entry.path());
        for (bool sign : {true, false}) {
            CodeFormatter f({Action::Reindent, sign, false});
            EXPECT_TRUE(KeepsEverythingButBlanksAndBreaks(text, FormatObjectFile(text, f).bytes)) << entry.path();
        }
        ++files;
    }
    EXPECT_GE(files, 6);
}

}  // namespace
}  // namespace tabwright::cli
