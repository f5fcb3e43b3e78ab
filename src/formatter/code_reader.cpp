#include "formatter/code_reader.h"

#include "formatter/text_search.h"

namespace tabwright {
namespace {

// The length of line without the two-character break at its end.
std::size_t ContentEnd(std::u16string_view line) {
    const std::size_t n = line.size();
    if (n >= 2 && ((line[n - 2] == u'\r' && line[n - 1] == u'\n') || (line[n - 2] == u'\n' && line[n - 1] == u'\r')))
        return n - 2;
    return n;
}

}  // namespace

std::size_t CodeLexer::BraceEnd(std::u16string_view content, std::size_t i) {
    for (; i < content.size(); ++i) {
        if (content[i] == u'{') ++braces_;
        else if (content[i] == u'}' && --braces_ == 0) return i + 1;
    }
    return content.size();
}

void CodeLexer::Line(std::u16string_view line, std::vector<CodeSpan>& spans) {
    spans.clear();
    const std::u16string_view content = line.substr(0, ContentEnd(line));
    const std::size_t end = content.size();
    std::size_t i = 0;
    if (braces_ > 0) {
        i = BraceEnd(content, 0);
        spans.push_back({Stretch::Brace, 0, i});
    }
    while ((i = FindAnyOf4(content, i, u'\'', u'"', u'{', u'/')) < end) {
        const char16_t c = line[i];
        if (c == u'\'') {
            std::size_t j = i + 1;
            // A doubled quote inside a text constant stands for one quote.
            while (j < end && (line[j] != u'\'' || (j + 1 < end && line[j + 1] == u'\'' && ++j))) ++j;
            spans.push_back({Stretch::Text, i, j < end ? j + 1 : end});
            i = j + 1;
        } else if (c == u'"') {
            const std::size_t close = content.find(u'"', i + 1);
            const std::size_t stop = close == std::u16string_view::npos ? end : close + 1;
            spans.push_back({Stretch::Name, i, stop});
            i = stop;
        } else if (c == u'{') {
            const std::size_t stop = BraceEnd(content, i);
            spans.push_back({Stretch::Brace, i, stop});
            i = stop;
        } else if (c == u'/' && i + 1 < end && line[i + 1] == u'/') {
            spans.push_back({Stretch::LineComment, i, end});
            i = end;
        } else {
            ++i;
        }
    }
}

namespace {

using View = std::u16string_view;
using namespace std::literals;

bool Is(View word, View keyword) { return word.size() == keyword.size() && StartsWithNoCase(word, keyword); }

Keyword KeywordOf(View word) {
    if (word.size() < 2 || word.size() > 7) return Keyword::None;
    switch (ToUpperAscii(word[0])) {
    case u'A': return Is(word, u"AND"sv) ? Keyword::And : Keyword::None;
    case u'B': return Is(word, u"BEGIN"sv) ? Keyword::Begin : Keyword::None;
    case u'C': return Is(word, u"CASE"sv) ? Keyword::Case : Keyword::None;
    case u'D':
        if (Is(word, u"DO"sv)) return Keyword::Do;
        return Is(word, u"DIV"sv) ? Keyword::Div : Keyword::None;
    case u'E':
        if (Is(word, u"END"sv)) return Keyword::End;
        return Is(word, u"ELSE"sv) ? Keyword::Else : Keyword::None;
    case u'F':
        if (Is(word, u"FOR"sv)) return Keyword::For;
        return Is(word, u"FOREACH"sv) ? Keyword::ForEach : Keyword::None;
    case u'I':
        if (Is(word, u"IF"sv)) return Keyword::If;
        return Is(word, u"IN"sv) ? Keyword::In : Keyword::None;
    case u'M': return Is(word, u"MOD"sv) ? Keyword::Mod : Keyword::None;
    case u'N': return Is(word, u"NOT"sv) ? Keyword::Not : Keyword::None;
    case u'O':
        if (Is(word, u"OF"sv)) return Keyword::Of;
        return Is(word, u"OR"sv) ? Keyword::Or : Keyword::None;
    case u'R': return Is(word, u"REPEAT"sv) ? Keyword::Repeat : Keyword::None;
    case u'T': return Is(word, u"THEN"sv) ? Keyword::Then : Keyword::None;
    case u'U': return Is(word, u"UNTIL"sv) ? Keyword::Until : Keyword::None;
    case u'W':
        if (Is(word, u"WITH"sv)) return Keyword::With;
        return Is(word, u"WHILE"sv) ? Keyword::While : Keyword::None;
    case u'X': return Is(word, u"XOR"sv) ? Keyword::Xor : Keyword::None;
    default: return Keyword::None;
    }
}

// The kind and length of the sign that starts at code[i].
std::pair<TokenKind, std::uint32_t> SignAt(View code, std::size_t i) {
    const char16_t c = code[i];
    const char16_t next = i + 1 < code.size() ? code[i + 1] : u'\0';
    switch (c) {
    case u'(': case u'[': return {TokenKind::Open, 1};
    case u')': case u']': return {TokenKind::Close, 1};
    case u';': return {TokenKind::Semicolon, 1};
    case u',': return {TokenKind::Comma, 1};
    case u':':
        if (next == u'=') return {TokenKind::Assign, 2};
        return next == u':' ? std::pair{TokenKind::DoubleColon, 2u} : std::pair{TokenKind::Colon, 1u};
    case u'+': case u'-': case u'*': case u'/':
        return next == u'=' ? std::pair{TokenKind::Assign, 2u} : std::pair{TokenKind::Operator, 1u};
    case u'<': return {TokenKind::Operator, next == u'=' || next == u'>' ? 2u : 1u};
    case u'>': return {TokenKind::Operator, next == u'=' ? 2u : 1u};
    case u'=': return {TokenKind::Operator, 1};
    case u'.': return next == u'.' ? std::pair{TokenKind::Operator, 2u} : std::pair{TokenKind::Dot, 1u};
    default: return {TokenKind::Other, 1};
    }
}

}  // namespace

void ReadTokens(View line, const std::vector<CodeSpan>& spans, std::vector<Token>& tokens) {
    tokens.clear();
    const std::size_t end = ContentEnd(line);
    auto span = spans.begin();
    bool member = false;  // the last sign was "." or "::": a word after it is a name
    for (std::size_t i = 0; i < end;) {
        if (span != spans.end() && span->begin == i) {
            if (span->kind == Stretch::Text || span->kind == Stretch::Name)
                tokens.push_back({span->kind == Stretch::Text ? TokenKind::Text : TokenKind::Name, Keyword::None,
                                  static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(span->end)});
            i = span->end;
            ++span;
            member = false;
            continue;
        }
        const char16_t c = line[i];
        if (c == u' ' || c == u'\t') {
            ++i;
            continue;
        }
        const std::size_t stop = span != spans.end() ? span->begin : end;
        const auto start = static_cast<std::uint32_t>(i);
        if (IsNameChar(c)) {
            const bool number = c >= u'0' && c <= u'9';
            while (++i < stop && (IsNameChar(line[i]) ||
                                  (number && line[i] == u'.' && i + 1 < stop && line[i + 1] >= u'0' && line[i + 1] <= u'9'))) {
            }
            const Keyword k = number || member ? Keyword::None : KeywordOf(line.substr(start, i - start));
            tokens.push_back({number ? TokenKind::Number : TokenKind::Word, k, start, static_cast<std::uint32_t>(i)});
            member = false;
            continue;
        }
        const auto [kind, length] = SignAt(line.substr(0, stop), i);
        i += length;
        tokens.push_back({kind, Keyword::None, start, static_cast<std::uint32_t>(i)});
        member = kind == TokenKind::Dot || kind == TokenKind::DoubleColon;
    }
}

}  // namespace tabwright
