#pragma once
// Puts a set of new files in place as one: a bank file and its volumes change together or not at
// all, even when the writer is killed halfway.
//
// Every new file is written and made durable under a temporary name first. Then a small commit
// record beside the first file (".NAME.ovbcommit") lists every rename and removal; then the
// renames and removals happen; then the record goes. Whoever next opens or writes the set and
// finds a record finishes that commit first: every file a record names was complete before the
// record existed. One writer at a time holds the set's lock (FileStore::lock) for its whole work.
#include "job/FileStore.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ovb {

std::filesystem::path CommitRecordPath(const std::filesystem::path& base);

// Takes the writer part of base's lock for a whole writing, finishes a commit an earlier writer
// left unfinished and removes the temporary files of writers that have ended. Nothing, with the
// reason, when another writer is writing base now or an unfinished commit cannot be finished.
std::unique_ptr<FileLock> BeginWriting(FileStore& store, const std::filesystem::path& base,
                                       std::string& error);

// Puts every written file over its target and removes the obsolete files (old volumes the new
// set no longer has), as one commit. The caller holds the writer lock. False with the reason
// when it failed: before the record, nothing changed and the new files are gone; after it, the
// next open or write of base finishes the commit.
bool CommitFiles(FileStore& store, const std::filesystem::path& base,
                 std::vector<std::unique_ptr<NewFile>>& files,
                 const std::vector<std::filesystem::path>& obsolete, std::string& error);

// Before base and its volumes are opened for reading: finishes a commit a dead writer left, then
// returns the commit part of the lock, held shared while the caller opens the files (it may be
// empty when nobody writes base). Nothing, with the reason, when an unfinished commit cannot be
// finished (the files must then not be read).
std::unique_ptr<FileLock> BeginReading(FileStore& store, const std::filesystem::path& base,
                                       std::string& error);

// Whether a file name is that of a commit record.
bool IsCommitRecordName(const std::string& name);
// The temporary file names a commit record lists (none when it is damaged): they must stay until
// their commit is finished, whoever wrote them.
std::vector<std::string> RecordedTemporaries(const ByteSource& record);

} // namespace ovb
