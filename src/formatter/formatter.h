// The C/AL formatting engine: re-indentation by block nesting, operator
// spacing and block shift. Pure text in, text out.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formatter/indent_findings.h"
#include "formatter/nesting_host.h"
#include "formatter/quote_search.h"

namespace tabwright {

// Two blanks per indentation step; lines longer than the limit are split
// once, at or before the break column.
inline constexpr std::u16string_view kIndentUnit = u"  ";
inline constexpr std::int64_t kLineLimit = 132;
inline constexpr std::int64_t kBreakColumn = 130;

// The blocks (BEGIN, CASE ... OF, REPEAT) still open after a text: how many
// (0 or less: none) and the 1-based number of the line that opened the
// first of them.
struct Unclosed {
    std::int64_t count = 0;
    std::size_t firstLine = 0;
};

// The formatter's own state, kept by the window that runs it: the
// quote-aware search object of the current run and what it left open.
class Formatter {
public:
    // Re-indents text by block nesting. Clears the host's trace list and
    // appends one label per rule that fires.
    std::u16string Nesting(std::u16string_view text, NestingHost& host);

    Unclosed LastOpenBlocks() const { return lastOpen_; }
    // The lines of the last text whose indentation misleads
    // (indent_findings.h), numbered in the text and in the result.
    const std::vector<IndentFinding>& LastFindings() const { return lastFindings_; }

private:
    friend class NestingLines;
    InstrNew search_;
    Unclosed lastOpen_;
    std::vector<IndentFinding> lastFindings_;
};

// Nesting for a text handed in one line at a time, as CutForNesting
// (line_cutter.h) cuts it: only the constructs still open and the state of
// the current line are kept, so a text of any size takes little memory. The
// output of each line is appended to out as soon as it is known.
class NestingLines {
public:
    NestingLines(Formatter& formatter, NestingHost& host);
    ~NestingLines();
    NestingLines(const NestingLines&) = delete;
    NestingLines& operator=(const NestingLines&) = delete;

    // raw is the next line with its break at its end.
    void Line(std::u16string_view raw, std::u16string& out);

    using Unclosed = tabwright::Unclosed;
    Unclosed OpenBlocks() const;
    // Numbered from the first line handed in.
    std::vector<IndentFinding> Findings() const;

private:
    friend class BlockReader;
    struct Run;
    Formatter& formatter_;
    std::unique_ptr<Run> run_;
};

// Puts one blank before and after the first occurrence of each of twelve
// operators, outside quoted ranges. line holds the line with its quoted
// ranges scanned, and is edited in place with its ranges kept in step.
// afterOperand: the line goes on a statement after an operand, so that a
// + or - at its start is an operator, not a sign.
void SpaceOperators(InstrNew& line, NestingHost& host, bool afterOperand = false);

// Moves every line of text one indentation step left or right.
std::u16string Indent_Left(std::u16string_view text);
std::u16string Indent_Right(std::u16string_view text);

}  // namespace tabwright
