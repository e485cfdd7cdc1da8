#pragma once
// The shape of a bank as text: every record kind as named fields over its bytes, the sub-records
// it holds (a sound's zones, a multisample's slots), and the bytes no field names (device bytes),
// which the text carries as hex runs where they differ from a new record. The dump, the apply
// and the diff all read the records through these tables, so the three agree on every byte.
#include "bank/Acc_bank_structure.h"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovb::description {

using Json = nlohmann::ordered_json;

// What the text says first, so that no other JSON is taken for a bank.
inline constexpr const char* kFormatKey = "format";
inline constexpr const char* kFormat = "ovbank bank description 1";
inline constexpr const char* kBytesKey = "bytes";
inline constexpr const char* kPathKey = "path";

enum class Kind : std::uint8_t {
    Text,       // fixed-width text, padded (see PaddedText)
    Number,     // an unsigned bit field of a little-endian number
    Link,       // a Number naming a record of another table
    Transpose,  // a byte stored with an offset of 64, shown signed
    Flag,       // one bit: true or false
    Categories, // the category bit set, by caption
    OscMode,    // the oscillator mode, by name
};

struct Field {
    const char* key;
    Kind kind;
    unsigned offset, width;       // the bytes of the record it lives in
    unsigned shift = 0, bits = 0; // its bits of the little-endian number; 0 bits: all of them
    Table table = Table::Scene;   // what a Link names
    bool always = false;          // shown even when it holds a new record's value
    const char* words = nullptr;  // how a difference names it; the key when null
    const char* format = nullptr; // how a difference shows a Number ("000..%03llu")
    char pad = ' ';               // what fills a Text after its characters
};

struct ByteRange {
    unsigned offset, length;
};

struct RecordKind;

struct SubRecords {
    const char* key;  // "zones"
    const char* noun; // "zone"
    unsigned offset, count, stride;
    unsigned first; // the number the text gives sub-record 0 ("zone 1")
    const RecordKind* kind;
};

struct RecordKind {
    const char* noun; // "sound"
    unsigned size;
    std::vector<Field> fields;
    std::vector<std::uint8_t> defaults; // a new record
    std::optional<SubRecords> sub;
    std::vector<ByteRange> deviceBytes; // what no field and no sub-record covers

    const Field* field(std::string_view key) const;
};

struct TableText {
    Table table;
    const char* key;  // "sounds"
    const char* noun; // "sound"
    int digits;       // of its record numbers in the text
};

// The seven record tables in bank order.
const std::vector<TableText>& Tables();
const TableText& TextOf(Table table);
const RecordKind& KindOf(Table table);
const RecordKind& InfoKind(); // bank_file_info
const RecordKind& SlotKind(); // a multisample's sample slot

// "0012": a record number as the text writes it.
std::string RecordNumber(Table table, unsigned index);

// The blocks carried as hex runs only.
struct Block {
    const char* key;
    std::size_t offset, size; // in as_bank_records
};
const std::vector<Block>& Blocks();
// A block as a new bank holds it.
const std::uint8_t* BlockDefault(const Block& block);

std::uint64_t GetValue(const Field& f, const std::uint8_t* record);
void SetValue(const Field& f, std::uint8_t* record, std::uint64_t value);

// A record field as the text shows it.
Json FieldJson(const Field& f, const std::uint8_t* record);
// Puts a value from the text into the record; the fault in words when it does not fit.
std::optional<std::string> SetFieldFromJson(const Field& f, std::uint8_t* record, const Json& v);
// A field's value in a difference line: "0007", "'Piano'", "000..100", "Piano, Stereo".
std::string FieldWords(const Field& f, const std::uint8_t* record);

// A fixed-width text as the description writes it. Padding with pad is left out ("Piano" for
// "Piano" and blanks); padding with the other filler (zero for blanks, blank for zeros) is shown
// by one such character at the end ("Piano\u0000" for "Piano" and zeros, as the name editors
// store names); anything else is the whole width.
std::string PaddedText(std::string_view stored, char pad);
// The inverse: text of the width as is, shorter text filled with its last character when that is
// the other filler, else with pad.
void FillPadded(std::string_view text, char pad, char* field, std::size_t width);

// Stored text (a name, a path) as text, or as {"hex": ...} where it does not decode.
Json TextJson(std::string_view stored);
// The stored bytes of a text value; the fault in words when it is neither text nor hex.
std::optional<std::string> TextFromJson(const Json& v, std::string& bytes);
// 'Piano' or <hex 50ff>.
std::string TextWords(std::string_view stored);
// A name without what follows its first zero byte and without trailing blanks.
std::string ShownName(std::string_view stored);

struct ByteRun {
    unsigned offset, length;
};
// The maximal runs of bytes within the ranges where now differs from then.
std::vector<ByteRun> DifferingRuns(const std::uint8_t* now, const std::uint8_t* then,
                                   const std::vector<ByteRange>& ranges);
// Adds a member the object does not hold yet, without looking for it among the others.
void Append(Json& object, std::string key, Json value);
// The runs as {"offset": "hex bytes of now"}.
Json RunsJson(const std::uint8_t* now, const std::vector<ByteRun>& runs);

} // namespace ovb::description
