#include "bank/Acc_bank_structure.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace ovb {

namespace {

void FillPattern55AA(Sector& s, unsigned from, unsigned to) { // inclusive range
    for (unsigned i = from; i <= to; ++i)
        s[i] = (i % 2 == 0) ? 0x55 : 0xAA;
}

Sector MakeHeader() {
    Sector s{};
    const char text[] = "Zerwintal Orvelanta Sampler Bank File OVB       ";
    static_assert(sizeof(text) - 1 == 48);
    std::memcpy(s.data(), text, 48);
    const std::uint8_t fills[] = {0x55, 0xAA, 0x11, 0xF1, 0x80, 0x44, 0xC3};
    for (unsigned k = 0; k < 7; ++k)
        std::fill_n(s.begin() + 48 + 16 * k, 16, fills[k]);
    const std::uint8_t key[16] = {0xF0, 0x22, 0x55, 0x00, 0x00, 0xFF, 0xFF, 0xF0,
                                  0xFF, 0x13, 0xB6, 0xF0, 0x55, 0x44, 0x22, 0x11};
    std::memcpy(s.data() + 160, key, 16);
    FillPattern55AA(s, 240, 255);
    FillPattern55AA(s, 496, 510);
    s[511] = 0x01;
    return s;
}

Sector MakeLastSector() {
    Sector s{};
    const Sector& header = BankHeaderTemplate();
    std::copy_n(header.begin(), 240, s.begin());
    FillPattern55AA(s, 240, 255);
    FillPattern55AA(s, 304, 319);
    FillPattern55AA(s, 368, 383);
    FillPattern55AA(s, 416, 431);
    FillPattern55AA(s, 464, 510);
    s[511] = 0x5A;
    return s;
}

Sector MakePathMarker() {
    Sector s{};
    for (unsigned i = 0; i < 32; ++i)
        std::memcpy(s.data() + 16 * i, "MultisampleNames", 16);
    return s;
}

template <typename T> void FillTable(T* table, unsigned count, const T& value) {
    std::fill_n(table, count, value);
}

} // namespace

const Sector& BankHeaderTemplate() {
    static const Sector s = MakeHeader();
    return s;
}
const Sector& LastSectorTemplate() {
    static const Sector s = MakeLastSector();
    return s;
}
const Sector& PathMarkerTemplate() {
    static const Sector s = MakePathMarker();
    return s;
}

std::string bank_file_info::bank_path() const {
    const char* p = reinterpret_cast<const char*>(raw + 256);
    return std::string(p, strnlen(p, 256));
}

void bank_file_info::set_bank_path(std::string_view path) {
    std::memset(raw + 256, 0, 256);
    std::memcpy(raw + 256, path.data(), std::min<std::size_t>(path.size(), 255));
}

as_scenne NewScene() {
    as_scenne s{};
    s.name = EmptyName<32>();
    s.text2.fill(' ');
    return s;
}

as_layers NewLayers() {
    as_layers l{};
    l.name = EmptyName<32>();
    return l;
}

as_acomp NewAcomp() {
    as_acomp a{};
    a.name = EmptyName<32>();
    return a;
}

as_zone NewZone() {
    as_zone z{};
    z.volume = 127;
    z.b3 = 150;
    z.velocity_high = 127;
    z.transpose = 64;
    z.b9 = 64;
    return z;
}

as_sound NewSound() {
    as_sound s{};
    auto* b = reinterpret_cast<std::uint8_t*>(&s);
    const std::pair<unsigned, std::uint8_t> bytes[] = {
        {21, 30},   {24, 10},   {26, 99},  {44, 100},  {46, 48},   {47, 79},   {48, 64},
        {49, 48},   {50, 43},   {51, 57},  {52, 48},   {53, 58},   {54, 64},   {55, 48},
        {56, 89},   {57, 64},   {58, 48},  {59, 103},  {60, 57},   {306, 32},  {312, 128},
        {313, 100}, {314, 40},  {321, 48}, {322, 100}, {323, 10},  {324, 100}, {325, 200},
        {326, 1},   {330, 30},  {332, 14}, {333, 14},  {334, 1},   {335, 15},  {338, 100},
        {339, 8},   {364, 127}, {366, 8},  {391, 100}, {393, 250}, {397, 5},   {398, 64},
        {411, 15},  {430, 5},   {431, 64}, {444, 15}};
    for (auto [offset, value] : bytes)
        b[offset] = value;
    std::fill_n(b + 316, 4, 2);
    for (unsigned i = 0; i < 10; ++i)
        b[340 + 2 * i] = 100;
    for (unsigned i = 0; i < 11; ++i)
        b[367 + 2 * i] = 100;
    for (unsigned g = 0; g < 5; ++g) {
        b[484 + 4 * g] = 32;
        b[485 + 4 * g] = 100;
        b[486 + 4 * g] = 176;
    }
    s.name = EmptyName<16>();
    for (auto& z : s.zone)
        z = NewZone();
    return s;
}

