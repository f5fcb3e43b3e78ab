// tabwright-format from its arguments to its streams and exit status.
#include "cli/code_formatter.h"
#include "cli_support.h"

namespace tabwright::cli {
namespace {

using test::Crlf;
using test::ReadBytes;
using test::RunCli;
using test::TempDir;
using test::WriteBytes;

const std::string kRaw = Crlf("IF a THEN\nx:=1;\n");
const std::string kFormatted = Crlf("IF a THEN\n  x := 1;\n");
const std::string kMisleading = "IF a THEN\n  x;\n  y;\n", kUnmisled = "IF a THEN\n  x;\ny;\n";
const std::string kMisled = "indented as part of the IF's statement but runs after it (the IF of line 1)\n";

TEST(RunTest, StandardInputToStandardOutput) {
    std::string high;  // every byte from 0x80 on, short enough not to be split
    for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
    const std::string a(70, 'a'), b(70, 'b');
    const struct {
        std::vector<std::string> args;
        std::string in;
        int status;
        std::string out, err;
    } cases[] = {
        {{}, kRaw, 0, kFormatted, ""}, {{"-"}, kRaw, 0, kFormatted, ""}, {{}, "", 0, "", ""},
        {{"--no-sign"}, kRaw, 0, Crlf("IF a THEN\n  x:=1;\n"), ""}, {{"--no-sign", "--sign"}, kRaw, 0, kFormatted, ""},
        {{"--trace"}, kRaw, 0, kFormatted, "IF Space\n;\nFix Space:=\nFix :=Space\n"},
        {{}, Crlf("x:='" + high.substr(0, 64) + "';\n// " + high.substr(64) + "\n"), 0,
         Crlf("x := '" + high.substr(0, 64) + "';\n// " + high.substr(64) + "\n"), ""},
        // Bare LF breaks, also those the engine adds; one CR anywhere and LF alone is no break.
        {{}, "BEGIN\nFoo(" + a + "," + b + ");\nEND;\n", 0, "BEGIN\n  Foo(" + a + ",\n    " + b + ");\nEND;\n", ""},
        {{}, "IF a THEN\nx;\r", 0, "IF a THEN\nx;\r", ""}, {{"-n"}, "x;  ", 1, "<stdin>\n", "<stdin>:1: would change\n"},
        {{"--shift-left"}, "    a:=1;\n  b;\nc;\n", 0, "  a:=1;\nb;\nc;\n", ""},
        {{"--shift-right"}, "a:=1;\r\n\r\nb;", 0, "  a:=1;\r\n  \r\n  b;", ""},
        {{"--check"}, kRaw, 1, "<stdin>\n", "<stdin>:2: would change\n"}, {{"--check"}, kFormatted, 0, "", ""},
        {{"--diff"}, kRaw + "c;", 1, "--- a/-\n+++ b/-\n@@ -1,3 +1,3 @@\n IF a THEN\r\n-x:=1;\r\n+  x := 1;\r\n c;\n"
                                     "\\ No newline at end of file\n", ""},
        {{}, "x := Foo(a,\n", 0, "x := Foo(a,\n", ""},  // a statement left open opens no block
        {{"--exports-only"}, kRaw, 0, kRaw, ""},        // not an export: given back as it is
        {{"--lines=2:2"}, "IF a THEN\nx:=1;", 0, "IF a THEN\n  x := 1;", ""},  // the last line, without its break
        // A text that ends inside blocks is formatted and named.
        {{}, "IF a THEN BEGIN\nx;\nEND;\nREPEAT\nCASE b OF\n", 3, "IF a THEN BEGIN\n  x;\nEND;\nREPEAT\n  CASE b OF\n",
         "<stdin>:4: warning: the text ends with 2 blocks still open, the first opened on this line\n"},
        // Two changes far apart: two hunks.
        {{"--diff"}, "a:=1;\nx;\nx;\nx;\nx;\nx;\nx;\nx;\nc:=1;\n", 1,
         "--- a/-\n+++ b/-\n@@ -1,4 +1,4 @@\n-a:=1;\n+a := 1;\n x;\n x;\n x;\n@@ -6,4 +6,4 @@\n x;\n x;\n x;\n-c:=1;\n+c := 1;\n", ""},
        // Misleading indentation is reported, or not, or fails the run.
        {{}, kMisleading, 0, kUnmisled, "<stdin>:3: warning: " + kMisled}, {{"--no-indent-warnings"}, kMisleading, 0, kUnmisled, ""},
        {{"--check", "--indent-errors"}, kMisleading, 4, "<stdin>\n", "<stdin>:3: warning: " + kMisled + "<stdin>:3: would change\n"},
        {{"--version", "-i"}, "", 0, "tabwright-format " TABWRIGHT_VERSION "\n", ""},
        {{"--", "--check"}, "", 2, "", "--check: cannot open: No such file or directory\n"},  // a message about a file names it first
        {{}, std::string(7999, ' ') + '\0', 2, "", "<stdin>: binary, left as it is\n"}, {{"-n"}, std::string(8000, ' ') + '\0', 0, "", ""},
    };
    EXPECT_EQ(RunCli({"-h"}).out, RunCli({"--help"}).out);
    for (const auto& c : cases) {
        const auto r = RunCli(c.args, c.in);
        EXPECT_EQ(std::tie(r.status, r.out, r.err), std::tie(c.status, c.out, c.err)) << c.in;
    }
    const std::pair<std::vector<std::string>, std::string> usage[] = {
        {{"a", "--sing"}, "unknown option '--sing' (see --help)\n"},
        {{"-I"}, "unknown option '-I'"}, {{"--check=yes"}, "unknown option '--check=yes'"},
        {{"--shift-left", "--shift-right"}, "--shift-left and --shift-right"}, {{"-i", "--check", "a"}, "-i, --check and"},
        {{"--objects", "--shift-right", "a"}, "--objects, --exports-only and --lines"}, {{"--check", "--diff"}, "-i, --check and"},
        {{"-i"}, "-i needs"}, {{"-i", "a", "-"}, "-i cannot"}, {{"--lsp", "a"}, "--lsp takes"},
        {{"--lines=1:2", "a", "b"}, "--lines goes with one FILE"}, {{"--lines=5:2"}, "--lines needs"},
        {{"--lines=0:3"}, "--lines needs FIRST:LAST with 1 <= FIRST <= LAST, not '0:3'"}, {{"--lines=1:x"}, "--lines needs"},
        {{"--indent-errors", "--no-indent-warnings"}, "--indent-errors and --no-indent-warnings exclude each other"},
    };
    for (const auto& [args, error] : usage) {
        const auto r = RunCli(args, kRaw);
        EXPECT_EQ(r.status, 2) << error;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with("tabwright-format: " + error)) << r.err;
    }
}

TEST(RunTest, FilesAreCheckedOrRewrittenEachInItsOwnRun) {
    TempDir dir;
    WriteBytes(dir / "raw.txt", kRaw);
    WriteBytes(dir / "done.txt", kFormatted);
    const std::string raw = (dir / "raw.txt").string(), done = (dir / "done.txt").string();
    // A file named twice, or through a link, is checked once.
    std::filesystem::create_directory(dir / "links");
    std::filesystem::create_symlink(dir / "raw.txt", dir / "links" / "link.txt");
    auto r = RunCli({"--check", raw, done, (dir / "links" / "link.txt").string(), raw});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, raw + "\n");
    std::filesystem::remove_all(dir / "links");
    EXPECT_EQ(ReadBytes(raw), kRaw);

