#include <algorithm>
#include <cstdint>
#include <vector>

#include "formatter/formatter.h"
#include "formatter/keyword_rules.h"
#include "formatter/line_cutter.h"
#include "formatter/line_split.h"

namespace tabwright {
namespace {

std::u16string_view TrimLeading(std::u16string_view s) {
    std::size_t b = 0;
    while (b < s.size() && s[b] == u' ') ++b;
    return s.substr(b);
}

std::u16string_view TrimBlanks(std::u16string_view s) {
    s = TrimLeading(s);
    std::size_t e = s.size();
    while (e > 0 && s[e - 1] == u' ') --e;
    return s.substr(0, e);
}

std::u16string_view LeadingBlanks(std::u16string_view s) {
    return s.substr(0, s.size() - TrimLeading(s).size());
}

bool IsCommentLine(std::u16string_view line) { return line.substr(0, 2) == u"//"; }

// Longer lines are left whole: breaking them up again and again would cost
// time in the square of their length, and no editor holds such lines.
constexpr std::size_t kLongestSplitLine = 32767;

// Holds the operator-spacing labels of one line until its keyword labels
// are written, so the trace lists them in that order. The spacing pass
// reports labels from its own static table, so views stay valid.
class SpacingLabels : public NestingHost {
public:
    void ClearTrace() override { labels_.clear(); }
    void AddTrace(std::u16string_view label) override { labels_.push_back(label); }
    bool SignOn() override { return true; }
    void MoveTo(NestingHost& host) {
        for (std::u16string_view label : labels_) host.AddTrace(label);
        labels_.clear();
    }

private:
    std::vector<std::u16string_view> labels_;
};

// One run of Nesting over a text: the per-line state and the output.
class NestingRun {
public:
    NestingRun(NestingStack& stack, InstrNew& search, NestingHost& host)
        : stack_(stack), search_(search), host_(host) {}

    // One line as cut from the text, with its break (if any) at its end;
    // its output is appended to out. split is the break written where a too
    // long line is broken.
    void Line(std::u16string_view raw, bool first, std::u16string_view split, std::u16string& out) {
        if (first) baseIndent_.assign(LeadingBlanks(raw));
        split_ = split;
        out_ = &out;
        // Spacing may lengthen the pieces again; the cutting must end even
        // where it would outgrow them.
        splitsLeft_ = raw.size();
        // A piece of a broken line goes through every rule as a line of its
        // own, so that formatting the result again changes nothing.
        std::u16string_view line = TrimBlanks(raw);
        while (Piece(line, rest_)) {
            pending_.swap(rest_);
            line = pending_;
        }
    }

private:
    // The level and block depth the line is written at: what its block ends
    // leave of the state; the rules that open blocks or indent act on the
    // lines after it.
    std::int64_t Steps(const KeywordLine& line) const {
        std::size_t closes = 0;
        for (const KeywordRule& rule : kKeywordRules)
            if (rule.effect == KeywordEffect::CloseBlock && rule.matches(line)) ++closes;
        const std::int64_t level = closes == 0 ? s_.level : stack_.Below(closes - 1);
        return level + s_.blockDepth - static_cast<std::int64_t>(closes);
    }

    // Formats and writes one line. When it is too long and can be broken,
    // writes the first piece and returns true with the second in rest.
    bool Piece(std::u16string_view text, std::u16string& rest) {
        if (stack_.Empty()) stack_.Push(s_.level);
        search_.TextL(text);
        search_.ScanQuotes();
        if (host_.SignOn()) SpaceOperators(search_, spacing_);
        // Blanks the spacing put before an operator at the start of the line
        // would only add to the indentation, and after one at the very end of
        // the text they would be trimmed by the next run.
        const std::u16string_view line = TrimBlanks(search_.TextL());
        const bool comment = IsCommentLine(line);
        const KeywordLine keywordLine{line, search_.Summary()};

        const std::int64_t steps = comment ? s_.level + s_.blockDepth : Steps(keywordLine);
        const std::int64_t unit = static_cast<std::int64_t>(kIndentUnit.size());
        const std::int64_t indentWidth =
            static_cast<std::int64_t>(baseIndent_.size()) + unit * std::max<std::int64_t>(steps, 0);
        const std::int64_t column = kBreakColumn - indentWidth;
        if (static_cast<std::int64_t>(line.size()) + indentWidth > kLineLimit && column > 0 &&
            line.size() <= kLongestSplitLine) {
            const LineSplit split = FindLineSplit(line, static_cast<std::size_t>(column));
            if (split.at != 0 && splitsLeft_ > 0) {
                --splitsLeft_;
                spacing_.MoveTo(host_);
                std::u16string first(line.substr(0, split.at));
                first.append(split_);
                rest.assign(split.inComment ? u"// " : u"");
                rest.append(TrimLeading(line.substr(split.at)));
                // The first piece fits, unless spacing it alone adds blanks.
                std::u16string more;
                std::u16string_view piece = first;
                while (Piece(piece, more)) {
                    first.swap(more);
                    piece = first;
                }
                return true;
            }
        }

        if (!comment) ApplyRules(keywordLine);
        spacing_.MoveTo(host_);
        out_->append(baseIndent_);
        if (steps > 0) out_->append(static_cast<std::size_t>(steps) * kIndentUnit.size(), u' ');
        out_->append(line);
        EndOfLine();
        return false;
    }

