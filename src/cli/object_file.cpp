#include "cli/object_file.h"

#include <optional>

#include "cli/byte_text.h"
#include "cli/text_diff.h"

namespace tabwright::cli {
namespace {

// One line of the file: its bytes with the break, and the content without it.
struct Line {
    std::u16string_view whole;
    std::u16string_view content;
    std::size_t indent = 0;  // leading blanks
    bool blank = false;      // nothing but blanks

    std::u16string_view Trimmed() const {
        std::u16string_view t = content.substr(indent);
        while (!t.empty() && t.back() == u' ') t.remove_suffix(1);
        return t;
    }
};

std::vector<Line> SplitLines(std::u16string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(u'\n', pos);
        end = end == std::u16string_view::npos ? text.size() : end + 1;
        Line l;
        l.whole = text.substr(pos, end - pos);
        l.content = l.whole;
        if (l.content.ends_with(u'\n')) l.content.remove_suffix(1);
        if (l.content.ends_with(u'\r')) l.content.remove_suffix(1);
        while (l.indent < l.content.size() && l.content[l.indent] == u' ') ++l.indent;
        l.blank = l.indent == l.content.size();
        lines.push_back(l);
        pos = end;
    }
    return lines;
}

bool IsNameChar(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
}

// The column of the BEGIN that opens a body on this line: a BEGIN alone on
// its line (procedures, and triggers after their VAR section), or a trigger
// property "On...=BEGIN".
std::optional<std::size_t> BeginColumn(const Line& line) {
    const std::u16string_view t = line.Trimmed();
    if (t == u"BEGIN") return line.indent;
    if (!t.ends_with(u"=BEGIN")) return std::nullopt;
    std::size_t nameEnd = t.size() - 6;
    std::size_t nameStart = nameEnd;
    while (nameStart > 0 && IsNameChar(t[nameStart - 1])) --nameStart;
    if (!t.substr(nameStart, nameEnd - nameStart).starts_with(u"On")) return std::nullopt;
    return line.indent + nameEnd + 1;
}

enum class BodyKind { Code, Documentation, Undelimited };

struct Body {
    BodyKind kind;
    std::size_t first;    // first line after the BEGIN
    std::size_t end;      // the closing line (Code, Documentation) or where scanning resumes
    std::size_t badLine;  // 0-based line the warning names (Undelimited)
    std::string problem;
};

// Finds the END that closes the BEGIN on line `at`, written at the BEGIN's
// column. Code lines stand at least two columns deeper, so the first line
// at or left of that column must be the END; anything else means the body
// cannot be told apart from what follows.
Body Delimit(const std::vector<Line>& lines, std::size_t at, std::size_t column) {
    const std::size_t first = at + 1;
    std::size_t j = first;
    while (j < lines.size() && lines[j].blank) ++j;

    // The documentation trigger: braces at the BEGIN's column, then END.
    if (j < lines.size() && lines[j].indent == column && lines[j].Trimmed().starts_with(u"{")) {
        for (std::size_t k = j + 1; k < lines.size(); ++k)
            if (lines[k].indent == column && lines[k].Trimmed() == u"END.")
                return {BodyKind::Documentation, first, k, 0, {}};
        return {BodyKind::Undelimited, first, lines.size(), at,
                "documentation in braces without its END."};
    }

    std::optional<std::size_t> shallow;
    for (; j < lines.size(); ++j) {
        const Line& l = lines[j];
        if (l.blank) continue;
        if (l.indent == column + 1 && !shallow) shallow = j;
        if (l.indent > column) continue;
        const std::u16string_view t = l.Trimmed();
        if (l.indent == column && t == u"END.") return {BodyKind::Documentation, first, j, 0, {}};
        if (l.indent == column && t == u"END;") {
            if (shallow)
                return {BodyKind::Undelimited, first, j + 1, *shallow,
                        "line not indented below its BEGIN"};
            return {BodyKind::Code, first, j, 0, {}};
        }
        break;
    }
    return {BodyKind::Undelimited, first, j, at,
            "BEGIN without its END at column " + std::to_string(column + 1)};
}

// A line split into its text without the blanks before the break, and the
// break itself.
struct LineParts {
    std::u16string_view text;
    std::u16string_view lineBreak;
};

LineParts Parts(std::u16string_view line) {
    std::size_t breakAt = line.size();
    if (breakAt > 0 && line[breakAt - 1] == u'\n') --breakAt;
    if (breakAt > 0 && line[breakAt - 1] == u'\r') --breakAt;
    std::size_t end = breakAt;
    while (end > 0 && line[end - 1] == u' ') --end;
    return {line.substr(0, end), line.substr(breakAt)};
}

// Moves the body left by its base column, formats it, moves it back. No
// line keeps blanks before its break, so empty lines stay empty; a result
// that would run into the END line is not used.
std::u16string FormatBody(const std::vector<Line>& lines, const Body& body, std::size_t base,
                          const std::u16string& original, CodeFormatter& formatter) {
    std::u16string code;
    for (std::size_t i = body.first; i < body.end; ++i) {
        const LineParts parts = Parts(lines[i].whole.substr(std::min(base, lines[i].indent)));
        code.append(parts.text).append(parts.lineBreak);
    }
    const std::u16string formatted = formatter.FormatText(code);
    if (!formatted.ends_with(u'\n')) return original;

    std::u16string out;
    out.reserve(formatted.size() + (body.end - body.first) * base);
    std::size_t pos = 0;
    while (pos < formatted.size()) {
        const std::size_t end = formatted.find(u'\n', pos) + 1;
        const LineParts parts = Parts(std::u16string_view(formatted).substr(pos, end - pos));
        if (!parts.text.empty()) out.append(base, u' ').append(parts.text);
        out.append(parts.lineBreak);
        pos = end;
    }
    return out;
}

}  // namespace

