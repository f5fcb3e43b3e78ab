// Template expansion, the settings dialog's logic and upper case in the
// ANSI alphabets.
#include <gtest/gtest.h>

#include "fake_template_host.h"
#include "settings/setting_names.h"
#include "snippets/dialog_logic.h"
#include "snippets/key_names.h"
#include "snippets/smart_tack.h"
#include "snippets/upper_case.h"

namespace tabwright {
namespace {

using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;
std::string Show(std::u16string_view s) { return testing::PrintToString(std::u16string(s)); }

TEST(SmartTackTest, FillsInThePlaceholders) {
    const struct {
        Pairs stored;
        std::u16string_view tekst, expected;
    } cases[] = {
        {{}, u"% %Dat% Date% %Ver % %File 100%", u"% %Dat% Date% %Ver % %File 100%"},
        {{}, u"// %Date% %Time%\r\n", u"// 24-12-2024 13:45:10\r\n"},
        // The first occurrence of each, in any case; missing texts filled in.
        {{{u"Version Heading", u"2.01"}, {u"Description Heading", u"Fix"}, {u"Free Heading", u"Note"}},
         u"%dAtE%%date% %TIME%%Time% %ver%%Ver% %usER%%User% %DES%%Des% %free%%Free%",
         u"24-12-2024%date% 13:45:10%Time% 2.01%Ver% JDOE%User% Fix%Des% Note%Free%"},
        {{}, u"%Ver%|%Des%|%Free%", u"x.xx||"},
        {{{u"Version Heading", u"%Des%"}}, u"%Ver%", u"x.xx"},
        // Stored texts are expanded in turn, after the placeholders before them.
        {{{u"Description Heading", u"on %Date% by %User%"}, {u"Free Heading", u"v%Ver%"}, {u"Version Heading", u"%Time%"}},
         u"%Ver% %Des% %Free%", u"13:45:10 on 24-12-2024 by JDOE v13:45:10"},
        {{{u"Version Heading", u"v %User% %User%"}}, u"%Ver% %User%", u"v JDOE JDOE %User%"},
        {{{u"Description Heading", u"by %User% and %User%"}}, u"%Des% %User%", u"by JDOE and %User% JDOE"},
        // A placeholder met again inside its own expansion stays.
        {{{u"Version Heading", u"v%Ver%"}}, u"[%Ver%]", u"[v%Ver%]"},
        {{{u"Description Heading", u"%Free%!"}, {u"Free Heading", u"%des%?"}}, u"%Des%|%Free%", u"%des%?!|%Free%!?"},
        {{{u"Version Heading", u"%Des%"}, {u"Description Heading", u"%Free%"}, {u"Free Heading", u"%Ver%"}}, u"%Ver%", u"%Ver%"},
        // %File%"name" makes the whole result the file's text, not expanded.
        {{}, u"%Date% %File%\"C:\\%User%\\a.txt\" %Ver%", u"BEGIN \u20AC %Date%\r\nEND;"},
        {{}, u"\"x\" %file% \"C:\\JDOE\\a.txt\" \"y\"", u"BEGIN \u20AC %Date%\r\nEND;"},
        {{}, u"Heading %File%\"empty\"", u""},
        {{{u"Description Heading", u"ignored %File%\"empty\""}}, u"// %Des% by %User%", u"//  by JDOE"},
    };
    for (const auto& c : cases) {
        test::FakeTemplateHost host;
        for (const auto& [name, value] : c.stored) host.stored[name] = value;
        host.texts = {{u"C:\\JDOE\\a.txt", "BEGIN \x80 %Date%\r\nEND;"}, {u"empty", ""}};
        EXPECT_EQ(SmartTack(c.tekst, host), c.expected) << Show(c.tekst);
    }
    test::FakeTemplateHost host;
    // Every stored text naming all others: each chain of distinct open
    // placeholders reads once (3 + 3 * 2 + 3 * 2 * 1), and stays small.
    const std::u16string all = u"%Ver%%Des%%Free%%Ver%%Des%%Free%";
    host.stored = {{u"Version Heading", all}, {u"Description Heading", all}, {u"Free Heading", all}};
    EXPECT_LE(SmartTack(all, host).size(), all.size() * 16);
    EXPECT_EQ(host.asked.size(), 15u);
    host.asked.clear();
    EXPECT_EQ(SmartTack(u"%Date% x", host), u"24-12-2024 x");
    EXPECT_TRUE(host.asked.empty());  // nothing is asked for that is not needed
    host.user = u"s\u00F8ren_42";
    EXPECT_EQ(SmartTack(u"%User%", host), u"S\u00D8REN_42");
    for (std::u16string_view tekst : {u"%File%\"missing\"", u"%File%", u"%File% \"a", u"\"a\" %File%", u"%File%\"\"",
                                      u"%File%\"*\"", u"%File%\"a?\"", u"%File%\"C:\\*.txt\""})
        EXPECT_EQ(SmartTack(tekst, host), u"Error open file") << Show(tekst);
    EXPECT_EQ(host.asked, (std::vector<std::u16string>{u"user", u"file missing"}));
}

// A hotkey's position or key with its modifiers, from "wsca": Win, Shift, Ctrl, Alt.
Hotkey Code(int position, std::string_view m = "") {
    const auto on = [m](char c) { return m.find(c) != std::string_view::npos; };
    return {position, on('w'), on('s'), on('c'), on('a')};
}
KeyCombination Keys(int vkey, std::string_view m = "") {
    const Hotkey h = Code(0, m);
    return {vkey, h.win, h.shift, h.ctrl, h.alt};
}

TEST(SettingsDialogTest, OpensAndConfirmsEachSetting) {
    const std::map<std::u16string, std::u16string> stored = {
        {u"Hotkey 7", u"// seven"}, {u"H Hotkey 7", u"1081"}, {u"Indent Left", u"typed"}, {u"H Indent Right", u"2130"},
        {u"H Version Heading", u"2048"}, {u"Version Heading", u"1.0"}};
    const auto open = [&](std::u16string_view name) {
        return OpenDialog(name, [&](std::u16string_view v) { return stored.contains(std::u16string(v)) ? stored.at(std::u16string(v)) : u""; });
    };
    const struct {
        std::u16string_view name, text;
        int element;
        Hotkey shown;
    } opened[] = {
        {u"Hotkey 7", u"// seven", 7, Code(57, "c")}, {u"Heading", u"", 10, {}}, {u"Indent Left", kIndentLeftNotice, 13, {}},
        {u"Indent Right", kIndentRightNotice, 14, Code(82, "a")}, {u"Version Heading", u"1.0", -1, Code(0, "a")},
    };
    for (const auto& o : opened) {
        const DialogContent d = open(o.name);
        EXPECT_EQ(std::tie(d.title, d.text, d.hotkeyIndex, d.shown), std::tie(o.name, o.text, o.element, o.shown)) << Show(o.name);
    }
    for (int element = 0; element < 15; ++element) EXPECT_EQ(open(*TemplateOfElement(element)).hotkeyIndex, element);

    // Code 0 sets no hotkey: the element keeps its built-in key, as the next start gives it.
    const struct {
        std::u16string_view name;
        int element;
        Hotkey chosen;
        std::u16string_view code;
        KeyCombination running;
    } confirmed[] = {
        {u"Heading", 10, Code(47, "c"), u"1071", Keys('H', "c")}, {u"Heading", 10, Code(98, "wsca"), u"3938", Keys(144, "wsca")},
        {u"Heading", 10, {}, u"0", Keys('H', "c")}, {u"Hotkey 9", 9, {}, u"0", Keys('0', "a")},
        {u"Hotkey 0", 0, Code(47, "c"), u"1071", Keys('H', "c")},
        {u"Indent Left", 13, {}, u"0", Keys(37, "s")}, {u"Indent Right", 14, {}, u"0", Keys(39, "s")},
        {u"Version Heading", -1, Code(47, "c"), u"", {}},
    };
    for (const auto& c : confirmed) {
        const Confirmation got = ConfirmDialog({std::u16string(c.name), u"", c.element, {}}, u"text", c.chosen);
        Pairs writes{{std::u16string(c.name), u"text"}};
        if (c.element >= 0) writes.emplace(writes.begin(), u"H " + std::u16string(c.name), c.code);
        EXPECT_EQ(got.writes, writes);
        EXPECT_EQ(got.hotkey, c.element < 0 ? std::nullopt : std::optional(std::pair(c.element, c.running)));
    }
    for (auto [vkey, position] : {std::pair{'H', 47}, {17, 9}, {1, 0}, {144, 98}, {186, 98}, {0, 98}})
        EXPECT_EQ(KeyUpPosition(vkey), position) << vkey;
    EXPECT_EQ(EntryPosition(u" 72 - H key"), 47);
    for (std::u16string_view text : {u"", u"72 - H key", u" 72 - H key ", u"Ctrl+H"}) EXPECT_FALSE(EntryPosition(text)) << Show(text);
}

TEST(UpperCaseTest, CapitalisesTheSmallLettersOfTheAnsiAlphabets) {
    EXPECT_EQ(ToUpperText(u"az AZ 09 _ \u00E0\u00E6\u00FE\u00FF \u00F7\u00DF\u00B5 \u0101\u0105\u0131\u013A\u0142\u0148\u014B\u017A\u017E"
                          u"\u0138\u0100\u012F\u0177 \u0192\u01A1\u01B0 \u03AC\u03AD\u03AE\u03AF\u03B1\u03C2\u03CB\u03CC\u03CD\u03CE \u0430\u044F\u0450\u045F\u042F \u20AC"),
              u"AZ AZ 09 _ \u00C0\u00C6\u00DE\u0178 \u00F7\u00DF\u00B5 \u0100\u0104I\u0139\u0141\u0147\u014A\u0179\u017D"
              u"\u0138\u0100\u012E\u0176 \u0191\u01A0\u01AF \u0386\u0388\u0389\u038A\u0391\u03A3\u03AB\u038C\u038E\u038F \u0410\u042F\u0400\u040F\u042F \u20AC");
}

}  // namespace
}  // namespace tabwright
