// The main window's reads and writes of its settings: the switches under
// HKEY_CURRENT_USER\Software\Quillmark and the autostart entry in the
// per-user Run key. Every call opens and closes its key; a failed read gives
// "", which every caller treats as a missing value.
#pragma once

#include <string>
#include <string_view>

namespace tabwright {

std::u16string ReadSetting(std::u16string_view name);
void WriteSetting(std::u16string_view name, std::u16string_view value);

std::u16string ReadRunEntry();
void WriteRunEntry(std::u16string_view value);

// The Run entry's text that starts this program at logon: the program's
// folder with "\Tabwright.exe", in double quotes.
std::u16string AutostartCommand();

}  // namespace tabwright
