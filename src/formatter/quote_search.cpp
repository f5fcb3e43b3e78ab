#include "formatter/quote_search.h"

#include "formatter/text_search.h"

namespace tabwright {

const InstrNewTegn* InstrNew::Item(std::int64_t nFmt) const {
    if (nFmt < 1 || nFmt > Count()) return nullptr;
    return &ranges_[static_cast<std::size_t>(nFmt - 1)];
}

void InstrNew::ScanQuotes() {
    protected_.clear();
    summary_.Build(text_);
    ScanRanges();
}

void InstrNew::Replace(std::size_t index, std::size_t count, std::u16string_view with) {
    text_.replace(index, count, with);
    for (CodeSpan& span : protected_) {
        if (span.begin < index + count) continue;
        span.begin += with.size() - count;
        span.end += with.size() - count;
    }
    summary_.Add(text_, index == 0 ? 0 : index - 1, index + with.size() + 1);
    ScanRanges();
}

void InstrNew::ScanRanges() {
    ranges_.clear();
    if (summary_.MayContain(u"\"")) ScanPass(u'"');
    if (summary_.MayContain(u"'")) ScanPass(u'\'');
}

void InstrNew::ScanPass(char16_t quote) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = text_.find(quote, from);
        if (open == std::u16string::npos) return;
        InstrNewTegn range;
        range.Start = static_cast<std::int64_t>(open) + 1;
        const std::size_t close = text_.find(quote, open + 1);
        if (close != std::u16string::npos) range.Slut = static_cast<std::int64_t>(close) + 1;
        ranges_.push_back(range);
        if (close == std::u16string::npos) return;
        from = close + 1;
    }
}

std::int64_t InstrNew::InstrN(std::int64_t pos, std::u16string_view what) const {
    if (pos < 1) pos = 1;
    if (!summary_.MayContain(what)) return 0;
    const std::size_t at = FindNoCase(text_, what, static_cast<std::size_t>(pos - 1));
    if (at == std::u16string_view::npos) return 0;
    const std::int64_t p = static_cast<std::int64_t>(at) + 1;
    for (const InstrNewTegn& r : ranges_)
        if (r.Start < p && p < r.Slut) return 0;
    return p;
}

std::int64_t InstrNew::InstrCode(std::int64_t pos, std::u16string_view what) const {
    const std::int64_t p = InstrN(pos, what);
    if (p == 0 || protected_.empty()) return p;
    const auto at = static_cast<std::size_t>(p - 1);
    for (const CodeSpan& span : protected_)
        if (span.begin <= at && at < span.end) return 0;
    return p;
}

bool Seektext(std::u16string_view text, std::u16string_view what) {
    const std::size_t at = FindNoCase(text, what);
    if (at == std::u16string_view::npos) return false;
    for (std::size_t i = 0; i < at; ++i)
        if (text[i] != u' ') return false;
    return true;
}

}  // namespace tabwright
