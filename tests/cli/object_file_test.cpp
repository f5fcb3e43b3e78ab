#include <gtest/gtest.h>

#include "cli/byte_text.h"
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

const fs::path kObjects = fs::path(TABWRIGHT_TEST_DATA) / "objects";

std::string Golden(const std::string& name, std::string_view ext) {
    return ReadBytes(kObjects / (name + std::string(ext)));
}

ObjectFileResult FormatObjects(std::string_view bytes, bool sign = true) {
    CodeFormatter f({Action::Reindent, sign, false});
    return FormatObjectFile(bytes, f);
}

std::string WithoutCr(std::string s) {
    std::erase(s, '\r');
    return s;
}

class GoldenObjectTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenObjectTest, FormatsExactlyTheBodies) {
    const std::string input = Golden(GetParam(), ".txt");
    const std::string expected = Golden(GetParam(), ".expected");
    ASSERT_FALSE(input.empty());
    const ObjectFileResult r = FormatObjects(input);
    EXPECT_EQ(r.bytes, expected);
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_GT(r.changedBodies, 0u);
}

TEST_P(GoldenObjectTest, FormattedFilesStayAsTheyAre) {
    const ObjectFileResult r = FormatObjects(Golden(GetParam(), ".expected"));
    EXPECT_EQ(r.bytes, Golden(GetParam(), ".expected"));
    EXPECT_EQ(r.changedBodies, 0u);
}

TEST_P(GoldenObjectTest, LfFilesGiveTheSameResultWithLf) {
    const ObjectFileResult r = FormatObjects(WithoutCr(Golden(GetParam(), ".txt")));
    EXPECT_EQ(r.bytes, WithoutCr(Golden(GetParam(), ".expected")));
}

INSTANTIATE_TEST_SUITE_P(Objects, GoldenObjectTest, ::testing::Values("codeunit", "table", "page"));

TEST(ObjectFileTest, BodyCountsAndWhatIsLeftAlone) {
    // Three procedures or triggers and the documentation trigger in the
    // codeunit; the documentation keeps "Status:=Open" unspaced.
    const ObjectFileResult codeunit = FormatObjects(Golden("codeunit", ".txt"));
    EXPECT_EQ(codeunit.bodies, 4u);
    EXPECT_EQ(codeunit.changedBodies, 3u);
    EXPECT_NE(codeunit.bytes.find("\x9d=none;  Status:=Open"), std::string::npos);
    EXPECT_NE(codeunit.bytes.find("    Date=14.03.03;\r\n"), std::string::npos);
    const ObjectFileResult page = FormatObjects(Golden("page", ".txt"));
    EXPECT_EQ(page.bodies, 3u);
    EXPECT_EQ(page.changedBodies, 1u);
    EXPECT_NE(page.bytes.find("RunPageLink=Delivery Zone=FIELD(Code) }"), std::string::npos);
    EXPECT_EQ(FormatObjects(Golden("table", ".txt")).bodies, 4u);
}

TEST(ObjectFileTest, CodeIsFormattedAsTheEditorShowsIt) {
    // The BEGIN of a trigger property stands after "OnRun="; its code is
    // two columns deeper and the END at the BEGIN's column.
    const std::string input = Crlf({"OBJECT Codeunit 1 A", "  PROPERTIES", "  {",
                                    "    OnRun=BEGIN", "            IF a THEN BEGIN", "            b:=1;",
                                    "", "            END;", "          END;", "  }"});
    EXPECT_EQ(FormatObjects(input).bytes,
              Crlf({"OBJECT Codeunit 1 A", "  PROPERTIES", "  {", "    OnRun=BEGIN",
                    "            IF a THEN BEGIN", "              b := 1;", "",
                    "            END;", "          END;", "  }"}));
    EXPECT_EQ(FormatObjects(input, false).bytes.find("b:=1;"), input.find("b:=1;") + 2);
}

