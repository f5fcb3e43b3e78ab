// The command line of tabwright-format.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/line_ranges.h"

namespace tabwright::cli {

enum class Action { Reindent, ShiftLeft, ShiftRight };

struct Options {
    Action action = Action::Reindent;
    bool sign = true;
    bool trace = false;
    bool inPlace = false;
    bool check = false;  // also -n, --dry-run
    bool diff = false;
    bool objects = false;
    bool exportsOnly = false;  // files that are not exported objects are skipped
    bool lsp = false;
    bool indentWarnings = true;  // report lines whose indentation misleads
    bool indentErrors = false;   // and fail the run on them
    bool help = false;
    bool version = false;
    LineRanges lines;  // --lines: only these lines (or the bodies that hold them)
    // Paths as given; "-" stands for standard input. Empty means standard input.
    std::vector<std::string> inputs;
};

struct ParsedOptions {
    std::optional<Options> options;
    std::string error;  // one line, set when options is empty
};

ParsedOptions ParseOptions(std::span<const std::string_view> args);

std::string UsageText();

}  // namespace tabwright::cli
