#include "shell/settings_access.h"

#include <windows.h>

#include <vector>

namespace tabwright {
namespace {

constexpr wchar_t kProgramKey[] = L"Software\\Quillmark";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Quillmark";

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string Read(const wchar_t* key, const std::wstring& name) {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return {};
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1);
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, key, name.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes) !=
        ERROR_SUCCESS)
        return {};
    const std::wstring text(buffer.data());
    return std::u16string(text.begin(), text.end());
}

void Write(const wchar_t* key, const std::wstring& name, std::u16string_view value) {
    const std::wstring data = Wide(value);
    RegSetKeyValueW(HKEY_CURRENT_USER, key, name.c_str(), REG_SZ, data.c_str(),
                    static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::u16string ReadSetting(std::u16string_view name) { return Read(kProgramKey, Wide(name)); }

void WriteSetting(std::u16string_view name, std::u16string_view value) { Write(kProgramKey, Wide(name), value); }

std::u16string ReadRunEntry() { return Read(kRunKey, kRunValue); }

void WriteRunEntry(std::u16string_view value) { Write(kRunKey, kRunValue, value); }

std::u16string AutostartCommand() {
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    std::wstring folder(path.data(), length);
    folder.erase(folder.find_last_of(L'\\') == std::wstring::npos ? 0 : folder.find_last_of(L'\\'));
    const std::wstring command = L"\"" + folder + L"\\Tabwright.exe\"";
    return std::u16string(command.begin(), command.end());
}

}  // namespace tabwright