as_sample_V1 NewSample() {
    as_sample_V1 s{};
    // The 5-bit field over bits 4..7 of byte 6 and bit 0 of byte 7 holds 16; bit 7 of byte 7 is
    // set.
    s.params[1] = 0x81;
    return s;
}

as_multisample NewMultisample() {
    as_multisample m{};
    m.name = EmptyName<16>();
    for (auto& s : m.sample)
        s = NewSample();
    return m;
}

global_parameter NewGlobalParameter() {
    global_parameter g{};
    auto* b = g.raw;
    const std::pair<unsigned, std::uint8_t> bytes[] = {
        {0, 31},   {1, 5},    {2, 31},   {3, 1},    {12, 2}, {14, 2},  {23, 1},  {27, 1},
        {33, 127}, {35, 127}, {41, 127}, {43, 127}, {96, 1}, {99, 32}, {103, 50}};
    for (auto [offset, value] : bytes)
        b[offset] = value;
    for (unsigned group = 0; group < 8; ++group)
        std::fill_n(b + 120 + 16 * group, 12, 16);
    for (unsigned w = 0; w < 160; ++w)
        PutLe16(b + 1024 + 2 * w, 1000);
    return g;
}

void as_bank::FreeRecords::operator()(as_bank_records* p) const {
    FreeLargeBlock(p, sizeof(as_bank_records));
}

as_bank::as_bank() : sample_paths_(kMultisamples) {
    // Zero-filled: the reserved blocks are left to the loaders, so their pages are only touched
    // when a file fills them.
    r_.reset(static_cast<as_bank_records*>(AllocateLargeBlock(sizeof(as_bank_records))));
    reset();
}

as_bank::~as_bank() = default;

void as_bank::reset() {
    as_bank_records& r = *r_;
    r.header = BankHeaderTemplate();
    std::memset(&r.info, 0, sizeof r.info);
    r.global = NewGlobalParameter();
    FillTable(r.scene, kScenes, NewScene());
    FillTable(r.solo, kSetups, NewLayers());
    FillTable(r.acomp, kSetups, NewAcomp());
    FillTable(r.fbass, kSetups, NewLayers());
    FillTable(r.chord, kSetups, NewLayers());
    FillTable(r.sound, kSounds, NewSound());
    FillTable(r.multisample, kMultisamples, NewMultisample());
    std::memset(r.path_length_table, 0, sizeof r.path_length_table);
    r.path_marker_sector = PathMarkerTemplate();
    r.last_sector = LastSectorTemplate();
    clearPaths();
    loaded_file_ = std::string(kNoLoadedBank);
}

void as_bank::clearPaths() {
    for (auto& list : sample_paths_)
        for (auto& p : list) {
            // A damaged file can leave paths of megabytes: give such buffers back.
            if (p.capacity() > 255)
                std::string(kEmptyPath).swap(p);
            else
                p.assign(kEmptyPath);
        }
}

unsigned as_bank::tableSize(Table table) {
    switch (table) {
    case Table::Scene:
        return kScenes;
    case Table::Sound:
        return kSounds;
    case Table::Multisample:
        return kMultisamples;
    default:
        return kSetups;
    }
}

std::span<std::uint8_t> as_bank::record(Table table, unsigned index) {
    auto bytes = [](auto& rec) {
        return std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(&rec), sizeof rec);
    };
    switch (table) {
    case Table::Scene:
        return bytes(r_->scene[index]);
    case Table::Solo:
        return bytes(r_->solo[index]);
    case Table::Acomp:
        return bytes(r_->acomp[index]);
    case Table::Fbass:
        return bytes(r_->fbass[index]);
    case Table::Chord:
        return bytes(r_->chord[index]);
    case Table::Sound:
        return bytes(r_->sound[index]);
    case Table::Multisample:
        return bytes(r_->multisample[index]);
    }
    return {};
}

namespace {
void AddUsedSlots(const as_bank& bank, unsigned multisample, std::vector<UsedSlot>& out) {
    for (unsigned s = 0; s < kSamplesPerMultisample; ++s)
        if (!IsEmptyPath(bank.path(multisample, s)))
            out.push_back({multisample, s, bank.path(multisample, s)});
}
} // namespace

std::vector<UsedSlot> UsedSlots(const as_bank& bank) {
    std::vector<UsedSlot> out;
    for (unsigned m = 0; m < kMultisamples; ++m)
        AddUsedSlots(bank, m, out);
    return out;
}

std::vector<UsedSlot> UsedSlots(const as_bank& bank, unsigned multisample) {
    std::vector<UsedSlot> out;
    AddUsedSlots(bank, multisample, out);
    return out;
}

bool HasSamples(const as_bank& bank, unsigned multisample) {
    const SamplePathList& paths = bank.paths(multisample);
    return std::any_of(paths.begin(), paths.end(),
                       [](const std::string& p) { return !IsEmptyPath(p); });
}

std::vector<std::string> SlotPaths(const std::vector<UsedSlot>& slots) {
    std::vector<std::string> out;
    out.reserve(slots.size());
    for (const UsedSlot& s : slots)
        out.emplace_back(s.path);
    return out;
}

} // namespace ovb
