// The whole program behind main: parses the arguments, formats every input
// and reports. Returns the exit status.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace tabwright::cli {

// What a run ends with, from least to most serious, so that the worse of
// two is the greater. ExitCode gives the number the process exits with.
enum class ExitStatus { Ok, WouldChange, Misleading, Undelimited, Error };

// 0 done, 1 --check or --diff found something to format, 4 a line's
// indentation misleads (with --indent-errors), 3 an object body was left as
// it is, 2 usage, reading or writing.
constexpr int ExitCode(ExitStatus s) {
    constexpr int codes[] = {0, 1, 4, 3, 2};
    return codes[static_cast<int>(s)];
}

constexpr ExitStatus Worse(ExitStatus a, ExitStatus b) { return a < b ? b : a; }

// One line for standard error about no file in particular:
// "tabwright-format: " and text.
std::string Message(std::string_view text);
// One line about a file, which it names first, as compilers do: "FILE: text"
// (where is "FILE" or "FILE:LINE").
std::string FileMessage(std::string_view where, std::string_view text);

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

int Run(std::span<const std::string_view> args, Streams io);

}  // namespace tabwright::cli
