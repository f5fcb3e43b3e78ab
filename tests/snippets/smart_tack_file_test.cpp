#include <gtest/gtest.h>

#include "fake_template_host.h"
#include "snippets/smart_tack.h"

namespace tabwright {
namespace {

class SmartTackFileTest : public testing::Test {
protected:
    std::u16string Expand(std::u16string_view tekst) { return SmartTack(tekst, host); }

    test::FakeTemplateHost host;
    test::FakeFiles& files = host.ownFiles;
};

TEST_F(SmartTackFileTest, ReplacesTheWholeTextWithTheFile) {
    files.files = {{u"C:\\snip\\a.txt", "BEGIN\r\n  x := 1;\r\nEND;\r\n"}};
    EXPECT_EQ(Expand(u"%Date% before %File%\"C:\\snip\\a.txt\" after %Ver%"), u"BEGIN\r\n  x := 1;\r\nEND;\r\n");
    EXPECT_EQ(Expand(u"%file%\"C:\\snip\\a.txt\""), u"BEGIN\r\n  x := 1;\r\nEND;\r\n");
    // Quotes before the placeholder do not count.
    EXPECT_EQ(Expand(u"\"x\" %FILE% \"C:\\snip\\a.txt\" \"y\""), u"BEGIN\r\n  x := 1;\r\nEND;\r\n");
}

TEST_F(SmartTackFileTest, LeavesTheFileTextUnexpanded) {
    files.files = {{u"t", "%Date% %User% %File%\"t\""}};
    EXPECT_EQ(Expand(u"%File%\"t\""), u"%Date% %User% %File%\"t\"");
    EXPECT_EQ(files.asked.size(), 1u);
}

TEST_F(SmartTackFileTest, NamesTheFileWithExpandedPlaceholders) {
    files.files = {{u"C:\\Users\\JDOE\\24-12-2024.txt", "mine"}};
    EXPECT_EQ(Expand(u"%File%\"C:\\Users\\%User%\\%Date%.txt\""), u"mine");
    EXPECT_EQ(files.asked, std::vector<std::u16string>{u"C:\\Users\\JDOE\\24-12-2024.txt"});
}

TEST_F(SmartTackFileTest, ConvertsTheBytesFromTheAnsiCodePage) {
    files.files = {{u"f", std::string("caf\xE9 \x80 \x00 end", 12)}};
    EXPECT_EQ(Expand(u"%File%\"f\""), std::u16string(u"caf\u00E9 \u20AC \0 end", 12));
    // The host's own conversion is used: here a Cyrillic code page.
    files.decode = [](std::string_view bytes) {
        std::u16string text;
        for (unsigned char b : bytes) text.push_back(b >= 0xC0 ? static_cast<char16_t>(b - 0xC0 + 0x0410) : b);
        return text;
    };
    files.files = {{u"f", "\xC0\xC1\xC2!"}};
    EXPECT_EQ(Expand(u"%File%\"f\""), u"\u0410\u0411\u0412!");
}

TEST_F(SmartTackFileTest, EmptyFileGivesEmptyText) {
    files.files = {{u"empty.txt", ""}};
    EXPECT_EQ(Expand(u"Heading %File%\"empty.txt\""), u"");
}

TEST_F(SmartTackFileTest, ReportsFilesThatCannotBeRead) {
    files.files = {{u"there", "x"}, {u"*", "x"}, {u"a?", "x"}};
    const std::u16string_view cases[] = {
        u"%File%\"missing.txt\"",  // not found
        u"%File%",                 // no quotes
        u"%File% \"there",         // one quote
        u"\"there\" %File%",       // quotes only before it
        u"%File%\"\"",             // empty name
        u"%File%\"*\"",            // wildcards
        u"%File%\"a?\"",
        u"%File%\"C:\\*.txt\"",
    };
    for (std::u16string_view tekst : cases)
        EXPECT_EQ(Expand(tekst), u"Error open file") << testing::PrintToString(std::u16string(tekst));
    // Only the missing file was looked for.
    EXPECT_EQ(files.asked, std::vector<std::u16string>{u"missing.txt"});
}

TEST_F(SmartTackFileTest, StoredTextMayInsertAFile) {
    files.files = {{u"d.txt", "from file"}};
    host.stored = {{u"Description Heading", u"ignored %File%\"d.txt\""}};
    EXPECT_EQ(Expand(u"// %Des% by %User%"), u"// from file by JDOE");
    host.stored = {{u"Version Heading", u"%File%\"nope\""}};
    EXPECT_EQ(Expand(u"v%Ver%"), u"vError open file");
}

}  // namespace
}  // namespace tabwright
