// Exported object files (OBJECT Codeunit ... { ... CODE { ... } }): only the
// code between the BEGIN and the END of each trigger or procedure body is
// formatted, as if copied from the editor and pasted back; every other byte
// stays as it is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cli/code_formatter.h"

namespace tabwright::cli {

struct ObjectWarning {
    std::size_t line;  // 1-based
    std::string message;
};

struct ObjectFindings {
    std::size_t bodies = 0;         // code bodies found and formatted
    std::size_t changedBodies = 0;  // of those, the ones formatting changed
    std::vector<std::size_t> changedLines;  // the first changed line (1-based) of each
    std::vector<ObjectWarning> warnings;    // bodies that could not be delimited
};

struct ObjectFileResult : ObjectFindings {
    std::string bytes;
};

struct ObjectTextResult : ObjectFindings {
    std::u16string text;
};

// True when the first line begins with "OBJECT ", as every export does.
bool LooksLikeObjectExport(std::string_view bytes);
bool LooksLikeObjectExport(std::u16string_view text);

// Bytes are read one byte per character. With ranges, only the bodies whose
// lines, BEGIN and END included, touch a range are formatted.
ObjectFileResult FormatObjectFile(std::string_view bytes, CodeFormatter& formatter,
                                  const LineRanges* ranges = nullptr);
ObjectTextResult FormatObjectText(std::u16string_view text, CodeFormatter& formatter,
                                  const LineRanges* ranges = nullptr);

}  // namespace tabwright::cli
