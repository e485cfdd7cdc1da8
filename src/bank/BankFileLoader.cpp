#include "bank/BankFileLoader.h"

#include "bank/BankLayout.h"
#include "bank/BankVolumes.h"
#include "bank/Mysplitfilereader.h"
#include "bank/PathArea.h"

#include <string>

namespace ovb {

namespace {

bool Fail(as_bank& bank, JobServices& ui, const char* text = nullptr) {
    if (text) ui.message("Error", text);
    ui.message("Info", "Bank loading is aborted!");
    bank.reset();
    return false;
}

// The path length table lies in the first volume, the paths in the last: in a bank of several
// volumes they agree only when the volumes belong together.
bool PathsMatchLengthTable(const as_bank& bank) {
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (unsigned s = 0; s < kSamplesPerMultisample; ++s)
            if (std::uint8_t(bank.path(m, s).size() + 2) !=
                bank.records().path_length_table[m * kSamplesPerMultisample + s])
                return false;
    return true;
}

bool ReadDescription(Mysplitfilereader& in, as_bank& bank) {
    as_bank_records& r = bank.records();
    auto* block = reinterpret_cast<std::uint8_t*>(&r);
    return in.Read(block + kDescriptionOffset, kDescriptionSize) &&
           in.Skip(5 * std::uint64_t(kDescriptionSize)) &&
           in.Read(r.multisample, kMultisampleTableSize) &&
           in.Skip(5 * std::uint64_t(kMultisampleTableSize)) &&
           in.Read(r.path_length_table, kPathLengthTableSize) && in.Skip(kPathLengthTableSize) &&
           in.Read(r.reserved_b, kReservedSize);
}

struct AudioExtent {
    std::uint64_t size = 0; // sum of all sample lengths
    std::uint64_t end = 0;  // largest end of a sample
};

AudioExtent MeasureAudio(const as_bank& bank) {
    AudioExtent a;
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (const auto& slot : bank.multisample(m).sample) {
            if (slot.start_sector() == 0) continue;
            std::uint64_t start = std::uint64_t(slot.start_sector()) * kSector;
            std::uint64_t length = std::uint64_t(slot.length_sectors) * kSector;
            a.size += length;
            if (start + length >= a.end) a.end = start + length;
        }
    return a;
}

bool AcceptAudioSize(const AudioExtent& audio, std::uint64_t recorded, JobServices& ui) {
    if (audio.size == recorded) return true;
    std::string offsets = "Calculated offset from software is:\n" + std::to_string(audio.end) +
                          " bytes\nReported offset from \"bank_file_info.sample_data_size\" is:\n" +
                          std::to_string(recorded) + " bytes";
    if (ui.yes("Error", "Calculated audio data size is different from recorded in OVB file!\n\n" +
                            offsets + "\n\nContinue with size from bank file?"))
        return true;
    ui.message("Error", "Calculated audio data size is different from recorded in OVB file!");
    ui.message("Info:", offsets);
    return false;
}

} // namespace

bool LoadBankFile(as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                  const BankStorage& storage) {
    ProgressScope progress(ui, 'r');
    ui.SetProgressText("Reading OVB file...");
    Mysplitfilereader in(ui, storage.files);
    if (!OpenAndCheckHeader(
            in, path, true,
            {"This is not a valid Orvelanta Sampler bank file!", "Uncown Bank File Version!"}, ui))
        return false;
    Sector sector;
    if (!in.Read(&bank.info(), kSector) || !in.Skip(2 * kSector)) return Fail(bank, ui);
    const bank_file_info info = bank.info();
    std::string why;
    const unsigned volumes = CheckVolumeSizes(in, path, info.bank_size(), storage.volumeSize, why);
    if (volumes == 0 || !SameSave(in, path, volumes, why)) return Fail(bank, ui, why.c_str());
    if (!ReadDescription(in, bank)) return Fail(bank, ui);

    AudioExtent audio = MeasureAudio(bank);
    if (!AcceptAudioSize(audio, info.sample_data_size(), ui)) return Fail(bank, ui);
    if (audio.end != 0 && !in.GoToPosition(audio.end)) return Fail(bank, ui);
    if (!in.Read(sector.data(), kSector)) return Fail(bank, ui);
    if (!SameFirst511(sector.data(), PathMarkerTemplate()))
        return Fail(bank, ui,
                    "In position where need to be special sector before file names, "
                    "not correct info!");
    const std::uint64_t pathAreaSize = info.path_area_size();
    if (pathAreaSize >= in.Size() - in.Position())
        return Fail(bank, ui, "Overal bank size is small and no size for path names !");

    std::string area;
    if (!ReservePathArea(area, pathAreaSize / 2, ui) || !in.Read(area.data(), area.size()))
        return Fail(bank, ui);
    FillPathsFromArea(bank, area, ui);
    if (volumes > 1 && !PathsMatchLengthTable(bank))
        return Fail(bank, ui,
                    "The sample paths do not match the path length table: the volumes of this "
                    "bank belong to different saves!");
    if (!in.Skip(pathAreaSize / 2) || !in.Read(sector.data(), 511)) return Fail(bank, ui);
    if (!SameFirst511(sector.data(), LastSectorTemplate()))
        return Fail(bank, ui, "Uncown last sector!\n My be bank is not loaded correctly!");
    progress.hide();
    bank.setLoadedFile(path.string());
    ui.message("Info", "Bank loading OK!");
    return true;
}

} // namespace ovb
