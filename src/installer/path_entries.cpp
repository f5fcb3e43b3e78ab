#include "installer/path_entries.h"

#include <algorithm>

namespace tabwright::installer {
namespace {

char16_t Folded(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }

std::u16string_view WithoutTrailingBackslashes(std::u16string_view folder) {
    while (!folder.empty() && folder.back() == u'\\') folder.remove_suffix(1);
    return folder;
}

bool SameFolder(std::u16string_view entry, std::u16string_view folder) {
    entry = WithoutTrailingBackslashes(entry);
    folder = WithoutTrailingBackslashes(folder);
    return !folder.empty() && std::ranges::equal(entry, folder, {}, Folded, Folded);
}

// Calls visit(start, length) for each entry, an empty one too.
template <typename Visit>
void ForEachEntry(std::u16string_view path, Visit visit) {
    for (size_t start = 0;;) {
        const size_t end = std::min(path.find(u';', start), path.size());
        visit(start, end - start);
        if (end == path.size()) return;
        start = end + 1;
    }
}

}  // namespace

bool HoldsEntry(std::u16string_view path, std::u16string_view folder) {
    bool found = false;
    ForEachEntry(path, [&](size_t start, size_t length) { found |= SameFolder(path.substr(start, length), folder); });
    return found;
}

std::u16string WithEntry(std::u16string_view path, std::u16string_view folder) {
    std::u16string result(path);
    // A folder with ';' in its name cannot be one entry.
    if (folder.empty() || folder.find(u';') != folder.npos || HoldsEntry(path, folder)) return result;
    // A value that ends in ';' keeps its ending after the new entry, which
    // WithoutEntry then takes out with the ';' before it.
    if (path.empty()) result = folder;
    else if (path.back() == u';') result.append(folder).push_back(u';');
    else result.append(u";").append(folder);
    return result;
}

std::u16string WithoutEntry(std::u16string_view path, std::u16string_view folder) {
    // The entries that stay, joined again: each one dropped takes one ';' along.
    std::u16string result;
    bool kept = false;
    ForEachEntry(path, [&](size_t start, size_t length) {
        const std::u16string_view entry = path.substr(start, length);
        if (SameFolder(entry, folder)) return;
        if (kept) result.push_back(u';');
        result.append(entry);
        kept = true;
    });
    return result;
}

}  // namespace tabwright::installer
