// The settings dialog as a real window: its controls are read and clicked
// like a user would, and keys are typed into its key list through SendInput
// from another process.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "desktop_support.h"
#include "snippets/settings_dialog.h"

namespace tabwright {
namespace {

using namespace std::chrono_literals;

class RecordingHost : public DialogHost {
public:
    std::u16string GetString(std::u16string_view name) override {
        const auto found = stored.find(std::u16string(name));
        return found == stored.end() ? std::u16string() : found->second;
    }
    void SaveString(std::u16string_view name, std::u16string_view value) override {
        saved.emplace_back(name, value);
        stored[std::u16string(name)] = value;
    }
    void SetHotkey(int element, const KeyCombination& keys) override { hotkeys.emplace_back(element, keys); }

    std::map<std::u16string, std::u16string> stored;
    std::vector<std::pair<std::u16string, std::u16string>> saved;
    std::vector<std::pair<int, KeyCombination>> hotkeys;
};

std::u16string TextOf(HWND window) {
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return std::u16string(text, text + wcslen(text));
}

class SettingsDialogWindowTest : public testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        dialog_ = std::make_unique<Dialog>(GetModuleHandleW(nullptr), owner_, host_);
    }
    void TearDown() override {
        dialog_.reset();
        DestroyWindow(owner_);
    }

