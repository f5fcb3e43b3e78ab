// The promise every formatting routine keeps: only blanks and line breaks
// change, plus the "//" a split comment line gains on its continuation.
#pragma once

#include <string>
#include <string_view>

namespace tabwright::test {

inline std::u16string StripLayout(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text)
        if (c != u' ' && c != u'\r' && c != u'\n') out.push_back(c);
    return out;
}

// True when output, with blanks and breaks removed, is input with blanks and
// breaks removed, allowing extra "//" pairs in output.
inline bool SameCode(std::u16string_view input, std::u16string_view output) {
    const std::u16string in = StripLayout(input);
    const std::u16string out = StripLayout(output);
    std::size_t i = 0, j = 0;
    while (j < out.size()) {
        if (i < in.size() && in[i] == out[j]) {
            ++i;
            ++j;
        } else if (out.compare(j, 2, u"//") == 0) {
            j += 2;
        } else {
            return false;
        }
    }
    return i == in.size();
}

}  // namespace tabwright::test
