// Stored settings as the program reads them: hotkey codes, switches and
// the names that tie templates to hotkeys.
#include <gtest/gtest.h>

#include <vector>

#include "settings/hotkey_code.h"
#include "settings/setting_names.h"
#include "settings/switches.h"

namespace tabwright {
namespace {

std::string Show(std::u16string_view text) { return testing::PrintToString(std::u16string(text)); }

TEST(HotkeyCodeTest, StoredTextsAreReadUpToTheirNumberAndRoundedHalfToEven) {
    const std::pair<std::u16string_view, int> cases[] = {
        {u"1071", 1071}, {u"   1071 Ctrl+H", 1071}, {u"1071abc", 1071}, {u"+1071", 1071}, {u"1080.5", 1080},
        {u"1081.5", 1082}, {u"1.071e3", 1071}, {u"25e-1", 2}, {u"35E-1", 4}, {u"1e+", 1}, {u"1e", 1}, {u"1.2.3", 1}, {u"1,5", 1},
        {u".5e1", 5}, {u"5.", 5}, {u"3938.5", 3938}, {u"0x10", 0}, {u"0.5", 0}, {u"-1071", 0}, {u"3938.6", 0},
        {u"355", 0}, {u"", 0}, {u"abc", 0}, {u"-", 0}, {u".", 0}, {u"- 5", 0}, {u"e5", 0}, {u"\t5", 0}, {u"1e400", 0},
        {u"99999999999999999999", 0},
    };
    for (const auto& [text, code] : cases) {
        // An exact-size copy: a read past the end is a sanitizer finding.
        const std::vector<char16_t> exact(text.begin(), text.end());
        const std::optional<Hotkey> key = ReadHotkeyCode({exact.data(), exact.size()});
        EXPECT_EQ(key ? *EncodeHotkey(*key) : 0, code) << Show(text);
    }
}

TEST(SettingNamesTest, SwitchesAndTemplates) {
    EXPECT_FALSE(SwitchOn(SwitchText(false)));
    for (std::u16string_view on : {u"", u"1", u"00", u" 0", u"0 ", u"off"}) EXPECT_TRUE(SwitchOn(on)) << Show(on);
    EXPECT_TRUE(SwitchOn(SwitchText(true)));
    for (int element = 0; element < 15; ++element) {
        const std::optional<Setting> code = FindSetting(HotkeyCodeName(*TemplateOfElement(element)));
        ASSERT_TRUE(code) << element;
        EXPECT_EQ(code->form, SettingForm::HotkeyCode);
        EXPECT_EQ(code->hotkeyElement, element);
    }
    EXPECT_EQ(TemplateOfElement(3), SnippetName(3));
    EXPECT_EQ(TemplateOfElement(10), u"Heading");
    for (int element : {-1, 15}) EXPECT_FALSE(TemplateOfElement(element));
}

}  // namespace
}  // namespace tabwright
