// Reads C/AL as the compiler does, one line at a time: which characters are
// code, and which belong to a text constant ('...', where '' stands for one
// quote), a quoted identifier ("...") or a comment (// to the end of the
// line, or { } over as many lines as it takes; braces nest, so a comment
// ends at the } that balances its first {). The code is then cut into
// tokens: words, numbers, texts, names and signs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabwright {

enum class Stretch : std::uint8_t { Text, Name, Brace, LineComment };

// Characters [begin, end) of a line, 0-based. A text or name includes its
// quote marks; a comment its "//" or braces. A text or name left open ends
// with the line.
struct CodeSpan {
    Stretch kind;
    std::size_t begin, end;
};

class CodeLexer {
public:
    // Replaces spans by the stretches of line that are not code, in order.
    // A brace comment left open goes on into the next line.
    void Line(std::u16string_view line, std::vector<CodeSpan>& spans);

    bool InBrace() const { return braces_ > 0; }

private:
    // Where the brace comment open at i ends in content (its last '}' + 1),
    // or content.size() when it goes on; braces_ counts the open ones.
    std::size_t BraceEnd(std::u16string_view content, std::size_t i);

    std::int64_t braces_ = 0;
};

// Letters, digits and the underscore make names; so do the letters beyond
// ASCII that C/AL names may hold. A table, as every character is asked.
struct NameChars {
    bool of[128] = {};
    constexpr NameChars() {
        for (char16_t c = 0; c < 128; ++c)
            of[c] = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
    }
};
inline constexpr NameChars kNameChars;

inline bool IsNameChar(char16_t c) { return c >= 0x80 || kNameChars.of[c]; }

// The words that steer C/AL's blocks and statements, and the word
// operators. A word counts as one only where it stands alone: not after a
// "." or "::" (a member or an option value).
enum class Keyword : std::uint8_t {
    None, Begin, End, If, Then, Else, Case, Of, While, Do, Repeat, Until, For, ForEach, With,
    And, Or, Xor, Not, Div, Mod, In,
};

enum class TokenKind : std::uint8_t {
    Word,         // a name or keyword
    Number,       // 12, 1.5, 0D ...
    Text,         // a text constant, quotes included
    Name,         // a quoted identifier, quotes included
    Open,         // ( or [
    Close,        // ) or ]
    Semicolon,
    Colon,        // a lone ':'
    DoubleColon,  // '::' of an option value
    Assign,       // := += -= *= /=
    Comma,
    Operator,     // + - * / = <> < > <= >= ..
    Dot,
    Other,        // any other sign (@ in declarations ...)
};

struct Token {
    TokenKind kind;
    Keyword keyword;
    std::uint32_t begin, end;  // in the line, 0-based, end exclusive
};

// The tokens of line's code; spans are its lexer spans (comments give no
// token, a text or name one).
void ReadTokens(std::u16string_view line, const std::vector<CodeSpan>& spans, std::vector<Token>& tokens);

}  // namespace tabwright
