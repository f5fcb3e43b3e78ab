// Lines whose author's indentation places them in another statement than
// C/AL does: the classic misleading indentation. The engine reads where the
// code nests and where its author put each line; where the two disagree on
// which statement a line belongs to, the code rarely does what its author
// thinks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tabwright {

// A line in two numberings: of the text as given and of the formatted text.
struct FindingLine {
    std::size_t input = 0, output = 0;
};

struct IndentFinding {
    enum Kind : std::uint8_t {
        BodyExtended,     // indented as part of a one-statement body that has ended
        BodyAtHeadDepth,  // the one statement of a head, standing at the head's depth
        ElseUnderOther,   // an ELSE standing under an IF it does not belong to
        EmptyBodyIndented, // indented under a head whose statement is the empty one of its ';'
        Withdrawn          // a candidate that the lines after it showed to be none
    };
    enum Head : std::uint8_t { If, Else, While, For, ForEach, With };
    Kind kind;
    Head head;            // what the line's statement belongs to
    FindingLine line;     // the line the finding is about
    FindingLine headLine; // where that IF, ELSE or loop stands
    FindingLine other;    // ElseUnderOther: the IF the ELSE stands under
};

// "<what the indentation says> but <what the code does> (the IF of line N)",
// with the lines counted in the input (or the output) and moved by offset.
std::string Describe(const IndentFinding& finding, std::size_t offset = 0, bool outputLines = false);
// "IF", "ELSE", "WHILE" ...: what headLine holds.
const char* HeadWord(IndentFinding::Head head);

// Counts the lines whose author's indentation moves with the code's nesting
// (one more step where the code nests, one fewer where it returns), and the
// one-statement bodies their author indented, so that only text indented by
// its author, not flattened or indented at random, gives findings.
class IndentAgreement {
public:
    // A line of code: where the engine puts it and where its author did.
    void Line(std::int64_t column, std::int64_t given, bool judged);
    // The one statement of a head on a line of its own, flush with the
    // head or indented.
    void Body(bool flush) { ++bodies_, flush_ += flush ? 1 : 0; }
    // A finding of this kind is believed.
    bool Trusts(IndentFinding::Kind kind) const;

private:
    bool Agrees() const { return agreed_ * 4 >= moves_ * 3; }

    std::int64_t lastColumn_ = 0, lastGiven_ = -1;
    std::int64_t moves_ = 0, agreed_ = 0;
    std::int64_t bodies_ = 0, flush_ = 0;
};

}  // namespace tabwright
