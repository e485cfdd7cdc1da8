#pragma once
// The rebuilt file of one input, written where the loaders can open it: a private folder in
// /dev/shm (memory, so no disk wear), rewritten for every input. Files are sized with ftruncate
// and only the segments are written, so the zero areas take no memory.
#include "SparseImage.h"

#include <filesystem>
#include <string>

namespace ovb::fuzz {

class ScratchFiles {
  public:
    explicit ScratchFiles(const std::string& fileName);
    ~ScratchFiles();
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;

    const std::filesystem::path& base() const { return base_; }

    // Writes the image as volumes of volumeSize bytes (the first under base(), the next under
    // the bank volume names) and removes the volumes an earlier input left beyond them.
    // Returns the number of volumes.
    unsigned Write(const SparseImage& image, std::uint64_t volumeSize);
    // Damage for the size checks: drop volume k, or add one of `size` bytes at k.
    void Remove(unsigned k);
    void AddVolume(unsigned k, std::uint64_t size);

  private:
    std::filesystem::path volume(unsigned k) const;

    std::filesystem::path folder_, base_;
    unsigned highest_ = 0; // volumes 0..highest_-1 may exist
};

} // namespace ovb::fuzz
