#include "snippets/key_combination.h"

#include <array>

#include "snippets/key_names.h"

namespace tabwright {
namespace {

constexpr int kLeftArrow = 37;
constexpr int kRightArrow = 39;

constexpr KeyCombination Alt(int vkey) { return {vkey, false, false, false, true}; }
constexpr KeyCombination Ctrl(int vkey) { return {vkey, false, false, true, false}; }
constexpr KeyCombination Shift(int vkey) { return {vkey, false, true, false, false}; }

constexpr std::array<KeyCombination, 15> kBuiltIn{{
    Alt('1'), Alt('2'), Alt('3'), Alt('4'), Alt('5'), Alt('6'), Alt('7'), Alt('8'), Alt('9'), Alt('0'),
    Ctrl('H'), Ctrl('S'), Ctrl('E'),
    Shift(kLeftArrow), Shift(kRightArrow),
}};

std::u16string KeyText(int vkey) {
    if (const std::optional<int> position = KeyPosition(vkey)) {
        std::u16string_view name = KeyAt(*position)->name;
        constexpr std::u16string_view suffix = u" key";
        if (name.ends_with(suffix)) name.remove_suffix(suffix.size());
        return std::u16string(name);
    }
    std::u16string text(u"key code ");
    for (char c : std::to_string(vkey)) text.push_back(static_cast<char16_t>(c));
    return text;
}

}  // namespace

std::span<const KeyCombination> BuiltInKeys() { return kBuiltIn; }

std::optional<KeyCombination> BuiltInKey(int element) {
    if (element < 0 || element >= static_cast<int>(kBuiltIn.size())) return std::nullopt;
    return kBuiltIn[static_cast<std::size_t>(element)];
}

std::optional<KeyCombination> CombinationOf(const Hotkey& key) {
    const std::optional<int> vkey = KeyCodeAt(key.position);
    if (!vkey) return std::nullopt;
    return KeyCombination{*vkey, key.win, key.shift, key.ctrl, key.alt};
}

KeyCombination ApplyHotkeyCode(std::u16string_view storedCode, const KeyCombination& current) {
    const std::optional<Hotkey> key = ReadHotkeyCode(storedCode);
    const std::optional<KeyCombination> keys = key ? CombinationOf(*key) : std::nullopt;
    return keys.value_or(current);
}

std::u16string KeyCombinationText(const KeyCombination& keys) {
    std::u16string text;
    if (keys.ctrl) text += u"Ctrl+";
    if (keys.alt) text += u"Alt+";
    if (keys.shift) text += u"Shift+";
    if (keys.win) text += u"Win+";
    return text + KeyText(keys.vkey);
}

}  // namespace tabwright
