// Headings, snippets and hotkeys of the running Tabwright.exe, its keys
// pressed through SendInput from this process.
#include "tray_program.h"

#include <winnetwk.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "formatter/formatter.h"
#include "snippets/insert_texts.h"
#include "snippets/settings_dialog.h"

namespace tabwright::test {
namespace {

std::u16string Today() {
    wchar_t text[128] = {};
    return std::u16string(text, text + GetDateFormatEx(nullptr, DATE_SHORTDATE, nullptr, nullptr, text, 128, nullptr) - 1);
}

std::u16string UserInCapitals() {
    wchar_t name[256] = {};
    DWORD length = 255;
    WNetGetUserW(nullptr, name, &length);
    return std::u16string(name, name + wcslen(CharUpperW(name)));
}

// Whether another program could take the combination now.
bool Free(UINT modifiers, UINT key) { return RegisterHotKey(nullptr, 1, modifiers, key) && UnregisterHotKey(nullptr, 1); }

bool Pressed(const std::vector<WORD>& keys, const std::u16string& text) {
    Press(keys);
    return WaitFor([&] { return ClipboardText() == text; });
}

TEST(SnippetsTest, EveryHotkeyPutsItsTextOnTheClipboardAndInTheLog) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tabwright-snippet.txt";
    std::ofstream(file, std::ios::binary) << "// \xC6ndret \x80 5\r\n";
    SetSetting(L"Hotkey 0", L"\u00c6 %Ver%");
    SetSetting(L"Version Heading", L"v%Des%");
    SetSetting(L"Description Heading", L"2");
    SetSetting(L"H Hotkey 0", L"1081");  // Ctrl with the key list's R
    SetSetting(L"Hotkey 9", L"nine %User%");
    SetSetting(L"Hotkey 5", L"%File%\"" + file.wstring() + L"\"");
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    EXPECT_TRUE(Free(MOD_ALT, '1')) << "the stored code replaces the built-in key";
    const std::u16string edited = u"IF x THEN\r\n  y := 1;";
    const std::pair<std::vector<WORD>, std::u16string> presses[] = {
        {{VK_CONTROL, 'H'}, DefaultHeading(Today())},
        {{VK_CONTROL, 'S'}, DefaultStartHeading(Today())},
        {{VK_CONTROL, 'E'}, std::u16string(kDefaultEndHeading)},
        {{VK_CONTROL, 'R'}, u"\u00c6 v2"},
        {{VK_MENU, '0'}, u"nine " + UserInCapitals()},
        {{VK_MENU, '4'}, std::u16string(kHotkeySnippetDefault)},
        {{VK_MENU, '6'}, u"// \u00c6ndret \u20ac 5\r\n"},
        {{VK_SHIFT, VK_RIGHT}, Indent_Right(edited)},
        {{VK_SHIFT, VK_LEFT}, Indent_Left(edited)},
    };
    for (const auto& [keys, text] : presses) {
        // The shift keys take the log box, as the user may have edited it.
        SendMessageW(program.Control(IDC_TEXT1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(edited.c_str()));
        EXPECT_TRUE(Pressed(keys, text)) << testing::PrintToString(ClipboardText());
        EXPECT_EQ(program.Log(), text);
    }
    std::filesystem::remove(file);
}

TEST(SnippetsTest, WhileInactiveTheKeysAreLeftToOtherProgramsButTheMenuWorks) {
    SetSetting(L"Active", L"0");
    SetSetting(L"Hotkey 3", L"three");
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    EXPECT_TRUE(Free(MOD_CONTROL, 'H') && Free(MOD_ALT, '1'));
    program.Command(IDM_INSERT_HOTKEY0 + 3);
    EXPECT_EQ(ClipboardText(), u"three");
    program.Command(IDM_ACTIVATECLIPBOARD);
    EXPECT_TRUE(Pressed({VK_CONTROL, 'E'}, std::u16string(kDefaultEndHeading)));
    program.Command(IDM_ACTIVATECLIPBOARD);
    EXPECT_TRUE(Free(MOD_CONTROL, 'H'));
}

TEST(SnippetsTest, SettingsDialogRefusesAModifierWithoutAKeyAndStoresOnOKTheKeyReleasedInItsListWhichWorksAtOnce) {
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    const auto open = [&](unsigned command) {
        program.Command(command);
        return WindowOf(program.Process(), L"TabwrightDialog");
    };
    // Ctrl without a key: OK is refused in a message, Cancel stores nothing,
    // and the built-in key stays.
    HWND dialog = open(IDM_SET_START);
    SendMessageW(GetDlgItem(dialog, Dialog::kText1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"changed"));
    SendMessageW(GetDlgItem(dialog, Dialog::kCheck1 + 2), BM_CLICK, 0, 0);
    PostMessageW(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    const HWND refusal = WindowOf(program.Process(), L"#32770");
    EXPECT_TRUE(refusal && GetWindow(refusal, GW_OWNER) == dialog &&
                WaitFor([&] { return !TextOf(GetDlgItem(refusal, 0xFFFF)).empty(); }));
    PostMessageW(refusal, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(refusal); }) && IsWindowVisible(dialog));
    SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(Setting(L"Start Heading"), std::nullopt);
    EXPECT_EQ(Setting(L"H Start Heading"), std::nullopt);
    EXPECT_TRUE(Pressed({VK_CONTROL, 'S'}, DefaultStartHeading(Today())));

