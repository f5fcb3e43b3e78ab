// The setup program's edits of the user's Path: its own entry goes in and
// comes out again, and nothing else in the value changes.
#include <gtest/gtest.h>

#include "installer/path_entries.h"

namespace tabwright::installer {
namespace {

const std::u16string kFolder = u"C:\\Apps\\Tabwright";

std::string Show(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(PathEntriesTest, TheFolderGoesInAsTheLastEntryAndComesOutLeavingTheValueAsItWas) {
    const std::pair<std::u16string, std::u16string> cases[] = {  // the user's value, with the folder added
        {u"", kFolder}, {u"C:\\Tools", u"C:\\Tools;" + kFolder}, {u"C:\\Tools;", u"C:\\Tools;" + kFolder + u";"},
        {u";", u";" + kFolder + u";"}, {u"A;;%USERPROFILE%\\bin", u"A;;%USERPROFILE%\\bin;" + kFolder},
        {u"C:\\Apps", u"C:\\Apps;" + kFolder}, {u"C:\\Apps\\Tabwright2", u"C:\\Apps\\Tabwright2;" + kFolder},
    };
    for (const auto& [path, added] : cases) {
        EXPECT_EQ(Show(WithEntry(path, kFolder)), Show(added));
        EXPECT_EQ(Show(WithoutEntry(added, kFolder)), Show(path));
    }
    EXPECT_EQ(Show(WithEntry(u"c:\\apps\\TABWRIGHT\\;C:\\Tools", kFolder)), "c:\\apps\\TABWRIGHT\\;C:\\Tools");
    for (std::u16string_view folder : {u"", u"C:\\a;b"}) EXPECT_EQ(Show(WithEntry(u"C:\\Tools", folder)), "C:\\Tools");
}

TEST(PathEntriesTest, EveryEntryNamingTheFolderGoesOutWithOneSeparator) {
    const std::pair<std::u16string, std::u16string_view> cases[] = {
        {kFolder + u";C:\\Tools", u"C:\\Tools"}, {u"A;" + kFolder + u";;B", u"A;;B"},
        {u"c:\\apps\\tabwright\\\\", u""}, {kFolder + u";A;" + kFolder, u"A"},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(Show(WithoutEntry(path, kFolder)), Show(expected));
    EXPECT_EQ(Show(WithoutEntry(u"A;;B", u"")), "A;;B");
    EXPECT_EQ(Show(WithoutEntry(u"c:\\az;A", u"C:\\AZ")), "A");
}

}  // namespace
}  // namespace tabwright::installer
