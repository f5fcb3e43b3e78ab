#include "snippets/windows_template_host.h"

#include <windows.h>
#include <winnetwk.h>

#include "settings/regedit.h"
#include "settings/setting_names.h"
#include "win32/code_page.h"

namespace tabwright {
namespace {

std::u16string FromBuffer(const wchar_t* text, int written) {
    // The written length counts the closing NUL; 0 means the call failed.
    return written > 0 ? std::u16string(text, text + written - 1) : std::u16string();
}

}  // namespace

WindowsTemplateHost::WindowsTemplateHost() : files_(win32::FromAnsi) {}

std::u16string WindowsTemplateHost::Date() {
    wchar_t text[128] = {};
    return FromBuffer(text, GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 128,
                                            nullptr));
}

std::u16string WindowsTemplateHost::Time() {
    wchar_t text[128] = {};
    return FromBuffer(text, GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text, 128));
}

std::u16string WindowsTemplateHost::User() {
    wchar_t name[256] = {};
    DWORD length = 255;
    if (WNetGetUserW(nullptr, name, &length) != NO_ERROR) return {};
    name[255] = L'\0';
    return std::u16string(name, name + wcslen(name));
}

std::u16string WindowsTemplateHost::GetString(std::u16string_view valueName) {
    return Regedit::GetString(HKEY_CURRENT_USER, kProgramKey, valueName);
}

}  // namespace tabwright
