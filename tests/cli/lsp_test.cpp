// The language server, message by message, and over framed streams.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/lsp_server.h"

namespace tabwright::cli {
namespace {

// A notification for id 0, else a request.
std::string Call(int id, const std::string& method, const std::string& params) {
    return R"({"jsonrpc":"2.0",)" + (id ? R"("id":)" + std::to_string(id) + "," : "") + R"("method":")" + method +
           R"(","params":)" + params + "}";
}
std::string Open(const std::string& uri, const std::string& text) {
    return Call(0, "textDocument/didOpen", R"({"textDocument":{"uri":")" + uri + R"(","text":")" + text + "\"}}");
}
std::string Format(int id, const std::string& uri, const std::string& range = "") {
    return Call(id, range.empty() ? "textDocument/formatting" : "textDocument/rangeFormatting",
                R"({"textDocument":{"uri":")" + uri + R"("})" + (range.empty() ? "" : R"(,"range":)" + range) + "}");
}

TEST(LspTest, EachMessageGetsItsAnswer) {
    const std::string code = R"(\r\n  CODE\r\n  {\r\n    PROCEDURE A@1();\r\n    BEGIN\r\n      IF a THEN\r\n      b;\r\n)";
    const std::string lines23 = R"({"start":{"line":2,"character":0},"end":{"line":3,"character":0}})";
    const struct {
        std::string message, answer;  // answer: part of the replies, "" for none
    } table[] = {
        {Format(1, "a"), R"({"error":{"code":-32002)"},
        {Call(2, "initialize", "{}"), R"("documentFormattingProvider":true,"documentRangeFormattingProvider":true,)"
                                      R"("positionEncoding":"utf-16","textDocumentSync":{"change":1,"openClose":true}},)"
                                      R"("serverInfo":{"name":"tabwright-format","version":")"},
        // U+1F600 takes two UTF-16 units: the edit ends at column 10.
        {Open("a", R"(IF a THEN\r\nb:='\u00fc\u20ac\ud83d\ude00';)"), R"("params":{"diagnostics":[],"uri":"a"})"},
        {Format(3, "a"), R"("result":[{"newText":"  b := 'ü€😀';","range":{"end":{"character":10,"line":1},"start":{"character":0,"line":1}}}])"},
        {Open("b", R"(IF a THEN BEGIN\r\nb;\r\nc;\r\nd;\r\nEND;\r\n)"), R"("diagnostics":[],"uri":"b")"},
        {Format(4, "b", lines23), R"([{"newText":"  c;\r\n","range":{"end":{"character":0,"line":3},"start":{"character":0,"line":2}}}])"},
        // A range that ends inside a line covers that line.
        {Format(9, "b", R"({"start":{"line":2,"character":0},"end":{"line":3,"character":1}})"),
         R"([{"newText":"  c;\r\n  d;\r\n","range":{"end":{"character":0,"line":4},"start":{"character":0,"line":2}}}])"},
        {Open("c", "OBJECT Codeunit 1 X" + code + R"(    END;\r\n  }\r\n)"), R"("diagnostics":[],"uri":"c")"},
        {Format(5, "c"), R"([{"newText":"        b;\r\n","range":{"end":{"character":0,"line":7},"start":{"character":0,"line":6}}}])"},
        {Open("d", "OBJECT Codeunit 2 Y" + code), R"("diagnostics":[],"uri":"d")"},
        // A line whose indentation misleads is a warning, with the IF it names.
        {Open("e", R"(IF a THEN\r\n  b;\r\n  c;\r\n)"),
         R"x({"diagnostics":[{"message":"indented as part of the IF's statement but runs after it (the IF of line 1)",)x"
         R"("range":{"end":{"character":4,"line":2},"start":{"character":0,"line":2}},"relatedInformation":[{"location":)"
         R"({"range":{"end":{"character":9,"line":0},"start":{"character":0,"line":0}},"uri":"e"},"message":"the IF"}],)"
         R"("severity":2,"source":"tabwright-format"}],"uri":"e"})"},
        {Format(6, "d"), R"("params":{"message":"line 5: BEGIN without its END before the end of the file; left as it is","type":2})"},
        {Call(0, "textDocument/didChange", R"({"textDocument":{"uri":"e"},"contentChanges":[{"text":"x;"}]})"),
         R"("diagnostics":[],"uri":"e")"},
        {Call(0, "textDocument/didChange", R"({"textDocument":{"uri":"c"},"contentChanges":[{"text":"x;"}]})"), "\"uri\":\"c\""},
        {Format(7, "c"), R"("id":7,"jsonrpc":"2.0","result":[])"},
        {Call(0, "textDocument/didChange", R"({"textDocument":{"uri":"b"},"contentChanges":[{"range":{}}]})"), "\"uri\":\"b\""},
        {Format(8, "b"), R"("code":-32602,"message":"the document is not open"},"id":8,"jsonrpc":"2.0"})"},
        {Call(10, "textDocument/hover", "{}"), R"("code":-32601,"message":"no method textDocument/hover")"},
        {Call(11, "textDocument/formatting", R"({"textDocument":5})"), R"("code":-32602)"},
        {"{", R"("code":-32700)"},
        {"[1,2]", R"({"error":{"code":-32600)"},
        {R"({"jsonrpc":"2.0","id":14,"result":null})", ""},  // an answer needs no answer
        {Call(15, "shutdown", "null"), R"("id":15,"jsonrpc":"2.0","result":null)"},
        {Call(0, "exit", "null"), ""},
    };
    LspServer server({});
    for (const auto& row : table) {
        std::string replies;
        for (const std::string& reply : server.Handle(row.message)) replies += reply;
        EXPECT_TRUE(row.answer.empty() ? replies.empty() : replies.find(row.answer) != std::string::npos)
            << row.message << "\n" << replies;
    }
    EXPECT_EQ(server.ExitCode(), 0);
}

