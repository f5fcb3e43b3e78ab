// One engine run per piece of code, set up from the command line: re-indent
// (with or without operator spacing) or shift, and collect the trace.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

    // Formats bytes as one clipboard text. A text whose breaks are all bare
    // LF is formatted with CR LF breaks and given back with LF.
    std::string Format(std::string_view bytes);

    // The trace labels of every run so far, in order, when tracing is on.
    const std::vector<std::string>& Trace() const { return trace_; }

private:
    std::u16string Run(std::u16string_view text);

    FormatSettings settings_;
    Formatter formatter_;
    TraceRecorder host_;
    std::vector<std::string> trace_;
};

}  // namespace tabwright::cli
