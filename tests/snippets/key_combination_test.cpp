#include <gtest/gtest.h>

#include "snippets/key_combination.h"

namespace tabwright {
namespace {

constexpr KeyCombination Keys(int vkey, std::string_view modifiers) {
    return {vkey, modifiers.find('w') != std::string_view::npos, modifiers.find('s') != std::string_view::npos,
            modifiers.find('c') != std::string_view::npos, modifiers.find('a') != std::string_view::npos};
}

TEST(BuiltInKeyTest, SnippetsTakeAltWithTheDigitsAndTheRestTheirNamedModifier) {
    for (int element = 0; element < 9; ++element) EXPECT_EQ(BuiltInKey(element), Keys('1' + element, "a")) << element;
    EXPECT_EQ(BuiltInKey(9), Keys('0', "a"));
    EXPECT_EQ(BuiltInKey(10), Keys('H', "c"));
    EXPECT_EQ(BuiltInKey(11), Keys('S', "c"));
    EXPECT_EQ(BuiltInKey(12), Keys('E', "c"));
    EXPECT_EQ(BuiltInKey(13), Keys(37, "s"));
    EXPECT_EQ(BuiltInKey(14), Keys(39, "s"));
    EXPECT_FALSE(BuiltInKey(-1));
    EXPECT_FALSE(BuiltInKey(15));
    EXPECT_EQ(BuiltInKeys().size(), 15u);
}

TEST(ApplyHotkeyCodeTest, StoredCodeReplacesKeyAndEveryModifier) {
    const KeyCombination all = Keys('Q', "wsca");
    EXPECT_EQ(ApplyHotkeyCode(u"1071", all), Keys('H', "c"));
    EXPECT_EQ(ApplyHotkeyCode(u"1081", all), Keys('R', "c"));
    EXPECT_EQ(ApplyHotkeyCode(u"2048", all), Keys(1, "a"));
    EXPECT_EQ(ApplyHotkeyCode(u"3938", Keys('H', "c")), Keys(144, "wsca"));
    EXPECT_EQ(ApplyHotkeyCode(u"47", all), Keys('H', ""));
    EXPECT_EQ(ApplyHotkeyCode(u" 1071.2 ", all), Keys('H', "c"));
}

TEST(ApplyHotkeyCodeTest, CodeThatSetsNoHotkeyKeepsTheCurrentKey) {
    const KeyCombination current = Keys('H', "c");
    for (std::u16string_view stored : {u"", u"0", u"-5", u"abc", u"99", u"355", u"3939", u"70000", u"1e9"})
        EXPECT_EQ(ApplyHotkeyCode(stored, current), current) << testing::PrintToString(std::u16string(stored));
}

TEST(KeyCombinationTextTest, NamesModifiersThenTheKey) {
    EXPECT_EQ(KeyCombinationText(Keys('H', "c")), u"Ctrl+H");
    EXPECT_EQ(KeyCombinationText(Keys('0', "a")), u"Alt+0");
    EXPECT_EQ(KeyCombinationText(Keys(37, "s")), u"Shift+LEFT ARROW");
    EXPECT_EQ(KeyCombinationText(Keys(112, "wsca")), u"Ctrl+Alt+Shift+Win+F1");
    EXPECT_EQ(KeyCombinationText(Keys(96, "")), u"Numpad 0");
    EXPECT_EQ(KeyCombinationText(Keys(1, "a")), u"Alt+Left mouse button");
    EXPECT_EQ(KeyCombinationText(Keys(186, "c")), u"Ctrl+key code 186");
}

}  // namespace
}  // namespace tabwright
