#include "snippets/snippet_commands.h"

#include "clipboard/clipboard.h"
#include "formatter/formatter.h"

namespace tabwright {
namespace {

constexpr int kPutAttempts = 25;
constexpr DWORD kPutRetryMs = 20;

}  // namespace

SnippetCommands::SnippetCommands(HWND window, HostFormatState& state, TemplateHost& templates, LogBox& log)
    : window_(window), state_(state), templates_(templates), log_(log) {}

void SnippetCommands::VBHotKey1_Press(int index, bool active) {
    if (!active) return;
    switch (ActionOf(index)) {
    case HotkeyAction::Snippet: Insert(InsertKind::HotkeySnippet, index); break;
    case HotkeyAction::Heading: Insert_Heading_Click(); break;
    case HotkeyAction::StartHeading: Insert_Start_Click(); break;
    case HotkeyAction::EndHeading: Insert_End_Click(); break;
    case HotkeyAction::ShiftLeft: Shift(false); break;
    case HotkeyAction::ShiftRight: Shift(true); break;
    case HotkeyAction::None: break;
    }
}

void SnippetCommands::Insert(InsertKind kind, int snippet) { Put(InsertText(kind, templates_, snippet)); }

void SnippetCommands::Shift(bool right) {
    // The log box, as the user may have edited it, not the clipboard.
    const std::u16string text = log_.LogText();
    Put(right ? Indent_Right(text) : Indent_Left(text));
}

void SnippetCommands::Put(std::u16string_view text) {
    CClipboard clip(state_, window_);
    // Clipboard viewers and managers open the clipboard for a moment after
    // every change; a command the user gave waits that moment out.
    for (int attempt = 1; !clip.ReplaceWithText(text) && attempt < kPutAttempts; ++attempt) Sleep(kPutRetryMs);
    // The log shows the text as the clipboard holds it (in the ANSI code
    // page, as C/SIDE pastes it); reading it back meets the same moment.
    std::u16string held = clip.GetText();
    for (int attempt = 1; held.empty() && !text.empty() && attempt < kPutAttempts; ++attempt) {
        Sleep(kPutRetryMs);
        held = clip.GetText();
    }
    log_.ShowLog(held);
}

}  // namespace tabwright
