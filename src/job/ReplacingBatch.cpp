#include "job/ReplacingBatch.h"

#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace ovb {

namespace {

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// One flush of each file system involved writes the data of every waiting file together. Each
// file still gets its own fsync at its commit: that one finds nothing left to write, but it is
// the call that tells a failed write of exactly that file.
void SyncFileSystems(const std::vector<std::filesystem::path>& targets) {
#if defined(__linux__)
    std::set<std::filesystem::path> folders;
    for (const auto& t : targets)
        folders.insert(FolderOf(t));
    std::set<dev_t> done;
    for (const auto& folder : folders) {
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (fstat(fd, &st) == 0 && done.insert(st.st_dev).second) syncfs(fd);
        close(fd);
    }
#else
    (void)targets;
#endif
}

} // namespace

ReplacingBatch::ReplacingBatch(std::size_t maxFiles, std::uint64_t maxBytes)
    : maxFiles_(maxFiles == 0 ? 1 : maxFiles), maxBytes_(maxBytes) {}

ReplacingBatch::~ReplacingBatch() {
    flush();
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
    std::vector<std::filesystem::path> targets;
    for (const Entry& e : entries)
        if (e.file->ok()) targets.push_back(e.file->target());
    if (targets.size() > 1) SyncFileSystems(targets);
    for (Entry& e : entries) {
        const bool ok = e.file->commit();
        const std::string error = e.file->error();
        e.file.reset();
        if (e.done) e.done(ok ? std::string() : error.empty() ? "cannot replace the file" : error);
    }
}

} // namespace ovb
