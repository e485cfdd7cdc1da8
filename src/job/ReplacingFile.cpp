#include "job/ReplacingFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/xattr.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace ovb {

namespace {

constexpr std::size_t kPiece = 256u << 10;
// Written data are handed to the disk in steps of this size (see startWriteback).
constexpr std::uint64_t kWritebackStep = 8u << 20;
// Zeros in whole blocks of this size, at multiples of it in the file, are left as holes.
constexpr std::size_t kHoleBlock = 64u << 10;

bool AllZero(const char* bytes, std::size_t count) {
    return count > 0 && bytes[0] == 0 && std::memcmp(bytes, bytes + 1, count - 1) == 0;
}

std::uint64_t NextNumber() {
    static std::atomic<std::uint64_t> counter{0};
    return counter++;
}

// Each folder is looked through once per run, before the first file is written into it, so that
// a run over thousands of files in one folder does not list it thousands of times.
void SweepOnce(const std::filesystem::path& folder) {
    static std::mutex lock;
    static std::set<std::filesystem::path> swept;
    std::error_code ec;
    std::filesystem::path key = std::filesystem::absolute(folder.empty() ? "." : folder, ec);
    if (ec) return;
    key = key.lexically_normal();
    {
        std::lock_guard<std::mutex> hold(lock);
        if (!swept.insert(key).second) return;
    }
    RemoveStaleTemporaries(key);
}

} // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target, Links links)
    : target_(std::move(target)), real_(links == Links::Follow ? RealFile(target_) : target_) {
    SweepOnce(real_.parent_path());
    if (!checkTarget()) return;
    key_ = old_ ? FileKey(real_) : real_.lexically_normal().string();
    temp_ = TemporaryBeside(real_, TemporaryKind::Writing, NextNumber());
    // Only the owner sees the new content of an existing file until it has the old one's mode.
    // Readable too: a copy into place reads it back.
    const int fd = open(temp_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, old_ ? 0600 : 0666);
    if (fd < 0) {
        const int error = errno;
        temp_.clear();
        fail(error == EACCES || error == EROFS ? "the folder is not writable" : "cannot create",
             error);
        return;
    }
    file_ = fdopen(fd, "wb");
    if (!file_) {
        fail("cannot create");
        close(fd);
        return;
    }
    // Large writes go straight through; small record writes are gathered.
    std::setvbuf(file_, nullptr, _IOFBF, kPiece);
}

// A new file is simply created. An existing one must be a regular file that its user may write:
// opening it for writing asks the system, which knows the mode, the access lists and the mount.
bool ReplacingFile::checkTarget() {
    old_ = LookAt(real_);
    if (!old_) {
        if (errno == ENOENT) return true;
        fail("cannot look at the file");
        return false;
    }
    if (!old_->regular) {
        fail("not a regular file", 0);
        return false;
    }
    const int fd = open(real_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        fail("can't open for writing");
        return false;
    }
    close(fd);
    return true;
}

ReplacingFile::~ReplacingFile() {
    discard();
}

void ReplacingFile::fail(const char* what, int error) {
    if (!failed_) error_ = error ? std::string(what) + ": " + std::strerror(error) : what;
    failed_ = true;
}

void ReplacingFile::fail(const char* what) {
    fail(what, errno);
}

// Large runs of zeros (a bank's empty records and reserved areas are mostly zeros) are not
// written: the file gets a hole there, which reads as zeros and costs the disk nothing.
bool ReplacingFile::write(const void* data, std::size_t count) {
    if (!writable()) return false;
    const char* bytes = static_cast<const char*>(data);
    for (std::size_t done = 0; done < count;) {
        // The blocks from the next block boundary of the file on: those with data are written
        // together, up to the first one of zeros; the zero blocks after it make the hole.
        std::size_t zeros = done + std::size_t((kHoleBlock - written_ % kHoleBlock) % kHoleBlock);
        while (zeros + kHoleBlock <= count && !AllZero(bytes + zeros, kHoleBlock))
            zeros += kHoleBlock;
        if (zeros + kHoleBlock > count) return put(bytes + done, count - done);
        std::size_t end = zeros + kHoleBlock;
        while (end + kHoleBlock <= count && AllZero(bytes + end, kHoleBlock))
            end += kHoleBlock;
        if (!put(bytes + done, zeros - done) || !skip(end - zeros)) return false;
        done = end;
    }
    return true;
}

bool ReplacingFile::put(const char* bytes, std::size_t count) {
    // A block of many megabytes goes to the system in pieces: measured on Linux 6.x, one huge
    // write into the page cache takes several times as long as the same bytes in these pieces.
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(count - done, kPiece);
        if (std::fwrite(bytes + done, 1, n, file_) != n) {
            fail("cannot write");
            return false;
        }
        done += n;
    }
    written_ += count;
    endsInHole_ = endsInHole_ && count == 0;
    startWriteback();
    return true;
}

// Left alone, the system keeps what was written in memory and the disk starts on it only at the
// sync, so the writing of a large file would wait for its preparing. Handed over in steps, the
// disk writes while the rest is prepared. The call does not wait for the disk.
void ReplacingFile::startWriteback() {
#if defined(__linux__)
    if (written_ - handedOver_ < kWritebackStep) return;
    if (std::fflush(file_) != 0) {
        fail("cannot write");
        return;
    }
    sync_file_range(fileno(file_), off_t(handedOver_), off_t(written_ - handedOver_),
                    SYNC_FILE_RANGE_WRITE);
    handedOver_ = written_;
#endif
}

bool ReplacingFile::skip(std::size_t count) {
    written_ += count;
    endsInHole_ = count > 0;
    if (fseeko(file_, off_t(written_), SEEK_SET) != 0) {
        fail("cannot write");
        return false;
    }
    return true;
}

