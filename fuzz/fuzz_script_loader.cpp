// LoadScript on a script rebuilt from the compact input form (SparseImage.h). Flag bit 0 clear:
// the stored path area size is made to match the rebuilt file, so most inputs get past the
// size question; set, the size stays as the input has it.
#include "ImageFiles.h"
#include "LoadChecks.h"
#include "LoaderFormats.h"

#include "bank/ScriptFile.h"

namespace ovb::fuzz {
namespace {

void RequireScriptLoaded(const as_bank& bank, const SparseImage& image) {
    RequireLoaded(bank, kInfoOffset, image, kInfoOffset, kSector, "loaded info differs");
    RequireLoaded(bank, kScriptMultisamples, image, kScriptMultisamples,
                  16 * sizeof(as_multisample), "loaded multisamples differ");
    RequireLoaded(bank, offsetof(as_bank_records, path_length_table), image, kScriptPathLengths,
                  4096, "loaded path lengths differ");
    // A loaded script reaches at least the last sector after the marker.
    Require(image.size >= kScriptPathArea + 511, "a script too short for its last sector loaded");
    const std::uint64_t area = image.size - kScriptPathArea;
    RequireFirstPath(bank, image, kScriptPathArea, area >= kSector ? area - kSector : 0);
}

} // namespace
} // namespace ovb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ovb;
    using namespace ovb::fuzz;
    auto decoded = DecodeImage({data, size}, kScriptFormat);
    if (!decoded) return -1;
    auto image = std::make_shared<SparseImage>(std::move(*decoded));
    if (!(image->flags & kKeepSizes) && image->size >= kScriptPathArea + kSector)
        image->PutLe64(kPathAreaSizeField, 2 * (image->size - kScriptPathArea - kSector));

    static ImageFiles files("fuzz.ovs");
    files.Show(image, ~std::uint64_t(0));
    as_bank& bank = ResetTargetBank();
    ScriptedJobServices ui;
    QueueAnswers(ui, image->answers);

    const bool loaded = LoadScript(bank, files.base(), ui, files.store());
    ShowTranscript(ui, loaded);
    RequireProgressHidden(ui);
    if (loaded) {
        MarkTargetBankLoaded();
        RequireScriptLoaded(bank, *image);
        Require(bank.loadedFile() == files.base().string(), "loaded script not named");
    } else {
        RequireResetBank(bank);
    }
    return 0;
}
