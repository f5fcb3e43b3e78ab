#include "cli/text_diff.h"

#include <algorithm>

#include <dtl/dtl.hpp>

namespace tabwright::cli {
namespace {

constexpr std::size_t kContext = 3;

template <class Char>
std::size_t FirstDifference(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first;
    return static_cast<std::size_t>(std::count(a.begin(), mismatch, Char('\n')));
}

// "-START,COUNT": a run of no lines is named by the line before it.
std::string Span(std::size_t first, std::size_t count) {
    return std::to_string(count == 0 ? first : first + 1) + "," + std::to_string(count);
}

void AppendLine(std::string& out, char mark, std::string_view line) {
    out.push_back(mark);
    out.append(line);
    if (!line.ends_with('\n')) out.append("\n\\ No newline at end of file\n");
}

}  // namespace

std::vector<LineHunk> DiffLineIds(const std::vector<std::size_t>& before,
                                  const std::vector<std::size_t>& after) {
    // The same lines at both ends are left out of the search.
    std::size_t head = 0, tail = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const std::vector<std::size_t> a(before.begin() + head, before.end() - tail);
    const std::vector<std::size_t> b(after.begin() + head, after.end() - tail);
    if (a.empty() && b.empty()) return {};

    dtl::Diff<std::size_t> diff(a, b);
    diff.compose();
    std::vector<LineHunk> hunks;
    std::size_t i = head, j = head;
    bool open = false;
    for (const auto& [line, info] : diff.getSes().getSequence()) {
        if (info.type == dtl::SES_COMMON) {
            open = false;
            ++i, ++j;
            continue;
        }
        if (!open) hunks.push_back({i, 0, j, 0});
        open = true;
        if (info.type == dtl::SES_DELETE) ++hunks.back().oldCount, ++i;
        else ++hunks.back().newCount, ++j;
    }
    return hunks;
}

std::vector<std::string_view> LinesAfterLf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t lf = text.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return lines;
}

std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view name) {
    const std::vector<std::string_view> a = LinesAfterLf(before), b = LinesAfterLf(after);
    const std::vector<LineHunk> changes = DiffLines(a, b);
    if (changes.empty()) return {};

    std::string out = "--- a/" + std::string(name) + "\n+++ b/" + std::string(name) + "\n";
    for (std::size_t c = 0; c < changes.size();) {
        // Changes closer than twice the context share one hunk.
        std::size_t last = c;
        while (last + 1 < changes.size() &&
               changes[last + 1].oldFirst - (changes[last].oldFirst + changes[last].oldCount) <= 2 * kContext)
            ++last;
        const LineHunk& first = changes[c];
        const LineHunk& end = changes[last];
        const std::size_t lead = std::min(kContext, first.oldFirst);
        const std::size_t oldEnd = std::min(a.size(), end.oldFirst + end.oldCount + kContext);
        const std::size_t oldFirst = first.oldFirst - lead, newFirst = first.newFirst - lead;
        const std::size_t newEnd = end.newFirst + end.newCount + (oldEnd - end.oldFirst - end.oldCount);
        out += "@@ -" + Span(oldFirst, oldEnd - oldFirst) + " +" + Span(newFirst, newEnd - newFirst) + " @@\n";

        std::size_t i = oldFirst;
        for (std::size_t k = c; k <= last; ++k) {
            const LineHunk& h = changes[k];
            for (; i < h.oldFirst; ++i) AppendLine(out, ' ', a[i]);
            for (std::size_t n = 0; n < h.oldCount; ++n) AppendLine(out, '-', a[h.oldFirst + n]);
            for (std::size_t n = 0; n < h.newCount; ++n) AppendLine(out, '+', b[h.newFirst + n]);
            i = h.oldFirst + h.oldCount;
        }
        for (; i < oldEnd; ++i) AppendLine(out, ' ', a[i]);
        c = last + 1;
    }
    return out;
}

std::size_t FirstChangedLine(std::string_view a, std::string_view b) { return FirstDifference(a, b); }
std::size_t FirstChangedLine(std::u16string_view a, std::u16string_view b) { return FirstDifference(a, b); }

}  // namespace tabwright::cli
