#include <array>
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
    {u"Fix Space/=", u"/=", {u" /="}, u" /="},
    {u"Fix /=Space", u"/=", {u"/= "}, u"/= "},
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

bool AnyBlockerPresent(const InstrNew& search, const SpacingRule& rule) {
    for (std::u16string_view b : rule.blockers)
        if (search.InstrN(1, b) > 0) return true;
    return false;
}

bool HasOperatorCharacter(std::u16string_view line) {
    for (char16_t c : line)
        if (c == u'=' || c == u'+' || c == u'-' || c == u'*' || c == u'/') return true;
    return false;
}

}  // namespace

void SpaceOperators(std::u16string& line, InstrNew& search, NestingHost& host) {
    // Every operator holds one of these characters; most lines with none of
    // them are comments or keywords, and no rule can fire on them.
    if (!HasOperatorCharacter(line)) return;
    for (const SpacingRule& rule : kRules) {
        const std::int64_t p = search.InstrN(1, rule.op);
        if (p == 0 || AnyBlockerPresent(search, rule)) continue;
        host.AddTrace(rule.label);
        line.replace(static_cast<std::size_t>(p - 1), rule.op.size(), rule.rep);
        search.TextL(line);
        search.ScanQuotes();
    }
}

}  // namespace tabwright
