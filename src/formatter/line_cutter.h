// Cuts a text into lines the way every formatting routine does: a line ends
// with CR LF; where the rest of the text holds no CR LF, LF CR ends it too;
// otherwise the line runs to the end of the text. Each line keeps its break.
#pragma once

#include <cstddef>
#include <string_view>

namespace tabwright {

class LineCutter {
public:
    explicit LineCutter(std::u16string_view text) : text_(text) {}

    bool Done() const { return pos_ >= text_.size(); }
    bool AtFirstLine() const { return pos_ == 0; }
    std::size_t Position() const { return pos_; }

    // The next line with its two-character break (or the rest of the text).
    std::u16string_view Next();

private:
    // Searches are cached so that a text with few breaks of one kind is not
    // searched again from every line: the answer only moves forward.
    struct Cached {
        std::size_t at = 0;
        bool known = false;
    };
    std::size_t FindPair(Cached& cache, char16_t first, char16_t second);

    std::u16string_view text_;
    std::size_t pos_ = 0;
    Cached crlf_;
    Cached lfcr_;
};

}  // namespace tabwright
