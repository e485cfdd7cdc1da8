#include "tools/DescriptionDump.h"

#include "tools/DescriptionSchema.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cstring>

namespace ovb {

namespace {

using namespace description;

constexpr std::size_t kLineWidth = 100;

// JSON string syntax for text already known to be valid UTF-8: only quotes, backslashes and
// control characters are escaped.
void AppendQuoted(std::string_view text, std::string& out) {
    static const char digits[] = "0123456789abcdef";
    out += '"';
    std::size_t plain = 0; // start of the characters not written yet
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\') continue;
        out.append(text, plain, i - plain);
        plain = i + 1;
        if (byte >= 0x20) {
            out += '\\';
            out += char(byte);
        } else {
            out += "\\u00";
            out += digits[byte >> 4];
            out += digits[byte & 15];
        }
    }
    out.append(text, plain);
    out += '"';
}

void AppendScalar(const Json& v, std::string& out) {
    char number[24];
    if (v.is_string()) return AppendQuoted(v.get_ref<const std::string&>(), out);
    if (v.is_number_unsigned()) {
        out.append(number,
                   std::to_chars(number, number + sizeof number, v.get<std::uint64_t>()).ptr);
    } else if (v.is_number_integer()) {
        out.append(number,
                   std::to_chars(number, number + sizeof number, v.get<std::int64_t>()).ptr);
    } else {
        out += v.dump();
    }
}

// The value on one line, as long as it stays within limit characters; false when it does not.
bool Compact(const Json& v, std::string& out, std::size_t limit) {
    if (v.is_object() || v.is_array()) {
        const bool object = v.is_object();
        out += object ? '{' : '[';
        bool first = true;
        for (auto it = v.begin(); it != v.end(); ++it) {
            if (!first) out += ", ";
            first = false;
            if (object) {
                AppendQuoted(it.key(), out);
                out += ": ";
            }
            if (!Compact(it.value(), out, limit) || out.size() > limit) return false;
        }
        out += object ? '}' : ']';
    } else {
        AppendScalar(v, out);
    }
    return out.size() <= limit;
}

// Objects and arrays that do not fit on their line get one line per member.
void Print(const Json& v, std::size_t indent, std::size_t used, std::string& out) {
    std::string line;
    if (!(v.is_object() || v.is_array()) || v.empty()) {
        Compact(v, line, std::string::npos);
        out += line;
        return;
    }
    if (Compact(v, line, used < kLineWidth ? kLineWidth - used : 0)) {
        out += line;
        return;
    }
    const bool object = v.is_object();
    out += object ? "{\n" : "[\n";
    const std::string pad(indent + 2, ' ');
    bool first = true;
    for (auto it = v.begin(); it != v.end(); ++it) {
        if (!first) out += ",\n";
        first = false;
        out += pad;
        std::size_t start = out.size() - pad.size();
        if (object) {
            AppendQuoted(it.key(), out);
            out += ": ";
        }
        Print(it.value(), indent + 2, out.size() - start, out);
    }
    out += '\n';
    out += std::string(indent, ' ');
    out += object ? '}' : ']';
}

bool FieldChanged(const Field& f, const std::uint8_t* now, const std::uint8_t* then) {
    if (f.kind == Kind::Text) return std::memcmp(now + f.offset, then + f.offset, f.width) != 0;
    return GetValue(f, now) != GetValue(f, then);
}

Json RecordJson(const RecordKind& kind, const std::uint8_t* record, const SamplePathList* paths,
                const std::string* path = nullptr) {
    Json obj = Json::object();
    if (path) Append(obj, kPathKey, TextJson(*path));
    for (const Field& f : kind.fields)
        if (f.always || FieldChanged(f, record, kind.defaults.data()))
            Append(obj, f.key, FieldJson(f, record));
    if (kind.sub) {
        const SubRecords& sub = *kind.sub;
        const RecordKind& subKind = *sub.kind;
        Json subs = Json::object();
        for (unsigned i = 0; i < sub.count; ++i) {
            const std::uint8_t* item = record + sub.offset + i * sub.stride;
            const bool changed = std::memcmp(item, subKind.defaults.data(), subKind.size) != 0;
            const std::string* itemPath =
                paths && !IsEmptyPath((*paths)[i]) ? &(*paths)[i] : nullptr;
            if (!changed && !itemPath) continue;
            // A slot that holds nothing but its path is the path alone.
            Append(subs, std::to_string(i + sub.first),
                   changed ? RecordJson(subKind, item, nullptr, itemPath) : TextJson(*itemPath));
        }
        if (!subs.empty()) Append(obj, sub.key, std::move(subs));
    }
    std::vector<ByteRun> runs = DifferingRuns(record, kind.defaults.data(), kind.deviceBytes);
    if (!runs.empty()) Append(obj, kBytesKey, RunsJson(record, runs));
    return obj;
}

class Writer {
  public:
    void member(const char* key, const Json& value) {
        open();
        out_ += "  ";
        AppendQuoted(key, out_);
        out_ += ": ";
        Print(value, 2, 4 + std::strlen(key) + 2, out_);
    }
    // "key": { then one member per record, each on its own lines.
    void beginTable(const char* key) {
        open();
        out_ += "  ";
        AppendQuoted(key, out_);
        out_ += ": {";
        firstRecord_ = true;
    }
    void record(const std::string& number, const Json& value) {
        out_ += firstRecord_ ? "\n    " : ",\n    ";
        firstRecord_ = false;
        out_ += '"' + number + "\": ";
        Print(value, 4, 4 + number.size() + 4, out_);
    }
    void endTable() { out_ += firstRecord_ ? "}" : "\n  }"; }
    std::string finish() {
        out_ += first_ ? "{}\n" : "\n}\n";
        return std::move(out_);
    }

