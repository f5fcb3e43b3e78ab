#include "cli/lsp_stream.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <limits>
#include <ostream>

namespace tabwright::cli {
namespace {

constexpr std::size_t kMaxHeaderLine = 1024;
constexpr std::size_t kMaxHeaderLines = 32;

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}

// One header line without its CR LF (a bare LF is taken too); false at the
// stream's end or on a line too long to be a header.
bool ReadHeaderLine(std::istream& in, std::string& line) {
    line.clear();
    for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        if (line.size() == kMaxHeaderLine) return false;
        line.push_back(static_cast<char>(c));
    }
    return false;
}

}  // namespace

LspFrame ReadLspFrame(std::istream& in) {
    std::string line;
    std::size_t length = 0, lines = 0;
    bool haveLength = false, valid = true;
    for (;;) {
        if (!ReadHeaderLine(in, line)) {
            if (in.eof()) return {LspFrame::Kind::End, {}};
            // Too long: skip to the end of that line and call the block bad.
            in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            valid = false;
            ++lines;
            continue;
        }
        if (line.empty()) {
            if (lines == 0) continue;  // stray breaks between messages
            break;
        }
        if (++lines > kMaxHeaderLines) valid = false;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            valid = false;
            continue;
        }
        if (!SameLetters(line.substr(0, colon), "Content-Length")) continue;
        std::string_view value = std::string_view(line).substr(colon + 1);
        while (value.starts_with(' ')) value.remove_prefix(1);
        while (value.ends_with(' ')) value.remove_suffix(1);
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
        haveLength = !value.empty() && error == std::errc() && end == value.data() + value.size();
        valid = valid && haveLength;
    }
    if (!valid || !haveLength || length > kMaxLspBody) {
        constexpr auto most = static_cast<std::size_t>(std::numeric_limits<std::streamsize>::max());
        if (haveLength) in.ignore(static_cast<std::streamsize>(std::min(length, most)));
        return {in.eof() ? LspFrame::Kind::End : LspFrame::Kind::Malformed, {}};
    }
    std::string body(length, '\0');
    in.read(body.data(), static_cast<std::streamsize>(length));
    if (static_cast<std::size_t>(in.gcount()) != length) return {LspFrame::Kind::End, {}};
    return {LspFrame::Kind::Message, std::move(body)};
}

void WriteLspFrame(std::ostream& out, std::string_view body) {
    out << "Content-Length: " << body.size() << "\r\n\r\n";
    out.write(body.data(), static_cast<std::streamsize>(body.size()));
    out.flush();
}

}  // namespace tabwright::cli
