// Where a long line may be broken without changing what it says: never
// inside a text constant, a quoted identifier or a brace comment, and inside
// a trailing comment only when the comment is carried on to the next line.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "formatter/code_reader.h"

namespace tabwright {

struct LineSplit {
    std::size_t at = 0;      // characters in the first piece; 0: no split
    bool inComment = false;  // the second piece must begin with "// "
};

// The last comma at or before 1-based position column, else the last blank
// there, among the places that are safe to break at. A place is safe when it
// stands in code or in a "//" comment that already holds some text before
// it, the first piece holds more than blanks, and something other than
// blanks and line-break characters follows it. spans are the line's
// stretches as CodeLexer reads them.
LineSplit FindLineSplit(std::u16string_view line, std::size_t column, const std::vector<CodeSpan>& spans);

}  // namespace tabwright
