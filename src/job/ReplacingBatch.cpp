#include "job/ReplacingBatch.h"

#include "job/FileIdentity.h"

#include <fcntl.h>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/vfs.h>
#endif
#include <utility>

namespace ovb {

namespace {

#if defined(O_PATH)
constexpr int kHoldOnly = O_PATH; // holds the file without the right to read it
#else
constexpr int kHoldOnly = O_RDONLY;
#endif

#if defined(__linux__)
// Local journalling file systems whose flush (syncfs) makes every file's data and metadata
// durable, as an fsync of each would. Elsewhere (network and user-space file systems) a file
// still gets its own fsync.
bool FlushCoversFiles(int folder) {
    struct statfs fs {};
    if (fstatfs(folder, &fs) != 0) return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x58465342: // xfs
    case 0x9123683E: // btrfs
        return true;
    default:
        return false;
    }
}
#endif

// One flush of each file system involved writes the data and metadata of every waiting file
// together. Returns the folders whose file system was flushed whole (see FlushCoversFiles).
std::set<std::filesystem::path> SyncFileSystems(const std::vector<ReplacingFile*>& files) {
    std::set<std::filesystem::path> folders, synced;
#if defined(__linux__)
    for (const ReplacingFile* f : files)
        folders.insert(FolderOf(f->temporary()));
    std::map<dev_t, bool> done;
    for (const auto& folder : folders) {
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (fstat(fd, &st) == 0) {
            auto [at, first] = done.emplace(st.st_dev, false);
            if (first) at->second = syncfs(fd) == 0 && FlushCoversFiles(fd);
            if (at->second) synced.insert(folder);
        }
        close(fd);
    }
#else
    (void)files;
#endif
    return synced;
}

} // namespace

ReplacingBatch::ReplacingBatch(std::size_t maxFiles, std::uint64_t maxBytes)
    : maxFiles_(maxFiles == 0 ? 1 : maxFiles), maxBytes_(maxBytes) {}

ReplacingBatch::~ReplacingBatch() {
    flush();
    if (closer_.joinable()) closer_.join();
}

void ReplacingBatch::add(std::unique_ptr<ReplacingFile> file, Done done) {
    file->finish();
    bytes_ += file->size();
    entries_.push_back({std::move(file), std::move(done)});
    if (entries_.size() >= maxFiles_ || bytes_ >= maxBytes_) flush();
}

bool ReplacingBatch::waiting(const std::filesystem::path& target) const {
    if (entries_.empty()) return false;
    const std::string wanted = FileKey(RealFile(target));
    for (const Entry& e : entries_)
        if (e.file->key() == wanted) return true;
    return false;
}

void ReplacingBatch::flush() {
    std::vector<Entry> entries = std::move(entries_);
    entries_.clear();
    bytes_ = 0;
    // Every file takes its owner, mode and attributes first, so that the one flush carries
    // them too. Each file then only learns whether its own writing failed.
    std::vector<ReplacingFile*> settled;
    std::vector<std::filesystem::path> targets;
    for (const Entry& e : entries)
        if (e.file->settle()) {
            settled.push_back(e.file.get());
            targets.push_back(e.file->target());
        }
    if (settled.size() > 1) {
        const auto synced = SyncFileSystems(settled);
        for (ReplacingFile* f : settled)
            if (synced.count(FolderOf(f->temporary())) != 0) f->flushed();
    }
    // The files about to be replaced are held open across their replacement: the system frees
    // a file's blocks when its last name and descriptor are gone, which takes milliseconds per
    // file on some disks. A helper thread closes them while the next files are written.
    std::vector<int> replaced;
    for (const std::filesystem::path& target : targets) {
        const int fd = open(target.c_str(), kHoldOnly | O_CLOEXEC);
        if (fd >= 0) replaced.push_back(fd);
    }
    for (Entry& e : entries) {
        const bool ok = e.file->commit();
        const std::string error = e.file->error();
        e.file.reset();
        if (e.done) e.done(ok ? std::string() : error.empty() ? "cannot replace the file" : error);
    }
    if (replaced.empty()) return;
    if (closer_.joinable()) closer_.join();
    closer_ = std::thread([replaced = std::move(replaced)] {
        for (const int fd : replaced)
            close(fd);
    });
}

} // namespace ovb
