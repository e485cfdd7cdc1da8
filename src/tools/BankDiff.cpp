#include "tools/BankDiff.h"

#include "base/Formatting.h"
#include "tools/DescriptionSchema.h"
#include "tools/StoredText.h"

#include <cstring>

namespace ovb {

namespace {

using namespace description;

// Byte runs listed per record or block; a damaged reserved block could otherwise fill pages.
constexpr std::size_t kRunsShown = 10;

std::string Words(const Field& f) {
    std::string words = f.words ? f.words : f.key;
    for (char& c : words)
        if (c == '_') c = ' ';
    return words;
}

std::string Hex(const std::uint8_t* p, unsigned length) {
    return HexBytes({reinterpret_cast<const char*>(p), length});
}

void AddRuns(const std::uint8_t* a, const std::uint8_t* b, const std::vector<ByteRange>& ranges,
             std::vector<std::string>& changes) {
    const std::vector<ByteRun> runs = DifferingRuns(a, b, ranges);
    for (std::size_t i = 0; i < runs.size() && i < kRunsShown; ++i) {
        const ByteRun& r = runs[i];
        const std::string where = r.length == 1
                                      ? Format("byte %u", r.offset)
                                      : Format("bytes %u-%u", r.offset, r.offset + r.length - 1);
        changes.push_back(where + ": " + Hex(a + r.offset, r.length) + " -> " +
                          Hex(b + r.offset, r.length));
    }
    if (runs.size() > kRunsShown)
        changes.push_back(Format("and %zu more runs of bytes", runs.size() - kRunsShown));
}

bool FieldDiffers(const Field& f, const std::uint8_t* a, const std::uint8_t* b) {
    if (f.kind == Kind::Text) return std::memcmp(a + f.offset, b + f.offset, f.width) != 0;
    return GetValue(f, a) != GetValue(f, b);
}

void RecordChanges(const RecordKind& kind, const std::uint8_t* a, const std::uint8_t* b,
                   const SamplePathList* pathsA, const SamplePathList* pathsB,
                   std::vector<std::string>& changes);

void SubChanges(const RecordKind& kind, const std::uint8_t* a, const std::uint8_t* b,
                const SamplePathList* pathsA, const SamplePathList* pathsB,
                std::vector<std::string>& changes) {
    const SubRecords& sub = *kind.sub;
    for (unsigned i = 0; i < sub.count; ++i) {
        const std::uint8_t* subA = a + sub.offset + i * sub.stride;
        const std::uint8_t* subB = b + sub.offset + i * sub.stride;
        const bool pathChanged = pathsA && (*pathsA)[i] != (*pathsB)[i];
        if (!pathChanged && std::memcmp(subA, subB, sub.kind->size) == 0) continue;
        std::vector<std::string> inner;
        if (pathChanged)
            inner.push_back("path " + TextWords((*pathsA)[i]) + " -> " + TextWords((*pathsB)[i]));
        RecordChanges(*sub.kind, subA, subB, nullptr, nullptr, inner);
        // The sub-record is named once, before its first change.
        inner.front() = Format("%s %u ", sub.noun, i + sub.first) + inner.front();
        changes.insert(changes.end(), inner.begin(), inner.end());
    }
}

void RecordChanges(const RecordKind& kind, const std::uint8_t* a, const std::uint8_t* b,
                   const SamplePathList* pathsA, const SamplePathList* pathsB,
                   std::vector<std::string>& changes) {
    for (const Field& f : kind.fields)
        if (FieldDiffers(f, a, b))
            changes.push_back(Words(f) + " " + FieldWords(f, a) + " -> " + FieldWords(f, b));
    if (kind.sub) SubChanges(kind, a, b, pathsA, pathsB, changes);
    AddRuns(a, b, kind.deviceBytes, changes);
}

std::string Joined(const std::string& head, const std::vector<std::string>& changes) {
    std::string line = head + ": ";
    for (std::size_t i = 0; i < changes.size(); ++i)
        line += (i ? "; " : "") + changes[i];
    return line;
}

const std::uint8_t* BlockOf(const as_bank& bank, std::size_t offset) {
    return reinterpret_cast<const std::uint8_t*>(&bank.records()) + offset;
}

void DiffBlock(const char* key, const as_bank& a, const as_bank& b, std::size_t offset,
               std::size_t size, const RecordKind* kind, std::vector<std::string>& lines) {
    const std::uint8_t* blockA = BlockOf(a, offset);
    const std::uint8_t* blockB = BlockOf(b, offset);
    if (std::memcmp(blockA, blockB, size) == 0) return;
    std::vector<std::string> changes;
    if (kind)
        RecordChanges(*kind, blockA, blockB, nullptr, nullptr, changes);
    else
        AddRuns(blockA, blockB, {{0, unsigned(size)}}, changes);
    lines.push_back(Joined(key, changes));
}

} // namespace

std::vector<std::string> DiffBanks(const as_bank& a, const as_bank& b) {
    std::vector<std::string> lines;
    DiffBlock("bank_file_info", a, b, offsetof(as_bank_records, info), sizeof(bank_file_info),
              &InfoKind(), lines);
    const std::vector<Block>& blocks = Blocks();
    DiffBlock(blocks[0].key, a, b, blocks[0].offset, blocks[0].size, nullptr, lines);
    for (const TableText& t : Tables()) {
        const RecordKind& kind = KindOf(t.table);
        const bool multisamples = t.table == Table::Multisample;
        for (unsigned i = 0; i < as_bank::tableSize(t.table); ++i) {
            const std::uint8_t* ra = a.record(t.table, i).data();
            const std::uint8_t* rb = b.record(t.table, i).data();
            const bool pathsDiffer = multisamples && a.paths(i) != b.paths(i);
            if (!pathsDiffer && std::memcmp(ra, rb, kind.size) == 0) continue;
            std::vector<std::string> changes;
            RecordChanges(kind, ra, rb, multisamples ? &a.paths(i) : nullptr,
                          multisamples ? &b.paths(i) : nullptr, changes);
            const std::string name =
                ShownName({reinterpret_cast<const char*>(ra), kind.fields.front().width});
            lines.push_back(Joined(Format("%s %s %s", t.noun, RecordNumber(t.table, i).c_str(),
                                          TextWords(name).c_str()),
                                   changes));
        }
    }
    for (std::size_t k = 1; k < blocks.size(); ++k)
        DiffBlock(blocks[k].key, a, b, blocks[k].offset, blocks[k].size, nullptr, lines);
    return lines;
}

} // namespace ovb
