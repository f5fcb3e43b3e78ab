// Formats copied code on a thread of its own, one text at a time, so that
// the main window keeps answering while a large copy is formatted, and
// makes the result ready for the clipboard. The
// window learns of the end through a posted message and takes the result
// on its own thread.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "clipboard/clipboard.h"
#include "formatter/formatter.h"
#include "win32/handles.h"

namespace tabwright {

class NestingWorker {
public:
    struct Result {
        // Built on the worker's thread too: converting and copying 2 MB
        // takes the window's thread tens of milliseconds under Wine.
        std::optional<TextBlocks> text;
        // One label per rule that fired, for the trace list.
        std::vector<std::u16string> labels;
        // Where the indentation of the copy misleads, as comment lines for
        // the log box, numbered as the lines of the formatted text.
        std::u16string notes;
    };

    // doneMessage is posted to window when a run has ended.
    NestingWorker(HWND window, UINT doneMessage);
    // Waits for a run under way: the formatter state must outlive it.
    ~NestingWorker();
    NestingWorker(const NestingWorker&) = delete;
    NestingWorker& operator=(const NestingWorker&) = delete;

    // Starts a run with operator spacing on or off for the whole text. False,
    // with nothing started, while the previous run has not been taken: the
    // formatter state serves one run at a time.
    bool Start(std::u16string text, bool sign);
    // After doneMessage: the result of the run, which ends it.
    Result Take();

private:
    // For the end-to-end tests, which need a copy to land between the read
    // of the last one and its write-back: with TABWRIGHT_HOLD_RESULTS=NAME
    // set at start, each run with its result ready sets the event NAME and
    // waits for the event NAME.go before the window learns of its end.
    void Hold() const;

    HWND window_;
    UINT doneMessage_;
    win32::UniqueKernelObject held_, go_;
    Formatter formatter_;
    Result result_;
    std::thread thread_;
};

}  // namespace tabwright
