// The texts of the About box, made from the program's version information.
// No Windows headers: the window fills its labels with these.
#pragma once

#include <string>
#include <string_view>

#include "settings/decimal_text.h"

namespace tabwright {

inline constexpr std::u16string_view kHomePage = u"https://tabwright.example.org";
inline constexpr std::u16string_view kSupportMail = u"support@tabwright.example.org";
inline constexpr std::u16string_view kSysInfoUnavailable = u"System Information Is Unavailable At This Time";

// What the About box shows of the program's version resource.
struct VersionInfo {
    std::u16string title;
    std::u16string description;
    std::u16string trademarks;
    std::u16string copyright;
    int major = 0;
    int minor = 0;
    int revision = 0;
};

inline std::u16string AboutCaption(const VersionInfo& info) { return u"About " + info.title; }

// "Version 1.2    Build : 123": the build joins major, the first digit of
// minor and revision.
inline std::u16string VersionLine(const VersionInfo& info) {
    const std::u16string major = DecimalText(info.major);
    const std::u16string minor = DecimalText(info.minor);
    return u"Version " + major + u"." + minor + u"    Build : " + major + minor.substr(0, 1) + DecimalText(info.revision);
}

// The description, an empty line and the home page.
inline std::u16string DescriptionText(const VersionInfo& info) {
    return info.description + u"\r\n\r\n" + std::u16string(kHomePage);
}

// Trademarks, copyright, an empty line and where to report errors.
inline std::u16string DisclaimerText(const VersionInfo& info) {
    return info.trademarks + u"\r\n" + info.copyright + u"\r\n\r\nPlease report any errors to " +
           std::u16string(kSupportMail);
}

inline std::u16string MailtoAddress() { return u"mailto:" + std::u16string(kSupportMail); }

}  // namespace tabwright
