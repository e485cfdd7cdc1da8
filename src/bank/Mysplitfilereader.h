#pragma once
// Reads one logical file over its volumes (the base file and up to 98 more). Several readers can
// exist at once. Failures are reported through the job services with the reader's own texts.
#include "bank/SplitVolumes.h"
#include "job/JobServices.h"

#include <array>
#include <cstdio>
#include <string>

namespace ovb {

class Mysplitfilereader {
  public:
    explicit Mysplitfilereader(JobServices& ui);
    ~Mysplitfilereader();
    Mysplitfilereader(const Mysplitfilereader&) = delete;
    Mysplitfilereader& operator=(const Mysplitfilereader&) = delete;

    // Opens the base file and, with split on, every existing volume 1..98 (missing ones count
    // as empty). True when the total size is not 0.
    bool Open(const std::filesystem::path& path, bool split,
              const char* pattern = kBankVolumePattern);
    void Close();

    std::uint64_t Size() const { return total_; }
    std::uint64_t Position() const { return position_; }
    std::uint64_t VolumeSize(unsigned k) const { return k < kMaxVolumes ? size_[k] : 0; }

    // Fails (with "Go to Position outside all files in MySplitFileReader_GoToPosition!") at or
    // beyond the total size; the position is then unchanged.
    bool GoToPosition(std::uint64_t p);
    // Reads count bytes, continuing into the next volumes where the data spans them. A read may
    // end exactly at the total size. False (with "Error 1 in MySplitFileReader!") when fewer
    // bytes than count could be read.
    bool Read(void* buffer, std::size_t count);
    // Moves forward by count bytes; a skip may end exactly at the total size.
    bool Skip(std::uint64_t count);

  private:
    JobServices& ui_;
    std::array<std::FILE*, kMaxVolumes> file_{};
    std::array<std::uint64_t, kMaxVolumes> size_{};
    std::uint64_t total_ = 0;
    std::uint64_t position_ = 0;
    std::uint64_t offset_ = 0; // within the current volume
    unsigned current_ = 0;
};

} // namespace ovb
