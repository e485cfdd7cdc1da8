// LoadBankFile on a bank rebuilt from the compact input form (SparseImage.h) and cut into
// volumes of a small size chosen by the flags (LoaderFormats.h). Flag bit 0 clear: the stored
// bank size is made to match the rebuilt file, so most inputs get past the volume checks.
#include "ImageFiles.h"
#include "LoadChecks.h"
#include "LoaderFormats.h"

#include "bank/BankFileLoader.h"

namespace ovb::fuzz {
namespace {

// Where the loader must have found the marker sector: after the furthest sample, or straight
// after the reserved blocks when no sample has a place.
std::uint64_t MarkerPosition(const as_bank& bank) {
    std::uint64_t end = 0;
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (const auto& slot : bank.multisample(m).sample)
            if (slot.start_sector() != 0)
                end = std::max(end, (std::uint64_t(slot.start_sector()) + slot.length_sectors) *
                                        kSector);
    return end != 0 ? end : kSampleDataOffset;
}

void RequireBankLoaded(const as_bank& bank, const SparseImage& image) {
    RequireLoaded(bank, kInfoOffset, image, kInfoOffset, kSector, "loaded info differs");
    RequireLoaded(bank, kDescriptionOffset, image, kBankDescription, 8192,
                  "loaded description differs");
    RequireLoaded(bank, offsetof(as_bank_records, multisample), image, kBankMultisamples,
                  16 * sizeof(as_multisample), "loaded multisamples differ");
    RequireLoaded(bank, offsetof(as_bank_records, path_length_table), image, kBankPathLengths, 4096,
                  "loaded path lengths differ");
    RequireFirstPath(bank, image, MarkerPosition(bank) + kSector, bank.info().path_area_size() / 2);
}

} // namespace
} // namespace ovb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ovb;
    using namespace ovb::fuzz;
    auto decoded = DecodeImage({data, size}, kBankFormat);
    if (!decoded) return -1;
    auto image = std::make_shared<SparseImage>(std::move(*decoded));
    if (!(image->flags & kKeepSizes)) image->PutLe64(kBankSizeField, image->size);

    static ImageFiles files("fuzz.ovb");
    const std::uint64_t volumeSize = FuzzVolumeSize(image->flags);
    unsigned volumes = files.Show(image, volumeSize);
    if (image->flags & kRemoveLastVolume) files.Remove(--volumes);
    if (image->flags & kStrayVolume) files.AddVolume(volumes, kSector);
    as_bank& bank = ResetTargetBank();
    ScriptedJobServices ui;
    QueueAnswers(ui, image->answers);

    const bool loaded = LoadBankFile(bank, files.base(), ui, {files.store(), volumeSize});
    ShowTranscript(ui, loaded);
    RequireProgressHidden(ui);
    if (!loaded) {
        RequireResetBank(bank);
        return 0;
    }
    MarkTargetBankLoaded();
    Require(bank.loadedFile() == files.base().string(), "loaded bank not named");
    // With a volume missing or added the files no longer are the image.
    if (!(image->flags & (kRemoveLastVolume | kStrayVolume))) RequireBankLoaded(bank, *image);
    return 0;
}