    const auto before = std::filesystem::last_write_time(done);
    const std::string missing = (dir / "missing.txt").string();
    r = RunCli({"-i", missing, raw, done});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.starts_with(missing + ": cannot open")) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    EXPECT_EQ(ReadBytes(raw), kFormatted);
    EXPECT_EQ(std::filesystem::last_write_time(done), before);
    EXPECT_EQ(dir.Listing(), (std::vector<std::string>{"done.txt", "raw.txt"}));

    // A folder needs --objects; nothing in it is touched.
    std::filesystem::create_directory(dir / "sub");
    WriteBytes(dir / "sub" / "x.txt", kRaw);
    r = RunCli({"-i", (dir / "sub").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find((dir / "sub").string() + ": is a folder"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "sub" / "x.txt"), kRaw);

    // Unbalanced blocks do not carry over; output keeps the argument order,
    // also when several threads check the files.
    std::vector<std::string> names, check{"--check"};
    std::string expected, listing;
    for (int i = 0; i < 64; ++i) {
        const std::string n = std::to_string(i);
        names.push_back((dir / n).string());
        WriteBytes(names.back(), Crlf("BEGIN\nx" + n + ";\n"));
        expected += Crlf("BEGIN\n  x" + n + ";\n");
        listing += names.back() + "\n";
    }
    const auto all = RunCli(names);
    EXPECT_EQ(all.out, expected);
    EXPECT_EQ(all.status, 3);  // each ends with its BEGIN open
    check.insert(check.end(), names.begin(), names.end());
    EXPECT_EQ(RunCli(check).out, listing);
}

}  // namespace
}  // namespace tabwright::cli
