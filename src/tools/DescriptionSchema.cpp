#include "tools/DescriptionSchema.h"

#include "bank/SoundLabels.h"
#include "base/Formatting.h"
#include "tools/StoredText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>

namespace ovb::description {

namespace {

template <typename T> std::vector<std::uint8_t> BytesOf(const T& record) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
    return std::vector<std::uint8_t>(p, p + sizeof record);
}

void FindDeviceBytes(RecordKind& kind) {
    std::vector<bool> covered(kind.size, false);
    auto cover = [&](unsigned offset, unsigned length) {
        std::fill_n(covered.begin() + offset, length, true);
    };
    for (const Field& f : kind.fields)
        cover(f.offset, f.width);
    if (kind.sub) cover(kind.sub->offset, kind.sub->count * kind.sub->stride);
    for (unsigned at = 0; at < kind.size;) {
        if (covered[at]) {
            ++at;
            continue;
        }
        unsigned end = at;
        while (end < kind.size && !covered[end])
            ++end;
        kind.deviceBytes.push_back({at, end - at});
        at = end;
    }
}

RecordKind Make(const char* noun, std::vector<std::uint8_t> defaults, std::vector<Field> fields,
                std::optional<SubRecords> sub = std::nullopt) {
    RecordKind kind{noun, unsigned(defaults.size()), std::move(fields), std::move(defaults), sub,
                    {}};
    FindDeviceBytes(kind);
    return kind;
}

Field Name(unsigned width) {
    return {"name", Kind::Text, 0, width, 0, 0, Table::Scene, true};
}

Field ZeroFilledText(const char* key, unsigned offset, unsigned width) {
    Field f{key, Kind::Text, offset, width};
    f.pad = '\0';
    return f;
}

Field Link(const char* key, unsigned offset, Table table, bool always = false) {
    return {key, Kind::Link, offset, 2, 0, 0, table, always};
}

Field Byte(const char* key, unsigned offset) {
    return {key, Kind::Number, offset, 1};
}

std::vector<Field> LayerFields() {
    return {Name(32),
            Link("sound1", 32, Table::Sound),
            Link("sound2", 34, Table::Sound),
            Link("sound3", 36, Table::Sound),
            Byte("sound1_on", 40),
            Byte("sound2_on", 41),
            Byte("sound3_on", 42)};
}

const RecordKind& ZoneKind() {
    static const RecordKind kind =
        Make("zone", BytesOf(NewZone()),
             {{"multisample", Kind::Link, 0, 2, 2, 14, Table::Multisample, true},
              {"flags", Kind::Number, 0, 2, 0, 2},
              Byte("volume", 2),
              {"velocity_high", Kind::Number, 4, 1, 0, 0, Table::Scene, false, "velocity",
               "000..%03llu"},
              {"transpose", Kind::Transpose, 7, 1}});
    return kind;
}

struct Kinds {
    RecordKind scene, layers, acomp, sound, multisample, info;
};

const Kinds& AllKinds() {
    static const Kinds kinds{
        Make("scene", BytesOf(NewScene()),
             {Name(32),
              {"text2", Kind::Text, 32, 32},
              Link("solo", 64, Table::Solo),
              Link("acomp", 66, Table::Acomp)}),
        Make("set-up", BytesOf(NewLayers()), LayerFields()),
        Make("acomp", BytesOf(NewAcomp()),
             {Name(32), Link("fbass", 32, Table::Fbass), Link("chord", 34, Table::Chord)}),
        Make("sound", BytesOf(NewSound()),
             {Name(16),
              {"category", Kind::Categories, 16, 4},
              {"osc_mode", Kind::OscMode, 20, 1, 0, 0, Table::Scene, false, "mode"}},
             SubRecords{"zones", "zone", 64, kZones, sizeof(as_zone), 1, &ZoneKind()}),
        Make("multisample", BytesOf(NewMultisample()),
             {Name(16), ZeroFilledText("comment", 16, 240)},
             SubRecords{"slots", "slot", 256, kSamplesPerMultisample, sizeof(as_sample_V1), 0,
                        &SlotKind()}),
        Make("bank_file_info", std::vector<std::uint8_t>(sizeof(bank_file_info), 0),
             {{"info_flags", Kind::Number, 0, 4},
              {"bank_size", Kind::Number, 4, 8},
              {"sample_data_offset", Kind::Number, 12, 8},
              {"sample_data_size", Kind::Number, 20, 8},
              {"path_area_size", Kind::Number, 28, 8},
              ZeroFilledText("bank_path", 256, 256)}),
    };
    return kinds;
}

std::uint64_t Mask(const Field& f) {
    const unsigned bits = f.bits ? f.bits : f.width * 8;
    return bits >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << bits) - 1;
}

