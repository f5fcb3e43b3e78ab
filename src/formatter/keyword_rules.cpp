#include "formatter/keyword_rules.h"

#include "formatter/text_search.h"

namespace tabwright {
namespace {

using View = std::u16string_view;
constexpr std::size_t npos = View::npos;

bool EndsWith(View line, View tail) {
    return line.size() >= tail.size() && line.substr(line.size() - tail.size()) == tail;
}

// A case label with a trailing comment, as in "1: // first",
// unless the colon belongs to an assignment.
bool ColonBeforeComment(View line) {
    if (line.find(u":=") != npos) return false;
    const std::size_t colon = line.find(u':');
    const std::size_t comment = line.find(u"//");
    return colon != npos && comment != npos && comment > colon;
}

}  // namespace

const std::array<KeywordRule, 22> kKeywordRules{{
    {u"UNTIL Space", [](View l) { return StartsWithNoCase(l, u"UNTIL "); }, KeywordEffect::CloseBlock},
    {u"END;", [](View l) { return StartsWithNoCase(l, u"END;"); }, KeywordEffect::CloseBlock},
    {u"END Space", [](View l) { return StartsWithNoCase(l, u"END "); }, KeywordEffect::CloseBlock},
    {u"END CrLf", [](View l) { return l == u"END\r\n"; }, KeywordEffect::CloseBlock},
    {u"CASE OF",
     [](View l) { return StartsWithNoCase(l, u"CASE ") && ContainsNoCase(l, u" OF"); },
     KeywordEffect::OpenBlock},
    {u"REPEAT", [](View l) { return StartsWithNoCase(l, u"REPEAT"); }, KeywordEffect::OpenBlock},
    {u"BEGIN", [](View l) { return ContainsNoCase(l, u"BEGIN"); }, KeywordEffect::OpenBlockAndStop},
    {u"WITH Space", [](View l) { return StartsWithNoCase(l, u"WITH "); }, KeywordEffect::IndentNext},
    {u"WHILE Space", [](View l) { return StartsWithNoCase(l, u"WHILE "); }, KeywordEffect::IndentNext},
    {u"IF Space", [](View l) { return StartsWithNoCase(l, u"IF "); }, KeywordEffect::IndentNext},
    {u" ELSE Space", [](View l) { return ContainsNoCase(l, u" ELSE "); }, KeywordEffect::IndentNext},
    {u" ELSE CrLf", [](View l) { return ContainsNoCase(l, u" ELSE\r\n"); }, KeywordEffect::IndentNext},
    {u"ELSE CrLf", [](View l) { return ContainsNoCase(l, u"ELSE\r\n"); }, KeywordEffect::IndentNext},
    {u"FOR Space", [](View l) { return StartsWithNoCase(l, u"FOR "); }, KeywordEffect::IndentNext},
    {u": CrLf", [](View l) { return EndsWith(l, u":\r\n"); }, KeywordEffect::IndentNext},
    {u", CrLf", [](View l) { return EndsWith(l, u",\r\n"); }, KeywordEffect::IndentNext},
    {u": Space CrLf", [](View l) { return EndsWith(l, u": \r\n"); }, KeywordEffect::IndentNext},
    {u": not :=", ColonBeforeComment, KeywordEffect::IndentNext},
    {u"': not :=",
     [](View l) { return l.find(u"':") != npos && l.find(u":=") == npos; },
     KeywordEffect::IndentNext},
    {u"\": not :=",
     [](View l) { return l.find(u"\":") != npos && l.find(u":=") == npos; },
     KeywordEffect::IndentNext},
    {u"END ELSE",
     [](View l) { return StartsWithNoCase(l, u"END") && ContainsNoCase(l, u"ELSE"); },
     KeywordEffect::IndentNext},
    {u";",
     [](View l) {
         return EndsWith(l, u";\r\n") || l.find(u"//") != npos || l.find(u'{') != npos ||
                l.find(u'}') != npos;
     },
     KeywordEffect::LabelOnly},
}};

}  // namespace tabwright
