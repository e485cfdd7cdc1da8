#include "bank/Mysplitfilewriter.h"

#include "job/FileCommit.h"

#include <algorithm>

namespace ovb {

Mysplitfilewriter::Mysplitfilewriter(std::uint64_t volumeSize, FileStore& files)
    : volumeSize_(volumeSize != 0 ? volumeSize : kVolumeSize), files_(files) {}

Mysplitfilewriter::~Mysplitfilewriter() {
    Discard();
}

bool Mysplitfilewriter::Open(const std::filesystem::path& path, bool split) {
    Discard();
    error_.clear();
    base_ = files_.realName(path);
    split_ = split;
    lock_ = BeginWriting(files_, path, error_);
    if (!lock_) {
        failed_ = true;
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
    const std::filesystem::path target = k == 0 ? base_ : VolumePath(base_, k);
    // A folder or device under the name could never be replaced: refuse before writing.
    FileProblem problem = FileProblem::None;
    files_.open(target, &problem);
    if (problem == FileProblem::NotAFile) {
        failed_ = true;
        error_ = "cannot write " + target.string() + ": something other than a file has its name";
        return false;
    }
    auto volume = files_.create(target);
    if (!volume->ok()) return fail(*volume);
    volumes_.push_back(std::move(volume));
    inVolume_ = 0;
    return true;
}

bool Mysplitfilewriter::fail(const NewFile& volume) {
    failed_ = true;
    error_ = volume.error() + " (" + volume.target().string() + ")";
    return false;
}

// Cuts count bytes into pieces that fill the volumes; put(volume, done, piece) appends one.
template <class Put> bool Mysplitfilewriter::Append(std::uint64_t count, Put put) {
    if (failed_ || volumes_.empty()) return false;
    for (std::uint64_t done = 0; done < count;) {
        // The next volume is started only when a byte needs it: a file of exactly one volume
        // size has no volume 1.
        if (split_ && inVolume_ == volumeSize_ && !startVolume()) return false;
        std::uint64_t piece = count - done;
        if (split_) piece = std::min(piece, volumeSize_ - inVolume_);
        NewFile& volume = *volumes_.back();
        if (!put(volume, done, piece)) return fail(volume);
        done += piece;
        inVolume_ += piece;
        total_ += piece;
    }
    return true;
}

bool Mysplitfilewriter::Write(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    return Append(count, [bytes](NewFile& volume, std::uint64_t done, std::uint64_t piece) {
        return volume.write(bytes + done, std::size_t(piece));
    });
}

bool Mysplitfilewriter::CopyFrom(const ByteSource& from, std::uint64_t offset,
                                 std::uint64_t count) {
    return Append(count, [&from, offset](NewFile& volume, std::uint64_t done, std::uint64_t piece) {
        return volume.copyFrom(from, offset + done, piece);
    });
}

bool Mysplitfilewriter::Commit(bool removeStaleVolumes) {
    if (failed_ || volumes_.empty()) {
        if (!failed_) error_ = "nothing to commit";
        Discard();
        return false;
    }
    std::vector<std::filesystem::path> stale;
    for (unsigned k = unsigned(volumes_.size()); removeStaleVolumes && k < kMaxVolumes; ++k)
        if (files_.exists(VolumePath(base_, k))) stale.push_back(VolumePath(base_, k));
    const bool ok = CommitFiles(files_, base_, volumes_, stale, error_);
    volumes_.clear();
    Discard();
    return ok;
}

void Mysplitfilewriter::Discard() {
    volumes_.clear(); // every new file removes its temporary file
    lock_.reset();
    inVolume_ = 0;
    total_ = 0;
    failed_ = false;
}

} // namespace ovb
