// The text is read as a stream of JSON events rather than into a document first: a full bank's
// text holds about a million values, and each goes straight into its place in the bank.
#include "tools/DescriptionApply.h"

#include "base/Formatting.h"
#include "tools/DescriptionSchema.h"
#include "tools/StoredText.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cstring>
#include <set>

namespace ovb {

namespace {

using namespace description;

// What the value after a key is to be.
enum class Expect {
    Root,
    FormatText,
    Table,
    Record,
    Subs,
    Patch,
    Field,
    Path,       // a slot's "path"
    Slot,       // a slot: its path alone, or a record with a path
    PatchBytes, // hex bytes at an offset
};

struct Frame {
    Expect level = Expect::Root;
    std::string key; // under which it sits, for the path of a fault
    Table table = Table::Scene;
    const RecordKind* kind = nullptr;
    std::uint8_t* bytes = nullptr;
    std::size_t size = 0;                            // Patch: the bytes it may reach
    const std::vector<ByteRange>* allowed = nullptr; // Patch: the ranges it may write
    SamplePathList* paths = nullptr;                 // a multisample and its slots
    std::string* path = nullptr;                     // a slot
    std::uint64_t seen = 0;                          // members given (Root, Record, Subs)
    std::vector<bool> seenRecords;                   // Table
    std::set<std::size_t> seenOffsets;               // Patch
};

// What a key announced, waiting for its value.
struct Pending {
    Expect what = Expect::Root;
    Frame frame;                  // for the structural values
    const Field* field = nullptr; // Field
    std::size_t offset = 0;       // PatchBytes
};

constexpr unsigned kSubBit = 60, kBytesBit = 61, kPathBit = 62;

std::string Escaped(std::string_view key) {
    std::string out;
    for (char c : key) {
        if (c == '~')
            out += "~0";
        else if (c == '/')
            out += "~1";
        else
            out += c;
    }
    return out;
}

// A record number or byte offset: decimal digits only.
std::optional<std::size_t> Number(std::string_view text) {
    std::size_t n = 0;
    if (text.empty() || text.size() > 12) return std::nullopt;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return n;
}

bool Within(const std::vector<ByteRange>& ranges, std::size_t offset, std::size_t length) {
    for (const ByteRange& r : ranges)
        if (offset >= r.offset && offset + length <= std::size_t(r.offset) + r.length) return true;
    return false;
}

class Reader : public nlohmann::json_sax<Json> {
  public:
    explicit Reader(as_bank& bank) : bank_(bank) {}

    const std::string& error() const { return error_; }
    bool sawFormat() const { return sawFormat_; }

    bool null() override { return scalar(Json()); }
    bool boolean(bool v) override { return scalar(Json(v)); }
    bool number_integer(number_integer_t v) override { return scalar(Json(v)); }
    bool number_unsigned(number_unsigned_t v) override { return scalar(Json(v)); }
    bool number_float(number_float_t v, const string_t&) override { return scalar(Json(v)); }
    bool binary(binary_t&) override { return fail("binary data"); }

    bool string(string_t& v) override {
        if (!leaf_.empty()) return collect(Json(std::move(v)));
        if (pending_.what == Expect::Path || pending_.what == Expect::Slot) {
            std::optional<std::string> stored = EncodeStoredText(v);
            if (!stored) return fail("text the bank cannot store");
            *pending_.frame.path = std::move(*stored);
            return done();
        }
        return scalar(Json(std::move(v)));
    }

    bool start_object(std::size_t) override {
        if (!leaf_.empty() || IsLeaf(pending_.what)) return startLeaf(Json::object());
        if (frames_.empty()) {
            frames_.emplace_back();
            return true;
        }
        if (pending_.what == Expect::Slot) {
            pending_.frame.level = Expect::Record;
            pending_.frame.kind = &SlotKind();
        }
        frames_.push_back(std::move(pending_.frame));
        pending_ = {};
        return true;
    }

    bool end_object() override {
        if (!leaf_.empty()) return endLeaf();
        frames_.pop_back();
        pending_ = {};
        return true;
    }

    bool start_array(std::size_t) override {
        if (!leaf_.empty() || IsLeaf(pending_.what)) return startLeaf(Json::array());
        return wrongKind();
    }

    bool end_array() override { return endLeaf(); }

    bool key(string_t& k) override {
        if (!leaf_.empty()) {
            leafKey_ = k;
            return true;
        }
        Frame& f = frames_.back();
        pending_ = {};
        pending_.frame.key = k;
        switch (f.level) {
        case Expect::Root:
            return rootKey(f, k);
        case Expect::Table:
            return tableKey(f, k);
        case Expect::Record:
            return recordKey(f, k);
        case Expect::Subs:
            return subKey(f, k);
        case Expect::Patch:
            return patchKey(f, k);
        default:
            return fail("unexpected member");
        }
    }

    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& ex) override {
        std::string what = ex.what();
        if (what.starts_with("[json.exception.")) what.erase(0, what.find("] ") + 2);
        return fail("malformed JSON: " + what);
    }

