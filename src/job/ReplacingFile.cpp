#include "job/ReplacingFile.h"

#include "job/FileCommit.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
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

constexpr char kTempMark[] = ".ovbtmp-";
constexpr std::size_t kPiece = 256u << 10;

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about "." + string&&.
    std::string name = ".";
    name += target.filename().string();
    name += kTempMark;
    name += std::to_string(getpid());
    name += '-';
    name += std::to_string(counter++);
    return target.parent_path() / name;
}

// The process that wrote a temporary file, when the name is one of ours: ".NAME.ovbtmp-PID-N".
pid_t WriterOf(const std::string& name) {
    const std::size_t mark = name.rfind(kTempMark);
    if (name.size() < 2 || name[0] != '.' || mark == std::string::npos || mark == 0) return 0;
    const char* digits = name.c_str() + mark + std::strlen(kTempMark);
    char* end = nullptr;
    const long pid = std::strtol(digits, &end, 10);
    if (end == digits || *end != '-' || pid <= 0) return 0;
    const char* count = end + 1;
    std::strtoul(count, &end, 10);
    return end != count && *end == '\0' && pid == long(pid_t(pid)) ? pid_t(pid) : 0;
}

} // namespace

bool IsStaleTemporary(const std::string& name) {
    const pid_t writer = WriterOf(name);
    return writer != 0 && kill(writer, 0) != 0 && errno == ESRCH;
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
        names.push_back(it->path().filename().string());
    // A commit record names files a later run still puts in place, whoever wrote them.
    std::set<std::string> recorded;
    for (const std::string& name : names)
        if (IsCommitRecordName(name))
            if (auto record = FileSource::Open(folder / name))
                for (std::string& temporary : RecordedTemporaries(*record))
                    recorded.insert(std::move(temporary));
    for (const std::string& name : names)
        if (IsStaleTemporary(name) && !recorded.count(name))
            std::filesystem::remove(folder / name, ec);
}

namespace {

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

ReplacingFile::ReplacingFile(std::filesystem::path target)
    : target_(std::move(target)), temp_(TemporaryBeside(target_)) {
    SweepOnce(target_.parent_path());
    file_ = std::fopen(temp_.c_str(), "wb");
    if (!file_) {
        fail("cannot create");
        return;
    }
    // Large writes go straight through; small record writes are gathered.
    std::setvbuf(file_, nullptr, _IOFBF, kPiece);
}

ReplacingFile::~ReplacingFile() {
    discard();
}

void ReplacingFile::fail(const char* what) {
    if (!failed_) error_ = std::string(what) + ": " + std::strerror(errno);
    failed_ = true;
}

bool ReplacingFile::write(const void* data, std::size_t count) {
    if (!writable()) return false;
    // A block of many megabytes goes to the system in pieces: measured on Linux 6.x, one huge
    // write into the page cache takes several times as long as the same bytes in these pieces.
    const char* bytes = static_cast<const char*>(data);
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(count - done, kPiece);
        if (std::fwrite(bytes + done, 1, n, file_) != n) {
            fail("cannot write");
            return false;
        }
        done += n;
    }
    written_ += count;
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
    if (from.descriptor() >= 0) KernelCopy(from.descriptor(), offset, fileno(file_), count);
    written_ += before - count;
    // The stream's idea of its position must follow what the kernel appended.
    if (fseeko(file_, 0, SEEK_END) != 0) {
        fail("cannot write");
        return false;
    }
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

bool ReplacingFile::sync() {
    if (!finish()) return false;
    if (fsync(fd_) != 0) fail("cannot write");
    return ok();
}

bool ReplacingFile::commit() {
    if (!sync()) {
        discard();
        return false;
    }
    if (close(fd_) != 0) fail("cannot close");
    fd_ = -1;
    if (!failed_) {
        std::error_code ec;
        std::filesystem::rename(temp_, target_, ec);
        if (ec) {
            errno = ec.value();
            fail("cannot rename");
        }
    }
    if (failed_) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        return false;
    }
    temp_.clear();
    return true;
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
