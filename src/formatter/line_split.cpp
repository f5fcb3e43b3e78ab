#include "formatter/line_split.h"

#include <algorithm>

namespace tabwright {
namespace {

bool IsBreakChar(char16_t c) { return c == u'\r' || c == u'\n'; }

// True when something other than blanks follows index i, and it is not a
// line-break character: the second piece must have code of its own, and it
// must not start with a break that would join the inserted one.
bool ContentFollows(std::u16string_view line, std::size_t i) {
    std::size_t j = i + 1;
    while (j < line.size() && line[j] == u' ') ++j;
    return j < line.size() && !IsBreakChar(line[j]);
}

}  // namespace

LineSplit FindLineSplit(std::u16string_view line, std::size_t column, const std::vector<CodeSpan>& spans) {
    LineSplit comma, blank;
    bool pieceHasText = false;    // a non-blank before the current place
    bool commentHasText = false;  // a non-blank after the "//"
    const auto offer = [&](std::size_t i, bool inComment) {
        LineSplit& best = line[i] == u',' ? comma : blank;
        if ((pieceHasText || line[i] == u',') && ContentFollows(line, i)) best = {i + 1, inComment};
    };
    const std::size_t limit = std::min(column, line.size());
    auto span = spans.begin();
    for (std::size_t i = 0; i < limit; ++i) {
        while (span != spans.end() && span->end <= i) ++span;
        const char16_t c = line[i];
        const bool safeChar = c == u',' || c == u' ';
        if (span == spans.end() || span->begin > i) {
            if (safeChar) offer(i, false);
        } else if (span->kind == Stretch::LineComment && i >= span->begin + 2) {
            if (safeChar && commentHasText) offer(i, true);
            if (c != u' ') commentHasText = true;
        }
        if (c != u' ') pieceHasText = true;
    }
    return comma.at != 0 ? comma : blank;
}

}  // namespace tabwright
