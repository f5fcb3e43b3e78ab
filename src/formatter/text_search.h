// Small search helpers over UTF-16 text. Case folding is ASCII only: every
// pattern the formatter looks for is plain ASCII.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tabwright {

constexpr char16_t ToUpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// Index of the first c in text at or after from; npos when absent.
std::size_t FindChar(std::u16string_view text, char16_t c, std::size_t from = 0);

// Index of the first character at or after from that is one of the four
// given; text.size() when there is none.
std::size_t FindAnyOf4(std::u16string_view text, std::size_t from, char16_t a, char16_t b, char16_t c, char16_t d);

// Index of the first occurrence of what in text at or after from, comparing
// letters without regard to case; npos when absent.
std::size_t FindNoCase(std::u16string_view text, std::u16string_view what,
                       std::size_t from = 0);

inline bool ContainsNoCase(std::u16string_view text, std::u16string_view what) {
    return FindNoCase(text, what) != std::u16string_view::npos;
}

inline bool StartsWithNoCase(std::u16string_view text, std::u16string_view what) {
    if (text.size() < what.size()) return false;
    for (std::size_t i = 0; i < what.size(); ++i)
        if (ToUpperAscii(text[i]) != ToUpperAscii(what[i])) return false;
    return true;
}

}  // namespace tabwright

namespace tabwright {

// The blank and the 32 other ASCII signs, numbered from 1; letters, digits
// and other characters 0.
struct SignNumbers {
    std::uint8_t of[128] = {};
    constexpr SignNumbers() {
        std::uint8_t n = 0;
        for (char16_t c = u' '; c < 127; ++c)
            if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) of[c] = ++n;
    }
};
inline constexpr SignNumbers kSignNumbers{};

// A summary of which signs (blanks, quotes, operators and other ASCII
// punctuation) and pairs of signs next to each other a text holds. The
// formatter asks many times per line whether a short pattern of signs
// occurs; most do not, and the summary says so at once. Letters and digits
// are not kept: a pattern is judged by its signs alone.
class TextSummary {
public:
    void Build(std::u16string_view text);
    // Adds the signs and pairs of text[from, to) (clamped), so that the
    // summary stays valid after an edit there. Pairs that the edit broke up
    // stay listed, which only costs a search.
    void Add(std::u16string_view text, std::size_t from, std::size_t to);

    // False only when what certainly does not occur in the text.
    bool MayContain(std::u16string_view what) const;

private:
    static constexpr unsigned kSigns = 34;
    static unsigned Sign(char16_t c) { return c < 128 ? kSignNumbers.of[c] : 0; }

    // An entry is set when it holds the current stamp: setting one is a plain
    // store, and a new summary needs no clearing but a new stamp.
    std::uint16_t stamp_ = 1;
    std::uint16_t pairs_[kSigns * kSigns] = {};
    std::uint16_t singles_[kSigns] = {};
};

inline bool TextSummary::MayContain(std::u16string_view what) const {
    unsigned prev = 0;
    for (char16_t ch : what) {
        const unsigned c = Sign(ch);
        if (c != 0 && (singles_[c] != stamp_ || (prev != 0 && pairs_[prev * kSigns + c] != stamp_))) return false;
        prev = c;
    }
    return true;
}

}  // namespace tabwright
