// Rewriting in place never damages a file: on any failure the original stays
// and no temporary file is left behind.
#include "cli/file_io.h"
#include "cli_support.h"

namespace tabwright::cli {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Names = std::vector<std::string>;

TEST(FileIoTest, ReplacesContentsKeepingPermissionsAndLinks) {
    TempDir dir;
    WriteBytes(dir / "a.txt", "old");
    fs::permissions(dir / "a.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("a.txt", dir / "link");
    const auto replaced = ReplaceFileContents(dir / "link", std::string("new\0\xff", 5));
    ASSERT_TRUE(replaced) << replaced.error;
    EXPECT_EQ(ReadBytes(dir / "a.txt"), std::string("new\0\xff", 5));
    EXPECT_EQ(fs::status(dir / "a.txt").permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(fs::is_symlink(dir / "link"));
    EXPECT_EQ(dir.Listing(), (Names{"a.txt", "link"}));
    ASSERT_TRUE(ReplaceFileContents(dir / "a.txt", "x"));  // one byte is a whole write too
    EXPECT_EQ(ReadBytes(dir / "a.txt"), "x");
}

TEST(FileIoTest, ReadsEveryByteAndNamesWhatWentWrong) {
    TempDir dir;
    std::string all;
    for (int i = 0; i < 70000; ++i) all.push_back(static_cast<char>(i * 7));
    WriteBytes(dir / "a.bin", all);
    EXPECT_EQ(ReadFileBytes(dir / "a.bin").value, all);
    FileReader reader(dir / "a.bin");
    std::string pieces;
    for (int pass = 0; pass < 2; ++pass, reader.Rewind())
        while (reader.Read(pieces, 9999)) {}
    EXPECT_EQ(pieces, all + all);
    EXPECT_EQ(FileReader(dir.path()).Error(), "is a folder");
    EXPECT_EQ(ReadFileBytes(dir.path()).error, "is a folder");
}

}  // namespace
}  // namespace tabwright::cli
