// Small search helpers over UTF-16 text. Case folding is ASCII only: every
// pattern the formatter looks for is plain ASCII.
#pragma once

#include <cstddef>
#include <string_view>

namespace tabwright {

constexpr char16_t ToUpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

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