TEST(ObjectFileTest, LongLinesAreSplitAtTheEditorsColumns) {
    // Inside the body the line starts at column 0, so it is split by the
    // limit for a copied line; the continuation is indented as the line
    // after a comma.
    const std::string call = "Foo(" + std::string(65, 'a') + "," + std::string(65, 'b') + ");";
    const std::string input = Crlf({"OBJECT Codeunit 1 A", "    BEGIN", "      x;", "      " + call, "    END;"});
    EXPECT_EQ(FormatObjects(input).bytes,
              Crlf({"OBJECT Codeunit 1 A", "    BEGIN", "      x;", "      Foo(" + std::string(65, 'a') + ",",
                    "        " + std::string(65, 'b') + ");", "    END;"}));
}

TEST(ObjectFileTest, UndelimitedBodiesAreLeftAsTheyAreWithALineNumber) {
    const std::string good = Crlf({"    PROCEDURE A@1();", "    BEGIN", "      IF a THEN", "      b;", "    END;", ""});
    const std::string goodFormatted =
        Crlf({"    PROCEDURE A@1();", "    BEGIN", "      IF a THEN", "        b;", "    END;", ""});
    struct Case {
        std::string broken;
        std::size_t line;  // within `broken`
        std::string_view problem;
    };
    const Case cases[] = {
        // A truncated export: the last body never ends.
        {Crlf({"    PROCEDURE B@2();", "    BEGIN", "      IF a THEN", "      b;"}), 2, "without its END"},
        // The END is not at the BEGIN's column.
        {Crlf({"    PROCEDURE B@2();", "    BEGIN", "      IF a THEN", "      b;", "  END;", "    PROCEDURE C@3();"}), 2,
         "without its END"},
        // A code line less deep than the body's base column.
        {Crlf({"    PROCEDURE B@2();", "    BEGIN", "      IF a THEN", "     b;", "    END;"}), 4, "not indented"},
        // Documentation braces that never reach their END.
        {Crlf({"    BEGIN", "    {", "      notes", "    }"}), 1, "documentation"},
    };
    for (const Case& c : cases) {
        const std::string input = "OBJECT Codeunit 1 A\r\n" + good + c.broken + good;
        const ObjectFileResult r = FormatObjects(input);
        ASSERT_EQ(r.warnings.size(), 1u) << c.broken;
        EXPECT_EQ(r.warnings[0].line, 1 + 6 + c.line) << c.broken;
        EXPECT_NE(r.warnings[0].message.find(c.problem), std::string::npos) << r.warnings[0].message;
        // The broken part is kept byte for byte; what can be delimited is formatted.
        // Unfinished documentation runs to the end of the file.
        const std::string tail = c.problem == "documentation" ? good : goodFormatted;
        EXPECT_EQ(r.bytes, "OBJECT Codeunit 1 A\r\n" + goodFormatted + c.broken + tail) << c.broken;
    }
}

TEST(ObjectFileTest, OnlyOnTriggerPropertiesOpenBodies) {
    const std::string input = Crlf({"OBJECT Table 1 A", "    Description=BEGIN", "      x:=1;", "    END;",
                                    "    OnModify=BEGIN", "               x:=1;", "             END;"});
    const ObjectFileResult r = FormatObjects(input);
    EXPECT_EQ(r.bodies, 1u);
    EXPECT_EQ(r.bytes, Crlf({"OBJECT Table 1 A", "    Description=BEGIN", "      x:=1;", "    END;",
                             "    OnModify=BEGIN", "               x := 1;", "             END;"}));
}

TEST(ObjectFileTest, RecognisedByTheFirstLine) {
    EXPECT_TRUE(LooksLikeObjectExport("OBJECT Table 18 Customer\r\n"));
    EXPECT_FALSE(LooksLikeObjectExport(" OBJECT Table 18 Customer\r\n"));
    EXPECT_FALSE(LooksLikeObjectExport("OBJECTS\r\n"));
    EXPECT_FALSE(LooksLikeObjectExport("IF a THEN\r\n"));
}

