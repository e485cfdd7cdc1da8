#pragma once
// The bank in memory: one block laid out exactly like the description part of the bank and
// script files, followed by the 10000 lists of 64 sample paths. Records are addressed by table
// and index; nobody keeps copies of them.
#include "base/ByteOrder.h"
#include "base/LargeBlock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovb {

constexpr unsigned kScenes = 1000;
constexpr unsigned kSetups = 1000; // solo, acomp, F.bass and chord tables each
constexpr unsigned kSounds = 10000;
constexpr unsigned kMultisamples = 10000;
constexpr unsigned kSamplesPerMultisample = 64;
constexpr unsigned kZones = 20;
constexpr unsigned kSlots = kMultisamples * kSamplesPerMultisample; // 640000
constexpr unsigned kSector = 512;

// Text of an empty path slot, and the start of every empty record's name.
constexpr std::string_view kEmptyPath = "- - -";
constexpr std::string_view kNoLoadedBank = "No loaded bank!";

using Sector = std::array<std::uint8_t, kSector>;

// Name16/Name32 arrays are space padded and carry no terminator of their own.
template <std::size_t N> using Name = std::array<char, N>;
template <std::size_t N> std::string NameText(const Name<N>& n) {
    return std::string(n.data(), N);
}
// The text of a name up to the first zero byte (editors may leave zeros after the text).
template <std::size_t N> std::string NameString(const Name<N>& n) {
    std::size_t len = 0;
    while (len < N && n[len] != '\0')
        ++len;
    return std::string(n.data(), len);
}
template <std::size_t N> Name<N> EmptyName() {
    Name<N> n;
    n.fill(' ');
    n[0] = n[2] = n[4] = '-';
    return n;
}

// Unaligned fields (u64 at offset 4): accessed through little-endian helpers only.
struct bank_file_info {
    std::uint8_t raw[512];

    std::uint32_t info_flags() const { return GetLe32(raw + 0); }
    std::uint64_t bank_size() const { return GetLe64(raw + 4); }
    std::uint64_t sample_data_offset() const { return GetLe64(raw + 12); }
    std::uint64_t sample_data_size() const { return GetLe64(raw + 20); }
    std::uint64_t path_area_size() const { return GetLe64(raw + 28); }
    std::string bank_path() const; // up to the first zero byte

    void set_info_flags(std::uint32_t v) { PutLe32(raw + 0, v); }
    void set_bank_size(std::uint64_t v) { PutLe64(raw + 4, v); }
    void set_sample_data_offset(std::uint64_t v) { PutLe64(raw + 12, v); }
    void set_sample_data_size(std::uint64_t v) { PutLe64(raw + 20, v); }
    void set_path_area_size(std::uint64_t v) { PutLe64(raw + 28, v); }
    void set_bank_path(std::string_view path); // zero-filled to 256 bytes; longer text is cut
};
static_assert(sizeof(bank_file_info) == 512);

struct global_parameter {
    std::uint8_t raw[2048];
};
static_assert(sizeof(global_parameter) == 2048);

struct as_scenne {
    Name<32> name;
    Name<32> text2;
    std::uint16_t solo;
    std::uint16_t acomp;
    std::uint8_t rest[444];
};
static_assert(sizeof(as_scenne) == 512);
static_assert(offsetof(as_scenne, text2) == 32 && offsetof(as_scenne, solo) == 64 &&
              offsetof(as_scenne, acomp) == 66);

// Solo, F.bass and chord set-ups share one layout; the third layer of F.bass and chord is the
// percussion layer.
struct as_layers {
    Name<32> name;
    std::uint16_t sound1, sound2, sound3;
    std::uint8_t gap[2];
    std::uint8_t sound1_on, sound2_on, sound3_on;
    std::uint8_t rest[469];
};
static_assert(sizeof(as_layers) == 512);
static_assert(offsetof(as_layers, sound1) == 32 && offsetof(as_layers, sound2) == 34 &&
              offsetof(as_layers, sound3) == 36 && offsetof(as_layers, sound1_on) == 40 &&
              offsetof(as_layers, sound2_on) == 41 && offsetof(as_layers, sound3_on) == 42);
using as_solo = as_layers;
using as_fbass = as_layers;
using as_chord = as_layers;

struct as_acomp {
    Name<32> name;
    std::uint16_t fbass;
    std::uint16_t chord;
    std::uint8_t rest[476];
};
static_assert(sizeof(as_acomp) == 512);
static_assert(offsetof(as_acomp, fbass) == 32 && offsetof(as_acomp, chord) == 34);

