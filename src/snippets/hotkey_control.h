// The program's system-wide hotkeys: a row of elements, each a virtual key
// and four modifiers registered with Windows against the program's window.
// Every property can be changed at any time; a registered element is
// registered again with its new keys at once. The owner window passes its
// WM_HOTKEY messages to HotkeyMessage.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "snippets/key_combination.h"

namespace tabwright {

class CHotkeyControl {
public:
    using PressHandler = std::function<void(int index)>;
    // An element whose keys Windows refused: its keys as text and the
    // system's reason.
    struct Failure {
        int index;
        std::u16string keys;
        std::u16string error;
    };
    // Every element that one change could not register, told at once.
    using FailureHandler = std::function<void(const std::vector<Failure>& failures)>;

    // The elements start with these keys, unregistered until SetActive(true).
    // firstId: the hotkey identifier of element 0; the others follow it.
    CHotkeyControl(HWND window, std::span<const KeyCombination> keys, int firstId = 1);
    ~CHotkeyControl();
    CHotkeyControl(const CHotkeyControl&) = delete;
    CHotkeyControl& operator=(const CHotkeyControl&) = delete;

    int Count() const { return static_cast<int>(elements_.size()); }

    int vkey(int index) const { return Keys(index).vkey; }
    bool winkey(int index) const { return Keys(index).win; }
    bool shiftkey(int index) const { return Keys(index).shift; }
    bool ctrlkey(int index) const { return Keys(index).ctrl; }
    bool altkey(int index) const { return Keys(index).alt; }
    void set_vkey(int index, int vkey);
    void set_winkey(int index, bool on);
    void set_shiftkey(int index, bool on);
    void set_ctrlkey(int index, bool on);
    void set_altkey(int index, bool on);

    const KeyCombination& Keys(int index) const { return elements_.at(static_cast<std::size_t>(index)).keys; }
    // Changes the key and all modifiers together, so that no combination in
    // between is ever registered.
    void SetKeys(int index, const KeyCombination& keys);

    // Inactive, nothing is registered and every key reaches the other
    // programs; activating registers every element again.
    void SetActive(bool active);
    bool Active() const { return active_; }
    // Whether Windows holds the element's keys for this window now.
    bool Registered(int index) const { return elements_.at(static_cast<std::size_t>(index)).registered; }

    void OnPress(PressHandler handler) { onPress_ = std::move(handler); }
    void OnFailure(FailureHandler handler) { onFailure_ = std::move(handler); }

    // Raises the press event for an identifier of this control; false for
    // any other identifier.
    bool HotkeyMessage(WPARAM id);

private:
    struct Element {
        KeyCombination keys;
        bool registered = false;
    };

    void Change(int index, const KeyCombination& keys);
    template <typename Value>
    void Edit(int index, Value KeyCombination::*property, Value value) {
        KeyCombination keys = Keys(index);
        keys.*property = value;
        Change(index, keys);
    }
    // Adds the element to failures when Windows refuses its keys.
    void Register(int index, std::vector<Failure>& failures);
    void Unregister(int index);
    void Report(const std::vector<Failure>& failures) const;
    int Id(int index) const { return firstId_ + index; }

    HWND window_;
    int firstId_;
    bool active_ = false;
    std::vector<Element> elements_;
    PressHandler onPress_;
    FailureHandler onFailure_;
};

// The system's text for an error code, without the line break it ends with.
std::u16string SystemErrorText(DWORD error);

}  // namespace tabwright
