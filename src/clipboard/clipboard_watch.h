// The clipboard watch: when the system reports a change of the clipboard,
// and on every tick of the main window's timer, it looks for code that
// C/SIDE put on the clipboard and, when it is new, puts it back formatted. A
// change is recognised by comparing the clipboard's text with the text the
// last pass recorded; the clipboard's sequence number spares idle ticks, and
// the reports of the program's own writes, from looking at all.
//
// The text is formatted away from the window's thread, so the formatted text
// goes back only if the clipboard still holds the copy it was read from; a
// copy made meanwhile is taken instead, and the result dropped.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "clipboard/clipboard.h"
#include "clipboard/host_format_state.h"
#include "clipboard/watch_window.h"
#include "host/task_list.h"

namespace tabwright {

class ClipboardWatch {
public:
    ClipboardWatch(WatchWindow& window, CClipboard& clip, HostFormatState& state, CTaskList& taskList)
        : window_(window), Clip(clip), state_(state), TaskList(taskList) {}

    // One timer tick: the switches, the host check, then a pass.
    void Timer1_Timer();
    // WM_CLIPBOARDUPDATE: a tick's work, at once. A change the watch has
    // already seen through, its own write among them, costs nothing.
    void Clipboard_Update();
    // One pass, unless the clipboard has not changed since the last pass
    // that saw it through, or a formatting run is under way: its end looks
    // at the clipboard again.
    void Change_Clipboard();
    // The end of the run that StartNesting began: the formatted text replaces
    // the copy, unless another copy came meanwhile, which a new pass takes.
    void Nesting_Done(TextBlocks formatted);

    const std::u16string& LastClipText() const { return LastClipText_; }

private:
    enum class Outcome { Seen, Retry, Formatting };
    Outcome Pass(DWORD sequence);

    WatchWindow& window_;
    CClipboard& Clip;
    HostFormatState& state_;
    CTaskList& TaskList;
    std::u16string ClipText;
    std::u16string LastClipText_;
    // Sequence number of the clipboard content the last complete pass saw,
    // or of the content it wrote.
    std::optional<DWORD> settled_;
    // While a run formats a copy: the sequence number the copy was read under.
    std::optional<DWORD> formatting_;
};

// Whether a window caption names Navision, in any letter case.
bool NamesNavision(std::u16string_view caption);

}  // namespace tabwright
