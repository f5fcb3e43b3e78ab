// The clipboard watch: when the system reports a change of the clipboard,
// and on every tick of the main window's timer, it looks for code that
// C/SIDE put on the clipboard and, when it is new, puts it back formatted. A
// copy is new when the clipboard's sequence number moved, whatever its text:
// the same code copied again after a switch changed is formatted the new way.
// The number also spares idle ticks, and the reports of the program's own
// writes, from looking at all. What the clipboard holds while the switches
// or the C/SIDE rule keep the watch from running is never taken later:
// switching on, or a C/SIDE window appearing, waits for the next copy.
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
        : window_(window), Clip(clip), state_(state), TaskList(taskList), watching_(SwitchesAllow()) {}

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
    // notes follow the text in the log box, not on the clipboard.
    void Nesting_Done(TextBlocks formatted, std::u16string_view notes = {});
    // A switch was set: one that lets the watch run again leaves what the
    // clipboard holds now as it is.
    void Switched();

private:
    enum class Outcome { Seen, Retry, Formatting };
    Outcome Pass(DWORD sequence);
    // The switches, and the C/SIDE windows the last refresh found.
    bool SwitchesAllow() const;
    // The same after a refresh of the C/SIDE windows, which also sets Image1.
    bool HostAllows();
    // Takes the clipboard's content as seen, without looking at it.
    void Disregard();

    WatchWindow& window_;
    CClipboard& Clip;
    HostFormatState& state_;
    CTaskList& TaskList;
    std::u16string ClipText;
    // Whether the last tick let the watch run.
    bool watching_;
    // Sequence number of the clipboard content the last complete pass saw,
    // or of the content it wrote.
    std::optional<DWORD> settled_;
    // While a run formats a copy: the sequence number the copy was read under.
    std::optional<DWORD> formatting_;
};

// Whether a window caption names Navision, in any letter case.
bool NamesNavision(std::u16string_view caption);

}  // namespace tabwright
