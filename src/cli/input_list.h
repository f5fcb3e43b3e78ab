// Turns the command line's FILE and FOLDER arguments into the list of texts
// to format, in a fixed order.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/options.h"

namespace tabwright::cli {

struct Input {
    std::string name;  // as shown in messages
    std::filesystem::path path;
    bool standardInput = false;
    bool fromFolder = false;  // found by walking a folder
};

struct InputList {
    std::vector<Input> inputs;
    std::vector<std::string> errors;  // one line each, the path first
};

// Each file comes once, where it is first named or found (links followed).
// A folder is walked for .txt files (any case), sorted by path; that needs
// --objects, since only exported objects are safe to format wholesale.
InputList CollectInputs(const Options& options);

}  // namespace tabwright::cli
