#include "cli/object_file.h"

#include <optional>

#include "cli/text_diff.h"
#include "formatter/block_reader.h"

namespace tabwright::cli {
namespace {

// One line of a text: its characters with the break, the content without
// it, and the content without blanks at either end.
template <typename Char>
struct Line {
    using View = std::basic_string_view<Char>;
    View whole;
    View content;
    View trimmed;
    std::size_t indent = 0;  // leading blanks

    explicit Line(View text) : whole(text), content(text) {
        if (content.ends_with(Char('\n'))) content.remove_suffix(1);
        if (content.ends_with(Char('\r'))) content.remove_suffix(1);
        while (indent < content.size() && content[indent] == Char(' ')) ++indent;
        trimmed = content.substr(indent);
        while (!trimmed.empty() && trimmed.back() == Char(' ')) trimmed.remove_suffix(1);
    }
    bool Blank() const { return indent == content.size(); }
    View Trimmed() const { return trimmed; }
    bool Is(std::string_view word) const { return Same(Trimmed(), word); }
    bool StartsWith(std::string_view word) const { return Same(Trimmed().substr(0, word.size()), word); }

    static bool Same(View text, std::string_view ascii) {
        return text.size() == ascii.size() && std::equal(ascii.begin(), ascii.end(), text.begin(),
                                                         [](char a, Char c) { return Char(a) == c; });
    }
};

template <typename Char>
bool IsNameChar(Char c) {
    return (c >= Char('A') && c <= Char('Z')) || (c >= Char('a') && c <= Char('z')) ||
           (c >= Char('0') && c <= Char('9')) || c == Char('_');
}

// The column of a trigger property's "On...=" followed by word (BEGIN or
// VAR), the column of word; nothing for any other line.
template <typename Char>
std::optional<std::size_t> TriggerColumn(const Line<Char>& line, std::string_view word) {
    const auto t = line.Trimmed();
    const std::size_t length = word.size() + 1;
    if (t.size() < length || t.back() != Char(word.back()) || t[t.size() - length] != Char('=') ||
        !Line<Char>::Same(t.substr(t.size() - word.size()), word))
        return std::nullopt;
    const std::size_t nameEnd = t.size() - length;
    std::size_t nameStart = nameEnd;
    while (nameStart > 0 && IsNameChar(t[nameStart - 1])) --nameStart;
    if (!Line<Char>::Same(t.substr(nameStart, 2), "On")) return std::nullopt;
    return line.indent + nameEnd + 1;
}

// The column of the BEGIN that opens a body on this line: a BEGIN alone on
// its line (procedures, and triggers after their VAR section), or a trigger
// property "On...=BEGIN".
template <typename Char>
std::optional<std::size_t> BeginColumn(const Line<Char>& line) {
    if (!line.trimmed.ends_with(Char('N'))) return std::nullopt;  // most lines, at once
    if (line.Is("BEGIN")) return line.indent;
    return TriggerColumn(line, "BEGIN");
}

// Lines of an export that no body holds: where a body whose END is missing
// is known to have ended. A procedure or trigger heading ends it even
// inside a comment left open; the brace that closes a section only outside
// comments.
template <typename Char>
bool HeadsAnotherBody(const Line<Char>& line) {
    return line.StartsWith("PROCEDURE ") || line.StartsWith("LOCAL PROCEDURE ") || line.StartsWith("EVENT ") ||
           TriggerColumn(line, "BEGIN") || TriggerColumn(line, "VAR");
}

template <typename Char>
bool EndsAnyBody(const Line<Char>& line, bool inComment) {
    return HeadsAnotherBody(line) || (!inComment && line.Is("}"));
}

// "[External]", "[EventSubscriber(...)]": a procedure's attribute, when such
// lines stand right above its heading at its indentation. Inside a body a
// line may begin with "[" too (a set after IN), so only the heading that
// follows tells an attribute.
template <typename Char>
bool MayBeAttribute(const Line<Char>& line) {
    const auto t = line.Trimmed();
    return t.size() >= 2 && t.front() == Char('[') && t.back() == Char(']');
}

std::string Plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

template <typename Char>
class ExportFormatter {
public:
    using View = std::basic_string_view<Char>;
    using Sink = std::function<void(View made, View original)>;

    ExportFormatter(Coding coding, CodeFormatter& formatter, const LineRanges* ranges, Sink sink)
        : coding_(coding), formatter_(formatter), ranges_(ranges), sink_(std::move(sink)) {}

