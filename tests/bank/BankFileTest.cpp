// Bank files as the module reads them: exact layout and audio placement. The banks are written
// into memory.
#include "bank/BankFileWriter.h"
#include "bank/BankLayout.h"
#include "bank/BankSize.h"
#include "job/MemoryStore.h"
#include "job/ScriptedJobServices.h"
#include "support/BankNames.h"
#include "support/TestFiles.h"
#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ovb;
using namespace ovb::test;

namespace {

constexpr std::uint64_t kAudio = 167772160;
constexpr std::uint64_t kEmptyPathArea = 640000 * 7; // "- - -" CR LF per slot

std::vector<std::uint8_t> Bytes(const void* p, std::size_t n) {
    auto* b = static_cast<const std::uint8_t*>(p);
    return {b, b + n};
}

struct BankWithSamples {
    TempDir dir;
    MemoryStore files;
    as_bank bank;
    std::filesystem::path mono = dir / "Piano C 3.wav", stereo = dir / "Pad C 4.wav",
                          odd = dir / "odd.wav";
    BankWithSamples() {
        WriteWav(mono, false, 512 * 3, 10);
        WriteWav(stereo, true, 1024, 20);
        WriteWav(odd, false, 512 * 2 + 1, 30);
        SetName(bank.multisample(1).name, "Piano");
        bank.path(1, 0) = mono.string();
        bank.path(1, 5) = stereo.string();
        bank.path(9999, 63) = odd.string();
        bank.sound(3).zone[0].set_multisample(1);
    }
};

} // namespace

TEST(BankFile, EmptyBankHasTheDocumentedLayout) {
    MemoryStore files;
    as_bank bank;
    ScriptedJobServices ui;
    const std::filesystem::path file = "/banks/empty.ovb";
    ASSERT_TRUE(CreateBankFile(bank, file, ui, {files}));
    const std::uint64_t total = kAudio + 512 + 2 * kEmptyPathArea + 512;
    EXPECT_EQ(files.size(file), total);
    EXPECT_EQ(bank.info().bank_size(), total);
    EXPECT_EQ(bank.info().sample_data_offset(), kAudio);
    EXPECT_EQ(bank.info().sample_data_size(), 0u);
    EXPECT_EQ(bank.info().path_area_size(), 2 * kEmptyPathArea);
    EXPECT_EQ(bank.info().bank_path(), file.string());

    auto head = files.bytes(file, 0, 2048);
    EXPECT_EQ(Bytes(head.data(), 512), Bytes(BankHeaderTemplate().data(), 512));
    EXPECT_EQ(Bytes(head.data() + 512, 512), Bytes(&bank.info(), 512));
    EXPECT_EQ(Bytes(head.data() + 1024, 512), Bytes(&bank.info(), 512));
    EXPECT_EQ(Bytes(head.data() + 1536, 512), std::vector<std::uint8_t>(512, 0));
    // The sixth copy of the sounds ends right where the multisample copies begin.
    const std::uint64_t lastSound = 2048 + 6 * 7682048ull - 512;
    EXPECT_EQ(files.bytes(file, lastSound, 512), Bytes(&bank.sound(9999), 512));
    const std::uint64_t firstMs6 = 2048 + 6 * 7682048ull + 5 * 15360000ull;
    EXPECT_EQ(files.bytes(file, firstMs6, 1536), Bytes(&bank.multisample(0), 1536));

    auto tail = files.bytes(file, kAudio, 512 + 14);
    EXPECT_EQ(std::string(tail.begin(), tail.begin() + 16), "MultisampleNames");
    EXPECT_EQ(std::string(tail.begin() + 512, tail.end()), "- - -\r\n- - -\r\n");
    EXPECT_EQ(files.bytes(file, total - 512, 512), Bytes(LastSectorTemplate().data(), 512));
    EXPECT_TRUE(ui.transcript.empty()) << ui.shown().front();
}

TEST(BankFile, AudioIsPlacedInSectorsWithZeroFill) {
    BankWithSamples b;
    ScriptedJobServices ui;
    auto file = b.dir / "bank.ovb";
    ASSERT_TRUE(CreateBankFile(b.bank, file, ui, {b.files}));

    const auto& m1 = b.bank.multisample(1);
    EXPECT_EQ(m1.sample[0].start_sector(), 327680u);
    EXPECT_EQ(m1.sample[0].length_sectors, 3);
    EXPECT_FALSE(m1.sample[0].stereo());
    EXPECT_EQ(m1.sample[5].start_sector(), 327683u);
    EXPECT_EQ(m1.sample[5].length_sectors, 2);
    EXPECT_TRUE(m1.sample[5].stereo());
    const auto& last = b.bank.multisample(9999).sample[63];
    EXPECT_EQ(last.start_sector(), 327685u);
    EXPECT_EQ(last.length_sectors, 3); // 1025 bytes
    EXPECT_EQ(b.bank.info().sample_data_size(), 8u * 512);

    EXPECT_EQ(b.files.bytes(file, kAudio, 1536), PatternBytes(1536, 10));
    EXPECT_EQ(b.files.bytes(file, kAudio + 1536, 1024), PatternBytes(1024, 20));
    auto odd = PatternBytes(1025, 30);
    odd.resize(1536); // zero filled to the sector end
    EXPECT_EQ(b.files.bytes(file, kAudio + 2560, 1536), odd);
    EXPECT_EQ(b.files.bytes(file, kAudio + 8 * 512, 16), Bytes("MultisampleNames", 16));
    const std::size_t slotLength = b.mono.string().size() + 2;
    EXPECT_EQ(b.bank.records().path_length_table[64], std::uint8_t(slotLength));
    EXPECT_EQ(b.bank.records().path_length_table[0], 7);
}

