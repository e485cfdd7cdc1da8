#pragma once
// Writes a file under a temporary name in the target's folder and puts it in place by a rename
// only when everything was written: a failure, a full disk or a kill never leaves a half-written
// file where a good one was.
//
// A killed run leaves its temporary file behind (".NAME.ovbtmp-PID-N"). The first replacement a
// later run makes in that folder removes such files whose writing process no longer exists; a
// file another running process is writing is left alone, and so is one that a commit record
// (FileCommit.h) names.
#include "job/FileStore.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace ovb {

class ReplacingFile final : public NewFile {
  public:
    explicit ReplacingFile(std::filesystem::path target);
    ~ReplacingFile(); // discards the temporary file unless committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool ok() const override { return (file_ != nullptr || fd_ >= 0) && !failed_; }
    bool write(const void* data, std::size_t count) override;
    // Appends count bytes of `from`, starting at its byte `offset`. The kernel copies them from
    // a file where it can, without passing them through this process.
    bool copyFrom(const ByteSource& from, std::uint64_t offset, std::uint64_t count) override;
    std::uint64_t size() const override { return written_; }
    // Ends the writing: the data go to the system and the disk starts writing them, without
    // waiting. Nothing can be written afterwards. False when anything failed.
    bool finish();
    // Finishes and waits until the data are on the disk under the temporary name.
    bool sync() override;
    // Syncs, then renames over the target. False when anything failed; the target is then
    // untouched.
    bool commit() override;
    void keep() override;
    void discard() override;
    // Kept as an extended attribute where the file system has them; ignored elsewhere.
    void setStamp(const std::string& stamp) override;

    const std::filesystem::path& target() const override { return target_; }
    const std::filesystem::path& temporary() const override { return temp_; }
    // The reason of the first failure, for reports.
    const std::string& error() const override { return error_; }

  private:
    void fail(const char* what);
    bool writable() const { return file_ != nullptr && !failed_; }

    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    int fd_ = -1; // once finished
    std::uint64_t written_ = 0;
    bool failed_ = false;
    std::string error_;
};

// Whether a file name is a temporary file of ours whose writer has ended.
bool IsStaleTemporary(const std::string& name);
// Removes the stale temporary files of one folder that no commit record names.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

} // namespace ovb
