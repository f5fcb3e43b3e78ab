// Test helpers: byte strings widened to UTF-16 one byte per character, and
// back, so expectations read as plain C/AL.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabwright::test {

inline std::u16string W(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) out.push_back(c);
    return out;
}

inline std::string N(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(c < 256 ? static_cast<char>(c) : '?');
    return out;
}

// Lines joined with CR LF, each line ending with one.
inline std::string Crlf(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (std::string_view l : lines) out.append(l).append("\r\n");
    return out;
}

inline std::vector<std::string> Narrow(const std::vector<std::u16string>& labels) {
    std::vector<std::string> out;
    for (const auto& l : labels) out.push_back(N(l));
    return out;
}

}  // namespace tabwright::test
