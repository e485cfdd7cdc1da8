#include "job/ByteStream.h"

#include <algorithm>
#include <cstring>
#include <sys/xattr.h>

namespace ovb {

bool ByteSink::copyFrom(const ByteSource& from, std::uint64_t offset, std::uint64_t count) {
    std::vector<char> buffer(std::size_t(std::min<std::uint64_t>(count, 1u << 20)));
    while (count > 0) {
        const std::size_t n = std::size_t(std::min<std::uint64_t>(count, buffer.size()));
        if (!from.readAt(offset, buffer.data(), n) || !write(buffer.data(), n)) return false;
        offset += n;
        count -= n;
    }
    return true;
}

std::unique_ptr<FileSource> FileSource::Open(const std::filesystem::path& path,
                                             FileProblem* problem) {
    OpenFile file = OpenFile::ForReading(path, problem);
    if (!file) return nullptr;
    return std::make_unique<FileSource>(std::move(file));
}

bool FileSource::readAt(std::uint64_t offset, void* data, std::size_t count) const {
    return count <= size_ && offset <= size_ - count && file_.readAt(offset, data, count);
}

std::string FileSource::stamp() const {
    char value[64];
    const ssize_t n = ::fgetxattr(file_.fd(), kStampAttribute, value, sizeof value);
    return n > 0 ? std::string(value, std::size_t(n)) : std::string();
}

bool MemorySource::readAt(std::uint64_t offset, void* data, std::size_t count) const {
    if (count > bytes_->size() || offset > bytes_->size() - count) return false;
    if (count != 0) std::memcpy(data, bytes_->data() + offset, count);
    return true;
}

} // namespace ovb
