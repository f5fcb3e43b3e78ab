#include "snippets/upper_case.h"

namespace tabwright {
namespace {

constexpr bool In(char16_t c, char16_t first, char16_t last) { return c >= first && c <= last; }

// Latin Extended-A pairs each capital with the small letter after it; the
// pairs start on even code points in some stretches and on odd in others.
constexpr bool SmallInLatinExtendedA(char16_t c) {
    if (In(c, 0x0100, 0x012F) || In(c, 0x0132, 0x0137) || In(c, 0x014A, 0x0177)) return c % 2 == 1;
    if (In(c, 0x0139, 0x0148) || In(c, 0x0179, 0x017E)) return c % 2 == 0;
    return false;
}

}  // namespace

char16_t ToUpperLetter(char16_t c) {
    if (In(c, u'a', u'z')) return static_cast<char16_t>(c - 0x20);
    if (c < 0x00E0) return c;
    if (In(c, 0x00E0, 0x00FE) && c != 0x00F7) return static_cast<char16_t>(c - 0x20);
    if (SmallInLatinExtendedA(c)) return static_cast<char16_t>(c - 1);
    if (In(c, 0x03B1, 0x03CB) && c != 0x03C2) return static_cast<char16_t>(c - 0x20);
    if (In(c, 0x0430, 0x044F)) return static_cast<char16_t>(c - 0x20);
    if (In(c, 0x0450, 0x045F)) return static_cast<char16_t>(c - 0x50);
    switch (c) {
    case 0x00FF: return 0x0178;  // y with diaeresis
    case 0x0131: return u'I';    // dotless i
    case 0x0192: return 0x0191;  // f with hook
    case 0x01A1: return 0x01A0;  // o with horn
    case 0x01B0: return 0x01AF;  // u with horn
    case 0x03C2: return 0x03A3;  // final sigma
    case 0x03AC: return 0x0386;
    case 0x03AD: return 0x0388;
    case 0x03AE: return 0x0389;
    case 0x03AF: return 0x038A;
    case 0x03CC: return 0x038C;
    case 0x03CD: return 0x038E;
    case 0x03CE: return 0x038F;
    default: return c;
    }
}

std::u16string ToUpperText(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) c = ToUpperLetter(c);
    return upper;
}

}  // namespace tabwright
