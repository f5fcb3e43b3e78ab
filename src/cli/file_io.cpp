#include "cli/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <sys/xattr.h>
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
int ProcessId() { return ::_getpid(); }
#else
int OpenExclusive(const fs::path& p) {
    return ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
}
long WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int Flush(int fd) { return ::fsync(fd); }
int Close(int fd) { return ::close(fd); }
int ProcessId() { return ::getpid(); }
#endif

std::string Reason(int err) { return std::strerror(err); }

// The temporary files being written, where a signal handler can find them:
// a slot is claimed (1), filled, then marked ready (2); the handler removes
// the files of ready slots only.
struct TemporarySlot {
    std::atomic<int> state{0};
    char path[4096];
};
TemporarySlot g_temporaries[128];
static_assert(std::atomic<int>::is_always_lock_free);

#ifndef _WIN32
extern "C" void RemoveTemporaries(int sig) {
    for (TemporarySlot& slot : g_temporaries)
        if (slot.state.load() == 2) ::unlink(slot.path);
    // Die of the signal as if there were no handler: the shell sees 128 + sig.
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

// Once, before the first temporary file. A signal the process was started
// to ignore stays ignored: it cannot stop the run halfway.
void CatchSignals() {
    static const bool caught = [] {
        for (int sig : {SIGINT, SIGTERM}) {
            struct sigaction old {};
            if (::sigaction(sig, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
            struct sigaction action {};
            action.sa_handler = RemoveTemporaries;
            sigemptyset(&action.sa_mask);
            ::sigaction(sig, &action, nullptr);
        }
        return true;
    }();
    (void)caught;
}
#else
void CatchSignals() {}
#endif

int ClaimSlot(const fs::path& temp) {
    const std::string name = temp.string();
    if (name.size() >= sizeof(TemporarySlot::path)) return -1;
    for (int i = 0; i < static_cast<int>(std::size(g_temporaries)); ++i) {
        int expected = 0;
        if (!g_temporaries[i].state.compare_exchange_strong(expected, 1)) continue;
        std::memcpy(g_temporaries[i].path, name.c_str(), name.size() + 1);
        g_temporaries[i].state.store(2);
        return i;
    }
    return -1;  // more rewrites at once than slots: this one is not watched
}

void ReleaseSlot(int slot) {
    if (slot >= 0) g_temporaries[slot].state.store(0);
}

// A name no other run uses at the same time; O_EXCL settles the rest.
fs::path TemporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    std::string name(".");
    name.append(target.filename().string()).append(".tabwright-");
    name.append(std::to_string(ProcessId())).append("-").append(std::to_string(counter++));
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

#ifndef _WIN32
// Gives the new file the original's owner, group, mode and extended
// attributes, or says why it cannot.
std::string KeepAttributes(const fs::path& target, int fd) {
    struct stat original {}, made {};
    if (::stat(target.c_str(), &original) != 0 || ::fstat(fd, &made) != 0)
        return "cannot read its attributes: " + Reason(errno);
    if ((original.st_uid != made.st_uid || original.st_gid != made.st_gid) &&
        ::fchown(fd, original.st_uid, original.st_gid) != 0)
        return "cannot keep its owner " + std::to_string(original.st_uid) + " and group " +
               std::to_string(original.st_gid) + " (" + Reason(errno) + "); left as it is";
    if (::fchmod(fd, original.st_mode & 07777) != 0) return "cannot keep its permissions: " + Reason(errno);

    ssize_t size = ::listxattr(target.c_str(), nullptr, 0);
    if (size < 0) return errno == ENOTSUP ? "" : "cannot list its extended attributes: " + Reason(errno);
    std::vector<char> names(static_cast<std::size_t>(size));
    size = ::listxattr(target.c_str(), names.data(), names.size());
    if (size < 0) return "cannot list its extended attributes: " + Reason(errno);
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + size; name += std::strlen(name) + 1) {
        ssize_t length = ::getxattr(target.c_str(), name, nullptr, 0);
        if (length >= 0) {
            value.resize(static_cast<std::size_t>(length));
            length = ::getxattr(target.c_str(), name, value.data(), value.size());
        }
        if (length < 0 || ::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(length), 0) != 0)
            return std::string("cannot keep its extended attribute ") + name + ": " + Reason(errno) + "; left as it is";
    }
    return "";
}

bool MayWrite(const fs::path& target) { return ::access(target.c_str(), W_OK) == 0; }
#else
std::string KeepAttributes(const fs::path&, int) { return ""; }
bool MayWrite(const fs::path& target) { return ::_waccess(target.c_str(), 2) == 0; }
#endif

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
        if (!in.good()) return {std::move(bytes), {}};
    }
    // A file that grew while being read is read to its end, and one whose
    // size is not known is read whole.
    Outcome<ByteBlock> more = ReadStreamBytes(in);
    if (!more) return Outcome<std::string>::Failed(more.error);
    bytes.append(more.value->View());
    return {std::move(bytes), {}};
}

ByteBlock::ByteBlock(ByteBlock&& other) noexcept { *this = std::move(other); }

ByteBlock& ByteBlock::operator=(ByteBlock&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
    return *this;
}

ByteBlock::~ByteBlock() { std::free(data_); }

