#include "bank/BankLayout.h"

#include "bank/Mysplitfilereader.h"
#include "job/InputFile.h"

#include <cstring>

namespace ovb {

bool SameFirst511(const std::uint8_t* data, const Sector& expected) {
    return std::memcmp(data, expected.data(), 511) == 0;
}

bool OpenAndCheckHeader(Mysplitfilereader& in, const std::filesystem::path& path, bool split,
                        const FileKindTexts& texts, JobServices& ui) {
    if (!in.Open(path, split)) {
        ui.HideProgress();
        // A missing, empty or unreadable file, a folder or a FIFO: each is named as what it is.
        ui.message("Error", !in.OpenError().empty() ? in.OpenError()
                                                    : InputProblemText(path, {in.BaseProblem()}));
        return false;
    }
    Sector sector;
    bool ok = in.Read(sector.data(), kSector);
    if (ok && !SameFirst511(sector.data(), BankHeaderTemplate())) {
        ui.message("Error", texts.notThisKind);
        ok = false;
    } else if (ok && sector[511] != 1) {
        ui.message("Error", texts.badVersion);
        ok = false;
    }
    if (!ok) in.Close();
    return ok;
}

} // namespace ovb
