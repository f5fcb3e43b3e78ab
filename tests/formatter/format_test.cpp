// Re-indentation and block shift, case by case: each case gives the input and
// the expected output, and the expected output must come back unchanged when
// formatted again. One formatter serves every case, so no run may leave
// anything behind for the next.
#include <gtest/gtest.h>

#include "formatter/formatter.h"
#include "text_support.h"

namespace tabwright {
namespace {

using test::Crlf;
using test::N;
using test::W;

struct Case {
    std::string input, expected;   // "\n" stands for CR LF where the text holds no CR
    const char* labels = nullptr;  // the trace, "|" between labels; nullptr: not checked
};

class FormatTest : public ::testing::Test {
protected:
    std::string Format(const std::string& text, bool sign) {
        TraceRecorder host(sign);
        const std::string out = N(formatter.Nesting(W(text), host));
        trace = test::Joined(host.Labels());
        return out;
    }

    void Verify(const Case& c, bool sign = false) {
        const auto lines = [](const std::string& t) { return t.find('\r') == std::string::npos ? Crlf(t) : t; };
        const std::string input = lines(c.input), expected = lines(c.expected);
        EXPECT_EQ(Format(input, sign), expected) << "input:\n" << input;
        if (c.labels) {
            EXPECT_EQ(trace, c.labels) << "input:\n" << input;
        }
        EXPECT_EQ(Format(expected, sign), expected) << "formatted again:\n" << expected;
    }

