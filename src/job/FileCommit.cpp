#include "job/FileCommit.h"

#include "job/FileIdentity.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <system_error>

namespace ovb {

namespace fs = std::filesystem;

namespace {

// The record: "ovbank-commit 1", then "R" temporary target and "D" name entries, then "E"; every
// field ends with a zero byte, which no file name holds. Names are of the base's folder.
constexpr std::string_view kRecordMagic = "ovbank-commit 1";

struct Record {
    std::vector<std::pair<std::string, std::string>> renames; // temporary, target
    std::vector<std::string> removals;
};

void Field(std::string& out, std::string_view text) {
    out += text;
    out += '\0';
}

std::string Encode(const Record& r) {
    std::string out;
    Field(out, kRecordMagic);
    for (const auto& [from, to] : r.renames) {
        Field(out, "R");
        Field(out, from);
        Field(out, to);
    }
    for (const auto& name : r.removals) {
        Field(out, "D");
        Field(out, name);
    }
    Field(out, "E");
    return out;
}

bool Decode(const std::string& bytes, Record& r) {
    std::vector<std::string> fields;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find('\0', at);
        if (end == std::string::npos) return false;
        fields.push_back(bytes.substr(at, end - at));
        at = end + 1;
    }
    if (fields.empty() || fields.front() != kRecordMagic) return false;
    for (std::size_t i = 1; i < fields.size();) {
        const std::string& kind = fields[i];
        if (kind == "E") return i + 1 == fields.size();
        if (kind == "R" && i + 2 < fields.size()) {
            r.renames.emplace_back(fields[i + 1], fields[i + 2]);
            i += 3;
        } else if (kind == "D" && i + 1 < fields.size()) {
            r.removals.push_back(fields[i + 1]);
            i += 2;
        } else {
            return false;
        }
    }
    return false; // no end mark
}

bool ReadAndDecode(const ByteSource& source, Record& r) {
    // A record lists a few dozen names; anything larger is not one.
    if (source.size() > (1u << 20)) return false;
    std::string bytes(std::size_t(source.size()), '\0');
    return source.readAt(0, bytes.data(), bytes.size()) && Decode(bytes, r);
}

// The record of base: absent (true, empty), read (true) or unreadable (false with the reason).
bool ReadRecord(FileStore& store, const fs::path& base, std::optional<Record>& record,
                std::string& error) {
    record.reset();
    FileProblem problem = FileProblem::None;
    const fs::path path = CommitRecordPath(base);
    auto source = store.open(path, &problem);
    if (!source) {
        if (problem == FileProblem::Missing) return true;
        error = path.string() + " " + ProblemText(problem);
        return false;
    }
    Record r;
    if (!ReadAndDecode(*source, r)) {
        error = "the commit record " + path.string() + " is damaged";
        return false;
    }
    record = std::move(r);
    return true;
}

// Does what a record says. Each step may have been done before (the writer died after it): a
// temporary file that is gone was renamed already.
bool Apply(FileStore& store, const fs::path& base, const Record& r, std::string& error) {
    const fs::path folder = FolderOf(base);
    for (const auto& [from, to] : r.renames) {
        if (store.exists(folder / from) && !store.rename(folder / from, folder / to, error))
            return false;
        store.reached(CommitStep::Renamed);
    }
    for (const auto& name : r.removals)
        if (!store.remove(folder / name, error)) return false;
    store.reached(CommitStep::Removed);
    store.syncFolder(folder);
    if (!store.remove(CommitRecordPath(base), error)) return false;
    store.syncFolder(folder);
    store.reached(CommitStep::Done);
    return true;
}

// Finishes the commit whose record lies beside base; the caller holds the commit part alone.
bool FinishRecorded(FileStore& store, const fs::path& base, std::string& error) {
    std::optional<Record> record;
    if (!ReadRecord(store, base, record, error)) return false;
    return !record || Apply(store, base, *record, error);
}

std::string NewStamp() {
    std::random_device random;
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    char text[40];
    std::snprintf(text, sizeof text, "%016llx%08x%08x", (unsigned long long)now, random(),
                  random());
    return text;
}

void DiscardAll(std::vector<std::unique_ptr<NewFile>>& files) {
    for (auto& f : files)
        f->discard();
}

} // namespace

