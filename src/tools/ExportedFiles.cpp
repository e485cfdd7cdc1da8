#include "tools/ExportedFiles.h"

#include "job/ReplacingFile.h"
#include "wav/Wav_file_parser.h"

#include <algorithm>
#include <vector>

namespace ovb {

namespace {
constexpr std::size_t kChunkSectors = 128;
}

bool WriteSampleWav(Mysplitfilereader& bank, const as_sample_V1& sample,
                    const std::filesystem::path& out, std::string& error) {
    const std::uint64_t dataSize = std::uint64_t(sample.length_sectors) * kSector;
    ReplacingFile file(out);
    const auto header = MakeWavHeader(sample.stereo(), std::uint32_t(dataSize));
    file.write(header.data(), header.size());
    if (dataSize != 0 && !bank.GoToPosition(std::uint64_t(sample.start_sector()) * kSector)) {
        error = "sample lies outside the bank file";
        return false;
    }
    std::vector<std::uint8_t> buffer(kChunkSectors * kSector);
    for (std::uint64_t left = dataSize; left > 0 && file.ok();) {
        const std::size_t n = std::size_t(std::min<std::uint64_t>(left, buffer.size()));
        if (!bank.Read(buffer.data(), n)) {
            error = "cannot read the sample from the bank file";
            return false;
        }
        file.write(buffer.data(), n);
        left -= n;
    }
    if (!file.commit()) {
        error = file.error();
        return false;
    }
    return true;
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("\\/:") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

std::string NameMarkerFileName(const as_bank& bank, unsigned multisample) {
    std::string name = NameString(bank.multisample(multisample).name) + ".msn";
    return IsPlainFileName(name) ? name : std::string();
}

bool WriteNameMarker(const std::filesystem::path& path) {
    ReplacingFile file(path);
    return file.commit();
}

} // namespace ovb
