// Quote-aware search on one line of C/AL: the quoted ranges of a line and
// searches that skip occurrences inside them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formatter/code_reader.h"
#include "formatter/text_search.h"

namespace tabwright {

// One quoted stretch of a line: the positions (1-based) of its opening and
// closing quote. Slut is 0 when the quote is never closed.
struct InstrNewTegn {
    std::int64_t Start = 0;
    std::int64_t Slut = 0;
};

// A line of text together with its double- and single-quoted ranges.
// Setting TextL only stores the text; ScanQuotes must run before searching.
class InstrNew {
public:
    InstrNew() { ScanQuotes(); }

    // The range numbered nFmt (1-based), or nullptr outside 1..Count.
    const InstrNewTegn* Item(std::int64_t nFmt) const;
    std::int64_t Count() const { return static_cast<std::int64_t>(ranges_.size()); }

    const std::u16string& TextL() const { return text_; }
    void TextL(std::u16string_view text) { text_.assign(text); }

    auto begin() const { return ranges_.begin(); }
    auto end() const { return ranges_.end(); }

    // Rebuilds the ranges: all double-quoted ranges in text order, then all
    // single-quoted ones. Quotes pair strictly left to right. Also refreshes
    // the summary that lets InstrN give up early on absent patterns.
    void ScanQuotes();

    // Replaces count characters at index (0-based) by with, keeping the
    // ranges and the summary in step, as ScanQuotes after the edit would.
    void Replace(std::size_t index, std::size_t count, std::u16string_view with);

    // What the text holds, for quick "certainly absent" answers.
    const TextSummary& Summary() const { return summary_; }

    // Position of the first occurrence of what at or after pos (1-based),
    // ignoring letter case; 0 when there is none or when that first
    // occurrence lies strictly inside a closed quoted range.
    std::int64_t InstrN(std::int64_t pos, std::u16string_view what) const;

    // Marks the stretches of the text that are not code, as CodeLexer reads
    // them; Replace keeps them in step. ScanQuotes forgets them.
    void Protect(const std::vector<CodeSpan>& spans) { protected_ = spans; }
    const std::vector<CodeSpan>& Protected() const { return protected_; }
    // As InstrN, and 0 also when that first occurrence lies in a protected
    // stretch: a comment, or a text or name the pairing of quotes misreads.
    std::int64_t InstrCode(std::int64_t pos, std::u16string_view what) const;

private:
    void ScanRanges();
    void ScanPass(char16_t quote);

    std::u16string text_;
    std::vector<InstrNewTegn> ranges_;
    std::vector<CodeSpan> protected_;
    TextSummary summary_;
};

// True when what occurs in text (ignoring case) with nothing but blanks
// before its first occurrence.
bool Seektext(std::u16string_view text, std::u16string_view what);

}  // namespace tabwright
