#include "cli/byte_text.h"

namespace tabwright::cli {

std::u16string Widen(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = static_cast<unsigned char>(bytes[i]);
    return text;
}

std::string Narrow(std::u16string_view text) {
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        bytes[i] = static_cast<char>(static_cast<unsigned char>(text[i]));
    return bytes;
}

bool HasBareLfBreaks(std::u16string_view text) {
    return text.find(u'\n') != std::u16string_view::npos &&
           text.find(u'\r') == std::u16string_view::npos;
}

bool HasBareLfBreaks(std::string_view bytes) {
    return bytes.find('\n') != std::string_view::npos && bytes.find('\r') == std::string_view::npos;
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

}  // namespace tabwright::cli
