#include <algorithm>
#include <cstdint>
#include <vector>

#include "formatter/block_reader.h"
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

// Where a line stood in the text as given, for the lines whose author's
// alignment is kept; unknown for the second piece of a line that was broken.
constexpr std::int64_t kNoColumn = -1;

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
        ++lineNumber_;
        split_ = split;
        out_ = &out;
        // Spacing may lengthen the pieces again; the cutting must end even
        // where it would outgrow them.
        splitsLeft_ = raw.size();
        // A piece of a broken line goes through every rule as a line of its
        // own, so that formatting the result again changes nothing.
        std::u16string_view line = TrimBlanks(raw);
        std::int64_t column = static_cast<std::int64_t>(LeadingBlanks(raw).size());
        while (Piece(line, column, rest_)) {
            pending_.swap(rest_);
            line = pending_;
            column = kNoColumn;
        }
    }

    // Blocks still open, and the line that opened the first of them.
    NestingLines::Unclosed Open() const {
        NestingLines::Unclosed open{s_.blockDepth + (inStatement_ && OpensAtEnd() ? 1 : 0), 0};
        if (open.count > 0 && static_cast<std::size_t>(open.count) <= blocks_.size())
            open.firstLine = blocks_[blocks_.size() - static_cast<std::size_t>(open.count)].line;
        else if (open.count > 0)
            open.firstLine = blocks_.empty() ? lineNumber_ : blocks_.front().line;
        return open;
    }

    std::int64_t Closed() const { return closed_; }
    std::int64_t Opened() const { return opened_; }
    bool InBraceComment() const { return lexer_.InBrace(); }

