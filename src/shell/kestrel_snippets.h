// The main window's second job: the fifteen hotkeys, the Insert menu, the
// settings entries that open the settings dialog, and the About box. Plugs
// into Kestrel through its command and message tables.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/about_box.h"
#include "shell/kestrel.h"
#include "snippets/hotkey_control.h"
#include "snippets/settings_dialog.h"
#include "snippets/snippet_commands.h"
#include "snippets/windows_template_host.h"

namespace tabwright {

class KestrelSnippets final : private LogBox, private DialogHost {
public:
    // Applies the stored hotkey codes and registers the hotkeys while the
    // "Active" switch is on.
    explicit KestrelSnippets(Kestrel& kestrel);
    KestrelSnippets(const KestrelSnippets&) = delete;
    KestrelSnippets& operator=(const KestrelSnippets&) = delete;

    // Applies a stored code to hotkey element index; a code that sets no
    // hotkey leaves the element as it is.
    void Set_Hotkey(std::u16string_view code, int index);

private:
    void RegisterCommands();
    void OpenSettings(std::u16string_view name);
    // One message for every element that could not be registered.
    void VBHotKey1_Failure(const std::vector<CHotkeyControl::Failure>& failures);

    // LogBox
    std::u16string LogText() const override { return kestrel_.LogText(); }
    void ShowLog(std::u16string_view text) override { kestrel_.ShowLog(text); }
    // DialogHost
    std::u16string GetString(std::u16string_view name) override;
    void SaveString(std::u16string_view name, std::u16string_view value) override;
    void SetHotkey(int element, const KeyCombination& keys) override { VBHotKey1_.SetKeys(element, keys); }

    Kestrel& kestrel_;
    WindowsTemplateHost templates_;
    CHotkeyControl VBHotKey1_;
    SnippetCommands commands_;
    Dialog dialog_;
    frmAbout about_;
    // The setting the last settings entry chose.
    std::u16string SettingName;
};

}  // namespace tabwright
