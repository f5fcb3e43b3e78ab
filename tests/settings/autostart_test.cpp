// The Run entry "Quillmark" that starts the program at logon.
#include "settings/autostart.h"

#include "registry_test_support.h"

namespace tabwright::test {
namespace {

constexpr wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A Run value that was there before is put back afterwards.
class AutostartTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        saved_ = GetRaw(kRun, L"Quillmark");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun, L"Quillmark");
    }
    void TearDown() override {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun, L"Quillmark");
        if (saved_.present) PutRaw(kRun, L"Quillmark", saved_.type, saved_.bytes);
        RegistryTest::TearDown();
    }

private:
    RawValue saved_;
};

TEST(AutostartCommandTest, QuotedPathOfTabwrightExeInTheFolder) {
    EXPECT_EQ(AutostartCommand(u"C:\\Program Files\\Tabwright"), u"\"C:\\Program Files\\Tabwright\\Tabwright.exe\"");
    EXPECT_EQ(AutostartCommand(u"C:\\"), u"\"C:\\Tabwright.exe\"");
    EXPECT_EQ(AutostartCommand(u"\\\\server\\tools"), u"\"\\\\server\\tools\\Tabwright.exe\"");
}

TEST_F(AutostartTest, ProgramFolderIsThatOfTheRunningExecutable) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));
    EXPECT_EQ(ProgramFolder(), std::u16string(folder.begin(), folder.end()));
}

TEST_F(AutostartTest, SwitchingOnWritesTheCommandAndOffWritesEmptyText) {
    EXPECT_FALSE(AutostartEnabled()) << "no Run value";

    SetAutostart(true);
    const RawValue on = GetRaw(kRun, L"Quillmark");
    ASSERT_TRUE(on.present);
    EXPECT_EQ(on.type, static_cast<DWORD>(REG_SZ));
    const std::u16string command = AutostartCommand(ProgramFolder());
    EXPECT_EQ(on.bytes, std::string(reinterpret_cast<const char*>(command.c_str()), (command.size() + 1) * 2));
    EXPECT_TRUE(command.ends_with(u"\\Tabwright.exe\"")) << "whatever the test program is called";
    EXPECT_TRUE(AutostartEnabled());
    EXPECT_FALSE(KeyExists(kTestKey)) << "the program's own key is not touched";

    SetAutostart(false);
    const RawValue off = GetRaw(kRun, L"Quillmark");
    EXPECT_TRUE(off.present) << "switched off, not deleted";
    EXPECT_EQ(off.bytes, Utf16(L"\0"));
    EXPECT_FALSE(AutostartEnabled());
}

TEST_F(AutostartTest, AnyTextCountsAsOnAndOtherTypesAsOff) {
    PutRaw(kRun, L"Quillmark", REG_SZ, Utf16(L"notepad.exe\0"));
    EXPECT_TRUE(AutostartEnabled());
    PutRaw(kRun, L"Quillmark", REG_DWORD, std::string("\x01\x00\x00\x00", 4));
    EXPECT_FALSE(AutostartEnabled());
}

}  // namespace
}  // namespace tabwright::test
