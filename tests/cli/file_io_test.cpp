// Rewriting in place must never damage a file: on any failure the original
// is untouched and no temporary file is left behind.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <functional>

#include "cli/file_io.h"
#include "cli_support.h"

namespace tabwright::cli {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
namespace fs = std::filesystem;

#ifndef _WIN32
// Runs body in a child process that has given up root's right to write
// anywhere, so that folder permissions hold as they do for a user.
int AsPlainUser(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}
#endif

TEST(ReplaceFileTest, ReplacesContentsAndKeepsPermissions) {
    TempDir dir;
    const fs::path file = dir / "a.txt";
    WriteBytes(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::perms before = fs::status(file).permissions();
    std::string error;
    ASSERT_TRUE(ReplaceFileContents(file, std::string("new\0\xff", 5), error)) << error;
    EXPECT_EQ(ReadBytes(file), std::string("new\0\xff", 5));
    EXPECT_EQ(fs::status(file).permissions(), before);
    EXPECT_EQ(dir.Listing(), (std::vector<std::string>{"a.txt"}));
}

#ifndef _WIN32
TEST(ReplaceFileTest, FollowsASymbolicLink) {
    TempDir dir;
    WriteBytes(dir / "real.txt", "old");
    fs::create_symlink("real.txt", dir / "link.txt");
    std::string error;
    ASSERT_TRUE(ReplaceFileContents(dir / "link.txt", "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(ReadBytes(dir / "real.txt"), "new");
}
#endif

TEST(ReplaceFileTest, AVanishedFileIsNotCreatedAgain) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(ReplaceFileContents(dir / "gone.txt", "new", error));
    EXPECT_NE(error, "");
    EXPECT_TRUE(dir.Listing().empty());
}

TEST(ReplaceFileTest, FoldersAndReadOnlyFilesAreRefused) {
    TempDir dir;
    fs::create_directory(dir / "sub");
    WriteBytes(dir / "ro.txt", "old");
    fs::permissions(dir / "ro.txt", fs::perms::owner_read | fs::perms::group_read);
    std::string error;
    EXPECT_FALSE(ReplaceFileContents(dir / "sub", "new", error));
    EXPECT_FALSE(ReplaceFileContents(dir / "ro.txt", "new", error));
    EXPECT_EQ(ReadBytes(dir / "ro.txt"), "old");
    EXPECT_EQ(dir.Listing(), (std::vector<std::string>{"ro.txt", "sub"}));
}

#ifndef _WIN32
TEST(ReplaceFileTest, AnUnwritableFolderLeavesTheFileUntouched) {
    TempDir dir;
    const fs::path folder = dir / "locked";
    fs::create_directory(folder);
    WriteBytes(folder / "a.txt", "old");
    fs::permissions(dir.path(), fs::perms::all);
    fs::permissions(folder / "a.txt", fs::perms::all);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const int result = AsPlainUser([&] {
        std::string error;
        if (ReplaceFileContents(folder / "a.txt", "new", error)) return 1;
        return error.find("temporary") != std::string::npos ? 0 : 2;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(folder / "a.txt"), "old");
    EXPECT_EQ(dir.Listing(), (std::vector<std::string>{"locked", "locked/a.txt"}));
}
#endif

TEST(ReadFileTest, ReadsEveryByteAndNamesWhatWentWrong) {
    TempDir dir;
    std::string all;
    for (int i = 0; i < 70000; ++i) all.push_back(static_cast<char>(i * 7));
    WriteBytes(dir / "a.bin", all);
    std::string bytes, error;
    ASSERT_TRUE(ReadFileBytes(dir / "a.bin", bytes, error));
    EXPECT_EQ(bytes, all);
    EXPECT_FALSE(ReadFileBytes(dir / "missing", bytes, error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    EXPECT_FALSE(ReadFileBytes(dir.path(), bytes, error));
    EXPECT_EQ(error, "is a folder");
}

}  // namespace
}  // namespace tabwright::cli