std::uint64_t GetLe(const std::uint8_t* p, unsigned width) {
    std::uint64_t v = 0;
    for (unsigned i = width; i-- > 0;)
        v = (v << 8) | p[i];
    return v;
}

void PutLe(std::uint8_t* p, unsigned width, std::uint64_t v) {
    for (unsigned i = 0; i < width; ++i, v >>= 8)
        p[i] = std::uint8_t(v);
}

std::string_view TextBytes(const Field& f, const std::uint8_t* record) {
    return {reinterpret_cast<const char*>(record + f.offset), f.width};
}

char OtherFiller(char pad) {
    return pad == ' ' ? '\0' : ' ';
}

std::string CategoryName(unsigned bit) {
    return bit < unsigned(kCategories) ? kCategoryCaptions[bit] : Format("bit%u", bit);
}

std::optional<unsigned> CategoryBit(const std::string& name) {
    for (unsigned bit = 0; bit < 32; ++bit)
        if (CategoryName(bit) == name) return bit;
    return std::nullopt;
}

bool IsRaw(const Json& v) {
    return v.is_object() && v.size() == 1 && v.contains("raw");
}

std::optional<std::string> SetNumber(const Field& f, std::uint8_t* record, const Json& v,
                                     std::uint64_t max, const char* what) {
    if (!v.is_number_unsigned() && !(v.is_number_integer() && v.get<std::int64_t>() >= 0))
        return Format("expected %s from 0 to %llu", what, (unsigned long long)max);
    const std::uint64_t n = v.get<std::uint64_t>();
    if (n > max)
        return Format("%llu is out of range 0..%llu", (unsigned long long)n,
                      (unsigned long long)max);
    SetValue(f, record, n);
    return std::nullopt;
}

std::optional<std::string> SetLink(const Field& f, std::uint8_t* record, const Json& v) {
    if (IsRaw(v)) return SetNumber(f, record, v["raw"], Mask(f), "a number");
    const unsigned size = as_bank::tableSize(f.table);
    if (v.is_number_unsigned() && v.get<std::uint64_t>() >= size)
        return Format("%llu is past the %s table (0..%u)",
                      (unsigned long long)v.get<std::uint64_t>(), TextOf(f.table).noun, size - 1);
    return SetNumber(f, record, v, size - 1, "a record number");
}

std::optional<std::string> SetCategories(const Field& f, std::uint8_t* record, const Json& v) {
    if (!v.is_array()) return "expected a list of category names";
    std::uint64_t bits = 0;
    for (const Json& name : v) {
        std::optional<unsigned> bit =
            name.is_string() ? CategoryBit(name.get<std::string>()) : std::nullopt;
        if (!bit) return "unknown category " + name.dump();
        bits |= std::uint64_t(1) << *bit;
    }
    SetValue(f, record, bits);
    return std::nullopt;
}

std::optional<std::string> SetOscMode(const Field& f, std::uint8_t* record, const Json& v) {
    if (v.is_string()) {
        const std::string name = v.get<std::string>();
        for (int mode = 0; mode < kOscillatorModes; ++mode)
            if (name == kOscillatorModeNames[mode]) {
                SetValue(f, record, unsigned(mode));
                return std::nullopt;
            }
        return "unknown oscillator mode " + v.dump();
    }
    return SetNumber(f, record, v, Mask(f), "a mode name or a number");
}

std::optional<std::string> SetTranspose(const Field& f, std::uint8_t* record, const Json& v) {
    if (!v.is_number_integer()) return "expected a transpose from -64 to 191";
    const std::int64_t t = v.get<std::int64_t>();
    if (t < -64 || t > 191) return Format("%lld is out of range -64..191", (long long)t);
    SetValue(f, record, std::uint64_t(t + 64));
    return std::nullopt;
}

} // namespace

const Field* RecordKind::field(std::string_view key) const {
    for (const Field& f : fields)
        if (key == f.key) return &f;
    return nullptr;
}

const std::vector<TableText>& Tables() {
    static const std::vector<TableText> tables{
        {Table::Scene, "scenes", "scene", 3},
        {Table::Solo, "solo", "solo", 3},
        {Table::Acomp, "acomp", "acomp", 3},
        {Table::Fbass, "fbass", "F.bass", 3},
        {Table::Chord, "chord", "chord", 3},
        {Table::Sound, "sounds", "sound", 4},
        {Table::Multisample, "multisamples", "multisample", 4},
    };
    return tables;
}

const TableText& TextOf(Table table) {
    return Tables()[unsigned(table)];
}