private:
    // The level and block depth a statement's first line is written at:
    // what its block ends leave of the state; the rules that open blocks or
    // indent act on the lines after the statement.
    std::int64_t Steps(const KeywordStatement& statement) const {
        std::size_t closes = 0;
        for (const KeywordRule& rule : kKeywordRules)
            if (rule.effect == KeywordEffect::CloseBlock && rule.matches(statement)) ++closes;
        const std::int64_t level = closes == 0 ? s_.level : stack_.Below(closes - 1);
        return level + s_.blockDepth - static_cast<std::int64_t>(closes);
    }

    std::int64_t StepsColumn(std::int64_t steps) const {
        return static_cast<std::int64_t>(baseIndent_.size() + kIndentUnit.size() * static_cast<std::size_t>(std::max<std::int64_t>(steps, 0)));
    }

    // A later line of a statement stands as far right of its first line as
    // its author put it, when that is two blanks or more. Otherwise: the
    // values of a CASE label that runs over lines stand under each other;
    // the later lines of a condition under its first character (and one
    // further for each bracket still open); the others one step in for each
    // level the lines before them opened (the assignment, brackets).
    std::int64_t ContinuationColumn(std::int64_t column) const {
        const std::int64_t step = static_cast<std::int64_t>(kIndentUnit.size());
        const std::int64_t offset = column == kNoColumn || anchor_.given == kNoColumn ? 0 : column - anchor_.given;
        if (offset >= step) return anchor_.column + offset;
        if (labelList_) return anchor_.column + std::max<std::int64_t>(offset, 0);
        if (conditionAt_ != 0) return anchor_.column + conditionAt_ + brackets_;
        return anchor_.column + step * continuation_;
    }

    // After each line of a statement: how deep its next line goes.
    void FollowContinuation(const LineFacts& facts, bool first) {
        const std::int64_t balance = facts.bracketBalance;
        brackets_ = std::max<std::int64_t>(brackets_ + balance, 0);
        const bool assignment = !assigned_ && (facts.holds & kAssign) != 0;
        assigned_ = assigned_ || assignment;
        continuation_ = std::max<std::int64_t>((first ? 0 : continuation_) + balance + assignment, 1);
        if (first) conditionAt_ = facts.conditionAt;
        // The condition ends with its THEN or DO.
        if ((facts.holds & (kThen | kDo)) != 0) conditionAt_ = 0;
    }

    // Where the labels of a CASE stand: in a CASE block, and not in the
    // statement of one of its labels.
    bool AtCaseLabels() const {
        return !blocks_.empty() && blocks_.back().isCase && s_.blockDepth == static_cast<std::int64_t>(blocks_.size()) &&
               s_.level == stack_.Below(0);
    }

    // Formats and writes one line. When it is too long and can be broken,
    // writes the first piece and returns true with the second in rest.
    // column: where the line began in the text as given.
    bool Piece(std::u16string_view text, std::int64_t givenColumn, std::u16string& rest) {
        if (stack_.Empty()) stack_.Push(s_.level);
        CodeLexer after = lexer_;
        after.Line(text, spans_);
        std::u16string_view line = text;
        // Every operator holds one of = + - * /; only the spacing searches
        // the quoted ranges.
        if (host_.SignOn() && (FindAnyOf4(text, 0, u'=', u'+', u'-', u'*') < text.size() ||
                               FindChar(text, u'/') != std::u16string_view::npos)) {
            search_.TextL(text);
            search_.ScanQuotes();
            search_.Protect(spans_);
            SpaceOperators(search_, spacing_);
            // Blanks the spacing put before an operator at the start of the
            // line would only add to the indentation, and after one at the
            // very end of the text they would be trimmed by the next run.
            line = TrimBlanks(search_.TextL());
            spans_ = search_.Protected();
            const std::size_t lead = static_cast<std::size_t>(line.data() - search_.TextL().data());
            for (CodeSpan& span : spans_) {
                span.begin -= lead;
                span.end = std::min(span.end - lead, line.size());
            }
        }
        view_.Build(line, spans_);
        const bool code = !view_.Code().empty();
        LineFacts facts;
        if (code) {
            facts = ReadLineFacts(view_);
            // A block end or ELSE cannot go on an unfinished statement: the
            // statement before it ended without its semicolon.
            if (inStatement_ && (facts.head & (kEndWord | kUntil | kElseWord)) != 0) EndStatement();
        }

        std::int64_t column;
        if (!code && lexer_.InBrace()) {
            column = braceAnchor_.column + (givenColumn == kNoColumn || braceAnchor_.given == kNoColumn
                                                ? 0
                                                : std::max<std::int64_t>(givenColumn - braceAnchor_.given, 0));
        } else if (inStatement_) {
            column = code && (facts.head & kThenOrDo) != 0 ? anchor_.column : ContinuationColumn(givenColumn);
        } else if (code) {
            next_.Start(facts);
            if ((facts.head & kElseWord) != 0) TakeOpenIf();
            column = StepsColumn(Steps(next_));
        } else {
            column = StepsColumn(s_.level + s_.blockDepth);
        }

        const std::int64_t breakAt = kBreakColumn - column;
        if (static_cast<std::int64_t>(line.size()) + column > kLineLimit && breakAt > 0 &&
            line.size() <= kLongestSplitLine) {
            const LineSplit split = FindLineSplit(line, static_cast<std::size_t>(breakAt), spans_);
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
                while (Piece(piece, givenColumn, more)) {
                    first.swap(more);
                    piece = first;
                    givenColumn = kNoColumn;
                }
                return true;
            }
        }

        const bool opensBrace = !lexer_.InBrace() && after.InBrace();
        lexer_ = after;
        if (code) {
            if (!inStatement_) {
                statement_ = next_;
                inStatement_ = true;
                anchor_ = {column, givenColumn};
                labelList_ = statement_.GoesOn() && AtCaseLabels();
                brackets_ = 0;
                assigned_ = false;
                FollowContinuation(facts, true);
                ApplyCloses();
                if (statement_.BeginsWith(kEndWord) && statement_.Holds(kElse) && !openIfs_.empty() &&
                    openIfs_.back().blockDepth == s_.blockDepth)
                    openIfs_.pop_back();
            } else {
                statement_.Add(facts);
                FollowContinuation(facts, false);
            }
            if ((facts.tail & kEndsComma) != 0) host_.AddTrace(kKeywordRules[kCommaRule].label);
            if (!statement_.GoesOn()) EndStatement();
        }
        spacing_.MoveTo(host_);
        if (opensBrace) braceAnchor_ = {column, givenColumn};
        out_->append(baseIndent_);
        out_->append(static_cast<std::size_t>(column) - baseIndent_.size(), u' ');
        out_->append(line);
        return false;
    }

    void ApplyCloses() {
        for (const KeywordRule& rule : kKeywordRules) {
            if (rule.effect != KeywordEffect::CloseBlock || !rule.matches(statement_)) continue;
            host_.AddTrace(rule.label);
            --s_.blockDepth;
            ++closed_;
            s_.level = stack_.Pop();
            if (!blocks_.empty()) blocks_.pop_back();
            while (!openIfs_.empty() && openIfs_.back().blockDepth > s_.blockDepth) openIfs_.pop_back();
        }
    }

    // An ELSE at the start of a statement belongs to the innermost IF of
    // this block whose body is a single statement and has no ELSE yet.
    void TakeOpenIf() {
        if (openIfs_.empty() || openIfs_.back().blockDepth != s_.blockDepth) return;
        s_.level = openIfs_.back().level;
        openIfs_.pop_back();
    }

    bool OpensAtEnd() const {
        for (const KeywordRule& rule : kKeywordRules)
            if ((rule.effect == KeywordEffect::OpenBlock || rule.effect == KeywordEffect::OpenBlockAndStop) &&
                rule.matches(statement_))
                return true;
        return false;
    }

    // The rules that judge a statement as a whole, then the bookkeeping.
    void EndStatement() {
        inStatement_ = false;
        labelList_ = false;
        bool openIf = false;
        for (std::size_t i = statement_.Plain() ? kKeywordRules.size() - 1 : 0; i < kKeywordRules.size(); ++i) {
            const KeywordRule& rule = kKeywordRules[i];
            if (rule.effect == KeywordEffect::CloseBlock || i == kCommaRule || !rule.matches(statement_)) continue;
            host_.AddTrace(rule.label);
            if (rule.effect == KeywordEffect::IndentNext) {
                s_.indentNext = true;
                openIf = openIf || i == kIfRule;
            } else if (rule.effect != KeywordEffect::LabelOnly) {
                stack_.Push(s_.level);
                s_.openBlock = true;
                opensCase_ = i == kCaseRule;
                if (rule.effect == KeywordEffect::OpenBlockAndStop) {
                    s_.sawBegin = true;
                    break;
                }
            }
        }
        // A semicolon ends every IF of this block that still waited for an ELSE.
        if (statement_.EndsWith(kEndsSemicolon))
            while (!openIfs_.empty() && openIfs_.back().blockDepth >= s_.blockDepth) openIfs_.pop_back();
        if (openIf) openIfs_.push_back({s_.level, s_.blockDepth});
        EndOfStatement();
    }

    void EndOfStatement() {
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
            ++opened_;
            blocks_.push_back({lineNumber_, opensCase_});
            opensCase_ = false;
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
    // A line others are placed against: where it is written, and where it
    // stood in the text as given.
    struct Anchor {
        std::int64_t column = 0;
        std::int64_t given = kNoColumn;
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

    CodeLexer lexer_;
    std::vector<CodeSpan> spans_;
    CodeView view_;
    KeywordStatement statement_, next_;
    bool inStatement_ = false;
    Anchor anchor_;       // the first line of the current statement
    Anchor braceAnchor_;  // the line that opened the current brace comment
    bool labelList_ = false;  // the statement is the values of a CASE label
    // The continuation of the current statement: brackets still open, the
    // steps of its next line, whether its assignment was seen, and where its
    // condition begins (0: none, or no longer).
    std::int64_t brackets_ = 0, continuation_ = 1, conditionAt_ = 0;
    bool assigned_ = false;
    std::size_t lineNumber_ = 0;
    struct Block {
        std::size_t line;  // where it opened
        bool isCase;
    };
    std::vector<Block> blocks_;  // the open blocks, innermost last
    bool opensCase_ = false;
    std::int64_t closed_ = 0, opened_ = 0;  // blocks so far
    struct OpenIf {
        std::int64_t level, blockDepth;
    };
    std::vector<OpenIf> openIfs_;
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

NestingLines::Unclosed NestingLines::OpenBlocks() const { return run_->Open(); }

BlockReader::BlockReader() : host_(std::make_unique<TraceRecorder>(false, false)) {
    lines_ = std::make_unique<NestingLines>(formatter_, *host_);
}

BlockReader::~BlockReader() = default;

BlockReader::Blocks BlockReader::Line(std::u16string_view raw) {
    const std::int64_t closed = lines_->run_->Closed(), opened = lines_->run_->Opened();
    scratch_.clear();
    lines_->Line(raw, scratch_);
    return {lines_->run_->Closed() - closed, lines_->run_->Opened() - opened};
}

bool BlockReader::InComment() const { return lines_->run_->InBraceComment(); }

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
        lastOpen_ = {};
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
    lastOpen_ = lines.OpenBlocks();
    return out;
}

}  // namespace tabwright
