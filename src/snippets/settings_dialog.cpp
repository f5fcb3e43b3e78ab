#include "snippets/settings_dialog.h"

#include <commctrl.h>

#include <array>

#include "snippets/key_names.h"
#include "win32/code_page.h"
#include "win32/fixed_window.h"

namespace tabwright {
namespace {

using win32::Wide;

constexpr wchar_t kClassName[] = L"TabwrightDialog";

// Where the controls stand, in twips.
constexpr TwipRect kClientArea{0, 0, 6495, 3360};
constexpr TwipRect kText1Place{120, 120, 4575, 2655};
constexpr TwipRect kOKPlace{4800, 120, 1575, 375};
constexpr TwipRect kCancelPlace{4800, 600, 1575, 375};
constexpr TwipRect kLabel1Place{4800, 1080, 1575, 1575};
constexpr std::array<TwipRect, 4> kCheckPlaces{{{120, 2880, 615, 375}, {840, 2880, 615, 375}, {1560, 2880, 615, 375},
                                              {2160, 2880, 615, 375}}};
constexpr TwipRect kCombo1Place{2760, 2940, 3615, 315};
// The drop-down part of the key list, below its edit field.
constexpr int kKeyListDropTwips = 3000;
constexpr std::array<const wchar_t*, 4> kCheckCaptions{L"Win", L"Shift", L"Ctrl", L"Alt"};
constexpr std::u16string_view kModifierWithoutKey =
    u"Choose the key for this hotkey in the list, or untick Win, Shift, Ctrl and Alt to keep the built-in key.";

}  // namespace

Dialog::Dialog(HINSTANCE instance, HWND owner, DialogHost& host) : instance_(instance), owner_(owner), host_(host) {}

void Dialog::Open(std::u16string_view settingName) {
    win32::ShowFixedWindow(window_, [&] {
        window_.reset(win32::CreateFixedWindow(instance_, kClassName, win32::ForwardingProc<Dialog>, owner_,
                                               kClientArea.width, kClientArea.height, this));
        if (!window_) return false;
        CreateControls();
        Form_Load(settingName);
        return true;
    });
}

void Dialog::CreateControls() {
    if (!font_) font_ = win32::MessageFont(win32::WindowDpi());
    // The help text is long for its corner: a smaller font lets it fit.
    if (!helpFont_) helpFont_ = win32::MessageFont(win32::WindowDpi(), 85);
    auto make = [this](DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int id,
                       const TwipRect& at, int extraHeight = 0) {
        return win32::CreateChild(Handle(), exStyle, cls, text, style, id, at, font_.get(), extraHeight);
    };
    make(WS_EX_CLIENTEDGE, L"EDIT", L"",
         WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, kText1, kText1Place);
    make(0, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kOKButton, kOKPlace);
    make(0, L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, kCancelButton, kCancelPlace);
    HWND help = make(0, L"STATIC", Wide(std::u16string(kPlaceholderHelp)), SS_LEFT | SS_NOPREFIX, kLabel1, kLabel1Place);
    SendMessageW(help, WM_SETFONT, reinterpret_cast<WPARAM>(helpFont_.get()), FALSE);
    for (int box = 0; box < 4; ++box)
        make(0, L"BUTTON", kCheckCaptions[static_cast<std::size_t>(box)], WS_TABSTOP | BS_AUTOCHECKBOX,
             kCheck1 + box, kCheckPlaces[static_cast<std::size_t>(box)]);
    HWND combo = make(0, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, kCombo1,
                      kCombo1Place, TwipsToPixels(kKeyListDropTwips, win32::WindowDpi()));

    // Keys released in the key list's edit field choose the key.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(combo, &info) && info.hwndItem)
        SetWindowSubclass(info.hwndItem, KeyListProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void Dialog::Form_Load(std::u16string_view settingName) {
    content_ = OpenDialog(settingName, [this](std::u16string_view name) { return host_.GetString(name); });
    SetWindowTextW(Handle(), Wide(content_.title));
    SetWindowTextW(Control(kText1), Wide(content_.text));
    // def_listview: the key-name list.
    for (int position = 0; position < kKeyCount; ++position)
        SendMessageW(Control(kCombo1), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(KeyListEntry(position))));
    Show_Hotkey(content_.shown);
    if (!content_.HotkeyEnabled()) {
        for (int box = 0; box < 4; ++box) EnableWindow(Control(kCheck1 + box), FALSE);
        EnableWindow(Control(kCombo1), FALSE);
    }
    SetFocus(Control(kText1));
}

void Dialog::Show_Hotkey(const Hotkey& keys) {
    const std::array<bool, 4> boxes{keys.win, keys.shift, keys.ctrl, keys.alt};
    for (int box = 0; box < 4; ++box)
        SendMessageW(Control(kCheck1 + box), BM_SETCHECK, boxes[static_cast<std::size_t>(box)] ? BST_CHECKED : BST_UNCHECKED,
                     0);
    Select(keys.position);
}

Hotkey Dialog::Def_Hotkey() const {
    // A text typed into the list that names no key keeps the last key chosen.
    const int position = EntryPosition(win32::WindowText(Control(kCombo1))).value_or(selected_);
    return Hotkey{position, Checked(0), Checked(1), Checked(2), Checked(3)};
}

void Dialog::OKButton_Click() {
    const Hotkey chosen = Def_Hotkey();
    // The list's first entry is the mouse button: with a modifier the code
    // would name no key the keyboard has, and the hotkey would stop working.
    if (content_.HotkeyEnabled() && chosen.position == 0 && (chosen.win || chosen.shift || chosen.ctrl || chosen.alt)) {
        MessageBoxW(Handle(), Wide(std::u16string(kModifierWithoutKey)), Wide(win32::WindowText(owner_)),
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const Confirmation confirmation = ConfirmDialog(content_, win32::WindowText(Control(kText1)), chosen);
    for (const auto& [name, value] : confirmation.writes) host_.SaveString(name, value);
    if (confirmation.hotkey) host_.SetHotkey(confirmation.hotkey->first, confirmation.hotkey->second);
    Unload();
}

void Dialog::CancelButton_Click() { Unload(); }

void Dialog::Combo1_KeyUp(int keyCode) { Select(KeyUpPosition(keyCode)); }

void Dialog::Select(int position) {
    SendMessageW(Control(kCombo1), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    selected_ = position;
}

void Dialog::Unload() { window_.reset(); }

bool Dialog::Checked(int box) const {
    return SendMessageW(Control(kCheck1 + box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

LRESULT Dialog::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kOKButton: OKButton_Click(); return 0;
        case kCancelButton: CancelButton_Click(); return 0;
        case kCombo1:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                const LRESULT position = SendMessageW(Control(kCombo1), CB_GETCURSEL, 0, 0);
                if (position >= 0) selected_ = static_cast<int>(position);
            }
            return 0;
        default: return 0;
        }
    case WM_CLOSE:
        CancelButton_Click();
        return 0;
    case WM_NCDESTROY:
        window_.release();
        std::fill(std::begin(keysDown_), std::end(keysDown_), BYTE{0});
        return DefWindowProcW(window, message, wParam, lParam);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK Dialog::KeyListProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Dialog*>(data);
    const auto key = static_cast<std::size_t>(wParam & 0xFF);
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        self->keysDown_[key] = 1;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // Only keys pressed here: the Tab that brought the focus in is not a
        // choice.
        if (self->keysDown_[key]) {
            self->keysDown_[key] = 0;
            self->Combo1_KeyUp(static_cast<int>(wParam));
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, KeyListProc, 1);
        break;
    default: break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace tabwright
