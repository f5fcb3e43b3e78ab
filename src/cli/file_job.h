// Formatting one input: read it, format it as plain code or as an exported
// object, then print, check or rewrite it. Jobs share nothing and may run
// side by side.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/file_io.h"
#include "cli/input_list.h"
#include "cli/options.h"
#include "cli/run.h"

namespace tabwright::cli {

struct JobReport {
    ExitStatus status = ExitStatus::Ok;
    std::string output;    // formatted text for standard output
    std::string listing;   // --check lines for standard output
    std::string messages;  // errors, warnings and trace for standard error
};

// stdinBytes is what standard input held, read once beforehand, or why it
// could not be read. Binary input (a NUL byte in its first 8000 bytes, as
// git tells them) is never formatted. With out, formatted text for
// standard output is written there as it is made instead of kept in the
// report.
JobReport FormatInput(const Input& input, const Options& options, const Outcome<ByteBlock>& stdinBytes,
                      std::ostream* out = nullptr);

}  // namespace tabwright::cli
