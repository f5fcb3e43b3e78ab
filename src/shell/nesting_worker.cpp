#include "shell/nesting_worker.h"

#include <string>

#include "formatter/line_breaks.h"

namespace tabwright {
namespace {

// "// Tabwright: line N: ..." for each finding, after the formatted text;
// comments, so that a block shift of the log box keeps them harmless.
std::u16string Notes(std::u16string_view formatted, const std::vector<IndentFinding>& findings) {
    std::u16string notes;
    if (findings.empty()) return notes;
    if (!formatted.ends_with(u"\r\n")) notes = u"\r\n";
    for (const IndentFinding& f : findings) {
        const std::string line = "// Tabwright: line " + std::to_string(f.line.output) + ": " + Describe(f, 0, true);
        notes.append(line.begin(), line.end()).append(u"\r\n");
    }
    return notes;
}

}  // namespace

NestingWorker::NestingWorker(HWND window, UINT doneMessage) : window_(window), doneMessage_(doneMessage) {
    wchar_t name[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"TABWRIGHT_HOLD_RESULTS", name, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    held_.reset(OpenEventW(EVENT_MODIFY_STATE, FALSE, name));
    go_.reset(OpenEventW(SYNCHRONIZE, FALSE, (std::wstring(name) + L".go").c_str()));
}

NestingWorker::~NestingWorker() {
    if (thread_.joinable()) thread_.join();
}

bool NestingWorker::Start(std::u16string text, bool sign) {
    if (thread_.joinable()) return false;
    thread_ = std::thread([this, text = std::move(text), sign] {
        TraceRecorder trace(sign);
        // The engine breaks lines at CR LF: bare LF breaks become CR LF,
        // which is also what the editor pastes.
        const std::u16string crlf = HasBareLfBreaks(text) ? LfToCrlf(text) : std::u16string();
        const std::u16string formatted = formatter_.Nesting(crlf.empty() ? text : crlf, trace);
        result_.notes = Notes(formatted, formatter_.LastFindings());
        result_.text.emplace(formatted);
        result_.labels = trace.Labels();
        Hold();
        PostMessageW(window_, doneMessage_, 0, 0);
    });
    return true;
}

void NestingWorker::Hold() const {
    if (held_ && go_) SignalObjectAndWait(held_.get(), go_.get(), INFINITE, FALSE);
}

NestingWorker::Result NestingWorker::Take() {
    if (thread_.joinable()) thread_.join();
    Result done = std::move(result_);
    result_ = {};
    return done;
}

}  // namespace tabwright
