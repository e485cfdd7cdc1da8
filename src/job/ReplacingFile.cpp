#include "job/ReplacingFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <unistd.h>

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
