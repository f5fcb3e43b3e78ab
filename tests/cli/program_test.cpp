// The built program itself, run as a subprocess through the shell.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

#include "cli_support.h"

namespace tabwright::cli {
namespace {

using test::Crlf;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

struct ProgramResult {
    int status;
    std::string out;
    std::string err;
};

// A path quoted for the shell (built by appending: GCC 12 warns wrongly
// about "literal" + std::string here).
std::string Quoted(const std::filesystem::path& p) {
    std::string q(1, '\'');
    q.append(p.string()).push_back('\'');
    return q;
}

// Runs the program with the given shell-quoted arguments and input.
ProgramResult RunProgram(const TempDir& dir, const std::string& args, std::string_view input) {
    WriteBytes(dir / "stdin", input);
    std::string command = Quoted(TABWRIGHT_FORMAT_EXE);
    command.append(" ").append(args);
    command.append(" <").append(Quoted(dir / "stdin"));
    command.append(" >").append(Quoted(dir / "stdout"));
    command.append(" 2>").append(Quoted(dir / "stderr"));
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(dir / "stdout"), ReadBytes(dir / "stderr")};
}

TEST(ProgramTest, FiltersStandardInputByteForByte) {
    TempDir dir;
    std::string low, high;  // 0x80-0xBF and 0xC0-0xFF, short enough not to be split
    for (int b = 0x80; b <= 0xFF; ++b) (b < 0xC0 ? low : high).push_back(static_cast<char>(b));
    const auto r = RunProgram(dir, "-", Crlf({"IF a THEN", "b:='" + low + "';", "// " + high}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, Crlf({"IF a THEN", "  b := '" + low + "';", "// " + high}));
    EXPECT_EQ(r.err, "");
}

TEST(ProgramTest, LfInputGivesLfOutput) {
    TempDir dir;
    EXPECT_EQ(RunProgram(dir, "--no-sign", "IF a THEN\nb:=1;\n").out, "IF a THEN\n  b:=1;\n");
}

TEST(ProgramTest, ExitStatuses) {
    TempDir dir;
    WriteBytes(dir / "a.txt", Crlf({"IF a THEN", "b;"}));
    const std::string file = Quoted(dir / "a.txt");
    EXPECT_EQ(RunProgram(dir, "--check " + file, "").status, 1);
    EXPECT_EQ(RunProgram(dir, "--check --shift-left " + file, "").status, 0);
    auto r = RunProgram(dir, "--nope", "");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "tabwright-format: unknown option '--nope' (see --help)\n");
    EXPECT_EQ(RunProgram(dir, "-i " + file, "").status, 0);
    EXPECT_EQ(RunProgram(dir, "--check " + file, "").status, 0);
    EXPECT_EQ(ReadBytes(dir / "a.txt"), Crlf({"IF a THEN", "  b;"}));
    r = RunProgram(dir, "--version", "");
    EXPECT_EQ(r.out, "tabwright-format " TABWRIGHT_VERSION "\n");
}

}  // namespace
}  // namespace tabwright::cli
