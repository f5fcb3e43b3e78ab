#include "snippets/insert_texts.h"

#include "settings/setting_names.h"
#include "snippets/smart_tack.h"

namespace tabwright {
namespace {

std::u16string HeadingLines(std::u16string_view date) {
    std::u16string text(u"// >> Company Name\r\n// Date ..........: ");
    return text.append(date).append(
        u"\r\n"
        u"// Version NC ....: x.xx\r\n"
        u"// Description ...: \r\n"
        u"//                : \r\n");
}

std::u16string DefaultText(InsertKind kind, TemplateHost& host) {
    switch (kind) {
    case InsertKind::Heading: return DefaultHeading(host.Date());
    case InsertKind::StartHeading: return DefaultStartHeading(host.Date());
    case InsertKind::EndHeading: return std::u16string(kDefaultEndHeading);
    case InsertKind::MenuSnippet: return std::u16string(kMenuSnippetDefault);
    case InsertKind::HotkeySnippet: return std::u16string(kHotkeySnippetDefault);
    }
    return {};
}

}  // namespace

std::u16string DefaultHeading(std::u16string_view date) {
    return HeadingLines(date).append(kDefaultEndHeading);
}

std::u16string DefaultStartHeading(std::u16string_view date) { return HeadingLines(date); }

std::u16string TemplateName(InsertKind kind, int snippet) {
    switch (kind) {
    case InsertKind::Heading: return std::u16string(kHeading);
    case InsertKind::StartHeading: return std::u16string(kStartHeading);
    case InsertKind::EndHeading: return std::u16string(kEndHeading);
    case InsertKind::MenuSnippet:
    case InsertKind::HotkeySnippet: return SnippetName(snippet);
    }
    return {};
}

std::u16string InsertText(InsertKind kind, TemplateHost& host, int snippet) {
    // The heading's default carries the date of the moment the command began.
    std::u16string fallback = DefaultText(kind, host);
    std::u16string text = SmartTack(host.GetString(TemplateName(kind, snippet)), host);
    return text.empty() ? fallback : text;
}

HotkeyAction ActionOf(int element) {
    if (element >= 0 && element < kSnippetCount) return HotkeyAction::Snippet;
    switch (element) {
    case kHeadingElement: return HotkeyAction::Heading;
    case kStartHeadingElement: return HotkeyAction::StartHeading;
    case kEndHeadingElement: return HotkeyAction::EndHeading;
    case kIndentLeftElement: return HotkeyAction::ShiftLeft;
    case kIndentRightElement: return HotkeyAction::ShiftRight;
    default: return HotkeyAction::None;
    }
}

}  // namespace tabwright
