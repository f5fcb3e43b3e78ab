// The language server, message by message, and over framed streams.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/lsp_server.h"

namespace tabwright::cli {
namespace {

std::string Open(const std::string& uri, const std::string& text) {
    return R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":")" + uri +
           R"(","languageId":"cal","version":1,"text":")" + text + R"("}}})";
}

std::string Request(int id, const std::string& method, const std::string& params) {
    return R"({"jsonrpc":"2.0","id":)" + std::to_string(id) + R"(,"method":")" + method + R"(","params":)" + params + "}";
}

std::string Doc(const std::string& uri) { return R"({"textDocument":{"uri":")" + uri + R"("}})"; }

std::string Edit(const std::string& text, int line, int endLine, int endCharacter) {
    return R"({"newText":")" + text + R"(","range":{"end":{"character":)" + std::to_string(endCharacter) +
           R"(,"line":)" + std::to_string(endLine) + R"(},"start":{"character":0,"line":)" + std::to_string(line) +
           "}}}";
}

TEST(LspTest, EachMessageGetsItsAnswer) {
    const std::string object = R"(OBJECT Codeunit 1 X\r\n{\r\n  CODE\r\n  {\r\n    PROCEDURE A@1();\r\n)"
                               R"(    BEGIN\r\n      IF a THEN\r\n      b;\r\n    END;\r\n  }\r\n}\r\n)";
    const struct {
        std::string message, answer;  // answer: a part of the one reply, or "" for none
    } table[] = {
        {Request(1, "textDocument/formatting", Doc("file:///a")), R"({"error":{"code":-32002)"},
        {Request(2, "initialize", "{}"),
         R"("documentFormattingProvider":true,"documentRangeFormattingProvider":true,"positionEncoding":"utf-16",)"
         R"("textDocumentSync":{"change":1,"openClose":true})"},
        {R"({"jsonrpc":"2.0","method":"initialized","params":{}})", ""},
        // U+1F600 takes two UTF-16 units: the edit ends at column 10.
        {Open("file:///a", R"(IF a THEN\r\nb:='\u00fc\u20ac\ud83d\ude00';)"), ""},
        {Request(3, "textDocument/formatting", Doc("file:///a")),
         R"("result":[)" + Edit("  b := 'ü€😀';", 1, 1, 10) + "]"},
        {Open("file:///b", R"(IF a THEN BEGIN\r\nb;\r\nc;\r\nEND;\r\n)"), ""},
        {Request(4, "textDocument/rangeFormatting",
                 R"({"textDocument":{"uri":"file:///b"},"range":{"start":{"line":2,"character":0},)"
                 R"("end":{"line":3,"character":0}}})"),
         R"("result":[)" + Edit(R"(  c;\r\n)", 2, 3, 0) + "]"},
        {Open("file:///c", object), ""},
        {Request(5, "textDocument/formatting", Doc("file:///c")), R"("result":[)" + Edit(R"(        b;\r\n)", 7, 8, 0) + "]"},
        {R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file:///c"},)"
         R"("contentChanges":[{"text":"IF a THEN\n  b;\n"}]}})", ""},
        {Request(6, "textDocument/formatting", Doc("file:///c")), R"("id":6,"jsonrpc":"2.0","result":[])"},
        {R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file:///b"},)"
         R"("contentChanges":[{"range":{},"text":"x"}]}})", ""},
        {Request(7, "textDocument/formatting", Doc("file:///b")), R"("code":-32602,"message":"the document is not open")"},
        {R"({"jsonrpc":"2.0","method":"textDocument/didClose","params":{"textDocument":{"uri":"file:///a"}}})", ""},
        {Request(8, "textDocument/formatting", Doc("file:///a")), R"("code":-32602)"},
        {Request(9, "textDocument/hover", "{}"), R"("code":-32601)"},
        {Request(10, "textDocument/formatting", R"({"textDocument":5})"), R"("code":-32602)"},
        {Request(11, "textDocument/rangeFormatting",
                 R"({"textDocument":{"uri":"file:///c"},"range":{"start":{"line":-1,"character":0},"end":{"line":1,"character":0}}})"),
         R"("code":-32602)"},
        {"{", R"("code":-32700)"},
        {"[1,2]", R"({"error":{"code":-32600)"},
        {R"({"jsonrpc":"2.0","id":{},"method":"shutdown"})", R"("code":-32600)"},
        {R"({"jsonrpc":"1.0","id":12,"method":"shutdown"})", R"("code":-32600)"},
        {R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":[]})", ""},
        {R"({"jsonrpc":"2.0","method":"$/cancelRequest","params":{"id":1}})", ""},
        {R"({"jsonrpc":"2.0","id":13,"result":null})", ""},
        {Request(14, "shutdown", "null"), R"("id":14,"jsonrpc":"2.0","result":null)"},
        {Request(15, "textDocument/formatting", Doc("file:///c")), R"("code":-32600)"},
        {R"({"jsonrpc":"2.0","method":"exit"})", ""},
    };
    LspServer server({});
    for (const auto& row : table) {
        const std::vector<std::string> replies = server.Handle(row.message);
        ASSERT_EQ(replies.size(), row.answer.empty() ? 0u : 1u) << row.message;
        if (!replies.empty()) {
            EXPECT_NE(replies[0].find(row.answer), std::string::npos) << replies[0];
        }
    }
    EXPECT_EQ(server.ExitCode(), 0);
}

std::string Framed(const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

TEST(LspTest, FramedStreamsEndCleanly) {
    const std::string init = Request(1, "initialize", "{}"), exit = R"({"jsonrpc":"2.0","method":"exit"})";
    const struct {
        std::string stream;
        int status;
        std::size_t replies;
    } table[] = {
        {Framed(init) + Framed(Request(2, "shutdown", "null")) + Framed(exit) + Framed(init), 0, 2},
        {"Content-Length: x\r\n\r\n" + Framed(init) + "Content-Type: a\r\n\r\n" + Framed(exit), 1, 3},
        {"content-length: 3\nContent-Type: utf-8\n\n[1]" + Framed(init) + "Content-Length: 99\r\n\r\n{", 1, 2},
        {"Content-Length: 99999999999999\r\n\r\n" + Framed(init), 1, 0},
        {std::string(5000, 'x') + "\r\n\r\n" + Framed(init), 1, 2},
    };
    for (const auto& row : table) {
        std::istringstream in(row.stream);
        std::ostringstream out;
        EXPECT_EQ(ServeLsp(in, out, {}), row.status) << row.stream;
        std::size_t frames = 0;
        for (std::size_t at = out.str().find("Content-Length: "); at != std::string::npos;
             at = out.str().find("Content-Length: ", at + 1))
            ++frames;
        EXPECT_EQ(frames, row.replies) << row.stream;
    }
}

}  // namespace
}  // namespace tabwright::cli
