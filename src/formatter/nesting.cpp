#include <algorithm>
#include <cstdint>

#include "formatter/formatter.h"
#include "formatter/keyword_rules.h"
#include "formatter/line_cutter.h"

namespace tabwright {
namespace {

std::u16string_view TrimBlanks(std::u16string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == u' ') ++b;
    while (e > b && s[e - 1] == u' ') --e;
    return s.substr(b, e - b);
}

std::u16string_view LeadingBlanks(std::u16string_view s) {
    std::size_t n = 0;
    while (n < s.size() && s[n] == u' ') ++n;
    return s.substr(0, n);
}

bool IsCommentLine(std::u16string_view line) { return line.substr(0, 2) == u"//"; }

// Where a long line is cut: just after the last comma at or before column c,
// else after the last blank there; 0 when neither exists.
std::size_t SplitPoint(std::u16string_view line, std::int64_t c) {
    if (c <= 0) return 0;
    const auto head = line.substr(0, static_cast<std::size_t>(c));
    std::size_t at = head.rfind(u',');
    if (at == std::u16string_view::npos) at = head.rfind(u' ');
    return at == std::u16string_view::npos ? 0 : at + 1;
}

// The per-line state of one run.
struct RunState {
    std::int64_t level = 0;
    std::int64_t blockDepth = 0;
    bool indentNext = false;
    bool openBlock = false;
    bool sawBegin = false;
};

}  // namespace

std::u16string Formatter::Nesting(std::u16string_view input, NestingHost& host) {
    host.ClearTrace();
    search_ = InstrNew();
    stack_.Clear();
    if (input.size() <= 3) return std::u16string(input);

    // A leading break is dropped when blanks follow it (they are the first
    // line's indentation), otherwise it is moved to the end.
    std::u16string moved;
    std::u16string_view text = input;
    std::size_t skipped = 0;  // input characters before text's first
    if (input.substr(0, 2) == u"\r\n") {
        skipped = 2;
        if (input[2] == u' ') {
            text = input.substr(2);
        } else {
            moved.reserve(input.size());
            moved.append(input.substr(2)).append(u"\r\n");
            text = moved;
        }
    }

    std::u16string out;
    out.reserve(text.size() + text.size() / 2);
    std::u16string_view baseIndent;
    RunState s;

    LineCutter cutter(text);
    do {
        if (stack_.Empty()) stack_.Push(s.level);
        const bool firstLine = cutter.AtFirstLine();
        const std::u16string_view raw = cutter.Next();
        std::u16string_view line = TrimBlanks(raw);
        search_.TextL(line);
        search_.ScanQuotes();
        if (firstLine) baseIndent = LeadingBlanks(raw);

        std::int64_t indentWidth = static_cast<std::int64_t>(baseIndent.size());
        out.append(baseIndent);

        if (!IsCommentLine(line)) {
            const KeywordLine keywordLine{line, search_.Summary()};
            for (const KeywordRule& rule : kKeywordRules) {
                if (!rule.matches(keywordLine)) continue;
                host.AddTrace(rule.label);
                if (rule.effect == KeywordEffect::CloseBlock) {
                    --s.blockDepth;
                    s.level = stack_.Pop();
                } else if (rule.effect == KeywordEffect::IndentNext) {
                    s.indentNext = true;
                } else if (rule.effect != KeywordEffect::LabelOnly) {
                    stack_.Push(s.level);
                    s.openBlock = true;
                    if (rule.effect == KeywordEffect::OpenBlockAndStop) {
                        s.sawBegin = true;
                        break;
                    }
                }
            }
        }

        const std::int64_t steps = s.level + s.blockDepth;
        if (steps > 0) {
            out.append(static_cast<std::size_t>(steps) * kIndentUnit.size(), u' ');
            indentWidth += steps * static_cast<std::int64_t>(kIndentUnit.size());
        }

        if (host.SignOn()) {
            SpaceOperators(search_, host);
            line = search_.TextL();
        }

        const std::int64_t length = static_cast<std::int64_t>(line.size());
        const std::size_t cut =
            length + indentWidth > kLineLimit ? SplitPoint(line, kBreakColumn - indentWidth) : 0;
        if (cut == 0) {
            out.append(line);
        } else {
            out.append(line.substr(0, cut)).append(u"\r\n").append(baseIndent);
            if (IsCommentLine(line)) out.append(u"// ");
            out.append(line.substr(cut));
        }

        // A one-statement body ends after its statement: at the outermost
        // depth the level falls back to the bottom of the stack, inside a
        // block to the level saved when the innermost block opened.
        if (!s.indentNext && !s.sawBegin && !s.openBlock && stack_.Count() == 1)
            s.level = stack_.Pop();
        if (s.level > 0 && s.blockDepth > 0 && !s.indentNext && !s.openBlock) {
            s.level = stack_.Pop();
            stack_.Push(s.level);
        }
        if (s.indentNext) {
            ++s.level;
            s.indentNext = false;
        }
        s.sawBegin = false;
        if (s.openBlock) {
            ++s.blockDepth;
            s.openBlock = false;
        }
        host.LineDone(std::min(cutter.Position() + skipped, input.size()), out.size());
    } while (!cutter.Done());

    search_ = InstrNew();
    return out;
}

}  // namespace tabwright
