#include "bank/Mysplitfilewriter.h"

#include <algorithm>
#include <system_error>

namespace ovb {

Mysplitfilewriter::Mysplitfilewriter(std::uint64_t volumeSize)
    : volumeSize_(volumeSize != 0 ? volumeSize : kVolumeSize) {}

Mysplitfilewriter::~Mysplitfilewriter() {
    Discard();
}

bool Mysplitfilewriter::Open(const std::filesystem::path& path, bool split) {
    Discard();
    error_.clear();
    base_ = path;
    split_ = split;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        failed_ = true;
        error_ = "cannot create " + path.string() + ": it is a folder";
        return false;
    }
    return startVolume();
}

bool Mysplitfilewriter::startVolume() {
    unsigned k = unsigned(volumes_.size());
    if (k >= kMaxVolumes) {
        failed_ = true;
        error_ = "cannot write " + base_.string() + ": it needs more than " +
                 std::to_string(kMaxVolumes) + " volumes";
        return false;
    }
    auto volume = std::make_unique<ReplacingFile>(k == 0 ? base_ : VolumePath(base_, k));
    if (!volume->ok()) {
        failed_ = true;
        error_ = volume->error() + " (" + volume->target().string() + ")";
        return false;
    }
    volumes_.push_back(std::move(volume));
    inVolume_ = 0;
    return true;
}

bool Mysplitfilewriter::Write(const void* buffer, std::size_t count) {
    if (failed_ || volumes_.empty()) return false;
    const auto* bytes = static_cast<const char*>(buffer);
    while (count != 0) {
        // The next volume is started only when a byte needs it: a file of exactly one volume
        // size has no volume 1.
        if (split_ && inVolume_ == volumeSize_ && !startVolume()) return false;
        std::size_t piece = count;
        if (split_) piece = std::size_t(std::min<std::uint64_t>(count, volumeSize_ - inVolume_));
        ReplacingFile& volume = *volumes_.back();
        if (!volume.write(bytes, piece)) {
            failed_ = true;
            error_ = volume.error() + " (" + volume.target().string() + ")";
            return false;
        }
        bytes += piece;
        count -= piece;
        inVolume_ += piece;
        total_ += piece;
    }
    return true;
}

bool Mysplitfilewriter::CopyFrom(std::FILE* from, std::uint64_t offset, std::uint64_t count) {
    if (failed_ || volumes_.empty()) return false;
    while (count != 0) {
        if (split_ && inVolume_ == volumeSize_ && !startVolume()) return false;
        std::uint64_t piece = split_ ? std::min(count, volumeSize_ - inVolume_) : count;
        ReplacingFile& volume = *volumes_.back();
        if (!volume.copyFrom(from, offset, piece)) {
            failed_ = true;
            error_ = volume.error() + " (" + volume.target().string() + ")";
            return false;
        }
        offset += piece;
        count -= piece;
        inVolume_ += piece;
        total_ += piece;
    }
    return true;
}

bool Mysplitfilewriter::WriteTextList(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return Write(text.data(), text.size());
}

bool Mysplitfilewriter::Commit(bool removeStaleVolumes) {
    if (failed_ || volumes_.empty()) {
        if (!failed_) error_ = "nothing to commit";
        Discard();
        return false;
    }
    // The base file goes last: until it is replaced, the user's file name still shows the old
    // bank, and a failure in any volume leaves it alone.
    std::size_t n = volumes_.size();
    for (std::size_t i = 1; i <= n; ++i) {
        ReplacingFile& volume = *volumes_[i % n];
        if (!volume.commit()) {
            error_ = volume.error() + " (" + volume.target().string() + ")";
            Discard();
            return false;
        }
    }
    unsigned written = unsigned(n);
    volumes_.clear();
    if (!removeStaleVolumes) return true;
    bool removed = true;
    for (unsigned k = written; k < kMaxVolumes; ++k) {
        std::error_code ec;
        std::filesystem::path stale = VolumePath(base_, k);
        std::filesystem::remove(stale, ec);
        if (ec && removed) {
            error_ =
                "written, but cannot remove the old volume " + stale.string() + ": " + ec.message();
            removed = false;
        }
    }
    return removed;
}

void Mysplitfilewriter::Discard() {
    volumes_.clear(); // every ReplacingFile removes its temporary file
    inVolume_ = 0;
    total_ = 0;
    failed_ = false;
}

} // namespace ovb
