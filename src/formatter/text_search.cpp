#include "formatter/text_search.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tabwright {
namespace {

constexpr bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Index of the first character at or after from that equals a or b;
// text.size() when there is none.
std::size_t FindEither(std::u16string_view text, std::size_t from, char16_t a, char16_t b) {
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(static_cast<short>(a));
    const __m128i vb = _mm_set1_epi16(static_cast<short>(b));
    for (; i + 8 <= text.size(); i += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const __m128i hit = _mm_or_si128(_mm_cmpeq_epi16(chunk, va), _mm_cmpeq_epi16(chunk, vb));
        const int mask = _mm_movemask_epi8(hit);
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask))) / 2;
    }
#endif
    for (; i < text.size(); ++i)
        if (text[i] == a || text[i] == b) return i;
    return text.size();
}

}  // namespace

std::size_t FindAnyOf4(std::u16string_view text, std::size_t from, char16_t a, char16_t b, char16_t c, char16_t d) {
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(static_cast<short>(a)), vb = _mm_set1_epi16(static_cast<short>(b));
    const __m128i vc = _mm_set1_epi16(static_cast<short>(c)), vd = _mm_set1_epi16(static_cast<short>(d));
    for (; i + 8 <= text.size(); i += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(chunk, va), _mm_cmpeq_epi16(chunk, vb)),
                                         _mm_or_si128(_mm_cmpeq_epi16(chunk, vc), _mm_cmpeq_epi16(chunk, vd)));
        const int mask = _mm_movemask_epi8(hit);
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask))) / 2;
    }
#endif
    for (; i < text.size(); ++i)
        if (text[i] == a || text[i] == b || text[i] == c || text[i] == d) return i;
    return text.size();
}

std::size_t FindChar(std::u16string_view text, char16_t c, std::size_t from) {
    if (from >= text.size()) return std::u16string_view::npos;
    const std::size_t at = FindEither(text, from, c, c);
    return at == text.size() ? std::u16string_view::npos : at;
}

std::size_t FindNoCase(std::u16string_view text, std::u16string_view what,
                       std::size_t from) {
    constexpr std::size_t npos = std::u16string_view::npos;
    if (what.empty()) return from <= text.size() ? from : npos;
    if (text.size() < what.size() || from > text.size() - what.size()) return npos;
    const std::size_t last = text.size() - what.size();
    const char16_t upper = ToUpperAscii(what[0]);
    const char16_t lower = IsAsciiLetter(upper) ? static_cast<char16_t>(upper | 0x20) : upper;
    // Candidates end at last; the scan may look further, which is harmless.
    const std::u16string_view window = text.substr(0, last + 1);
    for (std::size_t i = FindEither(window, from, upper, lower); i <= last;
         i = FindEither(window, i + 1, upper, lower)) {
        std::size_t k = 1;
        while (k < what.size() && ToUpperAscii(text[i + k]) == ToUpperAscii(what[k])) ++k;
        if (k == what.size()) return i;
    }
    return npos;
}

}  // namespace tabwright

namespace tabwright {

void TextSummary::Build(std::u16string_view text) {
    if (++stamp_ == 0) {
        std::memset(pairs_, 0, sizeof pairs_);
        std::memset(singles_, 0, sizeof singles_);
        stamp_ = 1;
    }
    Add(text, 0, text.size());
}

void TextSummary::Add(std::u16string_view text, std::size_t from, std::size_t to) {
    if (to > text.size()) to = text.size();
    unsigned prev = 0;
    for (std::size_t i = from; i < to; ++i) {
        const unsigned c = Sign(text[i]);
        if (c != 0) {
            singles_[c] = stamp_;
            if (prev != 0) pairs_[prev * kSigns + c] = stamp_;
        }
        prev = c;
    }
}

}  // namespace tabwright
