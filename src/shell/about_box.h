// frmAbout: the About box. Its texts come from the program's version
// resource; the description opens the home page, the disclaimer a mail to
// support, and a button starts the system information tool. One window at
// a time, not modal.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "shell/about_text.h"

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
    ~frmAbout();
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    // Loads the window unless it is loaded, and brings it forward.
    void Show();
    bool Loaded() const { return hwnd_ != nullptr; }
    HWND Handle() const { return hwnd_; }

    // The window procedure's work, called through win32::ForwardingProc.
    LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:

    bool Create();
    void CreateControls();
    void Form_Load();
    void lblDescription_Click();
    void lblDisclaimer_Click();
    void Open(const std::u16string& address);

    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

    HINSTANCE instance_;
    HWND owner_;
    VersionInfo info_;
    int iconId_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    HFONT titleFont_ = nullptr;
    HICON icon_ = nullptr;
};

}  // namespace tabwright
