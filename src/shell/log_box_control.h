// The main window's log box Text1 and its hidden trace list Combo1, both
// filled piece by piece (PiecemealFill): the log box with the last text
// handled, the trace list with the labels of the last formatting run.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "shell/piecemeal_fill.h"

namespace tabwright {

// A long text goes into the edit control only while the window is visible
// (nobody reads a hidden box), and read-only until it is all there; until
// then the box's text is the one kept here.
class LogBoxControl {
public:
    LogBoxControl(HWND window, UINT_PTR timerId) : window_(window), fill_(window, timerId) {}

    void Attach(HWND edit);
    void Show(std::u16string_view text);
    // The text as the box holds it, with the user's edits.
    std::u16string Text() const;
    // The window is being shown: the rest of a long text follows.
    void WindowShown();
    PiecemealFill& Fill() { return fill_; }

private:
    bool AddPiece();

    HWND window_;
    HWND edit_ = nullptr;
    PiecemealFill fill_;
    std::u16string text_;
    std::size_t added_ = 0;
    std::size_t piece_ = 0;  // characters per piece, for this text
    bool complete_ = true;
};

class TraceListControl {
public:
    TraceListControl(HWND window, UINT_PTR timerId) : fill_(window, timerId) {}

    void Attach(HWND list) { list_ = list; }
    void Show(std::vector<std::u16string> labels);
    PiecemealFill& Fill() { return fill_; }

private:
    bool AddPiece();

    HWND list_ = nullptr;
    PiecemealFill fill_;
    std::vector<std::u16string> labels_;
    std::size_t added_ = 0;
};

}  // namespace tabwright
