// --lines, and the FILE:LINE lines of --check.
#include "cli/code_formatter.h"
#include "cli_support.h"

namespace tabwright::cli {
namespace {

using test::Crlf;
using test::RunCli;

const std::string kCode = Crlf("IF a THEN BEGIN\nb:=1;\nIF c THEN\nd;\nEND;\n");
// Lines 6-9 and 12-15 are the bodies A and B.
const std::string kObject = Crlf("OBJECT Codeunit 50001 Two\n{\n  CODE\n  {\n    PROCEDURE A@1();\n    BEGIN\n      IF a THEN\n"
                                 "      b;\n    END;\n\n    PROCEDURE B@2();\n    BEGIN\n      IF c THEN\n      d;\n    END;\n  }\n}\n");

TEST(LinesTest, OnlyChosenLinesChangeAndAsTheWholeFormatMakesThem) {
    EXPECT_EQ(RunCli({"--lines=2:2"}, kCode).out, Crlf("IF a THEN BEGIN\n  b := 1;\nIF c THEN\nd;\nEND;\n"));
    EXPECT_EQ(RunCli({"--lines=4:4", "--lines=2:2"}, kCode).out,
              Crlf("IF a THEN BEGIN\n  b := 1;\nIF c THEN\n    d;\nEND;\n"));
    EXPECT_EQ(RunCli({"--lines=1:5"}, kCode).out, RunCli({}, kCode).out);
    EXPECT_EQ(RunCli({"--lines=3:3"}, "IF a THEN BEGIN\nb;\nIF c THEN\n").out, "IF a THEN BEGIN\nb;\n  IF c THEN\n");
    // A leading break, which a whole format moves to the end, goes with line 1.
    const std::string lead = "\r\nIF a THEN\r\nb;\r\n";
    EXPECT_EQ(RunCli({"--lines=1:1"}, lead).out, "IF a THEN\r\nb;\r\n\r\n");
    EXPECT_EQ(RunCli({"--lines=3:3"}, lead).out, "\r\nIF a THEN\r\n  b;\r\n");
    EXPECT_EQ(RunCli({"--lines=1:3"}, lead).out, RunCli({}, lead).out);
    // In an export only the chosen code lines, at the depth their body gives
    // them; a BEGIN or END line chosen alone changes nothing.
    const auto chosen = [](const std::string& range, std::string object = kObject) {
        return RunCli({"--lines=" + range}, object).out;
    };
    std::string a = kObject, b = kObject, off = kObject;
    a.replace(a.find("      b;"), 8, "        b;"), b.replace(b.find("      d;"), 8, "        d;");
    off.replace(off.find("      IF c"), 10, "         IF c");
    std::string offB = off;
    offB.replace(offB.find("      d;"), 8, "        d;");
    EXPECT_EQ(chosen("14:14"), b);
    EXPECT_EQ(chosen("14:14", off), offB);
    EXPECT_EQ(chosen("12:13", off), kObject);
    for (const char* range : {"8:8", "5:8"}) EXPECT_EQ(chosen(range), a) << range;
    for (const char* range : {"5:6", "9:11"}) EXPECT_EQ(chosen(range), kObject) << range;
}

TEST(LinesTest, CheckNamesTheFirstChangedLineOfEachBodyOrFile) {
    const auto r = RunCli({"-n"}, kObject);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "<stdin>: 2 bodies would change\n");
    EXPECT_EQ(r.err, "<stdin>:8: would change\n<stdin>:14: would change\n");
    EXPECT_EQ(RunCli({"--dry-run", "--lines=12:15"}, kObject).err, "<stdin>:14: would change\n");
    EXPECT_EQ(RunCli({"--check"}, kCode).err, "<stdin>:2: would change\n");
    EXPECT_EQ(RunCli({"--check"}, RunCli({}, kCode).out).err, "");
}

// The line by line format that -i and standard output use makes what the
// whole text makes, with CR LF and with bare LF breaks.
TEST(LinesTest, StreamedFormatIsTheWholeFormat) {
    std::vector<std::string> texts = {"\r\n\r\nIF a THEN\r\nx;", "\r\n\r\n  IF a THEN\r\nx;\r\n", "\r\n\r\n\r\n", "\r\nab\r",
                                      "IF a THEN\n\rx:=1;\n\rEND;", "a:=1;\r\n\r\n b\n\r", "x\r\r\n", "a=b", "IF a THEN\r\nx:=-1\r",
                                      "BEGIN\nFoo(" + std::string(70, 'a') + "," + std::string(70, 'b') + "); // " + std::string(70, 'c')};
    for (const auto& entry : std::filesystem::directory_iterator(TABWRIGHT_EXAMPLES))
        if (entry.is_regular_file()) texts.push_back(test::ReadBytes(entry.path()));
    for (std::size_t i = 0, n = texts.size(); i < n; ++i) std::erase(texts.emplace_back(std::string(texts[i])), '\r');
    for (const std::string& text : texts) {
        CodeFormatter whole({}), streamed({});
        std::string made;
        streamed.FormatTo(text, Coding::Bytes, [&made](std::string_view piece) { made.append(piece); });
        EXPECT_EQ(made, Encode(whole.FormatText(Decode(text, Coding::Bytes)), Coding::Bytes)) << text;
    }
}

}  // namespace
}  // namespace tabwright::cli
