#pragma once
// Writes a file under a temporary name in the target's folder and puts it in place only when
// everything was written: a failure, a full disk or a kill never leaves a half-written file where
// a good one was.
//
// A replaced file keeps its identity. Owner, group, mode and extended attributes go to the new
// file. A file its user may not write is refused ("can't open for writing") and left alone, and
// so is a file in a folder its user may not write: no temporary file can be made beside it, and
// writing over the file itself could leave it half-written.
//
// commit() puts one file in place, and keeps links: a symbolic link stays a link and the file it
// names is rewritten. The new file normally takes the old one's place by a rename. A file with
// several hard links, or one whose owner or attributes the new file cannot take (another user's
// file that is writable to us), must keep its inode: the complete new content is made durable
// beside it first, under a name that says which file it is for (".NAME.ovbcopy-PID-INODE"), and
// then copied into the file. A kill during that copy leaves the file half-new: the next
// replacement made in that folder, by any run, finishes the copy before anything else.
//
// A file made for a commit of several files (FileCommit.h) is renamed by that commit, by its
// name: it is written beside the name it was given, links or not.
//
// A killed run leaves its temporary file behind (".NAME.ovbtmp-PID-N"). The first replacement a
// later run makes in that folder removes such files whose writing process no longer exists; a
// file another running process is writing is left alone, and so is one that a commit record
// (FileCommit.h) names. A name too long to take these endings is shortened, with a hash of the
// whole name, in the temporary name only.
#include "job/FileIdentity.h"
#include "job/FileStore.h"
#include "job/TemporaryFiles.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace ovb {

class ReplacingFile final : public NewFile {
  public:
    enum class Links { Follow, Replace };
    explicit ReplacingFile(std::filesystem::path target, Links links = Links::Follow);
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
    // Finishes and gives the new file the old one's owner, mode and attributes, without waiting
    // for the disk. Done once; sync does it too.
    bool settle();
    // Settles, then waits until the data are on the disk under the temporary name.
    bool sync() override;
    // Told after settle() that its whole file system was flushed (syncfs): the data are on the
    // disk, so this only learns whether the file's writing failed, and sync() waits for nothing.
    bool flushed();
    // Syncs, then puts the new content in place (see above). False when anything failed; the
    // target is then untouched.
    bool commit() override;
    void keep() override;
    void discard() override;
    // Kept as an extended attribute where the file system has them; ignored elsewhere.
    void setStamp(const std::string& stamp) override;

    // The path as given, and the same file whatever name leads to it (see FileKey).
    const std::filesystem::path& target() const override { return target_; }
    const std::string& key() const { return key_; }
    const std::filesystem::path& temporary() const override { return temp_; }
    // The reason of the first failure, for reports.
    const std::string& error() const override { return error_; }

  private:
    bool checkTarget();
    bool put(const char* bytes, std::size_t count);
    bool skip(std::size_t count);
    void startWriteback();
    void fail(const char* what, int error);
    void fail(const char* what);
    bool writable() const { return file_ != nullptr && !failed_; }
    void putInPlace();
    void copyIntoPlace();

    std::filesystem::path target_;
    std::filesystem::path real_; // the file a followed link names, or the target
    std::string key_;
    std::optional<ExistingFile> old_;
    bool settled_ = false;
    bool synced_ = false;
    bool identityTaken_ = false; // the new file has the old one's owner, mode and attributes
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    int fd_ = -1; // once finished
    std::uint64_t written_ = 0;
    bool endsInHole_ = false;
    std::uint64_t handedOver_ = 0; // bytes the disk was told to write (see startWriteback)
    bool failed_ = false;
    std::string error_;
};

} // namespace ovb
