// Line diffs between a text and its formatted form: the changed runs of
// lines, the unified diff that git apply and patch take, and the first line
// that changed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tabwright::cli {

// Old lines [oldFirst, oldFirst + oldCount) became new lines
// [newFirst, newFirst + newCount); 0-based.
struct LineHunk {
    std::size_t oldFirst, oldCount, newFirst, newCount;
};

// The shortest edit between two lists of line numbers (equal numbers stand
// for equal lines), as runs of changed lines.
std::vector<LineHunk> DiffLineIds(const std::vector<std::size_t>& before,
                                  const std::vector<std::size_t>& after);

template <class Line>
std::vector<LineHunk> DiffLines(const std::vector<Line>& before, const std::vector<Line>& after) {
    std::unordered_map<Line, std::size_t> ids;
    auto number = [&](const std::vector<Line>& lines) {
        std::vector<std::size_t> out;
        out.reserve(lines.size());
        for (const Line& l : lines) out.push_back(ids.emplace(l, ids.size()).first->second);
        return out;
    };
    const std::vector<std::size_t> a = number(before);
    return DiffLineIds(a, number(after));
}

// The lines of a text as diff and patch count them: each up to and with its
// LF; the last one may have none.
std::vector<std::string_view> LinesAfterLf(std::string_view text);

// "--- a/NAME", "+++ b/NAME" and hunks with three lines of context; empty
// when the texts are the same.
std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view name);

// 0-based number of the first LF-ended line in which the texts differ.
std::size_t FirstChangedLine(std::string_view a, std::string_view b);
std::size_t FirstChangedLine(std::u16string_view a, std::u16string_view b);

}  // namespace tabwright::cli
