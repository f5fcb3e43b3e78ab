// One engine run per piece of code, set up from the command line: re-indent
// (with or without operator spacing) or shift, and collect the trace.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/byte_text.h"
#include "cli/line_ranges.h"
#include "cli/options.h"
#include "formatter/formatter.h"

namespace tabwright::cli {

struct FormatSettings {
    Action action = Action::Reindent;
    bool sign = true;
    bool trace = false;
    bool indentWarnings = true;  // the language server publishes misleading indentation
};

// A line whose indentation misleads (indent_findings.h), and the line of
// the IF, ELSE or loop its message names.
struct IndentWarning {
    std::size_t line, headLine;  // 1-based
    std::string message;
    std::string head;  // what headLine holds: "IF", "ELSE", "WHILE" ...
};

// Receives formatted bytes as they are made, with the input bytes they
// stand for.
using PieceSink = std::function<void(std::string_view made, std::string_view original)>;

class CodeFormatter {
public:
    explicit CodeFormatter(const FormatSettings& settings);

    // Formats a text as one clipboard text. A text whose breaks are all
    // bare LF is formatted with CR LF breaks and given back with LF.
    std::u16string FormatText(std::u16string_view text);
    // The same for the code of a body in an export, its breaks CR LF: the
    // lines stay in their order, where a clipboard text's leading line
    // breaks move to its end.
    std::u16string FormatInOrder(std::u16string_view text);

    // Formats bytes as FormatText does, handing the output to sink a line at
    // a time as it is made: besides the input only one line is held. Gives
    // the blocks still open at the end of a re-indented text.
    NestingLines::Unclosed FormatTo(std::string_view bytes, Coding coding, const PieceSink& sink);

    // A run of input lines and what becomes of them: the formatted output
    // for lines that touch a range, their own text for the rest.
    struct Piece {
        std::size_t firstLine = 1;  // 1-based
        std::size_t lineCount = 0;
        bool touched = false;
        std::u16string text;
    };
    // Re-indents only the lines that touch a range; they come out as
    // formatting the whole text would make them, every other line stays.
    // inOrder: as FormatInOrder, for a text with CR LF breaks.
    std::vector<Piece> FormatPieces(std::u16string_view text, const LineRanges& ranges, bool inOrder = false);
    std::u16string FormatLines(std::u16string_view text, const LineRanges& ranges);

    // The blocks left open by the last FormatText or FormatLines.
    NestingLines::Unclosed OpenBlocks() const { return formatter_.LastOpenBlocks(); }
    // The lines of the last text whose indentation misleads; with ranges,
    // only those on a chosen line.
    const std::vector<IndentFinding>& Findings() const { return findings_; }
    // The same as warnings, their lines moved down by offset.
    std::vector<IndentWarning> Warnings(std::size_t offset = 0) const;

    // The trace labels of every run so far, in order, when tracing is on.
    const std::vector<std::string>& Trace() const { return trace_; }
    void ForgetTrace() { trace_.clear(); }

private:
    // Keeps the trace and, while asked to, where each line ended.
    class Host : public TraceRecorder {
    public:
        using TraceRecorder::TraceRecorder;
        void LineDone(std::size_t inputEnd, std::size_t outputEnd) override {
            if (recordLines) lineEnds.push_back({inputEnd, outputEnd});
        }
        struct LineEnd {
            std::size_t input, output;
        };
        bool recordLines = false;
        std::vector<LineEnd> lineEnds;
    };

    std::u16string Run(std::u16string_view text);
    void KeepTrace();

    FormatSettings settings_;
    Formatter formatter_;
    Host host_;
    std::vector<std::string> trace_;
    std::vector<IndentFinding> findings_;
};

}  // namespace tabwright::cli
