#include "job/ReplacingFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace ovb {

namespace {
std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about "." + string&&.
    std::string name = ".";
    name += target.filename().string();
    name += ".ovbtmp-";
    name += std::to_string(getpid());
    name += '-';
    name += std::to_string(counter++);
    return target.parent_path() / name;
}

} // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target)
    : target_(std::move(target)), temp_(TemporaryBeside(target_)) {
    file_ = std::fopen(temp_.c_str(), "wb");
    if (!file_) {
        fail("cannot create");
        return;
    }
    // Large writes go straight through; small record writes are gathered.
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
}

ReplacingFile::~ReplacingFile() {
    discard();
}

void ReplacingFile::fail(const char* what) {
    if (!failed_) error_ = std::string(what) + ": " + std::strerror(errno);
    failed_ = true;
}

bool ReplacingFile::write(const void* data, std::size_t count) {
    if (!ok()) return false;
    if (count != 0 && std::fwrite(data, 1, count, file_) != count) {
        fail("cannot write");
        return false;
    }
    written_ += count;
    return true;
}

namespace {

// False when the kernel cannot copy between these files; the caller then copies by hand.
bool KernelCopy(int in, std::uint64_t& offset, int out, std::uint64_t& count) {
#if defined(__linux__)
    while (count > 0) {
        auto off = off_t(offset);
        std::size_t chunk = std::size_t(std::min<std::uint64_t>(count, 1u << 30));
        ssize_t n = copy_file_range(in, &off, out, nullptr, chunk, 0);
        if (n <= 0) return false;
        offset += std::uint64_t(n);
        count -= std::uint64_t(n);
    }
    return true;
#else
    (void)in, (void)offset, (void)out;
    return count == 0;
#endif
}

} // namespace

bool ReplacingFile::copyFrom(std::FILE* from, std::uint64_t offset, std::uint64_t count) {
    if (!ok()) return false;
    if (std::fflush(file_) != 0) {
        fail("cannot write");
        return false;
    }
    const std::uint64_t before = count;
    KernelCopy(fileno(from), offset, fileno(file_), count);
    written_ += before - count;
    // The stream's idea of its position must follow what the kernel appended.
    if (fseeko(file_, 0, SEEK_END) != 0) {
        fail("cannot write");
        return false;
    }
    // What the kernel did not copy goes through a buffer.
    if (count == 0) return true;
    if (fseeko(from, off_t(offset), SEEK_SET) != 0) {
        fail("cannot read the source");
        return false;
    }
    std::vector<char> buffer(std::size_t(std::min<std::uint64_t>(count, 1u << 20)));
    while (count > 0) {
        std::size_t n = std::size_t(std::min<std::uint64_t>(count, buffer.size()));
        errno = 0;
        if (std::fread(buffer.data(), 1, n, from) != n) {
            if (errno == 0) errno = EIO;
            fail("cannot read the source");
            return false;
        }
        if (!write(buffer.data(), n)) return false;
        count -= n;
    }
    return true;
}

bool ReplacingFile::commit() {
    if (!ok()) {
        discard();
        return false;
    }
    if (std::fflush(file_) != 0)
        fail("cannot write");
    else if (fsync(fileno(file_)) != 0)
        fail("cannot write");
    if (std::fclose(file_) != 0) fail("cannot close");
    file_ = nullptr;
    if (!failed_) {
        std::error_code ec;
        std::filesystem::rename(temp_, target_, ec);
        if (ec) {
            errno = ec.value();
            fail("cannot rename");
        }
    }
    if (failed_) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        return false;
    }
    temp_.clear();
    return true;
}

void ReplacingFile::discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temp_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        temp_.clear();
    }
}

} // namespace ovb
