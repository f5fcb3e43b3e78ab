// The keyword rules of re-indentation: plain text tests on one trimmed line
// (its line break still at the end), in the order they are tried.
#pragma once

#include <array>
#include <string_view>

namespace tabwright {

enum class KeywordEffect {
    CloseBlock,       // one block fewer; the level saved by its opening returns
    OpenBlock,        // saves the level; the lines after it go one block deeper
    OpenBlockAndStop, // as OpenBlock, and no later rule is tried on the line
    IndentNext,       // the next line goes one step deeper
    LabelOnly,
};

struct KeywordRule {
    std::u16string_view label;
    bool (*matches)(std::u16string_view line);
    KeywordEffect effect;
};

extern const std::array<KeywordRule, 22> kKeywordRules;

}  // namespace tabwright
