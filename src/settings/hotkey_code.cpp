#include "settings/hotkey_code.h"

#include "settings/decimal_text.h"

#include <charconv>
#include <cmath>

namespace tabwright {
namespace {

constexpr bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::size_t SkipDigits(std::u16string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

// Length of the number at the start of text (sign excluded): digits with an
// optional fraction, then an exponent only if digits follow its mark.
std::size_t NumberLength(std::u16string_view text) {
    std::size_t end = SkipDigits(text, 0);
    bool digits = end > 0;
    if (end < text.size() && text[end] == u'.') {
        const std::size_t fraction = SkipDigits(text, end + 1);
        digits = digits || fraction > end + 1;
        end = fraction;
    }
    if (!digits) return 0;
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        std::size_t exp = end + 1;
        if (exp < text.size() && (text[exp] == u'+' || text[exp] == u'-')) ++exp;
        const std::size_t expEnd = SkipDigits(text, exp);
        if (expEnd > exp) end = expEnd;
    }
    return end;
}

}  // namespace

std::optional<int> EncodeHotkey(const Hotkey& key) {
    if (key.position < 0 || key.position >= kKeyPositions) return std::nullopt;
    return key.position + (key.win ? kWinFlag : 0) + (key.shift ? kShiftFlag : 0) +
           (key.ctrl ? kCtrlFlag : 0) + (key.alt ? kAltFlag : 0);
}

std::optional<Hotkey> DecodeHotkey(int code) {
    if (code <= 0 || code > kLargestHotkeyCode) return std::nullopt;
    Hotkey key;
    const auto take = [&code](int flag) {
        if (code < flag) return false;
        code -= flag;
        return true;
    };
    key.alt = take(kAltFlag);
    key.ctrl = take(kCtrlFlag);
    key.shift = take(kShiftFlag);
    key.win = take(kWinFlag);
    if (code >= kKeyPositions) return std::nullopt;
    key.position = code;
    return key;
}

std::optional<double> LeadingNumber(std::u16string_view text) {
    std::size_t start = text.find_first_not_of(u' ');
    if (start == std::u16string_view::npos) return std::nullopt;
    bool negative = false;
    if (text[start] == u'+' || text[start] == u'-') negative = text[start++] == u'-';
    const std::size_t length = NumberLength(text.substr(start));
    if (length == 0) return std::nullopt;

    // The number is plain ASCII, so it narrows one unit to one char.
    std::string ascii(text.begin() + start, text.begin() + start + length);
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
    return negative ? -value : value;
}

double RoundHalfEven(double value) {
    const double down = std::floor(value);
    const double rest = value - down;
    if (rest < 0.5) return down;
    if (rest > 0.5) return down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

std::optional<Hotkey> ReadHotkeyCode(std::u16string_view stored) {
    const std::optional<double> number = LeadingNumber(stored);
    if (!number) return std::nullopt;
    const double code = RoundHalfEven(*number);
    if (code <= 0 || code > kLargestHotkeyCode) return std::nullopt;
    return DecodeHotkey(static_cast<int>(code));
}

std::u16string HotkeyCodeText(int code) { return DecimalText(code); }

}  // namespace tabwright
