// The hotkey control against the real Windows hotkeys of the session:
// presses come through SendInput from another process, and a combination
// taken by another process makes registering fail.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop_support.h"
#include "snippets/hotkey_control.h"

namespace tabwright {
namespace {

using namespace std::chrono_literals;
using test::BesideTest;
using test::RunProgram;

struct Failure {
    int index;
    std::u16string keys;
    std::u16string error;
};

constexpr KeyCombination kCtrlH{'H', false, false, true, false};
constexpr KeyCombination kCtrlR{'R', false, false, true, false};

class HotkeyControlTest : public testing::Test {
protected:
    void SetUp() override {
        window_ = test::CreateMessageWindow();
        ASSERT_NE(window_, nullptr);
        probe_ = test::CreateMessageWindow();
    }
    void TearDown() override {
        control_.reset();
        DestroyWindow(window_);
        DestroyWindow(probe_);
    }

    CHotkeyControl& MakeControl() {
        control_ = std::make_unique<CHotkeyControl>(window_, BuiltInKeys());
        control_->OnPress([this](int index) { pressed_.push_back(index); });
        control_->OnFailure([this](int index, const std::u16string& keys, const std::u16string& error) {
            failures_.push_back({index, keys, error});
        });
        return *control_;
    }

    // Presses the keys from another process and handles the hotkey messages
    // that arrive meanwhile and shortly after.
    void Press(const std::wstring& keys) {
        const auto hotkeys = [this](MSG& message) {
            return message.message == WM_HOTKEY && message.hwnd == window_ && control_->HotkeyMessage(message.wParam);
        };
        ASSERT_EQ(RunProgram(BesideTest(L"key_helper.exe"), L"press " + keys, hotkeys), 0);
        test::Pump(300ms, hotkeys);
    }

    // Whether a window of ours can take the combination now.
    bool Free(const KeyCombination& keys) {
        UINT modifiers = (keys.ctrl ? MOD_CONTROL : 0) | (keys.alt ? MOD_ALT : 0) | (keys.shift ? MOD_SHIFT : 0) |
                         (keys.win ? MOD_WIN : 0);
        if (!RegisterHotKey(probe_, 0x7000, modifiers, static_cast<UINT>(keys.vkey))) return false;
        UnregisterHotKey(probe_, 0x7000);
        return true;
    }

    HWND window_ = nullptr;
    HWND probe_ = nullptr;
    std::unique_ptr<CHotkeyControl> control_;
    std::vector<int> pressed_;
    std::vector<Failure> failures_;
};

TEST_F(HotkeyControlTest, BuiltInKeysRaiseThePressEventWithTheirElementIndex) {
    CHotkeyControl& control = MakeControl();
    control.SetActive(true);
    for (int index = 0; index < control.Count(); ++index) EXPECT_TRUE(control.Registered(index)) << index;
    EXPECT_TRUE(failures_.empty());

    Press(L"ctrl+72 alt+48 alt+49 shift+37 shift+39 ctrl+83 ctrl+69");
    EXPECT_EQ(pressed_, (std::vector<int>{10, 9, 0, 13, 14, 11, 12}));

    // The keys alone, or with another modifier, are not the hotkeys.
    pressed_.clear();
    Press(L"72 ctrl+shift+72 48 alt+ctrl+49");
    EXPECT_TRUE(pressed_.empty());
}

TEST_F(HotkeyControlTest, InactiveControlLeavesEveryKeyToOtherPrograms) {
    CHotkeyControl& control = MakeControl();
    EXPECT_TRUE(Free(kCtrlH));
    control.SetActive(true);
    EXPECT_FALSE(Free(kCtrlH));

    control.SetActive(false);
    for (const KeyCombination& keys : BuiltInKeys()) EXPECT_TRUE(Free(keys)) << keys.vkey;
    Press(L"ctrl+72 alt+49");
    EXPECT_TRUE(pressed_.empty());

    control.SetActive(true);
    Press(L"ctrl+72");
    EXPECT_EQ(pressed_, std::vector<int>{10});
}

TEST_F(HotkeyControlTest, ChangedPropertiesTakeEffectAtOnce) {
    CHotkeyControl& control = MakeControl();
    control.SetActive(true);

    control.set_vkey(10, 'R');
    EXPECT_TRUE(Free(kCtrlH));
    EXPECT_FALSE(Free(kCtrlR));
    control.set_ctrlkey(10, false);
    control.set_altkey(10, true);
    EXPECT_TRUE(Free(kCtrlR));
    EXPECT_FALSE(Free({'R', false, false, false, true}));
    EXPECT_EQ(control.Keys(10), (KeyCombination{'R', false, false, false, true}));

    control.SetKeys(10, kCtrlH);
    Press(L"ctrl+72 alt+82");
    EXPECT_EQ(pressed_, std::vector<int>{10});

    // Changed while inactive: nothing is registered until activation.
    control.SetActive(false);
    control.SetKeys(11, kCtrlR);
    EXPECT_TRUE(Free(kCtrlR));
    control.SetActive(true);
    EXPECT_FALSE(Free(kCtrlR));
    EXPECT_TRUE(Free({'S', false, false, true, false}));
    EXPECT_TRUE(failures_.empty());
}

TEST_F(HotkeyControlTest, KeysTakenByAnotherProgramRaiseTheFailureEvent) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"TabwrightTestHotkeyHeld");
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, L"TabwrightTestHotkeyRelease");
    HANDLE holder = test::StartProgram(BesideTest(L"key_helper.exe"),
                                       L"hold ctrl+72 TabwrightTestHotkeyHeld TabwrightTestHotkeyRelease");
    ASSERT_NE(holder, nullptr);
    ASSERT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0);

    CHotkeyControl& control = MakeControl();
    control.SetActive(true);
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_EQ(failures_[0].index, 10);
    EXPECT_EQ(failures_[0].keys, u"Ctrl+H");
    EXPECT_EQ(failures_[0].error, SystemErrorText(ERROR_HOTKEY_ALREADY_REGISTERED));
    EXPECT_FALSE(failures_[0].error.empty());
    EXPECT_FALSE(failures_[0].error.ends_with(u"\n"));
    EXPECT_FALSE(control.Registered(10));
    EXPECT_TRUE(control.Registered(11));

    // Once the other program lets go, setting the element again takes it.
    SetEvent(release);
    WaitForSingleObject(holder, 30000);
    control.set_ctrlkey(10, true);
    EXPECT_TRUE(control.Registered(10));
    EXPECT_EQ(failures_.size(), 1u);
    CloseHandle(holder);
    CloseHandle(ready);
    CloseHandle(release);
}

TEST_F(HotkeyControlTest, DestroyingTheControlGivesItsKeysBack) {
    MakeControl().SetActive(true);
    EXPECT_FALSE(Free(kCtrlH));
    control_.reset();
    for (const KeyCombination& keys : BuiltInKeys()) EXPECT_TRUE(Free(keys)) << keys.vkey;
}

TEST_F(HotkeyControlTest, IdentifiersOfOtherSourcesAreNotPresses) {
    CHotkeyControl& control = MakeControl();
    EXPECT_FALSE(control.HotkeyMessage(0));
    EXPECT_FALSE(control.HotkeyMessage(16));
    EXPECT_FALSE(control.HotkeyMessage(static_cast<WPARAM>(IDHOT_SNAPDESKTOP)));
    EXPECT_TRUE(control.HotkeyMessage(15));
    EXPECT_EQ(pressed_, std::vector<int>{14});
}

}  // namespace
}  // namespace tabwright
