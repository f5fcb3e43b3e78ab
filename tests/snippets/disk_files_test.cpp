#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "fake_template_host.h"
#include "snippets/disk_files.h"
#include "snippets/smart_tack.h"

#if defined(__unix__)
#include <sys/stat.h>
#endif

namespace tabwright {
namespace {

namespace fs = std::filesystem;

class DiskFilesTest : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              (std::string("tabwright-") + info->name() + "-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path Write(const fs::path& name, std::string_view bytes) {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    static std::u16string Name(const fs::path& path) { return path.u16string(); }

    fs::path dir;
    DiskFiles files;
};

TEST_F(DiskFilesTest, ReadsWholeFilesByteForByte) {
    EXPECT_EQ(files.ReadBytes(Name(Write("empty.txt", ""))), "");

    std::string every;
    for (int b = 0; b < 256; ++b) every.push_back(static_cast<char>(b));
    every += every;
    EXPECT_EQ(files.ReadBytes(Name(Write("binary.bin", every))), every);

    std::string large(16 * 1024 * 1024 + 7, '\0');
    std::mt19937 random(42);
    for (char& c : large) c = static_cast<char>(random());
    const std::optional<std::string> read = files.ReadBytes(Name(Write("large.bin", large)));
    ASSERT_TRUE(read);
    EXPECT_TRUE(*read == large) << "read " << read->size() << " of " << large.size() << " bytes";
}

TEST_F(DiskFilesTest, FindsNamesWithCharactersBeyondAscii) {
    const std::u16string name = u"s\u00F8ren \u20AC \u0416.txt";
    Write(fs::path(name), "x");
    EXPECT_EQ(files.ReadBytes(Name(dir / fs::path(name))), "x");
}

TEST_F(DiskFilesTest, GivesNothingForWhatIsNotAReadableFile) {
    Write("real.txt", "x");
    EXPECT_FALSE(files.ReadBytes(Name(dir / "missing.txt")));
    EXPECT_FALSE(files.ReadBytes(Name(dir)));
    EXPECT_FALSE(files.ReadBytes(u""));
    EXPECT_FALSE(files.ReadBytes(Name(dir / "real.txt" / "inside")));
    // An unpaired surrogate cannot name a file here.
    EXPECT_FALSE(files.ReadBytes(Name(dir) + u"/\xD800.txt"));
#if defined(__unix__)
    std::error_code error;
    fs::create_symlink(dir / "gone.txt", dir / "dangling", error);
    ASSERT_FALSE(error);
    EXPECT_FALSE(files.ReadBytes(Name(dir / "dangling")));
    fs::create_symlink(dir / "real.txt", dir / "link", error);
    EXPECT_EQ(files.ReadBytes(Name(dir / "link")), "x");
    // A pipe would block the reader forever.
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(files.ReadBytes(Name(dir / "pipe")));
#endif
}

TEST(DecodeWindows1252Test, MapsEveryByte) {
    std::string every;
    std::u16string expected;
    for (int b = 0; b < 256; ++b) {
        every.push_back(static_cast<char>(b));
        expected.push_back(static_cast<char16_t>(b));
    }
    // The 0x80 row differs from Latin-1; its five undefined bytes stay control characters.
    expected.replace(0x80, 32, u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
                               u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178");
    EXPECT_EQ(DecodeWindows1252(every), expected);
}

TEST_F(DiskFilesTest, ExpandsFileTemplatesFromDisk) {
    test::FakeTemplateHost host;
    host.files = &files;
    const auto expand = [&host](std::u16string_view tekst) { return SmartTack(tekst, host); };

    Write("JDOE.txt", "// \x80 by me\r\n");
    Write("empty.txt", "");
    Write("a1.txt", "one");
    const std::u16string folder = Name(dir) + u"/";

    EXPECT_EQ(expand(u"x %File%\"" + folder + u"%User%.txt\" y"), u"// \u20AC by me\r\n");
    EXPECT_EQ(expand(u"%File%\"" + folder + u"empty.txt\""), u"");
    EXPECT_EQ(expand(u"%File%\"" + folder + u"missing.txt\""), u"Error open file");
    EXPECT_EQ(expand(u"%File%\"" + folder + u"\""), u"Error open file");
    EXPECT_EQ(expand(u"%File%\"" + folder + u"a?.txt\""), u"Error open file");
    EXPECT_EQ(expand(u"%File%\"" + folder + u"*.txt\""), u"Error open file");
    Write("a*.txt", "literal star");
    EXPECT_EQ(expand(u"%File%\"" + folder + u"a*.txt\""), u"Error open file");
}

}  // namespace
}  // namespace tabwright
