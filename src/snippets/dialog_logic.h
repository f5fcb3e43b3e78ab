// What the settings dialog shows when it opens for a setting, and what
// confirming it stores and applies. The window around it only moves these
// values in and out of its controls.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/hotkey_code.h"
#include "snippets/key_combination.h"

namespace tabwright {

inline constexpr std::u16string_view kPlaceholderHelp =
    u"%Date% = Date %Time% = Time %Ver% = Version %User% = UserId %Des% = Description %Free% = Free to use "
    u"%File%\"Filename\" = insert file";
inline constexpr std::u16string_view kIndentLeftNotice = u"This textbox if not for use only the hotkey to Indent Left";
inline constexpr std::u16string_view kIndentRightNotice =
    u"This textbox if not for use only the hotkey to Indent Right";

using ReadValue = std::function<std::u16string(std::u16string_view name)>;

struct DialogContent {
    std::u16string title;  // the setting's name
    std::u16string text;   // the template text box
    int hotkeyIndex = -1;  // the hotkey element; -1: the hotkey part is disabled
    Hotkey shown;          // the modifier boxes and the key list's position

    bool HotkeyEnabled() const { return hotkeyIndex >= 0; }
};

// Form_Load for the setting: its stored text and its stored hotkey code.
DialogContent OpenDialog(std::u16string_view settingName, const ReadValue& read);

// Show_Hotkey: the boxes and list position for a stored code. A code that
// sets no hotkey shows no modifier and the first key.
Hotkey ShowHotkeyCode(std::u16string_view storedCode);

struct Confirmation {
    // Registry values to write, in order: the hotkey code, then the text.
    std::vector<std::pair<std::u16string, std::u16string>> writes;
    // The hotkey element and the keys it takes at once.
    std::optional<std::pair<int, KeyCombination>> hotkey;
};

// OK: the text and, unless the hotkey part is disabled, the code built from
// the boxes and the list. The running hotkey takes key and modifiers of the
// new code together, and the element's built-in key for a code that sets no
// hotkey: the same keys the next start will give it.
Confirmation ConfirmDialog(const DialogContent& opened, std::u16string_view text, const Hotkey& chosen);

// The key list's position after a key is released in it: the first entry of
// the key's code, or the last entry when the list has none.
int KeyUpPosition(int vkey);

// The entry a text typed into the key list names; nothing when it names none.
std::optional<int> EntryPosition(std::u16string_view text);

}  // namespace tabwright
