#include "job/MemoryStore.h"

#include "job/FileCommit.h"

#include <algorithm>
#include <cstring>

namespace ovb {

namespace fs = std::filesystem;

namespace {

// Shares the bytes of a stored file with a reader; the store may replace the file meanwhile.
class SharedSource final : public ByteSource {
  public:
    SharedSource(std::shared_ptr<const ByteSource> source, std::string stamp)
        : source_(std::move(source)), stamp_(std::move(stamp)) {}
    std::uint64_t size() const override { return source_->size(); }
    bool readAt(std::uint64_t offset, void* data, std::size_t count) const override {
        return source_->readAt(offset, data, count);
    }
    std::string stamp() const override { return stamp_; }

  private:
    std::shared_ptr<const ByteSource> source_;
    std::string stamp_;
};

std::shared_ptr<const ByteSource> Bytes(std::vector<std::uint8_t> bytes) {
    return std::make_shared<MemorySource>(
        std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes)));
}

// A written file in pieces of a fixed size: a bank of 160 MiB grows without copying itself.
class Pieces final : public ByteSource {
  public:
    static constexpr std::size_t kPiece = 4u << 20;
    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, void* data, std::size_t count) const override {
        if (count > size_ || offset > size_ - count) return false;
        auto* out = static_cast<std::uint8_t*>(data);
        while (count > 0) {
            const auto& piece = pieces_[std::size_t(offset / kPiece)];
            const std::size_t at = std::size_t(offset % kPiece);
            const std::size_t n = std::min(count, piece.size() - at);
            std::memcpy(out, piece.data() + at, n);
            out += n;
            offset += n;
            count -= n;
        }
        return true;
    }
    void append(const std::uint8_t* data, std::size_t count) {
        while (count > 0) {
            if (pieces_.empty() || pieces_.back().size() == kPiece) {
                pieces_.emplace_back();
                pieces_.back().reserve(kPiece);
            }
            auto& piece = pieces_.back();
            const std::size_t n = std::min(count, kPiece - piece.size());
            piece.insert(piece.end(), data, data + n);
            data += n;
            count -= n;
            size_ += n;
        }
    }

  private:
    std::vector<std::vector<std::uint8_t>> pieces_;
    std::uint64_t size_ = 0;
};

// Another file seen with a few bytes overwritten and cut or grown (with zeros) to a size: test
// damage without copying a bank.
class Patched final : public ByteSource {
  public:
    Patched(std::shared_ptr<const ByteSource> base, std::uint64_t size, std::uint64_t at,
            std::vector<std::uint8_t> bytes)
        : base_(std::move(base)), size_(size), at_(at), bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, void* data, std::size_t count) const override {
        if (count > size_ || offset > size_ - count) return false;
        auto* out = static_cast<std::uint8_t*>(data);
        std::memset(out, 0, count);
        const std::uint64_t fromBase =
            offset < base_->size() ? std::min<std::uint64_t>(count, base_->size() - offset) : 0;
        if (fromBase && !base_->readAt(offset, out, std::size_t(fromBase))) return false;
        const std::uint64_t from = std::max(offset, at_);
        const std::uint64_t to = std::min(offset + count, at_ + bytes_.size());
        if (from < to)
            std::memcpy(out + (from - offset), bytes_.data() + (from - at_),
                        std::size_t(to - from));
        return true;
    }

  private:
    std::shared_ptr<const ByteSource> base_;
    std::uint64_t size_, at_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace

class MemoryNewFile final : public NewFile {
  public:
    MemoryNewFile(MemoryStore& store, fs::path target, fs::path temporary)
        : store_(store), target_(std::move(target)), temp_(std::move(temporary)) {
        if (store_.frozen_) fail("cannot create");
        if (!failed_) store_.writing_.insert(temp_);
    }
    ~MemoryNewFile() override { discard(); }

    bool ok() const override { return !failed_; }
    const std::string& error() const override { return error_; }
    const fs::path& target() const override { return target_; }
    const fs::path& temporary() const override { return temp_; }
    std::uint64_t size() const override { return bytes_->size(); }

    bool write(const void* data, std::size_t count) override {
        if (failed_ || done_ || store_.frozen_) return fail("cannot write");
        bytes_->append(static_cast<const std::uint8_t*>(data), count);
        return true;
    }
    void setStamp(const std::string& stamp) override { stamp_ = stamp; }

    // The data "reach the disk": the temporary name holds them.
    bool sync() override {
        if (failed_ || store_.frozen_) return fail("cannot write");
        if (!done_) store_.files_[temp_] = {std::move(bytes_), stamp_};
        done_ = true;
        return true;
    }
    bool commit() override {
        if (!sync()) {
            discard();
            return false;
        }
        std::string why;
        if (!store_.rename(temp_, target_, why)) {
            discard();
            return fail("cannot rename");
        }
        release();
        return true;
    }
    void keep() override {
        if (sync()) release();
    }
    void discard() override {
        if (temp_.empty()) return;
        // A killed writer leaves its temporary file behind.
        if (!store_.frozen_) store_.files_.erase(temp_);
        release();
    }

  private:
    bool fail(const char* what) {
        if (!failed_) error_ = what;
        failed_ = true;
        return false;
    }
    void release() {
        store_.writing_.erase(temp_);
        temp_.clear();
    }

    MemoryStore& store_;
    fs::path target_, temp_;
    std::shared_ptr<Pieces> bytes_ = std::make_shared<Pieces>();
    std::string stamp_, error_;
    bool failed_ = false, done_ = false;
};

