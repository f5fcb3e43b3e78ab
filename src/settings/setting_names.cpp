#include "settings/setting_names.h"

#include <array>

namespace tabwright {
namespace {

using enum SettingForm;

constexpr std::array<Setting, 40> kCatalogue{{
    {kActive, Switch, -1},
    {kCSide, Switch, -1},
    {kSign, Switch, -1},
    {kAutoIndent, Switch, -1},

    {kHeading, Template, kHeadingElement},
    {kStartHeading, Template, kStartHeadingElement},
    {kEndHeading, Template, kEndHeadingElement},
    {kVersionHeading, Template, -1},
    {kDescriptionHeading, Template, -1},
    {kFreeHeading, Template, -1},
    {u"Hotkey 0", Template, 0},
    {u"Hotkey 1", Template, 1},
    {u"Hotkey 2", Template, 2},
    {u"Hotkey 3", Template, 3},
    {u"Hotkey 4", Template, 4},
    {u"Hotkey 5", Template, 5},
    {u"Hotkey 6", Template, 6},
    {u"Hotkey 7", Template, 7},
    {u"Hotkey 8", Template, 8},
    {u"Hotkey 9", Template, 9},
    {kIndentLeft, Text, kIndentLeftElement},
    {kIndentRight, Text, kIndentRightElement},

    {u"H Heading", HotkeyCode, kHeadingElement},
    {u"H Start Heading", HotkeyCode, kStartHeadingElement},
    {u"H End Heading", HotkeyCode, kEndHeadingElement},
    {u"H Hotkey 0", HotkeyCode, 0},
    {u"H Hotkey 1", HotkeyCode, 1},
    {u"H Hotkey 2", HotkeyCode, 2},
    {u"H Hotkey 3", HotkeyCode, 3},
    {u"H Hotkey 4", HotkeyCode, 4},
    {u"H Hotkey 5", HotkeyCode, 5},
    {u"H Hotkey 6", HotkeyCode, 6},
    {u"H Hotkey 7", HotkeyCode, 7},
    {u"H Hotkey 8", HotkeyCode, 8},
    {u"H Hotkey 9", HotkeyCode, 9},
    {u"H Indent Left", HotkeyCode, kIndentLeftElement},
    {u"H Indent Right", HotkeyCode, kIndentRightElement},
    // Read by the settings dialog only; the program never writes them.
    {u"H Version Heading", HotkeyCode, -1},
    {u"H Description Heading", HotkeyCode, -1},
    {u"H Free Heading", HotkeyCode, -1},
}};

}  // namespace

std::span<const Setting> SettingCatalogue() { return kCatalogue; }

std::optional<Setting> FindSetting(std::u16string_view name) {
    for (const Setting& s : kCatalogue)
        if (s.name == name) return s;
    return std::nullopt;
}

std::u16string SnippetName(int index) {
    std::u16string name(u"Hotkey ");
    name.push_back(static_cast<char16_t>(u'0' + index));
    return name;
}

std::u16string HotkeyCodeName(std::u16string_view templateName) {
    std::u16string name(u"H ");
    return name.append(templateName);
}

std::optional<std::u16string> TemplateOfElement(int element) {
    if (element < 0) return std::nullopt;
    for (const Setting& s : kCatalogue)
        if (s.form != HotkeyCode && s.hotkeyElement == element) return std::u16string(s.name);
    return std::nullopt;
}

}  // namespace tabwright
