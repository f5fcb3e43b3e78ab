#include <gtest/gtest.h>

#include <climits>

#include "settings/hotkey_code.h"

namespace tabwright {
namespace {

Hotkey Key(int position, bool win, bool shift, bool ctrl, bool alt) {
    return Hotkey{position, win, shift, ctrl, alt};
}

TEST(HotkeyCodeTest, EncodesPositionPlusModifierFlags) {
    EXPECT_EQ(EncodeHotkey(Key(0, false, false, false, false)), 0);
    EXPECT_EQ(EncodeHotkey(Key(47, false, false, true, false)), 1071);
    EXPECT_EQ(EncodeHotkey(Key(5, true, false, false, false)), 261);
    EXPECT_EQ(EncodeHotkey(Key(5, false, true, false, false)), 517);
    EXPECT_EQ(EncodeHotkey(Key(5, false, false, false, true)), 2053);
    EXPECT_EQ(EncodeHotkey(Key(98, true, true, true, true)), 3938);
    EXPECT_EQ(kLargestHotkeyCode, 3938);
    for (int position : {-1, 99, 300, INT_MIN})
        EXPECT_FALSE(EncodeHotkey(Key(position, false, true, false, false))) << position;
}

TEST(HotkeyCodeTest, DecodesFromTheHighestFlagDown) {
    EXPECT_EQ(DecodeHotkey(1081), Key(57, false, false, true, false));
    EXPECT_EQ(DecodeHotkey(2048), Key(0, false, false, false, true));
    EXPECT_EQ(DecodeHotkey(1071), Key(47, false, false, true, false));
    EXPECT_EQ(DecodeHotkey(3938), Key(98, true, true, true, true));
    EXPECT_EQ(DecodeHotkey(768), Key(0, true, true, false, false));
    EXPECT_EQ(DecodeHotkey(1), Key(1, false, false, false, false));
}

TEST(HotkeyCodeTest, EveryCodeRoundTripsOrSetsNoHotkey) {
    int valid = 0;
    for (int code = -300; code <= 5000; ++code) {
        const std::optional<Hotkey> key = DecodeHotkey(code);
        const bool expected = code > 0 && code <= 3938 && code % 256 < 99;
        ASSERT_EQ(key.has_value(), expected) << code;
        if (!key) continue;
        ++valid;
        EXPECT_EQ(EncodeHotkey(*key), code);
        EXPECT_EQ(ReadHotkeyCode(HotkeyCodeText(code)), key) << code;
    }
    EXPECT_EQ(valid, 16 * 99 - 1);  // every key with every modifier set, less code 0
}

TEST(HotkeyCodeTest, RejectsCodesThatSetNoHotkey) {
    for (int code : {0, -1, -1071, -2048, 3939, 4000, 4095, 99, 255, 355, 1123, 3939 - 256,
                     32767, 32768, 65535, 65536, INT_MAX, INT_MIN})
        EXPECT_FALSE(DecodeHotkey(code)) << code;
}

TEST(LeadingNumberTest, ReadsTheNumberAtTheStartOfTheText) {
    const std::pair<std::u16string_view, double> cases[] = {
        {u"1081", 1081}, {u"   1081", 1081}, {u"1081abc", 1081}, {u"1071 1", 1071},
        {u"+12", 12}, {u"-12", -12}, {u"1.5", 1.5}, {u".5", 0.5}, {u"5.", 5},
        {u"1e3", 1000}, {u"1E+3", 1000}, {u"25e-1", 2.5}, {u"2.5e1", 25},
        {u"1e", 1}, {u"1e+", 1}, {u"7ex", 7}, {u"1.2.3", 1.2}, {u"0x10", 0},
        {u"1,5", 1}, {u"00042", 42}, {u"1\u00A0", 1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(LeadingNumber(text), value) << testing::PrintToString(std::u16string(text));
}

TEST(LeadingNumberTest, FindsNoNumber) {
    for (std::u16string_view text : {u"", u"   ", u"abc", u"-", u"+", u".", u"-.", u"- 5", u"--5",
                                     u"e5", u"\t5", u"\u0661", u"1e400", u"-1e400"})
        EXPECT_FALSE(LeadingNumber(text)) << testing::PrintToString(std::u16string(text));
}

TEST(RoundHalfEvenTest, SendsHalvesToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {1080.5, 1080}, {1081.5, 1082},
        {2.4, 2}, {2.6, 3}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {-2.6, -3}, {7, 7},
    };
    for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST(ReadHotkeyCodeTest, ReadsStoredTextsAsTheProgramDoes) {
    EXPECT_EQ(ReadHotkeyCode(u"1081"), Key(57, false, false, true, false));
    EXPECT_EQ(ReadHotkeyCode(u" 2048"), Key(0, false, false, false, true));
    EXPECT_EQ(ReadHotkeyCode(u"1071 Ctrl+H"), Key(47, false, false, true, false));
    EXPECT_EQ(ReadHotkeyCode(u"1080.5"), Key(56, false, false, true, false));
    EXPECT_EQ(ReadHotkeyCode(u"1081.5"), Key(58, false, false, true, false));
    EXPECT_EQ(ReadHotkeyCode(u"1.071e3"), Key(47, false, false, true, false));
    EXPECT_EQ(ReadHotkeyCode(u"1.5"), Key(2, false, false, false, false));
    EXPECT_EQ(ReadHotkeyCode(u"3938.5"), Key(98, true, true, true, true));
}

TEST(ReadHotkeyCodeTest, TreatsBadTextsAsNoHotkey) {
    for (std::u16string_view text : {u"", u"abc", u"0", u"0.5", u"-0.4", u"-1071", u"3939", u"3938.6",
                                     u"355", u"1123", u"40000", u"99999999999999999999", u"1e400",
                                     u"Ctrl+H"})
        EXPECT_FALSE(ReadHotkeyCode(text)) << testing::PrintToString(std::u16string(text));
}

TEST(HotkeyCodeTextTest, WritesPlainDecimalDigits) {
    EXPECT_EQ(HotkeyCodeText(0), u"0");
    EXPECT_EQ(HotkeyCodeText(1071), u"1071");
    EXPECT_EQ(HotkeyCodeText(3938), u"3938");
}

}  // namespace
}  // namespace tabwright