const RecordKind& KindOf(Table table) {
    const Kinds& k = AllKinds();
    switch (table) {
    case Table::Scene:
        return k.scene;
    case Table::Acomp:
        return k.acomp;
    case Table::Sound:
        return k.sound;
    case Table::Multisample:
        return k.multisample;
    default:
        return k.layers;
    }
}

const RecordKind& InfoKind() {
    return AllKinds().info;
}

const RecordKind& SlotKind() {
    static const RecordKind kind = Make("slot", BytesOf(NewSample()),
                                        {{"start_sector", Kind::Number, 0, 4, 0, 30},
                                         {"bit30", Kind::Flag, 0, 4, 30, 1},
                                         {"stereo", Kind::Flag, 0, 4, 31, 1},
                                         {"length_sectors", Kind::Number, 4, 2}});
    return kind;
}

std::string RecordNumber(Table table, unsigned index) {
    return Format("%0*u", TextOf(table).digits, index);
}

const std::vector<Block>& Blocks() {
    static const std::vector<Block> blocks{
        {"global_parameter", offsetof(as_bank_records, global), sizeof(global_parameter)},
        {"path_length_table", offsetof(as_bank_records, path_length_table), kSlots},
        {"reserved_b", offsetof(as_bank_records, reserved_b), sizeof(as_bank_records::reserved_b)},
        {"reserved_c", offsetof(as_bank_records, reserved_c), sizeof(as_bank_records::reserved_c)},
    };
    return blocks;
}

const std::uint8_t* BlockDefault(const Block& block) {
    static const global_parameter global = NewGlobalParameter();
    return block.offset == offsetof(as_bank_records, global) ? global.raw : nullptr;
}

std::uint64_t GetValue(const Field& f, const std::uint8_t* record) {
    return (GetLe(record + f.offset, f.width) >> f.shift) & Mask(f);
}

void SetValue(const Field& f, std::uint8_t* record, std::uint64_t value) {
    const std::uint64_t mask = Mask(f) << f.shift;
    const std::uint64_t old = GetLe(record + f.offset, f.width);
    PutLe(record + f.offset, f.width, (old & ~mask) | ((value << f.shift) & mask));
}

std::string PaddedText(std::string_view stored, char pad) {
    const char other = OtherFiller(pad);
    std::string_view text = stored;
    if (stored.ends_with(pad)) {
        const std::size_t last = stored.find_last_not_of(pad);
        text = stored.substr(0, last == std::string_view::npos ? 0 : last + 1);
        if (text.ends_with(other)) text = stored;
        return std::string(text);
    }
    if (!stored.ends_with(other)) return std::string(stored);
    const std::size_t last = stored.find_last_not_of(other);
    return std::string(stored.substr(0, last == std::string_view::npos ? 0 : last + 1)) + other;
}

void FillPadded(std::string_view text, char pad, char* field, std::size_t width) {
    const char other = OtherFiller(pad);
    const char filler = text.size() < width && text.ends_with(other) ? other : pad;
    std::memset(field, filler, width);
    std::memcpy(field, text.data(), std::min(text.size(), width));
}

Json TextJson(std::string_view stored) {
    if (std::optional<std::string> text = DecodeStoredText(stored)) return *text;
    return Json{{"hex", HexBytes(stored)}};
}

std::optional<std::string> TextFromJson(const Json& v, std::string& bytes) {
    if (v.is_string()) {
        std::optional<std::string> stored = EncodeStoredText(v.get_ref<const std::string&>());
        if (!stored) return "text the bank cannot store";
        bytes = std::move(*stored);
        return std::nullopt;
    }
    if (v.is_object() && v.size() == 1 && v.contains("hex") && v["hex"].is_string())
        if (std::optional<std::string> raw = BytesFromHex(v["hex"].get<std::string>())) {
            bytes = std::move(*raw);
            return std::nullopt;
        }
    return "expected text or {\"hex\": \"...\"} with an even number of hex digits";
}

std::string TextWords(std::string_view stored) {
    if (std::optional<std::string> text = DecodeStoredText(stored)) {
        for (std::size_t at = text->find('\0'); at != std::string::npos;
             at = text->find('\0', at + 2))
            text->replace(at, 1, "\\0");
        return "'" + *text + "'";
    }
    return "<hex " + HexBytes(stored) + ">";
}

