#include <algorithm>
#include <cstdint>
#include <vector>

#include "formatter/block_reader.h"
#include "formatter/formatter.h"
#include "formatter/line_cutter.h"
#include "formatter/line_split.h"
#include "formatter/nesting_reader.h"

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

// One run of Nesting over a text: the per-line state and the output.
class NestingRun {
public:
    NestingRun(InstrNew& search, NestingHost& host) : search_(search), host_(host) {}

    // One line as cut from the text, with its break (if any) at its end;
    // its output is appended to out. split is the break written where a too
    // long line is broken.
    void Line(std::u16string_view raw, bool first, std::u16string_view split, std::u16string& out) {
        if (first) {
            baseIndent_.assign(LeadingBlanks(raw));
            reader_ = NestingReader(baseIndent_.size(), &findings_);
        }
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
    NestingLines::Unclosed Open() const { return {reader_.OpenCount(), reader_.OutermostOpenLine()}; }

    std::vector<IndentFinding> Findings() const { return reader_.Findings(); }
    std::int64_t Closed() const { return reader_.Closed(); }
    std::int64_t Opened() const { return reader_.Opened(); }
    bool InBraceComment() const { return lexer_.InBrace(); }

private:
    // Formats and writes one line. When it is too long and can be broken,
    // writes the first piece and returns true with the second in rest.
    // column: where the line began in the text as given.
    bool Piece(std::u16string_view text, std::int64_t givenColumn, std::u16string& rest) {
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
            SpaceOperators(search_, spacing_, reader_.AfterOperand());
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
        ReadTokens(line, spans_, tokens_);
        const bool code = !tokens_.empty();

        std::int64_t column;
        labels_.clear();
        if (!code && lexer_.InBrace()) {
            column = braceAnchor_.column + (givenColumn == kNoColumn || braceAnchor_.given == kNoColumn
                                                ? 0
                                                : std::max<std::int64_t>(givenColumn - braceAnchor_.given, 0));
        } else {
            before_ = reader_;
            findingsBefore_ = findings_.size();
            column = reader_.Line(tokens_, givenColumn, {lineNumber_, outputLines_ + 1}, labels_);
        }

        const std::int64_t breakAt = kBreakColumn - column;
        if (static_cast<std::int64_t>(line.size()) + column > kLineLimit && breakAt > 0 &&
            line.size() <= kLongestSplitLine) {
            const LineSplit split = FindLineSplit(line, static_cast<std::size_t>(breakAt), spans_);
            if (split.at != 0 && splitsLeft_ > 0) {
                --splitsLeft_;
                if (code) {
                    reader_ = before_;
                    findings_.resize(findingsBefore_);
                }
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
        for (std::u16string_view label : labels_) host_.AddTrace(label);
        spacing_.MoveTo(host_);
        if (opensBrace) braceAnchor_ = {column, givenColumn};
        out_->append(baseIndent_);
        out_->append(static_cast<std::size_t>(column) - baseIndent_.size(), u' ');
        out_->append(line);
        ++outputLines_;
        return false;
    }

    InstrNew& search_;
    NestingHost& host_;
    std::u16string* out_ = nullptr;
    std::u16string baseIndent_;
    std::u16string_view split_;
    std::size_t splitsLeft_ = 0;
    SpacingLabels spacing_;
    std::u16string pending_, rest_;

    CodeLexer lexer_;
    std::vector<CodeSpan> spans_;
    std::vector<Token> tokens_;
    std::vector<IndentFinding> findings_;
    NestingReader reader_, before_;  // before_: as it was before the line, should the line be broken
    std::size_t findingsBefore_ = 0;
    TraceLabels labels_;
    ColumnAnchor braceAnchor_;  // the line that opened the current brace comment
    std::size_t lineNumber_ = 0;
    std::size_t outputLines_ = 0;  // written so far
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
    run_ = std::make_unique<Run>(formatter_.search_, host);
}

NestingLines::~NestingLines() { formatter_.search_ = InstrNew(); }

NestingLines::Unclosed NestingLines::OpenBlocks() const { return run_->Open(); }

std::vector<IndentFinding> NestingLines::Findings() const { return run_->Findings(); }

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
        lastOpen_ = {};
        lastFindings_.clear();
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
    // The lines were counted from the first after the leading breaks.
    lastFindings_ = lines.Findings();
    const std::size_t skipped = LeadingBreaks(input, false);
    for (IndentFinding& f : lastFindings_)
        for (FindingLine* l : {&f.line, &f.headLine, &f.other})
            if (l->input != 0) l->input += skipped;
    return out;
}

}  // namespace tabwright
