// Misleading indentation: each text with the findings it must give, as
// "LINE: message" lines, or none.
#include <gtest/gtest.h>

#include "formatter/formatter.h"
#include "text_support.h"

namespace tabwright {
namespace {

using test::Crlf;
using test::W;

std::string Findings(Formatter& formatter, const std::string& text) {
    TraceRecorder host;
    formatter.Nesting(W(Crlf(text)), host);
    std::string out;
    for (const IndentFinding& f : formatter.LastFindings())
        out += std::to_string(f.line.input) + ": " + Describe(f) + "\n";
    return out;
}

TEST(IndentFindingsTest, WhereTheIndentationTellsAnotherStory) {
    const struct {
        std::string text, findings;
    } cases[] = {
        // A one-statement body extended by indentation.
        {"IF Cust.Blocked THEN\n  ERROR(Text001);\n  Cust.MODIFY;\n",
         "3: indented as part of the IF's statement but runs after it (the IF of line 1)\n"},
        // A body statement at its head's depth, after a deleted line.
        {"IF (A = 0) AND\n   (B = '')\nTHEN\n\nAllApplied := TRUE;\n",
         "5: indented as if it ran after the IF but is its statement (the IF of line 1)\n"},
        // An ELSE under an IF that C/AL does not pair it with.
        {"IF A THEN\n  IF B THEN\n    x := 1\nELSE\n  y := 2;\n",
         "4: this ELSE stands under the IF of line 1 but belongs to another IF (the IF of line 2)\n"},
        // An empty loop body.
        {"WHILE i < 10 DO;\n  i := i + 1;\n",
         "2: indented as the WHILE's statement but the WHILE ends at its semicolon (the WHILE of line 1)\n"},
        // Nested, in a CASE branch, with comments and empty lines between.
        {"IF a THEN\n  IF b THEN\n    x;\n    y;\n",
         "4: indented as part of the IF's statement but runs after it (the IF of line 2)\n"},
        {"IF a THEN\n  IF Rec.FIND THEN;\n  x := 1;\n",
         "3: indented as part of the IF's statement but runs after it (the IF of line 1)\n"},
        {"CASE k OF\n  1:\n    BEGIN\n      IF c THEN\n        x;\n\n        // note\n        y;\n    END;\nEND;\n",
         "8: indented as part of the IF's statement but runs after it (the IF of line 4)\n"},
        {"IF a THEN\n  b;\nIF c THEN\n// why\nx;\n",
         "5: indented as if it ran after the IF but is its statement (the IF of line 3)\n"},
        {"IF a THEN BEGIN\n  b;\nEND ELSE\nc;\n",
         "4: indented as if it ran after the ELSE but is its statement (the ELSE of line 3)\n"},
        {"IF a THEN\n  x\nELSE\n  y;\n  z;\n",
         "5: indented as part of the ELSE's statement but runs after it (the ELSE of line 3)\n"},
        {"IF a THEN\n  IF b THEN BEGIN\n    x;\n  END\nELSE\n  y;\n",
         "5: this ELSE stands under the IF of line 1 but belongs to another IF (the IF of line 2)\n"},
        {"WITH Cust DO\n  VALIDATE(Name);\n  MODIFY;\n",
         "3: indented as part of the WITH's statement but runs after it (the WITH of line 1)\n"},
        {"FOREACH n IN l DO\nFoo(n);\nIF a THEN\n  b;\n",
         "2: indented as if it ran after the FOREACH but is its statement (the FOREACH of line 1)\n"},
        {"IF a THEN\n  IF b THEN BEGIN\n    x;\nEND ELSE\n  y;\n",
         "4: this ELSE stands under the IF of line 1 but belongs to another IF (the IF of line 2)\n"},
        {"IF a THEN\n  IF b THEN\n    x\n  ELSE\n    y\n  ELSE\n    z;\n",
         "6: this ELSE stands under the IF of line 2 but belongs to another IF (the IF of line 1)\n"},
        // Three of four moves of the indentation follow the nesting: enough.
        {"IF c THEN\n  ERROR;\n  MODIFY;\nBEGIN\n  x;\n  END;\n",
         "3: indented as part of the IF's statement but runs after it (the IF of line 1)\n"},
        {"FOR i := 1 TO 3 DO;\n  x;\n",
         "2: indented as the FOR's statement but the FOR ends at its semicolon (the FOR of line 1)\n"},
        // Correctly indented code, the idiom of an empty THEN, blocks, flattened code.
        {"IF a THEN\n  b;\nc;\nIF Rec.FIND THEN;\nd;\nIF a THEN\nBEGIN\n  x;\nEND;\n", ""},
        {"IF Cust.Blocked THEN\nERROR(Text001);\nCust.MODIFY;\nIF a THEN\nb;\n", ""},
        {"IF c THEN\n  ERROR;\n  MODIFY;\nBEGIN\nx;\nEND;\nBEGIN\ny;\nEND;\n", ""},
        {"IF a THEN\n  b;\nIF c THEN\nd;\nIF e THEN\nf;\n", ""},
        {"IF a THEN\n  x\nELSE\nIF b THEN\n  y;\n", ""},
        {"IF a THEN\n  b;\nIF c THEN\nd\nELSE\ne;\nIF FINDSET THEN\nREPEAT\n  x;\nUNTIL NEXT = 0;\n", ""},
        {"IF a THEN\nBEGIN\nIF b THEN\nx;\ny;\nEND;\nWHILE c DO;\nz;\n", ""},
    };
    Formatter formatter;
    for (const auto& c : cases) EXPECT_EQ(Findings(formatter, c.text), c.findings) << c.text;

    // Lines are counted in the text as given and in the formatted text,
    // where a leading break moved to the end and a long line was broken.
    TraceRecorder host;
    formatter.Nesting(W(Crlf("\nIF a THEN\n  Foo(" + std::string(60, 'a') + ", " + std::string(80, 'b') + ");\n  x;\n")), host);
    ASSERT_EQ(formatter.LastFindings().size(), 1u);
    EXPECT_EQ(Describe(formatter.LastFindings()[0]), "indented as part of the IF's statement but runs after it (the IF of line 2)");
    EXPECT_EQ(formatter.LastFindings()[0].line.input, 4u);
    EXPECT_EQ(formatter.LastFindings()[0].line.output, 4u);
    EXPECT_EQ(Describe(formatter.LastFindings()[0], 10, true), "indented as part of the IF's statement but runs after it (the IF of line 11)");
}

}  // namespace
}  // namespace tabwright
