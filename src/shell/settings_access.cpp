#include "shell/settings_access.h"

#include <windows.h>

#include <vector>

#include "settings/setting_names.h"

namespace tabwright {
namespace {

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string Read(const std::wstring& key, const std::wstring& name) {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS)
        return {};
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1);
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes) !=
        ERROR_SUCCESS)
        return {};
    const std::wstring text(buffer.data());
    return std::u16string(text.begin(), text.end());
}

void Write(const std::wstring& key, const std::wstring& name, std::u16string_view value) {
    const std::wstring data = Wide(value);
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, data.c_str(),
                    static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::u16string ReadSetting(std::u16string_view name) { return Read(Wide(kProgramKey), Wide(name)); }

void WriteSetting(std::u16string_view name, std::u16string_view value) {
    Write(Wide(kProgramKey), Wide(name), value);
}

std::u16string ReadRunEntry() { return Read(Wide(kRunKey), Wide(kRunValue)); }

void WriteRunEntry(std::u16string_view value) { Write(Wide(kRunKey), Wide(kRunValue), value); }

std::u16string AutostartCommand() {
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    std::u16string folder(path.begin(), path.begin() + length);
    const std::size_t slash = folder.find_last_of(u'\\');
    folder.erase(slash == std::u16string::npos ? 0 : slash);
    return RunEntryText(folder);
}

}  // namespace tabwright
