// The main of the Windows test programs. They share the registry with the
// user: the program's key and its Run value are moved aside before the first
// test and back after the last, and every test starts without them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr wchar_t kProgramKey[] = L"Software\\Quillmark";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Where the user's values wait. Found at the start, they were left by a test
// program that did not end, and go back first.
constexpr wchar_t kSaved[] = L"Software\\Tabwright tests";
constexpr wchar_t kSavedProgramKey[] = L"Software\\Tabwright tests\\Quillmark";

// Moves a key with all it holds, or its absence.
void MoveKey(const wchar_t* from, const wchar_t* to) {
    RegDeleteTreeW(HKEY_CURRENT_USER, to);
    HKEY source = nullptr, target = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, from, 0, KEY_READ, &source)) return;
    if (!RegCreateKeyExW(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr))
        RegCopyTreeW(source, nullptr, target);
    RegCloseKey(target);
    RegCloseKey(source);
    RegDeleteTreeW(HKEY_CURRENT_USER, from);
}

// Moves a value, or its absence.
void MoveValue(const wchar_t* fromKey, const wchar_t* fromName, const wchar_t* toKey, const wchar_t* toName) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, toKey, toName);
    std::vector<BYTE> data(65536);
    DWORD size = static_cast<DWORD>(data.size()), type = 0;
    if (!RegGetValueW(HKEY_CURRENT_USER, fromKey, fromName, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size))
        RegSetKeyValueW(HKEY_CURRENT_USER, toKey, toName, type, data.data(), size);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, fromKey, fromName);
}

void Move(bool aside) {
    aside ? MoveKey(kProgramKey, kSavedProgramKey) : MoveKey(kSavedProgramKey, kProgramKey);
    aside ? MoveValue(kRunKey, L"Quillmark", kSaved, L"Run") : MoveValue(kSaved, L"Run", kRunKey, L"Quillmark");
}

class RegistrySandbox : public testing::EmptyTestEventListener {
    void OnTestProgramStart(const testing::UnitTest&) override {
        HKEY saved = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kSaved, 0, nullptr, 0, KEY_WRITE, nullptr, &saved, &disposition)) {
            std::fputs("The user's settings cannot be set aside for the tests.\n", stderr);
            std::exit(1);
        }
        RegCloseKey(saved);
        if (disposition == REG_OPENED_EXISTING_KEY) Move(false);
        Move(true);
    }
    void OnTestStart(const testing::TestInfo&) override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Quillmark");
    }
    void OnTestProgramEnd(const testing::UnitTest&) override {
        Move(false);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSaved);
    }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new RegistrySandbox);
    return RUN_ALL_TESTS();
}
