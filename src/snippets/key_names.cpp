#include "snippets/key_names.h"

#include <array>

#include "settings/hotkey_code.h"

namespace tabwright {
namespace {

constexpr std::array<KeyName, kKeyCount> kKeys{{
    {1, u"Left mouse button"}, {2, u"Right mouse button"}, {3, u"CANCEL key"},
    {4, u"Middle mouse button"}, {8, u"BACKSPACE key"}, {9, u"TAB key"},
    {12, u"CLEAR key"}, {13, u"ENTER key"}, {16, u"SHIFT key"}, {17, u"CTRL key"},
    {18, u"MENU key"}, {19, u"PAUSE key"}, {20, u"CAPS LOCK key"}, {27, u"ESC key"},

    {32, u"SPACEBAR key"}, {33, u"PAGE UP key"}, {34, u"PAGE DOWN key"}, {35, u"END key"},
    {36, u"HOME key"}, {37, u"LEFT ARROW key"}, {38, u"UP ARROW key"},
    {39, u"RIGHT ARROW key"}, {40, u"DOWN ARROW key"}, {41, u"SELECT key"},
    {42, u"PRINT SCREEN key"}, {43, u"EXECUTE key"}, {44, u"SNAPSHOT key"},
    {45, u"INS key"}, {46, u"DEL key"}, {47, u"HELP key"},

    {48, u"0 key"}, {49, u"1 key"}, {50, u"2 key"}, {51, u"3 key"}, {52, u"4 key"},
    {53, u"5 key"}, {54, u"6 key"}, {55, u"7 key"}, {56, u"8 key"}, {57, u"9 key"},

    {65, u"A key"}, {66, u"B key"}, {67, u"C key"}, {68, u"D key"}, {69, u"E key"},
    {70, u"F key"}, {71, u"G key"}, {72, u"H key"}, {73, u"I key"}, {74, u"J key"},
    {75, u"K key"}, {76, u"L key"}, {77, u"M key"}, {78, u"N key"}, {79, u"O key"},
    {80, u"P key"}, {81, u"Q key"}, {82, u"R key"}, {83, u"S key"}, {84, u"T key"},
    {85, u"U key"}, {86, u"V key"}, {87, u"W key"}, {88, u"X key"}, {89, u"Y key"},
    {90, u"Z key"},

    {96, u"Numpad 0"}, {97, u"Numpad 1"}, {98, u"Numpad 2"}, {99, u"Numpad 3"},
    {100, u"Numpad 4"}, {101, u"Numpad 5"}, {102, u"Numpad 6"}, {103, u"Numpad 7"},
    {104, u"Numpad 8"}, {105, u"Numpad 9"},

    {106, u"MULTIPLICATION SIGN (*) key"}, {107, u"PLUS SIGN (+) key"},
    {108, u"ENTER (keypad) key"}, {109, u"MINUS SIGN (-) key"},
    {110, u"DECIMAL POINT(.) key"}, {111, u"DIVISION SIGN (/) key"},

    {112, u"F1 key"}, {113, u"F2 key"}, {114, u"F3 key"}, {115, u"F4 key"},
    {116, u"F5 key"}, {117, u"F6 key"}, {118, u"F7 key"}, {119, u"F8 key"},
    {120, u"F9 key"}, {121, u"F10 key"}, {122, u"F11 key"}, {123, u"F12 key"},
    {124, u"F13 key"}, {125, u"F14 key"}, {126, u"F15 key"}, {127, u"F16 key"},

    {144, u"NUM LOCK key"},
}};

// Hotkey codes can address exactly the positions of this list.
static_assert(kKeyCount == kKeyPositions);

}  // namespace

std::optional<KeyName> KeyAt(int position) {
    if (position < 0 || position >= kKeyCount) return std::nullopt;
    return kKeys[static_cast<std::size_t>(position)];
}

std::u16string KeyListEntry(int position) {
    const std::optional<KeyName> key = KeyAt(position);
    if (!key) return {};
    std::u16string entry(3, u' ');
    for (int code = key->code, i = 2; code > 0; code /= 10, --i)
        entry[static_cast<std::size_t>(i)] = static_cast<char16_t>(u'0' + code % 10);
    return entry.append(u" - ").append(key->name);
}

std::optional<int> KeyCodeAt(int position) {
    const std::optional<KeyName> key = KeyAt(position);
    if (!key) return std::nullopt;
    return key->code;
}

std::optional<int> KeyPosition(int code) {
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        if (kKeys[i].code == code) return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace tabwright
