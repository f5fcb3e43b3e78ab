// Template files read from disk: whole, byte for byte, regular files only,
// and decoded from the ANSI code page.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <iconv.h>
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <random>

#include "fake_template_host.h"
#include "snippets/smart_tack.h"

namespace tabwright {
namespace {

namespace fs = std::filesystem;

TEST(DiskFilesTest, ReadsRegularFilesWholeAndNothingElse) {
    const fs::path dir = fs::temp_directory_path() / ("tabwright-disk-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    std::string large(16 * 1024 * 1024 + 7, '\0');
    std::mt19937 random(42);
    for (char& c : large) c = static_cast<char>(random());
    for (const auto& [name, bytes] : {std::pair{"large.bin", large}, {"empty.txt", ""}, {"s\u00F8ren \u20AC.txt", "x"}})
        std::ofstream(dir / name, std::ios::binary) << bytes;
#ifndef _WIN32
    fs::create_symlink(dir / "empty.txt", dir / "link");
    fs::create_symlink(dir / "gone.txt", dir / "dangling");
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);  // would block a reader forever
#endif

    DiskFiles files;
    EXPECT_TRUE(files.ReadBytes((dir / "large.bin").u16string()) == large);
    EXPECT_EQ(files.ReadBytes((dir / "s\u00F8ren \u20AC.txt").u16string()), "x");
#ifndef _WIN32
    EXPECT_EQ(files.ReadBytes((dir / "link").u16string()), "");
#endif
    for (const char* name : {"missing.txt", "", "dangling", "pipe", "empty.txt/inside"})
        EXPECT_FALSE(files.ReadBytes((dir / name).u16string())) << name;
    EXPECT_FALSE(files.ReadBytes(dir.u16string() + u"/\xD800.txt"));  // no file can have this name

    test::FakeTemplateHost host;
    host.files = &files;
    EXPECT_EQ(SmartTack(u"%File%\"" + (dir / "%User%.txt").u16string() + u"\"", host), u"Error open file");
    std::ofstream(dir / "JDOE.txt", std::ios::binary) << "// \x80 by me";
    EXPECT_EQ(SmartTack(u"x %File%\"" + (dir / "%User%.txt").u16string() + u"\" y", host), u"// \u20AC by me");
    fs::remove_all(dir);
}

#ifndef _WIN32
TEST(DiskFilesTest, DecodesWindows1252AsTheSystemDoes) {
    iconv_t cp1252 = iconv_open("UTF-16LE", "CP1252");
    ASSERT_NE(cp1252, reinterpret_cast<iconv_t>(-1));
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b), out[4] = {};
        char *from = &in, *to = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        // Bytes the code page leaves undefined stay the control characters of their number.
        const bool defined = iconv(cp1252, &from, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1);
        const char16_t expected = defined ? static_cast<char16_t>((out[0] & 0xFF) | (out[1] & 0xFF) << 8) : char16_t(b);
        EXPECT_EQ(DecodeWindows1252(std::string(1, in)), std::u16string(1, expected)) << b;
    }
    iconv_close(cp1252);
}
#endif

}  // namespace
}  // namespace tabwright
