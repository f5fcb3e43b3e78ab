#include <gtest/gtest.h>

#include "cli_support.h"

namespace tabwright::cli {
namespace {

using test::Crlf;
using test::ReadBytes;
using test::RunCli;
using test::TempDir;
using test::WriteBytes;

const std::string kRaw = Crlf({"IF a THEN", "x:=1;"});
const std::string kFormatted = Crlf({"IF a THEN", "  x := 1;"});

TEST(RunTest, StandardInputToStandardOutput) {
    for (auto args : {std::initializer_list<std::string>{}, {"-"}}) {
        const auto r = RunCli(args, kRaw);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, kFormatted);
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(RunCli({"--no-sign"}, kRaw).out, Crlf({"IF a THEN", "  x:=1;"}));
    EXPECT_EQ(RunCli({}, "").out, "");
}

TEST(RunTest, TraceGoesToStandardErrorOneLabelPerLine) {
    const auto r = RunCli({"--trace"}, kRaw);
    EXPECT_EQ(r.out, kFormatted);
    EXPECT_EQ(r.err, "IF Space\n;\nFix Space:=\nFix :=Space\n");
}

TEST(RunTest, CheckListsChangingFilesAndWritesNothing) {
    TempDir dir;
    WriteBytes(dir / "raw.txt", kRaw);
    WriteBytes(dir / "done.txt", kFormatted);
    const std::string raw = (dir / "raw.txt").string(), done = (dir / "done.txt").string();

    auto r = RunCli({"--check", done});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    r = RunCli({"--check", raw, done});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, raw + "\n");
    EXPECT_EQ(ReadBytes(dir / "raw.txt"), kRaw);
    EXPECT_EQ(RunCli({"--check"}, kRaw).out, "<stdin>\n");
    EXPECT_EQ(RunCli({"--check"}, kFormatted).status, 0);
}

TEST(RunTest, InPlaceRewritesOnlyWhatChanges) {
    TempDir dir;
    WriteBytes(dir / "raw.txt", kRaw);
    WriteBytes(dir / "done.txt", kFormatted);
    const auto before = std::filesystem::last_write_time(dir / "done.txt");
    const auto r = RunCli({"-i", (dir / "raw.txt").string(), (dir / "done.txt").string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_EQ(ReadBytes(dir / "raw.txt"), kFormatted);
    EXPECT_EQ(std::filesystem::last_write_time(dir / "done.txt"), before);
    EXPECT_EQ(dir.Listing(), (std::vector<std::string>{"done.txt", "raw.txt"}));
}

TEST(RunTest, ErrorsNameTheFileAndTheOtherFilesAreStillDone) {
    TempDir dir;
    WriteBytes(dir / "raw.txt", kRaw);
    const std::string missing = (dir / "missing.txt").string();
    auto r = RunCli({"-i", missing, (dir / "raw.txt").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.find(std::string("tabwright-format: ").append(missing).append(": ")), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    EXPECT_EQ(ReadBytes(dir / "raw.txt"), kFormatted);
    EXPECT_EQ(dir.Listing(), (std::vector<std::string>{"raw.txt"}));

    // A folder is refused without --objects, and nothing in it is touched.
    std::filesystem::create_directory(dir / "sub");
    WriteBytes(dir / "sub" / "x.txt", kRaw);
    r = RunCli({"-i", (dir / "sub").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find((dir / "sub").string()), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "sub" / "x.txt"), kRaw);
}

TEST(RunTest, UsageErrorsDoNothing) {
    const auto r = RunCli({"--frobnicate"}, kRaw);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "tabwright-format: unknown option '--frobnicate' (see --help)\n");
}

TEST(RunTest, AFailedWriteToStandardOutputIsAnError) {
    std::istringstream in(kRaw);
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(cli::Run({}, {in, out, err}), 2);
    EXPECT_EQ(err.str(), "tabwright-format: cannot write to standard output\n");
}

TEST(RunTest, HelpAndVersion) {
    auto r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find("usage: tabwright-format"), 0u);
    for (const char* option : {"--sign", "--no-sign", "--shift-left", "--shift-right", "--trace", "-i ",
                               "--check", "--objects", "--version"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    r = RunCli({"--version"});
    EXPECT_EQ(r.out, "tabwright-format " TABWRIGHT_VERSION "\n");
}

TEST(RunTest, EachFileIsItsOwnRunAndOutputKeepsArgumentOrder) {
    TempDir dir;
    // Unbalanced block starts must not carry over into the next file.
    std::vector<std::string> names;
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        const std::string n = std::to_string(i);
        const std::string name = (dir / ("f" + n + ".txt")).string();
        names.push_back(name);
        WriteBytes(name, Crlf({"BEGIN", "x" + n + ";"}));
        expected += Crlf({"BEGIN", "  x" + n + ";"});
    }
    std::vector<std::string_view> args(names.begin(), names.end());
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(cli::Run(args, {in, out, err}), 0);
    EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace tabwright::cli
