#include "cli/byte_text.h"

#include <algorithm>
#include <iterator>

#include <utf8cpp/utf8.h>

namespace tabwright::cli {

Coding CodingOf(std::string_view bytes) {
    const bool high = std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return high && utf8::is_valid(bytes.begin(), bytes.end()) ? Coding::Utf8 : Coding::Bytes;
}

std::u16string Decode(std::string_view bytes, Coding coding) {
    std::u16string text;
    if (coding == Coding::Utf8) {
        text.reserve(bytes.size());
        utf8::unchecked::utf8to16(bytes.begin(), bytes.end(), std::back_inserter(text));
        return text;
    }
    text.resize(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) text[i] = static_cast<unsigned char>(bytes[i]);
    return text;
}

std::string Encode(std::u16string_view text, Coding coding) {
    std::string bytes;
    if (coding == Coding::Utf8) {
        bytes.reserve(text.size());
        utf8::unchecked::utf16to8(text.begin(), text.end(), std::back_inserter(bytes));
        return bytes;
    }
    bytes.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(static_cast<unsigned char>(text[i]));
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
