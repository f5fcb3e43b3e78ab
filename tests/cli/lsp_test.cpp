// The language server, message by message, and over framed streams.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/lsp_server.h"

namespace tabwright::cli {
namespace {

std::string Message(const std::string& idAndMethod, const std::string& params) {
    return R"({"jsonrpc":"2.0",)" + idAndMethod + R"(,"params":)" + params + "}";
}
std::string Call(int id, const std::string& method, const std::string& params) {
    return Message(R"("id":)" + std::to_string(id) + R"(,"method":")" + method + '"', params);
}
std::string Open(const std::string& uri, const std::string& text) {
    return Message(R"("method":"textDocument/didOpen")",
                   R"({"textDocument":{"uri":")" + uri + R"(","languageId":"cal","version":1,"text":")" + text + R"("}})");
}
std::string Format(int id, const std::string& uri, const std::string& range = "") {
    return Call(id, range.empty() ? "textDocument/formatting" : "textDocument/rangeFormatting",
                R"({"textDocument":{"uri":")" + uri + R"("})" + (range.empty() ? "" : R"(,"range":)" + range) + "}");
}
std::string Edit(const std::string& text, int line, int endLine, int endColumn) {
    return R"({"newText":")" + text + R"(","range":{"end":{"character":)" + std::to_string(endColumn) + R"(,"line":)" +
           std::to_string(endLine) + R"(},"start":{"character":0,"line":)" + std::to_string(line) + "}}}";
}

TEST(LspTest, EachMessageGetsItsAnswer) {
    const std::string code = R"(\r\n  CODE\r\n  {\r\n    PROCEDURE A@1();\r\n    BEGIN\r\n      IF a THEN\r\n      b;\r\n)";
    const struct {
        std::string message, answer;  // answer: part of the replies, "" for none
    } table[] = {
        {Format(1, "a"), R"({"error":{"code":-32002)"},
        {Call(2, "initialize", "{}"),
         R"("documentFormattingProvider":true,"documentRangeFormattingProvider":true,"positionEncoding":"utf-16",)"
         R"("textDocumentSync":{"change":1,"openClose":true})"},
        {Message(R"("method":"initialized")", "{}"), ""},
        // U+1F600 takes two UTF-16 units: the edit ends at column 10.
        {Open("a", R"(IF a THEN\r\nb:='\u00fc\u20ac\ud83d\ude00';)"), ""},
        {Format(3, "a"), R"("result":[)" + Edit("  b := 'ü€😀';", 1, 1, 10) + "]"},
        {Open("b", R"(IF a THEN BEGIN\r\nb;\r\nc;\r\nEND;\r\n)"), ""},
        {Format(4, "b", R"({"start":{"line":2,"character":0},"end":{"line":3,"character":0}})"),
         R"("result":[)" + Edit(R"(  c;\r\n)", 2, 3, 0) + "]"},
        {Open("c", "OBJECT Codeunit 1 X" + code + R"(    END;\r\n  }\r\n)"), ""},
        {Format(5, "c"), R"("result":[)" + Edit(R"(        b;\r\n)", 6, 7, 0) + "]"},
        {Open("d", "OBJECT Codeunit 2 Y" + code), ""},
        {Format(6, "d"), R"("params":{"message":"line 5: BEGIN without its END at column 5; left as it is","type":2})"},
        {Message(R"("method":"textDocument/didChange")", R"({"textDocument":{"uri":"c"},"contentChanges":[{"text":"x;"}]})"), ""},
        {Format(7, "c"), R"("id":7,"jsonrpc":"2.0","result":[])"},
        {Message(R"("method":"textDocument/didChange")", R"({"textDocument":{"uri":"b"},"contentChanges":[{"range":{},"text":"x"}]})"), ""},
        {Format(8, "b"), R"("code":-32602,"message":"the document is not open")"},
        {Message(R"("method":"textDocument/didClose")", R"({"textDocument":{"uri":"a"}})"), ""},
        {Format(9, "a"), R"("code":-32602)"},
        {Call(10, "textDocument/hover", "{}"), R"("code":-32601)"},
        {Call(11, "textDocument/formatting", R"({"textDocument":5})"), R"("code":-32602)"},
        {Format(12, "c", R"({"start":{"line":-1,"character":0},"end":{"line":1,"character":0}})"), R"("code":-32602)"},
        {"{", R"("code":-32700)"},
        {"[1,2]", R"({"error":{"code":-32600)"},
        {R"({"jsonrpc":"2.0","id":{},"method":"shutdown"})", R"("code":-32600)"},
        {R"({"jsonrpc":"1.0","id":13,"method":"shutdown"})", R"("code":-32600)"},
        {Message(R"("method":"textDocument/didOpen")", "[]"), ""},
        {R"({"jsonrpc":"2.0","id":14,"result":null})", ""},
        {Call(15, "shutdown", "null"), R"("id":15,"jsonrpc":"2.0","result":null)"},
        {Format(16, "c"), R"("code":-32600)"},
        {Message(R"("method":"exit")", "null"), ""},
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
    const auto framed = [](const std::string& body) {
        return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    };
    const std::string init = framed(Call(1, "initialize", "{}")), exit = framed(R"({"jsonrpc":"2.0","method":"exit"})");
    const struct {
        std::string stream;
        int status;
        std::size_t replies;
    } table[] = {
        {init + framed(Call(2, "shutdown", "null")) + exit + init, 0, 2},
        {"Content-Length: x\r\n\r\n" + init + "Content-Type: a\r\n\r\n" + exit, 1, 3},
        {"content-length: 3\nContent-Type: utf-8\n\n[1]" + init + "Content-Length: 99\r\n\r\n{", 1, 2},
        {"Content-Length: 99999999999999\r\n\r\n" + init, 1, 0},
        {std::string(5000, 'x') + "\r\n\r\n" + init, 1, 2},
    };
    for (const auto& row : table) {
        std::istringstream in(row.stream);
        std::ostringstream out;
        EXPECT_EQ(ServeLsp(in, out, {}), row.status) << row.stream;
        std::size_t frames = 0;
        for (std::size_t at = 0; (at = out.str().find("Content-Length", at)) != std::string::npos; ++at) ++frames;
        EXPECT_EQ(frames, row.replies) << row.stream;
    }
}

}  // namespace
}  // namespace tabwright::cli
