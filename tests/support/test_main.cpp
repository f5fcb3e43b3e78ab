// The main of the Windows test programs. They share the registry with the
// user: what they write is set aside before the first test and put back
// after the last, and every test starts without the program's settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// A whole key (no value name), or one value of it.
const std::tuple<HKEY, const wchar_t*, const wchar_t*> kWritten[] = {
    {HKEY_CURRENT_USER, L"Software\\Quillmark", nullptr},
    {HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Quillmark"},
    {HKEY_LOCAL_MACHINE, L"Software\\Classes\\https\\shell\\open\\command", L""},
    {HKEY_LOCAL_MACHINE, L"Software\\Classes\\mailto\\shell\\open\\command", L""},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO"},
};

struct Value {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
};

std::vector<Value> Save(HKEY root, const wchar_t* path, const wchar_t* only) {
    HKEY key = nullptr;
    std::vector<Value> values;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key)) return values;
    wchar_t name[16384];
    for (DWORD i = 0, length = 16384, type = 0, size = 0;
         !RegEnumValueW(key, i, name, &length, nullptr, &type, nullptr, &size); ++i, length = 16384, size = 0) {
        if (only && _wcsicmp(name, only)) continue;
        values.push_back({name, type, std::vector<BYTE>(size)});
        RegQueryValueExW(key, name, nullptr, nullptr, values.back().data.data(), &size);
    }
    RegCloseKey(key);
    return values;
}

void ClearSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, std::get<1>(kWritten[0]));
    RegDeleteKeyValueW(HKEY_CURRENT_USER, std::get<1>(kWritten[1]), std::get<2>(kWritten[1]));
}

class RegistrySandbox : public testing::EmptyTestEventListener {
    void OnTestProgramStart(const testing::UnitTest&) override {
        for (const auto& [root, path, only] : kWritten) saved_.push_back(Save(root, path, only));
    }
    void OnTestStart(const testing::TestInfo&) override { ClearSettings(); }
    void OnTestProgramEnd(const testing::UnitTest&) override {
        ClearSettings();
        for (std::size_t i = 0; i < std::size(kWritten); ++i) {
            const auto& [root, path, only] = kWritten[i];
            if (only) RegDeleteKeyValueW(root, path, only);
            for (const Value& value : saved_[i])
                RegSetKeyValueW(root, path, value.name.c_str(), value.type, value.data.data(),
                                static_cast<DWORD>(value.data.size()));
        }
    }

    std::vector<std::vector<Value>> saved_;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new RegistrySandbox);
    return RUN_ALL_TESTS();
}
