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

// Reads one frame after the other: a header block and its body. A block
// without a valid Content-Length, or with a line that is no header, is
// Malformed, once: what follows it up to the next Content-Length header
// (the body of unknown length, the rest of the line) is skipped. The
// stream's end, also within a message, is End.
class LspReader {
public:
    explicit LspReader(std::istream& in) : in_(in) {}
    LspFrame Next();
    // The body just read was no message (its length was wrong, say): the
    // next frame begins at the next Content-Length header.
    void SkipToNextHeader() { skip_ = true; }

private:
    bool SkipToName();

    std::istream& in_;
    bool skip_ = false;
    std::string pending_;  // a header line found behind other bytes on its line
};

void WriteLspFrame(std::ostream& out, std::string_view body);

}  // namespace tabwright::cli
