#include <array>
#include <cstdint>
#include <initializer_list>

#include "formatter/formatter.h"

namespace tabwright {
namespace {

// One fix: the first occurrence of op becomes rep, unless one of the blocking
// patterns is present. Every rep is also among its blockers, so a line that
// already holds the spaced form anywhere is left alone.
struct SpacingRule {
    std::u16string_view label;
    std::u16string_view op;
    std::initializer_list<std::u16string_view> blockers;
    std::u16string_view rep;
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
    {u"Fix Space=", u"=", {u" =", u"+=", u"-=", u"/=", u"*=", u">=", u"<=", u":="}, u" ="},
    {u"Fix =Space", u"=", {u"+=", u"-=", u"/=", u"*=", u":=", u"= "}, u"= "},
    {u"Fix Space+", u"+", {u"+=", u" +"}, u" +"},
    {u"Fix +Space", u"+", {u"+=", u"+ "}, u"+ "},
    {u"Fix Space-", u"-", {u"-=", u"--", u" -"}, u" -"},
    {u"Fix -Space", u"-", {u"-=", u"--", u"- "}, u"- "},
    {u"Fix Space*", u"*", {u"*=", u" *"}, u" *"},
    {u"Fix *Space", u"*", {u"*=", u"* "}, u"* "},
    {u"Fix Space/", u"/", {u"/=", u" /", u"//"}, u" /"},
    {u"Fix /Space", u"/", {u"/=", u"/ ", u"//"}, u"/ "},
}};

constexpr int kMaxPasses = 8;

// A comment mark keeps the "/" rules back wherever it stands; every other
// pattern counts only in code.
bool AnyBlockerPresent(const InstrNew& line, const SpacingRule& rule) {
    for (std::u16string_view b : rule.blockers) {
        const bool commentMark = b.size() == 2 && b[0] == u'/' && b[1] == u'/';
        if ((commentMark ? line.InstrN(1, b) : line.InstrCode(1, b)) > 0) return true;
    }
    return false;
}

}  // namespace

void SpaceOperators(InstrNew& line, NestingHost& host) {
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
            const std::int64_t p = line.InstrCode(1, rule.op);
            if (p == 0) continue;
            if (AnyBlockerPresent(line, rule)) {
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
