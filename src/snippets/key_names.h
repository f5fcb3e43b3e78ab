// The 99 keys a hotkey can use, in ascending order of virtual-key code. A
// stored hotkey code holds a position in this list, not a key code.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabwright {

inline constexpr int kKeyCount = 99;

struct KeyName {
    int code;  // Windows virtual-key code
    std::u16string_view name;
};

// The key at a position 0..98; nothing outside the list.
std::optional<KeyName> KeyAt(int position);

// The list entry as shown to the user: the code right-aligned in three
// characters, " - " and the name, e.g. " 72 - H key".
std::u16string KeyListEntry(int position);

// Virtual-key code of the key at a position.
std::optional<int> KeyCodeAt(int position);

// Position of the first entry with this virtual-key code.
std::optional<int> KeyPosition(int code);

}  // namespace tabwright