struct as_zone {
    std::uint16_t ms_and_flags; // multisample index in bits 2..15, a 2-bit field in bits 0..1
    std::uint8_t volume;        // byte 2, 0..127
    std::uint8_t b3;
    std::uint8_t velocity_high; // byte 4
    std::uint8_t b5, b6;
    std::uint8_t transpose; // byte 7, 64 means 0
    std::uint8_t b8, b9, b10, b11;

    unsigned multisample() const { return ms_and_flags >> 2; }
    void set_multisample(unsigned index) {
        ms_and_flags = std::uint16_t((index << 2) | (ms_and_flags & 3u));
    }
};
static_assert(sizeof(as_zone) == 12);
static_assert(offsetof(as_zone, volume) == 2 && offsetof(as_zone, velocity_high) == 4 &&
              offsetof(as_zone, transpose) == 7);

struct as_sound {
    Name<16> name;
    std::uint32_t category;
    std::uint8_t osc_mode;
    std::uint8_t params_a[43];
    as_zone zone[kZones];
    std::uint8_t params_b[208];
};
static_assert(sizeof(as_sound) == 512);
static_assert(offsetof(as_sound, category) == 16 && offsetof(as_sound, osc_mode) == 20 &&
              offsetof(as_sound, params_a) == 21 && offsetof(as_sound, zone) == 64 &&
              offsetof(as_sound, params_b) == 304);

struct as_sample_V1 {
    std::uint32_t placement; // start_sector in bits 0..29, bit 30 zero, stereo in bit 31
    std::uint16_t length_sectors;
    std::uint8_t params[14];

    std::uint32_t start_sector() const { return placement & 0x3FFFFFFFu; }
    bool stereo() const { return (placement >> 31) != 0; }
    void set_start_sector(std::uint32_t s) {
        placement = (placement & 0xC0000000u) | (s & 0x3FFFFFFFu);
    }
    void set_stereo(bool on) { placement = (placement & 0x7FFFFFFFu) | (on ? 0x80000000u : 0u); }
    // For a record whose audio is not (or no longer) where it says in this bank's file: a
    // record with no length plays nothing rather than another sample's audio.
    void forget_placement() {
        placement = 0;
        length_sectors = 0;
    }
};
static_assert(sizeof(as_sample_V1) == 20);
static_assert(offsetof(as_sample_V1, length_sectors) == 4 && offsetof(as_sample_V1, params) == 6);

struct as_multisample {
    Name<16> name;
    std::array<char, 240> comment;
    as_sample_V1 sample[kSamplesPerMultisample];
};
static_assert(sizeof(as_multisample) == 1536);
static_assert(offsetof(as_multisample, comment) == 16 && offsetof(as_multisample, sample) == 256);

// The fixed-size block. Its layout is the file layout; the offsets are checked below.
struct as_bank_records {
    Sector header;
    bank_file_info info;
    global_parameter global;
    as_scenne scene[kScenes];
    as_solo solo[kSetups];
    as_acomp acomp[kSetups];
    as_fbass fbass[kSetups];
    as_chord chord[kSetups];
    as_sound sound[kSounds];
    as_multisample multisample[kMultisamples];
    std::uint8_t reserved_a[15360000]; // never stored in any file
    std::uint8_t path_length_table[kSlots];
    std::uint8_t reserved_b[262144];
    std::uint8_t reserved_c[27975680];
    Sector path_marker_sector;
    Sector last_sector;
};
static_assert(offsetof(as_bank_records, info) == 512);
static_assert(offsetof(as_bank_records, global) == 1024);
static_assert(offsetof(as_bank_records, scene) == 3072);
static_assert(offsetof(as_bank_records, solo) == 515072);
static_assert(offsetof(as_bank_records, acomp) == 1027072);
static_assert(offsetof(as_bank_records, fbass) == 1539072);
static_assert(offsetof(as_bank_records, chord) == 2051072);
static_assert(offsetof(as_bank_records, sound) == 2563072);
static_assert(offsetof(as_bank_records, multisample) == 7683072);
static_assert(offsetof(as_bank_records, reserved_a) == 23043072);
static_assert(offsetof(as_bank_records, path_length_table) == 38403072);
static_assert(offsetof(as_bank_records, reserved_b) == 39043072);
static_assert(offsetof(as_bank_records, reserved_c) == 39305216);
static_assert(offsetof(as_bank_records, path_marker_sector) == 67280896);
static_assert(offsetof(as_bank_records, last_sector) == 67281408);
static_assert(sizeof(as_bank_records) == 67281920);

