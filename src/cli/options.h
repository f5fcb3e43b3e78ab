// The command line of tabwright-format.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tabwright::cli {

enum class Action { Reindent, ShiftLeft, ShiftRight };

struct Options {
    Action action = Action::Reindent;
    bool sign = true;
    bool trace = false;
    bool inPlace = false;
    bool check = false;
    bool objects = false;
    bool help = false;
    bool version = false;
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
