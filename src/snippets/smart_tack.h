// Template expansion: fills in the placeholders of a heading or snippet
// template at the moment it is used.
#pragma once

#include <string>
#include <string_view>

#include "snippets/template_host.h"

namespace tabwright {

inline constexpr std::u16string_view kFileError = u"Error open file";
inline constexpr std::u16string_view kNoVersion = u"x.xx";

// Replaces the first occurrence of each placeholder, letter case ignored, in
// this order: %Date%, %Time%, %Ver%, %User%, %Des%, %Free%, %File%. The
// stored texts behind %Ver%, %Des% and %Free% are expanded in turn; a
// placeholder met again inside its own expansion stays as it is. %File%"name"
// makes the whole result the named file's text.
std::u16string SmartTack(std::u16string_view tekst, TemplateHost& host);

}  // namespace tabwright
