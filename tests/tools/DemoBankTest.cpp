// The demo script and bank built with the project: both load without a question or an error,
// each instrument of the library sits on the notes its file names give, and the bank file holds
// the audio of the WAV files where its sample records point.
#include "../../demo/DemoInstruments.h"

#include "bank/BankFileLoader.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"
#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace ovb;
namespace fs = std::filesystem;
namespace demo = ovb::demo;

namespace {

const fs::path kDemoDir = OVB_DEMO_DIR;

void ExpectQuietLoad(const ScriptedJobServices& ui) {
    for (const auto& e : ui.transcript)
        EXPECT_TRUE(e.what != "ask" && e.caption != "Error") << e.caption << ": " << e.text;
    EXPECT_EQ(ui.unplanned, 0);
}

fs::path SampleFile(const demo::DemoInstrument& in, unsigned note) {
    return kDemoDir / "library" / in.folder / demo::SampleFileName(in, note);
}

// Multisample i + 1 holds instrument i: its file for every sampled note, nothing elsewhere.
void ExpectInstrumentsOnTheirNotes(const as_bank& bank) {
    for (unsigned i = 0; i < demo::kDemoInstruments.size(); ++i) {
        const auto& in = demo::kDemoInstruments[i];
        SCOPED_TRACE(std::string(in.name));
        EXPECT_EQ(NameString(bank.multisample(i + 1).name), in.name);
        for (unsigned slot = 0; slot < kSamplesPerMultisample; ++slot) {
            const unsigned note = slot + 36;
            const bool sampled =
                note >= in.firstNote && note <= in.lastNote && (note - in.firstNote) % in.step == 0;
            EXPECT_EQ(bank.path(i + 1, slot),
                      sampled ? SampleFile(in, note).string() : std::string(kEmptyPath))
                << "slot " << slot;
        }
    }
}

} // namespace

TEST(DemoBank, ScriptAndBankFileLoadQuietlyAndTheBankHoldsTheAudioWhereItsSamplesPoint) {
    as_bank script;
    ScriptedJobServices scriptUi;
    ASSERT_TRUE(LoadScript(script, kDemoDir / "Demo.ovs", scriptUi));
    ExpectQuietLoad(scriptUi);
    ExpectInstrumentsOnTheirNotes(script);

    const fs::path file = kDemoDir / "Demo.ovb";
    as_bank bank;
    ScriptedJobServices ui;
    ASSERT_TRUE(LoadBankFile(bank, file, ui));
    ExpectQuietLoad(ui);
    ExpectInstrumentsOnTheirNotes(bank);

    // The highest note of each instrument, mono and stereo alike.
    for (unsigned i = 0; i < demo::kDemoInstruments.size(); ++i) {
        const auto& in = demo::kDemoInstruments[i];
        SCOPED_TRACE(std::string(in.name));
        const as_sample_V1& sample = bank.multisample(i + 1).sample[in.lastNote - 36];
        std::ifstream wav(SampleFile(in, in.lastNote), std::ios::binary);
        const WavLayout layout = ParseWav(wav); // whole and not empty: the demo library test
        EXPECT_EQ(sample.stereo(), in.stereo);
        EXPECT_EQ(sample.length_sectors, (layout.dataSize + kSector - 1) / kSector);
        const auto expected =
            test::ReadRange(SampleFile(in, in.lastNote), layout.dataOffset, layout.dataSize);
        const auto stored =
            test::ReadRange(file, std::uint64_t(sample.start_sector()) * kSector, layout.dataSize);
        EXPECT_EQ(stored, expected);
    }
}