namespace {

// False when the kernel cannot copy between these files; the caller then copies by hand.
bool KernelCopy(int in, std::uint64_t& offset, int out, std::uint64_t& count) {
#if defined(__linux__)
    while (count > 0) {
        auto off = off_t(offset);
        std::size_t chunk = std::size_t(std::min<std::uint64_t>(count, 1u << 30));
        ssize_t n = copy_file_range(in, &off, out, nullptr, chunk, 0);
        if (n <= 0) return false;
        offset += std::uint64_t(n);
        count -= std::uint64_t(n);
    }
    return true;
#else
    (void)in, (void)offset, (void)out;
    return count == 0;
#endif
}

} // namespace

bool ReplacingFile::copyFrom(const ByteSource& from, std::uint64_t offset, std::uint64_t count) {
    if (!writable()) return false;
    if (std::fflush(file_) != 0) {
        fail("cannot write");
        return false;
    }
    const std::uint64_t before = count;
    // The kernel copies to the descriptor's position: after a hole, the stream's position.
    if (from.descriptor() >= 0 && lseek(fileno(file_), off_t(written_), SEEK_SET) >= 0)
        KernelCopy(from.descriptor(), offset, fileno(file_), count);
    written_ += before - count;
    endsInHole_ = endsInHole_ && before == count;
    // The stream's idea of its position must follow what the kernel appended.
    if (fseeko(file_, off_t(written_), SEEK_SET) != 0) {
        fail("cannot write");
        return false;
    }
    startWriteback();
    // What the kernel did not copy goes through a buffer.
    std::vector<char> buffer(std::size_t(std::min<std::uint64_t>(count, 1u << 20)));
    while (count > 0) {
        std::size_t n = std::size_t(std::min<std::uint64_t>(count, buffer.size()));
        errno = 0;
        if (!from.readAt(offset, buffer.data(), n)) {
            if (errno == 0) errno = EIO;
            fail("cannot read the source");
            return false;
        }
        if (!write(buffer.data(), n)) return false;
        offset += n;
        count -= n;
    }
    return true;
}

bool ReplacingFile::finish() {
    if (!writable()) return ok();
    if (std::fflush(file_) != 0) fail("cannot write");
    // A file that ends in a hole gets its full length. (Only then: on some file systems a
    // truncation to the same length waits for the disk.)
    if (!failed_ && endsInHole_ && ftruncate(fileno(file_), off_t(written_)) != 0)
        fail("cannot write");
#if defined(__linux__)
    // The disk starts on the data now, while the caller prepares its next file.
    if (!failed_) sync_file_range(fileno(file_), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    if (!failed_) {
        fd_ = dup(fileno(file_));
        if (fd_ < 0) fail("cannot write");
    }
    // The descriptor is all that commit needs: the stream's buffer goes now.
    if (std::fclose(file_) != 0) fail("cannot close");
    file_ = nullptr;
    return ok();
}

bool ReplacingFile::settle() {
    if (!finish()) return false;
    if (!settled_) identityTaken_ = !old_ || TakeIdentity(real_, *old_, fd_);
    settled_ = true;
    return ok();
}

bool ReplacingFile::flushed() {
    if (!settle()) return false;
#if defined(__linux__)
    // Waits for nothing after the flush; reports a failed write of exactly this file, as fsync
    // would, without another flush of the disk's cache.
    if (!synced_ && sync_file_range(fd_, 0, 0,
                                    SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE |
                                        SYNC_FILE_RANGE_WAIT_AFTER) != 0) {
        fail("cannot write");
        return false;
    }
    synced_ = true;
#endif
    return ok();
}

bool ReplacingFile::sync() {
    // Settled before the data are made durable, so that the metadata go with them.
    if (!settle()) return false;
    if (!synced_ && fsync(fd_) != 0) fail("cannot write");
    synced_ = true;
    return ok();
}

bool ReplacingFile::commit() {
    if (!sync()) {
        discard();
        return false;
    }
    // In place when the new file cannot become the old one: other names would keep the old
    // content, or it could not take the owner, mode or attributes.
    const bool inPlace = old_ && (old_->links > 1 || !identityTaken_);
    inPlace ? copyIntoPlace() : putInPlace();
    if (close(fd_) != 0) fail("cannot close");
    fd_ = -1;
    if (!temp_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        if (inPlace && !failed_) SyncFolder(real_.parent_path());
        temp_.clear();
    }
    return !failed_;
}

void ReplacingFile::putInPlace() {
    if (std::rename(temp_.c_str(), real_.c_str()) != 0) {
        fail("cannot rename");
        return;
    }
    temp_.clear();
}

// The temporary file is complete and on the disk. Renamed, it says which file it belongs to; from
// then on a kill leaves the next writer in the folder to finish the copy.
void ReplacingFile::copyIntoPlace() {
    const auto copying = TemporaryBeside(real_, TemporaryKind::Copying, old_->id.inode);
    if (std::rename(temp_.c_str(), copying.c_str()) != 0) {
        fail("cannot rename");
        return;
    }
    temp_ = copying;
    SyncFolder(real_.parent_path());
    if (OverwriteInPlace(fd_, written_, real_)) return;
    // The file may be half-new now: the complete content stays beside it.
    fail("cannot write into the file (its new content is kept beside it)");
    temp_.clear();
}

void ReplacingFile::keep() {
    finish();
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    temp_.clear();
}

void ReplacingFile::setStamp(const std::string& stamp) {
    const int fd = file_ ? fileno(file_) : fd_;
    if (fd >= 0) fsetxattr(fd, kStampAttribute, stamp.data(), stamp.size(), 0);
}

void ReplacingFile::discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temp_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        temp_.clear();
    }
}

} // namespace ovb
