// The helper that plays C/SIDE for the tests and the scripts: a copy of a
// file it cannot read must fail, not put an empty copy on the clipboard.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "desktop.h"

namespace tabwright::test {
namespace {

TEST(CSideHelperTest, CopyPutsTheFileOnTheClipboardAsCSideOrFailsWithoutTouchingIt) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tabwright-helper.txt";
    std::ofstream(file, std::ios::binary) << "IF A THEN\r\nB:=1;\r\n";
    const std::tuple<std::filesystem::path, long, std::u16string, bool> cases[] = {
        {file, 0, u"IF A THEN\r\nB:=1;\r\n", true},
        {file.parent_path() / "tabwright-no-such-file.txt", 2, u"plain", false},
    };
    for (const auto& [path, status, text, host] : cases) {
        ASSERT_TRUE(Copy("plain", nullptr));
        Program helper(L"cside_helper.exe", L"copy \"" + path.wstring() + L"\"");
        EXPECT_EQ(helper.Wait(), status) << path;
        EXPECT_EQ(ClipboardText(), text) << path;
        EXPECT_EQ(HostFormatOnClipboard(), host) << path;
    }
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace tabwright::test
