#pragma once

#include <string>
#include <string_view>

namespace tabwright {

// Capital letters for the small letters of the Latin, Greek and Cyrillic
// alphabets that the Windows ANSI code pages carry; other characters stay.
char16_t ToUpperLetter(char16_t c);
std::u16string ToUpperText(std::u16string_view text);

}  // namespace tabwright
