// The keyword rules of re-indentation, in the order they are tried. They
// read code only (CodeView: no text constants, quoted names or comments) and
// judge a statement as a whole, however many lines it takes: the tests of
// how it begins look at its first line, those of how it ends at its last,
// and those of what it holds at every line.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "formatter/code_reader.h"

namespace tabwright {

enum class KeywordEffect {
    CloseBlock,        // one block fewer; the level saved by its opening returns
    OpenBlock,         // saves the level; the lines after it go one block deeper
    OpenBlockAndStop,  // as OpenBlock, and no later rule is tried on the statement
    IndentNext,        // the next line goes one step deeper
    LabelOnly,
};

// What one line's code says about the statement it belongs to.
struct LineFacts {
    std::uint32_t head = 0;  // how the line begins (the head bits below)
    std::uint32_t holds = 0; // what the line holds (the holds bits)
    std::uint32_t tail = 0;  // how the line ends (the tail bits)
    // Where the last THEN, DO or ELSE stands: kNone, or whether code follows it.
    enum Keyword : std::uint8_t { kNone, kLastWithCode, kLastAtEnd } lastBodyKeyword = kNone;
    // Brackets ( and [ opened less those closed.
    std::int64_t bracketBalance = 0;
    // Where the condition of an IF, WHILE or UNTIL begins in the code, as in
    // "IF " or "END ELSE IF "; 0 for other lines.
    std::uint32_t conditionAt = 0;
};

// How a line begins.
inline constexpr std::uint32_t kUntil = 1u << 0;
inline constexpr std::uint32_t kEndSemicolon = 1u << 1;
inline constexpr std::uint32_t kEndBlank = 1u << 2;
inline constexpr std::uint32_t kEndAlone = 1u << 3;
inline constexpr std::uint32_t kCase = 1u << 4;
inline constexpr std::uint32_t kRepeat = 1u << 5;
inline constexpr std::uint32_t kWith = 1u << 6;
inline constexpr std::uint32_t kWhile = 1u << 7;
inline constexpr std::uint32_t kIf = 1u << 8;
inline constexpr std::uint32_t kFor = 1u << 9;
inline constexpr std::uint32_t kEndWord = 1u << 10;
inline constexpr std::uint32_t kElseWord = 1u << 11;
inline constexpr std::uint32_t kThenOrDo = 1u << 12;
// What a line holds.
inline constexpr std::uint32_t kOf = 1u << 0;
inline constexpr std::uint32_t kBegin = 1u << 1;
inline constexpr std::uint32_t kSpacedElse = 1u << 2;
inline constexpr std::uint32_t kElse = 1u << 3;
inline constexpr std::uint32_t kAssign = 1u << 4;
inline constexpr std::uint32_t kQuoteLabel = 1u << 5;
inline constexpr std::uint32_t kNameLabel = 1u << 6;
inline constexpr std::uint32_t kLabelWithComment = 1u << 7;
inline constexpr std::uint32_t kComment = 1u << 8;
inline constexpr std::uint32_t kThen = 1u << 9;
inline constexpr std::uint32_t kDo = 1u << 10;
// How a line ends.
inline constexpr std::uint32_t kEndsSemicolon = 1u << 0;
inline constexpr std::uint32_t kEndsColon = 1u << 1;
inline constexpr std::uint32_t kEndsColonBlank = 1u << 2;
inline constexpr std::uint32_t kEndsComma = 1u << 3;
inline constexpr std::uint32_t kEndsSpacedElse = 1u << 4;
inline constexpr std::uint32_t kEndsElse = 1u << 5;
inline constexpr std::uint32_t kContinues = 1u << 6;

// Reads the facts of one line's code.
LineFacts ReadLineFacts(const CodeView& line);

// A statement: the facts of its first line, of its last and of all of them.
class KeywordStatement {
public:
    void Start(const LineFacts& first) {
        first_ = first;
        holds_ = 0;
        bodyPending_ = false;
        Add(first);
    }
    void Add(const LineFacts& line) {
        holds_ |= line.holds;
        last_ = line;
        // Code after a THEN, DO or ELSE is its body, on its own line or not.
        if (line.lastBodyKeyword != LineFacts::kNone) bodyPending_ = line.lastBodyKeyword == LineFacts::kLastAtEnd;
        else bodyPending_ = false;
    }

    bool BeginsWith(std::uint32_t head) const { return (first_.head & head) != 0; }
    bool Holds(std::uint32_t what) const { return (holds_ & what) != 0; }
    bool EndsWith(std::uint32_t tail) const { return (last_.tail & tail) != 0; }
    // The last THEN, DO or ELSE of the statement has no code after it.
    bool BodyPending() const { return bodyPending_; }

    // An IF, WHILE, WITH or FOR whose THEN or DO has not come yet.
    bool ConditionOpen() const {
        if (BeginsWith(kIf)) return !Holds(kThen);
        return BeginsWith(kWhile | kWith | kFor) && !Holds(kDo);
    }
    // Nothing but the closing label rule can match: no keyword that opens,
    // indents or labels (the rules of the table all need one of these).
    bool Plain() const {
        return first_.head == 0 && (holds_ & ~(kAssign | kComment | kThen | kDo)) == 0 &&
               (last_.tail & ~(kEndsSemicolon | kEndsComma | kContinues)) == 0;
    }
    // The statement goes on in the next line.
    bool GoesOn() const { return !EndsWith(kEndsSemicolon) && (EndsWith(kContinues) || ConditionOpen()); }

private:
    LineFacts first_, last_;
    std::uint32_t holds_ = 0;
    bool bodyPending_ = false;
};

struct KeywordRule {
    std::u16string_view label;
    bool (*matches)(const KeywordStatement& statement);
    KeywordEffect effect;
};

extern const std::array<KeywordRule, 22> kKeywordRules;

// The rule that writes its label for each line that ends with a comma: the
// statement goes on, its later lines one step in.
inline constexpr std::size_t kCommaRule = 15;
inline constexpr std::size_t kCaseRule = 4;
inline constexpr std::size_t kIfRule = 9;

}  // namespace tabwright
