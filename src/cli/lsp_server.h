// tabwright-format --lsp: a language server that formats C/AL documents,
// whole or by range. Exported objects are told by their first line; other
// text is formatted as one piece of code. Documents arrive as UTF-8 and are
// handed to the engine as UTF-16 units, one unit per character as in the
// code page C/SIDE writes, so every character survives and lines are
// measured as C/SIDE measures them.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/code_formatter.h"

namespace tabwright::cli {

class LspServer {
public:
    explicit LspServer(const FormatSettings& settings);
    ~LspServer();

    // Handles one message; gives what to send back: the reply to a request
    // (a JSON-RPC error for bad input), then any window/showMessage notices.
    // A notification gets nothing.
    std::vector<std::string> Handle(std::string_view body);

    // Set once the exit notification came: 0 after a shutdown request, else 1.
    std::optional<int> ExitCode() const;
    bool ShutDown() const;
    // The last message was not JSON at all.
    bool Unreadable() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Serves one client on in and out until exit or the end of in; returns the
// exit status.
int ServeLsp(std::istream& in, std::ostream& out, const FormatSettings& settings);

}  // namespace tabwright::cli
