#include "cli/code_formatter.h"

#include "cli/byte_text.h"

namespace tabwright::cli {

CodeFormatter::CodeFormatter(const FormatSettings& settings)
    : settings_(settings), host_(settings.sign, settings.trace) {}

std::string CodeFormatter::Format(std::string_view bytes) {
    const std::u16string text = Widen(bytes);
    if (!HasBareLfBreaks(text)) return Narrow(Run(text));
    return Narrow(CrlfToLf(Run(LfToCrlf(text))));
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
