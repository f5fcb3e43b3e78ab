#include "settings/regedit.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "settings/decimal_text.h"
#include "win32/handles.h"
#include "win32/code_page.h"

namespace tabwright::Regedit {
namespace {

std::u16string QueryText(HKEY key, const char* name, DWORD size) {
    if (size == 0) return {};
    std::string buffer(size, '\0');
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    buffer.resize(std::min<std::size_t>(size, buffer.size()));
    return win32::FromAnsi(std::string_view(buffer.data(), std::min(buffer.find('\0'), buffer.size())));
}

std::u16string QueryTwoByteNumber(HKEY key, const char* name, DWORD size) {
    // Values of other lengths are nothing the program wrote or can read.
    if (size != 2) return {};
    unsigned char bytes[2] = {};
    if (RegQueryValueExA(key, name, nullptr, nullptr, bytes, &size) != ERROR_SUCCESS) return {};
    return DecimalText(static_cast<std::int16_t>(bytes[0] | bytes[1] << 8));
}

}  // namespace

void SaveString(HKEY root, std::u16string_view keyPath, std::u16string_view valueName, std::u16string_view data) {
    win32::UniqueKey key;
    if (RegCreateKeyExA(root, win32::ToAnsi(keyPath).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(),
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    const std::string bytes = win32::ToAnsi(data);
    RegSetValueExA(key.get(), win32::ToAnsi(valueName).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.c_str()),
                   static_cast<DWORD>(bytes.size() + 1));
}

std::u16string GetString(HKEY root, std::u16string_view keyPath, std::u16string_view valueName) {
    win32::UniqueKey key;
    if (RegOpenKeyExA(root, win32::ToAnsi(keyPath).c_str(), 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) {
        return {};
    }
    return QueryStringValue(key.get(), valueName);
}

std::u16string QueryStringValue(HKEY key, std::u16string_view valueName) {
    const std::string name = win32::ToAnsi(valueName);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    switch (type) {
        case REG_SZ: return QueryText(key, name.c_str(), size);
        case REG_BINARY: return QueryTwoByteNumber(key, name.c_str(), size);
        default: return {};
    }
}

}  // namespace tabwright::Regedit