    Formatter formatter;
    std::string trace;
};

TEST_F(FormatTest, Reindentation) {
    const Case cases[] = {
        {"IF a THEN BEGIN\n  b := 1;\n       END;\nWHILE x DO\nx := x - 1;\nc;\n",
         "IF a THEN BEGIN\n  b := 1;\nEND;\nWHILE x DO\n  x := x - 1;\nc;\n"},
        // Texts of three characters or fewer come back as they are, with an
        // empty trace; from four on they are formatted.
        {"", "", ""}, {"x", "x", ""}, {"  ;", "  ;", ""}, {"\r\nx", "\r\nx", ""}, {"x;  ", "x;"},
        // Every line carries the first line's indentation.
        {"  IF a THEN\nb := 1;\n", "  IF a THEN\n    b := 1;\n"},
        {"    x;\n  y;\nz;", "    x;\n    y;\n    z;"},
        // A leading break is dropped where blanks follow it, else moved to the end.
        {"\r\n  x;\r\ny;\r\n", "  x;\r\n  y;\r\n"}, {"\r\n x;\r\ny;", " x;\r\n y;"}, {"\r\nx;\r\n", "x;\r\n\r\n"},
        {"\r\n\r\nx;", "x;\r\n\r\n"}, {"\r\n\r\n  x;", "  x;\r\n"},
        // The last line needs no break; its trailing blanks go.
        {"a;\nb", "a;\nb"}, {"IF a THEN\nb", "IF a THEN\n  b"},
        // LF CR ends lines where the text holds no CR LF.
        {"IF a THEN\n\rb;\n\rc;", "IF a THEN\n\r  b;\n\rc;"},
        // A bare LF in a text of CR LF breaks no line.
        {"x\nIF a THEN\r\nb;\r\n", "x\nIF a THEN\r\n  b;\r\n"},
        // Empty lines get the block's indentation; a tab follows it; blanks
        // before a break stay.
        {"BEGIN\n\n\tx;  \nEND;\n", "BEGIN\n  \n  \tx;  \nEND;\n"},
        // No keyword rule tests a comment line.
        {"// note, see BEGIN\nx;\n", "// note, see BEGIN\nx;\n"},
        // Surplus block ends drop every later line a step; keywords are read
        // in any case, and an END closes its block at the end of the text too.
        {"END;\nBEGIN\ny;\nEND;\n", "END;\nBEGIN\ny;\nEND;\n"},
        {"BEGIN\nx;\nEND\n", "BEGIN\n  x;\nEND\n", "BEGIN|;|END CrLf"},
        {"BEGIN\nx;\nend\ny;\n", "BEGIN\n  x;\nend\ny;\n"}, {"BEGIN\nx;\nEND", "BEGIN\n  x;\nEND"},
        // BEGIN ends the rules of its line; found anywhere, it opens a block.
        {"IF x THEN BEGIN\ny;\nEND ELSE BEGIN\nz;\nEND;\n", "IF x THEN BEGIN\n  y;\nEND ELSE BEGIN\n  z;\nEND;\n",
         "BEGIN|;|END Space| ELSE Space|BEGIN|;|END;|;"},
        {"if a then begin\nwhile b do\nc;\nend;\n", "if a then begin\n  while b do\n    c;\nend;\n"},
        {"WITH Rec DO\nFOR i := 1 TO 2 DO\nx;\ny;\n", "WITH Rec DO\n  FOR i := 1 TO 2 DO\n    x;\ny;\n"},
        {"BEGIN\nEndDate := 0D;\nEND;\n", "BEGIN\n  EndDate := 0D;\nEND;\n"},
        {"Entry.SETRANGE(Code,'ELSE');\nx;\n", "Entry.SETRANGE(Code,'ELSE');\nx;\n", ";|;"},
        {"CASE x OF\n1: // first\na;\n'A':\nb;\n\"No.\": x;\nELSE\nd;\nEND;\n",
         "CASE x OF\n  1: // first\n    a;\n  'A':\n    b;\n  \"No.\": x;\n  ELSE\n    d;\nEND;\n",
         "CASE OF|: CrLf|;|: CrLf|;|;|ELSE CrLf|;|END;|;"},
        {"Ratio := Amount / Qty\nx;\n", "Ratio := Amount / Qty\nx;\n", ";"},
        {"CASE x OF\n1: \na;\nEND;\n", "CASE x OF\n  1: \n    a;\nEND;\n", "CASE OF|: CrLf|;|END;|;"},
        {"CASE x OF\n1: EXIT(a / b);\n2: EXIT(0);\nEND;\n", "CASE x OF\n  1: EXIT(a / b);\n  2: EXIT(0);\nEND;\n"},
        // Each construct writes its label as it is read.
        {"WITH c DO\nIF a THEN x\nELSE\nFOREACH n IN l DO\nFoo(n,\nb);\nIF a THEN x ELSE\ny;\nREPEAT\nUNTIL b;\n",
         "WITH c DO\n  IF a THEN x\n  ELSE\n    FOREACH n IN l DO\n      Foo(n,\n        b);\nIF a THEN x ELSE\n  y;\nREPEAT\nUNTIL b;\n",
         "WITH Space|ELSE CrLf|FOREACH Space|, CrLf|;| ELSE CrLf|;|REPEAT|UNTIL Space|;"},
        // A comment after a statement that may have ended stands where the next would.
        {"IF a THEN\nx := 1\n// c\nELSE\ny;\n", "IF a THEN\n  x := 1\n// c\nELSE\n  y;\n"},
    };
    for (const Case& c : cases) Verify(c);
}

// Keywords count only in code, a statement is judged as a whole however
// many lines it takes, and its later lines go one step in, or stay where
// their author aligned them.
TEST_F(FormatTest, CodeAsItIsWritten) {
    const Case cases[] = {
        // The "::" of an option value is no label colon.
        {"Item.SETRANGE(\"Costing Method\",Item.\"Costing Method\"::FIFO);\nItem.FINDSET;\n"
         "Rec.SETRANGE(Status,Rec.Status::Open); // open only\nRec.FINDFIRST;\n",
         "Item.SETRANGE(\"Costing Method\",Item.\"Costing Method\"::FIFO);\nItem.FINDSET;\n"
         "Rec.SETRANGE(Status,Rec.Status::Open); // open only\nRec.FINDFIRST;\n", ";|;|;|;"},
        {"IF Ok THEN Rec.SETRANGE(Status,Rec.Status::Open) // open only\nELSE\nRec.SETRANGE(Status);\n",
         "IF Ok THEN Rec.SETRANGE(Status,Rec.Status::Open) // open only\nELSE\n  Rec.SETRANGE(Status);\n"},
        {"CASE Item.\"Costing Method\" OF\nItem.\"Costing Method\"::FIFO:\nx := 1;\n\"Line Type\"::Item:\ny;\n"
         "'A': EXIT;\n'B':\nz := 3;\nEND;\n",
         "CASE Item.\"Costing Method\" OF\n  Item.\"Costing Method\"::FIFO:\n    x := 1;\n  \"Line Type\"::Item:\n    y;\n"
         "  'A': EXIT;\n  'B':\n    z := 3;\nEND;\n"},
        // A statement on the line of its IF, ELSE, WHILE, FOR or WITH ends
        // the body there.
        {"IF NOT Cust.GET(No) THEN EXIT;\nIF Cust.FINDFIRST THEN;\nIF Ok THEN x := 1 ELSE x := 2;\n"
         "WHILE i > 0 DO i := i - 1;\nFOR i := 1 TO 3 DO Sum := Sum + i;\nWITH Cust DO MODIFY;\nx;\n",
         "IF NOT Cust.GET(No) THEN EXIT;\nIF Cust.FINDFIRST THEN;\nIF Ok THEN x := 1 ELSE x := 2;\n"
         "WHILE i > 0 DO i := i - 1;\nFOR i := 1 TO 3 DO Sum := Sum + i;\nWITH Cust DO MODIFY;\nx;\n"},
        {"IF a THEN BEGIN\nb;\nEND ELSE EXIT;\nIF a THEN x := 1\nELSE\ny := 2;\nc;\n",
         "IF a THEN BEGIN\n  b;\nEND ELSE EXIT;\nIF a THEN x := 1\nELSE\n  y := 2;\nc;\n"},
        // Names, text constants and comments that hold keywords.
        {"IF Ok THEN BEGIN\nBeginDate := WORKDATE;\nMESSAGE('Press BEGIN');\nx := 1; // BEGIN\n"
         "RepeatCount := 0;\nCaseNo := \"End Date\";\nEND;\ny;\n",
         "IF Ok THEN BEGIN\n  BeginDate := WORKDATE;\n  MESSAGE('Press BEGIN');\n  x := 1; // BEGIN\n"
         "  RepeatCount := 0;\n  CaseNo := \"End Date\";\nEND;\ny;\n"},
        // A brace comment runs over lines and keeps its own layout.
        {"BEGIN\n{ old code:\n  IF x THEN BEGIN\n    y;\n}\nz;\nEND;\n",
         "BEGIN\n  { old code:\n    IF x THEN BEGIN\n      y;\n  }\n  z;\nEND;\n"},
        // A condition over lines.
        {"IF (Qty > 0) AND\n(Price > 0) THEN\nPost;\nWHILE NOT Found AND\n(i < 10)\nDO BEGIN\ni := i + 1;\nEND;\n",
         "IF (Qty > 0) AND\n   (Price > 0) THEN\n  Post;\nWHILE NOT Found AND\n      (i < 10)\nDO BEGIN\n  i := i + 1;\nEND;\n"},
        {"IF NOT EVALUATE(\n     Time,\n     Text) THEN\n  EXIT;\n", "IF NOT EVALUATE(\n     Time,\n     Text) THEN\n  EXIT;\n"},
        {"REPEAT\nx;\nUNTIL (a > 0) OR\n(b = 0);\nIF (a AND\nb) THEN BEGIN\nx := a +\nEND ELSE IF (b) AND\n(c) THEN\ny;\nz;\n",
         "REPEAT\n  x;\nUNTIL (a > 0) OR\n      (b = 0);\nIF (a AND\n    b) THEN BEGIN\n  x := a +\nEND ELSE IF (b) AND\n"
         "            (c) THEN\n  y;\nz;\n"},
        // Later lines of a statement: one step for each level still open.
        {"Insert(No,\nName,\nCity);\nTotal :=\nAmount + VAT;\nShare := Total DIV\nCount;\nEntry :=\nPostLine(\nHeader,Line,\nQty,FALSE);\n"
         "Line.\"Unit Cost\" := ROUND(\nAmount / Qty,Precision);\n",
         "Insert(No,\n  Name,\n  City);\nTotal :=\n  Amount + VAT;\nShare := Total DIV\n  Count;\nEntry :=\n  PostLine(\n    Header,Line,\n    Qty,FALSE);\n"
         "Line.\"Unit Cost\" := ROUND(\n    Amount / Qty,Precision);\n"},
        {"  SalesLine.SETRANGE(\"Document Type\",\n                     SalesHeader.\"Document Type\");\n",
         "  SalesLine.SETRANGE(\"Document Type\",\n                     SalesHeader.\"Document Type\");\n"},
        {"CASE Type OF\nType::Order,\nType::Invoice:\nPost;\nEND;\n", "CASE Type OF\n  Type::Order,\n  Type::Invoice:\n    Post;\nEND;\n"},
        // Comment and empty lines keep the depth for the line after them.
        {"IF Found THEN\n// the first one wins\nEXIT(TRUE);\nIF a THEN\n\nb;\nx;\n",
         "IF Found THEN\n  // the first one wins\n  EXIT(TRUE);\nIF a THEN\n  \n  b;\nx;\n"},
        // An ELSE belongs to the innermost IF that has none yet.
        {"IF a THEN\nIF b THEN\nx\nELSE\ny\nELSE\nz;\nw;\n", "IF a THEN\n  IF b THEN\n    x\n  ELSE\n    y\nELSE\n  z;\nw;\n"},
        {"IF a THEN\nBEGIN\nx;\nEND\nELSE\nCASE x OF\n1:\nIF a THEN\nb\nELSE\nc;\nELSE\nd;\nEND;\n",
         "IF a THEN\n  BEGIN\n    x;\n  END\nELSE\n  CASE x OF\n    1:\n      IF a THEN\n        b\n      ELSE\n        c;\n    ELSE\n"
         "      d;\n  END;\n"},
    };
    for (const Case& c : cases) Verify(c);
}

// Constructs of real code, each as its authors indent it: formatting keeps
// it, and brings it back from a copy with every line's indentation removed.
TEST_F(FormatTest, RealCodeAsItsAuthorsIndentIt) {
    const std::string longCase = std::string(130, 'a') + " OF";  // no blank to split at but after CASE
    const std::string rows[] = {
        "FOREACH Node IN NodeList DO\n  FOREACH Attr IN Node.Attributes DO\n    Extract(Attr);\nDone;\n",
        "ErrorText := COPYSTR(ErrorText,\n    Position + STRLEN(Marker)\n    );\nx := 1;\n",
        "Matrix.Generate(RecRef,SetWanted,CaptionSet\n  ,CaptionRange,Columns);\nEXIT(ROUND((Point - Expected) / Qty,1,'>')\n  * Qty);\n",
        "IF Policy = Policy::\" \" THEN\n  IF Maximum <= 0 THEN BEGIN\n    x := 1;\n  END\n  ELSE\n    IF Point > Maximum THEN\n"
        "      y := 2;\nz := 3;\n",
        "IF p THEN\n  IF a THEN\n    IF b THEN BEGIN\n      x;\n    END ELSE BEGIN\n      y;\n    END\n  ELSE\n    z;\n",
        "IF a THEN\n  CASE x OF\n    1:\n      y;\n  END ELSE // no header\n  z;\nw;\n",
        "IF a THEN BEGIN\n  IF b THEN\n    x;\nEND ELSE\n  y;\n",
        "IF\n   (Template.\"Table ID\" = DATABASE::Customer) OR\n   (Template.\"Table ID\" = DATABASE::Vendor)\nTHEN\n"
        "  Count := Count + 1;\n",
        "CASE Kind OF\n  Kind::Journal:\n    Post := TRUE;\n  ELSE\n    Line.SETRANGE(a);\n    EXIT(NOT Line.ISEMPTY);\nEND;\n",
        "CASE STRMENU(\n  STRSUBSTNO(Options,ItemText),1,Question)\nOF\n  0:\n    EXIT;\nEND;\n",
        "CASE\n  " + longCase + "\n  1:\n    x;\nEND;\n",
        "REPEAT\n  x;\nUNTIL(a = 0);\nIF(a) THEN\n  b;\nWHILE(i < 10) DO\n  i := i + 1;\nCASE(Kind) OF\n  1:\n    x;\nEND;\n",
        "IF FINDSET THEN REPEAT\n  MARK(TRUE);\nUNTIL NEXT = 0;\nIF a THEN\n  x\nELSE REPEAT\n  y;\nUNTIL b;\n"
        "WHILE a DO REPEAT\n  y;\nUNTIL b;\nIF a THEN CASE x OF\n  1:\n    y;\nEND;\n",
        "IF a THEN BEGIN REPEAT\n    x;\n  UNTIL b;\nEND;\nWHILE a DO BEGIN CASE x OF\n    1:\n      y;\n  END;\nEND;\n",
        "{ old { nested } BEGIN }\nIF a THEN\n  b;\n",
        // A label list ends with its colon; texts of one character hold no code.
        "CASE Type OF\n  Type::Order,\n  Type::Invoice: Post(a,\n      b);\n  2:\n    Foo(a,\n      b);\nEND;\n",
        "IF Sep = ':' THEN\n  x;\nCASE c OF\n  ':':\n    y;\n  '(':\n    z;\n  '''':\n    w;\nEND;\n",
        "MESSAGE('BEGIN\nIF a THEN\n  b;\n",
        // A label's values hold brackets; an option value is no assignment.
        "CASE COPYSTR(a,1,1) OF\n  COPYSTR(b,1,1):\n    x;\nEND;\nRec.SETRANGE(Status,\n  Rec.Status::Open,\n  x);\n",
    };
    for (const std::string& written : rows) {
        Verify({written, written});
        std::string flat;
        for (std::size_t i = 0; i < written.size(); ++i)
            if (written[i] != ' ' || (i > 0 && written[i - 1] != '\n' && written[i - 1] != ' ')) flat += written[i];
        Verify({flat, written});
    }
    Verify({"CASE " + longCase + "\n1:\nx;\nEND;\n", "CASE \n  " + longCase + "\n  1:\n    x;\nEND;\n"});
}

TEST_F(FormatTest, OperatorSpacingAndLongLines) {
    const std::string words = [] {  // 110 characters, ending in a blank
        std::string w;
        while (w.size() < 110) w += "word ";
        return w;
    }();
    const std::string a(90, 'a'), b(90, 'b'), c(90, 'c'), x(110, 'x');
    const Case cases[] = {
        {"IF a=b THEN\nc:=d;\n", "IF a = b THEN\n  c := d;\n", "IF Space|Fix Space=|Fix =Space|;|Fix Space:=|Fix :=Space"},
        {"x:=(a >b) OR (c>=d);\n", "x := (a >b) OR (c >= d);\n"},  // a ">" is not a spaced ">="
        {"x:=a/b; // c\n", "x := a/b; // c\n"},  // a comment keeps "/" back, as "//" always did
        // Comments are left as they are, and no operator in a brace comment
        // keeps a rule back; a line with only a "*" is spaced.
        {"x:=1; // T-SQL, passed-in\n{21EC2020-3AEA}\na:=b-c;\nFoo(a*b);\nr:=a/b; { n/=2 }\n",
         "x := 1; // T-SQL, passed-in\n{21EC2020-3AEA}\na := b - c;\nFoo(a * b);\nr := a / b; { n/=2 }\n"},
        // No blank before an operator that starts a line, none after one
        // that ends the text.
        {"BEGIN\n-x;\nx:=y+", "BEGIN\n  -x;\n  x := y +"}, {"x := \"A\"\n-1;\n", "x := \"A\"\n  - 1;\n"}, {"x := 2\n-1;\n", "x := 2\n  - 1;\n"},
        // A comment splits at its last blank and goes on as a comment; a
        // comment of one long word does not split after its "//".
        {"//" + words + words + "\n", "//" + words + words.substr(0, 15) + "\n// " + words.substr(15) + "\n"},
        {"x := 1; // " + words + x.substr(90) + "\n", "x := 1; // " + words + "\n// " + x.substr(90) + "\n"},
        {"// " + std::string(140, 'w') + "\n", "// " + std::string(140, 'w') + "\n"},
        // Each piece of a code line is a line of its own, split again while
        // it is too long.
        {"  BEGIN\nFoo(" + a + ", " + b + ", " + c + ");\n",
         "  BEGIN\n    Foo(" + a + ",\n      " + b + ",\n      " + c + ");\n"},
        // Never inside a text constant, a quoted name or a brace comment.
        {"Body := Cell + 'a, b, c" + x + ", d';\n", "Body := Cell + \n  'a, b, c" + x + ", d';\n"},
        {"y := \"" + x + a.substr(70) + ", m\" + 1;\n", "y := \n  \"" + x + a.substr(70) + ", m\" + 1;\n"},
        {"z := 1 { " + words + words + "};\n", "z := 1 \n{ " + words + words + "};\n"},
        {"t := a / b + Foo(" + x + ", " + c + ");\n", "t := a / b + Foo(" + x + ",\n    " + c + ");\n"},
        // A line of 130 characters and its break fits.
        {std::string(126, 'x') + ", y;\n", std::string(126, 'x') + ", y;\n"},
        // Nowhere to break: the line stays whole.
        {"Foo('" + words + words + "');\n", "Foo('" + words + words + "');\n"},
        {std::string(200, 'x') + "\n", std::string(200, 'x') + "\n"},
    };
    for (const Case& c : cases) Verify(c, true);

    // Indentation so deep that no break column is left.
    std::string deep;
    for (int i = 0; i < 70; ++i) deep += "BEGIN\r\n";
    const std::string out = Format(deep + "a, b c;\r\n", false);
    EXPECT_EQ(out.substr(out.size() - 149), std::string(140, ' ') + "a, b c;\r\n");
}

TEST(BlockShiftTest, OneStepLeftOrRight) {
    std::string words;
    while (words.size() < 140) words += "word ";
    words.resize(140);
    const std::string comma = std::string(99, 'a') + "," + std::string(20, 'b') + " " + std::string(30, 'c');
    const std::string solid(150, 'z');
    const struct {
        bool right;
        std::string input, expected;
    } cases[] = {
        {false, "    a;\r\n    b;\r\n", "  a;\r\n  b;\r\n"}, {false, " a;\r\n\tb;\r\n\r\nc;\r\n", " a;\r\n\tb;\r\n\r\nc;\r\n"},
        {false, "  a;\r\n  b", "a;\r\nb"}, {false, "  a;\n  b;", "a;\n  b;"}, {false, "  x", "  x"}, {false, "  ab", "ab"},
        {true, "a;\r\n\r\nb;\r\n", "  a;\r\n  \r\n  b;\r\n"}, {true, "a;\r\nb", "  a;\r\n  b"}, {true, "a;\n\rb;", "  a;\n\r  b;"},
        {true, "a;\nb;", "  a;\nb;"}, {true, "abc", "abc"}, {true, "abcd", "  abcd"},
        // Wrapped once, after the last comma, else blank, before column 128.
        {true, words + "\r\n", "  " + words.substr(0, 125) + "\r\n  " + words.substr(125) + "\r\n"},
        {true, comma, "  " + comma.substr(0, 100) + "\r\n  " + comma.substr(100)},
        // A first piece of only blanks or only "//" is never chosen.
        {true, "  " + solid, "  \r\n    " + solid}, {true, "//  " + solid, "  \r\n  //  " + solid},
        {true, "//x " + solid, "  //x \r\n  // " + solid},
        // A comment goes on as one; a text constant is never cut.
        {true, "//" + words, "  //" + words.substr(0, 125) + "\r\n  // " + words.substr(125)},
        {true, " //" + words, "   //" + words.substr(0, 125) + "\r\n  // " + words.substr(125)},
        {true, "x := '" + words + "';", "  x := \r\n  '" + words + "';"},
    };
    for (const auto& c : cases) EXPECT_EQ(N((c.right ? Indent_Right : Indent_Left)(W(c.input))), c.expected) << c.input;
}

}  // namespace
}  // namespace tabwright
