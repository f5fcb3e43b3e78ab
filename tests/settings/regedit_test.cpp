// Regedit against the real registry of the current user.
#include <gtest/gtest.h>

#include "desktop.h"
#include "settings/regedit.h"
#include "settings/setting_names.h"

namespace tabwright::test {
namespace {

std::u16string Read(std::u16string_view name) { return Regedit::GetString(HKEY_CURRENT_USER, kProgramKey, name); }

// UTF-16 bytes as the wide registry calls store them, zeros included.
template <std::size_t N>
std::string Wide(const wchar_t (&units)[N]) {
    return std::string(reinterpret_cast<const char*>(units), (N - 1) * sizeof(wchar_t));
}

TEST(RegeditTest, EveryValueReadsAsText) {
    EXPECT_EQ(Read(u"Value"), u"") << "no key";
    const struct {
        DWORD type;
        std::string bytes;
        std::u16string text;
    } values[] = {
        {REG_SZ, Wide(L"1081\0"), u"1081"},
        {REG_SZ, Wide(L"1081"), u"1081"},
        {REG_SZ, Wide(L"BEGIN\0END;\0"), u"BEGIN"},
        {REG_SZ, "", u""},
        {REG_BINARY, std::string("\x39\x05", 2), u"1337"},
        {REG_BINARY, std::string("\xfe\xff", 2), u"-2"},
        {REG_BINARY, std::string("\x00\x80", 2), u"-32768"},
        {REG_BINARY, std::string("\x01", 1), u""},
        {REG_BINARY, std::string("\x01\x02\x03", 3), u""},
        {REG_DWORD, std::string("\x01\x00\x00\x00", 4), u""},
        {REG_EXPAND_SZ, Wide(L"%TEMP%\0"), u""},
    };
    for (const auto& value : values) {
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Quillmark", L"Value", value.type, value.bytes.data(),
                        static_cast<DWORD>(value.bytes.size()));
        EXPECT_EQ(Read(u"Value"), value.text) << "type " << value.type << ", " << value.bytes.size() << " bytes";
    }
}

// A freed handle is handed out again: a key opened after the calls gets the
// handle of one opened before them only if none of them kept a key open.
HKEY NextKeyHandle() {
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key);
    RegCloseKey(key);
    return key;
}

TEST(RegeditTest, TextGoesThroughTheAnsiCodePageAndEveryCallClosesItsKey) {
    const HKEY before = NextKeyHandle();
    Regedit::SaveString(HKEY_CURRENT_USER, kProgramKey, u"Heading", u"\u00c6 \u20ac\r\n%Date%");
    EXPECT_EQ(Setting(L"Heading"), L"\u00c6 \u20ac\r\n%Date%") << "stored as REG_SZ";
    EXPECT_EQ(Read(u"Heading"), u"\u00c6 \u20ac\r\n%Date%");
    Regedit::SaveString(HKEY_CURRENT_USER, kProgramKey, u"Heading", u"\u4e2d");
    EXPECT_EQ(Read(u"Heading"), u"?");
    EXPECT_EQ(Read(u"Missing"), u"");
    EXPECT_EQ(NextKeyHandle(), before);
}

}  // namespace
}  // namespace tabwright::test
