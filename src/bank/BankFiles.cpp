#include "bank/BankFiles.h"

#include "bank/BankFileLoader.h"
#include "bank/BankLayout.h"
#include "bank/ScriptFile.h"
#include "job/InputFile.h"

#include <algorithm>
#include <cctype>

namespace ovb {

namespace {

// Where a script keeps its path marker sector: right after the records it stores, where a bank
// file still holds its copies of the multisamples.
constexpr std::uint64_t kScriptMarkerOffset = offsetof(as_bank_records, reserved_a) +
                                              offsetof(as_bank_records, path_marker_sector) -
                                              offsetof(as_bank_records, path_length_table);
static_assert(kScriptMarkerOffset == 51920896);

bool SectorAt(const ByteSource& in, std::uint64_t offset, const Sector& expected) {
    Sector sector;
    return in.readAt(offset, sector.data(), kSector) && SameFirst511(sector.data(), expected);
}

} // namespace

// Both forms begin with the same header sector; the marker tells them apart. Only a regular
// file is looked into: reading a FIFO would wait forever.
BankFileKind KindOfContents(const std::filesystem::path& path) {
    const auto in = FileSource::Open(path);
    if (!in || !SectorAt(*in, 0, BankHeaderTemplate())) return BankFileKind::Unknown;
    return SectorAt(*in, kScriptMarkerOffset, PathMarkerTemplate()) ? BankFileKind::Script
                                                                    : BankFileKind::Bank;
}

BankFileKind KindOfFile(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == ".ovs") return BankFileKind::Script;
    if (ext == ".ovb") return BankFileKind::Bank;
    return KindOfContents(path);
}

bool LoadBankOrScript(as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                      FileStore& files) {
    bank.reset();
    switch (KindOfFile(path)) {
    case BankFileKind::Script:
        return LoadScript(bank, path, ui, files);
    case BankFileKind::Bank:
        return LoadBankFile(bank, path, ui, {files});
    case BankFileKind::Unknown:
        break;
    }
    const InputCheck input = ProbeInput(path);
    ui.message("Error", !input.ready() ? InputProblemText(path, input)
                                       : "Unknown file type: " + path.string() +
                                             "\nA script file ends with .ovs, a bank file with "
                                             ".ovb.");
    return false;
}

} // namespace ovb
