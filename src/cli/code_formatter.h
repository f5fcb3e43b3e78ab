// One engine run per piece of code, set up from the command line: re-indent
// (with or without operator spacing) or shift, and collect the trace.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/line_ranges.h"
#include "cli/options.h"
#include "formatter/formatter.h"

namespace tabwright::cli {

struct FormatSettings {
    Action action = Action::Reindent;
    bool sign = true;
    bool trace = false;
};

class CodeFormatter {
public:
    explicit CodeFormatter(const FormatSettings& settings);

    // Formats bytes as one clipboard text, one byte per character. A text
    // whose breaks are all bare LF is formatted with CR LF breaks and given
    // back with LF.
    std::string Format(std::string_view bytes);
    std::u16string FormatText(std::u16string_view text);

    // Formats bytes as Format does, handing the output to sink a line at a
    // time as it is made: besides the input only one line is held.
    void FormatTo(std::string_view bytes, const std::function<void(std::string_view)>& sink);

    // Re-indents only the lines that touch a range; they come out as
    // formatting the whole text would make them, every other line stays.
    std::u16string FormatLines(std::u16string_view text, const LineRanges& ranges);

    // The trace labels of every run so far, in order, when tracing is on.
    const std::vector<std::string>& Trace() const { return trace_; }

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
};

}  // namespace tabwright::cli
