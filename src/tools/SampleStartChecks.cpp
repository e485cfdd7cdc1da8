// Checks that list samples grouped by multisample: the level of the first sample frame of each
// file, and the loop settings of each sample record.
#include "base/Formatting.h"
#include "job/PathResolver.h"
#include "tools/BankChecks.h"
#include "tools/CheckHelpers.h"
#include "wav/Wav_file_parser.h"

#include <array>
#include <cstring>
#include <fstream>

namespace ovb {
namespace {

using namespace checks;

// Adds the multisample line before the first hit of a multisample, then the note line.
class GroupedNotes {
  public:
    explicit GroupedNotes(const as_bank& bank) : bank_(bank) {}
    void add(unsigned m, unsigned slot) {
        if (m != headed_)
            lines.push_back(
                Format("Multisample %04u [ %s ]:", m, MultisampleName(bank_, m).c_str()));
        headed_ = m;
        lines.push_back(Format(" - Sample Note: %04u", slot + 36));
        ++count;
    }
    Lines lines;
    unsigned count = 0;

  private:
    const as_bank& bank_;
    unsigned headed_ = kMultisamples;
};

bool OutOfRange(int value) {
    return value > kFirstSampleLimit || value < -kFirstSampleLimit;
}

// Whether the file's first frame is loud; false for files that cannot be read or are rejected.
bool FirstFrameIsLoud(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const WavLayout layout = ParseWav(in);
    if (layout.format == WavRejected || !layout.hasData || layout.dataSize < 4) return false;
    std::array<unsigned char, 4> b{};
    in.clear();
    in.seekg(std::streamoff(layout.dataOffset));
    if (!in.read(reinterpret_cast<char*>(b.data()), 4)) return false;
    const int left = std::int16_t(std::uint16_t(b[0] | b[1] << 8));
    const int right = std::int16_t(std::uint16_t(b[2] | b[3] << 8));
    if (layout.format == WavMono) return OutOfRange(left);
    return OutOfRange(left) || OutOfRange(right);
}

bool HasLoop(const as_sample_V1& s) {
    std::array<std::uint8_t, sizeof(as_sample_V1)> raw;
    std::memcpy(raw.data(), &s, raw.size());
    const bool active = (raw[3] & 0x40) != 0;
    const std::uint32_t value = raw[8] | raw[9] << 8 | std::uint32_t(raw[10]) << 16;
    return active || value != 0;
}

void InsertHeader(Lines& lines, std::string header) {
    lines.insert(lines.begin(), "");
    lines.insert(lines.begin(), std::move(header));
}

} // namespace

unsigned CheckFirstSampleLevel(const as_bank& bank, JobServices& ui) {
    ProgressScope progress(ui, 'c');
    ui.SetProgressText("Checking WAV Files...");
    const unsigned total = unsigned(UsedSlots(bank).size());
    GroupedNotes found(bank);
    PathResolver files;
    unsigned examined = 0;
    for (unsigned m = 0; m < kMultisamples; ++m) {
        for (unsigned k = 0; k < kSamplesPerMultisample; ++k) {
            const std::string& path = bank.path(m, k);
            if (IsEmptyPath(path)) continue;
            const auto file = files.find(path);
            if (!file) continue;
            ui.SetProgressText(files.display(path));
            ++examined;
            if (FirstFrameIsLoud(*file)) found.add(m, k);
        }
        Step(ui, examined, total);
    }
    progress.hide();
    if (found.count != 0)
        InsertHeader(found.lines,
                     Format("Fonded [ %u ] files withfirst sample whu will triger Windows Fade In "
                            "Function",
                            found.count));
    return Conclude(ui, found.count, found.lines,
                    "Report: files with first sample lewel bellow tresholt whu will triger "
                    "Windows Fade In Function!",
                    "Check rezult:",
                    "No Files with first sample with level whu will triger Windows Fade In "
                    "Function!");
}

unsigned ReportLoops(const as_bank& bank, JobServices& ui) {
    ProgressScope progress(ui, 'c');
    ui.SetProgressText("Checking WAV Files...");
    const unsigned total = unsigned(UsedSlots(bank).size());
    GroupedNotes found(bank);
    for (unsigned m = 0; m < kMultisamples; ++m) {
        for (unsigned k = 0; k < kSamplesPerMultisample; ++k)
            if (!IsEmptyPath(bank.path(m, k)) && HasLoop(bank.multisample(m).sample[k]))
                found.add(m, k);
        Step(ui, found.count, total);
    }
    progress.hide();
    if (found.count != 0)
        InsertHeader(found.lines,
                     Format("Found [ %u ] samples with active or not default loops", found.count));
    return Conclude(ui, found.count, found.lines,
                    "Report: samples with active or not default loops",
                    "Check rezult:", "No Files with active or not default loops!");
}

} // namespace ovb
