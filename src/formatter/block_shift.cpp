#include "formatter/formatter.h"
#include "formatter/line_cutter.h"

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

// Where a shifted line is wrapped: after the last comma at or before the
// wrap column, else after the last blank there. 0 (an empty first piece)
// when there is neither.
std::size_t WrapPoint(std::u16string_view line) {
    const auto head = line.substr(0, kShiftWrapColumn);
    std::size_t at = head.rfind(u',');
    if (at == std::u16string_view::npos) at = head.rfind(u' ');
    return at == std::u16string_view::npos ? 0 : at + 1;
}

}  // namespace

std::u16string Indent_Left(std::u16string_view text) {
    return ShiftLines(text, [](std::u16string_view line, std::u16string& out) {
        out.append(line.substr(0, 2) == kIndentUnit ? line.substr(2) : line);
    });
}

std::u16string Indent_Right(std::u16string_view text) {
    return ShiftLines(text, [](std::u16string_view line, std::u16string& out) {
        out.append(kIndentUnit);
        if (static_cast<std::int64_t>(line.size() + kIndentUnit.size()) <= kLineLimit) {
            out.append(line);
            return;
        }
        const std::size_t k = WrapPoint(line);
        out.append(line.substr(0, k)).append(u"\r\n").append(kIndentUnit);
        if (line.substr(0, 2) == u"//") out.append(u"// ");
        out.append(line.substr(k));
    });
}

}  // namespace tabwright
