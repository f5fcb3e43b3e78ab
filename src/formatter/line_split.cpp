#include "formatter/line_split.h"

#include <algorithm>

namespace tabwright {
namespace {

enum class Stretch { Code, Text, Name, Brace, Comment };

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

LineSplit FindLineSplit(std::u16string_view line, std::size_t column) {
    LineSplit comma, blank;
    Stretch in = Stretch::Code;
    bool pieceHasText = false;    // a non-blank before the current place
    bool commentHasText = false;  // a non-blank after the "//"
    const auto offer = [&](std::size_t i, bool inComment) {
        LineSplit& best = line[i] == u',' ? comma : blank;
        if ((pieceHasText || line[i] == u',') && ContentFollows(line, i)) best = {i + 1, inComment};
    };
    const std::size_t limit = std::min(column, line.size());
    for (std::size_t i = 0; i < limit; ++i) {
        const char16_t c = line[i];
        switch (in) {
        case Stretch::Code:
            if (c == u'\'') in = Stretch::Text;
            else if (c == u'"') in = Stretch::Name;
            else if (c == u'{') in = Stretch::Brace;
            else if (c == u'/' && i + 1 < line.size() && line[i + 1] == u'/') in = Stretch::Comment, ++i;
            else if (c == u',' || c == u' ') offer(i, false);
            break;
        case Stretch::Text:
            // A doubled quote stands for one quote inside the constant.
            if (c == u'\'') {
                if (i + 1 < line.size() && line[i + 1] == u'\'') ++i;
                else in = Stretch::Code;
            }
            break;
        case Stretch::Name:
            if (c == u'"') in = Stretch::Code;
            break;
        case Stretch::Brace:
            if (c == u'}') in = Stretch::Code;
            break;
        case Stretch::Comment:
            if ((c == u',' || c == u' ') && commentHasText) offer(i, true);
            if (c != u' ') commentHasText = true;
            break;
        }
        if (c != u' ') pieceHasText = true;
    }
    return comma.at != 0 ? comma : blank;
}

}  // namespace tabwright
