#include "bank/BankSize.h"

#include "bank/BankLayout.h"
#include "base/Formatting.h"
#include "job/InputFile.h"
#include "job/PathResolver.h"
#include "wav/Wav_file_parser.h"

#include <cstring>
#include <fstream>
#include <vector>

namespace ovb {

namespace {

// One of the three finding lists, with its heading written once per multisample.
struct FindingList {
    std::vector<std::string> lines;
    unsigned count = 0;
    unsigned headedMultisample = ~0u;

    void add(unsigned m, const as_bank& bank, const std::string& line) {
        if (headedMultisample != m) {
            headedMultisample = m;
            lines.push_back(Format("Multisample Num: %u - %s", m,
                                   NameString(bank.multisample(m).name).c_str()));
        }
        lines.push_back(line);
    }
    void offer(JobServices& ui, const std::string& headline, const char* question,
               const char* caption) {
        if (lines.empty()) return;
        if (!ui.yes("Info", Format(question, count), AskPurpose::Harmless)) return;
        lines.insert(lines.begin(), headline);
        ui.ShowReport(caption, lines);
        ui.CloseReport();
    }
};

struct Findings {
    FindingList invalid, missing, nullSize;
};

// Validates one file and, when it can be stored, gives the slot its sectors.
void PlaceSample(as_bank& bank, unsigned m, unsigned s, const std::filesystem::path& file,
                 const PathResolver& files, std::uint32_t& sector, std::uint64_t& totalSectors,
                 Findings& f) {
    auto shown = [&] { return files.display(bank.path(m, s)); };
    auto invalid = [&](const char* format) {
        f.invalid.add(m, bank, Format(format, ++f.invalid.count, shown().c_str()));
    };
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        invalid("%u. Cannot open file: %s");
        return;
    }
    const WavLayout wav = ParseWav(in);
    switch (SampleFaultOf(wav)) {
    case SampleFault::None:
        break;
    case SampleFault::NotModuleWav:
        return invalid("%u. No WAV file: %s");
    case SampleFault::NoDataChunk:
        return invalid("%u. Invalid WAV format: %s");
    case SampleFault::NullSize:
        f.nullSize.add(m, bank,
                       Format("%u. Null size WAV file: %s", ++f.nullSize.count, shown().c_str()));
        return;
    case SampleFault::Truncated:
        return invalid("%u. Truncated WAV file (data larger than file): %s");
    case SampleFault::TooLong:
        return invalid("%u. WAV file too long for one sample (over 65535 sectors): %s");
    }
    const std::uint32_t sectors = wav.dataSize / kSector + (wav.dataSize % kSector != 0);
    as_sample_V1& slot = bank.multisample(m).sample[s];
    slot.set_start_sector(sector);
    slot.length_sectors = std::uint16_t(sectors);
    slot.set_stereo(wav.format == WavStereo);
    sector += sectors;
    totalSectors += sectors;
}

std::uint64_t FillPathLengths(as_bank& bank, unsigned& tooLong) {
    std::uint64_t oneCopy = 0;
    tooLong = 0;
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (unsigned s = 0; s < kSamplesPerMultisample; ++s) {
            std::uint64_t length = bank.path(m, s).size() + 2;
            bank.records().path_length_table[m * kSamplesPerMultisample + s] = std::uint8_t(length);
            tooLong += length > 255;
            oneCopy += length;
        }
    return oneCopy;
}

} // namespace

SampleFault SampleFaultOf(const WavLayout& wav) {
    if (wav.format == WavRejected) return SampleFault::NotModuleWav;
    if (!wav.hasData) return SampleFault::NoDataChunk;
    if (wav.dataSize == 0) return SampleFault::NullSize;
    if (!wav.dataComplete()) return SampleFault::Truncated;
    const std::uint64_t sectors = wav.dataSize / kSector + (wav.dataSize % kSector != 0);
    return sectors > kMaxSampleSectors ? SampleFault::TooLong : SampleFault::None;
}

BankSizeResult CalculateBankSize(as_bank& bank, JobServices& ui) {
    Findings f;
    PathResolver files;
    ProgressScope progress(ui, 'c');
    ui.SetProgressText("Calculating...");
    unsigned nonEmpty = unsigned(UsedSlots(bank).size());
    if (nonEmpty == 0) nonEmpty = 1;

    std::uint32_t sector = kFirstAudioSector;
    std::uint64_t totalSectors = 0;
    unsigned existing = 0;
    for (unsigned m = 0; m < kMultisamples; ++m) {
        for (unsigned s = 0; s < kSamplesPerMultisample; ++s) {
            as_sample_V1& slot = bank.multisample(m).sample[s];
            slot.set_start_sector(0);
            slot.length_sectors = 0;
            const std::string& path = bank.path(m, s);
            if (IsEmptyPath(path)) continue;
            const auto file = files.find(path);
            if (!file) {
                f.missing.add(
                    m, bank,
                    Format("%u. Missing file: %s", ++f.missing.count, files.display(path).c_str()));
                continue;
            }
            const InputCheck input = ProbeInput(*file);
            if (!input.ready() && !input.empty()) {
                f.invalid.add(m, bank, Format("%u. Cannot open file: %s", ++f.invalid.count,
                                              files.display(path).c_str()));
                continue;
            }
            ++existing;
            PlaceSample(bank, m, s, *file, files, sector, totalSectors, f);
        }
        ui.SetProgressPercent(unsigned(std::uint64_t(existing) * 100 / nonEmpty));
        ui.processEvents();
    }
    progress.hide();

    BankSizeResult r;
    r.sampleDataSize = totalSectors * kSector;
    f.invalid.offer(ui, Format("Found %u invalid WAV files!!!", f.invalid.count),
                    "Found %u invalid WAV files!!!\n\nShow invalid files ?",
                    "Report: Invalid Files");
    f.missing.offer(ui, Format("Missing %u WAV files!!!", f.missing.count),
                    "Missing %u WAV files!!!\n\nShow missing files ?", "Report: Missing Files");
    f.nullSize.offer(ui, Format("Null size WAV files %u !!!", f.nullSize.count),
                     "Null size WAV files %u !!!\n\nShow null size files ?",
                     "Report: Null Size WAV Files");

    unsigned tooLong = 0;
    r.pathAreaSize = 2 * FillPathLengths(bank, tooLong);
    if (tooLong)
        ui.message("Info",
                   Format("In this bank, have %u path to WAV files with path length > 255 bytes!",
                          tooLong));
    r.totalSize = BankFileSize(r.sampleDataSize, r.pathAreaSize);
    r.errors = f.invalid.count + f.missing.count + f.nullSize.count + tooLong;
    return r;
}

void FillBankFileInfo(as_bank& bank, const BankSizeResult& size, std::string_view bankPath) {
    bank_file_info& info = bank.info();
    std::memset(info.raw, 0, sizeof info.raw);
    info.set_info_flags(0);
    info.set_bank_size(size.totalSize);
    info.set_sample_data_offset(kSampleDataOffset);
    info.set_sample_data_size(size.sampleDataSize);
    info.set_path_area_size(size.pathAreaSize);
    info.set_bank_path(bankPath);
}

std::string EstimatedSizeText(std::uint64_t total) {
    return "Estimated Bank Size is:  " + FormatSize(total) + "  /  " + FormatWithSpaces(total) +
           " bytes";
}

} // namespace ovb
