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
constexpr std::string_view kLengthName = "content-length";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// A header's name: letters, digits and dashes.
bool IsName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return c == '-' || (c >= '0' && c <= '9') || (Lower(c) >= 'a' && Lower(c) <= 'z');
    });
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

// Reads up to and with the next "Content-Length", in any case; false at the
// stream's end. The name's first letter comes in it only once, so a
// mismatch starts the search again at the character that broke it.
bool LspReader::SkipToName() {
    std::size_t matched = 0;
    for (int c; (c = in_.get()) != std::char_traits<char>::eof();) {
        if (Lower(static_cast<char>(c)) != kLengthName[matched]) matched = 0;
        if (Lower(static_cast<char>(c)) == kLengthName[matched] && ++matched == kLengthName.size()) return true;
    }
    return false;
}

LspFrame LspReader::Next() {
    std::string line;
    std::size_t length = 0, lines = 0;
    bool haveLength = false, valid = true;  // valid: no Content-Length was bad
    for (;;) {
        if (!pending_.empty()) {
            line.swap(pending_);
            pending_.clear();
        } else if (skip_) {
            if (!SkipToName()) return {LspFrame::Kind::End, {}};
            skip_ = false;
            if (!ReadHeaderLine(in_, line)) {
                if (in_.eof()) return {LspFrame::Kind::End, {}};
                skip_ = true;  // too long to be a header: skipped too
                continue;
            }
            line.insert(0, "Content-Length");
        } else if (!ReadHeaderLine(in_, line)) {
            if (in_.eof()) return {LspFrame::Kind::End, {}};
            skip_ = true;  // too long to be a header: the rest of the line goes with it
            return {LspFrame::Kind::Malformed, {}};
        }
        if (line.empty()) {
            if (lines == 0) continue;  // stray breaks between messages
            break;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || !IsName(std::string_view(line).substr(0, colon)) || ++lines > kMaxHeaderLines) {
            // Not a header, and so a bad block; a Content-Length header
            // later on the line begins the next one.
            std::string lower(line);
            std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
            const std::size_t name = lower.find(kLengthName, 1);
            if (name != std::string::npos) pending_ = line.substr(name);
            else skip_ = true;
            return {LspFrame::Kind::Malformed, {}};
        }
        if (!SameLetters(std::string_view(line).substr(0, colon), kLengthName)) continue;
        std::string_view value = std::string_view(line).substr(colon + 1);
        while (value.starts_with(' ')) value.remove_prefix(1);
        while (value.ends_with(' ')) value.remove_suffix(1);
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
        haveLength = !value.empty() && error == std::errc() && end == value.data() + value.size();
        valid = valid && haveLength;
    }
    if (!valid || !haveLength) {
        skip_ = true;  // a body of unknown length follows
        return {LspFrame::Kind::Malformed, {}};
    }
    if (length > kMaxLspBody) {
        constexpr auto most = static_cast<std::size_t>(std::numeric_limits<std::streamsize>::max());
        in_.ignore(static_cast<std::streamsize>(std::min(length, most)));
        return {in_.eof() ? LspFrame::Kind::End : LspFrame::Kind::Malformed, {}};
    }
    std::string body(length, '\0');
    in_.read(body.data(), static_cast<std::streamsize>(length));
    if (static_cast<std::size_t>(in_.gcount()) != length) return {LspFrame::Kind::End, {}};
    return {LspFrame::Kind::Message, std::move(body)};
}

void WriteLspFrame(std::ostream& out, std::string_view body) {
    out << "Content-Length: " << body.size() << "\r\n\r\n";
    out.write(body.data(), static_cast<std::streamsize>(body.size()));
    out.flush();
}

}  // namespace tabwright::cli
