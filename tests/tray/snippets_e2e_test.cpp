// Headings, snippets and hotkeys end to end: the real Tabwright.exe on the
// Wine desktop, its hotkeys pressed through SendInput by key_helper.exe, its
// menus and windows driven from this test like a user would.
#include <windows.h>
#include <winnetwk.h>

#include <gtest/gtest.h>

#include <vector>

#include "formatter/formatter.h"
#include "shell/resource.h"
#include "tray_session.h"

namespace tabwright::test {
namespace {

constexpr auto kUiDeadline = 10s;

// The ids and class names of the settings dialog's and the About box's
// controls, as a user finds them on the screen.
constexpr wchar_t kDialogClass[] = L"TabwrightDialog";
constexpr wchar_t kAboutClass[] = L"TabwrightAbout";
constexpr int kDialogText1 = 101;
constexpr int kDialogCheck1 = 110;  // Win, Shift, Ctrl, Alt
constexpr int kDialogCombo1 = 120;
constexpr int kAboutVersion = 203;

std::u16string Today() {
    wchar_t text[128] = {};
    const int length = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 128, nullptr);
    return std::u16string(text, text + (length > 0 ? length - 1 : 0));
}

std::u16string BuiltInHeading() {
    return u"// >> Company Name\r\n// Date ..........: " + Today() +
           u"\r\n// Version NC ....: x.xx\r\n// Description ...: \r\n//                : \r\n// << Company Name\r\n\r\n";
}

std::u16string UpperUser() {
    wchar_t name[256] = {};
    DWORD length = 255;
    WNetGetUserW(nullptr, name, &length);
    CharUpperW(name);
    return std::u16string(name, name + wcslen(name));
}

std::u16string TextOf(HWND window) {
    std::vector<wchar_t> text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1);
    const LRESULT length = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::u16string(text.begin(), text.begin() + length);
}

// Starts key_helper.exe, which sits beside the test, with the arguments.
PROCESS_INFORMATION StartKeyHelper(const std::wstring& arguments) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + ProgramFolder() + L"\\key_helper.exe\" " + arguments;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        CloseHandle(process.hThread);
    return process;
}

// Whether another program may take the key combination now.
bool Free(UINT modifiers, UINT key) {
    if (!RegisterHotKey(nullptr, 0x7001, modifiers, key)) return false;
    UnregisterHotKey(nullptr, 0x7001);
    return true;
}

