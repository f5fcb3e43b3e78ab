#include <gtest/gtest.h>

#include <map>

#include "snippets/dialog_logic.h"

namespace tabwright {
namespace {

using Writes = std::vector<std::pair<std::u16string, std::u16string>>;

constexpr Hotkey Keys(int position, bool ctrl = false, bool alt = false) {
    return Hotkey{position, false, false, ctrl, alt};
}
constexpr KeyCombination Combination(int vkey, bool shift, bool ctrl, bool alt) {
    return {vkey, false, shift, ctrl, alt};
}

class SettingsDialogTest : public testing::Test {
protected:
    DialogContent Open(std::u16string_view name) {
        return OpenDialog(name, [this](std::u16string_view value) {
            read.emplace_back(value);
            const auto found = stored.find(std::u16string(value));
            return found == stored.end() ? std::u16string() : found->second;
        });
    }

    std::map<std::u16string, std::u16string> stored;
    std::vector<std::u16string> read;
};

TEST_F(SettingsDialogTest, OpensWithTheStoredTextAndCode) {
    stored = {{u"Hotkey 7", u"// seven\r\n%Date%"}, {u"H Hotkey 7", u"1081"}};
    const DialogContent dialog = Open(u"Hotkey 7");
    EXPECT_EQ(dialog.title, u"Hotkey 7");
    EXPECT_EQ(dialog.text, u"// seven\r\n%Date%");
    EXPECT_EQ(dialog.hotkeyIndex, 7);
    EXPECT_EQ(dialog.shown, Keys(57, true));
    EXPECT_EQ(read, (std::vector<std::u16string>{u"Hotkey 7", u"H Hotkey 7"}));
}

TEST_F(SettingsDialogTest, NothingStoredShowsAnEmptyTextNoModifierAndTheFirstKey) {
    const DialogContent dialog = Open(u"Heading");
    EXPECT_EQ(dialog.text, u"");
    EXPECT_EQ(dialog.hotkeyIndex, 10);
    EXPECT_EQ(dialog.shown, Hotkey{});
}

TEST_F(SettingsDialogTest, EachSettingBelongsToItsHotkeyElement) {
    const std::pair<std::u16string_view, int> settings[] = {
        {u"Heading", 10},         {u"Start Heading", 11},       {u"End Heading", 12},   {u"Version Heading", -1},
        {u"Description Heading", -1}, {u"Free Heading", -1},    {u"Hotkey 0", 0},       {u"Hotkey 9", 9},
        {u"Indent Left", 13},     {u"Indent Right", 14},
    };
    for (const auto& [name, element] : settings) {
        const DialogContent dialog = Open(name);
        EXPECT_EQ(dialog.hotkeyIndex, element) << testing::PrintToString(std::u16string(name));
        EXPECT_EQ(dialog.HotkeyEnabled(), element >= 0);
    }
}

TEST_F(SettingsDialogTest, BlockShiftSettingsShowTheirNoticeInsteadOfTheStoredText) {
    stored = {{u"Indent Left", u"typed before"}, {u"H Indent Right", u"2130"}};
    EXPECT_EQ(Open(u"Indent Left").text, u"This textbox if not for use only the hotkey to Indent Left");
    const DialogContent right = Open(u"Indent Right");
    EXPECT_EQ(right.text, u"This textbox if not for use only the hotkey to Indent Right");
    EXPECT_EQ(right.shown, Keys(82, false, true));
}

TEST_F(SettingsDialogTest, PlaceholderTextsShowTheirCodeButHaveNoHotkey) {
    stored = {{u"H Version Heading", u"2048"}, {u"Version Heading", u"1.0%Date%"}};
    const DialogContent dialog = Open(u"Version Heading");
    EXPECT_EQ(dialog.text, u"1.0%Date%");
    EXPECT_FALSE(dialog.HotkeyEnabled());
    EXPECT_EQ(dialog.shown, Keys(0, false, true));
}

TEST(ShowHotkeyCodeTest, CodesThatSetNoHotkeyShowNothing) {
    EXPECT_EQ(ShowHotkeyCode(u"3938"), (Hotkey{98, true, true, true, true}));
    EXPECT_EQ(ShowHotkeyCode(u"1071"), Keys(47, true));
    for (std::u16string_view code : {u"", u"0", u"-5", u"abc", u"99", u"1123", u"4000"})
        EXPECT_EQ(ShowHotkeyCode(code), Hotkey{}) << testing::PrintToString(std::u16string(code));
}

TEST(ConfirmDialogTest, StoresCodeThenTextAndAppliesKeyWithModifiers) {
    const DialogContent heading{u"Heading", u"", 10, Hotkey{}};
    const Confirmation ctrlH = ConfirmDialog(heading, u"// %User%", Keys(47, true));
    EXPECT_EQ(ctrlH.writes, (Writes{{u"H Heading", u"1071"}, {u"Heading", u"// %User%"}}));
    EXPECT_EQ(ctrlH.hotkey, std::make_pair(10, Combination('H', false, true, false)));

    const Confirmation ctrlR = ConfirmDialog(heading, u"x", Keys(57, true));
    EXPECT_EQ(ctrlR.writes.front(), std::make_pair(std::u16string(u"H Heading"), std::u16string(u"1081")));
    EXPECT_EQ(ctrlR.hotkey, std::make_pair(10, Combination('R', false, true, false)));

    const Confirmation everything = ConfirmDialog(heading, u"x", Hotkey{98, true, true, true, true});
    EXPECT_EQ(everything.writes.front().second, u"3938");
    EXPECT_EQ(everything.hotkey, std::make_pair(10, KeyCombination{144, true, true, true, true}));
}

TEST(ConfirmDialogTest, UntouchedDialogKeepsTheBuiltInKeyRunning) {
    // Code 0 sets no hotkey, so the next start keeps the built-in key: the
    // running element keeps it too, instead of taking the bare first key.
    const Confirmation heading = ConfirmDialog({u"Heading", u"", 10, Hotkey{}}, u"", Hotkey{});
    EXPECT_EQ(heading.writes, (Writes{{u"H Heading", u"0"}, {u"Heading", u""}}));
    EXPECT_EQ(heading.hotkey, std::make_pair(10, Combination('H', false, true, false)));

    const Confirmation snippet = ConfirmDialog({u"Hotkey 3", u"", 3, Hotkey{}}, u"s", Hotkey{});
    EXPECT_EQ(snippet.hotkey, std::make_pair(3, Combination('4', false, false, true)));
    const Confirmation left = ConfirmDialog({u"Indent Left", u"", 13, Hotkey{}}, u"s", Hotkey{});
    EXPECT_EQ(left.hotkey, std::make_pair(13, Combination(37, true, false, false)));
}

TEST(ConfirmDialogTest, BlockShiftStoresItsTextAndCode) {
    const DialogContent left{u"Indent Left", std::u16string(kIndentLeftNotice), 13, Hotkey{}};
    const Confirmation ok = ConfirmDialog(left, kIndentLeftNotice, Keys(82, false, true));
    EXPECT_EQ(ok.writes, (Writes{{u"H Indent Left", u"2130"}, {u"Indent Left", std::u16string(kIndentLeftNotice)}}));
    EXPECT_EQ(ok.hotkey, std::make_pair(13, Combination(112, false, false, true)));
}

TEST(ConfirmDialogTest, PlaceholderTextsStoreOnlyTheText) {
    const Confirmation version = ConfirmDialog({u"Version Heading", u"", -1, Hotkey{}}, u"2.01", Keys(47, true));
    EXPECT_EQ(version.writes, (Writes{{u"Version Heading", u"2.01"}}));
    EXPECT_FALSE(version.hotkey);
}

TEST(KeyChooserTest, ReleasedKeySelectsItsEntryOrTheLast) {
    EXPECT_EQ(KeyUpPosition('H'), 47);
    EXPECT_EQ(KeyUpPosition(17), 9);  // Ctrl released last
    EXPECT_EQ(KeyUpPosition(1), 0);
    EXPECT_EQ(KeyUpPosition(144), 98);
    EXPECT_EQ(KeyUpPosition(186), 98);  // the semicolon key is not in the list
    EXPECT_EQ(KeyUpPosition(0), 98);
}

TEST(KeyChooserTest, TypedTextNamesAnEntryOnlyWhenItIsOne) {
    EXPECT_EQ(EntryPosition(u" 72 - H key"), 47);
    EXPECT_EQ(EntryPosition(u"  1 - Left mouse button"), 0);
    EXPECT_EQ(EntryPosition(u"144 - NUM LOCK key"), 98);
    for (std::u16string_view text : {u"", u"H", u"72 - H key", u" 72 - H key ", u"Ctrl+H"})
        EXPECT_FALSE(EntryPosition(text)) << testing::PrintToString(std::u16string(text));
}

}  // namespace
}  // namespace tabwright
