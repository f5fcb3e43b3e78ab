// Files are handled as bytes in one of two codings. A file that is valid
// UTF-8 and holds a byte from 0x80 on is read as UTF-8, a character per
// 16-bit unit as the Windows editor and the language server see it; any
// other file is read a byte per character, whatever code page it was
// written in. Either way the text goes back out as the same bytes.
#pragma once

#include <string>
#include <string_view>

#include "formatter/line_breaks.h"

namespace tabwright::cli {

using tabwright::CrlfToLf;
using tabwright::HasBareLfBreaks;
using tabwright::LfToCrlf;

enum class Coding { Bytes, Utf8 };

Coding CodingOf(std::string_view bytes);

// The coding of a text seen in pieces, as CodingOf would tell it whole.
// ASCII is skipped eight bytes at a time; from the first invalid sequence
// on nothing more is looked at.
class CodingScan {
public:
    void Add(std::string_view piece);
    Coding Result() const;
    // Utf8 while every sequence so far is valid and one byte was from 0x80
    // on; a sequence the last piece cut may still prove invalid.
    Coding SoFar() const;

private:
    unsigned char cut_[4] = {};  // a sequence the last piece left unfinished
    int have_ = 0, need_ = 0;
    bool high_ = false, valid_ = true;
};

std::u16string Decode(std::string_view bytes, Coding coding);
// Decode, appended to out.
void AppendDecoded(std::u16string& out, std::string_view bytes, Coding coding);

// In the Bytes coding every character must be below 256; the engine only
// ever adds blanks, line breaks and slashes to the text Decode made.
std::string Encode(std::u16string_view text, Coding coding);

// The UTF-8 byte order mark, and the same as one 16-bit character.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr char16_t kMarkChar = u'\uFEFF';

// True for a text whose line breaks are all bare LF: at least one LF and
// no CR anywhere.
bool HasBareLfBreaks(std::string_view bytes);

}  // namespace tabwright::cli
