// libFuzzer target: any text through re-indentation (with and without
// operator spacing) and block shift must keep its code, and formatting
// formatted code must change nothing; any byte stream given to the language
// server must be answered without a crash.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "text_support.h"
#include "cli/lsp_server.h"
#include "formatter/formatter.h"

namespace {

// The first byte chooses the routine; for the engine the rest is read as
// 16-bit units so that every character, surrogates included, can appear.
std::u16string ToText(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);
    return text;
}

bool HasLoneCr(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')) return true;
    return false;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t mode = data[0] % 5;
    if (mode == 4) {
        std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
        std::ostringstream out;
        tabwright::cli::ServeLsp(in, out, {});
        return 0;
    }
    const std::u16string text = ToText(data + 1, size - 1);
    using tabwright::test::SameCode;
    static tabwright::Formatter formatter;
    if (mode < 2) {
        tabwright::TraceRecorder host(mode == 1);
        const std::u16string once = formatter.Nesting(text, host);
        Check(SameCode(text, once));
        // Formatted code stays as it is, wherever every CR stands in a CR LF
        // pair (C/SIDE's copies and every file the command line reads), and
        // its indentation misleads nowhere.
        if (!HasLoneCr(text)) {
            Check(formatter.Nesting(once, host) == once);
            Check(formatter.LastFindings().empty());
        }
    } else if (mode == 2) {
        Check(SameCode(text, tabwright::Indent_Left(text)));
    } else {
        Check(SameCode(text, tabwright::Indent_Right(text)));
    }
    return 0;
}
