// Export of WAV files from a bank file (kept in memory) split over small volumes: the files carry
// exactly the audio the bank holds (zero fill of the last sector included), Python's wave module
// reads them, name clashes, the marker files, and stored paths that try to leave the chosen folder.
#include "tools/SampleExport.h"
#include "bank/BankFileWriter.h"
#include "base/Formatting.h"
#include "job/MemoryStore.h"
#include "job/ScriptedJobServices.h"
#include "support/BankNames.h"
#include "support/Shell.h"
#include "support/TestFiles.h"
#include "tools/LibraryPaths.h"
#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <set>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

// Audio begins at 167772160; the second volume ends one sector into it, so the first sample
// is read across a volume boundary.
constexpr std::uint64_t kAudio = 167772160;
constexpr std::uint64_t kSmallVolume = kAudio / 2 + 256;

// Every regular file below a folder, relative to it.
std::set<std::string> FilesBelow(const fs::path& dir) {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file()) files.insert(fs::relative(e.path(), dir).string());
    return files;
}

class SampleExport : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir = new TempDir;
        bank = new as_bank;
        files = new MemoryStore;
        const fs::path lib = dir->path() / "lib";
        for (const char* folder : {"Piano", "Other", "Pad"})
            fs::create_directories(lib / folder);
        WriteWav(lib / "Piano" / "C3.wav", false, 3 * 512 + 100, 10); // first: spans a volume end
        WriteWav(lib / "Other" / "C3.wav", false, 700, 40);
        WriteWav(lib / "Pad" / "C4.wav", true, 3 * 512, 20);
        WriteWav(dir->path() / "outside.wav", false, 512, 60);
        bank->path(1, 0) = (lib / "Piano" / "C3.wav").string();
        bank->path(1, 1) = (lib / "Other" / "C3.wav").string(); // same file name as slot 0
        bank->path(1, 7) = (lib / "Pad" / "C4.wav").string();
        SetName(bank->multisample(1).name, "Piano");
        bank->path(2, 3) = (lib / "Pad" / "C4.wav").string();
        SetName(bank->multisample(2).name, "Pad");
        ScriptedJobServices ui;
        ASSERT_TRUE(CreateBankFile(*bank, BankPath(), ui, {*files, kSmallVolume}));
        ASSERT_TRUE(files->exists(dir->path() / "bank.O02")) << "the bank must span three volumes";
    }
    static void TearDownTestSuite() {
        delete files;
        delete bank;
        delete dir;
    }
    static fs::path BankPath() { return dir->path() / "bank.ovb"; }
    static fs::path Lib() { return dir->path() / "lib"; }

    // The audio a sample slot was made from, as the bank stores it: zero filled to whole sectors.
    static std::vector<std::uint8_t> Expected(std::size_t bytes, std::uint8_t seed) {
        auto audio = PatternBytes(bytes, seed);
        audio.resize((bytes + kSector - 1) / kSector * kSector, 0);
        return audio;
    }
    static std::vector<std::uint8_t> DataOf(const fs::path& wav) {
        const auto all = ReadAll(wav);
        return {all.begin() + 44, all.end()};
    }

    static inline TempDir* dir = nullptr;
    static inline as_bank* bank = nullptr;
    static inline MemoryStore* files = nullptr;
    TempDir out;
    ScriptedJobServices ui;
};

TEST_F(SampleExport, OneMultisampleLandsInTheFolderByFileNameAndTheLaterSlotWins) {
    EXPECT_EQ(ExportMultisample(*bank, BankPath(), 1, out.path(), ui, *files).exported, 3u);
    EXPECT_TRUE(ui.transcript.size() == 1 && ui.transcript[0].what == "report")
        << testing::PrintToString(ui.shown());
    EXPECT_FALSE(ui.progressShown);

    // Slot 1 wrote C3.wav after slot 0 did.
    EXPECT_EQ(FilesBelow(out.path()),
              (std::set<std::string>{"C3.wav", "C4.wav", "Piano           .msn"}));
    EXPECT_EQ(DataOf(out / "C3.wav"), Expected(700, 40));
    EXPECT_EQ(fs::file_size(out / "Piano           .msn"), 0u);
    const auto stereo = ReadAll(out / "C4.wav");
    const auto header = MakeWavHeader(true, 1536);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), stereo.begin()));
    EXPECT_EQ(DataOf(out / "C4.wav"), Expected(1536, 20));

    const std::string shown = out.path().string() + "\\";
    EXPECT_EQ(ui.reports.at(0),
              (std::vector<std::string>{"Export OK!", "Exported files count: 3", "",
                                        shown + "C3.wav", shown + "C3.wav", shown + "C4.wav", "",
                                        "Exported MULTISAMPLE NAME: Piano           .msn"}));
}

