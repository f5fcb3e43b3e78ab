// The program's one way to the Windows clipboard. Every operation opens the
// clipboard, does its work and closes it before returning; when another
// program holds the clipboard it does nothing and returns an empty value.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "clipboard/clip_formats.h"
#include "clipboard/clipboard_handles.h"
#include "clipboard/host_format_state.h"

namespace tabwright {

// A text made ready for the clipboard as ANSI and UTF-16 blocks, each with
// its terminating zero. Built on any thread: for a large text the
// conversion and the copies take a while.
class TextBlocks {
public:
    explicit TextBlocks(std::u16string_view text);
    // False when a block could not be allocated.
    explicit operator bool() const { return ansi_ && unicode_; }
    // The text as the clipboard gives it back once the blocks are on it:
    // through the ANSI form, which is read first. Taken only once.
    std::u16string TakeText() { return std::move(text_); }

private:
    friend class CClipboard;
    TextBlocks(std::u16string_view text, const std::string& ansi);

    GlobalBlock ansi_;
    GlobalBlock unicode_;
    std::u16string text_;
};

class CClipboard {
public:
    // owner: the program's own window, made the clipboard's owner whenever
    // the clipboard is written. state: the main window's host-format state.
    CClipboard(HostFormatState& state, HWND owner);

    // Enumerates the clipboard again and returns the formats found.
    const CClipFormats& Formats();
    // The formats as the system lists them, without opening the clipboard;
    // enumerated as by Formats() where the system has no such list.
    const CClipFormats& ListedFormats();
    // Number of formats on the clipboard; 0 when it is empty.
    std::int32_t CCF() const;
    // Enumerates the clipboard again; true when it carries C/SIDE's format.
    bool ALS();

    // Empties the clipboard; false when it cannot be opened or emptied.
    bool Clear();

    // The first of the formats that the clipboard offers; 0 for an empty
    // clipboard or an empty list, -1 when none of them is there.
    std::int32_t GetPriorityFormat(std::initializer_list<std::int32_t> formats) const;

    // The clipboard's text, preferring the ANSI form; empty when there is none.
    std::u16string GetText() const;

    // Adds the text as ANSI and as UTF-16 text without emptying the
    // clipboard first; true when the ANSI text was accepted.
    bool SetText(std::u16string_view text);

    // Replaces the whole content by the text, as ANSI and UTF-16 text, in one
    // opening. Both blocks are built first, so a failure before the clipboard
    // is emptied leaves the old content in place. True when both were accepted.
    bool ReplaceWithText(std::u16string_view text);

    enum class Replacement { Replaced, Changed, Failed };
    // The same with the blocks given, and only while the clipboard's
    // sequence number is still sequence: the number is compared with the
    // clipboard open, so no other program can change the content between the
    // test and the write. Changed when another program wrote since; Failed
    // when the clipboard could not be opened or written. The clipboard takes
    // the blocks it accepts.
    Replacement ReplaceUnlessChanged(TextBlocks& blocks, DWORD sequence);

    // The clipboard's sequence number while the owner window given above
    // still owns the content, that is, while the content is the program's
    // own last write; nothing once another program has written.
    std::optional<DWORD> OwnSequence() const;

private:
    Replacement Replace(TextBlocks& blocks, std::optional<DWORD> sequence);

    HostFormatState& state_;
    HWND owner_;
    CClipFormats formats_;
};

}  // namespace tabwright
