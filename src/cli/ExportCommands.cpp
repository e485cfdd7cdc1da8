// ovbank export and common-path: the WAV files of a bank file written back into a folder, and
// the text every sample path of a bank begins with. Naming the export command is the answer to
// its long-time warning.
#include "cli/Command.h"
#include "cli/LoadFile.h"
#include "tools/LibraryPaths.h"
#include "tools/SampleExport.h"

#include <charconv>
#include <cstdio>
#include <memory>

namespace ovb::cli {

namespace {

constexpr char kMultisample[] = "--multisample";

// "--multisample=N" or "--multisample N" (the number then follows DIR).
bool MultisampleNumber(const Args& args, unsigned& number) {
    std::string text = args.value(kMultisample);
    if (text.empty() && args.positional.size() == 3) text = args.positional[2];
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, number);
    return !text.empty() && ec == std::errc{} && ptr == end && number < kMultisamples;
}

int Export(const Args& args, JobServices& ui) {
    const std::filesystem::path file = args.positional[0], folder = args.positional[1];
    unsigned multisample = 0;
    const bool one = args.has(kMultisample);
    if (args.positional.size() == 3 && !one) {
        std::fprintf(stderr, "ovbank: export takes 2 arguments unless --multisample N\n");
        return kExitUsage;
    }
    if (one && !MultisampleNumber(args, multisample)) {
        std::fprintf(stderr, "ovbank: --multisample needs a number from 0 to 9999\n");
        return kExitUsage;
    }
    if (!IsBankFileLoaded(file)) {
        ui.message("Error!", "Not loaded VALID BANK FILE!");
        return kExitFailed;
    }
    auto bank = std::make_unique<as_bank>();
    if (!LoadAnyBankFile(*bank, file, ui)) return kExitFailed;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        ui.message("Error!", "Not a folder: " + folder.string());
        return kExitFailed;
    }
    if (one) {
        if (!CanExportMultisample(*bank, file, multisample, ui)) return kExitFailed;
        const MultisampleExportResult r = ExportMultisample(*bank, file, multisample, folder, ui);
        return r.exported != 0 && r.errors == 0 ? kExitDone : kExitFailed;
    }
    const LibraryExportResult result =
        ExportLibrary(*bank, file, LibraryCommonPath(*bank), folder, ui);
    return result.started && result.errors == 0 ? kExitDone : kExitFailed;
}

int CommonPath(const Args& args, JobServices& ui) {
    auto bank = std::make_unique<as_bank>();
    if (!LoadAnyBankFile(*bank, args.positional[0], ui)) return kExitFailed;
    std::printf("Library Common Path: %s\n", LibraryCommonPath(*bank).c_str());
    return kExitDone;
}

} // namespace

void AddExportCommands(CommandTable& table) {
    table.push_back({"export",
                     "FILE.ovb DIR [--multisample=N]",
                     "write the bank file's samples as WAV files below DIR (the library's "
                     "folders rebuilt), or one multisample's into DIR",
                     2,
                     3,
                     {kMultisample},
                     Export});
    table.push_back({"common-path",
                     "FILE",
                     "print the text every sample path begins with",
                     1,
                     1,
                     {},
                     CommonPath});
}

} // namespace ovb::cli
