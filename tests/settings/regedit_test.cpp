// Regedit against the real registry of the current user.
#include "settings/regedit.h"

#include "settings/setting_names.h"

#include "registry_test_support.h"

namespace tabwright::test {
namespace {

using Regedit::GetString;
using Regedit::SaveString;

std::u16string Read(std::u16string_view name) { return GetString(HKEY_CURRENT_USER, kProgramKey, name); }

using RegeditTest = RegistryTest;

TEST_F(RegeditTest, MissingKeyOrValueReadsEmptyAndReadingCreatesNothing) {
    EXPECT_EQ(Read(u"Active"), u"");
    EXPECT_FALSE(KeyExists(kTestKey));

    SaveString(HKEY_CURRENT_USER, kProgramKey, u"Sign", u"1");
    EXPECT_TRUE(KeyExists(kTestKey)) << "created on the first write";
    EXPECT_EQ(Read(u"Active"), u"");
    EXPECT_EQ(GetString(HKEY_CURRENT_USER, u"Software\\Quillmark\\Missing", u"Sign"), u"");
}

TEST_F(RegeditTest, SaveStringStoresTextAsRegSzThroughTheCodePage) {
    SaveString(HKEY_CURRENT_USER, kProgramKey, u"Heading", u"\u00c6 \u00d8 \u00c5 \u00e9\r\n%Date%");
    const RawValue raw = GetRaw(kTestKey, L"Heading");
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw.bytes, Utf16(L"\u00c6 \u00d8 \u00c5 \u00e9\r\n%Date%\0"));
    EXPECT_EQ(Read(u"Heading"), u"\u00c6 \u00d8 \u00c5 \u00e9\r\n%Date%");

    SaveString(HKEY_CURRENT_USER, kProgramKey, u"Heading", u"");
    EXPECT_EQ(GetRaw(kTestKey, L"Heading").bytes, Utf16(L"\0"));
    EXPECT_EQ(Read(u"Heading"), u"");

    // Outside code page 1252: lost on the way through the ANSI calls.
    SaveString(HKEY_CURRENT_USER, kProgramKey, u"Heading", u"\u4e2d");
    EXPECT_EQ(Read(u"Heading"), u"?");
}

TEST_F(RegeditTest, NestedKeysAreCreatedOnTheWay) {
    SaveString(HKEY_CURRENT_USER, u"Software\\Quillmark\\A\\B", u"Free Heading", u"x");
    EXPECT_EQ(GetString(HKEY_CURRENT_USER, u"Software\\Quillmark\\A\\B", u"Free Heading"), u"x");
}

TEST_F(RegeditTest, RegSzReadsUpToItsFirstNul) {
    PutRaw(kTestKey, L"Terminated", REG_SZ, Utf16(L"1081\0"));
    PutRaw(kTestKey, L"Unterminated", REG_SZ, Utf16(L"1081"));
    PutRaw(kTestKey, L"Embedded", REG_SZ, Utf16(L"BEGIN\0END;\0"));
    PutRaw(kTestKey, L"Empty", REG_SZ, "");
    PutRaw(kTestKey, L"OnlyNul", REG_SZ, Utf16(L"\0"));
    EXPECT_EQ(Read(u"Terminated"), u"1081");
    EXPECT_EQ(Read(u"Unterminated"), u"1081");
    EXPECT_EQ(Read(u"Embedded"), u"BEGIN");
    EXPECT_EQ(Read(u"Empty"), u"");
    EXPECT_EQ(Read(u"OnlyNul"), u"");
}

TEST_F(RegeditTest, TwoByteBinaryReadsAsSignedDecimal) {
    PutRaw(kTestKey, L"Positive", REG_BINARY, std::string("\x39\x05", 2));
    PutRaw(kTestKey, L"Negative", REG_BINARY, std::string("\xfe\xff", 2));
    PutRaw(kTestKey, L"Lowest", REG_BINARY, std::string("\x00\x80", 2));
    PutRaw(kTestKey, L"Zero", REG_BINARY, std::string("\x00\x00", 2));
    EXPECT_EQ(Read(u"Positive"), u"1337");
    EXPECT_EQ(Read(u"Negative"), u"-2");
    EXPECT_EQ(Read(u"Lowest"), u"-32768");
    EXPECT_EQ(Read(u"Zero"), u"0");
}

TEST_F(RegeditTest, BinaryOfOtherLengthsReadsEmpty) {
    for (const std::string& bytes : {std::string(), std::string("\x01", 1), std::string("\x01\x02\x03", 3),
                                     std::string("\x01\x00\x00\x00", 4)}) {
        PutRaw(kTestKey, L"Binary", REG_BINARY, bytes);
        EXPECT_EQ(Read(u"Binary"), u"") << bytes.size() << " bytes";
    }
}

TEST_F(RegeditTest, OtherTypesReadEmpty) {
    PutRaw(kTestKey, L"Dword", REG_DWORD, std::string("\x01\x00\x00\x00", 4));
    PutRaw(kTestKey, L"Qword", REG_QWORD, std::string(8, '\x01'));
    PutRaw(kTestKey, L"Expand", REG_EXPAND_SZ, Utf16(L"%TEMP%\0"));
    PutRaw(kTestKey, L"Multi", REG_MULTI_SZ, Utf16(L"a\0b\0\0"));
    PutRaw(kTestKey, L"None", REG_NONE, "1");
    for (const char16_t* name : {u"Dword", u"Qword", u"Expand", u"Multi", u"None"}) {
        EXPECT_EQ(Read(name), u"") << testing::PrintToString(std::u16string(name));
    }
}

TEST_F(RegeditTest, QueryStringValueReadsAnOpenKey) {
    PutRaw(kTestKey, L"Active", REG_SZ, Utf16(L"0\0"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kTestKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(Regedit::QueryStringValue(key, u"Active"), u"0");
    EXPECT_EQ(Regedit::QueryStringValue(key, u"Missing"), u"");
    RegCloseKey(key);
}

// A handle freed is handed out again: a key opened after the calls gets the
// same handle as one opened before them only if none of them kept a key open.
HKEY NextKeyHandle() {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    return key;
}

TEST_F(RegeditTest, EveryCallClosesItsKey) {
    const HKEY before = NextKeyHandle();
    SaveString(HKEY_CURRENT_USER, kProgramKey, u"Active", u"1");
    Read(u"Active");
    Read(u"Missing");
    PutRaw(kTestKey, L"Binary", REG_BINARY, std::string("\x01\x00", 2));
    Read(u"Binary");
    EXPECT_EQ(NextKeyHandle(), before);
}

}  // namespace
}  // namespace tabwright::test
