// A whole number as decimal text, the form every number the program stores
// or shows takes.
#pragma once

#include <string>

namespace tabwright {

inline std::u16string DecimalText(long long number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace tabwright
