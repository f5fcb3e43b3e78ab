#include "cli/byte_text.h"

#include <algorithm>
#include <iterator>

#include <utf8cpp/utf8.h>

namespace tabwright::cli {

namespace {

bool HasHighByte(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

Coding CodingOf(std::string_view bytes) {
    return HasHighByte(bytes) && utf8::is_valid(bytes.begin(), bytes.end()) ? Coding::Utf8 : Coding::Bytes;
}

void CodingScan::Add(std::string_view piece) {
    std::string text = tail_ + std::string(piece);
    // A sequence cut by the end of the piece waits for the rest.
    std::size_t cut = text.size();
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto c = static_cast<unsigned char>(text[text.size() - back]);
        if ((c & 0xC0) == 0x80) continue;
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (length > back) cut = text.size() - back;
        break;
    }
    high_ = high_ || HasHighByte(piece);
    valid_ = valid_ && utf8::is_valid(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(cut));
    tail_ = text.substr(cut);
}

Coding CodingScan::Result() const { return high_ && valid_ && tail_.empty() ? Coding::Utf8 : Coding::Bytes; }

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

bool HasBareLfBreaks(std::string_view bytes) {
    return bytes.find('\n') != std::string_view::npos && bytes.find('\r') == std::string_view::npos;
}

}  // namespace tabwright::cli
