#include "shell/log_box_control.h"

#include <algorithm>

#include "win32/code_page.h"
#include "win32/fixed_window.h"

namespace tabwright {
namespace {

// An edit control under Wine takes about 2 ms for 1000 characters of short
// lines, and each piece added to a shown one some 20 ms more, and more again
// the longer its text already is: in pieces of a fixed length a text of 1 MB
// took half a minute. A long text goes in in at most kMostPieces pieces, a
// few hundred milliseconds each for 2 MB, so the whole takes a time its
// length bounds. A list takes about 4 ms for 100 entries at its end.
constexpr std::size_t kTextPiece = 2048;
constexpr std::size_t kMostPieces = 32;
constexpr std::size_t kLabelPiece = 100;

// Where the piece from start ends: after the last line break within length
// characters, never between the halves of a surrogate pair.
std::size_t PieceEnd(std::u16string_view text, std::size_t start, std::size_t length) {
    if (text.size() - start <= length) return text.size();
    const std::size_t limit = start + length;
    const std::size_t lineEnd = text.rfind(u'\n', limit - 1);
    if (lineEnd != std::u16string_view::npos && lineEnd > start) return lineEnd + 1;
    const char16_t last = text[limit - 1];
    return last >= 0xD800 && last <= 0xDBFF ? limit - 1 : limit;
}

}  // namespace

void LogBoxControl::Attach(HWND edit) {
    edit_ = edit;
    // Pieces are added as replacements of the selection, which the edit
    // control limits to 30,000 characters unless told otherwise.
    SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
}

void LogBoxControl::Show(std::u16string_view text) {
    text_ = text;
    added_ = 0;
    piece_ = std::max(kTextPiece, (text_.size() + kMostPieces - 1) / kMostPieces);
    complete_ = false;
    SendMessageW(edit_, EM_SETREADONLY, TRUE, 0);
    // A short text is all there on return; a long one, and the emptying of
    // the box that may hold one, come with the timer, after the messages
    // waiting now.
    fill_.Start([this] { return AddPiece(); }, text_.size() <= kTextPiece);
}

bool LogBoxControl::AddPiece() {
    if (added_ == 0) SetWindowTextW(edit_, L"");
    if (added_ < text_.size()) {
        const std::size_t end = PieceEnd(text_, added_, piece_);
        const std::u16string piece = text_.substr(added_, end - added_);
        SendMessageW(edit_, EM_SETSEL, added_, added_);
        SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(win32::Wide(piece)));
        added_ = end;
    }
    if (added_ < text_.size()) return IsWindowVisible(window_);
    // As a whole text set at once: the caret at the start, editable.
    SendMessageW(edit_, EM_SETSEL, 0, 0);
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    SendMessageW(edit_, EM_SETREADONLY, FALSE, 0);
    complete_ = true;
    text_ = std::u16string();
    return false;
}

std::u16string LogBoxControl::Text() const { return complete_ ? win32::WindowText(edit_) : text_; }

void LogBoxControl::WindowShown() {
    // Sent before the window is visible: the pieces come with the timer.
    if (!complete_ && !fill_.Filling()) fill_.Start([this] { return AddPiece(); }, false);
}

void TraceListControl::Show(std::vector<std::u16string> labels) {
    labels_ = std::move(labels);
    added_ = 0;
    fill_.Start([this] { return AddPiece(); }, labels_.size() <= kLabelPiece);
}

bool TraceListControl::AddPiece() {
    if (added_ == 0) {
        SendMessageW(list_, CB_RESETCONTENT, 0, 0);
        // Without drawing between the entries a list fills six times faster.
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    }
    const std::size_t end = std::min(labels_.size(), added_ + kLabelPiece);
    for (; added_ < end; ++added_)
        SendMessageW(list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(labels_[added_])));
    if (added_ < labels_.size()) return true;
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    // The default handling of WM_SETREDRAW may show a window; this list stays hidden.
    ShowWindow(list_, SW_HIDE);
    labels_ = {};
    return false;
}

}  // namespace tabwright
