#include "bank/BankVolumes.h"

#include "bank/BankLayout.h"
#include "job/InputFile.h"

namespace ovb {

unsigned CheckVolumeSizes(const Mysplitfilereader& in, const std::filesystem::path& path,
                          std::uint64_t bankSize, std::uint64_t volumeSize, std::string& why) {
    const std::uint64_t firstSize = in.VolumeSize(0);
    if (bankSize < volumeSize) {
        if (firstSize == bankSize) return 1;
        why = "Bank is from only one file, but real bank file size is not equal to size recorded "
              "inside in bank file!";
        return 0;
    }
    if (firstSize != volumeSize) {
        why = "OVB file size is not valid!";
        return 0;
    }
    std::uint64_t remaining = bankSize - volumeSize, sum = volumeSize;
    unsigned k = 1;
    for (; remaining != 0; ++k) {
        const auto name = VolumePath(path, k);
        if (!in.HasVolume(k)) {
            why = InputProblemText(name, {in.VolumeProblem(k)});
            return 0;
        }
        const std::uint64_t size = in.VolumeSize(k);
        sum += size;
        if (size != volumeSize && size != remaining) {
            why = "File size of " + name.string() + " not valid!";
            return 0;
        }
        remaining = remaining < volumeSize ? 0 : remaining - volumeSize;
    }
    if (sum == bankSize) return k;
    why = "Sum of size of all bank files not equal to size recorded inside bank file!";
    return 0;
}

bool SameSave(const Mysplitfilereader& in, const std::filesystem::path& path, unsigned volumes,
              std::string& why) {
    for (unsigned k = 1; k < volumes; ++k)
        if (in.VolumeStamp(k) != in.VolumeStamp(0)) {
            why = "File " + VolumePath(path, k).string() + " belongs to another save of this bank!";
            return false;
        }
    return true;
}

BankFilesCheck CheckBankFiles(const std::filesystem::path& bank, JobServices& ui,
                              const BankStorage& storage) {
    BankFilesCheck check;
    std::string& why = check.problem;
    Mysplitfilereader in(ui, storage.files);
    if (!in.Open(bank, true)) {
        why = in.OpenError();
        if (why.empty()) why = InputProblemText(bank, {in.BaseProblem()});
        return check;
    }
    Sector header, last;
    if (in.Size() < 2 * kSector || !in.Read(header.data(), kSector) ||
        !SameFirst511(header.data(), BankHeaderTemplate())) {
        why = "This is not a valid Orvelanta Sampler bank file!";
        return check;
    }
    if (header[511] != 1) {
        why = "Uncown Bank File Version!";
        return check;
    }
    bank_file_info recorded{};
    if (!in.Read(&recorded, kSector)) {
        why = "This is not a valid Orvelanta Sampler bank file!";
        return check;
    }
    const std::uint64_t size = recorded.bank_size();
    const unsigned volumes = CheckVolumeSizes(in, bank, size, storage.volumeSize, why);
    if (volumes == 0 || !SameSave(in, bank, volumes, why)) return check;
    if (size < kSector || !in.GoToPosition(size - kSector) || !in.Read(last.data(), kSector) ||
        !SameFirst511(last.data(), LastSectorTemplate())) {
        why = "Uncown last sector!";
        return check;
    }
    for (unsigned k = 0; k < volumes; ++k)
        check.volumeSizes.push_back(in.VolumeSize(k));
    return check;
}

} // namespace ovb