    // Formats text, the next part of the file, as far as it holds whole lines
    // and whole bodies (all of it when atEnd); gives how much it took.
    std::size_t Feed(View text, bool atEnd) {
        text_ = text;
        atEnd_ = atEnd;
        pos_ = 0;
        std::size_t kept = 0;  // the lines since are outside the bodies, handed on in one piece
        while (pos_ < text_.size()) {
            const std::size_t at = pos_, number = lineNumber_;
            // Most lines end in another letter than the N of BEGIN: no body
            // opens there, and they are passed at once.
            std::size_t end = text_.find(Char('\n'), pos_), last = end;
            if (end == View::npos && !atEnd_) break;
            if (end == View::npos) last = text_.size();
            while (last > pos_ && (text_[last - 1] == Char('\r') || text_[last - 1] == Char(' '))) --last;
            if (last == pos_ || text_[last - 1] != Char('N')) {
                pos_ = end == View::npos ? text_.size() : end + 1;
                ++lineNumber_;
                continue;
            }
            const std::optional<Line<Char>> line = Next();
            const std::optional<std::size_t> column = BeginColumn(*line);
            if (!column) continue;
            Keep(text_.substr(kept, at - kept));
            kept = at;
            if (!Body(*line, *column)) {
                pos_ = at;
                lineNumber_ = number;
                break;
            }
            kept = pos_;
        }
        Keep(text_.substr(kept, pos_ - kept));
        return pos_;
    }

    ObjectFindings Findings() { return std::move(findings_); }
    // Only while every byte so far is ASCII, which both codings read alike.
    void SetCoding(Coding coding) { coding_ = coding; }

private:
    // The next whole line, from pos_ on; lineNumber_ is its 1-based number.
    // Nothing when the text may go on and no line break ends it.
    std::optional<Line<Char>> Next() {
        std::size_t end = text_.find(Char('\n'), pos_);
        if (end == View::npos && !atEnd_) return std::nullopt;
        end = end == View::npos ? text_.size() : end + 1;
        Line<Char> line(text_.substr(pos_, end - pos_));
        pos_ = end;
        ++lineNumber_;
        return line;
    }

    std::u16string Decoded(View text) const {
        std::u16string out;
        AppendDecoded(out, text);
        return out;
    }
    void AppendDecoded(std::u16string& out, View text) const {
        if constexpr (std::is_same_v<Char, char>) cli::AppendDecoded(out, text, coding_);
        else out.append(text);
    }
    std::basic_string<Char> Encoded(std::u16string_view text) const {
        if constexpr (std::is_same_v<Char, char>) return Encode(text, coding_);
        else return std::u16string(text);
    }

    // A line's code moved left by shift (or to the first column), without
    // the blanks at its end.
    void AppendCode(std::u16string& out, const Line<Char>& line, std::size_t shift) const {
        if (line.Blank()) return;
        const std::size_t from = std::min(shift, line.indent);
        AppendDecoded(out, line.content.substr(from, line.indent + line.trimmed.size() - from));
    }

    void Keep(View text) {
        if (!text.empty()) sink_(text, text);
    }

    // A body from line first to the current line is left as it is. With
    // ranges, only a body that holds a chosen line is reported.
    void Warn(std::size_t first, std::size_t line, std::string message) {
        if (!ranges_ || Touches(*ranges_, first, lineNumber_))
            findings_.warnings.push_back({line, message + "; left as it is"});
    }

    // The body after a BEGIN at column: its END is the line that closes the
    // BEGIN, read by the block keywords of its code, and must stand at the
    // BEGIN's column. pos_ is left after the END, or at the line where the
    // body is known to have ended without one. False, with nothing written,
    // when the text given so far ends first.
    bool Body(const Line<Char>& begin, std::size_t column) {
        const std::size_t beginLine = lineNumber_, start = pos_;
        BlockReader reader;
        std::vector<std::size_t> open{beginLine};  // the line of each open block
        std::u16string raw;
        // The lines that may be the attributes of a procedure that follows:
        // where the first of them begins, its number and indentation.
        struct Attributes {
            std::size_t at, number, indent;
        };
        std::optional<Attributes> attributes;
        std::optional<std::size_t> shift;
        while (pos_ < text_.size()) {
            const std::size_t at = pos_;
            const std::optional<Line<Char>> line = Next();
            if (!line) return false;
            if (EndsAnyBody(*line, reader.InComment())) {
                const bool attributed = attributes && attributes->indent == line->indent;
                pos_ = attributed ? attributes->at : at;
                lineNumber_ = (attributed ? attributes->number : lineNumber_) - 1;
                Missing(begin, open, lineNumber_ + 1, start);
                return true;
            }
            if (!MayBeAttribute(*line)) attributes.reset();
            else if (!attributes || attributes->indent != line->indent) attributes = {at, lineNumber_, line->indent};
            // The documentation trigger ends the code with "END.", which
            // closes no block of the code.
            const bool documentationEnd = !reader.InComment() && line->Is("END.");
            // Each line is read as Format will hand it to the engine: moved
            // left by the first code line's indentation, without the blanks
            // at its end (a line too long for the engine is split).
            if (!shift && !line->Blank()) shift = line->indent;
            raw.clear();
            AppendCode(raw, *line, shift.value_or(0));
            const BlockReader::Blocks blocks = reader.Line(raw.append(u"\r\n"));
            if (documentationEnd || blocks.closed >= static_cast<std::int64_t>(open.size())) {
                Ended(begin, *line, column, beginLine, start, at);
                return true;
            }
            open.resize(open.size() - static_cast<std::size_t>(blocks.closed));
            for (std::int64_t n = 0; n < blocks.opened; ++n) open.push_back(lineNumber_);
        }
        if (!atEnd_) return false;
        Missing(begin, open, 0, start);
        return true;
    }

