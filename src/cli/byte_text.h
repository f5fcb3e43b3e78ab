// Files are handled as bytes: each byte becomes one 16-bit character and
// goes back out as the same byte, whatever code page the file was written in.
#pragma once

#include <string>
#include <string_view>

namespace tabwright::cli {

std::u16string Widen(std::string_view bytes);

// Every character must be below 256; the engine only ever adds blanks,
// line breaks and slashes to text that came from Widen.
std::string Narrow(std::u16string_view text);

// True for a text whose line breaks are all bare LF: at least one LF and
// no CR anywhere.
bool HasBareLfBreaks(std::u16string_view text);
bool HasBareLfBreaks(std::string_view bytes);

std::u16string LfToCrlf(std::u16string_view text);
std::u16string CrlfToLf(std::u16string_view text);

}  // namespace tabwright::cli
