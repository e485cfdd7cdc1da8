#include "tools/PlayerSample.h"

#include "bank/Acc_bank_structure.h"
#include "bank/Mysplitfilereader.h"
#include "job/PathResolver.h"
#include "wav/Wav_file_parser.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <new>

namespace ovb {

namespace {

PlayerSample Show(const char* text) {
    PlayerSample s;
    s.outcome = PlayerSample::Outcome::Message;
    s.message = text;
    return s;
}

PlayerSample Loaded(std::vector<std::uint8_t> bytes, bool stereo) {
    PlayerSample s;
    s.outcome = PlayerSample::Outcome::Loaded;
    s.bytes = std::move(bytes);
    s.stereo = stereo;
    return s;
}

// The bank-file extension in any case; a script (or nothing) loaded has no audio to read.
bool IsBankFileName(const std::filesystem::path& file) {
    const std::string ext = file.extension().string();
    return ext.size() == 4 && std::equal(ext.begin(), ext.end(), ".ovb", [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

PlayerSample FetchWavSample(std::string_view storedPath) {
    const auto file = FindStoredFile(storedPath);
    if (!file) return Show("File Not Exist");
    std::ifstream in(*file, std::ios::binary);
    if (!in) return Show("File Not Exist");
    const WavLayout wav = ParseWav(in);
    if (wav.format == WavRejected) return Show("Invalid WAV File Format");
    if (!wav.hasData) return Show("No Valid WAVE Chink");
    // A data chunk that claims more than the file holds gives the bytes that are there.
    const std::uint64_t present = wav.fileSize > wav.dataOffset ? wav.fileSize - wav.dataOffset : 0;
    // A file of gigabytes may not fit in memory: said in the plot, like every other failure.
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(std::size_t(std::min<std::uint64_t>(wav.dataSize, present)));
    } catch (const std::bad_alloc&) {
        return Show("Not Enough Memory");
    }
    in.clear();
    in.seekg(std::streamoff(wav.dataOffset));
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(in.gcount()));
    return Loaded(std::move(bytes), wav.format == WavStereo);
}

PlayerSample FetchBankSample(const as_bank& bank, unsigned multisample, unsigned slot,
                             JobServices& ui, FileStore& bankFiles) {
    const std::filesystem::path file = bank.loadedFile();
    if (!IsBankFileName(file)) return Show(kNoBankFileLoaded);
    if (!bankFiles.open(file)) return Show("OVB File Not Exist");
    const as_sample_V1& record = bank.multisample(multisample).sample[slot];
    const std::uint64_t start = std::uint64_t(record.start_sector()) * kSector;
    const std::uint64_t length = std::uint64_t(record.length_sectors) * kSector;
    if (length == 0) return Show("No Sample");
    Mysplitfilereader reader(ui, bankFiles);
    if (!reader.Open(file, true)) return Show("OVB File Not Open Correctly");
    if (!reader.GoToPosition(start)) return Show("Invalid Sample Start Position in OVB file");
    // A record that runs past the end of the bank plays nothing rather than stale bytes; the
    // reader has said why.
    std::vector<std::uint8_t> bytes(length);
    if (!reader.Read(bytes.data(), bytes.size()))
        return Show("Invalid Sample Start Position in OVB file");
    return Loaded(std::move(bytes), record.stereo());
}

PlayerSample FetchPlayerSample(const as_bank& bank, unsigned multisample, unsigned slot,
                               int selectedRows, bool fromWavFiles, JobServices& ui) {
    if (selectedRows > 1) return Show("Multiple selection");
    if (fromWavFiles) return FetchWavSample(bank.path(multisample, slot));
    return FetchBankSample(bank, multisample, slot, ui);
}

} // namespace ovb
