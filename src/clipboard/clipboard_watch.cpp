#include "clipboard/clipboard_watch.h"

#include <algorithm>

namespace tabwright {

bool NamesNavision(std::u16string_view caption) {
    constexpr std::u16string_view kName = u"navision";
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    return std::search(caption.begin(), caption.end(), kName.begin(), kName.end(),
                       [&](char16_t a, char16_t b) { return lower(a) == b; }) != caption.end();
}

void ClipboardWatch::Timer1_Timer() {
    if (!window_.Checked(Switch::Active)) return;
    if (!window_.Checked(Switch::CSide)) {
        Change_Clipboard();
        return;
    }
    TaskList.Refresh();
    if (TaskList.Count() == 0) {
        window_.ClearHostIcon();
        return;
    }
    for (int i = 1; i <= TaskList.Count(); ++i) {
        if (NamesNavision(TaskList.Caption(i))) {
            window_.ShowHostIcon(TaskList.hIconSm(i));
            break;
        }
    }
    Change_Clipboard();
}

void ClipboardWatch::Change_Clipboard() {
    const DWORD sequence = GetClipboardSequenceNumber();
    if (settled_ == sequence) return;
    // The number from before the pass: a change made by another program
    // while the pass ran is looked at by the next tick.
    if (Pass(sequence)) settled_ = sequence;
}

bool ClipboardWatch::Pass(DWORD sequence) {
    if (Clip.CCF() == 0) return true;
    // The same enumeration as Clip.ALS; its count tells a clipboard without
    // C/SIDE's format from one that another program holds open.
    const CClipFormats& formats = Clip.Formats();
    if (!state_.ALSourcePresent) return formats.Count() > 0;

    ClipText = Clip.GetText();
    if (ClipText.empty()) {
        if (Clip.Formats().Count() == 0) return false;
        ClipText = Clip.GetText();
    }
    if (ClipText == LastClipText_) return true;

    if (ClipText.size() > 1) {
        if (window_.Checked(Switch::AutoIndent)) {
            // Formatted first, then the content replaced in one opening: if
            // the clipboard cannot be opened, the copied code stays on it.
            const std::u16string formatted = window_.Nesting(ClipText);
            if (GetClipboardSequenceNumber() != sequence) return false;
            if (!Clip.ReplaceWithText(formatted)) return false;
            ClipText = Clip.GetText();
            if (ClipText.empty()) ClipText = formatted;
        }
        window_.ShowLog(ClipText);
    }
    LastClipText_ = ClipText;
    return true;
}

}  // namespace tabwright