    dialog = open(IDM_SET_HEADING);
    program.Command(IDM_HOTKEYS0 + 3);
    EXPECT_EQ(TextOf(dialog), u"Heading") << "opened again, it stays the heading's";
    SendMessageW(GetDlgItem(dialog, Dialog::kText1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"// mine %User%"));
    for (const int box : {2, 3}) SendMessageW(GetDlgItem(dialog, Dialog::kCheck1 + box), BM_CLICK, 0, 0);  // Ctrl, Alt
    // The list takes the keys pressed in it; the focus is set from its thread.
    AttachThreadInput(GetCurrentThreadId(), GetWindowThreadProcessId(dialog, nullptr), TRUE);
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, Dialog::kCombo1));
    Press({'R'});
    EXPECT_TRUE(WaitFor([&] { return TextOf(GetDlgItem(dialog, Dialog::kCombo1)) == u" 82 - R key"; }));
    AttachThreadInput(GetCurrentThreadId(), GetWindowThreadProcessId(dialog, nullptr), FALSE);
    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(Setting(L"Heading"), L"// mine %User%");
    EXPECT_EQ(Setting(L"H Heading"), L"3129");
    EXPECT_TRUE(Free(MOD_CONTROL, 'H'));
    EXPECT_TRUE(Pressed({VK_CONTROL, VK_MENU, 'R'}, u"// mine " + UserInCapitals()));
}

TEST(SnippetsTest, KeysTakenByAnotherProgramAreReportedAtStartInOneMessage) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 2, MOD_CONTROL, 'H'));
    ASSERT_TRUE(RegisterHotKey(nullptr, 3, MOD_ALT, '1'));
    TrayProgram program;
    const HWND box = WindowOf(program.Process(), L"#32770");
    wchar_t reason[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_HOTKEY_ALREADY_REGISTERED, 0, reason, 256, nullptr);
    std::u16string why(reason, reason + wcslen(reason));
    while (why.back() == u'\n' || why.back() == u'\r') why.pop_back();
    EXPECT_EQ(TextOf(box), u"Tabwright");
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), u"0, Alt+1, " + why + u"\r\n10, Ctrl+H, " + why);  // the box's text
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    UnregisterHotKey(nullptr, 2);
    UnregisterHotKey(nullptr, 3);
}

}  // namespace
}  // namespace tabwright::test
