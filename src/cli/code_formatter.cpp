#include "cli/code_formatter.h"

#include <algorithm>

#include "cli/byte_text.h"
#include "formatter/line_cutter.h"

namespace tabwright::cli {

CodeFormatter::CodeFormatter(const FormatSettings& settings)
    : settings_(settings), host_(settings.sign, settings.trace) {}

std::string CodeFormatter::Format(std::string_view bytes) { return Narrow(FormatText(Widen(bytes))); }

std::u16string CodeFormatter::FormatText(std::u16string_view text) {
    if (!HasBareLfBreaks(text)) return Run(text);
    return CrlfToLf(Run(LfToCrlf(text)));
}

std::u16string CodeFormatter::FormatLines(std::u16string_view original, const LineRanges& ranges) {
    const bool lf = HasBareLfBreaks(original);
    const std::u16string text = lf ? LfToCrlf(original) : std::u16string(original);
    host_.recordLines = true;
    host_.lineEnds.clear();
    const std::u16string formatted = Run(text);
    host_.recordLines = false;

    // Each line's output goes with its input. Output made after the input's
    // end is the leading break the engine moves there: it goes with the
    // first line. Should the ends not add up, the text is one piece.
    std::vector<Host::LineEnd> pieces;
    for (const Host::LineEnd& end : host_.lineEnds)
        if (pieces.empty() || pieces.back().input != end.input) pieces.push_back(end);
    if (pieces.empty() || pieces.back().input != text.size()) pieces.assign(1, {text.size(), formatted.size()});

    std::u16string out;
    std::size_t in = 0, made = 0, line = 1;
    bool firstTouched = false;
    for (const Host::LineEnd& end : pieces) {
        const std::u16string_view piece = std::u16string_view(text).substr(in, end.input - in);
        const auto breaks = static_cast<std::size_t>(std::count(piece.begin(), piece.end(), u'\n'));
        const bool touched = Touches(ranges, line, line + breaks - (piece.ends_with(u'\n') ? 1 : 0));
        firstTouched = firstTouched || (touched && in == 0);
        if (touched) out.append(std::u16string_view(formatted).substr(made, end.output - made));
        else out.append(piece);
        line += breaks;
        in = end.input;
        made = end.output;
    }
    if (firstTouched) out.append(std::u16string_view(formatted).substr(made));
    return lf ? CrlfToLf(out) : out;
}

void CodeFormatter::FormatTo(std::string_view bytes, const std::function<void(std::string_view)>& sink) {
    const bool lf = HasBareLfBreaks(bytes);
    // Shifts, and texts too short to format, go whole.
    const std::size_t size = bytes.size() + (lf ? static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) : 0);
    if (settings_.action != Action::Reindent || size <= 3) {
        sink(Format(bytes));
        return;
    }
    std::u16string line, out;
    std::string made;
    bool heldCr = false;  // LF files: a CR at the end of a piece, dropped if LF follows
    {
        NestingLines lines(formatter_, host_);
        CutForNesting(bytes, lf, [&](std::string_view raw, bool crlf, std::size_t) {
            line.resize(raw.size());
            for (std::size_t i = 0; i < raw.size(); ++i) line[i] = static_cast<unsigned char>(raw[i]);
            if (crlf) line.append(u"\r\n");
            out.clear();
            lines.Line(line, out);
            made.clear();
            for (const char16_t c : out) {
                if (heldCr && c != u'\n') made.push_back('\r');
                heldCr = lf && c == u'\r';
                if (!heldCr) made.push_back(static_cast<char>(static_cast<unsigned char>(c)));
            }
            sink(made);
        });
    }
    if (heldCr) sink("\r");
    KeepTrace();
}

void CodeFormatter::KeepTrace() {
    if (settings_.trace)
        for (const std::u16string& label : host_.Labels()) trace_.push_back(Narrow(label));
}

std::u16string CodeFormatter::Run(std::u16string_view text) {
    switch (settings_.action) {
        case Action::ShiftLeft: return Indent_Left(text);
        case Action::ShiftRight: return Indent_Right(text);
        case Action::Reindent: break;
    }
    std::u16string out = formatter_.Nesting(text, host_);
    KeepTrace();
    return out;
}

}  // namespace tabwright::cli