TEST(BankFile, FaultyWavFilesAreReportedAndNothingIsWritten) {
    BankWithSamples b;
    WriteAll(b.dir / "text.wav", {'h', 'e', 'l', 'l', 'o'});
    WriteWav(b.dir / "null.wav", false, 0);
    b.bank.path(2, 0) = (b.dir / "text.wav").string();
    b.bank.path(2, 1) = (b.dir / "gone.wav").string();
    b.bank.path(3, 7) = (b.dir / "null.wav").string();
    auto file = b.dir / "bank.ovb";
    b.files.put(file, {1, 2, 3});
    ScriptedJobServices ui;
    ui.answers = {Answer::Yes, Answer::Yes, Answer::No};
    EXPECT_FALSE(CreateBankFile(b.bank, file, ui, {b.files}));

    ASSERT_EQ(ui.reports.size(), 2u);
    EXPECT_EQ(ui.reports[0],
              (std::vector<std::string>{"Found 1 invalid WAV files!!!",
                                        "Multisample Num: 2 - - - -           ", // full-width name
                                        "1. No WAV file: " + (b.dir / "text.wav").string()}));
    EXPECT_EQ(ui.transcript[0].text, "Found 1 invalid WAV files!!!\n\nShow invalid files ?");
    EXPECT_EQ(ui.transcript[1].caption, "Report: Invalid Files");
    EXPECT_EQ(ui.reports[1][2], "1. Missing file: " + (b.dir / "gone.wav").string());
    EXPECT_TRUE(ui.showed("Info", "Null size WAV files 1 !!!\n\nShow null size files ?"));
    EXPECT_TRUE(ui.showed("Bank creation...", "ERRORR...\nCreation of bank is IMPOSSIBLE!\n"
                                              "Found 3 erros!\n\nBank is NOT created!"));
    EXPECT_EQ(b.files.bytes(file), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(BankFile, SamplesTheSectorFieldCannotHoldAreErrors) {
    TempDir dir;
    as_bank bank;
    auto big = dir / "big.wav";
    auto sized = [&](std::uint32_t data) {
        const auto header = MakeWavHeader(false, data);
        WriteAll(big, {header.begin(), header.end()});
        std::filesystem::resize_file(big, 44 + data); // sparse: the audio is zeros
    };
    sized(65535u * 512 + 1);
    bank.path(4, 0) = big.string();
    ScriptedJobServices ui;
    ui.answers = {Answer::Yes};
    BankSizeResult r = CalculateBankSize(bank, ui);
    EXPECT_EQ(r.errors, 1u);
    EXPECT_EQ(bank.multisample(4).sample[0].start_sector(), 0u);
    ASSERT_EQ(ui.reports.size(), 1u);
    EXPECT_EQ(ui.reports[0].back(),
              "1. WAV file too long for one sample (over 65535 sectors): " + big.string());

    sized(65535u * 512);
    r = CalculateBankSize(bank, ui);
    EXPECT_EQ(r.errors, 0u);
    EXPECT_EQ(bank.multisample(4).sample[0].length_sectors, 65535);
}

TEST(BankFile, PathLengthLimitAndSizeText) {
    as_bank bank;
    bank.path(0, 0) = std::string(254, 'x');
    bank.path(0, 1) = std::string(253, 'y');
    ScriptedJobServices ui;
    ui.fallback = Answer::No;
    BankSizeResult r = CalculateBankSize(bank, ui);
    EXPECT_EQ(r.errors, 3u); // two missing files and one path too long
    EXPECT_TRUE(
        ui.showed("Info", "In this bank, have 1 path to WAV files with path length > 255 bytes!"));
    EXPECT_EQ(bank.records().path_length_table[0], 0); // 256 kept as one byte
    EXPECT_EQ(bank.records().path_length_table[1], 255);
    EXPECT_EQ(r.pathAreaSize, 2 * (kEmptyPathArea - 14 + 256 + 255));
    EXPECT_EQ(EstimatedSizeText(1572864), "Estimated Bank Size is:  1.50 MB  /  1 572 864 bytes");
    EXPECT_EQ(EstimatedSizeText(1000), "Estimated Bank Size is:  1000 bytes  /  1 000 bytes");
}

TEST(BankFile, AFileChangedAfterTheCalculationStopsTheCreation) {
    BankWithSamples b;
    auto file = b.dir / "bank.ovb";
    ScriptedJobServices ui;
    ui.onEvents = [&] {
        // Grows the stereo file once the writer has started copying audio.
        if (ui.progressText == b.mono.string()) WriteWav(b.stereo, true, 4096, 20);
    };
    EXPECT_FALSE(CreateBankFile(b.bank, file, ui, {b.files}));
    EXPECT_TRUE(b.files.names().empty());
    EXPECT_EQ(ui.transcript.back().caption, "Bank creation...");
}
