#include "shell/about_box.h"

#include <shellapi.h>

#include <array>
#include <vector>

#include "win32/code_page.h"
#include "win32/fixed_window.h"

namespace tabwright {
namespace {

using win32::Wide;

constexpr wchar_t kClassName[] = L"TabwrightAbout";

// Where the controls stand, in twips.
constexpr TwipRect kClientArea{0, 0, 6015, 3990};
constexpr TwipRect kPicIconPlace{240, 240, 540, 540};
constexpr TwipRect kLblTitlePlace{1050, 240, 4725, 480};
constexpr TwipRect kLblVersionPlace{1050, 780, 4725, 255};
constexpr TwipRect kLblDescriptionPlace{1050, 1125, 4725, 1050};
constexpr TwipRect kLine1Place{120, 2340, 5775, 30};
constexpr TwipRect kLblDisclaimerPlace{240, 2580, 4125, 1260};
constexpr TwipRect kCmdOKPlace{4560, 2580, 1260, 375};
constexpr TwipRect kCmdSysInfoPlace{4560, 3060, 1260, 375};

std::u16string FromWide(const wchar_t* text) { return text ? std::u16string(text, text + wcslen(text)) : u""; }

std::u16string VersionString(const std::vector<BYTE>& block, const std::wstring& language, const wchar_t* name) {
    const std::wstring path = L"\\StringFileInfo\\" + language + L"\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value || length == 0) return u"";
    return FromWide(static_cast<const wchar_t*>(value));
}

// Starts a program with a normal, focused window; false when it cannot.
bool StartProgram(const std::u16string& path) {
    if (path.empty()) return false;
    std::wstring command = L"\"" + std::wstring(path.begin(), path.end()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool IsFile(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

VersionInfo ReadVersionInfo(HMODULE module) {
    VersionInfo info;
    wchar_t file[MAX_PATH] = {};
    if (!GetModuleFileNameW(module, file, MAX_PATH)) return info;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0) return info;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(file, 0, size, block.data())) return info;

    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.revision = HIWORD(fixed->dwFileVersionLS);
    }
    // The strings of the first language the resource lists.
    std::wstring language = L"040904B0";
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
        const auto* pair = static_cast<const WORD*>(value);
        wchar_t text[9] = {};
        wsprintfW(text, L"%04x%04x", pair[0], pair[1]);
        language = text;
    }
    info.title = VersionString(block, language, L"ProductName");
    info.description = VersionString(block, language, L"FileDescription");
    info.trademarks = VersionString(block, language, L"LegalTrademarks");
    info.copyright = VersionString(block, language, L"LegalCopyright");
    return info;
}

bool GetKeyValue(HKEY keyRoot, std::u16string_view keyName, std::u16string_view subKeyRef, std::u16string& keyVal) {
    keyVal.clear();
    const std::wstring key(keyName.begin(), keyName.end());
    const std::wstring value(subKeyRef.begin(), subKeyRef.end());
    // Reading is all this needs; asking for more fails for users who may not
    // change the machine's settings.
    win32::UniqueKey handle;
    if (RegOpenKeyExW(keyRoot, key.c_str(), 0, KEY_QUERY_VALUE, handle.Receive()) != ERROR_SUCCESS) return false;
    std::array<wchar_t, 1024> buffer{};
    DWORD type = 0;
    DWORD bytes = sizeof buffer;
    if (RegQueryValueExW(handle.get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &bytes) != ERROR_SUCCESS)
        return false;
    if (type == REG_SZ) {
        std::u16string text(buffer.data(), buffer.data() + bytes / sizeof(wchar_t));
        keyVal = text.substr(0, text.find(u'\0'));
    }
    return true;
}

void StartSysInfo(HWND owner, std::u16string_view title) {
    std::u16string path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH", path)) {
        if (StartProgram(path)) return;
    } else if (GetKeyValue(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Shared Tools Location", u"MSINFO", path)) {
        path += u"\\MSINFO32.EXE";
        if (IsFile(path) && StartProgram(path)) return;
    }
    const std::u16string caption(title);
    MessageBoxW(owner, Wide(std::u16string(kSysInfoUnavailable)), Wide(caption), MB_OK);
}

frmAbout::frmAbout(HINSTANCE instance, HWND owner, VersionInfo info, int icon)
    : instance_(instance), owner_(owner), info_(std::move(info)), iconId_(icon) {}

void frmAbout::Show() {
    win32::ShowFixedWindow(window_, [this] {
        window_.reset(win32::CreateFixedWindow(instance_, kClassName, win32::ForwardingProc<frmAbout>, owner_,
                                               kClientArea.width, kClientArea.height, this));
        if (!window_) return false;
        CreateControls();
        Form_Load();
        return true;
    });
}

void frmAbout::CreateControls() {
    if (!font_) font_ = win32::MessageFont(win32::WindowDpi());
    if (!titleFont_) titleFont_ = win32::MessageFont(win32::WindowDpi(), 150, true);
    if (!icon_)
        icon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(iconId_), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    auto make = [this](const wchar_t* cls, const wchar_t* text, DWORD style, int id, const TwipRect& at, HFONT font) {
        return win32::CreateChild(Handle(), 0, cls, text, style, id, at, font);
    };
    HWND picture = make(L"STATIC", L"", SS_ICON, kPicIcon, kPicIconPlace, font_.get());
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
    make(L"STATIC", L"Application Title", SS_NOPREFIX, kLblTitle, kLblTitlePlace, titleFont_.get());
    make(L"STATIC", L"Version", SS_NOPREFIX, kLblVersion, kLblVersionPlace, font_.get());
    make(L"STATIC", L"App Description", SS_NOPREFIX | SS_NOTIFY, kLblDescription, kLblDescriptionPlace, font_.get());
    make(L"STATIC", L"", SS_ETCHEDHORZ, kLine1, kLine1Place, font_.get());
    make(L"STATIC", L"Warning: ...", SS_NOPREFIX | SS_NOTIFY, kLblDisclaimer, kLblDisclaimerPlace, font_.get());
    make(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kCmdOK, kCmdOKPlace, font_.get());
    make(L"BUTTON", L"&System Info...", WS_TABSTOP | BS_PUSHBUTTON, kCmdSysInfo, kCmdSysInfoPlace, font_.get());
}

void frmAbout::Form_Load() {
    SetWindowTextW(Handle(), Wide(AboutCaption(info_)));
    SetWindowTextW(Control(kLblVersion), Wide(VersionLine(info_)));
    SetWindowTextW(Control(kLblTitle), Wide(info_.title));
    SetWindowTextW(Control(kLblDescription), Wide(DescriptionText(info_)));
    SetWindowTextW(Control(kLblDisclaimer), Wide(DisclaimerText(info_)));
    SetFocus(Control(kCmdOK));
}

void frmAbout::lblDescription_Click() { Open(std::u16string(kHomePage)); }

void frmAbout::lblDisclaimer_Click() { Open(MailtoAddress()); }

void frmAbout::Open(const std::u16string& address) {
    // Nothing to tell the user when no browser or mail program answers.
    ShellExecuteW(Handle(), L"Open", Wide(address), nullptr, L"C:\\", SW_SHOWNORMAL);
}

LRESULT frmAbout::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kCmdOK:
        case IDCANCEL: DestroyWindow(window); return 0;
        case kCmdSysInfo: StartSysInfo(window, info_.title); return 0;
        case kLblDescription:
            if (HIWORD(wParam) == STN_CLICKED) lblDescription_Click();
            return 0;
        case kLblDisclaimer:
            if (HIWORD(wParam) == STN_CLICKED) lblDisclaimer_Click();
            return 0;
        default: return 0;
        }
    case WM_SETCURSOR: {
        // The two labels that open something show the link cursor.
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
        if (id == kLblDescription || id == kLblDisclaimer) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_NCDESTROY:
        window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace tabwright
