// --lines, and the FILE:LINE lines of --check.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_support.h"

namespace tabwright::cli {
namespace {

using test::Crlf;
using test::ReadBytes;
using test::RunCli;

const std::string kCode = Crlf({"IF a THEN BEGIN", "b:=1;", "IF c THEN", "d;", "END;"});
const std::string kObject =
    Crlf({"OBJECT Codeunit 50001 Two", "{", "  CODE", "  {", "    PROCEDURE A@1();", "    BEGIN", "      IF a THEN",
          "      b;", "    END;", "", "    PROCEDURE B@2();", "    BEGIN", "      IF c THEN", "      d;", "    END;",
          "", "    BEGIN", "    END.", "  }", "}"});

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

TEST(LinesTest, OnlyChosenLinesChangeAndAsTheWholeFormatMakesThem) {
    EXPECT_EQ(RunCli({"--lines=2:2"}, kCode).out, Crlf({"IF a THEN BEGIN", "  b := 1;", "IF c THEN", "d;", "END;"}));
    EXPECT_EQ(RunCli({"--lines=4:4", "--lines=2:2"}, kCode).out,
              Crlf({"IF a THEN BEGIN", "  b := 1;", "IF c THEN", "    d;", "END;"}));
    EXPECT_EQ(RunCli({"--lines=1:5"}, kCode).out, RunCli({}, kCode).out);
    EXPECT_EQ(RunCli({"--lines=3:3", "-"}, "IF a THEN BEGIN\nb;\nIF c THEN\n").out, "IF a THEN BEGIN\nb;\n  IF c THEN\n");
    // A leading break, which a whole format moves to the end, goes with line 1.
    const std::string lead = "\r\nIF a THEN\r\nb;\r\n";
    EXPECT_EQ(RunCli({"--lines=1:1"}, lead).out, "IF a THEN\r\nb;\r\n\r\n");
    EXPECT_EQ(RunCli({"--lines=3:3"}, lead).out, "\r\nIF a THEN\r\n  b;\r\n");
    EXPECT_EQ(RunCli({"--lines=1:3"}, lead).out, RunCli({}, lead).out);
}

TEST(LinesTest, EveryOtherLineOfTheExamplesStays) {
    for (const auto& entry : std::filesystem::directory_iterator(TABWRIGHT_EXAMPLES)) {
        const std::string text = ReadBytes(entry.path());
        const auto lines = std::count(text.begin(), text.end(), '\n');
        for (long n = 1; n <= lines; ++n) {
            const std::string out = RunCli({"--lines=" + std::to_string(n) + ":" + std::to_string(n)}, text).out;
            std::size_t head = 0;
            for (long k = 1; k < n; ++k) head = text.find('\n', head) + 1;
            const std::string tail = text.substr(text.find('\n', head) + 1);
            EXPECT_EQ(out.substr(0, head), text.substr(0, head)) << entry.path() << " line " << n;
            EXPECT_TRUE(out.size() >= head + tail.size() && out.ends_with(tail)) << entry.path() << " line " << n;
        }
    }
}

TEST(LinesTest, InAnExportOnlyTheBodiesThatHoldALineAreFormatted) {
    const std::string bodyA = Replace(kObject, "      b;", "        b;");
    const std::string bodyB = Replace(kObject, "      d;", "        d;");
    EXPECT_EQ(RunCli({"--lines=14:14"}, kObject).out, bodyB);
    EXPECT_EQ(RunCli({"--lines=5:6"}, kObject).out, bodyA);
    EXPECT_EQ(RunCli({"--lines=9:9"}, kObject).out, bodyA);
    EXPECT_EQ(RunCli({"--lines=10:11"}, kObject).out, kObject);
}

TEST(LinesTest, CheckNamesTheFirstChangedLineOfEachBodyOrFile) {
    auto r = RunCli({"-n"}, kObject);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "<stdin>: 2 bodies would change\n");
    EXPECT_EQ(r.err, "<stdin>:8: would change\n<stdin>:14: would change\n");
    r = RunCli({"--dry-run", "--lines=12:15"}, kObject);
    EXPECT_EQ(r.err, "<stdin>:14: would change\n");
    EXPECT_EQ(RunCli({"--check"}, kCode).err, "<stdin>:2: would change\n");
    EXPECT_EQ(RunCli({"--check"}, RunCli({}, kCode).out).err, "");
}

TEST(LinesTest, BadCombinationsAreUsageErrors) {
    for (auto args : {std::initializer_list<std::string>{"--lines=0:3"}, {"--lines=5:2"}, {"--lines=3"},
                      {"--lines=1:x"}, {"--lines=1:2", "a", "b"}, {"--shift-left", "--lines=1:2"},
                      {"-i", "--diff", "a"}, {"--check", "--diff"}, {"--lsp", "a"}, {"--lsp", "--check"}})
        EXPECT_EQ(RunCli(args, kCode).status, 2) << *args.begin();
}

}  // namespace
}  // namespace tabwright::cli
