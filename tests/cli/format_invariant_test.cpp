// What the command line adds to the engine keeps its promise too: texts with
// bare LF breaks and exported objects change only in blanks and breaks.
#include "cli/code_formatter.h"
#include "cli/object_file.h"
#include "cli_support.h"

namespace tabwright::cli {
namespace {

using tabwright::test::N;
using tabwright::test::SameCode;

TEST(FormatInvariantTest, GeneratedTextsWithLfBreaksAndAsObjectBodies) {
    std::mt19937 rng(20030314);
    for (int n = 0; n < 400; ++n) {
        std::u16string text = tabwright::test::GeneratedCal(rng, 1 + n % 30), lf = text;
        std::erase(lf, u'\r');
        for (Action action : {Action::Reindent, Action::ShiftRight}) {
            CodeFormatter f({action, true, false});
            ASSERT_TRUE(SameCode(lf, f.FormatText(lf))) << N(lf);
        }
        // One line of it as the body of each of two procedures.
        std::erase(text, u'\n');
        std::erase(text, u'\r');
        std::u16string file = u"OBJECT Codeunit 1 X\r\n{\r\n  CODE\r\n  {\r\n";
        for (int p = 0; p < 2; ++p) file += u"    PROCEDURE P@1();\r\n    BEGIN\r\n      " + text + u"\r\n      IF a THEN\r\n      x;\r\n    END;\r\n";
        file += u"  }\r\n}\r\n";
        CodeFormatter f({});
        const ObjectTextResult r = FormatObjectText(file, f);
        ASSERT_EQ(r.bodies, 2u) << N(file);
        ASSERT_TRUE(SameCode(file, r.text)) << N(file);
    }
}

}  // namespace
}  // namespace tabwright::cli