struct WindowSearch {
    DWORD process;
    const wchar_t* className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchShownWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (owner != search->process || wcscmp(name, search->className) != 0 || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// A top-level window of the class in the process, once it is shown.
HWND WaitForWindow(DWORD process, const wchar_t* className) {
    WindowSearch search{process, className};
    WaitFor(
        [&] {
            EnumWindows(MatchShownWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        kUiDeadline);
    return search.found;
}

class SnippetsEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSettings();
        // Plain text from another program, which is gone again: the program
        // under test never waits for an owner that does not answer.
        CopyInHost("copied before", false);
    }
    void TearDown() override {
        program.Stop();
        ClearSettings();
    }

    void Start() { ASSERT_TRUE(program.Start()) << "Tabwright.exe did not start"; }
    DWORD Process() const {
        DWORD process = 0;
        GetWindowThreadProcessId(program.Window(), &process);
        return process;
    }

    // Presses keys from another process, as the user at the keyboard.
    void Press(const std::wstring& keys) {
        const PROCESS_INFORMATION helper = StartKeyHelper(L"press " + keys);
        ASSERT_NE(helper.hProcess, nullptr);
        WaitForSingleObject(helper.hProcess, 30000);
        CloseHandle(helper.hProcess);
    }

    // Chooses the menu command and waits for the window it opens.
    HWND OpenFromMenu(unsigned command, const wchar_t* className) {
        program.Command(command);
        return WaitForWindow(Process(), className);
    }
    // Presses the window's OK button; true once the window is gone.
    bool PressOK(HWND window) {
        SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        return WaitFor([&] { return !IsWindow(window); }, kUiDeadline);
    }

    bool ClipboardBecomes(const std::u16string& text) {
        return WaitFor([&] { return ClipboardText() == text; }, kUiDeadline);
    }
    bool ClipboardStays(const std::u16string& text) {
        return HoldsFor([&] { return ClipboardText() == text; }, 1s);
    }
    bool LogShows(const std::u16string& text) {
        return WaitFor([&] { return program.LogText() == text; }, kUiDeadline);
    }

    TrayProgram program;
};

TEST_F(SnippetsEndToEndTest, HeadingHotkeyPutsTodaysBuiltInHeadingOnClipboardAndInLog) {
    Start();
    EXPECT_FALSE(Free(MOD_CONTROL, 'H'));
    Press(L"ctrl+72");
    EXPECT_TRUE(ClipboardBecomes(BuiltInHeading())) << testing::PrintToString(ClipboardText());
    EXPECT_TRUE(LogShows(BuiltInHeading()));
    Press(L"ctrl+69");
    EXPECT_TRUE(ClipboardBecomes(u"// << Company Name\r\n\r\n"));
}

TEST_F(SnippetsEndToEndTest, HotkeysDoNothingAndHoldNoKeyWhileInactive) {
    WriteSetting(L"Active", L"0");
    Start();
    EXPECT_TRUE(Free(MOD_CONTROL, 'H'));
    EXPECT_TRUE(Free(MOD_CONTROL, 'S'));
    EXPECT_TRUE(Free(MOD_ALT, '1'));
    Press(L"ctrl+72 alt+49");
    EXPECT_TRUE(ClipboardStays(u"copied before"));

    // The menu commands work all the same.
    program.Command(IDM_INSERT_END);
    EXPECT_TRUE(ClipboardBecomes(u"// << Company Name\r\n\r\n"));

    // Switched on from the tray menu, the keys are the program's again.
    program.Command(IDM_ACTIVATECLIPBOARD);
    ASSERT_TRUE(WaitFor([] { return ReadSetting(L"Active") == L"1"; }, kUiDeadline));
    EXPECT_FALSE(Free(MOD_CONTROL, 'H'));
    Press(L"ctrl+72");
    EXPECT_TRUE(ClipboardBecomes(BuiltInHeading()));
    program.Command(IDM_ACTIVATECLIPBOARD);
    ASSERT_TRUE(WaitFor([] { return ReadSetting(L"Active") == L"0"; }, kUiDeadline));
    EXPECT_TRUE(Free(MOD_CONTROL, 'H'));
}

TEST_F(SnippetsEndToEndTest, StoredTemplateIsExpandedWhenItsKeyIsPressed) {
    WriteSetting(L"Heading", L"// %User% on %Date%, v%Ver%\r\n");
    WriteSetting(L"Version Heading", L"NAVW1.%Des%");
    WriteSetting(L"Description Heading", L"00");
    Start();
    Press(L"ctrl+72");
    EXPECT_TRUE(ClipboardBecomes(u"// " + UpperUser() + u" on " + Today() + u", vNAVW1.00\r\n"))
        << testing::PrintToString(ClipboardText());
}

TEST_F(SnippetsEndToEndTest, StoredCodeGivesItsKeyAfterRestart) {
    WriteSetting(L"H Heading", L"1081");
    WriteSetting(L"H Hotkey 0", L"0");
    Start();
    EXPECT_TRUE(Free(MOD_CONTROL, 'H'));
    Press(L"ctrl+82");
    EXPECT_TRUE(ClipboardBecomes(BuiltInHeading()));
    // No code: snippet 0 keeps its built-in Alt+1.
    Press(L"alt+49");
    EXPECT_TRUE(ClipboardBecomes(u"// >> Company Name\r\n"));
}

TEST_F(SnippetsEndToEndTest, SnippetFromMenuAndFromHotkeyHaveTheirOwnDefaults) {
    Start();
    program.Command(IDM_INSERT_HOTKEY0 + 3);
    EXPECT_TRUE(ClipboardBecomes(u"// Osrik\r\n"));
    EXPECT_TRUE(LogShows(u"// Osrik\r\n"));
    Press(L"alt+52");
    EXPECT_TRUE(ClipboardBecomes(u"// >> Company Name\r\n"));
    WriteSetting(L"Hotkey 3", L"snippet three");
    program.Command(IDM_INSERT_HOTKEY0 + 3);
    EXPECT_TRUE(ClipboardBecomes(u"snippet three"));
}

TEST_F(SnippetsEndToEndTest, BlockShiftMovesTheLogBoxLines) {
    Start();
    const std::u16string edited = u"IF x THEN\r\n  y := 1;";
    SendMessageW(program.Control(IDC_TEXT1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(edited.c_str()));
    Press(L"shift+39");
    const std::u16string right = Indent_Right(edited);
    EXPECT_TRUE(ClipboardBecomes(right)) << testing::PrintToString(ClipboardText());
    EXPECT_TRUE(LogShows(right));
    Press(L"shift+37 shift+37");
    EXPECT_TRUE(ClipboardBecomes(Indent_Left(Indent_Left(right))));
}

TEST_F(SnippetsEndToEndTest, SettingsDialogStoresTemplateAndCodeAndAppliesTheKeysAtOnce) {
    Start();
    HWND dialog = OpenFromMenu(IDM_SET_HEADING, kDialogClass);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), u"Heading");
    // Another settings entry while it is open leaves it on "Heading".
    program.Command(IDM_HOTKEYS0 + 3);
    EXPECT_TRUE(HoldsFor([&] { return TextOf(dialog) == u"Heading"; }, 300ms));

    SendMessageW(GetDlgItem(dialog, kDialogText1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"// mine %User%"));
    SendMessageW(GetDlgItem(dialog, kDialogCheck1 + 2), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(dialog, kDialogCheck1 + 3), BM_CLICK, 0, 0);
    HWND keys = GetDlgItem(dialog, kDialogCombo1);
    SendMessageW(keys, CB_SETCURSEL, 57, 0);  // " 82 - R key"
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kDialogCombo1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(keys));
    ASSERT_TRUE(PressOK(dialog));