bool LooksLikeObjectExport(std::string_view bytes) { return bytes.starts_with("OBJECT "); }
bool LooksLikeObjectExport(std::u16string_view text) { return text.starts_with(u"OBJECT "); }

ObjectFileResult FormatObjectFile(std::string_view bytes, CodeFormatter& formatter,
                                  const LineRanges* ranges) {
    ObjectTextResult text = FormatObjectText(Widen(bytes), formatter, ranges);
    ObjectFileResult result;
    result.bytes = Narrow(text.text);
    static_cast<ObjectFindings&>(result) = std::move(text);
    return result;
}

ObjectTextResult FormatObjectText(std::u16string_view text, CodeFormatter& formatter,
                                  const LineRanges* ranges) {
    ObjectTextResult result;
    const std::vector<Line> lines = SplitLines(text);
    result.text.reserve(text.size() + text.size() / 16);

    std::size_t i = 0;
    while (i < lines.size()) {
        const std::optional<std::size_t> column = BeginColumn(lines[i]);
        result.text.append(lines[i].whole);
        if (!column) {
            ++i;
            continue;
        }
        const Body body = Delimit(lines, i, *column);
        if (body.kind == BodyKind::Undelimited)
            result.warnings.push_back({body.badLine + 1, body.problem + "; left as it is"});
        std::u16string original;
        for (std::size_t k = body.first; k < body.end && k < lines.size(); ++k) original.append(lines[k].whole);
        // Lines are counted from 1: the BEGIN is line body.first, the END line body.end + 1.
        if (body.kind == BodyKind::Code && (!ranges || Touches(*ranges, body.first, body.end + 1))) {
            const std::u16string formatted = FormatBody(lines, body, *column + 2, original, formatter);
            ++result.bodies;
            if (formatted != original) {
                ++result.changedBodies;
                result.changedLines.push_back(body.first + 1 + FirstChangedLine(original, formatted));
            }
            result.text.append(formatted);
        } else {
            result.text.append(original);
        }
        i = body.end;
    }
    return result;
}

}  // namespace tabwright::cli
