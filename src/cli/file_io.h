// Reading and rewriting files as bytes. A rewrite goes to a temporary file
// in the same folder, ".NAME.tabwright-PID-N", that is renamed over the
// original, so a failure at any point, SIGINT and SIGTERM included, leaves
// the original as it was and removes the temporary file.
#pragma once

#include <filesystem>
#include <fstream>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace tabwright::cli {

// A value, or the short reason why there is none.
template <typename T>
struct Outcome {
    std::optional<T> value;
    std::string error;

    static Outcome Failed(std::string why) { return {std::nullopt, std::move(why)}; }
    explicit operator bool() const { return value.has_value(); }
};
struct Done {};

// Bytes in one block of memory that grows in place where the C library can
// (realloc moves a large block's pages instead of copying them), so that a
// stream of unknown length is read without a second copy of it.
class ByteBlock {
public:
    ByteBlock() = default;
    ByteBlock(ByteBlock&& other) noexcept;
    ByteBlock& operator=(ByteBlock&& other) noexcept;
    ~ByteBlock();
    std::string_view View() const { return {data_, size_}; }
    // Appends up to size bytes from in; false at its end or on a failure.
    bool ReadFrom(std::istream& in, std::size_t size);

private:
    char* data_ = nullptr;
    std::size_t size_ = 0, capacity_ = 0;
};

Outcome<std::string> ReadFileBytes(const std::filesystem::path& path);
Outcome<ByteBlock> ReadStreamBytes(std::istream& in);

// A file read from its start in pieces.
class FileReader {
public:
    explicit FileReader(const std::filesystem::path& path);
    // Empty while all is well; why the file cannot be read otherwise.
    const std::string& Error() const { return error_; }
    // Appends up to size bytes to out (room is made only for what the file
    // still holds, by its size when opened); false at its end or on a failure.
    bool Read(std::string& out, std::size_t size);
    void Rewind();

private:
    std::ifstream in_;
    std::string error_;
    std::uintmax_t size_ = 0, read_ = 0;
};

// What tells one file from another however it is named (through a link,
// twice): device and inode, or on Windows the full path with links
// resolved. Empty when the file cannot be looked at.
std::string FileIdentity(const std::filesystem::path& path);

// The rewrite of one existing regular file, its new contents written in
// pieces. The file keeps its owner, group, mode and extended attributes; a
// symbolic link is followed, not replaced. Refused, before anything is
// written: a file the real user may not write, one whose owner, group or
// attributes the new file could not keep, and one with more than one hard
// link (the new file would split it from the others).
class FileRewrite {
public:
    explicit FileRewrite(const std::filesystem::path& path);
    ~FileRewrite();  // removes the temporary file unless committed
    FileRewrite(const FileRewrite&) = delete;
    FileRewrite& operator=(const FileRewrite&) = delete;

    // Empty while all is well; the first failure's reason otherwise.
    const std::string& Error() const { return error_; }
    void Write(std::string_view bytes);
    // Puts the new file in the original's place.
    Outcome<Done> Commit();

private:
    void Begin(const std::filesystem::path& path);
    void Fail(std::string why);

    std::filesystem::path target_, temp_;
    int fd_ = -1;
    int slot_ = -1;  // where a signal finds the temporary name
    std::string error_;
};

Outcome<Done> ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tabwright::cli
