#include <gtest/gtest.h>

#include "settings/hotkey_code.h"
#include "snippets/key_names.h"

namespace tabwright {
namespace {

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string Join(std::u16string_view a, std::u16string_view b, std::u16string_view c) {
    std::u16string joined(a);
    return joined.append(b).append(c);
}

TEST(KeyNamesTest, ReadsExactlyAsListed) {
    const std::pair<int, std::u16string_view> entries[] = {
        {0, u"  1 - Left mouse button"},    {1, u"  2 - Right mouse button"},
        {3, u"  4 - Middle mouse button"},  {4, u"  8 - BACKSPACE key"},
        {6, u" 12 - CLEAR key"},            {7, u" 13 - ENTER key"},
        {8, u" 16 - SHIFT key"},            {12, u" 20 - CAPS LOCK key"},
        {13, u" 27 - ESC key"},             {14, u" 32 - SPACEBAR key"},
        {19, u" 37 - LEFT ARROW key"},      {21, u" 39 - RIGHT ARROW key"},
        {24, u" 42 - PRINT SCREEN key"},    {29, u" 47 - HELP key"},
        {30, u" 48 - 0 key"},               {39, u" 57 - 9 key"},
        {40, u" 65 - A key"},               {47, u" 72 - H key"},
        {57, u" 82 - R key"},               {65, u" 90 - Z key"},
        {66, u" 96 - Numpad 0"},            {75, u"105 - Numpad 9"},
        {76, u"106 - MULTIPLICATION SIGN (*) key"}, {77, u"107 - PLUS SIGN (+) key"},
        {78, u"108 - ENTER (keypad) key"},  {79, u"109 - MINUS SIGN (-) key"},
        {80, u"110 - DECIMAL POINT(.) key"}, {81, u"111 - DIVISION SIGN (/) key"},
        {82, u"112 - F1 key"},              {97, u"127 - F16 key"},
        {98, u"144 - NUM LOCK key"},
    };
    for (const auto& [position, entry] : entries) EXPECT_EQ(KeyListEntry(position), entry) << position;
}

TEST(KeyNamesTest, NamesTheRunsOfDigitsLettersNumpadAndFunctionKeys) {
    for (int n = 0; n < 10; ++n) {
        EXPECT_EQ(KeyAt(30 + n)->name, Join(u"", Widen(std::to_string(n)), u" key"));
        EXPECT_EQ(KeyAt(66 + n)->name, Join(u"Numpad ", Widen(std::to_string(n)), u""));
    }
    for (int n = 0; n < 26; ++n) EXPECT_EQ(KeyAt(40 + n)->name, Join(u"", Widen(std::string(1, char('A' + n))), u" key"));
    for (int n = 0; n < 16; ++n) EXPECT_EQ(KeyAt(82 + n)->name, Join(u"F", Widen(std::to_string(n + 1)), u" key"));
}

TEST(KeyNamesTest, EveryEntryCarriesItsCodeRightAligned) {
    int previous = 0;
    for (int position = 0; position < kKeyCount; ++position) {
        const std::u16string entry = KeyListEntry(position);
        const int code = *KeyCodeAt(position);
        EXPECT_GT(code, previous) << position;
        previous = code;
        std::string digits = std::to_string(code);
        EXPECT_EQ(entry.substr(0, 6), Widen(std::string(3 - digits.size(), ' ') + digits + " - ")) << position;
        EXPECT_EQ(entry.substr(6), KeyAt(position)->name);
        EXPECT_EQ(KeyPosition(code), position);
    }
}

TEST(KeyNamesTest, HasNoEntryForOtherCodesOrPositions) {
    int found = 0;
    for (int code = -5; code <= 300; ++code) found += KeyPosition(code).has_value();
    EXPECT_EQ(found, kKeyCount);
    for (int code : {0, 5, 6, 7, 10, 11, 14, 15, 21, 26, 28, 31, 58, 64, 91, 95, 128, 143, 145, 186, 255, 65536})
        EXPECT_FALSE(KeyPosition(code)) << code;
    for (int position : {-1, 99, 1000}) {
        EXPECT_FALSE(KeyAt(position));
        EXPECT_FALSE(KeyCodeAt(position));
        EXPECT_EQ(KeyListEntry(position), u"");
    }
}

TEST(KeyNamesTest, StoredCodesNameTheirKeys) {
    const std::pair<std::u16string_view, int> cases[] = {
        {u"1081", 82}, {u"1071", 72}, {u"2048", 1}, {u"3938", 144}, {u"512", 1}, {u"531", 37},
    };
    for (const auto& [stored, key] : cases) EXPECT_EQ(KeyCodeAt(ReadHotkeyCode(stored)->position), key);
}

}  // namespace
}  // namespace tabwright
