#include "cli/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tabwright::cli {
namespace fs = std::filesystem;
namespace {

#ifdef _WIN32
int OpenExclusive(const fs::path& p) {
    return ::_wopen(p.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int WriteSome(int fd, const char* data, std::size_t size) {
    return ::_write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}
int Flush(int fd) { return ::_commit(fd); }
int Close(int fd) { return ::_close(fd); }
#else
int OpenExclusive(const fs::path& p) {
    return ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
}
long WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int Flush(int fd) { return ::fsync(fd); }
int Close(int fd) { return ::close(fd); }
#endif

std::string Reason(int err) { return std::strerror(err); }

// A name no other run uses at the same time; O_EXCL settles the rest.
fs::path TemporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string name(".");
    name.append(target.filename().string()).append(".tabwright-");
    name.append(std::to_string(stamp % 1000000007)).append("-").append(std::to_string(counter++));
    return target.parent_path() / name;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto n = WriteSome(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

}  // namespace

Outcome<std::string> ReadFileBytes(const fs::path& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return Outcome<std::string>::Failed("is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in) return Outcome<std::string>::Failed("cannot open: " + Reason(errno));
    std::string bytes;
    const std::uintmax_t size = fs::is_regular_file(path, ec) ? fs::file_size(path, ec) : 0;
    if (!ec && size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        if (in.bad()) return Outcome<std::string>::Failed("cannot read");
        // A file that grew while being read is read to its end.
        if (in.good()) {
            Outcome<std::string> more = ReadStreamBytes(in);
            if (!more) return more;
            bytes += *more.value;
        }
        return {std::move(bytes), {}};
    }
    return ReadStreamBytes(in);
}

Outcome<std::string> ReadStreamBytes(std::istream& in) {
    std::ostringstream all;
    errno = 0;
    if (in.peek() != std::char_traits<char>::eof()) all << in.rdbuf();
    // A closed descriptor or a folder fails the first read; the stream
    // keeps no reason, the C library's errno does.
    if (in.bad() || !all) return Outcome<std::string>::Failed("cannot read" + (errno ? ": " + Reason(errno) : ""));
    return {std::move(all).str(), {}};
}

Outcome<Done> ReplaceFileContents(const fs::path& path, std::string_view bytes) {
    using Result = Outcome<Done>;
    std::error_code ec;
    const fs::path target = fs::is_symlink(path, ec) ? fs::canonical(path, ec) : path;
    const fs::file_status status = fs::status(target, ec);
    if (ec || !fs::exists(status)) return Result::Failed("no longer exists");
    if (!fs::is_regular_file(status)) return Result::Failed("is not a regular file");
    if ((status.permissions() & kAnyWrite) == fs::perms::none) return Result::Failed("is read-only");

    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TemporaryName(target);
        fd = OpenExclusive(temp);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return Result::Failed("cannot create a temporary file beside it: " + Reason(errno));

    const auto fail = [&](std::string why) {
        fs::remove(temp, ec);
        return Result::Failed(std::move(why));
    };
    bool written = WriteAll(fd, bytes) && Flush(fd) == 0;
    int writeErrno = errno;
    if (Close(fd) != 0 && written) {
        written = false;
        writeErrno = errno;
    }
    if (!written) return fail("cannot write the new contents: " + Reason(writeErrno));
    fs::permissions(temp, status.permissions(), ec);
    if (ec) return fail("cannot keep its permissions: " + ec.message());
    if (!fs::exists(target, ec)) return fail("vanished while being formatted");
    fs::rename(temp, target, ec);
    if (ec) return fail("cannot replace it: " + ec.message());
    return {Done{}, {}};
}

}  // namespace tabwright::cli
