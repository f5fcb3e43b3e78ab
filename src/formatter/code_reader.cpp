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

void CodeLexer::Line(std::u16string_view line, std::vector<CodeSpan>& spans) {
    spans.clear();
    const std::size_t end = ContentEnd(line);
    std::size_t i = 0;
    if (inBrace_) {
        const std::size_t close = line.substr(0, end).find(u'}');
        inBrace_ = close == std::u16string_view::npos;
        i = inBrace_ ? end : close + 1;
        spans.push_back({Stretch::Brace, 0, i});
    }
    const std::u16string_view content = line.substr(0, end);
    while ((i = FindAnyOf4(content, i, u'\'', u'"', u'{', u'/')) < end) {
        const char16_t c = line[i];
        if (c == u'\'') {
            std::size_t j = i + 1;
            // A doubled quote inside a text constant stands for one quote.
            while (j < end && (line[j] != u'\'' || (j + 1 < end && line[j + 1] == u'\'' && ++j))) ++j;
            spans.push_back({Stretch::Text, i, j < end ? j + 1 : end});
            i = j + 1;
        } else if (c == u'"') {
            const std::size_t close = line.substr(0, end).find(u'"', i + 1);
            const std::size_t stop = close == std::u16string_view::npos ? end : close + 1;
            spans.push_back({Stretch::Name, i, stop});
            i = stop;
        } else if (c == u'{') {
            const std::size_t close = line.substr(0, end).find(u'}', i + 1);
            inBrace_ = close == std::u16string_view::npos;
            const std::size_t stop = inBrace_ ? end : close + 1;
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

void CodeView::Build(std::u16string_view line, const std::vector<CodeSpan>& spans) {
    const std::size_t end = ContentEnd(line);
    hasBreak_ = end < line.size();
    hasComment_ = false;
    std::u16string_view code = line.substr(0, end);
    if (!spans.empty()) {
        buffer_.assign(code);
        for (const CodeSpan& s : spans) {
            if (s.kind == Stretch::Brace || s.kind == Stretch::LineComment) {
                hasComment_ = true;
                buffer_.replace(s.begin, s.end - s.begin, s.end - s.begin, u' ');
            } else if (s.end - s.begin > 2) {
                // The quote marks stay: a label such as 'A': needs them.
                const bool closed = buffer_[s.end - 1] == buffer_[s.begin] && s.end - s.begin >= 2;
                const std::size_t inner = s.end - s.begin - 1 - (closed ? 1 : 0);
                buffer_.replace(s.begin + 1, inner, inner, kMaskedChar);
            }
        }
        code = buffer_;
    }
    std::size_t e = code.size();
    blankBeforeBreak_ = hasBreak_ && e > 0 && code[e - 1] == u' ' && !(hasComment_ && spans.back().end == end);
    while (e > 0 && code[e - 1] == u' ') --e;
    std::size_t b = 0;
    while (b < e && code[b] == u' ') ++b;
    code_ = code.substr(b, e - b);
}

}  // namespace tabwright
