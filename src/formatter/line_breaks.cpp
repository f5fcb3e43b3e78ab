#include "formatter/line_breaks.h"

namespace tabwright {

bool HasBareLfBreaks(std::u16string_view text) {
    return text.find(u'\n') != std::u16string_view::npos &&
           text.find(u'\r') == std::u16string_view::npos;
}

std::u16string LfToCrlf(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (char16_t c : text) {
        if (c == u'\n') out.push_back(u'\r');
        out.push_back(c);
    }
    return out;
}

std::u16string CrlfToLf(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace tabwright
