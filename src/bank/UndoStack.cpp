#include "bank/UndoStack.h"

#include "base/LargeBlock.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace ovb {

namespace {

constexpr std::size_t kBlock = sizeof(as_bank_records);
constexpr std::size_t kPage = 4096;
constexpr std::size_t kWord = sizeof(std::uint64_t);
// Changed words closer than this are kept as one range: a range costs more than a few bytes.
constexpr std::size_t kJoinGap = 4 * kWord;
static_assert(kBlock % kWord == 0 && kPage % kWord == 0);

std::uint64_t Word(const std::uint8_t* p) {
    std::uint64_t w;
    std::memcpy(&w, p, kWord);
    return w;
}

// The changed words of the block as ranges of whole words; equal pages are skipped by memcmp.
std::vector<UndoStep::Range> ChangedWords(const std::uint8_t* now, const std::uint8_t* then) {
    std::vector<UndoStep::Range> ranges;
    bool open = false;
    std::size_t start = 0, end = 0;
    auto close = [&] {
        if (open) ranges.push_back({start, end - start, 0});
        open = false;
    };
    for (std::size_t page = 0; page < kBlock; page += kPage) {
        const std::size_t length = std::min(kPage, kBlock - page);
        if (std::memcmp(now + page, then + page, length) == 0) {
            close();
            continue;
        }
        for (std::size_t at = page; at < page + length; at += kWord) {
            if (Word(now + at) == Word(then + at)) continue;
            if (open && at - end <= kJoinGap) {
                end = at + kWord;
                continue;
            }
            close();
            open = true;
            start = at;
            end = at + kWord;
        }
    }
    close();
    return ranges;
}

// Narrows each range from whole words to its first and last changed byte.
void TrimToBytes(std::vector<UndoStep::Range>& ranges, const std::uint8_t* now,
                 const std::uint8_t* then) {
    for (UndoStep::Range& r : ranges) {
        while (now[r.offset] == then[r.offset]) {
            ++r.offset;
            --r.length;
        }
        while (now[r.offset + r.length - 1] == then[r.offset + r.length - 1])
            --r.length;
    }
}

std::size_t TextMemory(const std::string& text) {
    // Short texts live inside the string object.
    return text.capacity() > 15 ? text.capacity() + 1 : 0;
}

// Packed path lists need one allocation per multisample instead of one per long path: a bulk
// path tool changes all 640000.
// Packs in place: the committed text keeps its memory when the new one fits.
void PackPaths(const SamplePathList& paths, std::string& packed) {
    std::size_t size = 0;
    for (const std::string& path : paths)
        size += sizeof(std::uint32_t) + path.size();
    packed.resize(size);
    char* out = packed.data();
    for (const std::string& path : paths) {
        const auto length = std::uint32_t(path.size());
        std::memcpy(out, &length, sizeof length);
        std::memcpy(out + sizeof length, path.data(), length);
        out += sizeof length + length;
    }
}

bool SamePaths(const SamplePathList& paths, const std::string& packed) {
    const char* at = packed.data();
    const char* end = at + packed.size();
    for (const std::string& path : paths) {
        std::uint32_t length;
        if (end - at < std::ptrdiff_t(sizeof length)) return false;
        std::memcpy(&length, at, sizeof length);
        at += sizeof length;
        if (length != path.size() || std::size_t(end - at) < length ||
            std::memcmp(at, path.data(), length) != 0)
            return false;
        at += length;
    }
    return at == end;
}

void UnpackPaths(const char* at, SamplePathList& paths) {
    for (std::string& path : paths) {
        std::uint32_t length;
        std::memcpy(&length, at, sizeof length);
        at += sizeof length;
        path.assign(at, length);
        at += length;
    }
}

struct TableSpan {
    Table table;
    std::size_t start, recordSize, nameSize, count;
};

constexpr TableSpan kTables[] = {
    {Table::Scene, offsetof(as_bank_records, scene), sizeof(as_scenne), 32, kScenes},
    {Table::Solo, offsetof(as_bank_records, solo), sizeof(as_solo), 32, kSetups},
    {Table::Acomp, offsetof(as_bank_records, acomp), sizeof(as_acomp), 32, kSetups},
    {Table::Fbass, offsetof(as_bank_records, fbass), sizeof(as_fbass), 32, kSetups},
    {Table::Chord, offsetof(as_bank_records, chord), sizeof(as_chord), 32, kSetups},
    {Table::Sound, offsetof(as_bank_records, sound), sizeof(as_sound), 16, kSounds},
    {Table::Multisample, offsetof(as_bank_records, multisample), sizeof(as_multisample), 16,
     kMultisamples},
};

// Adds the bytes [begin, end) of the block to the summary; ranges come in ascending order, so a
// record touched by two ranges follows itself and is counted once.
void Summarise(std::size_t begin, std::size_t end, UndoChangeSummary& s, std::size_t& lastRecord) {
    for (const TableSpan& t : kTables) {
        const std::size_t tableEnd = t.start + t.recordSize * t.count;
        const std::size_t from = std::max(begin, t.start), to = std::min(end, tableEnd);
        if (from >= to) continue;
        s.tables |= 1u << unsigned(t.table);
        for (std::size_t at = from; at < to;) {
            const std::size_t record = (at - t.start) / t.recordSize;
            const std::size_t recordStart = t.start + record * t.recordSize;
            const std::size_t stop = std::min(to, recordStart + t.recordSize);
            if (recordStart != lastRecord) ++s.records;
            lastRecord = recordStart;
            if (stop > recordStart + t.nameSize) s.namesOnly = false;
            at = stop;
        }
    }
    const std::size_t tablesStart = kTables[0].start;
    const TableSpan& lastTable = kTables[std::size(kTables) - 1];
    const std::size_t tablesEnd = lastTable.start + lastTable.recordSize * lastTable.count;
    if (begin < tablesStart || end > tablesEnd) s.otherBytes = true;
}

const char* TableWord(unsigned tables) {
    static const char* const words[] = {"scene", "solo",  "acomp",      "F.bass",
                                        "chord", "sound", "multisample"};
    for (unsigned t = 0; t < std::size(words); ++t)
        if (tables == 1u << t) return words[t];
    return nullptr;
}

std::string FilePart(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string DescribeChange(const UndoChangeSummary& s, std::string_view loadedFile) {
    if (s.loadedFile && loadedFile != kNoLoadedBank) return "Open " + FilePart(loadedFile);
    if (s.loadedFile) return "Clear bank";
    const bool records = s.tables != 0;
    if (!records && !s.otherBytes && s.pathLists == 0)
        return s.ownerText ? "Change file name" : "Edit";
    if (!records && !s.otherBytes) return s.pathLists == 1 ? "Edit sample paths" : "Edit paths";
    const char* word = TableWord(s.tables);
    if (!word || s.otherBytes) return "Edit bank";
    // A multisample's record and its paths belong together.
    if (s.pathLists != 0 && s.tables != 1u << unsigned(Table::Multisample)) return "Edit bank";
    std::string name = std::string("Edit ") + word;
    if (s.namesOnly && s.pathLists == 0) name += " name";
    if (s.records > 1) name += "s";
    return name;
}

} // namespace

UndoStack::UndoStack(const as_bank& bank, std::string_view ownerText, std::size_t memoryLimit)
    : limit_(memoryLimit), records_(static_cast<std::uint8_t*>(AllocateLargeBlock(kBlock))),
      loadedFile_(bank.loadedFile()), ownerText_(ownerText) {
    std::memcpy(records_.get(), &bank.records(), kBlock);
    paths_.reserve(kMultisamples);
    for (unsigned m = 0; m < kMultisamples; ++m)
        PackPaths(bank.paths(m), paths_.emplace_back());
}

UndoStack::~UndoStack() = default;

void UndoStack::FreeBlock::operator()(std::uint8_t* p) const {
    FreeLargeBlock(p, kBlock);
}

// The committed bytes of every changed range go into the step; the bank's become committed.
void UndoStack::DiffRecords(const as_bank& bank, UndoStep& step) {
    const auto* now = reinterpret_cast<const std::uint8_t*>(&bank.records());
    step.ranges = ChangedWords(now, records_.get());
    TrimToBytes(step.ranges, now, records_.get());
    std::size_t total = 0;
    for (const UndoStep::Range& r : step.ranges)
        total += r.length;
    step.bytes.resize(total);
    std::size_t lastRecord = kBlock;
    std::size_t data = 0;
    for (UndoStep::Range& r : step.ranges) {
        Summarise(r.offset, r.offset + r.length, step.summary, lastRecord);
        r.data = data;
        std::memcpy(step.bytes.data() + data, records_.get() + r.offset, r.length);
        std::memcpy(records_.get() + r.offset, now + r.offset, r.length);
        data += r.length;
    }
}

// The same for the path lists, compared a multisample at a time.
void UndoStack::DiffPaths(const as_bank& bank, UndoStep& step) {
    std::vector<unsigned> changed;
    std::size_t total = 0;
    for (unsigned m = 0; m < kMultisamples; ++m)
        if (!SamePaths(bank.paths(m), paths_[m])) {
            changed.push_back(m);
            total += paths_[m].size();
        }
    step.paths.reserve(changed.size());
    step.pathBytes.resize(total);
    std::size_t at = 0;
    for (unsigned m : changed) {
        step.paths.push_back({m, at, paths_[m].size()});
        std::memcpy(step.pathBytes.data() + at, paths_[m].data(), paths_[m].size());
        at += paths_[m].size();
        PackPaths(bank.paths(m), paths_[m]);
    }
    step.summary.pathLists = unsigned(changed.size());
}

// Fills the step with the committed version of everything that changed and makes the bank's
// version the committed one. True when anything changed.
bool UndoStack::Diff(const as_bank& bank, std::string_view ownerText, UndoStep& step) {
    DiffRecords(bank, step);
    DiffPaths(bank, step);
    step.summary.loadedFile = bank.loadedFile() != loadedFile_;
    step.summary.ownerText = ownerText != ownerText_;
    step.loadedFile = std::exchange(loadedFile_, bank.loadedFile());
    step.ownerText = std::exchange(ownerText_, std::string(ownerText));
    return !step.ranges.empty() || !step.paths.empty() || step.summary.loadedFile ||
           step.summary.ownerText;
}

bool UndoStack::Commit(const as_bank& bank, std::string_view ownerText, std::string name) {
    UndoStep step;
    if (!Diff(bank, ownerText, step)) return false;
    step.name = name.empty() ? DescribeChange(step.summary, bank.loadedFile()) : std::move(name);
    step.memory = sizeof step + step.bytes.capacity() +
                  step.ranges.capacity() * sizeof(UndoStep::Range) + TextMemory(step.name) +
                  TextMemory(step.loadedFile) + TextMemory(step.ownerText);
    step.memory += step.paths.capacity() * sizeof(UndoStep::Paths) + step.pathBytes.size();
    Push(std::move(step));
    return true;
}

void UndoStack::Push(UndoStep step) {
    while (steps_.size() > applied_) {
        memory_ -= steps_.back().memory;
        steps_.pop_back();
    }
    memory_ += step.memory;
    steps_.push_back(std::move(step));
    // The newest step stays even when it alone is over the limit: it is the one most wanted.
    while (memory_ > limit_ && steps_.size() > 1) {
        memory_ -= steps_.front().memory;
        steps_.pop_front();
    }
    applied_ = steps_.size();
}

void UndoStack::Absorb(const as_bank& bank, std::string_view ownerText) {
    UndoStep discarded;
    Diff(bank, ownerText, discarded);
}

// The step's version and the committed version trade places; the bank receives the new
// committed version of every changed part.
void UndoStack::Swap(UndoStep& step, as_bank& bank, std::string& ownerText) {
    auto* block = reinterpret_cast<std::uint8_t*>(&bank.records());
    for (const UndoStep::Range& r : step.ranges) {
        std::swap_ranges(step.bytes.begin() + std::ptrdiff_t(r.data),
                         step.bytes.begin() + std::ptrdiff_t(r.data + r.length),
                         records_.get() + r.offset);
        std::memcpy(block + r.offset, records_.get() + r.offset, r.length);
    }
    SwapPaths(step, bank);
    std::swap(step.loadedFile, loadedFile_);
    bank.setLoadedFile(loadedFile_);
    std::swap(step.ownerText, ownerText_);
    ownerText = ownerText_;
}

// The committed path lists trade places with the step's; their sizes may differ, so the step
// gets a new block.
void UndoStack::SwapPaths(UndoStep& step, as_bank& bank) {
    std::size_t total = 0;
    for (const UndoStep::Paths& change : step.paths)
        total += paths_[change.multisample].size();
    decltype(step.pathBytes) committed(total);
    std::size_t at = 0;
    for (UndoStep::Paths& change : step.paths) {
        std::string& packed = paths_[change.multisample];
        const std::size_t length = packed.size();
        std::memcpy(committed.data() + at, packed.data(), length);
        packed.assign(step.pathBytes.data() + change.offset, change.length);
        change = {change.multisample, at, length};
        at += length;
        UnpackPaths(packed.data(), bank.paths(change.multisample));
    }
    step.memory = step.memory - step.pathBytes.size() + committed.size();
    memory_ = memory_ - step.pathBytes.size() + committed.size();
    step.pathBytes = std::move(committed);
}

bool UndoStack::Undo(as_bank& bank, std::string& ownerText) {
    if (!CanUndo()) return false;
    --applied_;
    Swap(steps_[applied_], bank, ownerText);
    return true;
}

bool UndoStack::Redo(as_bank& bank, std::string& ownerText) {
    if (!CanRedo()) return false;
    Swap(steps_[applied_], bank, ownerText);
    ++applied_;
    return true;
}

std::string UndoStack::UndoName() const {
    return CanUndo() ? steps_[applied_ - 1].name : std::string();
}

std::string UndoStack::RedoName() const {
    return CanRedo() ? steps_[applied_].name : std::string();
}

} // namespace ovb
