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

struct ObjectFileResult {
    std::string bytes;
    std::size_t bodies = 0;         // code bodies found and formatted
    std::size_t changedBodies = 0;  // of those, the ones formatting changed
    std::vector<ObjectWarning> warnings;  // bodies that could not be delimited
};

// True when the first line begins with "OBJECT ", as every export does.
bool LooksLikeObjectExport(std::string_view bytes);

ObjectFileResult FormatObjectFile(std::string_view bytes, CodeFormatter& formatter);

}  // namespace tabwright::cli
