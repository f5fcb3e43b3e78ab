#include "snippets/disk_files.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>

namespace tabwright {
namespace {

constexpr std::array<char16_t, 32> k1252Upper{{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
}};

std::optional<std::string> ReadWhole(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;

    // Read to the end rather than trusting the size: files may change while
    // they are read, and some report no size at all.
    std::string bytes;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error) bytes.reserve(static_cast<std::size_t>(size));
    std::array<char, 64 * 1024> chunk;
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0)
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return bytes;
}

}  // namespace

std::u16string DecodeWindows1252(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (unsigned char b : bytes)
        text.push_back(b >= 0x80 && b < 0xA0 ? k1252Upper[b - 0x80] : static_cast<char16_t>(b));
    return text;
}

std::optional<std::string> DiskFiles::ReadBytes(std::u16string_view name) {
    // A name that cannot become a path, or a file too large for memory,
    // counts as a file that cannot be read.
    try {
        return ReadWhole(std::filesystem::path(std::u16string(name)));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace tabwright