// The whole program on exported objects.
class ObjectRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir / "src" / "Tables");
        for (std::string name : {"codeunit", "page"}) WriteBytes(dir / "src" / (name + ".txt"), Golden(name, ".txt"));
        WriteBytes(dir / "src" / "Tables" / "TAB50020.TXT", Golden("table", ".txt"));
        WriteBytes(dir / "src" / "Tables" / "done.Txt", Golden("table", ".expected"));
        WriteBytes(dir / "src" / "notes.txt", "Remember:\r\nIF a THEN\r\nb;\r\n");
        WriteBytes(dir / "src" / "codeunit.bak", Golden("codeunit", ".txt"));
    }
    std::string Src(std::initializer_list<std::string_view> parts = {}) {
        fs::path p = dir / "src";
        for (std::string_view part : parts) p /= part;
        return p.string();
    }
    TempDir dir;
};

TEST_F(ObjectRunTest, CheckListsBodyCountsPerFile) {
    const auto r = RunCli({"--check", "--objects", Src()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, Src({"Tables", "TAB50020.TXT"}) + ": 4 bodies would change\n" + Src({"codeunit.txt"}) +
                         ": 3 bodies would change\n" + Src({"page.txt"}) + ": 1 body would change\n");
    EXPECT_EQ(ReadBytes(Src({"codeunit.txt"})), Golden("codeunit", ".txt"));
}

TEST_F(ObjectRunTest, InPlaceOverAFolderFormatsOnlyExportedObjects) {
    const auto before = dir.Listing();
    auto r = RunCli({"-i", "--objects", Src()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_EQ(ReadBytes(Src({"codeunit.txt"})), Golden("codeunit", ".expected"));
    EXPECT_EQ(ReadBytes(Src({"page.txt"})), Golden("page", ".expected"));
    EXPECT_EQ(ReadBytes(Src({"Tables", "TAB50020.TXT"})), Golden("table", ".expected"));
    EXPECT_EQ(ReadBytes(Src({"codeunit.bak"})), Golden("codeunit", ".txt"));
    EXPECT_EQ(ReadBytes(Src({"notes.txt"})), "Remember:\r\nIF a THEN\r\nb;\r\n");
    EXPECT_EQ(dir.Listing(), before);
    r = RunCli({"--check", "--objects", Src()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
}

TEST_F(ObjectRunTest, ExportsAreRecognisedWithoutTheOption) {
    // Given by name, an export is formatted as one, here through stdin too.
    auto r = RunCli({"--check", Src({"page.txt"}), Src({"notes.txt"})});
    EXPECT_EQ(r.out, Src({"page.txt"}) + ": 1 body would change\n" + Src({"notes.txt"}) + "\n");
    r = RunCli({}, Golden("table", ".txt"));
    EXPECT_EQ(r.out, Golden("table", ".expected"));
    r = RunCli({"--objects", "--no-sign", "-"}, "IF a THEN\r\nBEGIN\r\n  x:=1;\r\nEND;\r\n");
    EXPECT_EQ(r.out, "IF a THEN\r\nBEGIN\r\n  x:=1;\r\nEND;\r\n");
}

TEST_F(ObjectRunTest, MalformedFilesAreReportedAndNotDamaged) {
    const std::string codeunit = Golden("codeunit", ".txt");
    const std::string truncated = codeunit.substr(0, codeunit.find("    END;\r\n\r\n    LOCAL PROCEDURE"));
    WriteBytes(Src({"codeunit.txt"}), truncated);
    auto r = RunCli({"-i", "--objects", Src()});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, std::string("tabwright-format: ").append(Src({"codeunit.txt"})).append(":32: warning: BEGIN without its END at column 5; left as it is\n"));
    // The OnRun trigger before the broken procedure is formatted; the rest is as it was.
    const std::string result = ReadBytes(Src({"codeunit.txt"}));
    EXPECT_NE(result.find("            IF Status = Status::Released THEN"), std::string::npos);
    EXPECT_EQ(result.substr(result.find("  CODE\r\n")), truncated.substr(truncated.find("  CODE\r\n")));
    EXPECT_EQ(ReadBytes(Src({"page.txt"})), Golden("page", ".expected"));
    // Check mode reports the warning too, and it outranks "would change".
    r = RunCli({"--check", Src({"codeunit.txt"})});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find(":32: warning:"), std::string::npos);
}

}  // namespace
}  // namespace tabwright::cli
