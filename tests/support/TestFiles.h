#pragma once
// Files for tests: a private temporary folder, WAV files and whole-file reads.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ovb::test {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// A WAV file in the module's format whose audio bytes are a counting pattern starting at seed,
// so that misplaced audio is seen.
std::vector<std::uint8_t> PatternBytes(std::size_t size, std::uint8_t seed);
void WriteWav(const std::filesystem::path& path, bool stereo, std::size_t dataBytes,
              std::uint8_t seed = 1);

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path);
// A whole file as text (empty when it cannot be read).
std::string FileText(const std::filesystem::path& path);
void WriteAll(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
// Overwrites bytes at an offset of an existing file.
void Patch(const std::filesystem::path& path, std::uint64_t offset,
           const std::vector<std::uint8_t>& bytes);

} // namespace ovb::test

namespace ovb::test {
std::vector<std::uint8_t> ReadRange(const std::filesystem::path& path, std::uint64_t offset,
                                    std::size_t size);
}

namespace ovb {
class as_bank;
}

namespace ovb::test {
// Everything a file stores of a bank is equal: the records outside reserved block A, and all
// sample paths.
void ExpectSameBank(const as_bank& a, const as_bank& b);
// The bank is as a reset leaves it (records before block A, paths, loaded-file caption).
void ExpectResetBank(const as_bank& bank);
} // namespace ovb::test
