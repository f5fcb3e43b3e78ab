#include <gtest/gtest.h>

#include <climits>

#include "settings/hotkey_code.h"

namespace tabwright {
namespace {

constexpr Hotkey Ctrl(int position) { return Hotkey{position, false, false, true, false}; }

std::string Show(std::u16string_view text) { return testing::PrintToString(std::u16string(text)); }

TEST(HotkeyCodeTest, DecodesFromTheHighestFlagDown) {
    EXPECT_EQ(DecodeHotkey(1081), Ctrl(57));
    EXPECT_EQ(DecodeHotkey(1071), Ctrl(47));
    EXPECT_EQ(DecodeHotkey(2048), (Hotkey{0, false, false, false, true}));
    EXPECT_EQ(DecodeHotkey(768), (Hotkey{0, true, true, false, false}));
    EXPECT_EQ(DecodeHotkey(3938), (Hotkey{98, true, true, true, true}));
}

TEST(HotkeyCodeTest, EveryValidCodeRoundTripsAndEveryOtherSetsNoHotkey) {
    int valid = 0;
    for (int code = -300; code <= 5000; ++code) {
        const std::optional<Hotkey> key = DecodeHotkey(code);
        ASSERT_EQ(key.has_value(), code > 0 && code <= 3938 && code % 256 < 99) << code;
        if (!key) continue;
        ++valid;
        EXPECT_EQ(EncodeHotkey(*key), code);
        EXPECT_EQ(ReadHotkeyCode(HotkeyCodeText(code)), key) << code;
    }
    EXPECT_EQ(valid, 16 * 99 - 1);  // every key with every set of modifiers, less code 0
    for (int code : {32767, 65536, INT_MAX, INT_MIN}) EXPECT_FALSE(DecodeHotkey(code));
    for (int position : {-1, 99, 300}) EXPECT_FALSE(EncodeHotkey(Ctrl(position))) << position;
}

TEST(LeadingNumberTest, ReadsTheNumberAtTheStartOfTheText) {
    const std::pair<std::u16string_view, double> cases[] = {
        {u"1081", 1081}, {u"   1071 1", 1071}, {u"1081abc", 1081}, {u"+12", 12}, {u"-12", -12},
        {u".5", 0.5},    {u"5.", 5},           {u"25e-1", 2.5},     {u"1E+3", 1000}, {u"1e+", 1},
        {u"1.2.3", 1.2}, {u"0x10", 0},         {u"1,5", 1},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << Show(text);
    for (std::u16string_view text : {u"", u"   ", u"abc", u"-", u".", u"- 5", u"--5", u"e5", u"\t5", u"1e400"})
        EXPECT_FALSE(LeadingNumber(text)) << Show(text);
}

TEST(RoundHalfEvenTest, SendsHalvesToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {1081.5, 1082}, {2.4, 2}, {2.6, 3}, {-1.5, -2}, {-2.5, -2},
    };
    for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST(ReadHotkeyCodeTest, ReadsStoredTextsAsTheProgramDoes) {
    EXPECT_EQ(ReadHotkeyCode(u" 1071 Ctrl+H"), Ctrl(47));
    EXPECT_EQ(ReadHotkeyCode(u"1080.5"), Ctrl(56));
    EXPECT_EQ(ReadHotkeyCode(u"1081.5"), Ctrl(58));
    EXPECT_EQ(ReadHotkeyCode(u"1.071e3"), Ctrl(47));
    EXPECT_EQ(ReadHotkeyCode(u"3938.5"), (Hotkey{98, true, true, true, true}));
    for (std::u16string_view text : {u"", u"abc", u"0", u"0.5", u"-1071", u"3938.6", u"355", u"40000",
                                     u"99999999999999999999", u"1e400"})
        EXPECT_FALSE(ReadHotkeyCode(text)) << Show(text);
}

}  // namespace
}  // namespace tabwright
