// The main of the Windows test programs. They share the registry with the
// user: what they write is moved aside before the first test and back after
// the last, and every test starts without the program's settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Written {
    HKEY root;
    const wchar_t* key;
    const wchar_t* value;  // null: the whole key
};
// The first two are the program's own and are cleared before every test.
const Written kWritten[] = {
    {HKEY_CURRENT_USER, L"Software\\Quillmark", nullptr},
    {HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Quillmark"},
    {HKEY_LOCAL_MACHINE, L"Software\\Classes\\https\\shell\\open\\command", nullptr},
    {HKEY_LOCAL_MACHINE, L"Software\\Classes\\mailto\\shell\\open\\command", nullptr},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Shared Tools\\MSINFO", nullptr},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Shared Tools Location", nullptr},
};
// Where the user's keys and values wait meanwhile. Still there at the start,
// they are left from a test program that did not end, and come back first.
constexpr wchar_t kSaved[] = L"Software\\Tabwright tests";

// Moves a value, or its absence.
void MoveValue(HKEY fromRoot, const std::wstring& from, const wchar_t* fromName, HKEY toRoot, const std::wstring& to,
               const wchar_t* toName) {
    RegDeleteKeyValueW(toRoot, to.c_str(), toName);
    std::vector<BYTE> data(65536);
    DWORD size = static_cast<DWORD>(data.size()), type = 0;
    if (!RegGetValueW(fromRoot, from.c_str(), fromName, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size))
        RegSetKeyValueW(toRoot, to.c_str(), toName, type, data.data(), size);
    RegDeleteKeyValueW(fromRoot, from.c_str(), fromName);
}

// Moves a key with all it holds, or its absence.
void MoveKey(HKEY fromRoot, const std::wstring& from, HKEY toRoot, const std::wstring& to) {
    RegDeleteTreeW(toRoot, to.c_str());
    HKEY source = nullptr, target = nullptr;
    if (RegOpenKeyExW(fromRoot, from.c_str(), 0, KEY_READ, &source)) return;
    if (!RegCreateKeyExW(toRoot, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr)) {
        RegCopyTreeW(source, nullptr, target);
        RegCloseKey(target);
    }
    RegCloseKey(source);
    RegDeleteTreeW(fromRoot, from.c_str());
}

// Moves every entry to its place under kSaved, or back.
void MoveAll(bool aside) {
    for (std::size_t i = 0; i < std::size(kWritten); ++i) {
        const Written& w = kWritten[i];
        const std::wstring slot = std::to_wstring(i);
        if (w.value)
            aside ? MoveValue(w.root, w.key, w.value, HKEY_CURRENT_USER, kSaved, slot.c_str())
                  : MoveValue(HKEY_CURRENT_USER, kSaved, slot.c_str(), w.root, w.key, w.value);
        else
            aside ? MoveKey(w.root, w.key, HKEY_CURRENT_USER, std::wstring(kSaved) + L"\\" + slot)
                  : MoveKey(HKEY_CURRENT_USER, std::wstring(kSaved) + L"\\" + slot, w.root, w.key);
    }
    if (!aside) RegDeleteTreeW(HKEY_CURRENT_USER, kSaved);
}

class RegistrySandbox : public testing::EmptyTestEventListener {
    void OnTestProgramStart(const testing::UnitTest&) override {
        HKEY left = nullptr;
        if (!RegOpenKeyExW(HKEY_CURRENT_USER, kSaved, 0, KEY_READ, &left)) {
            RegCloseKey(left);
            MoveAll(false);
        }
        RegCreateKeyExW(HKEY_CURRENT_USER, kSaved, 0, nullptr, 0, KEY_WRITE, nullptr, &left, nullptr);
        RegCloseKey(left);
        MoveAll(true);
    }
    void OnTestStart(const testing::TestInfo&) override {
        RegDeleteTreeW(kWritten[0].root, kWritten[0].key);
        RegDeleteKeyValueW(kWritten[1].root, kWritten[1].key, kWritten[1].value);
    }
    void OnTestProgramEnd(const testing::UnitTest&) override { MoveAll(false); }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new RegistrySandbox);
    return RUN_ALL_TESTS();
}