  private:
    void open() {
        out_ += first_ ? "{\n" : ",\n";
        first_ = false;
    }
    std::string out_;
    bool first_ = true;
    bool firstRecord_ = true;
};

// Whether the record differs from what a reset leaves there.
bool RecordChanged(const as_bank& bank, Table table, unsigned i) {
    const RecordKind& kind = KindOf(table);
    if (std::memcmp(bank.record(table, i).data(), kind.defaults.data(), kind.size) != 0)
        return true;
    if (table != Table::Multisample) return false;
    for (const std::string& p : bank.paths(i))
        if (!IsEmptyPath(p)) return true;
    return false;
}

void WriteBlock(Writer& w, const as_bank& bank, const Block& block) {
    const auto* base = reinterpret_cast<const std::uint8_t*>(&bank.records()) + block.offset;
    std::vector<ByteRun> runs =
        DifferingRuns(base, BlockDefault(block), {{0, unsigned(block.size)}});
    if (!runs.empty()) w.member(block.key, RunsJson(base, runs));
}

} // namespace

std::string DumpDescription(const as_bank& bank) {
    Writer w;
    w.member(kFormatKey, kFormat);
    const auto* info = reinterpret_cast<const std::uint8_t*>(&bank.info());
    if (std::memcmp(info, InfoKind().defaults.data(), InfoKind().size) != 0)
        w.member("bank_file_info", RecordJson(InfoKind(), info, nullptr));
    const std::vector<Block>& blocks = Blocks();
    WriteBlock(w, bank, blocks.front()); // global_parameter comes before the tables
    for (const TableText& t : Tables()) {
        bool opened = false;
        for (unsigned i = 0; i < as_bank::tableSize(t.table); ++i) {
            if (!RecordChanged(bank, t.table, i)) continue;
            if (!opened) w.beginTable(t.key);
            opened = true;
            const SamplePathList* paths = t.table == Table::Multisample ? &bank.paths(i) : nullptr;
            w.record(RecordNumber(t.table, i),
                     RecordJson(KindOf(t.table), bank.record(t.table, i).data(), paths));
        }
        if (opened) w.endTable();
    }
    for (std::size_t b = 1; b < blocks.size(); ++b)
        WriteBlock(w, bank, blocks[b]);
    return w.finish();
}

} // namespace ovb
