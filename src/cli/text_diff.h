// Line diffs between a text and its formatted form: the changed runs of
// lines, the unified diff that git apply and patch take, and the first line
// that changed.
#pragma once

#include <cstddef>
#include <functional>
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

// A unified diff made as the text is: "--- a/NAME", "+++ b/NAME" and hunks
// with three lines of context. Add takes the next stretch of the old text
// and what became of it. Each hunk is written to out once it is complete,
// since its first line counts its lines; given the hunks' first lines from
// an earlier run over the same texts (a plan), it is written line by line
// instead. Without out the hunks are only counted. Besides a hunk in hand,
// only its context and a line either stretch leaves unfinished are held.
class DiffWriter {
public:
    using Out = std::function<void(std::string_view)>;
    DiffWriter(std::string_view name, Out out, const std::vector<std::string>* plan = nullptr);
    void Add(std::string_view before, std::string_view after);
    void Finish();
    bool Changed() const { return started_; }
    // The first line of each hunk so far ("@@ -3,4 +3,5 @@").
    const std::vector<std::string>& Hunks() const { return hunks_; }

private:
    void Compare(std::string_view before, std::string_view after);
    void Same(std::string_view line);
    void Change(char mark, std::string_view line);
    void Write(char mark, std::string_view line);
    void Close(std::size_t trailing);
    void Name();

    std::string name_;
    Out out_;
    const std::vector<std::string>* plan_;
    std::string oldCut_, newCut_;  // a last line without its LF yet
    std::size_t oldLine_ = 0, newLine_ = 0;  // 0-based numbers of the next lines
    std::vector<std::string> before_;  // up to three unchanged lines before a hunk
    std::vector<std::string> after_;   // the unchanged lines since the hunk's last change
    bool open_ = false, started_ = false, named_ = false;
    std::string hunk_, line_;
    std::size_t hunkOld_ = 0, hunkNew_ = 0, oldCount_ = 0, newCount_ = 0;
    std::vector<std::string> hunks_;
};

// The whole diff of two texts, as DiffWriter makes it; empty when they are
// the same.
std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view name);

// 0-based number of the first LF-ended line in which the texts differ.
std::size_t FirstChangedLine(std::string_view a, std::string_view b);
std::size_t FirstChangedLine(std::u16string_view a, std::u16string_view b);

}  // namespace tabwright::cli