TEST_F(SampleExport, RefusalsComeBeforeAnyFileIsWritten) {
    EXPECT_FALSE(CanExportMultisample(*bank, dir->path() / "bank.ovs", 1, ui));
    EXPECT_FALSE(CanExportMultisample(*bank, BankPath(), 3, ui));
    EXPECT_TRUE(CanExportMultisample(*bank, dir->path() / "BANK.OVB", 2, ui));
    EXPECT_FALSE(ConfirmLibraryExport(dir->path() / "bank.ovs", ui));
    ui.answers = {Answer::No};
    EXPECT_FALSE(ConfirmLibraryExport(BankPath(), ui));
    EXPECT_EQ(ui.shown(), (std::vector<std::string>{
                              "Error!: Not loaded VALID BANK FILE!",
                              "Error!: Not possible to EXPORT EMPTY multisample!",
                              "Error!: Not loaded VALID BANK FILE!",
                              "WARNING!!!: This is massive and long time consumption operation!\n"
                              "You need large free disk size for this operation!\n\n"
                              "Are You Sure to contonue?"}));

    ui.transcript.clear();
    const auto result = ExportLibrary(
        *bank, BankPath(), LibraryCommonPath(*bank), out.path(), ui,
        [](const fs::path&) { return std::optional<std::uint64_t>(1000); }, *files);
    EXPECT_FALSE(result.started);
    std::uint64_t size = 0;
    for (const char* name : {"bank.ovb", "bank.O01", "bank.O02"})
        size += files->size(dir->path() / name);
    EXPECT_EQ(ui.shown(), (std::vector<std::string>{
                              "Error!: No available disk free space for make library export!\n"
                              "Need: " +
                              FormatWithSpaces(size) + " bites\nAvailable: 1 000 bytes"}));

    ui.transcript.clear();
    EXPECT_EQ(
        ExportMultisample(*bank, dir->path() / "missing.ovb", 1, out.path(), ui, *files).exported,
        0u);
    EXPECT_TRUE(ui.showed("Error", "Cannot open BANK file for reading!"));
    ui.transcript.clear();
    EXPECT_FALSE(
        ExportLibrary(*bank, dir->path() / "missing.ovb", "", out.path(), ui, DiskFreeSpace, *files)
            .started);
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Error: Cannot open BANK file for reading!"});
    // None of the refused exports wrote anything.
    EXPECT_TRUE(fs::is_empty(out.path()));
}

TEST_F(SampleExport, LibraryRebuildsTheFoldersBelowTheChosenOne) {
    // Piano/C3.wav is read across the end of the second volume.
    const auto& first = bank->multisample(1).sample[0];
    const std::uint64_t boundary = 2 * kSmallVolume;
    ASSERT_LT(std::uint64_t(first.start_sector()) * 512, boundary);
    ASSERT_GT(std::uint64_t(first.start_sector() + first.length_sectors) * 512, boundary);

    const std::string common = LibraryCommonPath(*bank);
    ASSERT_EQ(common, Lib().string() + "/");
    const auto result =
        ExportLibrary(*bank, BankPath(), common, out.path(), ui, DiskFreeSpace, *files);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.forExport, 4u);
    EXPECT_EQ(result.exported, 4u);
    EXPECT_EQ(result.errors, 0u);
    // Each marker lies beside the last file written for its multisample.
    EXPECT_EQ(FilesBelow(out.path()),
              (std::set<std::string>{"Piano/C3.wav", "Other/C3.wav", "Pad/C4.wav",
                                     "Pad/Piano           .msn", "Pad/Pad             .msn"}));
    EXPECT_EQ(DataOf(out / "Piano/C3.wav"), Expected(3 * 512 + 100, 10));

    // Python's wave module reads the files and their frames: the sample read across a volume
    // boundary and a stereo one.
    const std::string script = "import sys, wave\nw = wave.open(sys.argv[1], 'rb')\n"
                               "print(w.getnchannels(), w.getsampwidth(), w.getframerate(), "
                               "w.getnframes())\n"
                               "open(sys.argv[2], 'wb').write(w.readframes(w.getnframes()))\n";
    for (const auto& [file, channels] :
         {std::pair{out / "Piano/C3.wav", 1}, std::pair{out / "Pad/C4.wav", 2}}) {
        const fs::path raw = out / "frames.raw";
        const std::string frames = std::to_string(DataOf(file).size() / (2 * channels));
        EXPECT_EQ(Capture("python3 -c " + Quote(script) + " " + Quote(file) + " " + Quote(raw)),
                  std::to_string(channels) + " 2 48000 " + frames);
        EXPECT_EQ(ReadAll(raw), DataOf(file));
    }
}

