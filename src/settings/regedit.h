// The settings store: single text values in the registry, read and written
// through the ANSI entry points, so texts pass through the ANSI code page.
// Every call opens and closes its key; none reports failure: a failed read
// gives the empty text and a failed write leaves the old value.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tabwright::Regedit {

// Stores data as REG_SZ, creating the key when it does not exist.
void SaveString(HKEY root, std::u16string_view keyPath, std::u16string_view valueName, std::u16string_view data);

// The value as text (see QueryStringValue); empty when the key is missing.
std::u16string GetString(HKEY root, std::u16string_view keyPath, std::u16string_view valueName);

// One value of an open key as text: REG_SZ up to its first NUL; REG_BINARY of
// exactly two bytes as the decimal text of a signed 16-bit little-endian
// number; empty for a missing value, any other type or any failure.
std::u16string QueryStringValue(HKEY key, std::u16string_view valueName);

}  // namespace tabwright::Regedit
