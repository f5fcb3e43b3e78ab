// Clipboard access shared by the test programs that play C/SIDE and read the
// clipboard back. They open the clipboard with a window of their own: under
// Wine, two openings without a window do not keep each other out.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tabwright::test {

// A message-only window of this program, created on first use.
HWND ClipboardWindow();

// Opens the clipboard, trying for up to two seconds, since the tray program
// may hold it for a moment.
bool OpenClipboardPatiently();

// Puts bytes and a closing zero byte on the open clipboard.
bool PutBytes(UINT format, std::string_view bytes);

// Empties the open clipboard and puts the code on it as ANSI text and, when
// hostFormat is not 0, under that format as well, as C/SIDE does.
bool PutCode(std::string_view code, UINT hostFormat);

// The clipboard's UTF-16 text; empty when it has none.
std::u16string ClipboardText();

}  // namespace tabwright::test
