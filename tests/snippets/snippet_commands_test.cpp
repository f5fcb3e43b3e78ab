// The insert commands and hotkey presses against the real clipboard of the
// Wine session.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "desktop_support.h"
#include "fake_template_host.h"
#include "formatter/formatter.h"
#include "snippets/snippet_commands.h"

namespace tabwright {
namespace {

class TestLog : public LogBox {
public:
    std::u16string LogText() const override { return text; }
    void ShowLog(std::u16string_view shown) override {
        text = shown;
        ++shows;
    }
    std::u16string text;
    int shows = 0;
};

std::u16string ClipboardText(UINT format) {
    std::u16string text;
    if (!OpenClipboard(nullptr)) return u"<clipboard busy>";
    if (HANDLE data = GetClipboardData(format)) {
        if (format == CF_UNICODETEXT) {
            text = static_cast<const char16_t*>(GlobalLock(data));
        } else {
            const std::string bytes = static_cast<const char*>(GlobalLock(data));
            text.assign(bytes.begin(), bytes.end());
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void PutOnClipboard(const std::u16string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * 2);
    std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char16_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

class SnippetCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        window_ = test::CreateMessageWindow();
        PutOnClipboard(u"what the user copied");
    }
    void TearDown() override { DestroyWindow(window_); }

    // Both text forms carry the text, and the log box shows it.
    void ExpectPlaced(std::u16string_view text) {
        EXPECT_EQ(ClipboardText(CF_UNICODETEXT), text);
        EXPECT_EQ(ClipboardText(CF_TEXT), text);
        EXPECT_EQ(log_.text, text);
    }

    HWND window_ = nullptr;
    HostFormatState state_;
    test::FakeTemplateHost templates_;
    TestLog log_;
};

TEST_F(SnippetCommandsTest, MenuCommandsPlaceTheirTextsOnTheClipboardAndInTheLog) {
    SnippetCommands commands(window_, state_, templates_, log_);
    commands.Insert_Heading_Click();
    ExpectPlaced(DefaultHeading(u"24-12-2024"));
    commands.Insert_Start_Click();
    ExpectPlaced(DefaultStartHeading(u"24-12-2024"));
    commands.Insert_End_Click();
    ExpectPlaced(u"// << Company Name\r\n\r\n");
    commands.Insert_Hotkey_Click(3);
    ExpectPlaced(u"// Osrik\r\n");
    templates_.stored[u"Hotkey 3"] = u"snippet by %User%";
    commands.Insert_Hotkey_Click(3);
    ExpectPlaced(u"snippet by JDOE");
    EXPECT_EQ(GetClipboardOwner(), window_);
}

TEST_F(SnippetCommandsTest, HotkeysActOnlyWhileActive) {
    SnippetCommands commands(window_, state_, templates_, log_);
    for (int index = 0; index < 15; ++index) commands.VBHotKey1_Press(index, false);
    EXPECT_EQ(ClipboardText(CF_UNICODETEXT), u"what the user copied");
    EXPECT_EQ(log_.shows, 0);

    commands.VBHotKey1_Press(3, true);
    ExpectPlaced(u"// >> Company Name\r\n");
    commands.VBHotKey1_Press(10, true);
    ExpectPlaced(DefaultHeading(u"24-12-2024"));
    commands.VBHotKey1_Press(12, true);
    ExpectPlaced(u"// << Company Name\r\n\r\n");
    commands.VBHotKey1_Press(15, true);
    EXPECT_EQ(log_.shows, 3);
}

TEST_F(SnippetCommandsTest, BlockShiftTakesTheLogBoxNotTheClipboard) {
    SnippetCommands commands(window_, state_, templates_, log_);
    log_.text = u"BEGIN\r\n  x := 1;\r\nEND;";
    commands.VBHotKey1_Press(14, true);
    ExpectPlaced(Indent_Right(u"BEGIN\r\n  x := 1;\r\nEND;"));
    commands.VBHotKey1_Press(13, true);
    commands.VBHotKey1_Press(13, true);
    ExpectPlaced(Indent_Left(Indent_Left(Indent_Right(u"BEGIN\r\n  x := 1;\r\nEND;"))));
}

TEST_F(SnippetCommandsTest, ClipboardHeldElsewhereKeepsWhatTheUserCopied) {
    SnippetCommands commands(window_, state_, templates_, log_);
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND owner = test::CreateMessageWindow();
        OpenClipboard(owner);
        SetEvent(opened);
        WaitForSingleObject(release, 30000);
        CloseClipboard();
        DestroyWindow(owner);
    });
    WaitForSingleObject(opened, 30000);
    commands.Insert_Heading_Click();
    SetEvent(release);
    holder.join();
    EXPECT_EQ(ClipboardText(CF_UNICODETEXT), u"what the user copied");
    CloseHandle(opened);
    CloseHandle(release);
}

}  // namespace
}  // namespace tabwright
