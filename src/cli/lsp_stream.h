// The Language Server Protocol's base layer: messages framed by a
// Content-Length header, read from and written to byte streams.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace tabwright::cli {

struct LspFrame {
    enum class Kind { Message, Malformed, End };
    Kind kind;
    std::string body;
};

// Bodies larger than this are skipped and reported as malformed.
inline constexpr std::size_t kMaxLspBody = 64u << 20;

// Reads one header block and its body. A block without a valid
// Content-Length is Malformed; the stream's end, also within a message, is End.
LspFrame ReadLspFrame(std::istream& in);

void WriteLspFrame(std::ostream& out, std::string_view body);

}  // namespace tabwright::cli
