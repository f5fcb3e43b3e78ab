// The built program itself, run through the shell: bytes in, the same bytes out.
#include <sys/wait.h>

#include <cstdlib>

#include "cli_support.h"

namespace tabwright::cli {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(ProgramTest, FiltersBytesAndExitsWithItsStatus) {
    TempDir dir;
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
    WriteBytes(dir / "in", "IF a THEN\r\nb:='" + high.substr(0, 64) + "';\r\n// " + high.substr(64) + "\n");
    const struct {
        std::string args;
        int status;
        std::string out;
    } cases[] = {
        {"-", 0, "IF a THEN\r\n  b := '" + high.substr(0, 64) + "';\r\n// " + high.substr(64) + "\n"},
        {"--check", 1, "<stdin>\n"},
        {"--nope", 2, ""},
    };
    for (const auto& c : cases) {
        const std::string command = std::string(TABWRIGHT_FORMAT_EXE) + " " + c.args + " <" + (dir / "in").string() +
                                    " >" + (dir / "out").string() + " 2>/dev/null";
        const int raw = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == c.status) << c.args;
        EXPECT_EQ(ReadBytes(dir / "out"), c.out) << c.args;
    }
}

}  // namespace
}  // namespace tabwright::cli
