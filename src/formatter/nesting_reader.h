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

namespace tabwright {

// Where a line stood in the text as given, for the lines whose author's
// alignment is kept; unknown for the second piece of a line that was broken.
inline constexpr std::int64_t kNoColumn = -1;

// One construct still open: a block, or a statement whose single
// sub-statement is still to come or still being read.
struct Frame {
    enum Kind : std::uint8_t { Block, Repeat, Case, If, Loop, Label };
    // If: Cond, Then, Else. Loop and Case: Head, then Body (a CASE's labels),
    // and a CASE's ELSE: Else.
    enum Phase : std::uint8_t { Head, Body, Else };
    Kind kind;
    Phase phase;
    Keyword word;        // the keyword that opened it; None for a label
    std::int64_t depth;  // the depth (in steps) its statement stands at
    std::size_t line;    // the 1-based line it began on
};

// The trace: labels of the constructs read, in order.
using TraceLabels = std::vector<std::u16string_view>;

class NestingReader {
public:
    explicit NestingReader(std::size_t baseIndent = 0) : base_(static_cast<std::int64_t>(baseIndent)) {}

    // Reads the next line (line: the line's text, trimmed, as the tokens
    // were read from it; number: its 1-based number in the text) and gives
    // the column it stands at. given: where it stood in the text as given,
    // or kNoColumn. A line without tokens (empty, or comment only) changes
    // nothing and stands where the next statement would.
    std::int64_t Line(const std::vector<Token>& tokens, std::u16string_view line, std::int64_t given,
                      std::size_t number, TraceLabels& trace);

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
    struct Anchor {
        std::int64_t column = 0;
        std::int64_t given = kNoColumn;
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
    void Label(std::u16string_view label) { trace_->push_back(label); }

    std::int64_t base_;
    std::vector<Frame> frames_;
    Reading reading_ = Reading::Statement;
    std::int64_t rootDepth_ = 0;      // falls below 0 with each block end too many
    std::int64_t statementDepth_ = 0; // of the simple statement being read
    std::int64_t brackets_ = 0;       // open in the statement being read
    std::size_t line_ = 0;
    std::int64_t opened_ = 0, closed_ = 0;

    // The line being read.
    const std::vector<Token>* tokens_ = nullptr;
    std::size_t index_ = 0;
    std::size_t valuesLine_ = 0;        // where the values of the CASE label being read began
    TraceLabels* trace_ = nullptr;
    std::uint32_t conditionStart_ = 0;  // where an IF, WHILE or UNTIL condition begins on it
    bool headerClosed_ = false;         // a THEN, DO or OF on it

    // The later lines of a statement: its first line, whether the next line
    // goes on with it, brackets still open, the steps of the next line,
    // whether its assignment was seen, where its condition begins (0: none,
    // or no longer) and whether it is the values of a CASE label.
    Anchor anchor_;
    bool goesOn_ = false;
    std::int64_t openBrackets_ = 0, continuation_ = 1, conditionAt_ = 0;
    bool assigned_ = false, labelList_ = false;
    bool afterOperand_ = false;
};

}  // namespace tabwright
