#include "snippets/dialog_logic.h"

#include "settings/setting_names.h"
#include "snippets/key_names.h"

namespace tabwright {
namespace {

int HotkeyIndexOf(std::u16string_view title) {
    const std::optional<Setting> setting = FindSetting(title);
    return setting && setting->form != SettingForm::HotkeyCode ? setting->hotkeyElement : -1;
}

}  // namespace

DialogContent OpenDialog(std::u16string_view settingName, const ReadValue& read) {
    DialogContent content;
    content.title = settingName;
    content.text = read(settingName);
    content.hotkeyIndex = HotkeyIndexOf(settingName);
    if (settingName == kIndentLeft) content.text = kIndentLeftNotice;
    if (settingName == kIndentRight) content.text = kIndentRightNotice;
    content.shown = ShowHotkeyCode(read(HotkeyCodeName(settingName)));
    return content;
}

Hotkey ShowHotkeyCode(std::u16string_view storedCode) { return ReadHotkeyCode(storedCode).value_or(Hotkey{}); }

Confirmation ConfirmDialog(const DialogContent& opened, std::u16string_view text, const Hotkey& chosen) {
    Confirmation confirmation;
    if (opened.HotkeyEnabled()) {
        const std::optional<int> code = EncodeHotkey(chosen);
        if (code) {
            confirmation.writes.emplace_back(HotkeyCodeName(opened.title), HotkeyCodeText(*code));
            const std::optional<Hotkey> decoded = DecodeHotkey(*code);
            const std::optional<KeyCombination> keys =
                decoded ? CombinationOf(*decoded) : BuiltInKey(opened.hotkeyIndex);
            if (keys) confirmation.hotkey.emplace(opened.hotkeyIndex, *keys);
        }
    }
    confirmation.writes.emplace_back(opened.title, text);
    return confirmation;
}

int KeyUpPosition(int vkey) { return KeyPosition(vkey).value_or(kKeyCount - 1); }

std::optional<int> EntryPosition(std::u16string_view text) {
    for (int position = 0; position < kKeyCount; ++position)
        if (KeyListEntry(position) == text) return position;
    return std::nullopt;
}

}  // namespace tabwright
