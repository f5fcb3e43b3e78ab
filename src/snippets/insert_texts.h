// The texts the insert commands and snippet hotkeys put on the clipboard:
// the stored template filled in, or a built-in text when there is none.
#pragma once

#include <string>
#include <string_view>

#include "snippets/template_host.h"

namespace tabwright {

enum class InsertKind {
    Heading,        // the full modification heading
    StartHeading,   // its first five lines
    EndHeading,     // its last line
    MenuSnippet,    // a snippet from the Insert menu
    HotkeySnippet,  // the same snippet from its hotkey, with another default
};

inline constexpr std::u16string_view kDefaultEndHeading = u"// << Company Name\r\n\r\n";
inline constexpr std::u16string_view kMenuSnippetDefault = u"// Osrik\r\n";
inline constexpr std::u16string_view kHotkeySnippetDefault = u"// >> Company Name\r\n";

// The built-in heading and start marker, dated.
std::u16string DefaultHeading(std::u16string_view date);
std::u16string DefaultStartHeading(std::u16string_view date);

// The registry value that holds the command's template; snippet: 0..9.
std::u16string TemplateName(InsertKind kind, int snippet = 0);

// The template expanded, or the built-in text when it expands to nothing.
// The built-in text itself is never expanded.
std::u16string InsertText(InsertKind kind, TemplateHost& host, int snippet = 0);

// What a press of each hotkey element does.
enum class HotkeyAction { None, Snippet, Heading, StartHeading, EndHeading, ShiftLeft, ShiftRight };
HotkeyAction ActionOf(int element);

}  // namespace tabwright
