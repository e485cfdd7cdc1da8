#include "job/OpenFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovb {

// Volumes reach 4 GiB and more: every offset must be 64 bits wide.
static_assert(sizeof(off_t) >= 8, "build with 64-bit file offsets");

OpenFile& OpenFile::operator=(OpenFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.release();
    }
    return *this;
}

OpenFile OpenFile::ForReading(const std::filesystem::path& path, FileProblem* problem) {
    FileProblem found = FileProblem::None;
    struct stat st {};
    // Anything but a regular file is refused by its type, unopened: opening a device may act on
    // it. O_NONBLOCK for the one swapped in after this look: opening a FIFO without a writer
    // would otherwise wait forever.
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (problem) *problem = FileProblem::NotAFile;
        return {};
    }
    OpenFile file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file)
        found =
            errno == ENOENT || errno == ENOTDIR ? FileProblem::Missing : FileProblem::Unreadable;
    else if (::fstat(file.fd(), &st) != 0)
        found = FileProblem::Unreadable;
    else if (!S_ISREG(st.st_mode))
        found = FileProblem::NotAFile;
    else if (const int flags = ::fcntl(file.fd(), F_GETFL);
             flags < 0 || ::fcntl(file.fd(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        found = FileProblem::Unreadable;
    if (found != FileProblem::None) file.close();
    if (problem) *problem = found;
    return file;
}

int OpenFile::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool OpenFile::close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
}

std::uint64_t OpenFile::size() const {
    struct stat st {};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 && st.st_size > 0 ? std::uint64_t(st.st_size) : 0;
}

bool OpenFile::readAt(std::uint64_t offset, void* data, std::size_t count) const {
    auto* bytes = static_cast<char*>(data);
    while (count > 0) {
        const ssize_t n = ::pread(fd_, bytes, count, off_t(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        offset += std::uint64_t(n);
        count -= std::size_t(n);
    }
    return true;
}

bool OpenFile::writeAll(const void* data, std::size_t count) {
    const auto* bytes = static_cast<const char*>(data);
    while (count > 0) {
        const ssize_t n = ::write(fd_, bytes, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        bytes += n;
        count -= std::size_t(n);
    }
    return true;
}

const char* ProblemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::None:
        break;
    case FileProblem::Missing:
        return "does not exist";
    case FileProblem::NotAFile:
        return "is not a file";
    case FileProblem::Unreadable:
        return "cannot be read";
    }
    return "";
}

} // namespace ovb
