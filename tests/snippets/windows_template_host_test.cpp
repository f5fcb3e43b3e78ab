// Template expansion with what Windows supplies: the registry of the Wine
// session, its clock and user, and files in the ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "settings/regedit.h"
#include "snippets/smart_tack.h"
#include "snippets/windows_template_host.h"

namespace tabwright {
namespace {

std::u16string Digits(int number) {
    const std::string text = std::to_string(number);
    return std::u16string(text.begin(), text.end());
}

class WindowsTemplateHostTest : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillmark"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillmark"); }
    WindowsTemplateHost host_;
};

TEST_F(WindowsTemplateHostTest, StoredTextsComeFromTheProgramsRegistryKey) {
    Regedit::SaveString(HKEY_CURRENT_USER, u"Software\\Quillmark", u"Version Heading", u"NAVW1.%Free%");
    Regedit::SaveString(HKEY_CURRENT_USER, u"Software\\Quillmark", u"Free Heading", u"00");
    EXPECT_EQ(SmartTack(u"v%Ver% d%Des%", host_), u"vNAVW1.00 d");
}

TEST_F(WindowsTemplateHostTest, DateTimeAndUserAreTodaysAndTheLoggedOnUsers) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::u16string date = host_.Date();
    EXPECT_NE(date.find(Digits(now.wYear)), std::u16string::npos) << testing::PrintToString(date);
    EXPECT_NE(date.find(Digits(now.wDay)), std::u16string::npos) << testing::PrintToString(date);
    EXPECT_NE(host_.Time().find(u':'), std::u16string::npos);

    wchar_t name[256] = {};
    DWORD length = 256;
    ASSERT_TRUE(GetUserNameW(name, &length));
    EXPECT_EQ(host_.User(), std::u16string(name, name + wcslen(name)));
}

TEST_F(WindowsTemplateHostTest, FilesAreReadInTheAnsiCodePage) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"tabwright-template.txt";
    std::ofstream(std::filesystem::path(path), std::ios::binary) << "// \xC6ndret \x80 5\r\n";
    const std::u16string name(path.begin(), path.end());
    EXPECT_EQ(SmartTack(u"%File%\"" + name + u"\"", host_), u"// \u00C6ndret \u20AC 5\r\n");
    DeleteFileW(path.c_str());
    EXPECT_EQ(SmartTack(u"%File%\"" + name + u"\"", host_), u"Error open file");
}

}  // namespace
}  // namespace tabwright
