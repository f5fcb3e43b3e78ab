#include "snippets/hotkey_control.h"

#include <string>

namespace tabwright {
namespace {

UINT Modifiers(const KeyCombination& keys) {
    // A key held down raises one press, not one per repeat.
    UINT modifiers = MOD_NOREPEAT;
    if (keys.win) modifiers |= MOD_WIN;
    if (keys.shift) modifiers |= MOD_SHIFT;
    if (keys.ctrl) modifiers |= MOD_CONTROL;
    if (keys.alt) modifiers |= MOD_ALT;
    return modifiers;
}

}  // namespace

CHotkeyControl::CHotkeyControl(HWND window, std::span<const KeyCombination> keys, int firstId)
    : window_(window), firstId_(firstId) {
    elements_.reserve(keys.size());
    for (const KeyCombination& key : keys) elements_.push_back({key});
}

CHotkeyControl::~CHotkeyControl() {
    for (int index = 0; index < Count(); ++index) Unregister(index);
}

void CHotkeyControl::set_vkey(int index, int vkey) { Edit(index, &KeyCombination::vkey, vkey); }
void CHotkeyControl::set_winkey(int index, bool on) { Edit(index, &KeyCombination::win, on); }
void CHotkeyControl::set_shiftkey(int index, bool on) { Edit(index, &KeyCombination::shift, on); }
void CHotkeyControl::set_ctrlkey(int index, bool on) { Edit(index, &KeyCombination::ctrl, on); }
void CHotkeyControl::set_altkey(int index, bool on) { Edit(index, &KeyCombination::alt, on); }

void CHotkeyControl::SetKeys(int index, const KeyCombination& keys) { Change(index, keys); }

void CHotkeyControl::Change(int index, const KeyCombination& keys) {
    Element& element = elements_.at(static_cast<std::size_t>(index));
    if (element.keys == keys && (element.registered || !active_)) return;
    Unregister(index);
    element.keys = keys;
    if (!active_) return;
    std::vector<Failure> failures;
    Register(index, failures);
    Report(failures);
}

void CHotkeyControl::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    std::vector<Failure> failures;
    for (int index = 0; index < Count(); ++index) {
        if (active)
            Register(index, failures);
        else
            Unregister(index);
    }
    Report(failures);
}

void CHotkeyControl::Register(int index, std::vector<Failure>& failures) {
    Element& element = elements_[static_cast<std::size_t>(index)];
    if (element.keys.vkey <= 0) return;
    element.registered =
        RegisterHotKey(window_, Id(index), Modifiers(element.keys), static_cast<UINT>(element.keys.vkey));
    if (!element.registered)
        failures.push_back({index, KeyCombinationText(element.keys), SystemErrorText(GetLastError())});
}

void CHotkeyControl::Report(const std::vector<Failure>& failures) const {
    if (!failures.empty() && onFailure_) onFailure_(failures);
}

void CHotkeyControl::Unregister(int index) {
    Element& element = elements_[static_cast<std::size_t>(index)];
    if (!element.registered) return;
    UnregisterHotKey(window_, Id(index));
    element.registered = false;
}

bool CHotkeyControl::HotkeyMessage(WPARAM id) {
    const auto index = static_cast<long long>(id) - firstId_;
    if (index < 0 || index >= Count()) return false;
    if (onPress_) onPress_(static_cast<int>(index));
    return true;
}

std::u16string SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text(buffer, buffer + length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
    if (!text.empty()) return text;
    text = u"Error ";
    for (char c : std::to_string(error)) text.push_back(static_cast<char16_t>(c));
    return text;
}

}  // namespace tabwright
