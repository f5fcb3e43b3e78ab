// Conversion between the program's UTF-16 text and the system's ANSI code
// page, the encoding of ANSI clipboard text and of the ANSI registry calls.
#pragma once

#include <string>
#include <string_view>

namespace tabwright::win32 {

// Characters the code page cannot hold become its default character. Texts
// too long for the system's conversion calls (2^31 units or more) convert to
// the empty text, like any other failed platform call.
std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view bytes);

// Windows' wide strings are the same 16-bit units as std::u16string.
inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace tabwright::win32