    void Missing(const Line<Char>& begin, const std::vector<std::size_t>& open, std::size_t stopLine, std::size_t start) {
        std::string message = "BEGIN without its END";
        message += stopLine ? " before line " + std::to_string(stopLine) : " before the end of the file";
        if (open.size() > 1)
            message += " (" + Plural(open.size() - 1, "block", "blocks") + " inside it still open, the first from line " +
                       std::to_string(open[1]) + ")";
        Warn(open.front(), open.front(), message);
        Keep(begin.whole);
        Keep(text_.substr(start, pos_ - start));
    }

    void Ended(const Line<Char>& begin, const Line<Char>& end, std::size_t column, std::size_t beginLine, std::size_t start,
               std::size_t endAt) {
        Keep(begin.whole);
        if (end.indent != column || !end.StartsWith("END")) {
            Warn(beginLine, lineNumber_,
                 "this END closes the BEGIN of line " + std::to_string(beginLine) + " at column " +
                     std::to_string(end.indent + 1) + ", not at the BEGIN's column " + std::to_string(column + 1));
            Keep(text_.substr(start, pos_ - start));
            return;
        }
        const View body = text_.substr(start, endAt - start);
        // The documentation trigger ends with "END." and holds no code.
        if (end.Is("END.") || (ranges_ && !Touches(*ranges_, beginLine, lineNumber_))) {
            Keep(body);
            Keep(end.whole);
            return;
        }
        const std::basic_string<Char> formatted = Encoded(Format(body, column + 2, beginLine + 1));
        // The body's lines are counted from the one after its BEGIN.
        for (IndentWarning& w : formatter_.Warnings(beginLine)) findings_.indentation.push_back(std::move(w));
        ++findings_.bodies;
        if (formatted != body) {
            ++findings_.changedBodies;
            findings_.changedLines.push_back(beginLine + 1 + FirstChangedLine(body, View(formatted)));
        }
        sink_(formatted, body);
        Keep(end.whole);
    }

    // Moves the body left to column 0, formats it, moves it back to base,
    // one step in from its BEGIN whatever column its first line stood at.
    // No line keeps blanks before its break, so empty lines stay empty. A
    // body whose breaks are all bare LF is formatted with CR LF and gets LF
    // back. A result that would run into the END line is not used.
    std::u16string Format(View body, std::size_t base, std::size_t firstLine) {
        std::vector<Line<Char>>& lines = lines_;
        lines.clear();
        for (std::size_t pos = 0; pos < body.size();) {
            const std::size_t end = std::min(body.find(Char('\n'), pos), body.size() - 1) + 1;
            lines.emplace_back(body.substr(pos, end - pos));
            pos = end;
        }
        const bool lf = body.find(Char('\r')) == View::npos;
        // Every line moves left by the first line's indentation (or to the
        // first column), so that the first line starts at depth 0 and the
        // lines aligned under it keep their alignment.
        std::size_t shift = 0;
        for (const Line<Char>& l : lines)
            if (!l.Blank()) {
                shift = l.indent;
                break;
            }
        std::u16string& code = code_;
        code.clear();
        for (const Line<Char>& l : lines) {
            AppendCode(code, l, shift);
            if (lf && l.whole.ends_with(Char('\n'))) code.append(u"\r\n");
            else AppendDecoded(code, l.whole.substr(l.content.size()));
        }

        std::vector<CodeFormatter::Piece> pieces;
        if (ranges_) {
            LineRanges inBody;
            const std::size_t last = firstLine + lines.size() - 1;
            for (const LineRange& r : *ranges_)
                if (r.last >= firstLine && r.first <= last)
                    inBody.push_back({std::max(r.first, firstLine) - firstLine + 1, std::min(r.last, last) - firstLine + 1});
            pieces = formatter_.FormatPieces(code, inBody, true);
        } else {
            pieces.push_back({1, lines.size(), true, formatter_.FormatInOrder(code)});
        }

        std::u16string out;
        out.reserve(code.size() + code.size() / 8);
        for (const CodeFormatter::Piece& p : pieces) {
            if (!p.touched) {
                for (std::size_t i = p.firstLine - 1; i < p.firstLine - 1 + p.lineCount && i < lines.size(); ++i)
                    AppendDecoded(out, lines[i].whole);
                continue;
            }
            for (std::size_t pos = 0; pos < p.text.size();) {
                const std::size_t end = std::min(p.text.find(u'\n', pos), p.text.size() - 1) + 1;
                AppendTrimmed(out, std::u16string_view(p.text).substr(pos, end - pos), base, lf);
                pos = end;
            }
        }
        return out.ends_with(u'\n') ? out : Decoded(body);
    }

