#include "settings/autostart.h"

#include <windows.h>

#include "settings/regedit.h"
#include "settings/setting_names.h"

namespace tabwright {

std::u16string AutostartCommand(std::u16string_view programFolder) {
    std::u16string folder(programFolder);
    // A drive's root comes with its backslash ("C:\"); no doubled one.
    if (!folder.empty() && folder.back() == u'\\') folder.pop_back();
    return u"\"" + folder + u"\\" + std::u16string(kRunProgramFile) + u"\"";
}

std::u16string ProgramFolder() {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
    const std::size_t slash = path.find_last_of(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

bool AutostartEnabled() { return !Regedit::GetString(HKEY_CURRENT_USER, kRunKey, kRunValue).empty(); }

void SetAutostart(bool enabled) {
    Regedit::SaveString(HKEY_CURRENT_USER, kRunKey, kRunValue, enabled ? AutostartCommand(ProgramFolder()) : u"");
}

}  // namespace tabwright
