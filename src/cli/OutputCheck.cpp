#include "cli/OutputCheck.h"

#include "bank/BankFiles.h"
#include "bank/SplitVolumes.h"
#include "job/FileIdentity.h"

namespace ovb::cli {

namespace fs = std::filesystem;

namespace {

const char* KindName(OutputKind kind) {
    switch (kind) {
    case OutputKind::Bank:
        return "a bank file";
    case OutputKind::Script:
        return "a script file";
    case OutputKind::Text:
        return "a text listing";
    }
    return "";
}

bool SameFile(const std::optional<ExistingFile>& a, const std::optional<ExistingFile>& b) {
    return a && b && a->id == b->id;
}

} // namespace

std::vector<fs::path> InputFilesOf(const fs::path& file) {
    if (file == "-") return {};
    std::vector<fs::path> files{file};
    if (KindOfFile(file) == BankFileKind::Bank)
        for (unsigned k = 1; k < kMaxVolumes; ++k)
            if (std::error_code ec; fs::exists(VolumePath(file, k), ec))
                files.push_back(VolumePath(file, k));
    return files;
}

bool OutputAllowed(const fs::path& output, OutputKind kind, const std::vector<fs::path>& inputs,
                   bool yes, JobServices& ui) {
    std::vector<fs::path> outputs{output};
    if (kind == OutputKind::Bank)
        for (unsigned k = 1; k < kMaxVolumes; ++k)
            outputs.push_back(VolumePath(output, k));
    for (const fs::path& in : inputs) {
        const auto input = LookAt(in);
        for (const fs::path& out : outputs)
            if (SameFile(LookAt(out), input)) {
                ui.message("Error", out.string() + " is the input file " + in.string() +
                                        ": it is not written over. Choose another output file.");
                return false;
            }
    }
    // What an existing file is, by its contents: the name may say otherwise.
    const BankFileKind existing = KindOfContents(output);
    const bool otherKind = (existing == BankFileKind::Bank && kind != OutputKind::Bank) ||
                           (existing == BankFileKind::Script && kind != OutputKind::Script);
    if (!otherKind || yes) return true;
    ui.message("Error", output.string() + " is " +
                            (existing == BankFileKind::Bank ? "a bank file" : "a script file") +
                            ": it is not replaced by " + KindName(kind) +
                            " unless --yes is given.");
    return false;
}

} // namespace ovb::cli
