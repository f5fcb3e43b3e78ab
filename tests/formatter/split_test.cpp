// Long lines are broken only where the code allows it, and every result is
// checked to stay as it is when formatted again.
#include <gtest/gtest.h>

#include "formatter/formatter.h"
#include "text_support.h"

namespace tabwright {
namespace {

struct SplitCase {
    std::string input;
    std::string expected;
};

std::string Format(const std::string& text) {
    Formatter formatter;
    TraceRecorder host(true);
    return test::N(formatter.Nesting(test::W(text), host));
}

const std::string kWords = [] {  // 110 characters, ending in a blank
    std::string w;
    while (w.size() < 110) w += "word ";
    return w;
}();

TEST(LongLineSplitTest, BreaksOnlyWhereCodeAllowsIt) {
    const std::string text = "Foo('" + kWords + kWords + "');";
    const std::string tail(20, 't');
    const SplitCase cases[] = {
        // The last comma before the break column lies inside a text constant.
        {"Body := Cell + 'a, b, c" + std::string(110, 'x') + ", d';\r\n",
         "Body := Cell + \r\n'a, b, c" + std::string(110, 'x') + ", d';\r\n"},
        // ... or inside a quoted identifier.
        {"y := \"" + std::string(130, 'n') + ", m\" + 1;\r\n",
         "y := \r\n\"" + std::string(130, 'n') + ", m\" + 1;\r\n"},
        // Nowhere safe: the line stays whole.
        {text + "\r\n", text + "\r\n"},
        // A break inside a trailing comment carries the comment on.
        {"x := 1; // " + kWords + tail + "\r\n", "x := 1; // " + kWords + "\r\n// " + tail + "\r\n"},
        // A comment made of one long word is not broken after its "//".
        {"// " + std::string(140, 'w') + "\r\n", "// " + std::string(140, 'w') + "\r\n"},
        // No blank before an operator that starts a line, none after one
        // that ends the text.
        {"-c;\r\nx:=y+", "- c;\r\nx := y +"},
        // Several leading breaks move to the end at once.
        {"\r\n\r\nx;", "x;\r\n\r\n"},
        {"\r\n\r\n  x;", "  x;\r\n"},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(Format(c.input), c.expected) << c.input;
        EXPECT_EQ(Format(c.expected), c.expected) << c.expected;
    }
}

}  // namespace
}  // namespace tabwright
