#include "formatter/keyword_rules.h"

#include "formatter/text_search.h"

namespace tabwright {
namespace {

using View = std::u16string_view;
constexpr std::size_t npos = View::npos;

// Letters, digits and the underscore make names; so do the letters beyond
// ASCII that C/AL names may hold.
bool IsNameChar(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' ||
           c >= 0x80;
}

class LineReader {
public:
    LineReader(View code, const TextSummary& summary) : code_(code), summary_(summary) {}

    bool May(View what) const { return summary_.MayContain(what); }

    // The first occurrence of word at or after from that is a whole word.
    std::size_t FindWord(View word, std::size_t from = 0) const {
        if (!May(word)) return npos;
        for (std::size_t at = FindNoCase(code_, word, from); at != npos; at = FindNoCase(code_, word, at + 1))
            if (IsWordAt(at, word.size())) return at;
        return npos;
    }
    bool HoldsWord(View word) const { return FindWord(word) != npos; }

    bool IsWordAt(std::size_t at, std::size_t size) const {
        return (at == 0 || !IsNameChar(code_[at - 1])) && (at + size >= code_.size() || !IsNameChar(code_[at + size]));
    }
    bool BeginsWith(View head, std::size_t from = 0) const {
        return StartsWithNoCase(code_.substr(from), head);
    }
    bool BeginsWithWord(View word, std::size_t from = 0) const {
        return BeginsWith(word, from) && IsWordAt(from, word.size());
    }
    bool EndsWith(View tail) const { return code_.ends_with(tail); }
    bool EndsWithWord(View word) const {
        return code_.size() >= word.size() && StartsWithNoCase(code_.substr(code_.size() - word.size()), word) &&
               IsWordAt(code_.size() - word.size(), word.size());
    }

    // A colon that ends a CASE label: not the colon of ":=" or of the "::"
    // of an option value such as Status::Open.
    bool IsLabelColon(std::size_t at) const {
        return code_[at] == u':' && (at + 1 >= code_.size() || (code_[at + 1] != u':' && code_[at + 1] != u'=')) &&
               (at == 0 || code_[at - 1] != u':');
    }
    bool HoldsLabelColon() const {
        for (std::size_t at = code_.find(u':'); at != npos; at = code_.find(u':', at + 1))
            if (IsLabelColon(at)) return true;
        return false;
    }
    // quote followed by a label colon, as in 'A': or "No.":.
    bool HoldsQuotedLabel(char16_t quote) const {
        const char16_t pair[] = {quote, u':'};
        if (!May(View(pair, 2))) return false;
        for (std::size_t at = code_.find(View(pair, 2)); at != npos; at = code_.find(View(pair, 2), at + 1))
            if (IsLabelColon(at + 1)) return true;
        return false;
    }

    // The last THEN, DO or ELSE, and whether code follows it.
    LineFacts::Keyword LastBodyKeyword() const {
        std::size_t last = npos, size = 0;
        for (View word : {View(u"THEN"), View(u"DO"), View(u"ELSE")}) {
            for (std::size_t at = FindWord(word); at != npos; at = FindWord(word, at + 1))
                if (last == npos || at > last) last = at, size = word.size();
        }
        if (last == npos) return LineFacts::kNone;
        return last + size < code_.size() ? LineFacts::kLastWithCode : LineFacts::kLastAtEnd;
    }

    // The line ends inside an expression or an argument list: with a
    // comma, an operator or an opening bracket.
    bool Continues() const {
        if (code_.empty()) return false;
        switch (code_.back()) {
        case u',': case u'(': case u'[': case u'+': case u'-': case u'*': case u'/': case u'=': case u'<': case u'>':
            return true;
        default:
            break;
        }
        for (View word : {u"AND", u"OR", u"XOR", u"NOT", u"DIV", u"MOD", u"IN"})
            if (EndsWithWord(word)) return true;
        return false;
    }

