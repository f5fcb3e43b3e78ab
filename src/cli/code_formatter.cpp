#include "cli/code_formatter.h"

#include <algorithm>

#include "cli/byte_text.h"
#include "formatter/line_cutter.h"

namespace tabwright::cli {

CodeFormatter::CodeFormatter(const FormatSettings& settings)
    : settings_(settings), host_(settings.sign, settings.trace) {}

std::u16string CodeFormatter::FormatText(std::u16string_view text) {
    if (!HasBareLfBreaks(text)) return Run(text);
    return CrlfToLf(Run(LfToCrlf(text)));
}

std::vector<CodeFormatter::Piece> CodeFormatter::FormatPieces(std::u16string_view original, const LineRanges& ranges,
                                                              bool inOrder) {
    // A text formatted in order comes with CR LF breaks.
    const bool lf = !inOrder && HasBareLfBreaks(original);
    const std::u16string text = lf ? LfToCrlf(original) : std::u16string(original);
    host_.recordLines = true;
    host_.lineEnds.clear();
    const std::u16string formatted = inOrder ? FormatInOrder(text) : Run(text);
    host_.recordLines = false;
    std::erase_if(findings_, [&](const IndentFinding& f) { return !Touches(ranges, f.line.input, f.line.input); });

    // Each line's output goes with its input. Output made after the input's
    // end is the leading break the engine moves there: it goes with the
    // first line. Should the ends not add up, the text is one piece.
    std::vector<Host::LineEnd> ends;
    for (const Host::LineEnd& end : host_.lineEnds)
        if (ends.empty() || ends.back().input != end.input) ends.push_back(end);
    if (ends.empty() || ends.back().input != text.size()) ends.assign(1, {text.size(), formatted.size()});

    std::vector<Piece> pieces;
    std::size_t in = 0, made = 0, line = 1;
    for (const Host::LineEnd& end : ends) {
        const std::u16string_view piece = std::u16string_view(text).substr(in, end.input - in);
        const auto breaks = static_cast<std::size_t>(std::count(piece.begin(), piece.end(), u'\n'));
        const std::size_t count = breaks + (piece.ends_with(u'\n') ? 0 : 1);
        const bool touched = Touches(ranges, line, line + count - 1);
        const std::u16string_view out = touched ? std::u16string_view(formatted).substr(made, end.output - made) : piece;
        if (!pieces.empty() && pieces.back().touched == touched) {
            pieces.back().lineCount += count;
            pieces.back().text.append(out);
        } else {
            pieces.push_back({line, count, touched, std::u16string(out)});
        }
        line += breaks;
        in = end.input;
        made = end.output;
    }
    if (!pieces.empty() && pieces.front().touched) pieces.back().text.append(std::u16string_view(formatted).substr(made));
    if (lf)
        for (Piece& p : pieces) p.text = CrlfToLf(p.text);
    return pieces;
}

std::u16string CodeFormatter::FormatLines(std::u16string_view text, const LineRanges& ranges) {
    std::u16string out;
    for (const Piece& p : FormatPieces(text, ranges)) out.append(p.text);
    return out;
}

NestingLines::Unclosed CodeFormatter::FormatTo(std::string_view bytes, Coding coding, const PieceSink& sink) {
    const bool lf = HasBareLfBreaks(bytes);
    // Shifts, and texts too short to format, go whole.
    const std::size_t size = bytes.size() + (lf ? static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) : 0);
    if (settings_.action != Action::Reindent || size <= 3) {
        sink(Encode(FormatText(Decode(bytes, coding)), coding), bytes);
        return OpenBlocks();
    }
    findings_.clear();
    std::u16string line, out, made;
    bool heldCr = false;  // LF files: a CR at the end of a piece, dropped if LF follows
    std::size_t done = 0;
    NestingLines lines(formatter_, host_);
    CutForNesting(bytes, lf, [&](std::string_view raw, bool crlf, std::size_t inputEnd) {
        line = Decode(raw, coding);
        if (crlf) line.append(u"\r\n");
        out.clear();
        lines.Line(line, out);
        made.clear();
        for (const char16_t c : out) {
            if (heldCr && c != u'\n') made.push_back(u'\r');
            heldCr = lf && c == u'\r';
            if (!heldCr) made.push_back(c);
        }
        sink(Encode(made, coding), bytes.substr(done, inputEnd - done));
        done = inputEnd;
    });
    if (heldCr) sink("\r", {});
    KeepTrace();
    // The lines were counted from the first after the leading breaks.
    findings_ = lines.Findings();
    const std::size_t skipped = LeadingBreaks(bytes, lf);
    for (IndentFinding& f : findings_)
        for (FindingLine* l : {&f.line, &f.headLine, &f.other})
            if (l->input != 0) l->input += skipped;
    return lines.OpenBlocks();
}

// Each line as the engine cuts a text, handed to it in its place.
std::u16string CodeFormatter::FormatInOrder(std::u16string_view text) {
    if (settings_.action != Action::Reindent || text.size() <= 3) return Run(text);
    std::u16string out;
    out.reserve(text.size() + text.size() / 8);
    NestingLines lines(formatter_, host_);
    LineCutter cutter(text);
    do {
        lines.Line(cutter.Next(), out);
        host_.LineDone(cutter.Position(), out.size());
    } while (!cutter.Done());
    KeepTrace();
    findings_ = lines.Findings();
    return out;
}

std::vector<IndentWarning> CodeFormatter::Warnings(std::size_t offset) const {
    std::vector<IndentWarning> warnings;
    for (const IndentFinding& f : findings_)
        warnings.push_back({offset + f.line.input, offset + f.headLine.input, Describe(f, offset), HeadWord(f.head)});
    return warnings;
}

void CodeFormatter::KeepTrace() {
    if (settings_.trace)
        for (const std::u16string& label : host_.Labels()) trace_.push_back(Encode(label, Coding::Bytes));
}

std::u16string CodeFormatter::Run(std::u16string_view text) {
    findings_.clear();
    switch (settings_.action) {
        case Action::ShiftLeft: return Indent_Left(text);
        case Action::ShiftRight: return Indent_Right(text);
        case Action::Reindent: break;
    }
    std::u16string out = formatter_.Nesting(text, host_);
    KeepTrace();
    findings_ = formatter_.LastFindings();
    return out;
}

}  // namespace tabwright::cli
