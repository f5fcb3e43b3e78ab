#include "clipboard/clipboard_watch.h"

#include <algorithm>

namespace tabwright {

bool NamesNavision(std::u16string_view caption) {
    constexpr std::u16string_view kName = u"navision";
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    return std::search(caption.begin(), caption.end(), kName.begin(), kName.end(),
                       [&](char16_t a, char16_t b) { return lower(a) == b; }) != caption.end();
}

bool ClipboardWatch::SwitchesAllow() const {
    return window_.Checked(Switch::Active) && (!window_.Checked(Switch::CSide) || TaskList.Count() > 0);
}

bool ClipboardWatch::HostAllows() {
    if (!window_.Checked(Switch::Active)) return false;
    if (!window_.Checked(Switch::CSide)) return true;
    TaskList.Refresh();
    if (TaskList.Count() == 0) {
        window_.ClearHostIcon();
        return false;
    }
    for (int i = 1; i <= TaskList.Count(); ++i) {
        if (NamesNavision(TaskList.Caption(i))) {
            window_.ShowHostIcon(TaskList.hIconSm(i));
            break;
        }
    }
    return true;
}

void ClipboardWatch::Timer1_Timer() {
    watching_ = HostAllows();
    if (watching_)
        Change_Clipboard();
    else
        Disregard();
}

void ClipboardWatch::Switched() {
    const bool watching = SwitchesAllow();
    if (watching && !watching_) Disregard();
    watching_ = watching;
}

void ClipboardWatch::Disregard() {
    // A run under way took its copy while the watch ran; its end decides.
    if (!formatting_) settled_ = GetClipboardSequenceNumber();
}

void ClipboardWatch::Clipboard_Update() {
    if (settled_ == GetClipboardSequenceNumber()) return;
    Timer1_Timer();
}

void ClipboardWatch::Change_Clipboard() {
    if (formatting_) return;
    // The number from before the pass: a change made by another program
    // while the pass ran is looked at by the next tick.
    const DWORD sequence = GetClipboardSequenceNumber();
    if (settled_ == sequence) return;
    if (Pass(sequence) == Outcome::Seen) settled_ = sequence;
}

ClipboardWatch::Outcome ClipboardWatch::Pass(DWORD sequence) {
    if (Clip.CCF() == 0) return Outcome::Seen;
    // Listed without opening the clipboard where the system can, so that
    // another program's copy costs it nothing; when enumerated instead, a
    // count of 0 tells a clipboard that another program holds open.
    const CClipFormats& formats = Clip.ListedFormats();
    if (!state_.ALSourcePresent) return formats.Count() > 0 ? Outcome::Seen : Outcome::Retry;

    ClipText = Clip.GetText();
    if (ClipText.empty()) {
        if (Clip.Formats().Count() == 0) return Outcome::Retry;
        ClipText = Clip.GetText();
    }
    if (ClipText.size() > 1) {
        if (window_.Checked(Switch::AutoIndent)) {
            formatting_ = sequence;
            // Copies of a text of megabytes cost the window's thread tens of
            // milliseconds under Wine: the text moves on.
            window_.StartNesting(std::move(ClipText));
            return Outcome::Formatting;
        }
        window_.ShowLog(ClipText);
    }
    return Outcome::Seen;
}

void ClipboardWatch::Nesting_Done(TextBlocks formatted, std::u16string_view notes) {
    if (!formatting_) return;
    const DWORD sequence = *formatting_;
    formatting_.reset();
    switch (Clip.ReplaceUnlessChanged(formatted, sequence)) {
    case CClipboard::Replacement::Replaced:
        settled_ = Clip.OwnSequence().value_or(sequence);
        // What the clipboard now holds, so that it is what is logged.
        window_.ShowLog(formatted.TakeText().append(notes));
        break;
    case CClipboard::Replacement::Changed:
        Change_Clipboard();
        break;
    case CClipboard::Replacement::Failed:
        // Nothing recorded: the next tick reads the copy again.
        break;
    }
}

}  // namespace tabwright