    EXPECT_EQ(ReadSetting(L"Heading"), L"// mine %User%");
    EXPECT_EQ(ReadSetting(L"H Heading"), L"3129");
    EXPECT_TRUE(Free(MOD_CONTROL, 'H'));
    EXPECT_FALSE(Free(MOD_CONTROL | MOD_ALT, 'R'));
    Press(L"ctrl+alt+82");
    EXPECT_TRUE(ClipboardBecomes(u"// mine " + UpperUser()));
}

TEST_F(SnippetsEndToEndTest, UntouchedSettingsDialogKeepsTheBuiltInKey) {
    Start();
    HWND dialog = OpenFromMenu(IDM_SET_HEADING, kDialogClass);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressOK(dialog));
    EXPECT_EQ(ReadSetting(L"H Heading"), L"0");
    EXPECT_EQ(ReadSetting(L"Heading"), L"");
    // No bare H taken from every other program.
    EXPECT_TRUE(Free(0, 'H'));
    Press(L"ctrl+72");
    EXPECT_TRUE(ClipboardBecomes(BuiltInHeading()));
}

TEST_F(SnippetsEndToEndTest, AboutBoxShowsTheVersionLine) {
    Start();
    HWND about = OpenFromMenu(IDM_OM, kAboutClass);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(TextOf(about), u"About Tabwright");
    // The project's version: major, minor and patch.
    const std::u16string major = Utf16(std::to_string(TABWRIGHT_VERSION_MAJOR));
    const std::u16string minor = Utf16(std::to_string(TABWRIGHT_VERSION_MINOR));
    const std::u16string patch = Utf16(std::to_string(TABWRIGHT_VERSION_PATCH));
    EXPECT_EQ(TextOf(GetDlgItem(about, kAboutVersion)),
              u"Version " + major + u"." + minor + u"    Build : " + major + minor.substr(0, 1) + patch);
    EXPECT_TRUE(PressOK(about));
}

TEST_F(SnippetsEndToEndTest, KeyTakenByAnotherProgramIsReported) {
    SharedEvent held;
    SharedEvent release;
    const PROCESS_INFORMATION holder = StartKeyHelper(L"hold ctrl+72 " + held.Name() + L" " + release.Name());
    ASSERT_NE(holder.hProcess, nullptr);
    ASSERT_TRUE(held.Wait(30000));

    Start();
    DWORD process = Process();
    HWND box = WaitForWindow(process, L"#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), u"Tabwright");
    std::u16string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (wcscmp(name, L"Static") == 0 && !TextOf(child).empty()) text = TextOf(child);
    }
    wchar_t reason[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_HOTKEY_ALREADY_REGISTERED,
                   0, reason, 256, nullptr);
    std::u16string expected = u"10, Ctrl+H, " + std::u16string(reason, reason + wcslen(reason));
    while (!expected.empty() && (expected.back() == u'\n' || expected.back() == u'\r')) expected.pop_back();
    EXPECT_EQ(text, expected);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    release.Set();
    WaitForSingleObject(holder.hProcess, 30000);
    CloseHandle(holder.hProcess);
}

}  // namespace
}  // namespace tabwright::test
