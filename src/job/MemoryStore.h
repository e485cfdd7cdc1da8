#pragma once
// Files in memory, for tests and fuzzers: banks of 160 MiB and more are written and read without
// touching the disk. Copying a store copies its names; the bytes are shared until one side
// changes a file. Locks are taken without waiting: a conflict fails at once, as in one thread
// nobody else could release it.
#include "job/FileStore.h"

#include <functional>
#include <map>
#include <set>
#include <vector>

namespace ovb {

class MemoryStore : public FileStore {
  public:
    MemoryStore() = default;
    MemoryStore(const MemoryStore& other) : files_(other.files_) {}
    MemoryStore& operator=(const MemoryStore&) = delete;

    std::unique_ptr<ByteSource> open(const std::filesystem::path& path,
                                     FileProblem* problem = nullptr) override;
    bool exists(const std::filesystem::path& path) override;
    std::unique_ptr<NewFile> create(const std::filesystem::path& target) override;
    bool rename(const std::filesystem::path& from, const std::filesystem::path& to,
                std::string& error) override;
    bool remove(const std::filesystem::path& path, std::string& error) override;
    bool syncFolder(const std::filesystem::path&) override { return !frozen_; }
    void removeDeadTemporaries(const std::filesystem::path& folder) override;
    std::unique_ptr<FileLock> lock(const std::filesystem::path& target, LockPart part,
                                   LockMode mode, std::string& error) override;
    void reached(CommitStep step) override {
        if (onStep) onStep(step);
    }

    // Any bytes under a name; a source is shared, not copied.
    void put(const std::filesystem::path& path, std::vector<std::uint8_t> bytes);
    void put(const std::filesystem::path& path, std::shared_ptr<const ByteSource> source);
    // The whole file, or a range cut at its end; empty when there is no such file.
    std::vector<std::uint8_t> bytes(const std::filesystem::path& path) const;
    std::vector<std::uint8_t> bytes(const std::filesystem::path& path, std::uint64_t offset,
                                    std::size_t size) const;
    std::uint64_t size(const std::filesystem::path& path) const;
    // Damage for tests: bytes overwritten at an offset, or the file cut or grown with zeros.
    void patch(const std::filesystem::path& path, std::uint64_t offset,
               const std::vector<std::uint8_t>& bytes);
    void resize(const std::filesystem::path& path, std::uint64_t size);
    void setStamp(const std::filesystem::path& path, std::string stamp);
    // The names held, in order.
    std::vector<std::filesystem::path> names() const;

    // What a kill does to a writer: from now on nothing changes, whatever the writer still
    // tries (it sees every change fail). thaw() lets the next program in.
    void freeze() { frozen_ = true; }
    void thaw() { frozen_ = false; }
    std::function<void(CommitStep)> onStep;

  private:
    friend class MemoryNewFile;
    friend class MemoryLock;
    struct Entry {
        std::shared_ptr<const ByteSource> source;
        std::string stamp;
    };
    struct Locks {
        bool writer = false;
        int commitShared = 0;
        bool commitAlone = false;
    };

    std::map<std::filesystem::path, Entry> files_;
    std::set<std::filesystem::path> writing_; // temporary names of live NewFile objects
    std::map<std::filesystem::path, Locks> locks_;
    unsigned counter_ = 0;
    bool frozen_ = false;
};

} // namespace ovb
