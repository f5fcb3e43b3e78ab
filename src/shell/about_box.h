// frmAbout: the About box. Its texts come from the program's version
// resource; the description opens the home page, the disclaimer a mail to
// support, and a button starts the system information tool. One window at
// a time, not modal.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "shell/about_text.h"
#include "win32/handles.h"

namespace tabwright {

// The version resource of a module: product name as title, file
// description, trademarks, copyright and the file version's first three
// numbers. Empty texts and zeros where the resource has nothing.
VersionInfo ReadVersionInfo(HMODULE module);

// Reads one string value; true when the key and the value could be read.
// A value of another type reads as the empty text.
bool GetKeyValue(HKEY keyRoot, std::u16string_view keyName, std::u16string_view subKeyRef, std::u16string& keyVal);

// Starts the system information tool where the registry says it is, or
// tells the user it is unavailable.
void StartSysInfo(HWND owner, std::u16string_view title);

class frmAbout {
public:
    static constexpr int kPicIcon = 201;
    static constexpr int kLblTitle = 202;
    static constexpr int kLblVersion = 203;
    static constexpr int kLblDescription = 204;
    static constexpr int kLblDisclaimer = 205;
    static constexpr int kCmdOK = IDOK;
    static constexpr int kCmdSysInfo = 206;
    static constexpr int kLine1 = 207;

    // icon: the program's icon resource.
    frmAbout(HINSTANCE instance, HWND owner, VersionInfo info, int icon);
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    // Loads the window unless it is loaded, and brings it forward.
    void Show();
    bool Loaded() const { return static_cast<bool>(window_); }
    HWND Handle() const { return window_.get(); }

    // The window procedure's work, called through win32::ForwardingProc.
    LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:

    void CreateControls();
    void Form_Load();
    void lblDescription_Click();
    void lblDisclaimer_Click();
    void Open(const std::u16string& address);

    HWND Control(int id) const { return GetDlgItem(window_.get(), id); }

    HINSTANCE instance_;
    HWND owner_;
    VersionInfo info_;
    int iconId_;
    win32::UniqueFont font_;
    win32::UniqueFont titleFont_;
    win32::UniqueIcon icon_;
    win32::UniqueWindow window_;  // last: it goes first, before its fonts and icon
};

}  // namespace tabwright
