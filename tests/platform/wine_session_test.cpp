// The test session must give every Windows test a real desktop: windows, a
// clipboard shared between processes and the current user's registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

HWND CreateHiddenWindow() {
    return CreateWindowExW(0, L"STATIC", L"wine session test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(WineSessionTest, ClipboardKeepsUnicodeTextBetweenOpenings) {
    HWND owner = CreateHiddenWindow();
    ASSERT_NE(owner, nullptr);
    const std::wstring text = L"BEGIN \u00c6\u00d8\u00c5 END;";

    ASSERT_TRUE(OpenClipboard(owner));
    ASSERT_TRUE(EmptyClipboard());
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(block, nullptr);
    std::memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, block), nullptr);
    CloseClipboard();

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(GlobalLock(data))), text);
    GlobalUnlock(data);
    CloseClipboard();
    DestroyWindow(owner);
}

TEST(WineSessionTest, CurrentUserRegistryIsWritable) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\TabwrightSessionTest", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t value[] = L"1";
    EXPECT_EQ(RegSetValueExW(key, L"Probe", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value),
              ERROR_SUCCESS);
    wchar_t read[8] = {};
    DWORD size = sizeof read;
    EXPECT_EQ(RegQueryValueExW(key, L"Probe", nullptr, nullptr, reinterpret_cast<BYTE*>(read), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(read, L"1");
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TabwrightSessionTest"), ERROR_SUCCESS);
}

}  // namespace