using SamplePathList = std::array<std::string, kSamplesPerMultisample>;

enum class Table { Scene, Solo, Acomp, Fbass, Chord, Sound, Multisample };

// The sector templates every bank and script file carries.
const Sector& BankHeaderTemplate();
const Sector& LastSectorTemplate();
const Sector& PathMarkerTemplate();

// Records as a new bank holds them.
as_scenne NewScene();
as_layers NewLayers();
as_acomp NewAcomp();
as_sound NewSound();
as_zone NewZone();
as_sample_V1 NewSample();
as_multisample NewMultisample();
global_parameter NewGlobalParameter();

class as_bank {
  public:
    as_bank(); // a reset bank
    ~as_bank();
    as_bank(const as_bank&) = delete;
    as_bank& operator=(const as_bank&) = delete;

    void reset();

    as_bank_records& records() { return *r_; }
    const as_bank_records& records() const { return *r_; }
    bank_file_info& info() { return r_->info; }
    const bank_file_info& info() const { return r_->info; }

    as_scenne& scene(unsigned i) { return r_->scene[i]; }
    as_solo& solo(unsigned i) { return r_->solo[i]; }
    as_acomp& acomp(unsigned i) { return r_->acomp[i]; }
    as_fbass& fbass(unsigned i) { return r_->fbass[i]; }
    as_chord& chord(unsigned i) { return r_->chord[i]; }
    as_sound& sound(unsigned i) { return r_->sound[i]; }
    as_multisample& multisample(unsigned i) { return r_->multisample[i]; }
    const as_scenne& scene(unsigned i) const { return r_->scene[i]; }
    const as_solo& solo(unsigned i) const { return r_->solo[i]; }
    const as_acomp& acomp(unsigned i) const { return r_->acomp[i]; }
    const as_fbass& fbass(unsigned i) const { return r_->fbass[i]; }
    const as_chord& chord(unsigned i) const { return r_->chord[i]; }
    const as_sound& sound(unsigned i) const { return r_->sound[i]; }
    const as_multisample& multisample(unsigned i) const { return r_->multisample[i]; }

    // Any record as bytes, by table and index.
    std::span<std::uint8_t> record(Table table, unsigned index);
    std::span<const std::uint8_t> record(Table table, unsigned index) const {
        return const_cast<as_bank*>(this)->record(table, index);
    }
    static unsigned tableSize(Table table);

    SamplePathList& paths(unsigned multisample) { return sample_paths_[multisample]; }
    const SamplePathList& paths(unsigned multisample) const { return sample_paths_[multisample]; }
    std::string& path(unsigned multisample, unsigned slot) {
        return sample_paths_[multisample][slot];
    }
    const std::string& path(unsigned multisample, unsigned slot) const {
        return sample_paths_[multisample][slot];
    }
    void clearPaths();

    // The name of the loaded file, shown in captions; "No loaded bank!" after a reset.
    const std::string& loadedFile() const { return loaded_file_; }
    void setLoadedFile(std::string name) { loaded_file_ = std::move(name); }

  private:
    struct FreeRecords {
        void operator()(as_bank_records* p) const;
    };
    std::unique_ptr<as_bank_records, FreeRecords> r_;
    std::vector<SamplePathList, LargeBlockAllocator<SamplePathList>> sample_paths_;
    std::string loaded_file_;
};

inline bool IsEmptyPath(std::string_view path) {
    return path == kEmptyPath;
}

// A slot that names a sample file. The path points into the bank: valid until the slot changes.
struct UsedSlot {
    unsigned multisample;
    unsigned slot;
    std::string_view path;
};
// The used slots in bank order (multisample, then slot), of the whole bank or of one multisample.
std::vector<UsedSlot> UsedSlots(const as_bank& bank);
std::vector<UsedSlot> UsedSlots(const as_bank& bank, unsigned multisample);
// Their paths, one per slot: a file that several slots name is listed as often.
std::vector<std::string> SlotPaths(const std::vector<UsedSlot>& slots);
// Whether the multisample names any sample file.
bool HasSamples(const as_bank& bank, unsigned multisample);

} // namespace ovb
