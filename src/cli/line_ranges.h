// Line ranges chosen with --lines or by an editor: 1-based and inclusive.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace tabwright::cli {

struct LineRange {
    std::size_t first;
    std::size_t last;
};

using LineRanges = std::vector<LineRange>;

// True when lines first..last share a line with one of the ranges.
bool Touches(const LineRanges& ranges, std::size_t first, std::size_t last);

// "FIRST:LAST" with 1 <= FIRST <= LAST; nothing for anything else.
std::optional<LineRange> ParseLineRange(std::string_view text);

}  // namespace tabwright::cli
