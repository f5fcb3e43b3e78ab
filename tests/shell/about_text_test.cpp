#include <gtest/gtest.h>

#include "shell/about_text.h"

namespace tabwright {
namespace {

VersionInfo Version(int major, int minor, int revision) {
    return {u"Tabwright", u"Formats C/AL", u"Tabwright is a trademark", u"Copyright (C) 2026", major, minor, revision};
}

TEST(AboutTextTest, VersionLineJoinsMajorFirstMinorDigitAndRevisionIntoTheBuild) {
    EXPECT_EQ(VersionLine(Version(1, 0, 0)), u"Version 1.0    Build : 100");
    EXPECT_EQ(VersionLine(Version(2, 14, 7)), u"Version 2.14    Build : 217");
    EXPECT_EQ(VersionLine(Version(10, 3, 125)), u"Version 10.3    Build : 103125");
}

TEST(AboutTextTest, LabelsCarryTheVersionTextsAndTheProjectAddresses) {
    const VersionInfo info = Version(1, 0, 0);
    EXPECT_EQ(AboutCaption(info), u"About Tabwright");
    EXPECT_EQ(DescriptionText(info), u"Formats C/AL\r\n\r\nhttps://tabwright.example.org");
    EXPECT_EQ(DisclaimerText(info),
              u"Tabwright is a trademark\r\nCopyright (C) 2026\r\n\r\n"
              u"Please report any errors to support@tabwright.example.org");
    EXPECT_EQ(MailtoAddress(), u"mailto:support@tabwright.example.org");
}

}  // namespace
}  // namespace tabwright