  private:
    static bool IsLeaf(Expect e) {
        return e == Expect::Field || e == Expect::FormatText || e == Expect::PatchBytes ||
               e == Expect::Path;
    }

    std::string pointer(bool withPending) const {
        std::string p;
        for (std::size_t i = 1; i < frames_.size(); ++i)
            p += "/" + Escaped(frames_[i].key);
        if (withPending && !pending_.frame.key.empty()) p += "/" + Escaped(pending_.frame.key);
        return p.empty() ? "/" : p;
    }

    bool fail(const std::string& what, bool withPending = true) {
        if (error_.empty()) error_ = pointer(withPending) + ": " + what;
        return false;
    }

    bool wrongKind() {
        switch (pending_.what) {
        case Expect::Slot:
            return fail("expected a path or an object");
        default:
            return fail("expected an object");
        }
    }

    bool once(std::uint64_t& seen, unsigned bit) {
        const std::uint64_t mask = std::uint64_t(1) << bit;
        if (seen & mask) return fail("given twice");
        seen |= mask;
        return true;
    }

    bool rootKey(Frame& f, const std::string& k) {
        if (k == kFormatKey) {
            pending_.what = Expect::FormatText;
            return once(f.seen, 0);
        }
        if (k == "bank_file_info") {
            pending_.what = Expect::Record;
            pending_.frame.level = Expect::Record;
            pending_.frame.kind = &InfoKind();
            pending_.frame.bytes = reinterpret_cast<std::uint8_t*>(&bank_.info());
            return once(f.seen, 1);
        }
        const std::vector<TableText>& tables = Tables();
        for (unsigned t = 0; t < tables.size(); ++t)
            if (k == tables[t].key) {
                pending_.what = Expect::Table;
                pending_.frame.level = Expect::Table;
                pending_.frame.table = tables[t].table;
                pending_.frame.seenRecords.assign(as_bank::tableSize(tables[t].table), false);
                return once(f.seen, 2 + t);
            }
        const std::vector<Block>& blocks = Blocks();
        for (unsigned b = 0; b < blocks.size(); ++b)
            if (k == blocks[b].key) {
                static const std::vector<ByteRange> all{{0, ~0u}};
                pending_.what = Expect::Patch;
                pending_.frame.level = Expect::Patch;
                pending_.frame.bytes =
                    reinterpret_cast<std::uint8_t*>(&bank_.records()) + blocks[b].offset;
                pending_.frame.size = blocks[b].size;
                pending_.frame.allowed = &all;
                return once(f.seen, 20 + b);
            }
        return fail("unknown key");
    }

    bool tableKey(Frame& f, const std::string& k) {
        const std::optional<std::size_t> index = Number(k);
        if (!index) return fail("not a record number");
        const unsigned size = as_bank::tableSize(f.table);
        if (*index >= size)
            return fail(
                Format("%s %zu is past the table (0..%u)", TextOf(f.table).noun, *index, size - 1));
        if (f.seenRecords[*index]) return fail("given twice");
        f.seenRecords[*index] = true;
        pending_.what = Expect::Record;
        pending_.frame.level = Expect::Record;
        pending_.frame.kind = &KindOf(f.table);
        pending_.frame.bytes = bank_.record(f.table, unsigned(*index)).data();
        if (f.table == Table::Multisample) pending_.frame.paths = &bank_.paths(unsigned(*index));
        return true;
    }

    bool recordKey(Frame& f, const std::string& k) {
        const RecordKind& kind = *f.kind;
        for (unsigned i = 0; i < kind.fields.size(); ++i)
            if (k == kind.fields[i].key) {
                pending_.what = Expect::Field;
                pending_.field = &kind.fields[i];
                return once(f.seen, i);
            }
        if (kind.sub && k == kind.sub->key) {
            pending_.what = Expect::Subs;
            pending_.frame.level = Expect::Subs;
            pending_.frame.kind = &kind;
            pending_.frame.bytes = f.bytes;
            pending_.frame.paths = f.paths;
            return once(f.seen, kSubBit);
        }
        if (k == kBytesKey) {
            pending_.what = Expect::Patch;
            pending_.frame.level = Expect::Patch;
            pending_.frame.bytes = f.bytes;
            pending_.frame.size = kind.size;
            pending_.frame.allowed = &kind.deviceBytes;
            return once(f.seen, kBytesBit);
        }
        if (k == kPathKey && f.path) {
            pending_.what = Expect::Path;
            pending_.frame.path = f.path;
            return once(f.seen, kPathBit);
        }
        return fail("unknown key");
    }

