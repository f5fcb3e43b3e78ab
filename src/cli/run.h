// The whole program behind main: parses the arguments, formats every input
// and reports. Returns the exit status.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace tabwright::cli {

// Exit statuses, from least to most serious.
inline constexpr int kExitOk = 0;
inline constexpr int kExitWouldChange = 1;  // --check found something to format
inline constexpr int kExitUndelimited = 3;  // an object body was left as it is
inline constexpr int kExitError = 2;        // usage, reading or writing

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

int Run(std::span<const std::string_view> args, Streams io);

}  // namespace tabwright::cli
