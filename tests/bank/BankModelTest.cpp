// A reset bank must match, byte for byte, the defaults the sound module expects. The expected
// records here are built from the published byte tables, independently of the model's own code.
#include "bank/Acc_bank_structure.h"
#include "bank/NameEdit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace ovb;
using namespace std::string_literals;

namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename T> Bytes BytesOf(const T& rec) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&rec);
    return Bytes(p, p + sizeof rec);
}

void PutName(Bytes& b, std::size_t offset, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        b[offset + i] = ' ';
    b[offset] = b[offset + 2] = b[offset + 4] = '-';
}

Bytes ExpectedSound() {
    Bytes b(512, 0);
    PutName(b, 0, 16);
    int singles[][2] = {{21, 30},   {24, 10},   {26, 99},   {44, 100},  {46, 48},   {47, 79},
                        {48, 64},   {49, 48},   {50, 43},   {51, 57},   {52, 48},   {53, 58},
                        {54, 64},   {55, 48},   {56, 89},   {57, 64},   {58, 48},   {59, 103},
                        {60, 57},   {306, 32},  {312, 128}, {313, 100}, {314, 40},  {316, 2},
                        {317, 2},   {318, 2},   {319, 2},   {321, 48},  {322, 100}, {323, 10},
                        {324, 100}, {325, 200}, {326, 1},   {330, 30},  {332, 14},  {333, 14},
                        {334, 1},   {335, 15},  {338, 100}, {339, 8},   {364, 127}, {366, 8},
                        {391, 100}, {393, 250}, {397, 5},   {398, 64},  {411, 15},  {430, 5},
                        {431, 64},  {444, 15}};
    for (auto& s : singles)
        b[s[0]] = std::uint8_t(s[1]);
    for (int i = 340; i < 360; i += 2)
        b[i] = 100;
    for (int i = 367; i < 389; i += 2)
        b[i] = 100;
    for (int g = 484; g < 504; g += 4) {
        b[g] = 32;
        b[g + 1] = 100;
        b[g + 2] = 176;
    }
    for (int z = 0; z < 20; ++z) {
        int o = 64 + 12 * z;
        b[o + 2] = 127;
        b[o + 3] = 150;
        b[o + 4] = 127;
        b[o + 7] = 64;
        b[o + 9] = 64;
    }
    return b;
}

Bytes ExpectedGlobal() {
    Bytes b(2048, 0);
    int singles[][2] = {{0, 31},   {1, 5},    {2, 31}, {3, 1},    {12, 2},
                        {14, 2},   {23, 1},   {27, 1}, {33, 127}, {35, 127},
                        {41, 127}, {43, 127}, {96, 1}, {99, 32},  {103, 50}};
    for (auto& s : singles)
        b[s[0]] = std::uint8_t(s[1]);
    for (int g = 0; g < 8; ++g)
        for (int i = 0; i < 12; ++i)
            b[120 + 16 * g + i] = 16;
    for (int w = 0; w < 160; ++w) {
        b[1024 + 2 * w] = 1000 & 0xFF;
        b[1025 + 2 * w] = 1000 >> 8;
    }
    return b;
}

Bytes ExpectedHeader() {
    Bytes b(512, 0);
    std::memcpy(b.data(), "Zerwintal Orvelanta Sampler Bank File OVB       ", 48);
    std::uint8_t fills[] = {0x55, 0xAA, 0x11, 0xF1, 0x80, 0x44, 0xC3};
    for (int k = 0; k < 7; ++k)
        for (int i = 0; i < 16; ++i)
            b[48 + 16 * k + i] = fills[k];
    std::uint8_t key[] = {0xF0, 0x22, 0x55, 0x00, 0x00, 0xFF, 0xFF, 0xF0,
                          0xFF, 0x13, 0xB6, 0xF0, 0x55, 0x44, 0x22, 0x11};
    std::memcpy(&b[160], key, 16);
    for (int i = 240; i < 256; i += 2)
        b[i] = 0x55, b[i + 1] = 0xAA;
    for (int i = 496; i < 511; i += 2)
        b[i] = 0x55, b[i + 1] = 0xAA;
    b[511] = 0x01; // overwrites the 0xAA that the loop put there
    return b;
}

Bytes ExpectedLastSector() {
    Bytes b = ExpectedHeader();
    std::fill(b.begin() + 240, b.end(), 0);
    for (int start : {240, 304, 368, 416})
        for (int i = start; i < start + 16; i += 2)
            b[i] = 0x55, b[i + 1] = 0xAA;
    for (int i = 464; i < 511; i += 2)
        b[i] = 0x55, b[i + 1] = 0xAA;
    b[511] = 0x5A;
    return b;
}

} // namespace