std::string ShownName(std::string_view stored) {
    stored = stored.substr(0, std::min(stored.find('\0'), stored.size()));
    const std::size_t last = stored.find_last_not_of(' ');
    return std::string(stored.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

Json FieldJson(const Field& f, const std::uint8_t* record) {
    const std::uint64_t v = f.kind == Kind::Text ? 0 : GetValue(f, record);
    switch (f.kind) {
    case Kind::Text:
        return TextJson(PaddedText(TextBytes(f, record), f.pad));
    case Kind::Link:
        if (v >= as_bank::tableSize(f.table)) return Json{{"raw", v}};
        return v;
    case Kind::Transpose:
        return std::int64_t(v) - 64;
    case Kind::Flag:
        return v != 0;
    case Kind::Categories: {
        Json names = Json::array();
        for (unsigned bit = 0; bit < 32; ++bit)
            if (v & (std::uint64_t(1) << bit)) names.push_back(CategoryName(bit));
        return names;
    }
    case Kind::OscMode:
        if (v < unsigned(kOscillatorModes)) return kOscillatorModeNames[v];
        return v;
    case Kind::Number:
        break;
    }
    return v;
}

std::optional<std::string> SetFieldFromJson(const Field& f, std::uint8_t* record, const Json& v) {
    switch (f.kind) {
    case Kind::Text: {
        std::string bytes;
        if (auto fault = TextFromJson(v, bytes)) return fault;
        if (bytes.size() > f.width)
            return Format("%zu bytes are too long for the %u the field holds", bytes.size(),
                          f.width);
        FillPadded(bytes, f.pad, reinterpret_cast<char*>(record + f.offset), f.width);
        return std::nullopt;
    }
    case Kind::Link:
        return SetLink(f, record, v);
    case Kind::Transpose:
        return SetTranspose(f, record, v);
    case Kind::Flag:
        if (!v.is_boolean()) return "expected true or false";
        SetValue(f, record, v.get<bool>() ? 1 : 0);
        return std::nullopt;
    case Kind::Categories:
        return SetCategories(f, record, v);
    case Kind::OscMode:
        return SetOscMode(f, record, v);
    case Kind::Number:
        break;
    }
    return SetNumber(f, record, v, Mask(f), "a number");
}

std::string FieldWords(const Field& f, const std::uint8_t* record) {
    const std::uint64_t v = f.kind == Kind::Text ? 0 : GetValue(f, record);
    switch (f.kind) {
    case Kind::Text:
        return TextWords(PaddedText(TextBytes(f, record), f.pad));
    case Kind::Link:
        return Format("%0*llu", TextOf(f.table).digits, (unsigned long long)v);
    case Kind::Transpose:
        return Format("%+lld", (long long)v - 64);
    case Kind::Flag:
        return v ? "on" : "off";
    case Kind::Categories: {
        std::string names;
        for (unsigned bit = 0; bit < 32; ++bit)
            if (v & (std::uint64_t(1) << bit))
                names += (names.empty() ? "" : ", ") + CategoryName(bit);
        return names.empty() ? "none" : names;
    }
    case Kind::OscMode:
        return v < unsigned(kOscillatorModes) ? std::string(kOscillatorModeNames[v])
                                              : std::to_string(v);
    case Kind::Number:
        break;
    }
    return Format(f.format ? f.format : "%llu", (unsigned long long)v);
}

std::vector<ByteRun> DifferingRuns(const std::uint8_t* now, const std::uint8_t* then,
                                   const std::vector<ByteRange>& ranges) {
    std::vector<ByteRun> runs;
    auto differs = [&](std::size_t i) { return now[i] != (then ? then[i] : 0); };
    for (const ByteRange& r : ranges) {
        const std::size_t end = std::size_t(r.offset) + r.length;
        for (std::size_t at = r.offset; at < end;) {
            // Equal stretches are skipped a word at a time: the reserved blocks are large.
            if (!then && at % 8 == 0 && at + 8 <= end) {
                std::uint64_t word;
                std::memcpy(&word, now + at, 8);
                if (word == 0) {
                    at += 8;
                    continue;
                }
            }
            if (!differs(at)) {
                ++at;
                continue;
            }
            std::size_t stop = at;
            while (stop < end && differs(stop))
                ++stop;
            runs.push_back({unsigned(at), unsigned(stop - at)});
            at = stop;
        }
    }
    return runs;
}

void Append(Json& object, std::string key, Json value) {
    if (!object.is_object()) object = Json::object();
    auto& members = static_cast<Json::object_t::Container&>(object.get_ref<Json::object_t&>());
    members.emplace_back(std::move(key), std::move(value));
}

Json RunsJson(const std::uint8_t* now, const std::vector<ByteRun>& runs) {
    Json patch = Json::object();
    for (const ByteRun& r : runs)
        Append(patch, std::to_string(r.offset),
               HexBytes({reinterpret_cast<const char*>(now + r.offset), r.length}));
    return patch;
}

} // namespace ovb::description
