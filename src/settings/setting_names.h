// The names of every value the program keeps under its registry key, and
// what kind of text each one holds. Every setting is a text value; the
// routines that interpret them live beside this file.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tabwright {

// HKEY_CURRENT_USER keys.
inline constexpr std::u16string_view kProgramKey = u"Software\\Quillmark";
inline constexpr std::u16string_view kRunKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::u16string_view kRunValue = u"Quillmark";
inline constexpr std::u16string_view kRunProgramFile = u"Tabwright.exe";

// Switches.
inline constexpr std::u16string_view kActive = u"Active";
inline constexpr std::u16string_view kCSide = u"C/SIDE";
inline constexpr std::u16string_view kSign = u"Sign";
inline constexpr std::u16string_view kAutoIndent = u"Auto_Indent";

// Templates and the texts that fill their placeholders.
inline constexpr std::u16string_view kHeading = u"Heading";
inline constexpr std::u16string_view kStartHeading = u"Start Heading";
inline constexpr std::u16string_view kEndHeading = u"End Heading";
inline constexpr std::u16string_view kVersionHeading = u"Version Heading";
inline constexpr std::u16string_view kDescriptionHeading = u"Description Heading";
inline constexpr std::u16string_view kFreeHeading = u"Free Heading";
inline constexpr std::u16string_view kIndentLeft = u"Indent Left";
inline constexpr std::u16string_view kIndentRight = u"Indent Right";

inline constexpr int kSnippetCount = 10;

// The fifteen hotkey elements: snippets 0 to 9 are elements 0 to 9, then
// come the heading, its two markers and the two block shifts.
enum HotkeyElement : int {
    kHeadingElement = kSnippetCount,
    kStartHeadingElement,
    kEndHeadingElement,
    kIndentLeftElement,
    kIndentRightElement,
    kHotkeyElementCount,
};

enum class SettingForm {
    Switch,      // "0" is off, anything else on
    Template,    // expanded when used; empty means the built-in text
    Text,        // kept as typed, never interpreted
    HotkeyCode,  // decimal hotkey code; see hotkey_code.h
};

struct Setting {
    std::u16string_view name;
    SettingForm form;
    int hotkeyElement;  // element of the hotkey array it belongs to, or -1
};

// Every value name, switches first, then the templates and texts, then the
// hotkey codes.
std::span<const Setting> SettingCatalogue();

std::optional<Setting> FindSetting(std::u16string_view name);

// "Hotkey 0" to "Hotkey 9"; index must lie in 0..9.
std::u16string SnippetName(int index);

// The value that holds the hotkey code of a template: "H " and its name.
std::u16string HotkeyCodeName(std::u16string_view templateName);

// Name of the template value of a hotkey element (0..14).
std::optional<std::u16string> TemplateOfElement(int element);

}  // namespace tabwright
