#include "cli/line_ranges.h"

#include <charconv>

namespace tabwright::cli {
namespace {

std::optional<std::size_t> Number(std::string_view text) {
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return n;
}

}  // namespace

bool Touches(const LineRanges& ranges, std::size_t first, std::size_t last) {
    for (const LineRange& r : ranges)
        if (r.first <= last && first <= r.last) return true;
    return false;
}

std::optional<LineRange> ParseLineRange(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto first = Number(text.substr(0, colon));
    const auto last = Number(text.substr(colon + 1));
    if (!first || !last || *first == 0 || *last < *first) return std::nullopt;
    return LineRange{*first, *last};
}

}  // namespace tabwright::cli