    View Code() const { return code_; }

private:
    View code_;
    const TextSummary& summary_;
};

// How many leading words such as END and ELSE stand before a statement's
// own keyword: END ELSE IF is an IF.
std::size_t HeadStart(const LineReader& r) {
    std::size_t at = 0;
    for (View word : {View(u"END"), View(u"ELSE")}) {
        if (!r.BeginsWithWord(word, at)) continue;
        at += word.size();
        while (at < r.Code().size() && r.Code()[at] == u' ') ++at;
    }
    return at;
}

}  // namespace

LineFacts ReadLineFacts(const CodeView& line, const TextSummary& summary) {
    LineFacts f;
    const View code = line.Code();
    if (code.empty()) return f;
    const LineReader r(code, summary);

    const auto head = [&f](bool yes, std::uint32_t bit) { f.head |= yes ? bit : 0; };
    head(r.BeginsWith(u"UNTIL "), kUntil);
    head(r.BeginsWith(u"END;"), kEndSemicolon);
    head(r.BeginsWith(u"END "), kEndBlank);
    head(code == u"END" && line.HasBreak(), kEndAlone);
    head(r.BeginsWith(u"CASE "), kCase);
    head(r.BeginsWithWord(u"REPEAT"), kRepeat);
    const std::size_t own = HeadStart(r);
    head(r.BeginsWith(u"WITH ", own), kWith);
    head(r.BeginsWith(u"WHILE ", own), kWhile);
    head(r.BeginsWith(u"IF ", own), kIf);
    head(r.BeginsWith(u"FOR ", own), kFor);
    head(r.BeginsWithWord(u"END"), kEndWord);
    head(r.BeginsWithWord(u"ELSE"), kElseWord);
    head(r.BeginsWithWord(u"THEN") || r.BeginsWithWord(u"DO"), kThenOrDo);

    const auto holds = [&f](bool yes, std::uint32_t bit) { f.holds |= yes ? bit : 0; };
    holds(r.HoldsWord(u"OF"), kOf);
    holds(r.HoldsWord(u"BEGIN"), kBegin);
    holds(r.May(u" ELSE ") && ContainsNoCase(code, u" ELSE "), kSpacedElse);
    holds(r.HoldsWord(u"ELSE"), kElse);
    holds(r.May(u":=") && code.find(u":=") != npos, kAssign);
    holds(r.HoldsQuotedLabel(u'\''), kQuoteLabel);
    holds(r.HoldsQuotedLabel(u'"'), kNameLabel);
    holds(line.HasComment() && r.HoldsLabelColon(), kLabelWithComment);
    holds(line.HasComment(), kComment);
    holds(r.HoldsWord(u"THEN"), kThen);
    holds(r.HoldsWord(u"DO"), kDo);

    const auto tail = [&f](bool yes, std::uint32_t bit) { f.tail |= yes ? bit : 0; };
    tail(r.EndsWith(u";"), kEndsSemicolon);
    const bool labelEnd = line.HasBreak() && r.IsLabelColon(code.size() - 1);
    tail(labelEnd && !line.BlankBeforeBreak(), kEndsColon);
    tail(labelEnd && line.BlankBeforeBreak(), kEndsColonBlank);
    tail(line.HasBreak() && r.EndsWith(u","), kEndsComma);
    tail(line.HasBreak() && code.size() >= 5 && StartsWithNoCase(code.substr(code.size() - 5), u" ELSE"),
         kEndsSpacedElse);
    tail(line.HasBreak() && r.EndsWithWord(u"ELSE"), kEndsElse);
    tail(r.Continues(), kContinues);

    f.lastBodyKeyword = r.LastBodyKeyword();
    for (char16_t c : code) f.bracketBalance += (c == u'(' || c == u'[') - (c == u')' || c == u']');
    if (f.head & (kIf | kWhile)) f.conditionAt = static_cast<std::uint32_t>(own + (f.head & kIf ? 3 : 6));
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
