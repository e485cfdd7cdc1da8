// The disk as a file store. Locks are open-file-description locks on a small file beside the
// target (".NAME.ovblock"): the kernel drops them when their holder ends, however it ends, and
// two holders in one process exclude each other as two processes do.
#include "job/FileIdentity.h"
#include "job/FileStore.h"
#include "job/ReplacingFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovb {

namespace fs = std::filesystem;

namespace {

fs::path LockPath(const fs::path& target) {
    std::string name = "."; // appended: GCC 12 warns falsely (-Wrestrict) on "." + string
    name += target.filename().string();
    name += ".ovblock";
    return target.parent_path() / name;
}

// Byte 0 of the lock file is the writer part, byte 1 the commit part.
bool SetLock(int fd, off_t byte, short type, bool wait) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    while (::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) != 0)
        if (errno != EINTR) return false;
    return true;
}

bool SameFile(int fd, const fs::path& path) {
    struct stat a {
    }, b{};
    return ::fstat(fd, &a) == 0 && ::stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

// File systems without locks (some network and user-space drivers) still get their files
// written; only the exclusion is lost there.
bool LocksUnsupported(int error) {
    return error == ENOLCK || error == EINVAL || error == EOPNOTSUPP || error == ENOSYS;
}

class DiskLock final : public FileLock {
  public:
    DiskLock(OpenFile file, fs::path path, bool writer)
        : file_(std::move(file)), path_(std::move(path)), writer_(writer) {}
    ~DiskLock() override {
        // A writer removes the lock file when it is done, holding both parts so that no reader
        // is opening the files; whoever opened the old lock file then finds it gone and takes
        // a new one.
        if (writer_ && SetLock(file_.fd(), 1, F_WRLCK, true) && SameFile(file_.fd(), path_))
            ::unlink(path_.c_str());
    }

  private:
    OpenFile file_;
    fs::path path_;
    bool writer_;
};

class DiskStore final : public FileStore {
  public:
    std::unique_ptr<ByteSource> open(const fs::path& path, FileProblem* problem) override {
        return FileSource::Open(path, problem);
    }

    fs::path realName(const fs::path& path) override { return RealFile(path); }

    bool exists(const fs::path& path) override {
        struct stat st {};
        return ::lstat(path.c_str(), &st) == 0;
    }

    std::unique_ptr<NewFile> create(const fs::path& target) override {
        // Renamed by a commit of several files, by name: beside the name given.
        return std::make_unique<ReplacingFile>(target, ReplacingFile::Links::Replace);
    }

    bool rename(const fs::path& from, const fs::path& to, std::string& error) override {
        if (::rename(from.c_str(), to.c_str()) == 0) return true;
        error =
            "cannot rename " + from.string() + " to " + to.string() + ": " + std::strerror(errno);
        return false;
    }

    bool remove(const fs::path& path, std::string& error) override {
        if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
        error = "cannot remove " + path.string() + ": " + std::strerror(errno);
        return false;
    }

    bool syncFolder(const fs::path& folder) override {
        OpenFile dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        return dir && ::fsync(dir.fd()) == 0;
    }

    void removeDeadTemporaries(const fs::path& folder) override { RemoveStaleTemporaries(folder); }

    std::unique_ptr<FileLock> lock(const fs::path& target, LockPart part, LockMode mode,
                                   std::string& error) override;
};

std::unique_ptr<FileLock> DiskStore::lock(const fs::path& target, LockPart part, LockMode mode,
                                          std::string& error) {
    const fs::path path = LockPath(target);
    // Readers only look for a lock file: without one nobody is writing the target.
    const bool reader = part == LockPart::Commit && mode == LockMode::Shared;
    const off_t byte = part == LockPart::Writer ? 0 : 1;
    for (int attempt = 0; attempt < 16; ++attempt) {
        OpenFile file(reader ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC)
                             : ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
        if (!file) {
            if (reader) return nullptr;
            error = "cannot create " + target.string() + ": " + std::strerror(errno);
            return nullptr;
        }
        if (!SetLock(file.fd(), byte, mode == LockMode::Shared ? F_RDLCK : F_WRLCK,
                     part == LockPart::Commit)) {
            if (LocksUnsupported(errno))
                return std::make_unique<DiskLock>(std::move(file), path, false);
            if (errno == EAGAIN || errno == EACCES)
                error = target.string() + " is being written by another program now.";
            else
                error = "cannot lock " + path.string() + ": " + std::strerror(errno);
            return nullptr;
        }
        if (SameFile(file.fd(), path))
            return std::make_unique<DiskLock>(std::move(file), path, part == LockPart::Writer);
        // A writer that finished removed this lock file meanwhile: take the new one.
    }
    error = "cannot lock " + path.string();
    return nullptr;
}

} // namespace

FileStore& DiskFiles() {
    static DiskStore store;
    return store;
}

} // namespace ovb
