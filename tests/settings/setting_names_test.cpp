#include <gtest/gtest.h>

#include <set>

#include "settings/setting_names.h"
#include "settings/switches.h"

namespace tabwright {
namespace {

using enum SettingForm;

TEST(SwitchTest, OnlyTheTextZeroIsOff) {
    EXPECT_FALSE(SwitchOn(u"0"));
    for (std::u16string_view on : {u"", u"1", u"00", u" 0", u"0 ", u"off", u"false"})
        EXPECT_TRUE(SwitchOn(on)) << testing::PrintToString(std::u16string(on));
    EXPECT_FALSE(SwitchOn(SwitchText(false)));
    EXPECT_EQ(SwitchText(true), u"1");
}

TEST(SettingCatalogueTest, HoldsEveryValueNameOnce) {
    std::set<std::u16string_view> names;
    int count[4] = {};
    for (const Setting& s : SettingCatalogue()) {
        EXPECT_TRUE(names.insert(s.name).second) << testing::PrintToString(std::u16string(s.name));
        ++count[static_cast<int>(s.form)];
    }
    EXPECT_EQ(count[static_cast<int>(Switch)], 4);
    EXPECT_EQ(count[static_cast<int>(Template)], 16);
    EXPECT_EQ(count[static_cast<int>(Text)], 2);
    EXPECT_EQ(count[static_cast<int>(HotkeyCode)], 18);
    for (std::u16string_view name : {u"Active", u"C/SIDE", u"Sign", u"Auto_Indent"})
        EXPECT_EQ(FindSetting(name)->form, Switch);
    for (std::u16string_view name : {u"Version Heading", u"Description Heading", u"Free Heading"})
        EXPECT_EQ(FindSetting(HotkeyCodeName(name))->hotkeyElement, -1);
    EXPECT_FALSE(FindSetting(u"H Active"));
}

TEST(SettingCatalogueTest, TiesTemplatesAndCodesToTheirHotkeyElements) {
    const std::u16string_view expected[kHotkeyElementCount] = {
        u"Hotkey 0", u"Hotkey 1", u"Hotkey 2", u"Hotkey 3", u"Hotkey 4",
        u"Hotkey 5", u"Hotkey 6", u"Hotkey 7", u"Hotkey 8", u"Hotkey 9",
        u"Heading", u"Start Heading", u"End Heading", u"Indent Left", u"Indent Right"};
    for (int element = 0; element < kHotkeyElementCount; ++element) {
        const std::optional<std::u16string> name = TemplateOfElement(element);
        ASSERT_EQ(name, expected[element]);
        const std::optional<Setting> code = FindSetting(HotkeyCodeName(*name));
        ASSERT_TRUE(code) << element;
        EXPECT_EQ(code->form, HotkeyCode);
        EXPECT_EQ(code->hotkeyElement, element);
    }
    for (int index = 0; index < kSnippetCount; ++index) EXPECT_EQ(SnippetName(index), expected[index]);
    EXPECT_FALSE(TemplateOfElement(-1));
    EXPECT_FALSE(TemplateOfElement(15));
}

}  // namespace
}  // namespace tabwright
