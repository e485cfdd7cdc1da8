#include "job/TemporaryFiles.h"

#include "job/FileCommit.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace ovb {

namespace {

constexpr const char* kMarks[] = {".ovbtmp-", ".ovbcopy-"};
constexpr std::size_t kMaxName = 255; // bytes in one file name, on every Linux file system

// FNV-1a: the same name gives the same hash in every run.
std::string NameHash(const std::string& name) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : name)
        h = (h ^ c) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", (unsigned long long)h);
    return text;
}

struct Temporary {
    pid_t writer = 0;
    TemporaryKind kind = TemporaryKind::Writing;
    std::uint64_t number = 0;
};

// ".NAME<mark>PID-NUMBER", with NAME not empty; the last mark in the name counts.
bool ParseTemporary(const std::string& name, Temporary& t) {
    if (name.size() < 2 || name[0] != '.') return false;
    const std::size_t writing = name.rfind(kMarks[0]), copying = name.rfind(kMarks[1]);
    const bool copy =
        copying != std::string::npos && (writing == std::string::npos || copying > writing);
    const std::size_t mark = copy ? copying : writing;
    if (mark == std::string::npos || mark == 0) return false;
    const char* digits = name.c_str() + mark + std::strlen(kMarks[copy]);
    char* end = nullptr;
    errno = 0;
    const long pid = std::strtol(digits, &end, 10);
    if (end == digits || *end != '-' || pid <= 0 || pid != long(pid_t(pid))) return false;
    const char* number = end + 1;
    const unsigned long long n = std::strtoull(number, &end, 10);
    if (end == number || *end != '\0' || *number == '-' || errno != 0) return false;
    t = {pid_t(pid), copy ? TemporaryKind::Copying : TemporaryKind::Writing, n};
    return true;
}

bool WriterEnded(pid_t writer) {
    return kill(writer, 0) != 0 && errno == ESRCH;
}

// The regular file of the folder with this inode, when there is one.
std::filesystem::path FileWithInode(const std::filesystem::path& folder, std::uint64_t inode) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        struct stat st {};
        if (lstat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            std::uint64_t(st.st_ino) == inode)
            return it->path();
    }
    return {};
}

// A copy into place that a kill interrupted: the temporary file is complete, the target may be
// half-new. False when the copy could not be finished.
bool FinishCopy(const std::filesystem::path& temporary, std::uint64_t inode) {
    const std::filesystem::path target = FileWithInode(temporary.parent_path(), inode);
    if (target.empty()) return true; // the file is gone: nothing waits for the content
    const int from = open(temporary.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    const bool done = from >= 0 && fstat(from, &st) == 0 && S_ISREG(st.st_mode) &&
                      OverwriteInPlace(from, std::uint64_t(st.st_size), target);
    if (from >= 0) close(from);
    return done;
}

} // namespace

std::filesystem::path TemporaryBeside(const std::filesystem::path& target, TemporaryKind kind,
                                      std::uint64_t number) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about "." + string&&.
    std::string ending = kMarks[int(kind)];
    ending += std::to_string(getpid());
    ending += '-';
    ending += std::to_string(number);
    std::string name = target.filename().string();
    if (1 + name.size() + ending.size() > kMaxName) {
        const std::string hash = NameHash(name);
        std::size_t keep = kMaxName - 1 - ending.size() - 1 - hash.size();
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep; // not inside a character of several bytes
        name.resize(keep);
        name += '~';
        name += hash;
    }
    std::string full = ".";
    full += name;
    full += ending;
    return target.parent_path() / full;
}

bool IsStaleTemporary(const std::string& name) {
    Temporary t;
    return ParseTemporary(name, t) && WriterEnded(t.writer);
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
    // The copies into place first: their content is wanted.
    std::stable_partition(names.begin(), names.end(), [](const std::string& name) {
        return name.find(kMarks[1]) != std::string::npos;
    });
    for (const std::string& name : names) {
        Temporary t;
        if (!ParseTemporary(name, t) || !WriterEnded(t.writer) || recorded.count(name)) continue;
        if (t.kind == TemporaryKind::Copying && !FinishCopy(folder / name, t.number)) continue;
        std::filesystem::remove(folder / name, ec);
    }
}

bool OverwriteInPlace(int from, std::uint64_t size, const std::filesystem::path& to) {
    const int out = open(to.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (out < 0) return false;
    bool ok = true;
    std::uint64_t done = 0;
#if defined(__linux__)
    while (ok && done < size) {
        off_t in = off_t(done), at = off_t(done);
        const ssize_t n = copy_file_range(
            from, &in, out, &at, std::size_t(std::min<std::uint64_t>(size - done, 1u << 30)), 0);
        if (n <= 0) break; // copied by hand below
        done += std::uint64_t(n);
    }
#endif
    std::vector<char> buffer(1u << 20);
    while (ok && done < size) {
        const ssize_t n =
            pread(from, buffer.data(),
                  std::size_t(std::min<std::uint64_t>(size - done, buffer.size())), off_t(done));
        ok = n > 0 && pwrite(out, buffer.data(), std::size_t(n), off_t(done)) == n;
        if (n == 0) errno = EIO;
        done += ok ? std::uint64_t(n) : 0;
    }
    ok = ok && ftruncate(out, off_t(size)) == 0 && fsync(out) == 0;
    const int error = errno;
    close(out);
    errno = error;
    return ok;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

} // namespace ovb
