#include "formatter/line_cutter.h"

#include "formatter/text_search.h"

namespace tabwright {

std::size_t LineCutter::FindPair(Cached& cache, char16_t first, char16_t second) {
    constexpr std::size_t npos = std::u16string_view::npos;
    if (cache.known && (cache.at == npos || cache.at >= pos_)) return cache.at;
    std::size_t at = FindChar(text_, first, pos_);
    while (at != npos && (at + 1 >= text_.size() || text_[at + 1] != second))
        at = FindChar(text_, first, at + 1);
    cache.at = at;
    cache.known = true;
    return at;
}

std::u16string_view LineCutter::Next() {
    constexpr std::size_t npos = std::u16string_view::npos;
    std::size_t eol = FindPair(crlf_, u'\r', u'\n');
    if (eol == npos) eol = FindPair(lfcr_, u'\n', u'\r');
    // Without a break the line runs to the end; a lone last character too.
    std::size_t end = (eol == npos) ? text_.size() : eol + 2;
    std::u16string_view line = text_.substr(pos_, end - pos_);
    pos_ = end;
    return line;
}

}  // namespace tabwright
