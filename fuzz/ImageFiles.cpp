#include "ImageFiles.h"

#include "bank/SplitVolumes.h"

#include <algorithm>

namespace ovb::fuzz {

namespace {

// Bytes [begin, begin + size) of an image.
class ImageSlice final : public ByteSource {
  public:
    ImageSlice(std::shared_ptr<const SparseImage> image, std::uint64_t begin, std::uint64_t size)
        : image_(std::move(image)), begin_(begin), size_(size) {}
    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, void* data, std::size_t count) const override {
        if (count > size_ || offset > size_ - count) return false;
        image_->Copy(begin_ + offset, {static_cast<std::uint8_t*>(data), count});
        return true;
    }

  private:
    std::shared_ptr<const SparseImage> image_;
    std::uint64_t begin_, size_;
};

} // namespace

std::filesystem::path ImageFiles::volume(unsigned k) const {
    return k == 0 ? base_ : VolumePath(base_, k);
}

unsigned ImageFiles::Show(std::shared_ptr<const SparseImage> image, std::uint64_t volumeSize) {
    store_ = std::make_unique<MemoryStore>();
    const std::uint64_t count64 =
        std::max<std::uint64_t>(1, (image->size + volumeSize - 1) / volumeSize);
    const unsigned count = unsigned(std::min<std::uint64_t>(count64, kMaxVolumes));
    for (unsigned k = 0; k < count; ++k) {
        const std::uint64_t begin = k * volumeSize;
        const std::uint64_t length =
            k + 1 == count ? image->size - begin : std::min(volumeSize, image->size - begin);
        store_->put(volume(k), std::make_shared<ImageSlice>(image, begin, length));
    }
    return count;
}

void ImageFiles::Remove(unsigned k) {
    std::string ignored;
    store_->remove(volume(k), ignored);
}

void ImageFiles::AddVolume(unsigned k, std::uint64_t size) {
    store_->put(volume(k), std::vector<std::uint8_t>(size));
}

} // namespace ovb::fuzz
