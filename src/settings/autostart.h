// Starting the program at logon: the value "Quillmark" in the current user's
// Run key (kRunKey, kRunValue), holding the quoted path of Tabwright.exe in
// the program's folder.
#pragma once

#include <string>
#include <string_view>

namespace tabwright {

// "\"<folder>\\Tabwright.exe\"", whatever the running executable is called.
std::u16string AutostartCommand(std::u16string_view programFolder);

// The folder of the running executable, without a closing backslash.
std::u16string ProgramFolder();

// On while the Run value holds any text at all.
bool AutostartEnabled();

// Writes the command, or the empty text to switch off (the value stays).
void SetAutostart(bool enabled);

}  // namespace tabwright
