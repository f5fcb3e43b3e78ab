// For the engine's and the command line's tests: bytes as UTF-16 one to one,
// the promise that only layout changes, and generated C/AL.
#pragma once

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tabwright::test {

inline std::u16string W(std::string_view bytes) {
    std::u16string text;
    for (unsigned char c : bytes) text.push_back(c);
    return text;
}

inline std::string N(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out.push_back(static_cast<char>(c < 256 ? c : '?'));
    return out;
}

// Trace labels joined by "|".
inline std::string Joined(const std::vector<std::u16string>& labels) {
    std::string out;
    for (const auto& label : labels) out.append(out.empty() ? "" : "|").append(N(label));
    return out;
}

// Every LF becomes CR LF: table cases read as lines.
inline std::string Crlf(std::string_view lines) {
    std::string out;
    for (char c : lines) out.append(c == '\n' ? "\r\n" : std::string(1, c));
    return out;
}

// True when output is input but for blanks and line breaks, and for the "//"
// a comment's continuation gains.
inline bool SameCode(std::u16string_view input, std::u16string_view output) {
    const auto strip = [](std::u16string_view text) {
        std::u16string out;
        for (char16_t c : text)
            if (c != u' ' && c != u'\r' && c != u'\n') out.push_back(c);
        return out;
    };
    const std::u16string in = strip(input), out = strip(output);
    std::size_t i = 0;
    for (std::size_t j = 0; j < out.size(); ++j) {
        if (i < in.size() && in[i] == out[j]) ++i;
        else if (out.compare(j, 2, u"//") == 0) ++j;
        else return false;
    }
    return i == in.size();
}

// Lines of C/AL built from pieces that steer the rules: keywords, operators,
// quoted texts and names, comments, braces, long runs that must be split,
// the first character beyond ASCII and characters beyond Latin-1, and every
// kind of line break.
inline std::u16string GeneratedCal(std::mt19937& rng, int lines) {
    static constexpr std::u16string_view kPieces[] = {
        u"IF ", u"THEN", u"BEGIN", u"END", u"END;", u"end", u"ELSE", u" ELSE ", u"CASE x OF", u"REPEAT",
        u"UNTIL ", u"WHILE ", u"WITH ", u"FOR ", u"1:", u"x", u"Amount", u":=", u"+=", u"<=%", u"=", u"+",
        u"-", u"--", u"*", u"/", u"//", u",", u";", u":", u"'", u"\"", u"''", u"'a=b'", u"'It''s'", u"\"No.\"",
        u"{", u"}", u" ", u"    ", u"\t", u"\u0080\u00e6\u00f8", u"\u4e2d\U0001F600", u"DO", u"FOREACH ", u"OF",
        u"(", u")", u"[", u"]",
    };
    static constexpr std::u16string_view kBreaks[] = {u"\r\n", u"\r\n", u"\r\n", u"\n", u"\n\r", u"\r", u""};
    const auto pick = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    std::u16string text;
    for (int l = 0; l < lines; ++l) {
        text.append(pick(4) == 0 ? pick(8) : 0, u' ');
        for (std::size_t k = pick(12) == 0 ? 100 + pick(120) : 0; k > 0; --k) text.push_back(u"aaaaaaaa, ,'"[pick(12)]);
        for (std::size_t k = 1 + pick(5); k > 0; --k) text.append(kPieces[pick(std::size(kPieces))]);
        text.append(kBreaks[pick(std::size(kBreaks))]);
    }
    return text;
}

}  // namespace tabwright::test
