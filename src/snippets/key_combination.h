// A hotkey as the system sees it: a virtual-key code and four modifiers, and
// the keys each of the fifteen hotkey elements starts with.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "settings/hotkey_code.h"

namespace tabwright {

struct KeyCombination {
    int vkey = 0;
    bool win = false;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    friend bool operator==(const KeyCombination&, const KeyCombination&) = default;
};

// The keys of all fifteen elements in element order: Alt with the digit keys 1..9 and 0 for the snippets (plain digits would be
// taken from every other program), Ctrl+H, Ctrl+S, Ctrl+E, Shift+Left arrow
// and Shift+Right arrow for the rest.
std::span<const KeyCombination> BuiltInKeys();
// One element's built-in key; nothing outside 0..14.
std::optional<KeyCombination> BuiltInKey(int element);

// The key a decoded hotkey code stands for: the list position looked up in
// the key-name list.
std::optional<KeyCombination> CombinationOf(const Hotkey& key);

// What a stored code makes of an element's current key: a code that sets no
// hotkey (0 or less, unreadable, past the key list) leaves it unchanged.
KeyCombination ApplyHotkeyCode(std::u16string_view storedCode, const KeyCombination& current);

// "Ctrl+Alt+H", "Shift+LEFT ARROW": the modifiers, then the key's name from
// the key-name list, or its code for a key the list does not name.
std::u16string KeyCombinationText(const KeyCombination& keys);

}  // namespace tabwright