class MemoryLock final : public FileLock {
  public:
    MemoryLock(MemoryStore& store, fs::path target, LockPart part, LockMode mode)
        : store_(store), target_(std::move(target)), part_(part), mode_(mode) {}
    ~MemoryLock() override {
        MemoryStore::Locks& l = store_.locks_[target_];
        if (part_ == LockPart::Writer)
            l.writer = false;
        else if (mode_ == LockMode::Shared)
            --l.commitShared;
        else
            l.commitAlone = false;
    }

  private:
    MemoryStore& store_;
    fs::path target_;
    LockPart part_;
    LockMode mode_;
};

std::unique_ptr<ByteSource> MemoryStore::open(const fs::path& path, FileProblem* problem) {
    const auto it = files_.find(path);
    if (problem) *problem = it == files_.end() ? FileProblem::Missing : FileProblem::None;
    if (it == files_.end()) return nullptr;
    return std::make_unique<SharedSource>(it->second.source, it->second.stamp);
}

bool MemoryStore::exists(const fs::path& path) {
    return files_.count(path) != 0;
}

std::unique_ptr<NewFile> MemoryStore::create(const fs::path& target) {
    std::string name = "."; // appended: GCC 12 warns falsely (-Wrestrict) on "." + string
    name += target.filename().string();
    name += ".ovbtmp-memory-" + std::to_string(counter_++);
    const fs::path temp = target.parent_path() / name;
    return std::make_unique<MemoryNewFile>(*this, target, temp);
}

bool MemoryStore::rename(const fs::path& from, const fs::path& to, std::string& error) {
    const auto it = files_.find(from);
    if (frozen_ || it == files_.end()) {
        error = "cannot rename " + from.string();
        return false;
    }
    Entry moved = std::move(it->second);
    files_.erase(it);
    files_[to] = std::move(moved);
    return true;
}

bool MemoryStore::remove(const fs::path& path, std::string& error) {
    if (frozen_) {
        error = "cannot remove " + path.string();
        return false;
    }
    files_.erase(path);
    return true;
}

void MemoryStore::removeDeadTemporaries(const fs::path& folder) {
    if (frozen_) return;
    std::set<std::string> keep;
    for (const auto& [path, entry] : files_)
        if (path.parent_path() == folder && IsCommitRecordName(path.filename().string()))
            for (std::string& name : RecordedTemporaries(*entry.source))
                keep.insert(std::move(name));
    for (auto it = files_.begin(); it != files_.end();) {
        const std::string name = it->first.filename().string();
        const bool dead = it->first.parent_path() == folder &&
                          name.find(".ovbtmp-memory-") != std::string::npos &&
                          !writing_.count(it->first) && !keep.count(name);
        it = dead ? files_.erase(it) : std::next(it);
    }
}

std::unique_ptr<FileLock> MemoryStore::lock(const fs::path& target, LockPart part, LockMode mode,
                                            std::string& error) {
    Locks& l = locks_[target];
    bool free = false;
    if (part == LockPart::Writer)
        free = !l.writer;
    else if (mode == LockMode::Shared)
        free = !l.commitAlone;
    else
        free = !l.commitAlone && l.commitShared == 0;
    if (!free) {
        error = target.string() + " is being written by another program now.";
        return nullptr;
    }
    if (part == LockPart::Writer)
        l.writer = true;
    else if (mode == LockMode::Shared)
        ++l.commitShared;
    else
        l.commitAlone = true;
    return std::make_unique<MemoryLock>(*this, target, part, mode);
}

void MemoryStore::put(const fs::path& path, std::vector<std::uint8_t> bytes) {
    files_[path] = {Bytes(std::move(bytes)), {}};
}

void MemoryStore::put(const fs::path& path, std::shared_ptr<const ByteSource> source) {
    files_[path] = {std::move(source), {}};
}

std::vector<std::uint8_t> MemoryStore::bytes(const fs::path& path) const {
    return bytes(path, 0, std::size_t(size(path)));
}

std::vector<std::uint8_t> MemoryStore::bytes(const fs::path& path, std::uint64_t offset,
                                             std::size_t size) const {
    const auto it = files_.find(path);
    if (it == files_.end() || offset >= it->second.source->size()) return {};
    std::vector<std::uint8_t> out(
        std::size_t(std::min<std::uint64_t>(size, it->second.source->size() - offset)));
    it->second.source->readAt(offset, out.data(), out.size());
    return out;
}

std::uint64_t MemoryStore::size(const fs::path& path) const {
    const auto it = files_.find(path);
    return it == files_.end() ? 0 : it->second.source->size();
}

void MemoryStore::patch(const fs::path& path, std::uint64_t offset,
                        const std::vector<std::uint8_t>& bytes) {
    auto& source = files_.at(path).source;
    source = std::make_shared<Patched>(source, std::max(source->size(), offset + bytes.size()),
                                       offset, bytes);
}

void MemoryStore::resize(const fs::path& path, std::uint64_t size) {
    auto& source = files_.at(path).source;
    source = std::make_shared<Patched>(source, size, 0, std::vector<std::uint8_t>());
}

void MemoryStore::setStamp(const fs::path& path, std::string stamp) {
    files_[path].stamp = std::move(stamp);
}

std::vector<fs::path> MemoryStore::names() const {
    std::vector<fs::path> out;
    for (const auto& [path, entry] : files_)
        out.push_back(path);
    return out;
}

} // namespace ovb