TEST_F(SampleExport, PathsThatWouldLeaveTheChosenFolderAreReportedNotWritten) {
    // The stored path climbs out of the library: after the replacement it would climb out of
    // the chosen folder and overwrite a file beside it.
    const fs::path base = out.path(), folder = base / "export";
    fs::create_directories(folder);
    WriteWav(base / "victim.wav", false, 100, 5);
    const auto victim = ReadAll(base / "victim.wav");
    as_bank& b = *bank;
    const std::string hostile = Lib().string() + "/Piano/../../victim.wav";
    b.path(5, 0) = hostile;
    b.multisample(5).sample[0] = b.multisample(1).sample[1];
    const auto result =
        ExportLibrary(b, BankPath(), Lib().string() + "/", folder, ui, DiskFreeSpace, *files);
    b.path(5, 0) = std::string(kEmptyPath);

    EXPECT_EQ(result.errors, 1u); // the report below shows the other counts
    EXPECT_EQ(ReadAll(base / "victim.wav"), victim);
    EXPECT_EQ(FilesBelow(base).size(), 6u); // the victim and the four files, two markers
    // The one error line names the stored path; the counts close the report.
    const auto& lines = ui.reports.at(0);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_NE(lines[2].find(hostile), std::string::npos);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"WAV files for export: 5", "Really Exported WAV files: 4",
                                        "Total Error Count: 1"}));
}

TEST(LibraryOutputPath, StaysInsideTheChosenFolder) {
    const fs::path folder = "/data/out";
    EXPECT_EQ(LibraryOutputPath("D:\\Lib\\Piano\\C3.wav", "D:\\Lib\\", folder),
              fs::path("/data/out/Piano/C3.wav"));
    // Doubled delimiters fold, also where the replacement meets the rest.
    EXPECT_EQ(LibraryOutputPath("D:\\Lib\\\\Piano\\C3.wav", "D:\\Lib", folder),
              fs::path("/data/out/Piano/C3.wav"));
    // A common path ending inside a folder name leaves the rest of that name as a folder.
    EXPECT_EQ(LibraryOutputPath("D:\\Lib\\Strings2\\a.wav", "D:\\Lib\\Strings", folder),
              fs::path("/data/out/2/a.wav"));

    const char* hostile[] = {
        "D:\\Lib\\..\\..\\etc\\x.wav", // climbs out
        "D:\\Lib\\a\\..\\..\\x.wav",   // climbs out after going in
        "D:\\Lib\\C:\\x.wav",          // a drive after the folder
        "D:\\Lib\\Piano\\",            // no file name
        "E:\\Elsewhere\\x.wav",        // the replacement does not root it in the folder
    };
    for (const char* stored : hostile)
        EXPECT_EQ(LibraryOutputPath(stored, "D:\\Lib\\", folder), std::nullopt) << stored;
    // Without a common path (a library on two drives) each file goes below its drive letter.
    EXPECT_EQ(LibraryOutputPath("D:\\Lib\\x.wav", "", folder), fs::path("/data/out/D/Lib/x.wav"));
    EXPECT_EQ(LibraryOutputPath("e:\\\\y.wav", "", folder), fs::path("/data/out/e/y.wav"));
    EXPECT_EQ(LibraryOutputPath("D:\\..\\x.wav", "", folder), std::nullopt);
}

} // namespace
