#include "formatter/formatter.h"
#include "formatter/line_cutter.h"
#include "formatter/line_split.h"

namespace tabwright {
namespace {

// Search column for the wrap of a shifted line: the break column less the
// step that was just added.
constexpr std::size_t kShiftWrapColumn = kBreakColumn - kIndentUnit.size();

template <typename ShiftLine>
std::u16string ShiftLines(std::u16string_view text, ShiftLine shift) {
    if (text.size() <= 3) return std::u16string(text);
    std::u16string out;
    out.reserve(text.size() + text.size() / 8);
    LineCutter cutter(text);
    do {
        shift(cutter.Next(), out);
    } while (!cutter.Done());
    return out;
}

}  // namespace

std::u16string Indent_Left(std::u16string_view text) {
    return ShiftLines(text, [](std::u16string_view line, std::u16string& out) {
        out.append(line.substr(0, 2) == kIndentUnit ? line.substr(2) : line);
    });
}

std::u16string Indent_Right(std::u16string_view text) {
    // Brace comments run over lines: every line is read, wrapped or not.
    CodeLexer lexer;
    std::vector<CodeSpan> spans;
    return ShiftLines(text, [&](std::u16string_view line, std::u16string& out) {
        lexer.Line(line, spans);
        out.append(kIndentUnit);
        if (static_cast<std::int64_t>(line.size() + kIndentUnit.size()) <= kLineLimit) {
            out.append(line);
            return;
        }
        // With nowhere safe to wrap, the first piece is empty: the line
        // moves down whole rather than be cut in a quoted text.
        const LineSplit split = FindLineSplit(line, kShiftWrapColumn, spans);
        out.append(line.substr(0, split.at)).append(u"\r\n").append(kIndentUnit);
        if (split.inComment) out.append(u"// ");
        out.append(line.substr(split.at));
    });
}

}  // namespace tabwright
