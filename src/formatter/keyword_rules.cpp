#include "formatter/keyword_rules.h"

#include "formatter/text_search.h"

namespace tabwright {
namespace {

using View = std::u16string_view;
using Line = const KeywordLine&;

bool EndsWith(Line line, View tail) {
    const View t = line.text;
    return t.size() >= tail.size() && t.substr(t.size() - tail.size()) == tail;
}

bool BeginsWith(Line line, View head) { return StartsWithNoCase(line.text, head); }

// A case label with a trailing comment, as in "1: // first",
// unless the colon belongs to an assignment.
bool ColonBeforeComment(Line line) {
    if (!line.Contains(u"//") || line.Contains(u":=")) return false;
    const std::size_t colon = line.text.find(u':');
    return colon != View::npos && line.text.find(u"//") > colon;
}

}  // namespace

const std::array<KeywordRule, 22> kKeywordRules{{
    {u"UNTIL Space", [](Line l) { return BeginsWith(l, u"UNTIL "); }, KeywordEffect::CloseBlock},
    {u"END;", [](Line l) { return BeginsWith(l, u"END;"); }, KeywordEffect::CloseBlock},
    {u"END Space", [](Line l) { return BeginsWith(l, u"END "); }, KeywordEffect::CloseBlock},
    {u"END CrLf", [](Line l) { return l.text == u"END\r\n"; }, KeywordEffect::CloseBlock},
    {u"CASE OF",
     [](Line l) { return BeginsWith(l, u"CASE ") && l.Contains(u" OF"); },
     KeywordEffect::OpenBlock},
    {u"REPEAT", [](Line l) { return BeginsWith(l, u"REPEAT"); }, KeywordEffect::OpenBlock},
    {u"BEGIN", [](Line l) { return l.Contains(u"BEGIN"); }, KeywordEffect::OpenBlockAndStop},
    {u"WITH Space", [](Line l) { return BeginsWith(l, u"WITH "); }, KeywordEffect::IndentNext},
    {u"WHILE Space", [](Line l) { return BeginsWith(l, u"WHILE "); }, KeywordEffect::IndentNext},
    {u"IF Space", [](Line l) { return BeginsWith(l, u"IF "); }, KeywordEffect::IndentNext},
    {u" ELSE Space", [](Line l) { return l.Contains(u" ELSE "); }, KeywordEffect::IndentNext},
    {u" ELSE CrLf", [](Line l) { return l.Contains(u" ELSE\r\n"); }, KeywordEffect::IndentNext},
    {u"ELSE CrLf", [](Line l) { return l.Contains(u"ELSE\r\n"); }, KeywordEffect::IndentNext},
    {u"FOR Space", [](Line l) { return BeginsWith(l, u"FOR "); }, KeywordEffect::IndentNext},
    {u": CrLf", [](Line l) { return EndsWith(l, u":\r\n"); }, KeywordEffect::IndentNext},
    {u", CrLf", [](Line l) { return EndsWith(l, u",\r\n"); }, KeywordEffect::IndentNext},
    {u": Space CrLf", [](Line l) { return EndsWith(l, u": \r\n"); }, KeywordEffect::IndentNext},
    {u": not :=", ColonBeforeComment, KeywordEffect::IndentNext},
    {u"': not :=",
     [](Line l) { return l.Contains(u"':") && !l.Contains(u":="); },
     KeywordEffect::IndentNext},
    {u"\": not :=",
     [](Line l) { return l.Contains(u"\":") && !l.Contains(u":="); },
     KeywordEffect::IndentNext},
    {u"END ELSE",
     [](Line l) { return BeginsWith(l, u"END") && l.Contains(u"ELSE"); },
     KeywordEffect::IndentNext},
    {u";",
     [](Line l) {
         return EndsWith(l, u";\r\n") || l.Contains(u"//") || l.Contains(u"{") ||
                l.Contains(u"}");
     },
     KeywordEffect::LabelOnly},
}};

}  // namespace tabwright
