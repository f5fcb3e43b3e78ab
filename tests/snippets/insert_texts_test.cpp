#include <gtest/gtest.h>

#include "fake_template_host.h"
#include "snippets/insert_texts.h"

namespace tabwright {
namespace {

using test::FakeTemplateHost;

constexpr std::u16string_view kHeadingOn24December =
    u"// >> Company Name\r\n"
    u"// Date ..........: 24-12-2024\r\n"
    u"// Version NC ....: x.xx\r\n"
    u"// Description ...: \r\n"
    u"//                : \r\n"
    u"// << Company Name\r\n"
    u"\r\n";

TEST(InsertTextTest, WithoutTemplatesEveryCommandGivesItsBuiltInText) {
    FakeTemplateHost host;
    EXPECT_EQ(InsertText(InsertKind::Heading, host), kHeadingOn24December);
    EXPECT_EQ(InsertText(InsertKind::StartHeading, host),
              kHeadingOn24December.substr(0, kHeadingOn24December.size() - kDefaultEndHeading.size()));
    EXPECT_EQ(InsertText(InsertKind::EndHeading, host), u"// << Company Name\r\n\r\n");
    EXPECT_EQ(InsertText(InsertKind::MenuSnippet, host, 3), u"// Osrik\r\n");
    EXPECT_EQ(InsertText(InsertKind::HotkeySnippet, host, 3), u"// >> Company Name\r\n");
    EXPECT_EQ(host.read, (std::vector<std::u16string>{u"Heading", u"Start Heading", u"End Heading",
                                                      u"Hotkey 3", u"Hotkey 3"}));
}

TEST(InsertTextTest, StoredTemplateIsExpandedUnderItsOwnValueName) {
    FakeTemplateHost host;
    host.stored = {{u"Heading", u"// %User% on %date%"},
                   {u"Start Heading", u"// start %Ver%"},
                   {u"End Heading", u"// end"},
                   {u"Hotkey 0", u"zero"},
                   {u"Hotkey 9", u"nine %Time%"}};
    EXPECT_EQ(InsertText(InsertKind::Heading, host), u"// JDOE on 24-12-2024");
    EXPECT_EQ(InsertText(InsertKind::StartHeading, host), u"// start x.xx");
    EXPECT_EQ(InsertText(InsertKind::EndHeading, host), u"// end");
    EXPECT_EQ(InsertText(InsertKind::MenuSnippet, host, 0), u"zero");
    EXPECT_EQ(InsertText(InsertKind::HotkeySnippet, host, 9), u"nine 13:45:10");
    EXPECT_EQ(InsertText(InsertKind::MenuSnippet, host, 9), u"nine 13:45:10");
}

TEST(InsertTextTest, TemplateThatExpandsToNothingGivesTheBuiltInText) {
    FakeTemplateHost host;
    host.stored = {{u"Heading", u"%Des%"}, {u"Hotkey 1", u"%Free%"}, {u"Hotkey 2", u"%File%\"empty.txt\""}};
    host.ownFiles.files[u"empty.txt"] = "";
    EXPECT_EQ(InsertText(InsertKind::Heading, host), kHeadingOn24December);
    EXPECT_EQ(InsertText(InsertKind::MenuSnippet, host, 1), u"// Osrik\r\n");
    EXPECT_EQ(InsertText(InsertKind::HotkeySnippet, host, 2), u"// >> Company Name\r\n");
}

TEST(InsertTextTest, BuiltInTextIsNeverExpanded) {
    FakeTemplateHost host;
    host.date = u"%User%";
    EXPECT_EQ(InsertText(InsertKind::Heading, host), DefaultHeading(u"%User%"));
    EXPECT_NE(InsertText(InsertKind::StartHeading, host).find(u"Date ..........: %User%\r\n"), std::u16string::npos);
    EXPECT_EQ(host.userCalls, 0);
}

TEST(HotkeyActionTest, ElementsMapToTheirCommands) {
    for (int element = 0; element <= 9; ++element) EXPECT_EQ(ActionOf(element), HotkeyAction::Snippet);
    EXPECT_EQ(ActionOf(10), HotkeyAction::Heading);
    EXPECT_EQ(ActionOf(11), HotkeyAction::StartHeading);
    EXPECT_EQ(ActionOf(12), HotkeyAction::EndHeading);
    EXPECT_EQ(ActionOf(13), HotkeyAction::ShiftLeft);
    EXPECT_EQ(ActionOf(14), HotkeyAction::ShiftRight);
    EXPECT_EQ(ActionOf(15), HotkeyAction::None);
    EXPECT_EQ(ActionOf(-1), HotkeyAction::None);
}

}  // namespace
}  // namespace tabwright
