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
        {0, u"  1 - Left mouse button"},   {3, u"  4 - Middle mouse button"},
        {4, u"  8 - BACKSPACE key"},       {13, u" 27 - ESC key"},
        {14, u" 32 - SPACEBAR key"},       {19, u" 37 - LEFT ARROW key"},
        {21, u" 39 - RIGHT ARROW key"},    {29, u" 47 - HELP key"},
        {47, u" 72 - H key"},              {76, u"106 - MULTIPLICATION SIGN (*) key"},
        {78, u"108 - ENTER (keypad) key"}, {80, u"110 - DECIMAL POINT(.) key"},
        {81, u"111 - DIVISION SIGN (/) key"}, {98, u"144 - NUM LOCK key"},
    };
    for (const auto& [position, entry] : entries) EXPECT_EQ(KeyListEntry(position), entry) << position;
}

TEST(KeyNamesTest, NamesTheRunsOfDigitsLettersNumpadAndFunctionKeys) {
    for (int n = 0; n < 10; ++n) {
        const std::u16string digit = Widen(std::to_string(n));
        EXPECT_EQ(KeyAt(30 + n)->name, Join(u"", digit, u" key"));
        EXPECT_EQ(KeyAt(66 + n)->name, Join(u"Numpad ", digit, u""));
        EXPECT_EQ(KeyCodeAt(66 + n), 96 + n);
    }
    for (int n = 0; n < 26; ++n) {
        EXPECT_EQ(KeyAt(40 + n)->name, Join(u"", std::u16string(1, char16_t(u'A' + n)), u" key"));
        EXPECT_EQ(KeyCodeAt(40 + n), 65 + n);
    }
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

TEST(KeyNamesTest, HasEntriesForTheListedCodesOnly) {
    const auto listed = [](int code) {
        for (int special : {1, 2, 3, 4, 8, 9, 12, 13, 16, 17, 18, 19, 20, 27, 144})
            if (code == special) return true;
        return (code >= 32 && code <= 57) || (code >= 65 && code <= 90) || (code >= 96 && code <= 127);
    };
    for (int code = -5; code <= 300; ++code) EXPECT_EQ(KeyPosition(code).has_value(), listed(code)) << code;
    for (int position : {-1, 99, 1000}) {
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