    // line without the blanks before its break, indented by base unless
    // empty; with lf its CR LF becomes LF.
    static void AppendTrimmed(std::u16string& out, std::u16string_view line, std::size_t base, bool lf) {
        std::size_t breakAt = line.size();
        if (breakAt > 0 && line[breakAt - 1] == u'\n') --breakAt;
        if (breakAt > 0 && line[breakAt - 1] == u'\r') --breakAt;
        std::size_t end = breakAt;
        while (end > 0 && line[end - 1] == u' ') --end;
        if (end > 0) out.append(base, u' ').append(line.substr(0, end));
        out.append(lf && breakAt < line.size() ? u"\n" : line.substr(breakAt));
    }

    View text_;
    bool atEnd_ = true;
    Coding coding_;
    CodeFormatter& formatter_;
    const LineRanges* ranges_;
    Sink sink_;
    std::size_t pos_ = 0;
    std::size_t lineNumber_ = 0;
    ObjectFindings findings_;
    std::vector<Line<Char>> lines_;  // Format's buffers, kept from body to body
    std::u16string code_;
};

template <typename Char>
bool StartsAsExport(std::basic_string_view<Char> text, std::basic_string_view<Char> mark) {
    if (text.starts_with(mark)) text.remove_prefix(mark.size());
    return Line<Char>::Same(text.substr(0, 7), "OBJECT ");
}

}  // namespace

bool LooksLikeObjectExport(std::string_view bytes) { return StartsAsExport(bytes, kUtf8Mark); }
bool LooksLikeObjectExport(std::u16string_view text) {
    return StartsAsExport(text, std::u16string_view(&kMarkChar, 1));
}

ObjectFindings FormatObjectFile(std::string_view bytes, Coding coding, CodeFormatter& formatter,
                                const LineRanges* ranges, const PieceSink& sink) {
    ExportFormatter<char> exports(coding, formatter, ranges, sink);
    exports.Feed(bytes, true);
    return exports.Findings();
}

ObjectFindings CheckObjectPieces(const std::function<bool(std::string&, std::size_t)>& read,
                                 const std::function<void()>& rewind, CodeFormatter& formatter) {
    constexpr std::size_t kPiece = 1 << 20;
    // The coding is told as the pieces come: bodies read while the file was
    // all ASCII come out the same in either. Should a file that looked like
    // UTF-8 prove not to be, it is read again as bytes.
    for (bool known = false;; known = true, rewind(), formatter.ForgetTrace()) {
        ExportFormatter<char> exports(Coding::Bytes, formatter, nullptr, [](std::string_view, std::string_view) {});
        CodingScan scan;
        std::string buffer;
        // A body longer than what is held is read further at once, in pieces
        // that double, so that it is not scanned over and over.
        std::size_t piece = kPiece;
        bool more = true, utf8 = false, again = false;
        while (more && !again) {
            const std::size_t had = buffer.size();
            more = read(buffer, piece);
            if (!known) scan.Add(std::string_view(buffer).substr(had));
            const Coding coding = known ? Coding::Bytes : more ? scan.SoFar() : scan.Result();
            again = utf8 && coding == Coding::Bytes;
            utf8 = coding == Coding::Utf8;
            exports.SetCoding(coding);
            const std::size_t used = again ? 0 : exports.Feed(buffer, !more);
            buffer.erase(0, used);
            piece = used == 0 ? piece * 2 : kPiece;
        }
        if (!again) return exports.Findings();
    }
}

ObjectTextResult FormatObjectText(std::u16string_view text, CodeFormatter& formatter, const LineRanges* ranges) {
    ObjectTextResult result;
    result.text.reserve(text.size() + text.size() / 16);
    ExportFormatter<char16_t> exports(Coding::Utf8, formatter, ranges,
                                      [&result](std::u16string_view piece, std::u16string_view) { result.text.append(piece); });
    exports.Feed(text, true);
    static_cast<ObjectFindings&>(result) = exports.Findings();
    return result;
}

}  // namespace tabwright::cli
