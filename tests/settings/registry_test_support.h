// Test helpers that write and read registry values with the raw Windows
// calls, so Regedit is checked against what the registry really holds.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace tabwright::test {

inline constexpr wchar_t kTestKey[] = L"Software\\Quillmark";

inline void DeleteTestKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }

inline bool KeyExists(const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Stores exactly these bytes under the value, with the given type.
inline void PutRaw(const wchar_t* path, const wchar_t* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool present = false;
};

inline RawValue GetRaw(const wchar_t* path, const wchar_t* name) {
    RawValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.present = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.bytes.data()),
                                         &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return value;
}

// UTF-16 text as stored by the wide registry calls, embedded zeros included.
template <std::size_t N>
std::string Utf16(const wchar_t (&units)[N]) {
    return std::string(reinterpret_cast<const char*>(units), (N - 1) * sizeof(wchar_t));
}

// Every test starts without the program's key and leaves none behind. A key
// that was there before (a real user's settings, outside Wine) is set aside
// and put back.
class RegistryTest : public ::testing::Test {
protected:
    static constexpr wchar_t kBackupKey[] = L"Software\\Quillmark (set aside by the tests)";

    void SetUp() override {
        ASSERT_EQ(GetACP(), 1252u) << "the Wine session should run in the English locale";
        ASSERT_FALSE(KeyExists(kBackupKey)) << "left over from an interrupted run; restore it by hand";
        if (KeyExists(kTestKey)) {
            ASSERT_EQ(CopyTree(kTestKey, kBackupKey), ERROR_SUCCESS);
            DeleteTestKey();
        }
    }
    void TearDown() override {
        DeleteTestKey();
        if (KeyExists(kBackupKey) && CopyTree(kBackupKey, kTestKey) == ERROR_SUCCESS)
            RegDeleteTreeW(HKEY_CURRENT_USER, kBackupKey);
    }

private:
    static LSTATUS CopyTree(const wchar_t* from, const wchar_t* to) {
        HKEY source = nullptr;
        HKEY target = nullptr;
        LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, from, 0, KEY_READ, &source);
        if (status == ERROR_SUCCESS)
            status = RegCreateKeyExW(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr);
        if (status == ERROR_SUCCESS) status = RegCopyTreeW(source, nullptr, target);
        if (source) RegCloseKey(source);
        if (target) RegCloseKey(target);
        return status;
    }
};

}  // namespace tabwright::test
