#include "formatter/text_search.h"

namespace tabwright {
namespace {

constexpr bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

}  // namespace

std::size_t FindNoCase(std::u16string_view text, std::u16string_view what,
                       std::size_t from) {
    constexpr std::size_t npos = std::u16string_view::npos;
    if (what.empty()) return from <= text.size() ? from : npos;
    if (text.size() < what.size() || from > text.size() - what.size()) return npos;
    const std::size_t last = text.size() - what.size();
    const char16_t first = what[0];
    // Setting bit 5 turns an upper-case ASCII letter into its lower case; any
    // other character that lands on the same value is rejected by the full
    // comparison below.
    const bool foldFirst = IsAsciiLetter(first);
    const char16_t firstKey = foldFirst ? static_cast<char16_t>(first | 0x20) : first;
    for (std::size_t i = from; i <= last; ++i) {
        const char16_t c = foldFirst ? static_cast<char16_t>(text[i] | 0x20) : text[i];
        if (c != firstKey || ToUpperAscii(text[i]) != ToUpperAscii(first)) continue;
        std::size_t k = 1;
        while (k < what.size() && ToUpperAscii(text[i + k]) == ToUpperAscii(what[k])) ++k;
        if (k == what.size()) return i;
    }
    return npos;
}

}  // namespace tabwright

namespace tabwright {

void TextSummary::Build(std::u16string_view text) {
    for (auto& w : pairs_) w = 0;
    singles_[0] = singles_[1] = 0;
    Add(text, 0, text.size());
}

void TextSummary::Add(std::u16string_view text, std::size_t from, std::size_t to) {
    if (to > text.size()) to = text.size();
    if (from >= to) return;
    unsigned prev = Fold(text[from]);
    Set(singles_, prev & 127);
    for (std::size_t i = from + 1; i < to; ++i) {
        const unsigned c = Fold(text[i]);
        Set(singles_, c & 127);
        Set(pairs_, PairKey(prev, c));
        prev = c;
    }
}

bool TextSummary::MayContain(std::u16string_view what) const {
    if (what.empty()) return true;
    unsigned prev = Fold(what[0]);
    if (!Test(singles_, prev & 127)) return false;
    for (std::size_t i = 1; i < what.size(); ++i) {
        const unsigned c = Fold(what[i]);
        if (!Test(pairs_, PairKey(prev, c))) return false;
        prev = c;
    }
    return true;
}

}  // namespace tabwright