TEST(LspTest, FramedStreamsEndCleanly) {
    const auto framed = [](const std::string& body) { return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body; };
    const std::string init = framed(Call(1, "initialize", "{}")), exit = framed(Call(0, "exit", "null"));
    const std::string then = init + framed(Call(2, "shutdown", "null")) + exit;  // two replies, then status 0
    const struct {
        std::string stream;
        int status, replies;
    } table[] = {
        {then + init, 0, 2},
        // One bad message costs one answer; the next header is found again.
        {"Content-Length: abc\r\n\r\n{\"id\":7}" + then, 0, 3}, {"Content-Type: a\r\n\r\n{\"id\":7}" + then, 0, 3},
        {"Content-Length: -9\r\n\r\n{\"id\":7}" + then, 0, 3}, {"Content-Length: 2\r\n\r\n{\"id\":7}\r\n" + then, 0, 3},
        {"}" + then, 0, 3}, {"x\r\ny\r\n" + then, 0, 3},
        {"Content-Length: x\r\n\r\n" + init + "Content-Type: a\r\n\r\n" + exit, 1, 3},
        {"content-length: 3\nContent-Type: utf-8\n\n[1]" + init + "Content-Length: 99\r\n\r\n{", 1, 2},
        {"Content-Length: 99999999999999\r\n\r\n" + init, 1, 0},
        {std::string(5000, 'x') + "\r\n\r\n" + init, 1, 2},
        // Only Content-Length, in any case, gives the length; a name one letter off does not.
        {"Content-Length: " + std::to_string(Call(1, "initialize", "{}").size()) + "\r\nXontent-Length: 1\r\n\r\n" +
             Call(1, "initialize", "{}") + exit, 1, 1},
    };
    for (const auto& row : table) {
        std::istringstream in(row.stream);
        std::ostringstream out;
        EXPECT_EQ(ServeLsp(in, out, {}), row.status) << row.stream;
        int frames = 0;
        for (std::size_t at = 0; (at = out.str().find("\r\n\r\n{", at)) != std::string::npos; ++at) ++frames;
        EXPECT_EQ(frames, row.replies) << row.stream;
    }
}

}  // namespace
}  // namespace tabwright::cli
