#include "shell/kestrel_snippets.h"

#include "settings/regedit.h"
#include "settings/setting_names.h"
#include "shell/resource.h"
#include "win32/code_page.h"

namespace tabwright {
namespace {

// The settings entries of the Functions > Settings menu.
struct SettingsEntry {
    unsigned command;
    std::u16string_view name;
};
constexpr SettingsEntry kSettingsEntries[] = {
    {IDM_SET_HEADING, kHeading},
    {IDM_SET_START, kStartHeading},
    {IDM_SET_END, kEndHeading},
    {IDM_SET_VERSION, kVersionHeading},
    {IDM_SET_DESCRIPTION, kDescriptionHeading},
    {IDM_SET_FREE, kFreeHeading},
    {IDM_INDENTLEFT, kIndentLeft},
    {IDM_INDENTRIGHT, kIndentRight},
};

// Start-up applies the heading codes first, then the snippets', then the
// block shift's, which the settings dialog stores like the others.
constexpr int kStartUpOrder[] = {kHeadingElement, kStartHeadingElement, kEndHeadingElement, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9,
                                  kIndentLeftElement, kIndentRightElement};

}  // namespace

KestrelSnippets::KestrelSnippets(Kestrel& kestrel)
    : kestrel_(kestrel),
      VBHotKey1_(kestrel.Handle(), BuiltInKeys()),
      commands_(kestrel.Handle(), kestrel.HostFormat(), templates_, *this),
      dialog_(GetModuleHandleW(nullptr), kestrel.Handle(), *this),
      about_(GetModuleHandleW(nullptr), kestrel.Handle(), ReadVersionInfo(GetModuleHandleW(nullptr)), IDI_TABWRIGHT) {
    VBHotKey1_.OnPress([this](int index) { commands_.VBHotKey1_Press(index, kestrel_.Checked(Switch::Active)); });
    VBHotKey1_.OnFailure([this](const std::vector<CHotkeyControl::Failure>& failures) { VBHotKey1_Failure(failures); });
    kestrel_.On(WM_HOTKEY, [this](WPARAM id, LPARAM) {
        VBHotKey1_.HotkeyMessage(id);
        return LRESULT{0};
    });
    // While "Active" is off the keys belong to the other programs.
    kestrel_.OnSwitch([this](Switch which, bool on) {
        if (which == Switch::Active) VBHotKey1_.SetActive(on);
    });
    RegisterCommands();

    for (int element : kStartUpOrder)
        if (const std::optional<std::u16string> name = TemplateOfElement(element))
            Set_Hotkey(GetString(HotkeyCodeName(*name)), element);
    VBHotKey1_.SetActive(kestrel_.Checked(Switch::Active));
}

void KestrelSnippets::Set_Hotkey(std::u16string_view code, int index) {
    VBHotKey1_.SetKeys(index, ApplyHotkeyCode(code, VBHotKey1_.Keys(index)));
}

void KestrelSnippets::RegisterCommands() {
    CommandTable& commands = kestrel_.Commands();
    commands.Add(IDM_INSERT_HEADING, [this] { commands_.Insert_Heading_Click(); });
    commands.Add(IDM_INSERT_START, [this] { commands_.Insert_Start_Click(); });
    commands.Add(IDM_INSERT_END, [this] { commands_.Insert_End_Click(); });
    commands.AddRange(IDM_INSERT_HOTKEY0, kSnippetCount, [this](int index) { commands_.Insert_Hotkey_Click(index); });
    for (const SettingsEntry& entry : kSettingsEntries)
        commands.Add(entry.command, [this, name = entry.name] { OpenSettings(name); });
    commands.AddRange(IDM_HOTKEYS0, kSnippetCount, [this](int index) { OpenSettings(SnippetName(index)); });
    commands.Add(IDM_OM, [this] { about_.Show(); });
}

void KestrelSnippets::OpenSettings(std::u16string_view name) {
    // A dialog already open keeps editing the setting it was opened for.
    SettingName = name;
    dialog_.Open(SettingName);
}

void KestrelSnippets::VBHotKey1_Failure(const std::vector<CHotkeyControl::Failure>& failures) {
    // One box for all: another program holding the keys refuses them all at once.
    std::u16string text;
    for (const CHotkeyControl::Failure& failure : failures)
        text += (text.empty() ? u"" : u"\r\n") + DecimalText(failure.index) + u", " + failure.keys + u", " + failure.error;
    MessageBoxW(kestrel_.Handle(), win32::Wide(text), Kestrel::kCaption, MB_OK);
}

std::u16string KestrelSnippets::GetString(std::u16string_view name) {
    return Regedit::GetString(HKEY_CURRENT_USER, kProgramKey, name);
}

void KestrelSnippets::SaveString(std::u16string_view name, std::u16string_view value) {
    Regedit::SaveString(HKEY_CURRENT_USER, kProgramKey, name, value);
}

}  // namespace tabwright
