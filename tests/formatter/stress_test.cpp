// Inputs far beyond what a clipboard normally carries. Slow (the output of
// deep nesting grows with the square of the depth), so run on their own.
#include <gtest/gtest.h>

#include "formatter/formatter.h"

namespace tabwright {
namespace {

TEST(NestingStressTest, FortyThousandUnbalancedBlockStarts) {
    constexpr std::size_t kDepth = 40000;
    std::u16string text;
    for (std::size_t i = 0; i < kDepth; ++i) text += u"BEGIN\r\n";
    text += u"x;";
    Formatter formatter;
    TraceRecorder host(false, false);
    const std::u16string out = formatter.Nesting(text, host);
    // Line k is indented by k steps: 2 * (0 + 1 + ... + kDepth) blanks in all.
    EXPECT_EQ(out.size(), text.size() + kDepth * (kDepth + 1));
    EXPECT_EQ(out.substr(out.size() - 2 * kDepth - 2), std::u16string(2 * kDepth, u' ') + u"x;");
    EXPECT_EQ(formatter.Stack().Count(), static_cast<std::int64_t>(kDepth) + 1);
}

TEST(NestingStressTest, HundredMegabyteTextWithoutLineBreaks) {
    std::u16string text(100u << 20, u'x');
    Formatter formatter;
    TraceRecorder host(true, false);
    const std::u16string out = formatter.Nesting(text, host);
    EXPECT_EQ(out.size(), text.size());
}

}  // namespace
}  // namespace tabwright
