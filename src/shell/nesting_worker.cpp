#include "shell/nesting_worker.h"

namespace tabwright {

NestingWorker::~NestingWorker() {
    if (thread_.joinable()) thread_.join();
}

bool NestingWorker::Start(std::u16string text, bool sign) {
    if (thread_.joinable()) return false;
    thread_ = std::thread([this, text = std::move(text), sign] {
        TraceRecorder trace(sign);
        result_.text.emplace(formatter_.Nesting(text, trace));
        result_.labels = trace.Labels();
        PostMessageW(window_, doneMessage_, 0, 0);
    });
    return true;
}

NestingWorker::Result NestingWorker::Take() {
    if (thread_.joinable()) thread_.join();
    Result done = std::move(result_);
    result_ = {};
    return done;
}

}  // namespace tabwright
