// Follows the blocks of a C/AL text line by line, reading keywords in code
// only (not in text constants, quoted identifiers, // or { } comments, the
// latter followed across lines), by the same rules Nesting uses: for
// callers that must find where a block ends without formatting it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "formatter/formatter.h"

namespace tabwright {

class BlockReader {
public:
    BlockReader();
    ~BlockReader();
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    struct Blocks {
        std::int64_t closed = 0;
        std::int64_t opened = 0;
    };
    // raw: the next line, its CR LF (if any) at its end. On a line such as
    // "END ELSE BEGIN" closed and opened are both 1 (the close comes first).
    // A block opened by a statement that runs over lines counts on its last.
    Blocks Line(std::u16string_view raw);
    bool InComment() const;  // a { } comment is still open after the last line

private:
    Formatter formatter_;
    std::unique_ptr<TraceRecorder> host_;
    std::unique_ptr<NestingLines> lines_;
    std::u16string scratch_;
};

}  // namespace tabwright
