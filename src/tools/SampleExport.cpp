// Export of one multisample: every sample lands in the chosen folder under its file name (the
// stored folders dropped), so two slots naming the same file name share one output file and
// the later slot wins.
#include "tools/SampleExport.h"

#include "bank/BankFiles.h"
#include "base/Formatting.h"
#include "job/PathResolver.h"
#include "tools/CheckHelpers.h"
#include "tools/ExportedFiles.h"

namespace ovb {

namespace {

using checks::Lines;

constexpr const char* kWriteError = "ExtractSelectedMultisample Write Error!\nNot write 512 bytes!";

void ShowExportReport(JobServices& ui, bool ok, unsigned exported, Lines lines) {
    lines.insert(lines.begin(), "");
    lines.insert(lines.begin(), Format("Exported files count: %u", exported));
    lines.insert(lines.begin(), ok ? "Export OK!" : "Export with ERRORS!");
    ui.ShowReport("Report: Exported sample names", lines);
    ui.CloseReport();
}

} // namespace

bool IsBankFileLoaded(const std::filesystem::path& loadedFile) {
    return KindOfFile(loadedFile) == BankFileKind::Bank;
}

bool CanExportMultisample(const as_bank& bank, const std::filesystem::path& loadedFile,
                          unsigned multisample, JobServices& ui) {
    if (!IsBankFileLoaded(loadedFile)) {
        ui.message("Error!", "Not loaded VALID BANK FILE!");
        return false;
    }
    if (multisample >= kMultisamples || !HasSamples(bank, multisample)) {
        ui.message("Error!", "Not possible to EXPORT EMPTY multisample!");
        return false;
    }
    return true;
}

MultisampleExportResult ExportMultisample(const as_bank& bank,
                                          const std::filesystem::path& bankFile,
                                          unsigned multisample, const std::filesystem::path& folder,
                                          JobServices& ui, FileStore& bankFiles) {
    ProgressScope progress(ui, 'r');
    ui.SetProgressText("Export Multisample...");
    Mysplitfilereader in(ui, bankFiles);
    if (!in.Open(bankFile, true)) {
        progress.hide();
        ui.message("Error", "Cannot open BANK file for reading!");
        ShowExportReport(ui, false, 0, {"Cannot open BANK file for reading: " + bankFile.string()});
        return {0, 1};
    }
    Lines lines, errors;
    unsigned exported = 0;
    for (unsigned slot = 0; slot < kSamplesPerMultisample; ++slot) {
        const std::string& stored = bank.path(multisample, slot);
        if (IsEmptyPath(stored)) continue;
        const std::string display = DisplayPath(stored);
        const std::string_view name = StoredFileName(display);
        const std::string shown = folder.string() + "\\" + std::string(name);
        std::string error = "the file name leaves the chosen folder";
        if (IsPlainFileName(name) &&
            WriteSampleWav(in, bank.multisample(multisample).sample[slot], folder / name, error)) {
            lines.push_back(shown);
            ++exported;
        } else {
            if (IsPlainFileName(name)) ui.message("Error", kWriteError);
            errors.push_back("ERROR:  Problem when try to write WAV file: " + shown + " (" + error +
                             ")");
        }
        checks::Step(ui, slot + 1, kSamplesPerMultisample);
    }
    if (exported != 0) {
        const std::string marker = NameMarkerFileName(bank, multisample);
        if (!marker.empty() && WriteNameMarker(folder / marker)) {
            lines.push_back("");
            lines.push_back("Exported MULTISAMPLE NAME: " + marker);
        } else {
            errors.push_back("ERROR:  Problem when try to write MULTISAMPLE NAME msn file: " +
                             folder.string() + "\\" + marker);
        }
    }
    in.Close();
    progress.hide();
    lines.insert(lines.end(), errors.begin(), errors.end());
    const unsigned failures = unsigned(errors.size());
    ShowExportReport(ui, errors.empty(), exported, std::move(lines));
    return {exported, failures};
}

} // namespace ovb
