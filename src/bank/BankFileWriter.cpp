#include "bank/BankFileWriter.h"

#include "bank/BankLayout.h"
#include "bank/BankSize.h"
#include "bank/Mysplitfilewriter.h"
#include "bank/PathArea.h"
#include "base/Formatting.h"
#include "job/FileIdentity.h"
#include "job/PathResolver.h"
#include "wav/Wav_file_parser.h"

#include <fstream>
#include <system_error>
#include <vector>

namespace ovb {

namespace {

constexpr const char* kCaption = "Bank creation...";

bool WriteDescription(Mysplitfilewriter& out, const as_bank& bank) {
    const as_bank_records& r = bank.records();
    const auto* block = reinterpret_cast<const std::uint8_t*>(&r);
    const Sector zero{};
    bool ok = out.Write(r.header.data(), kSector) && out.Write(&r.info, kSector) &&
              out.Write(&r.info, kSector) && out.Write(zero.data(), kSector);
    for (int copy = 0; copy < 6 && ok; ++copy)
        ok = out.Write(block + kDescriptionOffset, kDescriptionSize);
    for (int copy = 0; copy < 6 && ok; ++copy)
        ok = out.Write(r.multisample, kMultisampleTableSize);
    for (int copy = 0; copy < 2 && ok; ++copy)
        ok = out.Write(r.path_length_table, kPathLengthTableSize);
    return ok && out.Write(r.reserved_b, kReservedSize);
}

// Copies one sample's audio. The file must still be what the size calculation measured: a file
// that changed in between would shift every later sample, so it stops the creation instead.
bool CopySample(Mysplitfilewriter& out, const as_sample_V1& slot, const std::string& path,
                PathResolver& files, JobServices& ui) {
    const auto host = files.file(path);
    std::ifstream in(host, std::ios::binary);
    WavLayout wav;
    if (in) wav = ParseWav(in);
    std::uint64_t sectors = (std::uint64_t(wav.dataSize) + kSector - 1) / kSector;
    bool same = wav.format != WavRejected && wav.hasData && wav.dataComplete() &&
                sectors == slot.length_sectors && (wav.format == WavStereo) == slot.stereo() &&
                out.Position() == std::uint64_t(slot.start_sector()) * kSector;
    // Copied by the kernel from the file straight into the bank where the system can.
    auto audio = same ? FileSource::Open(host) : nullptr;
    if (!audio) {
        ui.message(kCaption, "WAV file changed or can not be read since the size calculation:\n" +
                                 files.display(path) + "\n\nBank is NOT created!");
        return false;
    }
    static const char zeros[kSector] = {};
    std::size_t fill = (kSector - wav.dataSize % kSector) % kSector;
    return out.CopyFrom(*audio, wav.dataOffset, wav.dataSize) && out.Write(zeros, fill);
}

bool WriteAudio(Mysplitfilewriter& out, const as_bank& bank, unsigned nonEmpty, bool& cancel,
                JobServices& ui) {
    unsigned done = 0;
    PathResolver files;
    for (unsigned m = 0; m < kMultisamples; ++m) {
        for (unsigned s = 0; s < kSamplesPerMultisample; ++s) {
            const as_sample_V1& slot = bank.multisample(m).sample[s];
            if (IsEmptyPath(bank.path(m, s))) continue;
            ++done;
            if (slot.start_sector() == 0) continue; // the calculation found no audio here
            ui.SetProgressText(files.display(bank.path(m, s)));
            ui.processEvents();
            if (cancel || !CopySample(out, slot, bank.path(m, s), files, ui)) return false;
        }
        ui.SetProgressPercent(unsigned(std::uint64_t(done) * 100 / nonEmpty));
        ui.processEvents();
    }
    return true;
}

bool HasFreeSpace(const std::filesystem::path& destination, std::uint64_t needed) {
    std::error_code ec;
    auto info = std::filesystem::space(FolderOf(destination), ec);
    return ec || info.available >= needed; // unknown free space does not block the creation
}

} // namespace

bool CreateBankFile(as_bank& bank, const std::filesystem::path& destination, JobServices& ui,
                    const BankStorage& storage) {
    const std::uint64_t volumeSize = storage.volumeSize;
    BankSizeResult size = CalculateBankSize(bank, ui);
    if (size.errors) {
        ui.message(kCaption,
                   Format("ERRORR...\nCreation of bank is IMPOSSIBLE!\nFound %u erros!\n\n"
                          "Bank is NOT created!",
                          size.errors));
        return false;
    }
    const std::string path = destination.string();
    if (path.size() >= 255) {
        ui.message(kCaption, "Bank destination path > 255 chars!\nPlease reduce bank patch size!");
        return false;
    }
    if (size.totalSize > std::uint64_t(kMaxVolumes) * volumeSize) {
        ui.message(kCaption, "Bank size " + FormatSize(size.totalSize) +
                                 " is more than 99 volumes can hold!\n\nBank is NOT created!");
        return false;
    }
    if (!HasFreeSpace(destination, size.totalSize)) {
        ui.message(kCaption, "In path " + path + " no free space for bank creation!");
        return false;
    }
    FillBankFileInfo(bank, size, path);

    bool cancel = false;
    ProgressScope progress(ui, 'w', &cancel);
    ui.SetProgressText("Saving OVB file...");
    Mysplitfilewriter out(volumeSize, storage.files);
    if (!out.Open(destination, true)) {
        progress.hide();
        ui.message(kCaption, "Can not create " + path + "\n" + out.error());
        return false;
    }
    unsigned nonEmpty = unsigned(UsedSlots(bank).size());
    if (nonEmpty == 0) nonEmpty = 1;

    bool ok = WriteDescription(out, bank) && WriteAudio(out, bank, nonEmpty, cancel, ui);
    if (ok) {
        ui.SetProgressText("Saving Multisamples Path");
        ui.SetProgressPercent(0);
        ui.processEvents();
        std::string area = BuildPathArea(bank);
        ok = out.Write(bank.records().path_marker_sector.data(), kSector) &&
             out.Write(area.data(), area.size()) && out.Write(area.data(), area.size()) &&
             out.Write(bank.records().last_sector.data(), kSector);
        if (ok && out.Position() != size.totalSize) {
            ok = false;
            ui.message(kCaption, "Written size differs from the calculated size!\n\n"
                                 "Bank is NOT created!");
        }
        ok = ok && out.Commit(true);
    }
    progress.hide();
    if (!ok) {
        out.Discard();
        if (cancel)
            ui.message(kCaption, "Bank creation cancelled. No file was changed.");
        else if (!out.error().empty())
            ui.message(kCaption,
                       "Can not write " + path + "\n" + out.error() + "\n\nBank is NOT created!");
    }
    return ok;
}

} // namespace ovb
