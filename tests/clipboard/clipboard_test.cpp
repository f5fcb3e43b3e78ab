// The clipboard classes on the real clipboard of the Wine session: C/SIDE's
// format, and the text read and written.
#include <gtest/gtest.h>

#include <cstring>

#include "clipboard/clipboard.h"
#include "desktop.h"

namespace tabwright::test {
namespace {

using Blocks = std::vector<std::pair<UINT, std::string>>;

std::string Bytes(std::u16string_view units) {
    return std::string(reinterpret_cast<const char*>(units.data()), units.size() * sizeof(char16_t));
}

class ClipboardTest : public testing::Test {
protected:
    ~ClipboardTest() override {
        DestroyWindow(owner_);
        DestroyWindow(other_);
    }
    // Replaces the clipboard's content by blocks of exactly these bytes.
    void Put(const Blocks& blocks) {
        ASSERT_TRUE(OpenClipboard(other_));
        EmptyClipboard();
        for (const auto& [format, bytes] : blocks) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
            std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
            GlobalUnlock(block);
            SetClipboardData(format, block);
        }
        CloseClipboard();
    }
    // The whole block of a format; empty when there is none.
    static std::string Block(UINT format) {
        std::string bytes;
        if (!OpenClipboard(nullptr)) return "(held)";
        if (HANDLE block = GetClipboardData(format)) {
            bytes.assign(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
            GlobalUnlock(block);
        }
        CloseClipboard();
        return bytes;
    }

    HWND owner_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    HWND other_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    HostFormatState state_;
    CClipboard clip_{state_, owner_};
};

// Registered names are shared by the whole session and compared without
// regard to case, so each row registers a name of its own.
TEST_F(ClipboardTest, OnlyAFormatNamedAlSourceInTheseLettersIsCSides) {
    const std::pair<const wchar_t*, bool> names[] = {
        {L"al-source lower", false}, {L"AL-Source", true},  {L"AL-SOURCE capitals", false},
        {L"AL Source", false},       {L"My AL-Source", false}, {L"AL-Source Editor", true},
    };
    UINT lastHost = 0;
    for (const auto& [name, host] : names) {
        const UINT format = RegisterClipboardFormatW(name);
        Put({{CF_TEXT, std::string("x", 2)}, {format, "OBJECT"}});
        EXPECT_EQ(clip_.ALS(), host) << testing::PrintToString(std::wstring(name));
        if (host) lastHost = format;
        // The number stays that of the last host format seen.
        EXPECT_TRUE(!lastHost || state_.ALSourceFormat == Utf16(std::to_string(lastHost)))
            << testing::PrintToString(state_.ALSourceFormat);
    }
}

TEST_F(ClipboardTest, TextIsReadInTheAnsiCodePageUpToItsFirstZeroAndNeverPastItsBlock) {
    const UINT host = RegisterClipboardFormatW(L"AL-Source Read");
    const std::pair<Blocks, std::u16string> cases[] = {
        {{{CF_TEXT, std::string("\xc6 \xd8 \xe9 \x80", 8)}}, u"\u00c6 \u00d8 \u00e9 \u20ac"},
        // The ANSI form comes first: what code page 1252 lacks arrives as "?".
        {{{CF_UNICODETEXT, Bytes(u"\u00c6 \u4e2d = 1;") + std::string(2, '\0')}}, u"\u00c6 ? = 1;"},
        {{{CF_TEXT, std::string("BEGIN\0END;", 11)}}, u"BEGIN"},
        // C/SIDE's format alone is read as ANSI text, and the system adds no
        // zero to it.
        {{{host, std::string("x := \xe6;", 9)}}, u"x := \u00e6;"},
        {{{host, std::string(7, 'x')}}, std::u16string(7, u'x')},
        {{{host, std::string(4093, 'x')}}, std::u16string(4093, u'x')},
        {{{host, std::string("host", 5)}, {CF_TEXT, std::string("text", 5)}}, u"text"},
        {{{RegisterClipboardFormatW(L"Tabwright no text"), "z"}}, u""},
        {{}, u""},
    };
    for (const auto& [blocks, text] : cases) {
        Put(blocks);
        clip_.ALS();
        EXPECT_EQ(clip_.GetText(), text) << testing::PrintToString(blocks.empty() ? "" : blocks[0].second);
    }
}

// In one opening (the end-to-end tests count the changes a listener hears).
TEST_F(ClipboardTest, ReplacingLeavesOnlyBothTextFormsEachWithOneZero) {
    const std::pair<std::u16string, std::string> texts[] = {{u"\u00c6 := 1;", "\xc6 := 1;"}, {u"", ""}};
    for (const auto& [text, ansi] : texts) {
        Put({{CF_TEXT, std::string("old", 4)}, {RegisterClipboardFormatW(L"AL-Source Replaced"), "OBJECT"}});
        ASSERT_TRUE(clip_.ReplaceWithText(text));
        EXPECT_FALSE(clip_.ALS());
        EXPECT_EQ(Block(CF_TEXT), ansi + '\0');
        EXPECT_EQ(Block(CF_UNICODETEXT), Bytes(text) + std::string(2, '\0'));
        EXPECT_EQ(GetClipboardOwner(), owner_);
    }
}

}  // namespace
}  // namespace tabwright::test
