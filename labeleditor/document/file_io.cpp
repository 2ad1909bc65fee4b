#include "labeleditor/document/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tovik::label {

namespace {

void setWhy(std::string* why, int error) {
    if (why) *why = std::strerror(error);
}

// Closes the descriptor on every path out.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the error a deferred write may only show here.
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                       std::string* why) {
    // Non-blocking, so naming a pipe cannot hang the open; only regular files are read.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        setWhy(why, errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        setWhy(why, errno);
        return std::nullopt;
    }
    if (S_ISDIR(st.st_mode)) {
        setWhy(why, EISDIR);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        if (why) *why = "not a regular file";
        return std::nullopt;
    }
    if (static_cast<std::uint64_t>(st.st_size) > kMaxFileBytes) {
        setWhy(why, EFBIG);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            setWhy(why, errno);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (bytes.size() > kMaxFileBytes) {  // grew while being read
            setWhy(why, EFBIG);
            return std::nullopt;
        }
    }
    return bytes;
}

bool replaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                 std::string* why, ReplaceFailure* failure) {
    ReplaceFailure ignored;
    if (!failure) failure = &ignored;
    *failure = ReplaceFailure::Create;
    // A symbolic link stays a link: the file it names is the one replaced.
    std::filesystem::path path = target;
    std::error_code ec;
    if (std::filesystem::is_symlink(target, ec)) {
        auto resolved = std::filesystem::canonical(target, ec);
        if (!ec) path = resolved;
    }
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::string temp = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    // mkstemp creates the temporary name exclusively: nobody else holds it while it is written.
    Fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0) {
        setWhy(why, errno);
        return false;
    }
    *failure = ReplaceFailure::Write;
    auto fail = [&](int error) {
        ::unlink(temp.c_str());
        setWhy(why, error);
        return false;
    };

    struct stat st {};
    mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : newFileMode();
    if (::fchmod(fd.get(), mode) != 0) return fail(errno);

    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd.get(), p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(errno);
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) return fail(errno);
    if (!fd.close()) return fail(errno);
    *failure = ReplaceFailure::Create;
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail(errno);
    *failure = ReplaceFailure::None;
    return true;
}

}  // namespace tovik::label
