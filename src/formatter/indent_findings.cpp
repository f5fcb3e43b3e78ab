#include "formatter/indent_findings.h"

#include <algorithm>

#include "formatter/nesting_reader.h"

namespace tabwright {
namespace {

IndentFinding::Head HeadOf(const Frame& f) {
    if (f.kind == Frame::If) return f.phase == Frame::Else ? IndentFinding::Else : IndentFinding::If;
    switch (f.word) {
    case Keyword::While: return IndentFinding::While;
    case Keyword::For: return IndentFinding::For;
    case Keyword::ForEach: return IndentFinding::ForEach;
    default: return IndentFinding::With;
    }
}

// Blocks give no finding: their extent is written out.
bool WrittenOut(Keyword k) { return k == Keyword::Begin || k == Keyword::Repeat || k == Keyword::Case; }

}  // namespace

const char* HeadWord(IndentFinding::Head head) {
    switch (head) {
    case IndentFinding::If: return "IF";
    case IndentFinding::Else: return "ELSE";
    case IndentFinding::While: return "WHILE";
    case IndentFinding::For: return "FOR";
    case IndentFinding::ForEach: return "FOREACH";
    default: return "WITH";
    }
}

std::string Describe(const IndentFinding& f, std::size_t offset, bool outputLines) {
    const auto number = [&](const FindingLine& l) { return std::to_string((outputLines ? l.output : l.input) + offset); };
    const std::string head = HeadWord(f.head);
    const std::string which = "(the " + head + " of line " + number(f.headLine) + ")";
    switch (f.kind) {
    case IndentFinding::BodyExtended:
        return "indented as part of the " + head + "'s statement but runs after it " + which;
    case IndentFinding::BodyAtHeadDepth:
        return "indented as if it ran after the " + head + " but is its statement " + which;
    case IndentFinding::ElseUnderOther:
        return "this ELSE stands under the IF of line " + number(f.other) + " but belongs to another IF " + which;
    default:
        return "indented as the " + head + "'s statement but the " + head + " ends at its semicolon " + which;
    }
}

void IndentAgreement::Line(std::int64_t column, std::int64_t given, bool judged) {
    // A finding's own line is no measure: the lines around it are compared.
    if (judged) return;
    if (given == kNoColumn) {
        lastGiven_ = -1;
        return;
    }
    if (lastGiven_ >= 0 && column != lastColumn_) {
        ++moves_;
        const std::int64_t author = given - lastGiven_;
        if (author != 0 && (author > 0) == (column > lastColumn_)) ++agreed_;
    }
    lastColumn_ = column;
    lastGiven_ = given;
}

bool IndentAgreement::Trusts(IndentFinding::Kind kind) const {
    // A body at its head's depth is what flattened code looks like: it is a
    // claim only where its author indents the others (three in four), or a
    // single one where the rest of the text shows indentation. The other
    // kinds show indentation by themselves.
    if (kind == IndentFinding::BodyAtHeadDepth)
        return flush_ * 4 <= bodies_ || (flush_ == 1 && moves_ > 0 && Agrees());
    return Agrees();
}

bool NestingReader::Find(IndentFinding::Kind kind, const Frame& head, FindingLine other) {
    // Left of the text's first column (after block ends too many) every
    // depth is written at that column: there is no telling.
    const bool inElse = head.kind == Frame::If && head.phase == Frame::Else;
    if (head.depth < 0 || !(inElse ? head.elseAligned : head.aligned)) return false;
    if (findings_ == nullptr) return false;
    findings_->push_back({kind, HeadOf(head), line_, inElse ? head.elseLine : head.line, other});
    judged_ = true;
    return true;
}

void NestingReader::StatementBegins(bool lineStart, Keyword word) {
    // After statements a ';' ended: a line indented as their body's, or
    // deeper than a head whose statement was empty.
    if (lineStart && given_ != kNoColumn) {
        for (const Frame& f : ended_) {
            const std::int64_t head = f.phase == Frame::Else ? f.elseGiven : f.given;
            if (head == kNoColumn || given_ <= head) continue;
            if (f.body == Frame::Empty) {
                Find(IndentFinding::EmptyBodyIndented, f);
                break;
            }
            if (f.body == Frame::OwnLine && f.bodyGiven == given_ && !WrittenOut(f.bodyWord)) {
                Find(IndentFinding::BodyExtended, f);
                break;
            }
        }
    }
    ended_.clear();
    if (frames_.empty()) return;
    Frame& f = frames_.back();
    if ((f.kind != Frame::If && f.kind != Frame::Loop) || f.phase == Frame::Head || f.body != Frame::NotYet) return;
    f.body = lineStart ? Frame::OwnLine : Frame::OnHeadLine;
    f.bodyWord = word;
    f.bodyGiven = lineStart ? given_ : kNoColumn;
    // The one statement of a head, at the head's depth or left of it; an
    // IF after ELSE is the ELSE IF of a chain.
    // An IF written flush, ELSE and all, is flattened code, not a claim.
    const std::int64_t head = f.phase == Frame::Else ? f.elseGiven : f.given;
    const bool chain = f.phase == Frame::Else && word == Keyword::If;
    if (!lineStart || given_ == kNoColumn || head == kNoColumn || WrittenOut(word) || chain || f.flushThen) return;
    agreement_.Body(given_ <= head);
    if (given_ <= head) {
        const auto at = findings_ == nullptr ? 0 : static_cast<std::int64_t>(findings_->size());
        if (Find(IndentFinding::BodyAtHeadDepth, f)) f.flushFinding = at;
    }
}

void NestingReader::ElsePaired(Frame& owner, std::size_t passed) {
    // A THEN statement at the IF's depth that an ELSE follows: the ELSE
    // shows the statement for what it is.
    if (owner.flushFinding >= 0) {
        (*findings_)[static_cast<std::size_t>(owner.flushFinding)].kind = IndentFinding::Withdrawn;
        owner.flushThen = true;
    }
    // An ELSE that begins its line (or follows the END that begins it).
    const bool leads = index_ == 0 || (index_ == 1 && (*tokens_)[0].keyword == Keyword::End);
    if (!leads || given_ == kNoColumn || owner.given == kNoColumn || owner.given == given_ || !owner.aligned) return;
    // The IF it stands under: the nearest one at its column among those it
    // passed on the way out (finished inside the owner's THEN statement) and
    // those further out in the same block that still wait for an ELSE.
    const Frame* under = nullptr;
    const auto take = [&](const Frame& f) {
        if (f.kind == Frame::If && f.aligned && f.given == given_ && (under == nullptr || f.line.input > under->line.input))
            under = &f;
    };
    for (std::size_t i = 0; i < passed; ++i) take(ended_[i]);
    for (auto f = std::find_if(frames_.rbegin(), frames_.rend(), [&](const Frame& x) { return &x == &owner; });
         f != frames_.rend() && !f->IsBlock(); ++f)
        if (&*f != &owner && f->phase == Frame::Body) take(*f);
    if (under != nullptr) Find(IndentFinding::ElseUnderOther, owner, under->line);
}

std::vector<IndentFinding> NestingReader::Findings() const {
    std::vector<IndentFinding> trusted;
    if (findings_ == nullptr) return trusted;
    for (const IndentFinding& f : *findings_)
        if (f.kind != IndentFinding::Withdrawn && agreement_.Trusts(f.kind)) trusted.push_back(f);
    return trusted;
}

}  // namespace tabwright