fs::path CommitRecordPath(const fs::path& base) {
    std::string name = "."; // appended: GCC 12 warns falsely (-Wrestrict) on "." + string
    name += base.filename().string();
    name += ".ovbcommit";
    return FolderOf(base) / name;
}

std::unique_ptr<FileLock> BeginWriting(FileStore& store, const fs::path& base, std::string& error) {
    auto writer = store.lock(base, LockPart::Writer, LockMode::Exclusive, error);
    if (!writer) return nullptr;
    if (store.exists(CommitRecordPath(base))) {
        auto commit = store.lock(base, LockPart::Commit, LockMode::Exclusive, error);
        if (!commit || !FinishRecorded(store, base, error)) return nullptr;
    }
    store.removeDeadTemporaries(FolderOf(base));
    return writer;
}

bool CommitFiles(FileStore& store, const fs::path& base,
                 std::vector<std::unique_ptr<NewFile>>& files,
                 const std::vector<fs::path>& obsolete, std::string& error) {
    const std::string stamp = NewStamp();
    for (auto& f : files) {
        if (f->ok()) f->setStamp(stamp);
        if (!f->sync()) {
            error = f->error() + " (" + f->target().string() + ")";
            DiscardAll(files);
            return false;
        }
    }
    store.reached(CommitStep::Durable);
    if (files.size() == 1 && obsolete.empty()) {
        // One rename is a commit of its own.
        if (!files[0]->commit()) {
            error = files[0]->error() + " (" + files[0]->target().string() + ")";
            return false;
        }
        store.syncFolder(FolderOf(base));
        store.reached(CommitStep::Done);
        return true;
    }

    // The first file (the one the user named) goes last, so that it shows the old set as long
    // as anything of it is left.
    Record record;
    for (std::size_t i = 1; i <= files.size(); ++i) {
        const NewFile& f = *files[i % files.size()];
        record.renames.emplace_back(f.temporary().filename().string(),
                                    f.target().filename().string());
    }
    for (const auto& p : obsolete)
        record.removals.push_back(p.filename().string());
    auto commit = store.lock(base, LockPart::Commit, LockMode::Exclusive, error);
    if (!commit) {
        DiscardAll(files);
        return false;
    }
    auto recordFile = store.create(CommitRecordPath(base));
    const std::string bytes = Encode(record);
    if (!recordFile->write(bytes.data(), bytes.size()) || !recordFile->sync()) {
        error = recordFile->error() + " (" + recordFile->target().string() + ")";
        DiscardAll(files);
        return false;
    }
    // From here the temporary files belong to the record.
    for (auto& f : files)
        f->keep();
    if (!recordFile->commit()) {
        error = recordFile->error() + " (" + recordFile->target().string() + ")";
        std::string ignored;
        for (const auto& [from, to] : record.renames)
            store.remove(FolderOf(base) / from, ignored);
        return false;
    }
    store.syncFolder(FolderOf(base));
    store.reached(CommitStep::Recorded);
    if (Apply(store, base, record, error)) return true;
    error += "\nThe save is finished when the file is next opened.";
    return false;
}

std::unique_ptr<FileLock> BeginReading(FileStore& store, const fs::path& base, std::string& error) {
    error.clear();
    for (int round = 0; round < 3; ++round) {
        auto shared = store.lock(base, LockPart::Commit, LockMode::Shared, error);
        if (!error.empty()) return nullptr;
        if (!store.exists(CommitRecordPath(base))) {
            store.removeDeadTemporaries(FolderOf(base));
            return shared;
        }
        // A record while no writer holds the commit part: its writer is gone.
        shared.reset();
        auto alone = store.lock(base, LockPart::Commit, LockMode::Exclusive, error);
        if (!alone || !FinishRecorded(store, base, error)) {
            error = "An unfinished save of " + base.string() + " cannot be finished:\n" + error;
            return nullptr;
        }
    }
    error = "An unfinished save of " + base.string() + " cannot be finished.";
    return nullptr;
}

bool IsCommitRecordName(const std::string& name) {
    return name.size() > 11 && name.front() == '.' && name.ends_with(".ovbcommit");
}

std::vector<std::string> RecordedTemporaries(const ByteSource& record) {
    Record r;
    std::vector<std::string> names;
    if (ReadAndDecode(record, r))
        for (auto& [from, to] : r.renames)
            names.push_back(std::move(from));
    return names;
}

} // namespace ovb
