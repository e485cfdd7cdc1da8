#include "bank/ScriptFile.h"

#include "bank/BankLayout.h"
#include "bank/BankSize.h"
#include "bank/Mysplitfilereader.h"
#include "bank/Mysplitfilewriter.h"
#include "bank/PathArea.h"
#include "base/Formatting.h"

namespace ovb {

namespace {

// The part of the block a script stores before its marker sector, in two pieces: the records
// up to the multisamples, and the path length table up to the marker.
constexpr std::size_t kRecordsEnd = offsetof(as_bank_records, reserved_a);
constexpr std::size_t kTailStart = offsetof(as_bank_records, path_length_table);
constexpr std::size_t kTailSize = offsetof(as_bank_records, path_marker_sector) - kTailStart;
static_assert(kRecordsEnd + kTailSize + kSector == 51921408);

void Abort(as_bank& bank, JobServices& ui) {
    ui.message("Info", "Script loading is aborted!");
    bank.reset();
}

} // namespace

bool WriteScript(const as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                 FileStore& files) {
    ProgressScope progress(ui, 'w');
    ui.SetProgressText("Saving script file...");
    Mysplitfilewriter out(kVolumeSize, files);
    const auto* block = reinterpret_cast<const std::uint8_t*>(&bank.records());
    bool ok = out.Open(path, true) && out.Write(block, kRecordsEnd) &&
              out.Write(block + kTailStart, kTailSize + kSector);
    if (ok) {
        ui.SetProgressText("Saving Multisamples Path");
        ui.SetProgressPercent(0);
        ui.processEvents();
        std::string area = BuildPathArea(bank);
        ok = out.Write(area.data(), area.size()) &&
             out.Write(bank.records().last_sector.data(), kSector) && out.Commit(false);
    }
    progress.hide();
    if (!ok) ui.message("Error", "Can not write " + path.string() + "\n" + out.error());
    return ok;
}

bool SaveScript(as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                std::optional<bool> recalc, FileStore& files) {
    if (files.exists(path) &&
        !ui.yes("Overwrite SCRIPT File", "OVERWRITE SCRIPT FILE ?\nAre You Sure ?"))
        return false;
    if (!recalc)
        recalc = ui.yes("Question",
                        "Recalculate Bank Size before save script ?\n\nNOTE:\n"
                        "Recalculating my be need long time period!",
                        AskPurpose::Harmless);
    if (*recalc) {
        BankSizeResult size = CalculateBankSize(bank, ui);
        if (size.errors)
            ui.message("Calculating Error Found",
                       Format("Some error found (%u), while calculating!", size.errors));
        if (path.string().size() >= 255) {
            ui.message("Save script...",
                       "Bank destination path > 255 chars!\nPlease reduce bank patch size!");
            return false;
        }
        FillBankFileInfo(bank, size, path.string());
    }
    return WriteScript(bank, path, ui, files);
}

bool LoadScript(as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                FileStore& files) {
    ProgressScope progress(ui, 'r');
    ui.SetProgressText("Reading ZBS file...");
    Mysplitfilereader in(ui, files);
    if (!OpenAndCheckHeader(
            in, path, false,
            {"This is not a valid Orvelanta Sampler script file!", "Uncown Script File Version!"},
            ui))
        return false;
    Sector sector;
    auto* block = reinterpret_cast<std::uint8_t*>(&bank.records());
    if (!in.Read(block + kSector, kRecordsEnd - kSector) ||
        !in.Read(block + kTailStart, kTailSize) || !in.Read(sector.data(), kSector))
        return Abort(bank, ui), false;
    if (!SameFirst511(sector.data(), PathMarkerTemplate())) {
        ui.message("Error", "In position where need to be special sector before file names, not "
                            "correct info!");
        return Abort(bank, ui), false;
    }

    const std::uint64_t left = in.Size() - in.Position();
    const bool roomForLast = left >= kSector;
    const std::uint64_t areaSize = roomForLast ? left - kSector : 0;
    if (!roomForLast ||
        (areaSize != bank.info().path_area_size() / 2 &&
         ui.ask("Info",
                "Wav files path size is different in bank info and script file size!\nPress OK to "
                "continue loading with calculation based on script file size!",
                Buttons::OkCancel, AskPurpose::Harmless) != Answer::Ok)) {
        ui.message("Error", "Overal script size is small and no size for path names !");
        return Abort(bank, ui), false;
    }
    std::string area;
    if (!ReservePathArea(area, areaSize, ui)) return Abort(bank, ui), false;
    if (!in.Read(area.data(), area.size()) || !in.Read(sector.data(), 511))
        return Abort(bank, ui), false;
    FillPathsFromArea(bank, area, ui);
    progress.hide();
    if (!SameFirst511(sector.data(), LastSectorTemplate())) {
        ui.message("Error", "Uncown last sector!\n My be script is not loaded correctly!");
        return Abort(bank, ui), false;
    }
    bank.setLoadedFile(path.string());
    ui.message("Info", "Script loading OK!");
    return true;
}

} // namespace ovb