    void ApplyRules(const KeywordLine& line) {
        for (const KeywordRule& rule : kKeywordRules) {
            if (!rule.matches(line)) continue;
            host_.AddTrace(rule.label);
            if (rule.effect == KeywordEffect::CloseBlock) {
                --s_.blockDepth;
                s_.level = stack_.Pop();
            } else if (rule.effect == KeywordEffect::IndentNext) {
                s_.indentNext = true;
            } else if (rule.effect != KeywordEffect::LabelOnly) {
                stack_.Push(s_.level);
                s_.openBlock = true;
                if (rule.effect == KeywordEffect::OpenBlockAndStop) {
                    s_.sawBegin = true;
                    break;
                }
            }
        }
    }

    void EndOfLine() {
        // A one-statement body ends after its statement: at the outermost
        // depth the level falls back to the bottom of the stack, inside a
        // block to the level saved when the innermost block opened.
        if (!s_.indentNext && !s_.sawBegin && !s_.openBlock && stack_.Count() == 1)
            s_.level = stack_.Pop();
        if (s_.level > 0 && s_.blockDepth > 0 && !s_.indentNext && !s_.openBlock) {
            s_.level = stack_.Pop();
            stack_.Push(s_.level);
        }
        if (s_.indentNext) {
            ++s_.level;
            s_.indentNext = false;
        }
        s_.sawBegin = false;
        if (s_.openBlock) {
            ++s_.blockDepth;
            s_.openBlock = false;
        }
    }

    struct State {
        std::int64_t level = 0;
        std::int64_t blockDepth = 0;
        bool indentNext = false;
        bool openBlock = false;
        bool sawBegin = false;
    };

    NestingStack& stack_;
    InstrNew& search_;
    NestingHost& host_;
    std::u16string* out_ = nullptr;
    State s_;
    std::u16string baseIndent_;
    std::u16string_view split_;
    std::size_t splitsLeft_ = 0;
    SpacingLabels spacing_;
    std::u16string pending_, rest_;
};

bool EndsWith(std::u16string_view s, std::u16string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

struct NestingLines::Run : NestingRun {
    using NestingRun::NestingRun;
    bool first = true;
    bool lastEndedLfCr = false;
};

NestingLines::NestingLines(Formatter& formatter, NestingHost& host) : formatter_(formatter) {
    host.ClearTrace();
    formatter_.search_ = InstrNew();
    formatter_.stack_.Clear();
    run_ = std::make_unique<Run>(formatter_.stack_, formatter_.search_, host);
}

NestingLines::~NestingLines() { formatter_.search_ = InstrNew(); }

void NestingLines::Line(std::u16string_view raw, std::u16string& out) {
    // A broken line gets the break of the lines around it, so that the
    // text is cut into the same lines when it is formatted again.
    const bool lfcr = EndsWith(raw, u"\n\r") || (run_->lastEndedLfCr && !EndsWith(raw, u"\r\n"));
    run_->Line(raw, run_->first, lfcr ? u"\n\r" : u"\r\n", out);
    run_->first = false;
    run_->lastEndedLfCr = EndsWith(raw, u"\n\r");
}

std::u16string Formatter::Nesting(std::u16string_view input, NestingHost& host) {
    if (input.size() <= 3) {
        host.ClearTrace();
        stack_.Clear();
        return std::u16string(input);
    }
    std::u16string out, withBreak;
    out.reserve(input.size() + input.size() / 2);
    NestingLines lines(*this, host);
    CutForNesting(input, false, [&](std::u16string_view raw, bool crlf, std::size_t inputEnd) {
        if (crlf) raw = withBreak.assign(raw).append(u"\r\n");
        lines.Line(raw, out);
        host.LineDone(inputEnd, out.size());
    });
    return out;
}

}  // namespace tabwright
