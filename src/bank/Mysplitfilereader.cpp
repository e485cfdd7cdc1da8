#include "bank/Mysplitfilereader.h"

#include <algorithm>
#include <sys/stat.h>

namespace ovb {

// Volumes reach 4 GiB and the logical file far more: every seek must take 64-bit offsets.
static_assert(sizeof(off_t) >= 8, "build with 64-bit file offsets");

namespace {
constexpr const char* kCaption = "Error";
constexpr const char* kOutside =
    "Go to Position outside all files in MySplitFileReader_GoToPosition!";
constexpr const char* kInvalid = "Invalid Position in MySplitFileReader_GoToPosition!";
constexpr const char* kShortRead = "Error 1 in MySplitFileReader!";

// Opens one volume read-only; a missing, empty or non-regular file counts as absent.
std::FILE* OpenVolume(const std::filesystem::path& path, std::uint64_t& size) {
    size = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return nullptr;
    struct stat st {};
    if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
        std::fclose(f);
        return nullptr;
    }
    size = std::uint64_t(st.st_size);
    return f;
}
} // namespace

Mysplitfilereader::Mysplitfilereader(JobServices& ui) : ui_(ui) {}

Mysplitfilereader::~Mysplitfilereader() {
    Close();
}

bool Mysplitfilereader::Open(const std::filesystem::path& path, bool split, const char* pattern) {
    Close();
    unsigned count = split ? kMaxVolumes : 1;
    for (unsigned k = 0; k < count; ++k) {
        file_[k] = OpenVolume(k == 0 ? path : VolumePath(path, k, pattern), size_[k]);
        total_ += size_[k];
    }
    if (total_ == 0) return false;
    // The base file may be absent while later volumes exist: start at the first byte there is.
    return GoToPosition(0);
}

void Mysplitfilereader::Close() {
    for (std::FILE*& f : file_) {
        if (f) std::fclose(f);
        f = nullptr;
    }
    size_.fill(0);
    total_ = position_ = offset_ = 0;
    current_ = 0;
}

bool Mysplitfilereader::GoToPosition(std::uint64_t p) {
    if (p >= total_) {
        ui_.message(kCaption, kOutside);
        return false;
    }
    // Empty (missing) volumes are passed over, and a position at the end of a volume is the
    // first byte of the next one.
    unsigned k = 0;
    std::uint64_t offset = p;
    while (k < kMaxVolumes && offset >= size_[k])
        offset -= size_[k++];
    if (k >= kMaxVolumes || fseeko(file_[k], off_t(offset), SEEK_SET) != 0) {
        ui_.message(kCaption, kInvalid);
        return false;
    }
    current_ = k;
    offset_ = offset;
    position_ = p;
    return true;
}

bool Mysplitfilereader::Read(void* buffer, std::size_t count) {
    if (count > total_ - position_) {
        ui_.message(kCaption, kShortRead);
        return false;
    }
    auto* bytes = static_cast<char*>(buffer);
    while (count != 0) {
        // One fread per volume piece; the stream already stands at offset_.
        std::size_t piece = std::size_t(std::min<std::uint64_t>(count, size_[current_] - offset_));
        std::size_t got = std::fread(bytes, 1, piece, file_[current_]);
        offset_ += got;
        position_ += got;
        if (got != piece || piece == 0) {
            // The volume shrank after Open or the disk failed; never loop without progress.
            ui_.message(kCaption, kShortRead);
            return false;
        }
        bytes += piece;
        count -= piece;
        if (offset_ == size_[current_] && position_ < total_ && !GoToPosition(position_))
            return false;
    }
    return true;
}

bool Mysplitfilereader::Skip(std::uint64_t count) {
    if (count > total_ - position_) {
        ui_.message(kCaption, kShortRead);
        return false;
    }
    if (count == 0) return true;
    if (position_ + count < total_) return GoToPosition(position_ + count);
    // Skipping to the very end: nothing is left to seek to, so only the counters move.
    unsigned k = kMaxVolumes - 1;
    while (k > 0 && size_[k] == 0)
        --k;
    current_ = k;
    offset_ = size_[k];
    position_ = total_;
    return true;
}

} // namespace ovb