    HWND Item(int id) { return GetDlgItem(dialog_->Handle(), id); }
    bool Box(int box) { return SendMessageW(Item(Dialog::kCheck1 + box), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    std::u16string KeyListText() { return TextOf(Item(Dialog::kCombo1)); }

    // Presses keys from another process while the control has the focus,
    // with the program's message loop: Tab and Enter act on the dialog.
    void Type(int focus, const std::wstring& keys) {
        SetForegroundWindow(dialog_->Handle());
        SetFocus(Item(focus));
        const test::MessageFilter dialogKeys = [this](MSG& message) {
            return dialog_->Loaded() && IsDialogMessageW(dialog_->Handle(), &message);
        };
        test::Pump(100ms, dialogKeys);
        ASSERT_EQ(test::RunProgram(test::BesideTest(L"key_helper.exe"), L"press " + keys, dialogKeys), 0);
        test::Pump(300ms, dialogKeys);
    }
    void TypeIntoKeyList(const std::wstring& keys) { Type(Dialog::kCombo1, keys); }

    HWND owner_ = nullptr;
    RecordingHost host_;
    std::unique_ptr<Dialog> dialog_;
};

TEST_F(SettingsDialogWindowTest, OpensWithTheStoredSettingInItsControls) {
    host_.stored = {{u"Hotkey 7", u"// seven\r\n// %User%"}, {u"H Hotkey 7", u"1081"}};
    dialog_->Open(u"Hotkey 7");
    ASSERT_TRUE(dialog_->Loaded());
    EXPECT_TRUE(IsWindowVisible(dialog_->Handle()));
    EXPECT_EQ(GetWindow(dialog_->Handle(), GW_OWNER), owner_);
    EXPECT_EQ(TextOf(dialog_->Handle()), u"Hotkey 7");
    EXPECT_EQ(TextOf(Item(Dialog::kText1)), u"// seven\r\n// %User%");
    EXPECT_EQ(TextOf(Item(Dialog::kLabel1)), kPlaceholderHelp);
    EXPECT_EQ(TextOf(Item(IDOK)), u"OK");
    EXPECT_EQ(TextOf(Item(IDCANCEL)), u"Cancel");
    EXPECT_EQ(TextOf(Item(Dialog::kCheck1 + 3)), u"Alt");
    EXPECT_FALSE(Box(0));
    EXPECT_FALSE(Box(1));
    EXPECT_TRUE(Box(2));
    EXPECT_FALSE(Box(3));
    EXPECT_EQ(KeyListText(), u" 82 - R key");
    EXPECT_EQ(SendMessageW(Item(Dialog::kCombo1), CB_GETCOUNT, 0, 0), 99);
    EXPECT_TRUE(IsWindowEnabled(Item(Dialog::kCombo1)));
    const LONG_PTR style = GetWindowLongPtrW(dialog_->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
}

TEST_F(SettingsDialogWindowTest, ConfirmingStoresCodeAndTextAndAppliesTheKeysAtOnce) {
    dialog_->Open(u"Heading");
    EXPECT_EQ(KeyListText(), u"  1 - Left mouse button");
    SetWindowTextW(Item(Dialog::kText1), L"// %User% %Date%");
    Click(Dialog::kCheck1 + 2);
    SendMessageW(Item(Dialog::kCombo1), CB_SETCURSEL, 47, 0);
    SendMessageW(dialog_->Handle(), WM_COMMAND, MAKEWPARAM(Dialog::kCombo1, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(Dialog::kCombo1)));
    Click(IDOK);
    EXPECT_FALSE(dialog_->Loaded());
    EXPECT_EQ(host_.saved, (std::vector<std::pair<std::u16string, std::u16string>>{
                               {u"H Heading", u"1071"}, {u"Heading", u"// %User% %Date%"}}));
    ASSERT_EQ(host_.hotkeys.size(), 1u);
    EXPECT_EQ(host_.hotkeys[0], std::make_pair(10, KeyCombination{'H', false, false, true, false}));
}

TEST_F(SettingsDialogWindowTest, UntouchedDialogKeepsTheBuiltInKey) {
    dialog_->Open(u"Heading");
    Click(IDOK);
    EXPECT_EQ(host_.stored[u"H Heading"], u"0");
    EXPECT_EQ(host_.stored[u"Heading"], u"");
    ASSERT_EQ(host_.hotkeys.size(), 1u);
    EXPECT_EQ(host_.hotkeys[0], std::make_pair(10, KeyCombination{'H', false, false, true, false}));
}

TEST_F(SettingsDialogWindowTest, CancelAndTheCloseBoxWriteNothing) {
    dialog_->Open(u"Start Heading");
    SetWindowTextW(Item(Dialog::kText1), L"changed");
    Click(IDCANCEL);
    EXPECT_FALSE(dialog_->Loaded());
    dialog_->Open(u"Start Heading");
    SendMessageW(dialog_->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog_->Loaded());
    EXPECT_TRUE(host_.saved.empty());
    EXPECT_TRUE(host_.hotkeys.empty());
}

TEST_F(SettingsDialogWindowTest, PlaceholderTextsHaveTheirHotkeyPartDisabled) {
    dialog_->Open(u"Version Heading");
    for (int box = 0; box < 4; ++box) EXPECT_FALSE(IsWindowEnabled(Item(Dialog::kCheck1 + box)));
    EXPECT_FALSE(IsWindowEnabled(Item(Dialog::kCombo1)));
    SetWindowTextW(Item(Dialog::kText1), L"2.01");
    Click(IDOK);
    EXPECT_EQ(host_.saved, (std::vector<std::pair<std::u16string, std::u16string>>{{u"Version Heading", u"2.01"}}));
    EXPECT_TRUE(host_.hotkeys.empty());
}

TEST_F(SettingsDialogWindowTest, BlockShiftShowsItsNoticeAndStoresItWithTheCode) {
    host_.stored = {{u"Indent Left", u"old"}};
    dialog_->Open(u"Indent Left");
    EXPECT_EQ(TextOf(Item(Dialog::kText1)), u"This textbox if not for use only the hotkey to Indent Left");
    Click(Dialog::kCheck1 + 3);
    Click(IDOK);
    EXPECT_EQ(host_.stored[u"Indent Left"], u"This textbox if not for use only the hotkey to Indent Left");
    EXPECT_EQ(host_.stored[u"H Indent Left"], u"2048");
    ASSERT_EQ(host_.hotkeys.size(), 1u);
    EXPECT_EQ(host_.hotkeys[0], std::make_pair(13, KeyCombination{1, false, false, false, true}));
}

TEST_F(SettingsDialogWindowTest, OpeningAgainWhileShownKeepsTheFirstSetting) {
    dialog_->Open(u"Heading");
    HWND first = dialog_->Handle();
    SetWindowTextW(Item(Dialog::kText1), L"kept");
    dialog_->Open(u"Hotkey 3");
    EXPECT_EQ(dialog_->Handle(), first);
    EXPECT_EQ(TextOf(dialog_->Handle()), u"Heading");
    EXPECT_EQ(TextOf(Item(Dialog::kText1)), u"kept");
    Click(IDOK);
    EXPECT_EQ(host_.stored[u"Heading"], u"kept");
    EXPECT_FALSE(host_.stored.contains(u"Hotkey 3"));
    EXPECT_EQ(host_.hotkeys.at(0).first, 10);

    // After OK the next opening starts afresh.
    dialog_->Open(u"Hotkey 3");
    EXPECT_EQ(TextOf(dialog_->Handle()), u"Hotkey 3");
}

TEST_F(SettingsDialogWindowTest, TypedTextThatNamesNoKeyKeepsThePreviousKey) {
    host_.stored = {{u"H End Heading", u"1093"}};  // Ctrl+E
    dialog_->Open(u"End Heading");
    SetWindowTextW(Item(Dialog::kCombo1), L"my favourite key");
    Click(IDOK);
    EXPECT_EQ(host_.stored[u"H End Heading"], u"1093");
}

TEST_F(SettingsDialogWindowTest, ReleasingAKeyInTheListChoosesIt) {
    dialog_->Open(u"Heading");
    TypeIntoKeyList(L"72");
    EXPECT_EQ(KeyListText(), u" 72 - H key");
    // Ctrl+H: H is released first, Ctrl last.
    TypeIntoKeyList(L"ctrl+72");
    EXPECT_EQ(KeyListText(), u" 17 - CTRL key");
    // The semicolon key is not in the list: the walk ends on the last entry.
    TypeIntoKeyList(L"186");
    EXPECT_EQ(KeyListText(), u"144 - NUM LOCK key");
    TypeIntoKeyList(L"112");
    Click(IDOK);
    EXPECT_EQ(host_.stored[u"H Heading"], u"82");
}

TEST_F(SettingsDialogWindowTest, KeyboardMovesThroughTheDialogWithoutChoosingKeys) {
    host_.stored = {{u"H Heading", u"1071"}};
    dialog_->Open(u"Heading");
    Type(Dialog::kCheck1 + 3, L"9");
    EXPECT_EQ(GetFocus(), GetWindow(Item(Dialog::kCombo1), GW_CHILD));
    EXPECT_EQ(KeyListText(), u" 72 - H key");
    // Enter confirms, Escape cancels.
    Type(Dialog::kCombo1, L"13");
    EXPECT_FALSE(dialog_->Loaded());
    EXPECT_EQ(host_.stored[u"H Heading"], u"1071");
    dialog_->Open(u"Heading");
    Type(Dialog::kText1, L"27");
    EXPECT_FALSE(dialog_->Loaded());
    EXPECT_EQ(host_.saved.size(), 2u);
}

}  // namespace
}  // namespace tabwright
