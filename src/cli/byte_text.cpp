#include "cli/byte_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include <utf8cpp/utf8.h>

namespace tabwright::cli {

namespace {

// The length of the sequence a lead byte begins, 0 for a byte no valid
// sequence begins with (a continuation byte, or one that could only begin an
// overlong form or a code point beyond U+10FFFF).
int SequenceLength(unsigned char lead) {
    return lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

// A whole sequence of that length: continuation bytes, no overlong form,
// no surrogate, nothing beyond U+10FFFF.
bool ValidSequence(const unsigned char* s, int length) {
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (s[0] == 0xE0) low = 0xA0;
    if (s[0] == 0xED) high = 0x9F;
    if (s[0] == 0xF0) low = 0x90;
    if (s[0] == 0xF4) high = 0x8F;
    if (s[1] < low || s[1] > high) return false;
    for (int i = 2; i < length; ++i)
        if ((s[i] & 0xC0) != 0x80) return false;
    return true;
}

}  // namespace

Coding CodingOf(std::string_view bytes) {
    CodingScan scan;
    scan.Add(bytes);
    return scan.Result();
}

void CodingScan::Add(std::string_view piece) {
    const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
    const std::size_t n = piece.size();
    std::size_t i = 0;
    if (have_ > 0) {
        i = std::min(static_cast<std::size_t>(need_ - have_), n);
        std::memcpy(cut_ + have_, p, i);
        have_ += static_cast<int>(i);
        if (have_ == need_) valid_ = valid_ && ValidSequence(cut_, need_), have_ = 0;
    }
    while (i < n && valid_) {
        std::uint64_t eight;
        for (; i + 8 <= n; i += 8) {
            std::memcpy(&eight, p + i, 8);
            if (eight & 0x8080808080808080u) break;
        }
        for (; i < n && p[i] < 0x80; ++i) {}
        if (i == n) break;
        high_ = true;
        const int length = SequenceLength(p[i]);
        if (length == 0) {
            valid_ = false;
        } else if (i + static_cast<std::size_t>(length) > n) {
            need_ = length;
            have_ = static_cast<int>(n - i);
            std::memcpy(cut_, p + i, n - i);
            i = n;
        } else {
            valid_ = ValidSequence(p + i, length);
            i += static_cast<std::size_t>(length);
        }
    }
}

Coding CodingScan::SoFar() const { return high_ && valid_ ? Coding::Utf8 : Coding::Bytes; }
Coding CodingScan::Result() const { return have_ == 0 ? SoFar() : Coding::Bytes; }

std::u16string Decode(std::string_view bytes, Coding coding) {
    std::u16string text;
    AppendDecoded(text, bytes, coding);
    return text;
}

void AppendDecoded(std::u16string& out, std::string_view bytes, Coding coding) {
    if (coding == Coding::Utf8) {
        out.reserve(out.size() + bytes.size());
        utf8::unchecked::utf8to16(bytes.begin(), bytes.end(), std::back_inserter(out));
        return;
    }
    const std::size_t had = out.size();
    out.resize(had + bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) out[had + i] = static_cast<unsigned char>(bytes[i]);
}

std::string Encode(std::u16string_view text, Coding coding) {
    std::string bytes;
    if (coding == Coding::Utf8) {
        bytes.reserve(text.size());
        utf8::unchecked::utf16to8(text.begin(), text.end(), std::back_inserter(bytes));
        return bytes;
    }
    bytes.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(static_cast<unsigned char>(text[i]));
    return bytes;
}

bool HasBareLfBreaks(std::string_view bytes) {
    return bytes.find('\n') != std::string_view::npos && bytes.find('\r') == std::string_view::npos;
}

}  // namespace tabwright::cli
