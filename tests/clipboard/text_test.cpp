// Reading and writing text: format priority, the ANSI code page, the blocks
// written, and that every operation closes the clipboard again.
#include "clipboard/clipboard.h"
#include "clipboard_test_support.h"

namespace tabwright::test {
namespace {

using ClipboardTextTest = ClipboardTest;

// "Æ Ø Å é €" in UTF-16 and in code page 1252.
constexpr char16_t kNordic[] = u"\u00c6 \u00d8 \u00c5 \u00e9 \u20ac";
constexpr char kNordicAnsi[] = "\xc6 \xd8 \xc5 \xe9 \x80";

TEST_F(ClipboardTextTest, PriorityFormatFollowsTheListOrder) {
    PutOnClipboard(owner_.get(), {{CF_UNICODETEXT, Bytes(u"abc\0")}});
    CClipboard clip(state_, owner_.get());
    EXPECT_EQ(clip.GetPriorityFormat({CF_UNICODETEXT, CF_TEXT}), CF_UNICODETEXT);
    EXPECT_EQ(clip.GetPriorityFormat({CF_TEXT, CF_UNICODETEXT}), CF_TEXT) << "derived by the system";
    EXPECT_EQ(clip.GetPriorityFormat({CF_BITMAP, CF_TIFF}), -1);
    EXPECT_EQ(clip.GetPriorityFormat({}), 0);
    ASSERT_TRUE(clip.Clear());
    EXPECT_EQ(clip.GetPriorityFormat({CF_TEXT}), 0);
}

TEST_F(ClipboardTextTest, TextIsReadInItsAnsiForm) {
    CClipboard clip(state_, owner_.get());
    PutOnClipboard(owner_.get(), {{CF_TEXT, std::string(kNordicAnsi, sizeof kNordicAnsi)}});
    EXPECT_EQ(clip.GetText(), kNordic);

    PutOnClipboard(owner_.get(), {{CF_UNICODETEXT, Bytes(std::u16string(kNordic) + u'\0')}});
    EXPECT_EQ(clip.GetText(), kNordic);

    // Chinese has no place in code page 1252: the ANSI form substitutes it.
    PutOnClipboard(owner_.get(), {{CF_UNICODETEXT, Bytes(u"\u4e2d = 1;\0")}});
    EXPECT_EQ(clip.GetText(), u"? = 1;");
}

TEST_F(ClipboardTextTest, HostFormatIsReadOnlyWhenNoTextIsThere) {
    const UINT host = Register(L"AL-Source Only");
    PutOnClipboard(owner_.get(), {{host, std::string("x := \xe6;", 9)}});
    CClipboard clip(state_, owner_.get());
    ASSERT_TRUE(clip.ALS());
    EXPECT_EQ(clip.GetText(), u"x := \u00e6;");

    PutOnClipboard(owner_.get(), {{host, std::string("host", 5)}, {CF_TEXT, std::string("text", 5)}});
    EXPECT_EQ(clip.GetText(), u"text");
}

TEST_F(ClipboardTextTest, NoTextGivesTheEmptyText) {
    CClipboard clip(state_, owner_.get());
    ASSERT_TRUE(clip.Clear());
    EXPECT_EQ(clip.GetText(), u"");

    HBITMAP picture = CreateBitmap(2, 2, 1, 32, nullptr);
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(OpenClipboard(owner_.get()));
    EmptyClipboard();
    EXPECT_NE(SetClipboardData(CF_BITMAP, picture), nullptr);
    CloseClipboard();
    EXPECT_GT(clip.CCF(), 0);
    EXPECT_EQ(clip.GetText(), u"");
}

TEST_F(ClipboardTextTest, TextEndsAtTheFirstZeroAndNeverPastTheBlock) {
    CClipboard clip(state_, owner_.get());
    PutOnClipboard(owner_.get(), {{CF_TEXT, std::string("BEGIN\0END;", 11)}});
    EXPECT_EQ(clip.GetText(), u"BEGIN");

    // A block without a terminating zero, as a careless program may write it.
    // The system puts a zero into the last byte of text formats, but not into
    // C/SIDE's own format, which is read as text when it comes alone.
    const UINT host = Register(L"AL-Source Unterminated");
    for (const std::size_t size : {1, 7, 88, 100, 4093}) {
        PutOnClipboard(owner_.get(), {{host, std::string(size, 'x')}});
        ASSERT_TRUE(clip.ALS());
        ASSERT_EQ(RawData(host).size(), size);
        EXPECT_EQ(clip.GetText(), std::u16string(size, u'x')) << size << " bytes";
    }
}

TEST_F(ClipboardTextTest, SetTextWritesBothFormsEachWithOneTerminator) {
    CClipboard clip(state_, owner_.get());
    ASSERT_TRUE(clip.Clear());
    ASSERT_TRUE(clip.SetText(kNordic));
    EXPECT_EQ(RawData(CF_TEXT), std::string(kNordicAnsi, sizeof kNordicAnsi));
    EXPECT_EQ(RawData(CF_UNICODETEXT), Bytes(std::u16string(kNordic) + u'\0'));
    EXPECT_FALSE(clip.ALS());
    EXPECT_EQ(clip.GetText(), kNordic);

    ASSERT_TRUE(clip.Clear());
    ASSERT_TRUE(clip.SetText(u""));
    EXPECT_EQ(RawData(CF_TEXT), std::string(1, '\0'));
    EXPECT_EQ(RawData(CF_UNICODETEXT), std::string(2, '\0'));
    EXPECT_EQ(clip.GetText(), u"");
}

TEST_F(ClipboardTextTest, SetTextAddsToTheContentWhileReplaceWithTextSupersedesIt) {
    const UINT host = Register(L"AL-Source Replaced");
    PutOnClipboard(owner_.get(), {{CF_TEXT, std::string("old", 4)}, {host, "OBJECT"}});
    CClipboard clip(state_, owner_.get());
    ASSERT_TRUE(clip.SetText(u"new"));
    EXPECT_TRUE(clip.ALS()) << "SetText alone keeps the other formats";

    ASSERT_TRUE(clip.ReplaceWithText(u"BEGIN\r\n  x := 1;\r\nEND;"));
    EXPECT_FALSE(clip.ALS());
    EXPECT_EQ(clip.GetText(), u"BEGIN\r\n  x := 1;\r\nEND;");
    EXPECT_EQ(RawData(CF_UNICODETEXT), Bytes(u"BEGIN\r\n  x := 1;\r\nEND;\0"));
    EXPECT_EQ(RawData(host), "");
}

TEST_F(ClipboardTextTest, WritesMakeTheProgramsWindowTheOwner) {
    CClipboard clip(state_, owner_.get());
    ASSERT_TRUE(clip.Clear());
    EXPECT_EQ(GetClipboardOwner(), owner_.get());
    const OwnerWindow other;
    PutOnClipboard(other.get(), {{CF_TEXT, std::string("x", 2)}});
    ASSERT_EQ(GetClipboardOwner(), other.get());
    ASSERT_TRUE(clip.ReplaceWithText(u"y"));
    EXPECT_EQ(GetClipboardOwner(), owner_.get());
}

TEST_F(ClipboardTextTest, EveryOperationClosesTheClipboard) {
    CClipboard clip(state_, owner_.get());
    EXPECT_TRUE(FreeForOthers());
    clip.Clear();
    EXPECT_TRUE(FreeForOthers()) << "Clear";
    clip.GetText();
    EXPECT_TRUE(FreeForOthers()) << "GetText of an empty clipboard";
    clip.SetText(u"text");
    EXPECT_TRUE(FreeForOthers()) << "SetText";
    clip.GetText();
    EXPECT_TRUE(FreeForOthers()) << "GetText";
    clip.ALS();
    EXPECT_TRUE(FreeForOthers()) << "ALS";
    clip.Formats();
    EXPECT_TRUE(FreeForOthers()) << "Formats";
    clip.GetPriorityFormat({CF_TEXT});
    EXPECT_TRUE(FreeForOthers()) << "GetPriorityFormat";
    clip.ReplaceWithText(u"other");
    EXPECT_TRUE(FreeForOthers()) << "ReplaceWithText";
}

}  // namespace
}  // namespace tabwright::test
