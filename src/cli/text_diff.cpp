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

DiffWriter::DiffWriter(std::string_view name, Out out, const std::vector<std::string>* plan)
    : name_(name), out_(std::move(out)), plan_(plan) {}

void DiffWriter::Add(std::string_view before, std::string_view after) {
    // Whole lines are compared; what follows the last LF waits for the rest.
    if (oldCut_.empty() && newCut_.empty() && before == after && before.ends_with('\n'))
        return Compare(before, after);
    oldCut_.append(before);
    newCut_.append(after);
    const std::size_t oldEnd = oldCut_.rfind('\n') + 1, newEnd = newCut_.rfind('\n') + 1;
    Compare(std::string_view(oldCut_).substr(0, oldEnd), std::string_view(newCut_).substr(0, newEnd));
    oldCut_.erase(0, oldEnd);
    newCut_.erase(0, newEnd);
}

void DiffWriter::Finish() {
    Compare(oldCut_, newCut_);
    oldCut_.clear(), newCut_.clear();
    if (open_) Close(std::min(kContext, after_.size()));
}

void DiffWriter::Compare(std::string_view before, std::string_view after) {
    if (before == after) {
        for (std::string_view line : LinesAfterLf(before)) Same(line);
        return;
    }
    const std::vector<std::string_view> a = LinesAfterLf(before), b = LinesAfterLf(after);
    std::size_t i = 0;
    for (const LineHunk& h : DiffLines(a, b)) {
        for (; i < h.oldFirst; ++i) Same(a[i]);
        for (std::size_t n = 0; n < h.oldCount; ++n) Change('-', a[i++]);
        for (std::size_t n = 0; n < h.newCount; ++n) Change('+', b[h.newFirst + n]);
    }
    for (; i < a.size(); ++i) Same(a[i]);
}

void DiffWriter::Same(std::string_view line) {
    ++oldLine_, ++newLine_;
    if (!open_) {
        if (before_.size() == kContext) before_.erase(before_.begin());
        before_.emplace_back(line);
        return;
    }
    after_.emplace_back(line);
    // Changes closer than twice the context share one hunk.
    if (after_.size() > 2 * kContext) {
        Close(kContext);
        before_.assign(after_.end() - kContext, after_.end());
        after_.clear();
    }
}

void DiffWriter::Change(char mark, std::string_view line) {
    if (!open_) {
        open_ = started_ = true;
        if (plan_ && out_) Name(), out_(plan_->at(hunks_.size()));
        hunkOld_ = oldLine_ - before_.size(), hunkNew_ = newLine_ - before_.size();
        oldCount_ = newCount_ = before_.size();
        for (const std::string& l : before_) Write(' ', l);
        before_.clear();
    }
    for (const std::string& l : after_) Write(' ', l);
    oldCount_ += after_.size(), newCount_ += after_.size();
    after_.clear();
    Write(mark, line);
    if (mark == '-') ++oldLine_, ++oldCount_;
    else ++newLine_, ++newCount_;
}

void DiffWriter::Write(char mark, std::string_view line) {
    if (!out_) return;
    if (!plan_) return AppendLine(hunk_, mark, line);
    line_.clear();
    AppendLine(line_, mark, line);
    out_(line_);
}

void DiffWriter::Close(std::size_t trailing) {
    for (std::size_t n = 0; n < trailing; ++n) Write(' ', after_[n]);
    oldCount_ += trailing, newCount_ += trailing;
    hunks_.push_back("@@ -" + Span(hunkOld_, oldCount_) + " +" + Span(hunkNew_, newCount_) + " @@\n");
    if (out_ && !plan_) {
        Name();
        out_(hunks_.back());
        out_(hunk_);
        hunk_.clear();
    }
    open_ = false;
}

void DiffWriter::Name() {
    if (!named_) out_("--- a/" + name_ + "\n+++ b/" + name_ + "\n");
    named_ = true;
}

std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view name) {
    std::string out;
    DiffWriter diff(name, [&out](std::string_view piece) { out.append(piece); });
    diff.Add(before, after);
    diff.Finish();
    return out;
}

std::size_t FirstChangedLine(std::string_view a, std::string_view b) { return FirstDifference(a, b); }
std::size_t FirstChangedLine(std::u16string_view a, std::u16string_view b) { return FirstDifference(a, b); }

}  // namespace tabwright::cli