bool ByteBlock::ReadFrom(std::istream& in, std::size_t size) {
    if (capacity_ - size_ < size) {
        const std::size_t capacity = std::max(size_ + size, capacity_ + capacity_ / 8);
        char* grown = static_cast<char*>(std::realloc(data_, capacity));
        if (!grown) throw std::bad_alloc();
        data_ = grown, capacity_ = capacity;
    }
    in.read(data_ + size_, static_cast<std::streamsize>(size));
    size_ += static_cast<std::size_t>(in.gcount());
    return in.good();
}

Outcome<ByteBlock> ReadStreamBytes(std::istream& in) {
    ByteBlock bytes;
    errno = 0;
    try {
        while (bytes.ReadFrom(in, 1 << 20)) {}
    } catch (const std::bad_alloc&) {
        return Outcome<ByteBlock>::Failed("out of memory");
    }
    // A closed descriptor or a folder fails the first read; the stream
    // keeps no reason, the C library's errno does.
    if (in.bad()) return Outcome<ByteBlock>::Failed("cannot read" + (errno ? ": " + Reason(errno) : ""));
    return {std::move(bytes), {}};
}

FileRewrite::FileRewrite(const fs::path& path) { Begin(path); }

void FileRewrite::Begin(const fs::path& path) {
    std::error_code ec;
    target_ = fs::is_symlink(path, ec) ? fs::canonical(path, ec) : path;
    const fs::file_status status = fs::status(target_, ec);
    if (ec || !fs::exists(status)) return Fail("no longer exists");
    if (!fs::is_regular_file(status)) return Fail("is not a regular file");
    if ((status.permissions() & kAnyWrite) == fs::perms::none) return Fail("is read-only");
    if (!MayWrite(target_)) return Fail("is not writable by you: " + Reason(errno));
    const std::uintmax_t links = fs::hard_link_count(target_, ec);
    if (!ec && links > 1)
        return Fail("has " + std::to_string(links) + " hard links; a new file would split them, so it is left as it is");

    CatchSignals();
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        ReleaseSlot(slot_);
        temp_ = TemporaryName(target_);
        // Watched before it exists: a signal right after the open finds it.
        slot_ = ClaimSlot(temp_);
        fd_ = OpenExclusive(temp_);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        const int err = errno;
        ReleaseSlot(slot_);
        slot_ = -1;
        temp_.clear();
        return Fail("cannot create a temporary file beside it: " + Reason(err));
    }
    if (std::string why = KeepAttributes(target_, fd_); !why.empty()) Fail(std::move(why));
}

FileRewrite::~FileRewrite() {
    if (fd_ >= 0) Close(fd_);
    std::error_code ec;
    if (!temp_.empty()) fs::remove(temp_, ec);
    ReleaseSlot(slot_);
}

void FileRewrite::Fail(std::string why) {
    if (error_.empty()) error_ = std::move(why);
}

void FileRewrite::Write(std::string_view bytes) {
    if (error_.empty() && !WriteAll(fd_, bytes)) Fail("cannot write the new contents: " + Reason(errno));
}

Outcome<Done> FileRewrite::Commit() {
    if (error_.empty() && Flush(fd_) != 0) Fail("cannot write the new contents: " + Reason(errno));
    if (fd_ >= 0 && Close(fd_) != 0) Fail("cannot write the new contents: " + Reason(errno));
    fd_ = -1;
    std::error_code ec;
    if (error_.empty() && !fs::exists(target_, ec)) Fail("vanished while being formatted");
    if (error_.empty()) {
        fs::rename(temp_, target_, ec);
        if (ec) Fail("cannot replace it: " + ec.message());
        else temp_.clear();
    }
    if (!error_.empty()) return Outcome<Done>::Failed(error_);
    return {Done{}, {}};
}

FileReader::FileReader(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status)) {
        error_ = "is a folder";
        return;
    }
    in_.open(path, std::ios::binary);
    if (!in_) error_ = "cannot open: " + Reason(errno);
    size_ = fs::is_regular_file(status) ? fs::file_size(path, ec) : 0;
    if (ec) size_ = 0;
}

bool FileReader::Read(std::string& out, std::size_t size) {
    if (!error_.empty() || !in_.good()) return false;
    const std::size_t had = out.size();
    size = static_cast<std::size_t>(std::min<std::uintmax_t>(size, read_ < size_ ? size_ - read_ : 4096));
    out.resize(had + size);
    in_.read(out.data() + had, static_cast<std::streamsize>(size));
    out.resize(had + static_cast<std::size_t>(in_.gcount()));
    read_ += static_cast<std::uintmax_t>(in_.gcount());
    if (in_.bad()) error_ = "cannot read";
    return error_.empty() && in_.good() && in_.peek() != std::char_traits<char>::eof();
}

void FileReader::Rewind() {
    in_.clear();
    in_.seekg(0);
    read_ = 0;
    if (!in_) error_ = "cannot read";
}

std::string FileIdentity(const fs::path& path) {
#ifdef _WIN32
    std::error_code ec;
    const fs::path full = fs::canonical(path, ec);
    if (ec) return {};
    std::wstring name = full.native();
    for (wchar_t& c : name)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    const std::u8string utf8 = fs::path(name).u8string();
    return std::string(utf8.begin(), utf8.end());
#else
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
#endif
}

Outcome<Done> ReplaceFileContents(const fs::path& path, std::string_view bytes) {
    FileRewrite rewrite(path);
    rewrite.Write(bytes);
    return rewrite.Commit();
}

}  // namespace tabwright::cli
