// What a formatting run needs from the window that runs it: the trace list
// (cleared at the start of a run, one label per rule that fires) and the
// operator-spacing switch, asked afresh for every line. Callers that need
// to know which output came from which input line may also listen to the
// end of each line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tabwright {

class NestingHost {
public:
    virtual ~NestingHost() = default;
    virtual void ClearTrace() = 0;
    virtual void AddTrace(std::u16string_view label) = 0;
    virtual bool SignOn() = 0;
    // After each line: where it ends in the text as given (a dropped or moved
    // leading break counts with the first line) and the output's length so far.
    virtual void LineDone(std::size_t /*inputEnd*/, std::size_t /*outputEnd*/) {}
};

// A host that keeps the labels in memory, for the command-line tool and tests.
class TraceRecorder : public NestingHost {
public:
    explicit TraceRecorder(bool sign = false, bool keepLabels = true)
        : sign_(sign), keep_(keepLabels) {}

    void ClearTrace() override { labels_.clear(); }
    void AddTrace(std::u16string_view label) override {
        if (keep_) labels_.emplace_back(label);
    }
    bool SignOn() override { return sign_; }

    void SetSign(bool on) { sign_ = on; }
    const std::vector<std::u16string>& Labels() const { return labels_; }

private:
    bool sign_;
    bool keep_;
    std::vector<std::u16string> labels_;
};

}  // namespace tabwright
