#include "cli/lsp_server.h"

#include <iterator>
#include <map>

#include <nlohmann/json.hpp>
#include <utf8cpp/utf8.h>

#include "cli/lsp_stream.h"
#include "cli/object_file.h"
#include "cli/text_diff.h"

namespace tabwright::cli {
namespace {

using nlohmann::json;

// JSON-RPC error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;

struct RpcError {
    int code;
    std::string message;
};

std::string Dump(const json& message) { return message.dump(-1, ' ', false, json::error_handler_t::replace); }

std::string ErrorReply(const json& id, int code, const std::string& message) {
    return Dump({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

std::u16string ToUtf16(const std::string& utf8) {
    std::u16string text;
    utf8::utf8to16(utf8.begin(), utf8.end(), std::back_inserter(text));
    return text;
}

std::string ToUtf8(std::u16string_view text) {
    std::string utf8;
    utf8::utf16to8(text.begin(), text.end(), std::back_inserter(utf8));
    return utf8;
}

// Lines as the protocol counts them: ended by CR LF, LF or CR.
std::vector<std::u16string_view> ProtocolLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r') continue;
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        lines.push_back(text.substr(start, i + 1 - start));
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

json Position(std::size_t line, std::size_t character) { return {{"line", line}, {"character", character}}; }

// One edit per run of changed lines: whole lines from column 0, or to the
// end of a last line without a break (measured in UTF-16 units).
json LineEdits(std::u16string_view before, std::u16string_view after) {
    const auto a = ProtocolLines(before), b = ProtocolLines(after);
    json edits = json::array();
    for (const LineHunk& h : DiffLines(a, b)) {
        std::u16string text;
        for (std::size_t n = 0; n < h.newCount; ++n) text.append(b[h.newFirst + n]);
        const std::size_t endLine = h.oldFirst + h.oldCount;
        json end = Position(endLine, 0);
        if (endLine == a.size() && !a.empty() && !a.back().ends_with(u'\n') && !a.back().ends_with(u'\r'))
            end = Position(endLine - 1, a.back().size());
        edits.push_back({{"range", {{"start", Position(h.oldFirst, 0)}, {"end", end}}}, {"newText", ToUtf8(text)}});
    }
    return edits;
}

std::size_t Count(const json& position, const char* key) {
    const json& value = position.at(key);
    if (!value.is_number_unsigned()) throw RpcError{kInvalidParams, std::string(key) + " must be a count"};
    return value.get<std::size_t>();
}

// The lines a range covers, 1-based; an end at column 0 leaves its line out.
LineRange CoveredLines(const json& range) {
    const std::size_t first = Count(range.at("start"), "line");
    std::size_t last = Count(range.at("end"), "line");
    if (last < first) throw RpcError{kInvalidParams, "the range ends before it starts"};
    if (last > first && Count(range.at("end"), "character") == 0) --last;
    return {first + 1, last + 1};
}

}  // namespace

struct LspServer::State {
    FormatSettings settings;
    std::map<std::string, std::u16string> documents;
    bool initialized = false;
    bool shutDown = false;
    bool unreadable = false;
    std::optional<int> exitCode;
    std::vector<std::string> notices;  // window/showMessage, sent after the reply

    const std::u16string& Document(const json& params) {
        const auto it = documents.find(params.at("textDocument").at("uri").get<std::string>());
        if (it == documents.end()) throw RpcError{kInvalidParams, "the document is not open"};
        return it->second;
    }

    json Format(const json& params, const LineRanges* ranges) {
        const std::u16string& text = Document(params);
        CodeFormatter formatter(settings);
        if (!LooksLikeObjectExport(text))
            return LineEdits(text, ranges ? formatter.FormatLines(text, *ranges) : formatter.FormatText(text));
        const ObjectTextResult result = FormatObjectText(text, formatter, ranges);
        for (const ObjectWarning& w : result.warnings)
            notices.push_back(Dump({{"jsonrpc", "2.0"},
                                    {"method", "window/showMessage"},
                                    {"params", {{"type", 2}, {"message", "line " + std::to_string(w.line) + ": " + w.message}}}}));
        return LineEdits(text, result.text);
    }

    // The lines of a document whose indentation misleads, as warnings with
    // the line of the IF, ELSE or loop they name beside them; an empty list
    // clears the last one.
    void Publish(const std::string& uri) {
        const auto it = documents.find(uri);
        std::vector<IndentWarning> found;
        if (it != documents.end() && settings.indentWarnings) {
            CodeFormatter formatter(settings);
            if (LooksLikeObjectExport(it->second)) {
                found = FormatObjectText(it->second, formatter).indentation;
            } else {
                formatter.FormatText(it->second);
                found = formatter.Warnings();
            }
        }
        const auto lines = it == documents.end() ? std::vector<std::u16string_view>() : ProtocolLines(it->second);
        const auto range = [&lines](std::size_t line) {
            std::u16string_view text = line <= lines.size() ? lines[line - 1] : std::u16string_view();
            while (text.ends_with(u'\n') || text.ends_with(u'\r')) text.remove_suffix(1);
            return json{{"start", Position(line - 1, 0)}, {"end", Position(line - 1, text.size())}};
        };
        json diagnostics = json::array();
        for (const IndentWarning& w : found)
            diagnostics.push_back(
                {{"range", range(w.line)},
                 {"severity", 2},
                 {"source", "tabwright-format"},
                 {"message", w.message},
                 {"relatedInformation",
                  json::array({{{"location", {{"uri", uri}, {"range", range(w.headLine)}}}, {"message", "the " + w.head}}})}});
        notices.push_back(Dump({{"jsonrpc", "2.0"},
                                {"method", "textDocument/publishDiagnostics"},
                                {"params", {{"uri", uri}, {"diagnostics", diagnostics}}}}));
    }

    json Call(const std::string& method, const json& params) {
        if (method == "initialize") {
            if (initialized) throw RpcError{kInvalidRequest, "initialize came twice"};
            initialized = true;
            return {{"capabilities",
                     {{"positionEncoding", "utf-16"},
                      {"textDocumentSync", {{"openClose", true}, {"change", 1}}},
                      {"documentFormattingProvider", true},
                      {"documentRangeFormattingProvider", true}}},
                    {"serverInfo", {{"name", "tabwright-format"}, {"version", TABWRIGHT_VERSION}}}};
        }
        if (!initialized) throw RpcError{kServerNotInitialized, "initialize must come first"};
        if (shutDown) throw RpcError{kInvalidRequest, "the server is shut down"};
        if (method == "shutdown") {
            shutDown = true;
            return nullptr;
        }
        if (method == "textDocument/formatting") return Format(params, nullptr);
        if (method == "textDocument/rangeFormatting") {
            const LineRanges ranges{CoveredLines(params.at("range"))};
            return Format(params, &ranges);
        }
        throw RpcError{kMethodNotFound, "no method " + method};
    }

    void Notify(const std::string& method, const json& params) {
        if (method == "exit") exitCode = shutDown ? 0 : 1;
        if (!initialized || shutDown) return;
        if (method == "textDocument/didOpen") {
            const json& document = params.at("textDocument");
            const std::string uri = document.at("uri").get<std::string>();
            documents[uri] = ToUtf16(document.at("text").get<std::string>());
            Publish(uri);
        } else if (method == "textDocument/didChange") {
            const std::string uri = params.at("textDocument").at("uri").get<std::string>();
            // Whole texts only; a document changed by range is dropped, so
            // that no edit is ever computed against a stale copy.
            for (const json& change : params.at("contentChanges")) {
                if (change.contains("range")) {
                    documents.erase(uri);
                    break;
                }
                documents[uri] = ToUtf16(change.at("text").get<std::string>());
            }
            Publish(uri);
        } else if (method == "textDocument/didClose") {
            const std::string uri = params.at("textDocument").at("uri").get<std::string>();
            documents.erase(uri);
            Publish(uri);
        }
    }
};

LspServer::LspServer(const FormatSettings& settings) : state_(std::make_unique<State>()) {
    state_->settings = settings;
    state_->settings.trace = false;
}

LspServer::~LspServer() = default;

std::optional<int> LspServer::ExitCode() const { return state_->exitCode; }
bool LspServer::ShutDown() const { return state_->shutDown; }
bool LspServer::Unreadable() const { return state_->unreadable; }

std::vector<std::string> LspServer::Handle(std::string_view body) {
    const json message = json::parse(body, nullptr, false);
    state_->unreadable = message.is_discarded();
    if (message.is_discarded()) return {ErrorReply(nullptr, kParseError, "not JSON")};
    if (!message.is_object()) return {ErrorReply(nullptr, kInvalidRequest, "not a JSON-RPC message")};

    const auto idAt = message.find("id");
    const bool request = idAt != message.end();
    const json id = request ? *idAt : json();
    const auto methodAt = message.find("method");
    if (request && !id.is_string() && !id.is_number_integer())
        return {ErrorReply(nullptr, kInvalidRequest, "the id must be a number or a string")};
    // Answers to requests of ours (there are none) need nothing.
    if (methodAt == message.end() && request && (message.contains("result") || message.contains("error")))
        return {};
    const auto version = message.find("jsonrpc");
    if (methodAt == message.end() || !methodAt->is_string() || version == message.end() || *version != "2.0") {
        if (!request) return {};
        return {ErrorReply(id, kInvalidRequest, "not a JSON-RPC 2.0 request")};
    }
    const std::string method = methodAt->get<std::string>();
    const auto paramsAt = message.find("params");
    const json params = paramsAt == message.end() ? json::object() : *paramsAt;

    if (!request) {
        try {
            state_->Notify(method, params);
        } catch (const std::exception&) {
            // A notification has no answer, not even to bad parameters.
        }
        std::vector<std::string> notices = std::move(state_->notices);
        state_->notices.clear();
        return notices;
    }
    std::vector<std::string> replies(1);
    try {
        replies[0] = Dump({{"jsonrpc", "2.0"}, {"id", id}, {"result", state_->Call(method, params)}});
    } catch (const RpcError& e) {
        replies[0] = ErrorReply(id, e.code, e.message);
    } catch (const json::exception& e) {
        replies[0] = ErrorReply(id, kInvalidParams, e.what());
    } catch (const std::exception& e) {
        replies[0] = ErrorReply(id, kInternalError, e.what());
    }
    for (std::string& notice : state_->notices) replies.push_back(std::move(notice));
    state_->notices.clear();
    return replies;
}

int ServeLsp(std::istream& in, std::ostream& out, const FormatSettings& settings) {
    LspServer server(settings);
    LspReader reader(in);
    for (;;) {
        const LspFrame frame = reader.Next();
        if (frame.kind == LspFrame::Kind::End) return server.ShutDown() ? 0 : 1;
        if (frame.kind == LspFrame::Kind::Malformed) {
            WriteLspFrame(out, ErrorReply(nullptr, kParseError, "bad header"));
        } else {
            for (const std::string& reply : server.Handle(frame.body)) WriteLspFrame(out, reply);
            // A body that is not JSON was most likely cut by a wrong length.
            if (server.Unreadable()) reader.SkipToNextHeader();
        }
        if (server.ExitCode()) return *server.ExitCode();
    }
}

}  // namespace tabwright::cli
