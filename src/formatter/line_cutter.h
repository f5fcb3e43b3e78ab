// Cuts a text into lines the way every formatting routine does: a line ends
// with CR LF; where the rest of the text holds no CR LF, LF CR ends it too;
// otherwise the line runs to the end of the text. Each line keeps its break.
// Works on 16-bit text and, for the command-line tool, on bytes.
#pragma once

#include <cstddef>
#include <string_view>

#include "formatter/text_search.h"

namespace tabwright {

template <typename Char>
class BasicLineCutter {
public:
    using View = std::basic_string_view<Char>;

    // crlfAfterEnd: the text goes on after its end with a CR LF, which
    // keeps LF CR from ending a line.
    explicit BasicLineCutter(View text, bool crlfAfterEnd = false)
        : text_(text), crlfAfterEnd_(crlfAfterEnd) {}

    bool Done() const { return pos_ >= text_.size(); }
    std::size_t Position() const { return pos_; }

    // The next line with its two-character break (or the rest of the text).
    View Next() {
        std::size_t eol = FindPair(crlf_, Char('\r'), Char('\n'));
        if (eol == View::npos && !crlfAfterEnd_) eol = FindPair(lfcr_, Char('\n'), Char('\r'));
        // Without a break the line runs to the end; a lone last character too.
        const std::size_t end = (eol == View::npos) ? text_.size() : eol + 2;
        const View line = text_.substr(pos_, end - pos_);
        pos_ = end;
        return line;
    }

private:
    // Searches are cached so that a text with few breaks of one kind is not
    // searched again from every line: the answer only moves forward.
    struct Cached {
        std::size_t at = 0;
        bool known = false;
    };

    static std::size_t Find(View text, Char c, std::size_t from) {
        if constexpr (sizeof(Char) == 2) return FindChar(text, c, from);
        else return text.find(c, from);
    }

    std::size_t FindPair(Cached& cache, Char first, Char second) {
        if (cache.known && (cache.at == View::npos || cache.at >= pos_)) return cache.at;
        std::size_t at = Find(text_, first, pos_);
        while (at != View::npos && (at + 1 >= text_.size() || text_[at + 1] != second))
            at = Find(text_, first, at + 1);
        cache.at = at;
        cache.known = true;
        return at;
    }

    View text_;
    bool crlfAfterEnd_;
    std::size_t pos_ = 0;
    Cached crlf_;
    Cached lfcr_;
};

using LineCutter = BasicLineCutter<char16_t>;

// How many line breaks a text begins with: CutForNesting drops or moves
// them, so its first line is the one after them.
template <typename Char>
std::size_t LeadingBreaks(std::basic_string_view<Char> text, bool bareLf) {
    const std::size_t size = bareLf ? 1 : 2;
    std::size_t n = 0;
    while (bareLf ? n < text.size() && text[n] == Char('\n')
                  : size * n + 1 < text.size() && text[size * n] == Char('\r') && text[size * n + 1] == Char('\n'))
        ++n;
    return n;
}

// Cuts a whole text for re-indentation, with its leading line breaks put
// right: a break that blanks follow is dropped (the blanks are the first
// line's indentation), the others move to the end, all of a run of them at
// once so that the result does not begin with a break again. With bareLf
// (a text whose breaks are all bare LF) every LF is taken for CR LF.
//
// line(body, crlf, inputEnd) is called for each line: the line is body, then
// CR LF when crlf is set; inputEnd is where it ends in text (moved breaks
// count with the first line, so the last lines end at the text's end).
template <typename Char, typename OnLine>
void CutForNesting(std::basic_string_view<Char> text, bool bareLf, OnLine&& line) {
    using View = std::basic_string_view<Char>;
    const std::size_t breakSize = bareLf ? 1 : 2;
    const auto isBreak = [&](std::size_t at) {
        return bareLf ? at < text.size() && text[at] == Char('\n')
                      : at + 1 < text.size() && text[at] == Char('\r') && text[at + 1] == Char('\n');
    };
    std::size_t breaks = 0;
    while (isBreak(breakSize * breaks)) ++breaks;
    const std::size_t skipped = breakSize * breaks;
    const View body = text.substr(skipped);
    if (breaks > 0 && !body.empty() && body[0] == Char(' ')) --breaks;

    const auto end = [&](std::size_t pos) { return skipped + pos < text.size() ? skipped + pos : text.size(); };
    if (!body.empty() || breaks == 0) {
        if (bareLf) {
            std::size_t pos = 0;
            do {
                const std::size_t lf = body.find(Char('\n'), pos);
                const std::size_t next = lf == View::npos ? body.size() : lf + 1;
                // The first moved break ends a last line that has none.
                const bool crlf = lf != View::npos || breaks > 0;
                if (lf == View::npos && breaks > 0) --breaks;
                line(body.substr(pos, (lf == View::npos ? body.size() : lf) - pos), crlf, end(next));
                pos = next;
            } while (pos < body.size());
        } else {
            BasicLineCutter<Char> cutter(body, breaks > 0);
            do {
                const View raw = cutter.Next();
                const bool ended = raw.size() >= 2 && raw[raw.size() - 2] == Char('\r') && raw.back() == Char('\n');
                // The first moved break ends a last line that has none.
                const bool crlf = cutter.Done() && breaks > 0 && !ended;
                if (crlf) --breaks;
                line(raw, crlf, end(cutter.Position()));
            } while (!cutter.Done());
        }
    }
    for (; breaks > 0; --breaks) line(View(), true, text.size());
}

}  // namespace tabwright
