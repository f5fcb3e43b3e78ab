#include "cli/code_formatter.h"

#include <algorithm>

#include "cli/byte_text.h"

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

std::u16string CodeFormatter::Run(std::u16string_view text) {
    switch (settings_.action) {
        case Action::ShiftLeft: return Indent_Left(text);
        case Action::ShiftRight: return Indent_Right(text);
        case Action::Reindent: break;
    }
    std::u16string out = formatter_.Nesting(text, host_);
    if (settings_.trace)
        for (const std::u16string& label : host_.Labels()) trace_.push_back(Narrow(label));
    return out;
}

}  // namespace tabwright::cli
