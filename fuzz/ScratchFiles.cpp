#include "ScratchFiles.h"

#include "bank/SplitVolumes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace ovb::fuzz {

namespace {

// A harness that cannot write its files finds nothing: stop loudly instead.
[[noreturn]] void Die(const std::filesystem::path& path, const char* what) {
    std::perror((std::string(what) + " " + path.string()).c_str());
    std::_Exit(2);
}

void WriteVolume(const std::filesystem::path& path, const SparseImage& image, std::uint64_t begin,
                 std::uint64_t length) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) Die(path, "open");
    if (::ftruncate(fd, off_t(length)) != 0) Die(path, "ftruncate");
    const std::uint64_t end = begin + length;
    for (const Piece& p : image.pieces) {
        std::uint64_t from = std::max(begin, p.offset);
        std::uint64_t to = std::min(end, p.offset + p.bytes.size());
        if (from >= to) continue;
        const auto* bytes = p.bytes.data() + (from - p.offset);
        if (::pwrite(fd, bytes, to - from, off_t(from - begin)) != ssize_t(to - from))
            Die(path, "pwrite");
    }
    ::close(fd);
}

} // namespace

ScratchFiles::ScratchFiles(const std::string& fileName) {
    std::error_code ec;
    std::filesystem::path root = "/dev/shm";
    if (!std::filesystem::is_directory(root, ec)) root = std::filesystem::temp_directory_path();
    folder_ = root / ("ovb-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_, ec);
    if (ec) Die(folder_, "create");
    base_ = folder_ / fileName;
}

ScratchFiles::~ScratchFiles() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

std::filesystem::path ScratchFiles::volume(unsigned k) const {
    return k == 0 ? base_ : VolumePath(base_, k);
}

unsigned ScratchFiles::Write(const SparseImage& image, std::uint64_t volumeSize) {
    const std::uint64_t count64 =
        std::max<std::uint64_t>(1, (image.size + volumeSize - 1) / volumeSize);
    const unsigned count = unsigned(std::min<std::uint64_t>(count64, kMaxVolumes));
    for (unsigned k = 0; k < count; ++k) {
        const std::uint64_t begin = k * volumeSize;
        const std::uint64_t length =
            k + 1 == count ? image.size - begin : std::min(volumeSize, image.size - begin);
        WriteVolume(volume(k), image, begin, length);
    }
    for (unsigned k = count; k < highest_; ++k)
        Remove(k);
    highest_ = count;
    return count;
}

void ScratchFiles::Remove(unsigned k) {
    ::unlink(volume(k).c_str());
}

void ScratchFiles::AddVolume(unsigned k, std::uint64_t size) {
    WriteVolume(volume(k), SparseImage{}, 0, size);
    highest_ = std::max(highest_, k + 1);
}

} // namespace ovb::fuzz
