#include <array>
#include <cstdint>
#include <initializer_list>

#include "formatter/formatter.h"
#include "formatter/text_search.h"

namespace tabwright {
namespace {

// Which occurrences of an operator's sign a rule takes for the operator:
// any; an "=" of its own (not the end of := += -= *= /= <= >=, nor one of a
// run of them); a + or -
// between two operands (not a sign such as the one of EXIT(-1)).
enum class Meaning : std::uint8_t { Any, LoneEquals, Binary };

// One fix: the first occurrence of op becomes rep, unless one of the blocking
// patterns is present. Every rep is also among its blockers, so a line that
// already holds the spaced form anywhere is left alone. The meaning applies
// to op and to each blocker that holds op's sign.
struct SpacingRule {
    std::u16string_view label;
    std::u16string_view op;
    std::initializer_list<std::u16string_view> blockers;
    std::u16string_view rep;
    Meaning meaning = Meaning::Any;
};

// Compound operators first, then "=", then the one-character operators.
const std::array<SpacingRule, 24> kRules{{
    {u"Fix Space:=", u":=", {u" :="}, u" :="},
    {u"Fix :=Space", u":=", {u":= "}, u":= "},
    {u"Fix Space+=", u"+=", {u" +="}, u" +="},
    {u"Fix +=Space", u"+=", {u"+= "}, u"+= "},
    {u"Fix Space-=", u"-=", {u" -="}, u" -="},
    {u"Fix -=Space", u"-=", {u"-= "}, u"-= "},
    {u"Fix Space*=", u"*=", {u" *="}, u" *="},
    {u"Fix *=Space", u"*=", {u"*= "}, u"*= "},
    // "//" blocks these as it blocks "/": the "/=" of "//=" is a comment.
    {u"Fix Space/=", u"/=", {u" /=", u"//"}, u" /="},
    {u"Fix /=Space", u"/=", {u"/= ", u"//"}, u"/= "},
    {u"Fix Space<=", u"<=", {u"<=%", u" <="}, u" <="},
    {u"Fix <=Space", u"<=", {u"<=%", u"<= "}, u"<= "},
    {u"Fix Space>=", u">=", {u">=%", u" >="}, u" >="},
    {u"Fix >=Space", u">=", {u">=%", u">= "}, u">= "},
    {u"Fix Space=", u"=", {u" ="}, u" =", Meaning::LoneEquals},
    {u"Fix =Space", u"=", {u"= "}, u"= ", Meaning::LoneEquals},
    {u"Fix Space+", u"+", {u"+=", u" +"}, u" +", Meaning::Binary},
    {u"Fix +Space", u"+", {u"+=", u"+ "}, u"+ ", Meaning::Binary},
    {u"Fix Space-", u"-", {u"-=", u"--", u" -"}, u" -", Meaning::Binary},
    {u"Fix -Space", u"-", {u"-=", u"--", u"- "}, u"- ", Meaning::Binary},
    {u"Fix Space*", u"*", {u"*=", u" *"}, u" *"},
    {u"Fix *Space", u"*", {u"*=", u"* "}, u"* "},
    {u"Fix Space/", u"/", {u"/=", u" /", u"//"}, u" /"},
    {u"Fix /Space", u"/", {u"/=", u"/ ", u"//"}, u"/ "},
}};

constexpr int kMaxPasses = 8;

// The words after which an operand is due: a sign that follows one of them
// belongs to its operand.
bool OperandDueAfter(std::u16string_view word) {
    using namespace std::literals;
    for (std::u16string_view k : {u"THEN"sv, u"ELSE"sv, u"DO"sv, u"OF"sv, u"IN"sv, u"TO"sv, u"DOWNTO"sv, u"UNTIL"sv,
                                  u"IF"sv, u"WHILE"sv, u"CASE"sv, u"AND"sv, u"OR"sv, u"XOR"sv, u"NOT"sv, u"DIV"sv,
                                  u"MOD"sv})
        if (word.size() == k.size() && StartsWithNoCase(word, k)) return true;
    return false;
}

// Whether the + or - at i stands between two operands: after a name, a
// number, a text, a name in quotes or a closing bracket. At the start of the
// line it does where the line goes on after an operand.
bool IsBinary(std::u16string_view text, std::size_t i, bool afterOperand) {
    std::size_t j = i;
    while (j > 0 && text[j - 1] == u' ') --j;
    if (j == 0) return afterOperand;
    const char16_t c = text[j - 1];
    if (c == u')' || c == u']' || c == u'\'' || c == u'"') return true;
    if (!IsNameChar(c)) return false;
    std::size_t start = j - 1;
    while (start > 0 && IsNameChar(text[start - 1])) --start;
    return !OperandDueAfter(text.substr(start, j - start));
}

bool Means(const InstrNew& line, std::size_t i, Meaning meaning, bool afterOperand) {
    const std::u16string& text = line.TextL();
    switch (meaning) {
    case Meaning::LoneEquals: {
        // A run of "=" (a divider such as //=====) holds no operator either.
        const char16_t before = i > 0 ? text[i - 1] : u' ';
        const char16_t after = i + 1 < text.size() ? text[i + 1] : u' ';
        return before != u':' && before != u'<' && before != u'>' && before != u'+' && before != u'-' &&
               before != u'*' && before != u'/' && before != u'=' && after != u'=';
    }
    case Meaning::Binary: return IsBinary(text, i, afterOperand);
    default: return true;
    }
}

// The 1-based position of the first occurrence of what in code whose sign
// sign (at its offset in what) is meant; 0 when there is none, or when an
// occurrence in quotes comes first.
std::int64_t Find(const InstrNew& line, std::u16string_view what, char16_t sign, Meaning meaning, bool afterOperand) {
    if (meaning == Meaning::Any) return line.InstrCode(1, what);
    const std::size_t offset = what.find(sign);
    for (std::int64_t from = 1;;) {
        const std::int64_t p = line.InstrCode(from, what);
        if (p == 0 || Means(line, static_cast<std::size_t>(p - 1) + offset, meaning, afterOperand)) return p;
        from = p + 1;
    }
}

// A comment mark keeps the "/" rules back wherever it stands; every other
// pattern counts only in code.
bool AnyBlockerPresent(const InstrNew& line, const SpacingRule& rule, bool afterOperand) {
    for (std::u16string_view b : rule.blockers) {
        const bool commentMark = b.size() == 2 && b[0] == u'/' && b[1] == u'/';
        // The meaning counts for the operator's spaced forms, not for the
        // other operators among the blockers.
        const bool spacedForm = b.find_first_not_of(std::u16string(1, u' ') + rule.op[0]) == std::u16string_view::npos;
        const std::int64_t at = commentMark ? line.InstrN(1, b)
                                            : Find(line, b, rule.op[0], spacedForm ? rule.meaning : Meaning::Any, afterOperand);
        if (at > 0) return true;
    }
    return false;
}

}  // namespace

void SpaceOperators(InstrNew& line, NestingHost& host, bool afterOperand) {
    // A blank put after an operator can break up the pattern that kept
    // another rule back ("<=%" becoming "<= %"); the rules run again until
    // the line stays as it is, so that spacing spaced code changes nothing.
    // Only a rule held back by a pattern can act in a later pass: blanks
    // never make an absent operator appear, and they never break up the
    // spaced form a rule has written.
    std::uint32_t heldBack = (1u << kRules.size()) - 1;
    for (int pass = 0; pass < kMaxPasses && heldBack != 0; ++pass) {
        bool changed = false;
        std::uint32_t stillHeld = 0;
        for (std::size_t i = 0; i < kRules.size(); ++i) {
            if (!(heldBack >> i & 1u)) continue;
            const SpacingRule& rule = kRules[i];
            const std::int64_t p = Find(line, rule.op, rule.op[0], rule.meaning, afterOperand);
            if (p == 0) continue;
            if (AnyBlockerPresent(line, rule, afterOperand)) {
                stillHeld |= 1u << i;
                continue;
            }
            host.AddTrace(rule.label);
            line.Replace(static_cast<std::size_t>(p - 1), rule.op.size(), rule.rep);
            changed = true;
        }
        if (!changed) return;
        heldBack = stillHeld;
    }
}

}  // namespace tabwright
