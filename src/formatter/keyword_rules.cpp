#include "formatter/keyword_rules.h"

#include "formatter/text_search.h"

namespace tabwright {
namespace {

using View = std::u16string_view;
using namespace std::literals;
constexpr std::size_t npos = View::npos;

// Letters, digits and the underscore make names; so do the letters beyond
// ASCII that C/AL names may hold.
constexpr bool IsNameChar(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' ||
           c >= 0x80;
}

struct NameChars {
    bool of[128] = {};
    constexpr NameChars() {
        for (char16_t c = 0; c < 128; ++c) of[c] = IsNameChar(c);
    }
};
constexpr NameChars kNameChars;

bool IsName(char16_t c) { return c >= 128 || kNameChars.of[c]; }

bool Is(View word, View keyword) { return word.size() == keyword.size() && StartsWithNoCase(word, keyword); }

// The keywords the rules look for among a line's words.
enum class Keyword { None, Begin, Do, Else, End, Of, Then, If, Case, For, With, While, Until, Repeat, Operator };

Keyword KeywordOf(View word) {
    switch (ToUpperAscii(word[0])) {
    case u'A': return Is(word, u"AND"sv) ? Keyword::Operator : Keyword::None;
    case u'B': return Is(word, u"BEGIN"sv) ? Keyword::Begin : Keyword::None;
    case u'C': return Is(word, u"CASE"sv) ? Keyword::Case : Keyword::None;
    case u'D':
        if (Is(word, u"DO"sv)) return Keyword::Do;
        return Is(word, u"DIV"sv) ? Keyword::Operator : Keyword::None;
    case u'E':
        if (Is(word, u"END"sv)) return Keyword::End;
        return Is(word, u"ELSE"sv) ? Keyword::Else : Keyword::None;
    case u'F': return Is(word, u"FOR"sv) ? Keyword::For : Keyword::None;
    case u'I':
        if (Is(word, u"IF"sv)) return Keyword::If;
        return Is(word, u"IN"sv) ? Keyword::Operator : Keyword::None;
    case u'M': return Is(word, u"MOD"sv) ? Keyword::Operator : Keyword::None;
    case u'N': return Is(word, u"NOT"sv) ? Keyword::Operator : Keyword::None;
    case u'O':
        if (Is(word, u"OF"sv)) return Keyword::Of;
        return Is(word, u"OR"sv) ? Keyword::Operator : Keyword::None;
    case u'R': return Is(word, u"REPEAT"sv) ? Keyword::Repeat : Keyword::None;
    case u'T': return Is(word, u"THEN"sv) ? Keyword::Then : Keyword::None;
    case u'U': return Is(word, u"UNTIL"sv) ? Keyword::Until : Keyword::None;
    case u'W':
        if (Is(word, u"WITH"sv)) return Keyword::With;
        return Is(word, u"WHILE"sv) ? Keyword::While : Keyword::None;
    case u'X': return Is(word, u"XOR"sv) ? Keyword::Operator : Keyword::None;
    default: return Keyword::None;
    }
}

// A colon that ends a CASE label: not the colon of ":=" or of the "::" of an
// option value such as Status::Open.
bool IsLabelColon(View code, std::size_t at) {
    return code[at] == u':' && (at + 1 >= code.size() || (code[at + 1] != u':' && code[at + 1] != u'=')) &&
           (at == 0 || code[at - 1] != u':');
}

// What the words of a line's code say, found in one pass over it.
struct Words {
    std::uint32_t head = 0, holds = 0;
    std::size_t ownHead = 0;             // where IF, WHILE ... begins, also after END ELSE
    std::size_t lastBodyKeyword = npos;  // the end of the last THEN, DO or ELSE
    bool endsWithOperatorWord = false;   // AND, OR ... as the last word
    bool labelColon = false;             // a colon that ends a CASE label
    std::int64_t brackets = 0;           // ( and [ opened less those closed
};

// The head facts of a line's first word, or (own) of the word after a
// leading END or ELSE, with the character that follows it.
std::uint32_t HeadOf(Keyword k, char16_t next, bool first) {
    const bool blank = next == u' ';
    switch (k) {
    case Keyword::If: return blank ? kIf : 0;
    case Keyword::For: return blank ? kFor : 0;
    case Keyword::With: return blank ? kWith : 0;
    case Keyword::While: return blank ? kWhile : 0;
    default: break;
    }
    if (!first) return 0;
    switch (k) {
    case Keyword::End: return kEndWord | (next == u';' ? kEndSemicolon : 0) | (blank ? kEndBlank : 0);
    case Keyword::Else: return kElseWord;
    case Keyword::Case: return blank ? kCase : 0;
    case Keyword::Until: return blank ? kUntil : 0;
    case Keyword::Repeat: return kRepeat;
    case Keyword::Then: case Keyword::Do: return kThenOrDo;
    default: return 0;
    }
}

Words ReadWords(View code) {
    Words w;
    const std::size_t n = code.size();
    bool leading = true;  // only END and ELSE came before
    bool first = true;
    for (std::size_t i = 0; i < n;) {
        const char16_t c = code[i];
        if (!IsName(c)) {
            switch (c) {
            case u' ': break;
            case u'(': case u'[': ++w.brackets, leading = false; break;
            case u')': case u']': --w.brackets, leading = false; break;
            case u':':
                leading = false;
                if (i + 1 < n && code[i + 1] == u'=') {
                    w.holds |= kAssign;
                } else if (IsLabelColon(code, i)) {
                    w.labelColon = true;
                    if (i > 0 && code[i - 1] == u'\'') w.holds |= kQuoteLabel;
                    if (i > 0 && code[i - 1] == u'"') w.holds |= kNameLabel;
                }
                break;
            default: leading = false;
            }
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (++i < n && IsName(code[i])) {
        }
        if (i - start < 2 || i - start > 6 || (code[start] >= u'0' && code[start] <= u'9')) {
            leading = first = false;
            continue;
        }
        const Keyword k = KeywordOf(code.substr(start, i - start));
        const char16_t next = i < n ? code[i] : u'\0';
        if (leading) {
            const std::uint32_t head = HeadOf(k, next, first);
            w.head |= head;
            if (head & (kIf | kWhile | kWith | kFor)) w.ownHead = start;
            leading = (k == Keyword::End || k == Keyword::Else) && (next == u' ' || next == u'\0');
        }
        first = false;
        switch (k) {
        case Keyword::Of: w.holds |= kOf; break;
        case Keyword::Begin: w.holds |= kBegin; break;
        case Keyword::Then: w.holds |= kThen, w.lastBodyKeyword = i; break;
        case Keyword::Do: w.holds |= kDo, w.lastBodyKeyword = i; break;
        case Keyword::Else:
            w.holds |= kElse;
            w.lastBodyKeyword = i;
            if (start > 0 && code[start - 1] == u' ' && next == u' ') w.holds |= kSpacedElse;
            break;
        case Keyword::Operator: w.endsWithOperatorWord = i == n; break;
        default: break;
        }
    }
    return w;
}

// The line ends inside an expression or an argument list: with a comma,
// an operator or an opening bracket.
bool EndsOpen(char16_t last) {
    switch (last) {
    case u',': case u'(': case u'[': case u'+': case u'-': case u'*': case u'/': case u'=': case u'<': case u'>':
        return true;
    default:
        return false;
    }
}

}  // namespace

LineFacts ReadLineFacts(const CodeView& line) {
    LineFacts f;
    const View code = line.Code();
    if (code.empty()) return f;
    const Words words = ReadWords(code);
    f.head = words.head | (code == u"END"sv && line.HasBreak() ? kEndAlone : 0);
    f.holds = words.holds;
    if (line.HasComment()) f.holds |= kComment | (words.labelColon ? kLabelWithComment : 0);

    const char16_t last = code.back();
    if (last == u';') f.tail |= kEndsSemicolon;
    if (line.HasBreak() && IsLabelColon(code, code.size() - 1))
        f.tail |= line.BlankBeforeBreak() ? kEndsColonBlank : kEndsColon;
    if (line.HasBreak() && last == u',') f.tail |= kEndsComma;
    if (line.HasBreak() && words.lastBodyKeyword == code.size() && code.size() >= 4 &&
        StartsWithNoCase(code.substr(code.size() - 4), u"ELSE")) {
        f.tail |= kEndsElse;
        if (code.size() > 4 && code[code.size() - 5] == u' ') f.tail |= kEndsSpacedElse;
    }
    if (EndsOpen(last) || words.endsWithOperatorWord) f.tail |= kContinues;

    if (words.lastBodyKeyword != npos)
        f.lastBodyKeyword = words.lastBodyKeyword < code.size() ? LineFacts::kLastWithCode : LineFacts::kLastAtEnd;
    f.bracketBalance = words.brackets;
    if (f.head & (kIf | kWhile)) f.conditionAt = static_cast<std::uint32_t>(words.ownHead + (f.head & kIf ? 3 : 6));
    else if (f.head & kUntil) f.conditionAt = 6;
    return f;
}

namespace {

using Statement = const KeywordStatement&;

// The rules that indent the next line do so only while the statement's body
// is still to come: not after "IF a THEN EXIT;" or "WITH c DO MODIFY;".
bool Pending(Statement s) { return s.BodyPending() && !s.EndsWith(kEndsSemicolon); }
// A CASE label whose statement is not on its line.
bool LabelOpen(Statement s, std::uint32_t label) {
    return s.Holds(label) && !s.Holds(kAssign) && !s.EndsWith(kEndsSemicolon);
}

}  // namespace

const std::array<KeywordRule, 22> kKeywordRules{{
    {u"UNTIL Space", [](Statement s) { return s.BeginsWith(kUntil); }, KeywordEffect::CloseBlock},
    {u"END;", [](Statement s) { return s.BeginsWith(kEndSemicolon); }, KeywordEffect::CloseBlock},
    {u"END Space", [](Statement s) { return s.BeginsWith(kEndBlank); }, KeywordEffect::CloseBlock},
    {u"END CrLf", [](Statement s) { return s.BeginsWith(kEndAlone); }, KeywordEffect::CloseBlock},
    {u"CASE OF", [](Statement s) { return s.BeginsWith(kCase) && s.Holds(kOf); }, KeywordEffect::OpenBlock},
    {u"REPEAT", [](Statement s) { return s.BeginsWith(kRepeat); }, KeywordEffect::OpenBlock},
    {u"BEGIN", [](Statement s) { return s.Holds(kBegin); }, KeywordEffect::OpenBlockAndStop},
    {u"WITH Space", [](Statement s) { return s.BeginsWith(kWith) && Pending(s); }, KeywordEffect::IndentNext},
    {u"WHILE Space", [](Statement s) { return s.BeginsWith(kWhile) && Pending(s); }, KeywordEffect::IndentNext},
    {u"IF Space", [](Statement s) { return s.BeginsWith(kIf) && Pending(s); }, KeywordEffect::IndentNext},
    {u" ELSE Space", [](Statement s) { return s.Holds(kSpacedElse) && Pending(s); }, KeywordEffect::IndentNext},
    {u" ELSE CrLf", [](Statement s) { return s.EndsWith(kEndsSpacedElse); }, KeywordEffect::IndentNext},
    {u"ELSE CrLf", [](Statement s) { return s.EndsWith(kEndsElse); }, KeywordEffect::IndentNext},
    {u"FOR Space", [](Statement s) { return s.BeginsWith(kFor) && Pending(s); }, KeywordEffect::IndentNext},
    {u": CrLf", [](Statement s) { return s.EndsWith(kEndsColon); }, KeywordEffect::IndentNext},
    {u", CrLf", [](Statement s) { return s.EndsWith(kEndsComma); }, KeywordEffect::LabelOnly},
    {u": Space CrLf", [](Statement s) { return s.EndsWith(kEndsColonBlank); }, KeywordEffect::IndentNext},
    {u": not :=", [](Statement s) { return LabelOpen(s, kLabelWithComment); }, KeywordEffect::IndentNext},
    {u"': not :=", [](Statement s) { return LabelOpen(s, kQuoteLabel); }, KeywordEffect::IndentNext},
    {u"\": not :=", [](Statement s) { return LabelOpen(s, kNameLabel); }, KeywordEffect::IndentNext},
    {u"END ELSE", [](Statement s) { return s.BeginsWith(kEndWord) && s.Holds(kElse) && Pending(s); },
     KeywordEffect::IndentNext},
    {u";", [](Statement s) { return s.EndsWith(kEndsSemicolon) || s.Holds(kComment); }, KeywordEffect::LabelOnly},
}};

}  // namespace tabwright
