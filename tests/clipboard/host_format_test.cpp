// Recognising C/SIDE's clipboard format and naming the clipboard's formats.
#include "clipboard/clipboard.h"
#include "clipboard_test_support.h"

namespace tabwright::test {
namespace {

// Registered format names are atoms shared by the whole session and compared
// without regard to case, so every test registers names of its own.

using HostFormatTest = ClipboardTest;

TEST_F(HostFormatTest, CopyFromCSideIsRecognisedAndRecorded) {
    const UINT host = Register(L"AL-Source Recognised");
    PutOnClipboard(owner_.get(), {{CF_TEXT, std::string("x := 1;", 8)}, {host, "OBJECT"}});

    CClipboard clip(state_, owner_.get());
    EXPECT_TRUE(clip.ALS());
    EXPECT_TRUE(state_.ALSourcePresent);
    EXPECT_EQ(state_.ALSourceFormat, Decimal(host));
    const CClipFormat* entry = clip.Formats().Item(static_cast<std::int32_t>(host));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Name, u"AL-Source Recognised");
    EXPECT_EQ(entry->Format, static_cast<std::int32_t>(host));
}

TEST_F(HostFormatTest, OnlyTheExactBeginningInCapitalsCounts) {
    for (const wchar_t* name : {L"al-source lower case", L"AL-SOURCE upper case", L"AL Source blank", L"My AL-Source"}) {
        PutOnClipboard(owner_.get(), {{Register(name), "OBJECT"}});
        CClipboard clip(state_, owner_.get());
        EXPECT_FALSE(clip.ALS()) << "counted as the host format: " << testing::PrintToString(std::wstring(name));
    }
    EXPECT_EQ(state_.ALSourceFormat, u"") << "no host format was ever seen";

    const UINT bare = Register(L"AL-Source");
    PutOnClipboard(owner_.get(), {{bare, "OBJECT"}});
    CClipboard clip(state_, owner_.get());
    EXPECT_TRUE(clip.ALS());
    EXPECT_EQ(state_.ALSourceFormat, Decimal(bare));
}

TEST_F(HostFormatTest, EveryEnumerationRewritesPresenceButKeepsTheLastNumber) {
    const UINT host = Register(L"AL-Source Kept");
    PutOnClipboard(owner_.get(), {{host, "OBJECT"}});
    CClipboard clip(state_, owner_.get());  // creating it enumerates once
    EXPECT_TRUE(state_.ALSourcePresent);

    ASSERT_TRUE(clip.ReplaceWithText(u"plain"));
    EXPECT_TRUE(state_.ALSourcePresent) << "only an enumeration changes the state";
    clip.Formats();
    EXPECT_FALSE(state_.ALSourcePresent);
    EXPECT_EQ(state_.ALSourceFormat, Decimal(host));
    EXPECT_FALSE(clip.ALS());
    EXPECT_EQ(state_.ALSourceFormat, Decimal(host));
}

TEST_F(HostFormatTest, LastHostFormatInEnumerationOrderWins) {
    const UINT first = Register(L"AL-Source First");
    const UINT second = Register(L"AL-Source Second");
    PutOnClipboard(owner_.get(), {{first, "A"}, {second, "B"}});
    CClipboard clip(state_, owner_.get());
    std::vector<std::int32_t> hosts;
    for (const CClipFormat& entry : clip.Formats()) {
        if (entry.Format == static_cast<std::int32_t>(first) || entry.Format == static_cast<std::int32_t>(second))
            hosts.push_back(entry.Format);
    }
    ASSERT_EQ(hosts.size(), 2u);
    EXPECT_EQ(state_.ALSourceFormat, Decimal(static_cast<UINT>(hosts.back())));
}

TEST_F(HostFormatTest, CollectionFollowsTheClipboard) {
    const UINT custom = Register(L"Tabwright Collection Probe");
    PutOnClipboard(owner_.get(), {{CF_UNICODETEXT, Bytes(u"abc\0")}, {custom, "z"}});
    CClipboard clip(state_, owner_.get());
    const CClipFormats& formats = clip.Formats();
    EXPECT_EQ(static_cast<std::int32_t>(formats.Count()), clip.CCF());
    EXPECT_EQ(formats.begin()->Format, CF_UNICODETEXT) << "the clipboard's order";
    ASSERT_NE(formats.Item(CF_UNICODETEXT), nullptr);
    EXPECT_EQ(formats.Item(CF_UNICODETEXT)->Name, u"Unicode Text");
    ASSERT_NE(formats.Item(static_cast<std::int32_t>(custom)), nullptr);
    EXPECT_EQ(formats.Item(static_cast<std::int32_t>(custom))->Name, u"Tabwright Collection Probe");
    EXPECT_EQ(formats.Item(CF_BITMAP), nullptr);

    ASSERT_TRUE(clip.Clear());
    EXPECT_EQ(clip.Formats().Count(), 0u);
    EXPECT_EQ(clip.CCF(), 0);
}

TEST(ClipFormatNameTest, StandardRegisteredAndUnknownNumbers) {
    EXPECT_EQ(CClipFormats::GetName(1), u"Text (TXT)");
    EXPECT_EQ(CClipFormats::GetName(4), u"Microsoft Symbolic Link (SYLK)");
    EXPECT_EQ(CClipFormats::GetName(8), u"Device Independent Bitmap (DIB)");
    EXPECT_EQ(CClipFormats::GetName(13), u"Unicode Text");
    EXPECT_EQ(CClipFormats::GetName(16), u"Locale Identifier");

    const UINT registered = Register(L"Tabwright Name Probe \u00c6");
    EXPECT_EQ(CClipFormats::GetName(static_cast<std::int32_t>(registered)), u"Tabwright Name Probe \u00c6");

    EXPECT_EQ(CClipFormats::GetName(17), u"Unknown: 17");
    EXPECT_EQ(CClipFormats::GetName(0), u"Unknown: 0");
    EXPECT_EQ(CClipFormats::GetName(CF_PRIVATEFIRST), u"Unknown: 512");
    EXPECT_EQ(CClipFormats::GetName(-1), u"Unknown: -1");
}

}  // namespace
}  // namespace tabwright::test