// A new bank is a reset one. That a reset after edits and loads gives this bank again is checked
// by the refused loads of banks and scripts (ExpectResetBank).
TEST(BankModel, ResetRecordsMatchModuleDefaults) {
    as_bank bank;

    Bytes scene(512, 0);
    PutName(scene, 0, 32);
    for (int i = 32; i < 64; ++i)
        scene[i] = ' ';
    Bytes layers(512, 0);
    PutName(layers, 0, 32);
    Bytes multisample(1536, 0);
    PutName(multisample, 0, 16);
    for (int s = 0; s < 64; ++s)
        multisample[256 + 20 * s + 7] = 0x81;
    const Bytes sound = ExpectedSound();

    for (unsigned i : {0u, 5u, 999u}) {
        EXPECT_EQ(BytesOf(bank.scene(i)), scene) << i;
        EXPECT_EQ(BytesOf(bank.solo(i)), layers) << i;
        EXPECT_EQ(BytesOf(bank.acomp(i)), layers) << i; // same bytes as a new layer record
        EXPECT_EQ(BytesOf(bank.fbass(i)), layers) << i;
        EXPECT_EQ(BytesOf(bank.chord(i)), layers) << i;
    }
    for (unsigned i : {0u, 3u, 9999u}) {
        EXPECT_EQ(BytesOf(bank.sound(i)), sound) << i;
        EXPECT_EQ(BytesOf(bank.multisample(i)), multisample) << i;
    }
    EXPECT_EQ(BytesOf(bank.records().global), ExpectedGlobal());
    EXPECT_EQ(BytesOf(bank.info()), Bytes(512, 0));
    EXPECT_EQ(BytesOf(bank.records().header), ExpectedHeader());
    EXPECT_EQ(BytesOf(bank.records().last_sector), ExpectedLastSector());

    std::string marker;
    for (int i = 0; i < 32; ++i)
        marker += "MultisampleNames";
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(bank.records().path_marker_sector.data()), 512),
        marker);
}

TEST(BankModel, PackedFieldsSitInTheirBitsAndKeepTheBitsBesideThem) {
    as_zone z = NewZone();
    z.ms_and_flags = 0x3; // the separate 2-bit field below the multisample
    z.set_multisample(9999);
    EXPECT_EQ(z.ms_and_flags, 9999 << 2 | 3);
    EXPECT_EQ(z.multisample(), 9999u);
    as_sample_V1 s = NewSample();
    s.set_stereo(true); // the top bit, above 30 bits of start sector
    s.set_start_sector(0x3FFFFFFF);
    EXPECT_EQ(s.placement, 0xBFFFFFFFu);
    s.set_start_sector(327680);
    s.set_stereo(false);
    EXPECT_EQ(s.placement, 327680u);
}

TEST(BankModel, FileInfoFieldsAreLittleEndianAtTheirOffsets) {
    bank_file_info info{};
    info.set_bank_size(0x0102030405060708ull);
    info.set_sample_data_offset(167772160);
    EXPECT_EQ(info.raw[4], 0x08);
    EXPECT_EQ(info.raw[11], 0x01);
    EXPECT_EQ(info.raw[15], 0x0A); // 0x0A000000
    info.set_bank_path(std::string(300, 'x'));
    EXPECT_EQ(info.bank_path().size(), 255u); // always zero-terminated inside its 256 bytes
    EXPECT_EQ(info.raw[511], 0);
}

TEST(BankModel, UsedSlotsInBankOrderKeepRepeats) {
    as_bank bank;
    bank.path(7, 63) = "C:\\last.wav";
    bank.path(0, 5) = "C:\\a.wav";
    bank.path(0, 9) = "C:\\a.wav";
    bank.path(7, 1) = "D:\\b.wav";
    const std::vector<UsedSlot> all = UsedSlots(bank);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(std::pair(all[2].multisample, all[2].slot), std::pair(7u, 1u));
    EXPECT_EQ(SlotPaths(all),
              (std::vector<std::string>{"C:\\a.wav", "C:\\a.wav", "D:\\b.wav", "C:\\last.wav"}));
    EXPECT_EQ(SlotPaths(UsedSlots(bank, 7)),
              (std::vector<std::string>{"D:\\b.wav", "C:\\last.wav"}));
    EXPECT_TRUE(UsedSlots(bank, 1).empty());
}

// Names typed into a name cell: bounded copy with zero fill, and the empty-record marker when the
// cell is cleared. Expected bytes are spelled out so the padding rule itself is checked.
TEST(BankModel, EditedNamesAreCutToTheWidthZeroFilledAndAnEmptyTextStoresTheMarker) {
    const auto bytes = [](const auto& name) { return std::string(name.data(), name.size()); };
    Name<32> name;
    name.fill('X');
    EditName(name, "Piano");
    EXPECT_EQ(bytes(name), "Piano" + std::string(27, '\0'));
    EXPECT_EQ(NameString(name), "Piano");
    name.fill('Q');
    EditName(name, "");
    EXPECT_EQ(bytes(name), "- - -" + std::string(27, '\0'));

    // Exactly the width is all text, without terminator (longer texts are cut by the name grids'
    // tests).
    EXPECT_EQ(bytes(EditedName<16>("0123456789abcdef")), "0123456789abcdef");
    // The text ends at its first zero byte; one that starts with it is an empty cell.
    EXPECT_EQ(bytes(EditedName<16>("Ab\0cd"s)), "Ab"s + std::string(14, '\0'));
    EXPECT_EQ(bytes(EditedName<16>("\0xyz"s)), "- - -"s + std::string(11, '\0'));
}
