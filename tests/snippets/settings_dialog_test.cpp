// The settings dialog as a window of this program: keys pressed in its key
// list through SendInput, its buttons clicked.
#include <gtest/gtest.h>

#include <map>

#include "desktop.h"
#include "snippets/settings_dialog.h"

namespace tabwright::test {
namespace {

class RecordingHost : public DialogHost {
public:
    std::u16string GetString(std::u16string_view name) override { return stored[std::u16string(name)]; }
    void SaveString(std::u16string_view name, std::u16string_view value) override {
        stored[std::u16string(name)] = value;
        ++writes;
    }
    void SetHotkey(int, const KeyCombination&) override { ++writes; }

    std::map<std::u16string, std::u16string> stored;
    int writes = 0;
};

class SettingsDialogTest : public testing::Test {
protected:
    HWND Item(int id) const { return GetDlgItem(dialog_.Handle(), id); }
    void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }

    RecordingHost host_;
    Dialog dialog_{GetModuleHandleW(nullptr), nullptr, host_};
};

TEST_F(SettingsDialogTest, ReleasingAKeyInTheKeyListChoosesItsEntry) {
    dialog_.Open(u"Heading");
    const std::pair<std::vector<WORD>, std::u16string> releases[] = {
        {{'H'}, u" 72 - H key"},
        {{VK_CONTROL, 'H'}, u" 17 - CTRL key"},  // Ctrl is released last
        {{VK_OEM_1}, u"144 - NUM LOCK key"},     // the semicolon key is not in the list
    };
    for (const auto& [keys, entry] : releases) {
        SetForegroundWindow(dialog_.Handle());
        SetFocus(Item(Dialog::kCombo1));
        Press(keys);
        EXPECT_TRUE(WaitFor([&] { return TextOf(Item(Dialog::kCombo1)) == entry; }, 2s))
            << testing::PrintToString(TextOf(Item(Dialog::kCombo1)));
    }
}

TEST_F(SettingsDialogTest, CancelWritesNothingAndTextNamingNoKeyKeepsTheKeyChosenBefore) {
    host_.stored = {{u"H End Heading", u"1093"}};
    for (const bool closeBox : {false, true}) {
        dialog_.Open(u"End Heading");
        SetWindowTextW(Item(Dialog::kText1), L"changed");
        SendMessageW(closeBox ? dialog_.Handle() : Item(IDCANCEL), closeBox ? WM_CLOSE : BM_CLICK, 0, 0);
        EXPECT_FALSE(dialog_.Loaded());
    }
    EXPECT_EQ(host_.writes, 0);
    dialog_.Open(u"End Heading");
    SetWindowTextW(Item(Dialog::kCombo1), L"my favourite key");
    Click(IDOK);
    EXPECT_EQ(host_.stored[u"H End Heading"], u"1093");
}

TEST_F(SettingsDialogTest, PlaceholderTextsHaveNoHotkeyToChoose) {
    const std::pair<const char16_t*, bool> settings[] = {{u"Version Heading", false}, {u"Hotkey 7", true}};
    for (const auto& [setting, enabled] : settings) {
        dialog_.Open(setting);
        for (const int id : {Dialog::kCheck1, Dialog::kCheck1 + 3, Dialog::kCombo1})
            EXPECT_EQ(IsWindowEnabled(Item(id)) != FALSE, enabled) << testing::PrintToString(std::u16string(setting));
        Click(IDCANCEL);
    }
}

}  // namespace
}  // namespace tabwright::test
