// Reads C/AL as the compiler does, one line at a time: which characters are
// code, and which belong to a text constant ('...', where '' stands for one
// quote), a quoted identifier ("...") or a comment (// to the end of the
// line, or { } over as many lines as it takes).
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

    bool InBrace() const { return inBrace_; }

private:
    bool inBrace_ = false;
};

// The code of one line: the line with the inside of its texts and names
// masked (their quote marks kept), its comments blanked, and blanks and the
// line break trimmed from both ends. Keyword tests look at this only.
class CodeView {
public:
    // line is trimmed of blanks and may end with its break; spans are its
    // lexer spans.
    void Build(std::u16string_view line, const std::vector<CodeSpan>& spans);

    std::u16string_view Code() const { return code_; }
    bool HasBreak() const { return hasBreak_; }
    bool HasComment() const { return hasComment_; }
    // The line ends with a blank just before its break, in code.
    bool BlankBeforeBreak() const { return blankBeforeBreak_; }

private:
    std::u16string buffer_;
    std::u16string_view code_;
    bool hasBreak_ = false;
    bool hasComment_ = false;
    bool blankBeforeBreak_ = false;
};

// The character that stands for the inside of a text or a name in a
// CodeView: never part of a keyword or an operator.
inline constexpr char16_t kMaskedChar = u'_';

}  // namespace tabwright
