// The FILE:LINE lines of --check and --dry-run, with --lines too.
#include "cli_support.h"

namespace tabwright::cli {
namespace {

using test::Crlf;
using test::RunCli;

const std::string kCode = Crlf("IF a THEN BEGIN\nb:=1;\nIF c THEN\nd;\nEND;\n");
// Lines 6-9 and 12-15 are the bodies A and B.
const std::string kObject = Crlf("OBJECT Codeunit 50001 Two\n{\n  CODE\n  {\n    PROCEDURE A@1();\n    BEGIN\n      IF a THEN\n"
                                 "      b;\n    END;\n\n    PROCEDURE B@2();\n    BEGIN\n      IF c THEN\n      d;\n    END;\n  }\n}\n");

TEST(LinesTest, CheckNamesTheFirstChangedLineOfEachBodyOrFile) {
    const auto r = RunCli({"-n"}, kObject);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "<stdin>: 2 bodies would change\n");
    EXPECT_EQ(r.err, "<stdin>:8: would change\n<stdin>:14: would change\n");
    // A body far from the chosen lines is not reported.
    EXPECT_EQ(RunCli({"--dry-run", "--lines=12:15"}, kObject + Crlf("    BEGIN\n      x;\n")).err, "<stdin>:14: would change\n");
    EXPECT_EQ(RunCli({"--check"}, kCode).err, "<stdin>:2: would change\n");
    EXPECT_EQ(RunCli({"--check"}, RunCli({}, kCode).out).err, "");
}

}  // namespace
}  // namespace tabwright::cli
