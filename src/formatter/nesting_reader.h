// Reads C/AL's statements token by token, across lines, as the compiler
// nests them: BEGIN ... END, REPEAT ... UNTIL, CASE ... OF ... END, and the
// one statement that follows THEN, ELSE, DO or a CASE label. From that it
// tells the column each line stands at: a line that begins a statement, or
// with END, UNTIL, ELSE, at the depth of what it belongs to; a later line of
// a statement under the statement's first line, as its author aligned it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "formatter/code_reader.h"
#include "formatter/indent_findings.h"

namespace tabwright {

// Where a line stood in the text as given, for the lines whose author's
// alignment is kept; unknown for the second piece of a line that was broken.
inline constexpr std::int64_t kNoColumn = -1;

// A line others are placed against: where it is written, and where it
// stood in the text as given.
struct ColumnAnchor {
    std::int64_t column = 0;
    std::int64_t given = kNoColumn;
};

// One construct still open: a block, or a statement whose single
// sub-statement is still to come or still being read.
struct Frame {
    enum Kind : std::uint8_t { Block, Repeat, Case, If, Loop, Label };
    // If: Cond, Then, Else. Loop and Case: Head, then Body (a CASE's labels),
    // and a CASE's ELSE: Else.
    enum Phase : std::uint8_t { Head, Body, Else };
    // Where its one statement began: not yet, on the line of its head, on a
    // line of its own, or nowhere (the empty statement of a ';').
    enum Start : std::uint8_t { NotYet, OnHeadLine, OwnLine, Empty };
    Kind kind = Block;
    Phase phase = Head;
    Keyword word = Keyword::None;  // the keyword that opened it; None for a label
    Start body = NotYet;
    Keyword bodyWord = Keyword::None;  // how its one statement begins (BEGIN ...)
    std::int64_t depth = 0;  // the depth (in steps) its statement stands at
    FindingLine line;        // the line it began on
    std::int64_t given = kNoColumn;  // where its author put that line
    // Its one statement's line as its author put it; for an IF in its
    // ELSE, the ELSE's line.
    std::int64_t bodyGiven = kNoColumn;
    FindingLine elseLine;
    std::int64_t elseGiven = kNoColumn;
    // The finding of a THEN statement at the IF's depth (index in the
    // findings, or -1), and whether it was taken back for the ELSE after it.
    std::int64_t flushFinding = -1;
    bool flushThen = false;
    // Its head (and its ELSE) stands at the depth of its line: only then do
    // its author's columns say where it is.
    bool aligned = false, elseAligned = false;

    // BEGIN, REPEAT and CASE ... OF: what END or UNTIL closes.
    bool IsBlock() const { return kind == Block || kind == Repeat || (kind == Case && phase != Head); }
};

// The trace: labels of the constructs read, in order.
using TraceLabels = std::vector<std::u16string_view>;

class NestingReader {
public:
    // Findings go to findings, which outlives the reader and its copies: a
    // copy kept to read a line again shares it, and the caller takes back
    // what the line added.
    explicit NestingReader(std::size_t baseIndent = 0, std::vector<IndentFinding>* findings = nullptr)
        : base_(static_cast<std::int64_t>(baseIndent)), findings_(findings) {}

    // Reads the next line's tokens (number: its 1-based number in the text
    // and in the output) and gives the column it stands at. given: where it
    // stood in the text as given, or kNoColumn. A line without tokens
    // (empty, or comment only) changes nothing and stands where the next
    // statement would.
    std::int64_t Line(const std::vector<Token>& tokens, std::int64_t given, FindingLine number, TraceLabels& trace);

    // The lines so far whose author's indentation says they belong to
    // another statement than they do.
    std::vector<IndentFinding> Findings() const;

    // The last line ended within a statement, after an operand: a + or -
    // that begins the next line is an operator, not a sign.
    bool AfterOperand() const { return afterOperand_; }

    // Blocks opened (BEGIN, REPEAT, CASE ... OF) and closed so far; a block
    // end without an open block counts as closed.
    std::int64_t Opened() const { return opened_; }
    std::int64_t Closed() const { return closed_; }
    // The blocks still open, and the line of the outermost of them.
    std::int64_t OpenCount() const;
    std::size_t OutermostOpenLine() const;

private:
    enum class Reading : std::uint8_t {
        Statement,  // a statement may begin
        Simple,     // within a statement other than a structured one, or an UNTIL condition
        Header,     // within the head of the innermost frame, before its THEN, DO or OF
        Values,     // within the values of a CASE label, before its colon
        Done,       // just after the END of a block, before its ';'
    };
    std::int64_t Step(const Token& t, bool lineStart);
    std::int64_t Start(const Token& t, bool lineStart);
    std::int64_t CloseBlock(const Token& t, bool until);
    std::int64_t Else(bool lineStart);
    std::int64_t HeaderEnd(const Token& t, Frame::Kind kind);
    void EndStatement(bool semicolon);
    void Expression(const Token& t);
    std::int64_t StatementDepth(bool midLine) const;
    std::int64_t DepthAfterEnd() const;
    bool GoesOnAfter(const Token& last) const;
    std::int64_t Column(std::int64_t steps) const { return base_ + 2 * (steps > 0 ? steps : 0); }
    std::int64_t ContinuationColumn(std::int64_t given) const;
    void Push(Frame::Kind kind, Frame::Phase phase, Keyword word, std::int64_t depth);
    // The checks of misleading indentation (indent_findings.cpp).
    void StatementBegins(bool lineStart, Keyword word);
    void ElsePaired(Frame& owner, std::size_t passed);
    bool Find(IndentFinding::Kind kind, const Frame& head, FindingLine other = {});
    void Label(std::u16string_view label) { trace_->push_back(label); }

    std::int64_t base_;
    std::vector<Frame> frames_;
    std::vector<Frame> ended_;  // the statements the last ';' or line ended, innermost first
    Reading reading_ = Reading::Statement;
    std::int64_t rootDepth_ = 0;      // falls below 0 with each block end too many
    std::int64_t statementDepth_ = 0; // of the simple statement being read
    std::int64_t brackets_ = 0;       // open in the statement being read
    FindingLine line_;
    std::int64_t given_ = kNoColumn;      // of the line being read
    std::int64_t headGiven_ = kNoColumn;  // of the first line of its statement
    std::int64_t lineDepth_ = 0;          // of that line
    std::int64_t opened_ = 0, closed_ = 0;

    // The line being read.
    const std::vector<Token>* tokens_ = nullptr;
    std::size_t index_ = 0;
    FindingLine valuesLine_;            // where the values of the CASE label being read began
    std::int64_t valuesGiven_ = kNoColumn;
    bool judged_ = false;               // the line is a finding's, not a measure of its author
    TraceLabels* trace_ = nullptr;
    std::uint32_t conditionStart_ = 0;  // where an IF, WHILE or UNTIL condition begins on it
    bool headerClosed_ = false;         // a THEN, DO or OF on it

    // The later lines of a statement: its first line, whether the next line
    // goes on with it, brackets still open, the steps of the next line,
    // whether its assignment was seen, where its condition begins (0: none,
    // or no longer) and whether it is the values of a CASE label.
    ColumnAnchor anchor_;
    bool goesOn_ = false;
    std::int64_t openBrackets_ = 0, continuation_ = 1, conditionAt_ = 0;
    bool assigned_ = false, labelList_ = false;
    bool afterOperand_ = false;

    std::vector<IndentFinding>* findings_;
    IndentAgreement agreement_;
};

}  // namespace tabwright
