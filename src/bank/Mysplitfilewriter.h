#pragma once
// Writes one logical file across volumes. Every volume is written under a temporary name in the
// destination folder; Commit renames them into place only when all were written, so a failure
// or a kill leaves the previous file and its volumes untouched.
#include "bank/SplitVolumes.h"
#include "job/ReplacingFile.h"

#include <memory>
#include <string>
#include <vector>

namespace ovb {

class Mysplitfilewriter {
  public:
    // volumeSize is the module's limit; tests pass small sizes to exercise the splitting.
    explicit Mysplitfilewriter(std::uint64_t volumeSize = kVolumeSize);
    ~Mysplitfilewriter(); // discards what was not committed

    // Starts a new file (discarding anything uncommitted). False when it cannot be created.
    bool Open(const std::filesystem::path& path, bool split);
    // With splitting on, a write that does not fit the current volume fills it and goes on in
    // the next one. False once anything failed.
    bool Write(const void* buffer, std::size_t count);
    // Appends count bytes of the open file `from` starting at its byte `offset`, split over the
    // volumes like Write.
    bool CopyFrom(std::FILE* from, std::uint64_t offset, std::uint64_t count);
    // Each string followed by CR LF.
    bool WriteTextList(const std::vector<std::string>& lines);

    // Puts every volume in place. With removeStaleVolumes, volumes of an older, longer file of
    // the same name (numbers above the last one written) are deleted afterwards, so a reader
    // never mixes two files. Scripts share the volume names with banks and never remove them.
    bool Commit(bool removeStaleVolumes);
    void Discard();

    std::uint64_t Position() const { return total_; }
    unsigned VolumeCount() const { return unsigned(volumes_.size()); }
    const std::string& error() const { return error_; }

  private:
    bool startVolume();

    std::uint64_t volumeSize_;
    std::filesystem::path base_;
    bool split_ = false;
    std::vector<std::unique_ptr<ReplacingFile>> volumes_;
    std::uint64_t inVolume_ = 0; // bytes in the current volume
    std::uint64_t total_ = 0;
    bool failed_ = false;
    std::string error_;
};

} // namespace ovb
