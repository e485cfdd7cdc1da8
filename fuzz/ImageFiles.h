#pragma once
// The rebuilt file of one input, where the loaders open it: a memory store whose volumes are
// views of the compact image, so the zero areas of a 200 MB bank take neither memory nor time.
#include "SparseImage.h"

#include "job/MemoryStore.h"

#include <filesystem>
#include <memory>
#include <string>

namespace ovb::fuzz {

class ImageFiles {
  public:
    explicit ImageFiles(const std::string& fileName) : base_("/fuzz/" + fileName) {}

    const std::filesystem::path& base() const { return base_; }
    MemoryStore& store() { return *store_; }

    // Shows the image as volumes of volumeSize bytes (the first under base(), the next under
    // the bank volume names), replacing an earlier input's. Returns the number of volumes.
    unsigned Show(std::shared_ptr<const SparseImage> image, std::uint64_t volumeSize);
    // Damage for the size checks: drop volume k, or add one of `size` zero bytes at k.
    void Remove(unsigned k);
    void AddVolume(unsigned k, std::uint64_t size);

  private:
    std::filesystem::path volume(unsigned k) const;

    std::filesystem::path base_;
    std::unique_ptr<MemoryStore> store_ = std::make_unique<MemoryStore>();
};

} // namespace ovb::fuzz
