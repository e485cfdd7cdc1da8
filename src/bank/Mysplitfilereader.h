#pragma once
// Reads one logical file over its volumes (the base file and up to 98 more) from a file store.
// Several readers can exist at once. Failures are reported through the job services with the
// reader's own texts.
#include "bank/SplitVolumes.h"
#include "job/FileStore.h"
#include "job/JobServices.h"

#include <array>
#include <memory>
#include <string>

namespace ovb {

class Mysplitfilereader {
  public:
    explicit Mysplitfilereader(JobServices& ui, FileStore& files = DiskFiles());

    // Opens the base file and, with split on, every existing volume 1..98 (missing ones count
    // as empty). A save of the file that a killed writer left unfinished is finished first, and
    // no commit of a writer runs while the volumes are opened. True when the total size is not 0.
    bool Open(const std::filesystem::path& path, bool split,
              const char* pattern = kBankVolumePattern);
    void Close();

    std::uint64_t Size() const { return total_; }
    std::uint64_t Position() const { return position_; }
    // Volume k as it was found at Open: present (a file, even an empty one), its size, its stamp.
    bool HasVolume(unsigned k) const { return k < kMaxVolumes && file_[k] != nullptr; }
    std::uint64_t VolumeSize(unsigned k) const { return k < kMaxVolumes ? size_[k] : 0; }
    std::string VolumeStamp(unsigned k) const { return HasVolume(k) ? file_[k]->stamp() : ""; }
    // Why the last Open failed: the base file's problem, or an unfinished save (openError).
    FileProblem BaseProblem() const { return problem_[0]; }
    // Why volume k was not opened; a volume beyond the last possible one is missing.
    FileProblem VolumeProblem(unsigned k) const {
        return k < kMaxVolumes ? problem_[k] : FileProblem::Missing;
    }
    const std::string& OpenError() const { return openError_; }

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
    FileStore& files_;
    std::array<std::unique_ptr<ByteSource>, kMaxVolumes> file_;
    std::array<std::uint64_t, kMaxVolumes> size_{};
    std::uint64_t total_ = 0;
    std::uint64_t position_ = 0;
    std::array<FileProblem, kMaxVolumes> problem_{};
    std::string openError_;
};

} // namespace ovb
