#include "formatter/text_search.h"

namespace tabwright {

std::size_t FindNoCase(std::u16string_view text, std::u16string_view what,
                       std::size_t from) {
    if (what.empty()) return from <= text.size() ? from : std::u16string_view::npos;
    if (text.size() < what.size()) return std::u16string_view::npos;
    const char16_t first = ToUpperAscii(what[0]);
    const char16_t firstLower =
        (first >= u'A' && first <= u'Z') ? static_cast<char16_t>(first + (u'a' - u'A')) : first;
    const std::size_t last = text.size() - what.size();
    for (std::size_t i = from; i <= last; ++i) {
        const char16_t c = text[i];
        if (c != first && c != firstLower) continue;
        std::size_t k = 1;
        while (k < what.size() && ToUpperAscii(text[i + k]) == ToUpperAscii(what[k])) ++k;
        if (k == what.size()) return i;
    }
    return std::u16string_view::npos;
}

}  // namespace tabwright
