#pragma once
// Writes one logical file across volumes into a file store. One writer per file at a time: Open
// takes the file's lock and refuses while another writer holds it. Every volume is written under
// a temporary name; Commit puts them all in place as one (job/FileCommit.h), so a failure or a
// kill leaves either the previous file with all its volumes or the new one with all of its.
#include "bank/SplitVolumes.h"
#include "job/FileStore.h"

#include <memory>
#include <string>
#include <vector>

namespace ovb {

class Mysplitfilewriter {
  public:
    // volumeSize is the module's limit; tests pass small sizes to exercise the splitting.
    explicit Mysplitfilewriter(std::uint64_t volumeSize = kVolumeSize,
                               FileStore& files = DiskFiles());
    ~Mysplitfilewriter(); // discards what was not committed

    // Starts a new file (discarding anything uncommitted). False when it cannot be created or
    // another writer is writing it now.
    bool Open(const std::filesystem::path& path, bool split);
    // With splitting on, a write that does not fit the current volume fills it and goes on in
    // the next one. False once anything failed.
    bool Write(const void* buffer, std::size_t count);
    // Appends count bytes of `from` starting at its byte `offset`, split over the volumes like
    // Write.
    bool CopyFrom(const ByteSource& from, std::uint64_t offset, std::uint64_t count);

    // Puts every volume in place. With removeStaleVolumes, volumes of an older, longer file of
    // the same name (numbers above the last one written) go in the same commit, so a reader
    // never mixes two files. Scripts share the volume names with banks and never remove them.
    bool Commit(bool removeStaleVolumes);
    void Discard();

    std::uint64_t Position() const { return total_; }
    unsigned VolumeCount() const { return unsigned(volumes_.size()); }
    const std::string& error() const { return error_; }

  private:
    bool startVolume();
    bool fail(const NewFile& volume);
    template <class Put> bool Append(std::uint64_t count, Put put);

    std::uint64_t volumeSize_;
    FileStore& files_;
    std::filesystem::path base_;
    bool split_ = false;
    std::unique_ptr<FileLock> lock_;
    std::vector<std::unique_ptr<NewFile>> volumes_;
    std::uint64_t inVolume_ = 0; // bytes in the current volume
    std::uint64_t total_ = 0;
    bool failed_ = false;
    std::string error_;
};

} // namespace ovb
