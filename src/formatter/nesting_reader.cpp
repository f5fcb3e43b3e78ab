#include "formatter/nesting_reader.h"

#include <algorithm>

namespace tabwright {
namespace {

constexpr std::int64_t kStep = 2;

bool IsWordOperator(Keyword k) {
    switch (k) {
    case Keyword::And: case Keyword::Or: case Keyword::Xor: case Keyword::Not: case Keyword::Div: case Keyword::Mod:
    case Keyword::In:
        return true;
    default:
        return false;
    }
}

// A line that begins so goes on with the statement of the line before: a
// bracket (no statement begins with one), a comma or a binary operator.
bool GoesOnBefore(const Token& t) {
    switch (t.kind) {
    case TokenKind::Open: case TokenKind::Close: case TokenKind::Comma: case TokenKind::Operator: case TokenKind::Assign:
    case TokenKind::Dot: case TokenKind::DoubleColon:
        return true;
    default:
        return IsWordOperator(t.keyword) && t.keyword != Keyword::Not;
    }
}

// The keywords that begin a statement, steer it or end a block: a line that
// begins with one never goes on with the statement before, but for the
// THEN, DO or OF of a head that runs over lines.
bool Steers(Keyword k) { return k != Keyword::None && !IsWordOperator(k); }
bool EndsHead(Keyword k) { return k == Keyword::Then || k == Keyword::Do || k == Keyword::Of; }

// The depth of a statement that begins in frame f: one step in from a
// block; in a CASE, its labels one step in and the statements of its ELSE
// two (one on the ELSE's line); the one statement after THEN, ELSE, DO or
// a label one step in when it begins a line, at the depth of its head when
// it stands on the head's line.
std::int64_t SlotDepth(const Frame& f, bool midLine) {
    switch (f.kind) {
    case Frame::Block: case Frame::Repeat: return f.depth + 1;
    case Frame::Case: return f.depth + (f.phase == Frame::Else && !midLine ? 2 : 1);
    default: return midLine ? f.depth : f.depth + 1;
    }
}

std::u16string_view BodyLabel(Keyword k) {
    switch (k) {
    case Keyword::If: return u"IF Space";
    case Keyword::While: return u"WHILE Space";
    case Keyword::With: return u"WITH Space";
    case Keyword::ForEach: return u"FOREACH Space";
    default: return u"FOR Space";
    }
}

}  // namespace

void NestingReader::Push(Frame::Kind kind, Frame::Phase phase, Keyword word, std::int64_t depth) {
    Frame f;
    f.kind = kind;
    f.phase = phase;
    f.word = word;
    f.depth = depth;
    f.line = line_;
    f.given = headGiven_;
    f.aligned = index_ == 0 || depth == lineDepth_;
    frames_.push_back(f);
}

std::int64_t NestingReader::StatementDepth(bool midLine) const {
    return frames_.empty() ? rootDepth_ : SlotDepth(frames_.back(), midLine);
}

// Where a statement would begin on the next line if the one being read
// ended with this line.
std::int64_t NestingReader::DepthAfterEnd() const {
    for (auto f = frames_.rbegin(); f != frames_.rend(); ++f)
        if (f->IsBlock()) return SlotDepth(*f, false);
    return rootDepth_;
}

std::int64_t NestingReader::OpenCount() const {
    return std::count_if(frames_.begin(), frames_.end(), [](const Frame& f) { return f.IsBlock(); });
}

std::size_t NestingReader::OutermostOpenLine() const {
    const auto f = std::find_if(frames_.begin(), frames_.end(), [](const Frame& f) { return f.IsBlock(); });
    return f == frames_.end() ? 0 : f->line.input;
}

// Ends the statement being read and every statement it was the one
// statement of, up to the innermost block.
void NestingReader::EndStatement(bool semicolon) {
    if (!frames_.empty() && !frames_.back().IsBlock()) {
        // A ';' right after THEN, ELSE or DO is the statement's empty statement.
        if (semicolon && reading_ == Reading::Statement && frames_.back().body == Frame::NotYet)
            frames_.back().body = Frame::Empty;
        ended_.clear();
        while (!frames_.empty() && !frames_.back().IsBlock()) {
            ended_.push_back(frames_.back());
            frames_.pop_back();
        }
    }
    reading_ = Reading::Statement;
    brackets_ = 0;
    if (semicolon) Label(u";");
}

void NestingReader::Expression(const Token& t) {
    switch (t.kind) {
    case TokenKind::Open: ++brackets_; break;
    case TokenKind::Close: brackets_ = std::max<std::int64_t>(brackets_ - 1, 0); break;
    case TokenKind::Colon:
        // The colon that ends the values of a CASE label.
        if (reading_ == Reading::Values && brackets_ == 0) {
            Push(Frame::Label, Frame::Body, Keyword::None, frames_.back().depth + 1);
            frames_.back().line = valuesLine_;
            frames_.back().given = valuesGiven_;
            reading_ = Reading::Statement;
            if (index_ + 1 == tokens_->size()) Label(u": CrLf");
        }
        break;
    default: break;
    }
}

std::int64_t NestingReader::Start(const Token& t, bool lineStart) {
    if (reading_ == Reading::Header) {
        // A statement inside a head that never got its THEN, DO or OF: the
        // head ends here.
        frames_.back().phase = Frame::Body;
        reading_ = Reading::Statement;
    } else if (reading_ == Reading::Simple || reading_ == Reading::Done) {
        EndStatement(false);
    }
    // A statement where a CASE label was to come stands as a label's.
    if (reading_ == Reading::Values ||
        (!frames_.empty() && frames_.back().kind == Frame::Case && frames_.back().phase == Frame::Body)) {
        Push(Frame::Label, Frame::Body, Keyword::None, frames_.back().depth + 1);
        lineStart = false;
    }
    reading_ = Reading::Statement;
    const std::int64_t depth = StatementDepth(!lineStart);
    StatementBegins(lineStart, t.keyword);
    brackets_ = 0;
    switch (t.keyword) {
    case Keyword::Begin:
        Push(Frame::Block, Frame::Body, t.keyword, depth);
        ++opened_;
        Label(u"BEGIN");
        break;
    case Keyword::Repeat:
        Push(Frame::Repeat, Frame::Body, t.keyword, depth);
        ++opened_;
        Label(u"REPEAT");
        break;
    case Keyword::Case:
        Push(Frame::Case, Frame::Head, t.keyword, depth);
        reading_ = Reading::Header;
        break;
    case Keyword::If:
    case Keyword::While:
        Push(t.keyword == Keyword::If ? Frame::If : Frame::Loop, Frame::Head, t.keyword, depth);
        reading_ = Reading::Header;
        conditionStart_ = t.end + 1;
        break;
    default:  // FOR, FOREACH, WITH
        Push(Frame::Loop, Frame::Head, t.keyword, depth);
        reading_ = Reading::Header;
        break;
    }
    return depth;
}

std::int64_t NestingReader::HeaderEnd(const Token& t, Frame::Kind kind) {
    if (reading_ != Reading::Header || frames_.back().kind != kind) {
        // A THEN, DO or OF that no head waits for (OF in ARRAY [2] OF ...).
        if (reading_ == Reading::Statement) return Step(Token{TokenKind::Word, Keyword::None, t.begin, t.end}, false);
        return reading_ == Reading::Simple ? statementDepth_ : StatementDepth(true);
    }
    Frame& head = frames_.back();
    head.phase = Frame::Body;
    reading_ = Reading::Statement;
    conditionStart_ = 0;
    headerClosed_ = true;
    if (kind == Frame::Case) {
        ++opened_;
        Label(u"CASE OF");
    } else if (index_ + 1 == tokens_->size()) {
        Label(BodyLabel(head.word));
    }
    return head.depth;
}

std::int64_t NestingReader::CloseBlock(const Token& t, bool until) {
    EndStatement(false);
    ended_.clear();
    std::int64_t depth;
    if (frames_.empty()) {
        depth = --rootDepth_;
    } else {
        depth = frames_.back().depth;
        frames_.pop_back();
    }
    ++closed_;
    if (until) {
        Label(u"UNTIL Space");
        reading_ = Reading::Simple;
        statementDepth_ = depth;
        conditionStart_ = t.end + 1;
    } else {
        const bool last = index_ + 1 == tokens_->size();
        const bool semicolon = !last && (*tokens_)[index_ + 1].kind == TokenKind::Semicolon &&
                               (*tokens_)[index_ + 1].begin == t.end;
        Label(semicolon ? u"END;" : last ? u"END CrLf" : u"END Space");
        reading_ = Reading::Done;
    }
    return depth;
}

// An ELSE belongs to the innermost IF whose THEN statement it follows; the
// statements it passes on the way out are complete. In a CASE that is
// reached first it begins the CASE's ELSE.
std::int64_t NestingReader::Else(bool lineStart) {
    const bool last = index_ + 1 == tokens_->size();
    if (last) {
        const bool afterEnd = index_ > 0 && (*tokens_)[index_ - 1].keyword == Keyword::End;
        Label(index_ == 0 ? u"ELSE CrLf" : afterEnd ? u"END ELSE" : u" ELSE CrLf");
    } else {
        Label(u" ELSE Space");
    }
    reading_ = Reading::Statement;
    brackets_ = 0;
    ended_.clear();
    while (!frames_.empty()) {
        Frame& f = frames_.back();
        if (f.kind == Frame::If && f.phase == Frame::Body) {
            ElsePaired(f, ended_.size());
            f.phase = Frame::Else;
            f.body = Frame::NotYet;
            f.elseLine = line_;
            f.elseGiven = headGiven_;
            f.elseAligned = index_ == 0 || f.depth == lineDepth_;
            ended_.clear();
            return f.depth;
        }
        if (f.kind == Frame::Case && f.phase != Frame::Head) {
            f.phase = Frame::Else;
            ended_.clear();
            return f.depth + 1;
        }
        if (f.IsBlock()) break;
        ended_.push_back(f);
        frames_.pop_back();
    }
    ended_.clear();
    // An ELSE that no IF waits for is read as one, so that what follows it
    // takes its step.
    const std::int64_t depth = StatementDepth(!lineStart);
    Push(Frame::If, Frame::Else, Keyword::If, depth);
    frames_.back().elseLine = line_;
    frames_.back().elseGiven = headGiven_;
    frames_.back().elseAligned = index_ == 0 || depth == lineDepth_;
    return depth;
}

std::int64_t NestingReader::Step(const Token& t, bool lineStart) {
    switch (t.keyword) {
    case Keyword::End: return CloseBlock(t, false);
    case Keyword::Until: return CloseBlock(t, true);
    case Keyword::Else: return Else(lineStart);
    case Keyword::Then: return HeaderEnd(t, Frame::If);
    case Keyword::Do: return HeaderEnd(t, Frame::Loop);
    case Keyword::Of: return HeaderEnd(t, Frame::Case);
    case Keyword::Begin: case Keyword::Repeat: case Keyword::Case: case Keyword::If: case Keyword::While:
    case Keyword::For: case Keyword::ForEach: case Keyword::With:
        return Start(t, lineStart);
    default: break;
    }
    switch (reading_) {
    case Reading::Statement: {
        if (!frames_.empty() && frames_.back().kind == Frame::Case && frames_.back().phase == Frame::Body) {
            // The values of a label, up to its colon.
            const std::int64_t depth = frames_.back().depth + 1;
            reading_ = Reading::Values;
            valuesLine_ = line_;
            valuesGiven_ = lineStart ? given_ : kNoColumn;
            ended_.clear();
            brackets_ = 0;
            Expression(t);
            return depth;
        }
        const std::int64_t depth = StatementDepth(!lineStart);
        if (t.kind == TokenKind::Semicolon) {
            EndStatement(true);
            return depth;
        }
        StatementBegins(lineStart, t.keyword);
        reading_ = Reading::Simple;
        statementDepth_ = depth;
        brackets_ = 0;
        Expression(t);
        return depth;
    }
    case Reading::Done:
        EndStatement(t.kind == TokenKind::Semicolon);
        if (t.kind == TokenKind::Semicolon) return StatementDepth(false);
        return Step(t, lineStart);
    case Reading::Simple:
        if (t.kind == TokenKind::Semicolon) EndStatement(true);
        else Expression(t);
        return statementDepth_;
    case Reading::Header: {
        const std::int64_t depth = frames_.back().depth;
        if (t.kind == TokenKind::Semicolon) EndStatement(true);
        else Expression(t);
        return depth;
    }
    case Reading::Values: {
        const std::int64_t depth = frames_.back().depth + (frames_.back().kind == Frame::Case ? 1 : 0);
        if (t.kind == TokenKind::Semicolon) EndStatement(true);
        else Expression(t);
        return depth;
    }
    }
    return 0;
}

bool NestingReader::GoesOnAfter(const Token& last) const {
    if (brackets_ > 0) return true;
    switch (last.kind) {
    case TokenKind::Comma: case TokenKind::Open: case TokenKind::Operator: case TokenKind::Assign:
    case TokenKind::Dot: case TokenKind::DoubleColon:
        return true;
    default:
        return IsWordOperator(last.keyword);
    }
}

// A later line of a statement stands as far right of its first line as
// its author put it, when that is two blanks or more. Otherwise: the
// values of a CASE label that runs over lines stand under each other; the
// later lines of a condition under its first character (and one further
// for each bracket still open); the others one step in for each level the
// lines before them opened (the assignment, brackets).
std::int64_t NestingReader::ContinuationColumn(std::int64_t given) const {
    const std::int64_t offset = given == kNoColumn || anchor_.given == kNoColumn ? 0 : given - anchor_.given;
    if (offset >= kStep) return anchor_.column + offset;
    if (labelList_) return anchor_.column + std::max<std::int64_t>(offset, 0);
    if (conditionAt_ != 0) return anchor_.column + conditionAt_ + openBrackets_;
    return anchor_.column + kStep * continuation_;
}

std::int64_t NestingReader::Line(const std::vector<Token>& tokens, std::int64_t given,
                                 FindingLine number, TraceLabels& trace) {
    line_ = number;
    given_ = given;
    judged_ = false;
    if (tokens.empty()) {
        if (goesOn_) return ContinuationColumn(given);
        const bool open = reading_ == Reading::Simple || reading_ == Reading::Done;
        return Column(open ? DepthAfterEnd() : StatementDepth(false));
    }
    tokens_ = &tokens;
    trace_ = &trace;
    conditionStart_ = 0;
    headerClosed_ = false;

    const Token& first = tokens.front();
    const bool continues = (goesOn_ && (!Steers(first.keyword) || EndsHead(first.keyword))) ||
                           (reading_ == Reading::Simple && GoesOnBefore(first));
    std::int64_t column;
    index_ = 0;
    // What begins on a later line of a statement stands where the statement does.
    headGiven_ = continues ? anchor_.given : given;
    if (continues) {
        column = EndsHead(first.keyword) && reading_ == Reading::Header ? anchor_.column : ContinuationColumn(given);
        Step(first, false);
    } else {
        // A line that begins a statement ends the one before, whose
        // semicolon is missing; an ELSE decides by itself what it ends.
        if ((reading_ == Reading::Simple || reading_ == Reading::Done) && first.kind != TokenKind::Semicolon &&
            first.keyword != Keyword::Else)
            EndStatement(false);
        lineDepth_ = Step(first, true);
        column = Column(lineDepth_);
        anchor_ = {column, given};
    }
    std::int64_t balance = first.kind == TokenKind::Open ? 1 : first.kind == TokenKind::Close ? -1 : 0;
    bool assignment = first.kind == TokenKind::Assign;
    for (index_ = 1; index_ < tokens.size(); ++index_) {
        const Token& t = tokens[index_];
        balance += t.kind == TokenKind::Open ? 1 : t.kind == TokenKind::Close ? -1 : 0;
        assignment = assignment || t.kind == TokenKind::Assign;
        Step(t, false);
    }
    const Token& last = tokens.back();
    if (last.kind == TokenKind::Comma) Label(u", CrLf");

    // How deep the next line goes if it goes on with this statement.
    const bool firstLine = !continues;
    if (firstLine) {
        openBrackets_ = 0;
        assigned_ = false;
    }
    openBrackets_ = std::max<std::int64_t>(openBrackets_ + balance, 0);
    const bool counted = !assigned_ && assignment;
    assigned_ = assigned_ || counted;
    continuation_ = std::max<std::int64_t>((firstLine ? 0 : continuation_) + balance + (counted ? 1 : 0), 1);
    if (firstLine) conditionAt_ = conditionStart_;
    else if (headerClosed_) conditionAt_ = 0;
    labelList_ = reading_ == Reading::Values;
    goesOn_ = reading_ == Reading::Header || reading_ == Reading::Values ||
              (reading_ == Reading::Simple && GoesOnAfter(last));
    const bool operand = last.kind == TokenKind::Number || last.kind == TokenKind::Text ||
                         last.kind == TokenKind::Name || last.kind == TokenKind::Close ||
                         (last.kind == TokenKind::Word && last.keyword == Keyword::None);
    afterOperand_ = operand && reading_ != Reading::Statement && reading_ != Reading::Done;
    agreement_.Line(column, given, judged_);
    return column;
}

}  // namespace tabwright
