// The setup program's edits of the user's Path: its own entry goes in and
// comes out again, and nothing else in the value changes.
#include <gtest/gtest.h>

#include "installer/path_entries.h"

namespace tabwright::installer {
namespace {

constexpr std::u16string_view kFolder = u"C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright";

std::string Show(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(PathEntriesTest, TheFolderBecomesTheLastEntryUnlessTheValueHoldsIt) {
    const std::pair<std::u16string_view, std::u16string> cases[] = {
        {u"", std::u16string(kFolder)},
        {u"C:\\Tools", u"C:\\Tools;C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright"},
        {u"C:\\Tools;", u"C:\\Tools;C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright;"},
        {u"c:\\users\\ann\\appdata\\local\\programs\\TABWRIGHT\\;C:\\Tools",
         u"c:\\users\\ann\\appdata\\local\\programs\\TABWRIGHT\\;C:\\Tools"},
        {u"C:\\Users\\Ann\\AppData\\Local\\Programs", u"C:\\Users\\Ann\\AppData\\Local\\Programs;" + std::u16string(kFolder)},
        {u"C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright2",
         u"C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright2;" + std::u16string(kFolder)},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(Show(WithEntry(path, kFolder)), Show(expected)) << Show(path);
    for (std::u16string_view folder : {u"", u"C:\\a;b"}) EXPECT_EQ(Show(WithEntry(u"C:\\Tools", folder)), "C:\\Tools");
}

TEST(PathEntriesTest, RemovingTheFolderTakesOneSeparatorAlongAndLeavesTheOtherEntries) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"C:\\Tools;C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright", u"C:\\Tools"},
        {u"C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright;C:\\Tools", u"C:\\Tools"},
        {u"A;C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright;;B", u"A;;B"},
        {u"c:\\users\\ann\\appdata\\local\\programs\\tabwright\\\\", u""},
        {u"C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright;A;C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright", u"A"},
        {u"A;C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright2;C:\\Users\\Ann\\AppData\\Local\\Programs",
         u"A;C:\\Users\\Ann\\AppData\\Local\\Programs\\Tabwright2;C:\\Users\\Ann\\AppData\\Local\\Programs"},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(Show(WithoutEntry(path, kFolder)), Show(expected)) << Show(path);
    EXPECT_EQ(Show(WithoutEntry(u"A;;B", u"")), "A;;B");
}

TEST(PathEntriesTest, AddingAndRemovingGivesBackTheValueTheUserHad) {
    for (std::u16string_view path : {u"", u";", u"%USERPROFILE%\\bin", u"%USERPROFILE%\\bin;C:\\Tools;", u"A;;B",
                                     u"C:\\Program Files\\Git\\cmd;D:\\\u00c4rger"}) {
        EXPECT_NE(WithEntry(path, kFolder), path) << Show(path);
        EXPECT_EQ(Show(WithoutEntry(WithEntry(path, kFolder), kFolder)), Show(path));
    }
}

}  // namespace
}  // namespace tabwright::installer
