// Template files read from disk, regular files only, decoded from the ANSI code page.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "fake_template_host.h"
#include "snippets/smart_tack.h"

#ifndef _WIN32
#include <iconv.h>
#include <sys/stat.h>
#endif

namespace tabwright {
namespace {

namespace fs = std::filesystem;

TEST(DiskFilesTest, ReadsRegularFilesWholeAndNothingElse) {
    const fs::path dir = fs::temp_directory_path() / ("tabwright-disk-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    std::string large;  // several read chunks, every byte value
    for (int i = 0; i < 300000; ++i) large.push_back(static_cast<char>(i * 7 + i / 256));
    for (const auto& [name, bytes] : {std::pair{"large", large}, {"empty", ""}, {"JDOE \u20AC.txt", "// \x80 by me"}})
        std::ofstream(dir / name, std::ios::binary) << bytes;
    DiskFiles files;
    EXPECT_TRUE(files.ReadBytes((dir / "large").u16string()) == large);
    EXPECT_EQ(files.ReadBytes((dir / "empty").u16string()), "");
    for (const char* name : {"missing", "", "empty/inside"}) EXPECT_FALSE(files.ReadBytes((dir / name).u16string())) << name;
    EXPECT_FALSE(files.ReadBytes(dir.u16string() + u"/\xD800"));  // no file can have this name
#ifndef _WIN32
    fs::create_symlink(dir / "empty", dir / "link");
    fs::create_symlink(dir / "gone", dir / "dangling");
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);  // would block a reader forever
    EXPECT_EQ(files.ReadBytes((dir / "link").u16string()), "");
    for (const char* name : {"dangling", "pipe"}) EXPECT_FALSE(files.ReadBytes((dir / name).u16string())) << name;
#endif
    test::FakeTemplateHost host;
    host.files = &files;
    EXPECT_EQ(SmartTack(u"x %File%\"" + (dir / "%User% \u20AC.txt").u16string() + u"\" y", host), u"// \u20AC by me");
    fs::remove_all(dir);
}

#ifndef _WIN32
TEST(DiskFilesTest, DecodesWindows1252AsTheSystemDoes) {
    iconv_t cp1252 = iconv_open("UTF-16LE", "CP1252");
    ASSERT_NE(cp1252, reinterpret_cast<iconv_t>(-1));
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b), out[4] = {}, *from = &in, *to = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        // Bytes the code page leaves undefined stay the control characters of their number.
        const bool defined = iconv(cp1252, &from, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1);
        const auto expected = static_cast<char16_t>(defined ? (out[0] & 0xFF) | (out[1] & 0xFF) << 8 : b);
        EXPECT_EQ(DecodeWindows1252(std::string(1, in)), std::u16string(1, expected)) << b;
    }
    iconv_close(cp1252);
}
#endif

}  // namespace
}  // namespace tabwright
