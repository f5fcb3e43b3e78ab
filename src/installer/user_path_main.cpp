// tabwright-path.exe, run by the setup program and its uninstaller:
//   tabwright-path add FOLDER      FOLDER becomes the last entry of the user's Path
//   tabwright-path remove FOLDER   its entries are taken out again
//   tabwright-path holds FOLDER    exit status 0 when an entry names it, 3 when none does
// The value (HKCU\Environment "Path") keeps its type, REG_EXPAND_SZ for a new
// one, so that entries such as %USERPROFILE%\bin stay unexpanded. Written
// here rather than in the setup script, whose strings end at 1024 characters
// and would cut a longer Path. After a change every top-level window hears
// WM_SETTINGCHANGE "Environment", so that Explorer starts programs with the
// new Path. Exit status 0 done (also when nothing had to change), 1 the Path
// could not be read or written, 2 usage.
#include <windows.h>

#include <string>

#include "installer/path_entries.h"
#include "win32/handles.h"

namespace {

using tabwright::win32::UniqueKey;

constexpr wchar_t kEnvironmentKey[] = L"Environment";
constexpr wchar_t kPathValue[] = L"Path";

struct StoredPath {
    std::u16string text;
    DWORD type = REG_EXPAND_SZ;
};

bool Read(HKEY key, StoredPath& path) {
    for (DWORD size = 1024;;) {
        std::u16string data(size / sizeof(char16_t) + 1, u'\0');
        DWORD type = 0;
        const LSTATUS status = RegQueryValueExW(key, kPathValue, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_FILE_NOT_FOUND) return true;
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
        data.resize(size / sizeof(char16_t));
        while (!data.empty() && data.back() == u'\0') data.pop_back();
        path = {std::move(data), type};
        return true;
    }
}

bool Write(HKEY key, const StoredPath& path) {
    if (path.text.empty()) {
        const LSTATUS status = RegDeleteValueW(key, kPathValue);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    const auto size = static_cast<DWORD>((path.text.size() + 1) * sizeof(char16_t));
    return RegSetValueExW(key, kPathValue, 0, path.type, reinterpret_cast<const BYTE*>(path.text.c_str()), size) ==
           ERROR_SUCCESS;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc == 3 ? argv[1] : L"";
    if (verb != L"add" && verb != L"remove" && verb != L"holds") return 2;
    const std::u16string folder(reinterpret_cast<const char16_t*>(argv[2]));

    UniqueKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kEnvironmentKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS)
        return 1;
    StoredPath path;
    if (!Read(key.get(), path)) return 1;
    if (verb == L"holds") return tabwright::installer::HoldsEntry(path.text, folder) ? 0 : 3;
    const std::u16string changed = verb == L"add" ? tabwright::installer::WithEntry(path.text, folder)
                                                  : tabwright::installer::WithoutEntry(path.text, folder);
    if (changed == path.text) return 0;
    if (!Write(key.get(), {changed, path.type})) return 1;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(kEnvironmentKey),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    return 0;
}