    bool subKey(Frame& f, const std::string& k) {
        const SubRecords& sub = *f.kind->sub;
        const std::optional<std::size_t> n = Number(k);
        if (!n || *n < sub.first || *n >= sub.first + sub.count)
            return fail(
                Format("not a %s number (%u..%u)", sub.noun, sub.first, sub.first + sub.count - 1));
        const unsigned i = unsigned(*n - sub.first);
        if (!once(f.seen, i)) return false;
        pending_.what = f.paths ? Expect::Slot : Expect::Record;
        pending_.frame.level = Expect::Record;
        pending_.frame.kind = sub.kind;
        pending_.frame.bytes = f.bytes + sub.offset + i * sub.stride;
        if (f.paths) pending_.frame.path = &(*f.paths)[i];
        return true;
    }

    bool patchKey(Frame& f, const std::string& k) {
        const std::optional<std::size_t> offset = Number(k);
        if (!offset || *offset >= f.size)
            return fail(Format("not a byte offset (0..%zu)", f.size - 1));
        if (!f.seenOffsets.insert(*offset).second) return fail("given twice");
        pending_.what = Expect::PatchBytes;
        pending_.offset = *offset;
        return true;
    }

    bool startLeaf(Json container) {
        if (leaf_.empty()) {
            leafValue_ = std::move(container);
            leaf_.push_back(&leafValue_);
            return true;
        }
        Json* parent = leaf_.back();
        Json* added = parent->is_object() ? &((*parent)[leafKey_] = std::move(container))
                                          : &parent->emplace_back(std::move(container));
        leaf_.push_back(added);
        return true;
    }

    bool endLeaf() {
        leaf_.pop_back();
        if (!leaf_.empty()) return true;
        return deliver(leafValue_);
    }

    bool collect(Json v) {
        Json* parent = leaf_.back();
        if (parent->is_object())
            (*parent)[leafKey_] = std::move(v);
        else
            parent->push_back(std::move(v));
        return true;
    }

    bool scalar(Json v) {
        if (!leaf_.empty()) return collect(std::move(v));
        if (!IsLeaf(pending_.what)) return wrongKind();
        return deliver(v);
    }

    bool deliver(const Json& v) {
        switch (pending_.what) {
        case Expect::FormatText:
            if (!v.is_string() || v.get<std::string>() != kFormat)
                return fail(std::string("expected \"") + kFormat + "\"");
            sawFormat_ = true;
            return done();
        case Expect::Field:
            if (auto fault = SetFieldFromJson(*pending_.field, frames_.back().bytes, v))
                return fail(*fault);
            return done();
        case Expect::Path: {
            std::string bytes;
            if (auto fault = TextFromJson(v, bytes)) return fail(*fault);
            *pending_.frame.path = std::move(bytes);
            return done();
        }
        case Expect::PatchBytes:
            return patch(v);
        default:
            return wrongKind();
        }
    }

    bool patch(const Json& v) {
        const Frame& f = frames_.back();
        std::optional<std::string> bytes =
            v.is_string() ? BytesFromHex(v.get<std::string>()) : std::nullopt;
        if (!bytes) return fail("expected hex bytes (two digits each)");
        if (pending_.offset + bytes->size() > f.size)
            return fail(
                Format("%zu bytes from here run past the end (%zu bytes)", bytes->size(), f.size));
        if (!Within(*f.allowed, pending_.offset, bytes->size()))
            return fail("these bytes belong to named fields; give the fields instead");
        std::memcpy(f.bytes + pending_.offset, bytes->data(), bytes->size());
        return done();
    }

    bool done() {
        pending_ = {};
        return true;
    }

    as_bank& bank_;
    std::vector<Frame> frames_;
    Pending pending_;
    std::vector<Json*> leaf_; // the compound value being collected, innermost last
    Json leafValue_;
    std::string leafKey_;
    std::string error_;
    bool sawFormat_ = false;
};

} // namespace

bool ReadDescription(std::string_view text, as_bank& bank, std::string& error) {
    bank.reset();
    // The reserved blocks are left alone by a reset; the text says all they hold.
    as_bank_records& r = bank.records();
    std::memset(r.reserved_b, 0, sizeof r.reserved_b);
    std::memset(r.reserved_c, 0, sizeof r.reserved_c);
    Reader reader(bank);
    const bool parsed = nlohmann::json::sax_parse(text, &reader);
    error = reader.error();
    if (parsed && error.empty() && !reader.sawFormat())
        error = std::string("/format: missing; a bank description starts with \"format\": \"") +
                kFormat + "\"";
    if (error.empty() && !parsed) error = "/: malformed JSON";
    if (error.empty()) return true;
    bank.reset();
    return false;
}

} // namespace ovb
