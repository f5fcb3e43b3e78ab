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

// A summary of which characters and character pairs a text holds. The
// formatter asks many times per line whether a short pattern occurs; most
// patterns do not, and the summary says so at once. ASCII letters are folded
// to upper case, as the searches fold them.
class TextSummary {
public:
    void Build(std::u16string_view text);
    // Adds the characters and pairs of text[from, to) (clamped), so that the
    // summary stays valid after an edit there. Pairs that the edit broke up
    // stay listed, which only costs a search.
    void Add(std::u16string_view text, std::size_t from, std::size_t to);

    // False only when what certainly does not occur in the text, compared
    // without regard to the case of ASCII letters.
    bool MayContain(std::u16string_view what) const;

private:
    static constexpr unsigned kPairBits = 1024;
    static unsigned Fold(char16_t c) {
        return c - (static_cast<unsigned>(static_cast<unsigned>(c) - u'a' < 26u) << 5);
    }
    static unsigned PairKey(unsigned a, unsigned b) { return (a * 37u ^ b) & (kPairBits - 1); }

    // An entry is set when it holds the current stamp: setting one is a plain
    // store, and a new summary needs no clearing but a new stamp.
    std::uint16_t stamp_ = 1;
    std::uint16_t pairs_[kPairBits] = {};
    std::uint16_t singles_[128] = {};
};

inline bool TextSummary::MayContain(std::u16string_view what) const {
    if (what.empty()) return true;
    unsigned prev = Fold(what[0]);
    if (singles_[prev & 127] != stamp_) return false;
    for (std::size_t i = 1; i < what.size(); ++i) {
        const unsigned c = Fold(what[i]);
        if (pairs_[PairKey(prev, c)] != stamp_) return false;
        prev = c;
    }
    return true;
}

}  // namespace tabwright
