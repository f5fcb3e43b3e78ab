// Exported objects: only the code between a body's BEGIN and END changes.
#include "cli/object_file.h"
#include "cli_support.h"

namespace tabwright::cli {
namespace {

namespace fs = std::filesystem;
using test::Crlf;
using test::ReadBytes;
using test::RunCli;
using test::TempDir;
using test::WriteBytes;
using tabwright::test::N;
using tabwright::test::SameCode;

struct Formatted : ObjectFindings {
    std::string bytes;
};

Formatted Objects(std::string_view bytes) {
    CodeFormatter f({});
    Formatted r;
    static_cast<ObjectFindings&>(r) =
        FormatObjectFile(bytes, CodingOf(bytes), f, nullptr, [&r](std::string_view piece, std::string_view) { r.bytes.append(piece); });
    return r;
}

TEST(ObjectFileTest, FormatsTheBodiesAsTheEditorShowsThem) {
    const std::string a(65, 'a'), b(65, 'b');
    const struct {
        std::string input, expected;
    } cases[] = {
        // A trigger property's code stands two columns right of its BEGIN;
        // empty lines stay empty.
        {"OBJECT Page 1 A\n    OnAfterGetRecord=BEGIN\n                       IF a THEN BEGIN\n                       b:=1;\n\n                       END;\n                     END;\n",
         "OBJECT Page 1 A\n    OnAfterGetRecord=BEGIN\n                       IF a THEN BEGIN\n                         b := 1;\n\n                       END;\n                     END;\n"},
        // Long lines split at the limits of a copied line.
        {"OBJECT Codeunit 1 A\n    BEGIN\n      x;\n      Foo(" + a + "," + b + ");\n    END;\n",
         "OBJECT Codeunit 1 A\n    BEGIN\n      x;\n      Foo(" + a + ",\n        " + b + ");\n    END;\n"},
        // Only On... properties open bodies; documentation stays as written.
        {"OBJECT Table 1 A\n    Description=BEGIN\n      x:=1;\n    END;\n    OnModify=BEGIN\n               x:=1;\n             END;\n"
         "    BEGIN\n    {\n      Status:=Open\n    }\n    END.\n",
         "OBJECT Table 1 A\n    Description=BEGIN\n      x:=1;\n    END;\n    OnModify=BEGIN\n               x := 1;\n             END;\n"
         "    BEGIN\n    {\n      Status:=Open\n    }\n    END.\n"},
        // Code pasted flush with its BEGIN (blanks after it) or left of it,
        // and a first line too deep: the body goes one step in from its BEGIN. Its END is the
        // one its blocks close, not one in a comment or a text.
        {"OBJECT Codeunit 1 A\n    BEGIN  \n    IF a THEN BEGIN\nb:=1;\n  // BEGIN\n    END\n    ELSE\n    c;\n    END;\n",
         "OBJECT Codeunit 1 A\n    BEGIN  \n      IF a THEN BEGIN\n        b := 1;\n        // BEGIN\n      END\n      ELSE\n        c;\n    END;\n"},
        {"OBJECT Codeunit 1 A\n    BEGIN\n          x := Foo(a,\n                   b);\n      {\n    END;\n      }\n      MESSAGE('END;');\n    END;\n",
         "OBJECT Codeunit 1 A\n    BEGIN\n      x := Foo(a,\n               b);\n      {\n      END;\n      }\n      MESSAGE('END;');\n    END;\n"},
    };
    for (const auto& c : cases) {
        std::string input = Crlf(c.input), expected = Crlf(c.expected);
        EXPECT_EQ(Objects(input).bytes, expected);
        EXPECT_EQ(Objects(expected).changedBodies, 0u);
        std::erase(input, '\r'), std::erase(expected, '\r');
        EXPECT_EQ(Objects(input).bytes, expected);
    }
    EXPECT_EQ(Objects(Crlf(cases[2].input)).bodies, 1u);
    EXPECT_FALSE(LooksLikeObjectExport(" OBJECT Table 18 Customer\r\n"));
}

// Bodies as real exports hold them, each at the first column: no warning,
// the lines in their order, and a second run changes nothing.
TEST(ObjectFileTest, RealBodiesAreReadAndSettleInOneRun) {
    const struct {
        std::string body, formatted;  // formatted: "" when it stays as written
    } rows[] = {
        // A set after IN begins a line with "[" as an attribute does.
        {"EXIT(\n  Method.\"Recognized Costs\" IN\n  [Method.\"Recognized Costs\"::\"Cost Value\",\n"
         "   Method.\"Recognized Costs\"::\"Cost of Sales\"]);\n", ""},
        {"\nIF a THEN\nb;\n", "\nIF a THEN\n  b;\n"},  // the first line empty, as after many a BEGIN
        // Too long for the engine at the BEGIN's depth, short enough at the
        // editor's column, where the body is read.
        {"CASE \"Exchange Field Map Setup\".\"" + std::string(89, 'T') + "\" OF\n  1:\n    x;\nEND;\n", ""},
        // What C/AL holds and the engine reads: a keyword right before a
        // bracket, two openers on a line, nested comments, a late OF.
        {"REPEAT\n  IF(a) THEN\n    x;\nUNTIL(a = 0);\n", ""},
        {"IF FINDSET THEN REPEAT\n  MARK(TRUE);\nUNTIL NEXT = 0;\nIF a THEN BEGIN REPEAT\n    x;\n  UNTIL b;\nEND;\n", ""},
        {"{ old { BEGIN } still old BEGIN }\nx;\n", ""},
        {"CASE STRMENU(Options,1,\n  Question)\nOF\n  0:\n    EXIT;\nEND;\nFOREACH n IN l DO\n  x(n);\n", ""},
    };
    const auto object = [](std::string_view body) {
        std::string text = "OBJECT Codeunit 1 A\n    BEGIN\n";
        for (std::size_t at = 0, end; at < body.size(); at = end) {
            end = body.find('\n', at) + 1;
            text.append(body[at] == '\n' ? "" : "      ").append(body.substr(at, end - at));
        }
        return text + "    END;\n";
    };
    for (const auto& row : rows) {
        const Formatted once = Objects(object(row.body)), twice = Objects(once.bytes);
        EXPECT_EQ(once.bytes, object(row.formatted.empty() ? row.body : row.formatted)) << row.body;
        EXPECT_EQ(twice.bytes, once.bytes) << row.body;
        EXPECT_TRUE(once.warnings.empty() && twice.warnings.empty()) << row.body;
    }
    // A line whose indentation misleads, in the file's numbering.
    const Formatted misleading = Objects(object("IF a THEN\n  b;\n  c;\n"));
    ASSERT_EQ(misleading.indentation.size(), 1u);
    EXPECT_EQ(misleading.indentation[0].line, 5u);
    EXPECT_EQ(misleading.indentation[0].message, "indented as part of the IF's statement but runs after it (the IF of line 3)");
}

TEST(ObjectFileTest, UndelimitedBodiesAreLeftAsTheyAreWithALineNumber) {
    const std::string good = Crlf("    PROCEDURE A@1();\n    BEGIN\n      IF a THEN\n      b;\n    END;\n\n");
    const std::string goodFormatted = Crlf("    PROCEDURE A@1();\n    BEGIN\n      IF a THEN\n        b;\n    END;\n\n");
    const struct {
        std::string broken;
        std::size_t line;  // in the file, which begins with one line and good
        std::string problem;
    } cases[] = {
        {"    PROCEDURE B@2();\n    BEGIN\n      IF a THEN\n      b;\n    [External]\n", 9, "BEGIN without its END before line 12"},
        {"    PROCEDURE B@2();\n    BEGIN\n      IF a THEN\n      b;\n  END;\n    PROCEDURE C@3();\n", 12,
         "this END closes the BEGIN of line 9 at column 3, not at the BEGIN's column 5"},
        {"    PROCEDURE B@2();\n    BEGIN\n      IF a THEN BEGIN\n        b;\n    END;\n", 9,
         "BEGIN without its END before line 13"},
        {"    BEGIN\n    {\n      notes\n    }\n", 8, "BEGIN without its END before line 12"},
        {"    OnInsert=BEGIN\n               x;\n    OnModify=BEGIN\n               y;\n             END;\n", 8,
         "BEGIN without its END before line 10"},
    };
    for (const auto& c : cases) {
        const Formatted r = Objects("OBJECT Codeunit 1 A\r\n" + good + Crlf(c.broken) + good);
        ASSERT_EQ(r.warnings.size(), 1u) << c.broken;
        EXPECT_EQ(r.warnings[0].line, c.line) << c.broken;
        EXPECT_EQ(r.warnings[0].message, c.problem + "; left as it is");
        EXPECT_EQ(r.bytes, "OBJECT Codeunit 1 A\r\n" + goodFormatted + Crlf(c.broken) + goodFormatted) << c.broken;
    }
    for (const auto& [open, still] : {std::pair{"      IF a THEN BEGIN\n", "1 block"}, {"      REPEAT\n      CASE b OF\n", "2 blocks"}}) {
        const std::string text = std::string("OBJECT Codeunit 1 A\n    BEGIN\n") + open;
        const Formatted cut = Objects(text);
        EXPECT_EQ(cut.bytes, text);
        ASSERT_EQ(cut.warnings.size(), 1u);
        EXPECT_EQ(cut.warnings[0].message, std::string("BEGIN without its END before the end of the file (") + still +
                                               " inside it still open, the first from line 3); left as it is");
    }
}

// --check reads a large export in pieces, its coding told on the way: cut
// anywhere, it finds what the whole file gives.
TEST(ObjectFileTest, PiecesAreReadAsTheWholeFile) {
    using enum Coding;
    const std::pair<std::string, Coding> codings[] = {
        {"a\xC2\x80\xDF\xBF\xE2\x82\xAC\xF0\x9F\x98\x80" "b", Utf8}, {"a\xC3\xBC\x80", Bytes}, {"\xE2\x82", Bytes}, {"ab", Bytes},
        {"\xE0\xA0\x80\xED\x9F\xBF\xF4\x8F\xBF\xBF", Utf8}, {"12345678\xC3\xBC", Utf8}, {"\xC3\xC0", Bytes}, {"\xC1\xBF", Bytes}, {"\xE0\x9F\xBF", Bytes},
        {"\xED\xA0\x80", Bytes}, {"\xF0\x8F\xBF\xBF", Bytes}, {"\xF4\x90\x80\x80", Bytes}, {"\xF5\x80\x80\x80", Bytes},
        {"\xE1\x80\x7F", Bytes},
    };
    for (const auto& [text, coding] : codings) {
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            CodingScan scan;
            scan.Add(text.substr(0, cut)), scan.Add(text.substr(cut));
            EXPECT_EQ(scan.Result(), coding) << text << " cut at " << cut;
        }
    }
    // A UTF-8 comment, 77 characters in 137 bytes, is split only when a byte
    // that is not UTF-8 comes far below it.
    std::string u(120, '\xBC');
    for (std::size_t i = 0; i < u.size(); i += 2) u[i] = '\xC3';
    for (const auto& e : fs::directory_iterator(fs::path(TABWRIGHT_EXAMPLES) / "objects")) {
        for (const std::string tail : {"", "\x81"}) {
            const std::string text = "OBJECT Codeunit 1 A\r\n    BEGIN\r\n      x := 1; // " + u + "\r\n    END;\r\n" +
                                     ReadBytes(e.path()) + "    BEGIN\r\n      IF a THEN BEGIN // " + tail + "\r\n";
            const Formatted whole = Objects(text);
            EXPECT_EQ(whole.changedLines.front() == 3, !tail.empty());
            for (std::size_t size : {1, 5, 700}) {
                CodeFormatter f({});
                std::size_t at = 0;
                const ObjectFindings found = CheckObjectPieces(
                    [&](std::string& buffer, std::size_t) {
                        buffer.append(text.substr(at, size));
                        return (at += size) < text.size();
                    },
                    [&at] { at = 0; }, f);
                EXPECT_EQ(std::tie(found.changedBodies, found.changedLines, found.warnings.back().message),
                          std::tie(whole.changedBodies, whole.changedLines, whole.warnings.back().message))
                    << e.path() << size;
            }
        }
    }
}

TEST(ObjectFileTest, FoldersOfExports) {
    TempDir dir;
    const fs::path src = dir / "src";
    fs::create_directories(src / "Tables");
    std::string marked;
    for (const auto& e : fs::directory_iterator(fs::path(TABWRIGHT_EXAMPLES) / "objects")) {
        const std::string text = ReadBytes(e.path());
        const Formatted r = Objects(text);
        EXPECT_TRUE(r.warnings.empty() && r.changedBodies > 0) << e.path();
        EXPECT_TRUE(SameCode(tabwright::test::W(text), tabwright::test::W(r.bytes))) << e.path();
        EXPECT_EQ(Objects(r.bytes).bytes, r.bytes) << e.path();
        // One export begins with a UTF-8 byte order mark, which stays, and
        // ends with a megabyte of empty lines: --check reads it in pieces.
        const std::string name = e.path().filename().string(), tail = Crlf(std::string(1 << 19, '\n'));
        if (name == "COD50122.TXT") marked = "\xEF\xBB\xBF" + r.bytes + tail;
        WriteBytes(src / (name == "TAB50121.TXT" ? "Tables" : "") / name,
                   name == "COD50122.TXT" ? "\xEF\xBB\xBF" + text + tail : text);
    }
    WriteBytes(src / "notes.txt", "Remember:\r\nIF a THEN\r\nb;\r\n");
    WriteBytes(src / "COD50120.bak", ReadBytes(src / "COD50120.TXT"));
    WriteBytes(dir / "outside.txt", ReadBytes(src / "COD50120.TXT"));
    fs::create_symlink(dir / "outside.txt", src / "link.txt");  // not a file of the folder, as git sees it
    const auto listing = dir.Listing();

    auto r = RunCli({"--check", "--objects", src.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, (src / "COD50120.TXT").string() + ": 2 bodies would change\n" + (src / "COD50122.TXT").string() +
                         ": 1 body would change\n" + (src / "Tables" / "TAB50121.TXT").string() + ": 3 bodies would change\n");
    r = RunCli({"-i", "--objects", src.string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_EQ(ReadBytes(src / "notes.txt"), "Remember:\r\nIF a THEN\r\nb;\r\n");
    EXPECT_NE(ReadBytes(src / "COD50120.bak"), ReadBytes(src / "COD50120.TXT"));
    EXPECT_EQ(dir.Listing(), listing);
    EXPECT_EQ(RunCli({"--check", src.string(), "--objects"}).status, 0);
    EXPECT_EQ(ReadBytes(src / "COD50122.TXT"), marked);
    EXPECT_EQ(RunCli({"--check", (src / "COD50122.TXT").string()}).status, 0);

    // Named, an export is recognised; a truncated one is reported, and its
    // bodies before the break are still formatted.
    const std::string exported = ReadBytes(src / "COD50120.TXT");
    const std::string cut = exported.substr(0, exported.rfind("    END;\r\n"));
    WriteBytes(src / "COD50120.TXT", cut);
    r = RunCli({"--check", (src / "notes.txt").string(), (src / "COD50120.TXT").string()});
    EXPECT_EQ(r.status, 3);  // outranks "would change"
    EXPECT_NE(r.err.find(": warning: BEGIN without its END before the end of the file; left as it is\n"), std::string::npos) << r.err;
    EXPECT_EQ(RunCli({}, exported).out, exported);
}

}  // namespace
}  // namespace tabwright::cli
