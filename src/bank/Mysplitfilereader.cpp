#include "bank/Mysplitfilereader.h"

#include "job/FileCommit.h"

#include <algorithm>

namespace ovb {

namespace {
constexpr const char* kCaption = "Error";
constexpr const char* kOutside =
    "Go to Position outside all files in MySplitFileReader_GoToPosition!";
constexpr const char* kShortRead = "Error 1 in MySplitFileReader!";
} // namespace

Mysplitfilereader::Mysplitfilereader(JobServices& ui, FileStore& files) : ui_(ui), files_(files) {}

bool Mysplitfilereader::Open(const std::filesystem::path& named, bool split, const char* pattern) {
    Close();
    const std::filesystem::path path = files_.realName(named);
    std::unique_ptr<FileLock> reading = BeginReading(files_, path, openError_);
    if (!openError_.empty()) return false;
    const unsigned count = split ? kMaxVolumes : 1;
    for (unsigned k = 0; k < count; ++k) {
        file_[k] = files_.open(k == 0 ? path : VolumePath(path, k, pattern), &problem_[k]);
        size_[k] = file_[k] ? file_[k]->size() : 0;
        total_ += size_[k];
    }
    return total_ != 0;
}

void Mysplitfilereader::Close() {
    for (auto& f : file_)
        f.reset();
    size_.fill(0);
    total_ = position_ = 0;
    problem_.fill(FileProblem::None);
    openError_.clear();
}

bool Mysplitfilereader::GoToPosition(std::uint64_t p) {
    if (p >= total_) {
        ui_.message(kCaption, kOutside);
        return false;
    }
    position_ = p;
    return true;
}

bool Mysplitfilereader::Read(void* buffer, std::size_t count) {
    if (count > total_ - position_) {
        ui_.message(kCaption, kShortRead);
        return false;
    }
    // Empty (missing) volumes are passed over: the position counts only bytes that exist.
    unsigned k = 0;
    std::uint64_t offset = position_;
    while (k < kMaxVolumes && offset >= size_[k])
        offset -= size_[k++];
    auto* bytes = static_cast<char*>(buffer);
    std::uint64_t position = position_;
    while (count != 0) {
        const std::size_t piece = std::size_t(std::min<std::uint64_t>(count, size_[k] - offset));
        if (!file_[k]->readAt(offset, bytes, piece)) {
            // The volume shrank after Open or the disk failed.
            ui_.message(kCaption, kShortRead);
            return false;
        }
        position += piece;
        bytes += piece;
        count -= piece;
        offset = 0;
        while (count != 0 && size_[++k] == 0) {
        }
    }
    position_ = position;
    return true;
}

bool Mysplitfilereader::Skip(std::uint64_t count) {
    if (count > total_ - position_) {
        ui_.message(kCaption, kShortRead);
        return false;
    }
    position_ += count;
    return true;
}

} // namespace ovb
