// The entries of a Path value (folders joined by ';'), edited the way the
// setup program adds its own folder and the uninstaller takes it out again:
// every other byte of the value stays as it was, so that adding and then
// removing an entry gives back the value the user had.
#pragma once

#include <string>
#include <string_view>

namespace tabwright::installer {

// An entry names the folder whatever the case of its letters, as Windows
// compares paths, and "C:\Tools\" is the folder "C:\Tools".

// Whether an entry of `path` names `folder`.
bool HoldsEntry(std::u16string_view path, std::u16string_view folder);

// `path` with `folder` as its last entry; unchanged when it holds it, or when
// `folder` is empty or has a ';' in its name, which no entry can hold.
std::u16string WithEntry(std::u16string_view path, std::u16string_view folder);

// `path` without the entries that name `folder`, each with one ';' that
// joined it to its neighbour; the other entries, empty ones too, stay.
std::u16string WithoutEntry(std::u16string_view path, std::u16string_view folder);

}  // namespace tabwright::installer
