// Exported objects (OBJECT Codeunit ... { ... CODE { ... } }): only the code
// between the BEGIN and the END of each trigger or procedure body is
// formatted, as if copied from the editor and pasted back; every other byte
// stays as it is.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/byte_text.h"
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
    std::vector<IndentWarning> indentation;
};

struct ObjectTextResult : ObjectFindings {
    std::u16string text;
};

// True when the first line begins with "OBJECT ", as every export does,
// after a UTF-8 byte order mark if there is one.
bool LooksLikeObjectExport(std::string_view bytes);
bool LooksLikeObjectExport(std::u16string_view text);

// Hands the formatted file to sink in pieces as they are made, each with
// the input it stands for; besides the input only the body being formatted
// is held. With ranges, only the code lines that touch a range are
// formatted, at the depth the whole body gives them.
ObjectFindings FormatObjectFile(std::string_view bytes, Coding coding, CodeFormatter& formatter,
                                const LineRanges* ranges, const PieceSink& sink);
// What FormatObjectFile finds, for a file read in pieces, its coding told on
// the way: read appends up to the given number of bytes to its buffer and
// says whether more may follow; rewind starts the file again.
ObjectFindings CheckObjectPieces(const std::function<bool(std::string&, std::size_t)>& read,
                                 const std::function<void()>& rewind, CodeFormatter& formatter);
ObjectTextResult FormatObjectText(std::u16string_view text, CodeFormatter& formatter,
                                  const LineRanges* ranges = nullptr);

}  // namespace tabwright::cli
