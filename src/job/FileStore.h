#pragma once
// Where named files are kept: the disk, or memory for tests and fuzzers. Bank and script files
// are read and written only through a store, so one code path serves both.
#include "job/ByteStream.h"

#include <filesystem>
#include <memory>
#include <string>

namespace ovb {

// A file being written under a temporary name beside its target. It replaces the target only at
// commit; until then the target is untouched, and a discarded (or destroyed) file leaves nothing.
class NewFile : public ByteSink {
  public:
    virtual bool ok() const = 0;
    // The reason of the first failure.
    virtual const std::string& error() const = 0;
    virtual const std::filesystem::path& target() const = 0;
    virtual const std::filesystem::path& temporary() const = 0;
    // Marks the file as part of one save (ByteSource::stamp reads it back), where the store can.
    virtual void setStamp(const std::string& stamp) = 0;
    // Ends the writing and makes the data durable under the temporary name.
    virtual bool sync() = 0;
    // Syncs, then renames over the target.
    virtual bool commit() = 0;
    // Ends the writing; the temporary file stays when this object goes, for a commit of several
    // files that renames it later.
    virtual void keep() = 0;
    virtual void discard() = 0;
};

// The points of a commit of several files (FileCommit.h), for tests that stop a writer there.
enum class CommitStep {
    Durable,  // every new file is complete and durable under its temporary name
    Recorded, // the commit record is in place
    Renamed,  // one more file was put in place (reached once per file)
    Removed,  // the old files the new set no longer has are gone
    Done,     // the record is gone again
};

// A held lock; released when destroyed.
class FileLock {
  public:
    virtual ~FileLock() = default;
};

// The lock of a target (a bank with its volumes, a script) has two parts. The writer part is
// held for a whole writing, by one writer at a time. The commit part is held alone by a writer
// while it puts its files in place, and together by readers while they open the files, so that
// a reader never opens some files before a commit and some after it.
enum class LockPart { Writer, Commit };
enum class LockMode { Shared, Exclusive };

class FileStore {
  public:
    virtual ~FileStore() = default;

    // A file for reading; nothing, with the problem told, when there is no readable file.
    virtual std::unique_ptr<ByteSource> open(const std::filesystem::path& path,
                                             FileProblem* problem = nullptr) = 0;
    // Whether anything (a file, a folder, ...) has this name.
    virtual bool exists(const std::filesystem::path& path) = 0;
    // Always an object: a file that could not be created tells why through ok() and error().
    virtual std::unique_ptr<NewFile> create(const std::filesystem::path& target) = 0;
    // Replaces `to` by `from` in one step.
    virtual bool rename(const std::filesystem::path& from, const std::filesystem::path& to,
                        std::string& error) = 0;
    // True when the name is gone (also when there was nothing).
    virtual bool remove(const std::filesystem::path& path, std::string& error) = 0;
    // Makes renames and removals in a folder durable.
    virtual bool syncFolder(const std::filesystem::path& folder) = 0;
    // Removes the temporary files of writers that have ended, except those a commit record names.
    virtual void removeDeadTemporaries(const std::filesystem::path& folder) = 0;

    // The writer part never waits: nothing, with the reason, when another writer holds it. The
    // commit part waits. A shared commit lock may be an empty pointer with no error: nobody is
    // writing that target, so there is nothing to wait for.
    virtual std::unique_ptr<FileLock> lock(const std::filesystem::path& target, LockPart part,
                                           LockMode mode, std::string& error) = 0;

    // The name a set of files is written and read under: on the disk, the file a symbolic link
    // names, so that a link to a bank stays a link and the bank's volumes sit beside its file.
    virtual std::filesystem::path realName(const std::filesystem::path& path) { return path; }
    // Told each step of a commit; tests stop a writer here.
    virtual void reached(CommitStep) {}
};

// The disk of this computer.
FileStore& DiskFiles();

} // namespace ovb
