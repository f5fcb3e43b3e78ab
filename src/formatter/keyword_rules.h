// The keyword rules of re-indentation: plain text tests on one trimmed line
// (its line break still at the end), in the order they are tried.
#pragma once

#include <array>
#include <string_view>

#include "formatter/text_search.h"

namespace tabwright {

enum class KeywordEffect {
    CloseBlock,       // one block fewer; the level saved by its opening returns
    OpenBlock,        // saves the level; the lines after it go one block deeper
    OpenBlockAndStop, // as OpenBlock, and no later rule is tried on the line
    IndentNext,       // the next line goes one step deeper
    LabelOnly,
};

// A trimmed line with the summary that lets rules skip absent patterns.
struct KeywordLine {
    bool Contains(std::u16string_view what) const {
        return summary.MayContain(what) && FindNoCase(text, what) != std::u16string_view::npos;
    }
    std::u16string_view text;
    const TextSummary& summary;
};

struct KeywordRule {
    std::u16string_view label;
    bool (*matches)(const KeywordLine& line);
    KeywordEffect effect;
};

extern const std::array<KeywordRule, 22> kKeywordRules;

}  // namespace tabwright
