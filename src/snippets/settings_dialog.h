// Dialog: the window that edits one setting, a template with the hotkey
// that inserts it. It is not modal, and only one exists at a time: opening
// it again while it is shown brings it forward unchanged, still editing the
// setting it was opened for.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "snippets/dialog_logic.h"

#include "win32/handles.h"

namespace tabwright {

// What the dialog needs from the program: the settings store and the
// running hotkeys.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    virtual std::u16string GetString(std::u16string_view name) = 0;
    virtual void SaveString(std::u16string_view name, std::u16string_view value) = 0;
    virtual void SetHotkey(int element, const KeyCombination& keys) = 0;
};

class Dialog {
public:
    // Control identifiers; OK and Cancel answer Enter and Escape.
    static constexpr int kText1 = 101;
    static constexpr int kOKButton = IDOK;
    static constexpr int kCancelButton = IDCANCEL;
    static constexpr int kLabel1 = 102;
    static constexpr int kCheck1 = 110;  // to kCheck1 + 3: Win, Shift, Ctrl, Alt
    static constexpr int kCombo1 = 120;

    Dialog(HINSTANCE instance, HWND owner, DialogHost& host);
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Shows the dialog for a setting; loads it first unless it is loaded.
    void Open(std::u16string_view settingName);
    bool Loaded() const { return static_cast<bool>(window_); }
    HWND Handle() const { return window_.get(); }

    // The window procedure's work, called through win32::ForwardingProc.
    LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK KeyListProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);

    void CreateControls();
    void Form_Load(std::u16string_view settingName);
    void Show_Hotkey(const Hotkey& keys);
    Hotkey Def_Hotkey() const;
    void OKButton_Click();
    void CancelButton_Click();
    void Combo1_KeyUp(int keyCode);
    void Select(int position);
    void Unload();

    HWND Control(int id) const { return GetDlgItem(window_.get(), id); }
    bool Checked(int box) const;

    HINSTANCE instance_;
    HWND owner_;
    DialogHost& host_;
    win32::UniqueFont font_;
    win32::UniqueFont helpFont_;
    DialogContent content_;
    int selected_ = 0;         // the key list's last valid position
    BYTE keysDown_[256] = {};  // keys pressed while the key list had the focus
    win32::UniqueWindow window_;  // last: it goes first, before its fonts
};

}  // namespace tabwright
